// Writes each argument as one debug log entry, so a test can watch the log
// across several calls of one process and across processes.
#include "common/debug_log.h"

using namespace tandrel;

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        DebugLog(argv[i]);
    }
    return 0;
}

#include "tests/support/unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

namespace tandrel {

namespace {

constexpr uid_t nobodyId = 65534;

} // namespace

int runUnprivileged(const std::function<int()>& check) {
    if (geteuid() != 0) {
        return check();
    }
    const pid_t child = fork();
    if (child < 0) {
        return -1;
    }
    if (child == 0) {
        if (setgid(nobodyId) != 0 || setuid(nobodyId) != 0) {
            _exit(255);
        }
        _exit(check() & 0xFF);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return -1;
    }
    const int code = WEXITSTATUS(status);
    return code == 255 ? -1 : code;
}

} // namespace tandrel

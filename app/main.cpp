// tandrel: the desktop program.
#include "app/command_line.h"
#include "app/tandrel_app.h"
#include "common/product_facts.h"

#include <cstdio>

using namespace tandrel;

namespace {

QStringList argumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    // Answered before the application object exists, so it needs no display.
    if (commandLineAsksForVersion(argumentList(argc, argv))) {
        std::printf("tandrel %s\n", productVersion);
        return 0;
    }
    CTandrelApp app(argc, argv);
    return app.InitInstance() ? CTandrelApp::exec() : 0;
}

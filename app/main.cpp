// tandrel: the desktop program.
#include "app/tandrel_app.h"

int main(int argc, char** argv) {
    CTandrelApp app(argc, argv);
    return app.InitInstance() ? CTandrelApp::exec() : 0;
}

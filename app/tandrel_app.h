#pragma once

#include <QApplication>

namespace tandrel {

// The program's application object: names the settings store (organisation
// "Brellix", application "Tandrel") and runs the main dialog; the program
// ends when the dialog closes.
class CTandrelApp : public QApplication {
    Q_OBJECT
public:
    CTandrelApp(int& argc, char** argv);

    // Runs the main dialog modally. Returns false: there is nothing to run
    // after it.
    bool InitInstance();
};

} // namespace tandrel

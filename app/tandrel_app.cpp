#include "app/tandrel_app.h"

#include "app/tandrel_dlg.h"
#include "app/termination_signals.h"
#include "common/product_facts.h"

namespace tandrel {

CTandrelApp::CTandrelApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QString::fromLatin1(companyName));
    setApplicationName(QLatin1String(productName));
    // Lets desktops match the window to the installed tandrel.desktop and its icon.
    setDesktopFileName(QStringLiteral("tandrel"));
}

bool CTandrelApp::InitInstance() {
    const TerminationSignals sessionSignals;
    CTandrelDlg dialog(arguments());
    dialog.exec();
    return false;
}

} // namespace tandrel

#include "tests/app/main_dialog_fixture.h"

#include "app/popup_menu.h"
#include "common/message_box.h"
#include "tests/support/recorded_time.h"

#include <QtTest/QTest>

namespace tandrel {

std::tm fixedExampleTime() {
    // As the clock gives it: weekday and day of year filled in.
    std::tm time = recordedAt(2026, 12, 5, 18, 45, 3);
    time.tm_wday = 6;
    time.tm_yday = 338;
    return time;
}

void MainDialogTest::SetUp() {
    QSettings().clear();
    MessageBox::clearScript();
    PopupMenu::clearScript();
}

void MainDialogTest::TearDown() {
    MessageBox::clearScript();
    PopupMenu::clearScript();
}

std::unique_ptr<CTandrelDlg> MainDialogTest::openDialog(const QStringList& arguments) {
    return std::make_unique<CTandrelDlg>(arguments, fixedExampleTime);
}

void MainDialogTest::activate(CTandrelDlg& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

} // namespace tandrel

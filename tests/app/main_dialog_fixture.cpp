#include "tests/app/main_dialog_fixture.h"

#include "app/popup_menu.h"
#include "common/message_box.h"

#include <QtTest/QTest>

std::tm fixedExampleTime() {
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 11;
    time.tm_mday = 5;
    time.tm_hour = 18;
    time.tm_min = 45;
    time.tm_sec = 3;
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

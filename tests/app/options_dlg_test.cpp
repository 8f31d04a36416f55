#include "app/options_dlg.h"
#include "common/dialog_units.h"
#include "common/message_box.h"
#include "common/path_helpers.h"
#include "tests/support/qstring_printer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>

namespace tandrel {

namespace {

// The dialog works on the test's own data folder (see gui_test_main).
class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(FileManagerEntries::defaultDataHome()).removeRecursively();
        MessageBox::clearScript();
    }
    void TearDown() override {
        QDir(FileManagerEntries::defaultDataHome()).removeRecursively();
        MessageBox::clearScript();
    }

    static FileManagerEntries entries() {
        return FileManagerEntries(FileManagerEntries::defaultDataHome(),
                                  QFile::decodeName(getExecutableFileName().c_str()));
    }
    static QCheckBox* box(const COptionsDlg& dialog) {
        return findControl<QCheckBox>(&dialog, IdIncludeInMenu);
    }
    static void press(const COptionsDlg& dialog, int id) {
        findControl<QPushButton>(&dialog, id)->click();
    }
    static std::string script() { return readFile(entries().scriptPath().toStdString()); }
};

} // namespace

TEST_F(OptionsDialog, ShowsWhetherTheEntriesArePresent) {
    EXPECT_FALSE(box(COptionsDlg())->isChecked());
    entries().write();
    EXPECT_TRUE(box(COptionsDlg())->isChecked());
    QFile::remove(entries().scriptPath());
    EXPECT_FALSE(box(COptionsDlg())->isChecked());
}

TEST_F(OptionsDialog, OkWritesEntriesForThisProgramAndRemovesThem) {
    // Entries left by an older install point elsewhere; OK points them here.
    FileManagerEntries(FileManagerEntries::defaultDataHome(), QStringLiteral("/old/tandrel"))
        .write();
    {
        COptionsDlg dialog;
        ASSERT_TRUE(box(dialog)->isChecked());
        press(dialog, IdOptionsOk);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_NE(script().find(getExecutableFileName()), std::string::npos);
    EXPECT_EQ(script().find("/old/tandrel"), std::string::npos);
    {
        COptionsDlg dialog;
        press(dialog, IdOptionsOk);
    }
    EXPECT_TRUE(entries().present());
    {
        COptionsDlg dialog;
        box(dialog)->setChecked(false);
        press(dialog, IdOptionsOk);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_FALSE(QFile::exists(entries().scriptPath()));
    EXPECT_FALSE(QFile::exists(entries().serviceMenuPath()));
    {
        // Nothing to remove is no failure.
        COptionsDlg dialog;
        press(dialog, IdOptionsOk);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

TEST_F(OptionsDialog, CancelTouchesNothing) {
    {
        COptionsDlg dialog;
        box(dialog)->setChecked(true);
        press(dialog, IdOptionsCancel);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_FALSE(QFile::exists(entries().scriptPath()));

    FileManagerEntries(FileManagerEntries::defaultDataHome(), QStringLiteral("/old/tandrel"))
        .write();
    COptionsDlg dialog;
    box(dialog)->setChecked(false);
    press(dialog, IdOptionsCancel);
    EXPECT_NE(script().find("/old/tandrel"), std::string::npos);
}

TEST_F(OptionsDialog, FailureIsShownAndTheDialogStaysOpen) {
    const QString data = FileManagerEntries::defaultDataHome();
    QDir().mkpath(data + QStringLiteral("/kio"));
    QFile blocker(data + QStringLiteral("/kio/servicemenus"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    MessageBox::queueAnswer(MessageBox::AnswerOk);
    MessageBox::queueAnswer(MessageBox::AnswerOk);
    COptionsDlg dialog;
    dialog.show();
    box(dialog)->setChecked(true);
    press(dialog, IdOptionsOk);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    QDir().mkpath(entries().scriptPath() + QStringLiteral("/in-the-way"));
    box(dialog)->setChecked(false);
    press(dialog, IdOptionsOk);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(MessageBox::shownTexts(),
              QStringList({QStringLiteral("Could not write to registry."),
                           QStringLiteral("Could not delete from registry.")}));
    EXPECT_EQ(MessageBox::shownCaptions().value(0), MessageBox::applicationTitle());
}

} // namespace tandrel

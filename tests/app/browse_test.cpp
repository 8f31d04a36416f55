// The Browse buttons open the folder picker on the field's folder and set the
// field only when a folder is confirmed.
#include "tests/app/main_dialog_fixture.h"

#include "common/xfolder_dialog.h"
#include "tests/support/gui_input.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace tandrel {

namespace {

// Performs `steps` on the picker once it runs modally; a picker still open
// afterwards is cancelled, so a failing step cannot hang the test.
void whenPickerOpens(const std::function<void(CXFolderDialog&)>& steps) {
    QTimer::singleShot(0, [steps] {
        auto* picker = qobject_cast<CXFolderDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr) << "no folder picker is open";
        steps(*picker);
        if (picker->isVisible()) {
            picker->reject();
        }
    });
}

// Types `text` into the picker's history box as a user would.
void typeFolder(CXFolderDialog& picker, const QString& text) {
    typeText(findControl<QComboBox>(&picker, CXFolderDialog::IdHistory)->lineEdit(), text);
}

} // namespace

TEST_F(MainDialogTest, BrowseSetsTheFieldOnlyWhenAFolderIsConfirmed) {
    TempDir start;
    TempDir chosen;
    store("targetFolder", QString::fromStdString(start.str()));
    const auto dialog = openDialog();
    auto* target = control<QLineEdit>(*dialog, IdTargetFolder);

    QString openedOn;
    whenPickerOpens([&](CXFolderDialog& picker) {
        openedOn = picker.directory().absolutePath();
        typeFolder(picker, QString::fromStdString(chosen.str()));
        findControl<QPushButton>(&picker, CXFolderDialog::IdOk)->click();
    });
    control<QPushButton>(*dialog, IdBrowseTarget)->click();
    EXPECT_EQ(openedOn, QString::fromStdString(start.str()));
    EXPECT_EQ(target->text(), QString::fromStdString(chosen.str()));
    EXPECT_TRUE(control<QLineEdit>(*dialog, IdExample)->text().startsWith(target->text() + "/"));

    auto* source = control<QLineEdit>(*dialog, IdSourceFolder);
    const QString before = source->text();
    whenPickerOpens([](CXFolderDialog& picker) { picker.reject(); });
    control<QPushButton>(*dialog, IdBrowseSource)->click();
    EXPECT_EQ(source->text(), before);
}

} // namespace tandrel

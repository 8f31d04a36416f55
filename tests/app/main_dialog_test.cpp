// The main dialog as a person meets it: what it shows on opening, how it
// keeps its settings, the example line, the token menus and when Copy can be
// pressed.
#include "tests/app/main_dialog_fixture.h"

#include "app/command_line.h"
#include "app/menus.h"
#include "app/popup_menu.h"
#include "common/special_folders.h"
#include "tests/support/temp_dir.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest/QTest>

namespace tandrel {

namespace {

QString text(const QWidget& dialog, int id) {
    return control<QLineEdit>(dialog, id)->text();
}

// The folders and files the source check looks for; their content does not matter to it.
void writeCardTree(const TempDir& card) {
    writeFile(card / "PRIVATE/AVCHDL/BDMV/PLAYLIST/00000.MPLS", "");
    writeFile(card / "PRIVATE/AVCHDL/BDMV/STREAM/00000.M2TS", "");
}

QString qtext(const TempDir& dir) {
    return QString::fromStdString(dir.str());
}

} // namespace

TEST_F(MainDialogTest, FirstStartShowsTheDefaults) {
    const auto dialog = openDialog();
    const QString videos = GetSpecialFolderPath(14);
    ASSERT_FALSE(videos.isEmpty());

    EXPECT_EQ(dialog->windowTitle(), "Tandrel");
    EXPECT_EQ(text(*dialog, IdSourceFolder), videos);
    EXPECT_EQ(text(*dialog, IdTargetFolder), videos);
    EXPECT_TRUE(control<QCheckBox>(*dialog, IdGenerateFolder)->isChecked());
    EXPECT_TRUE(control<QCheckBox>(*dialog, IdRenameFiles)->isChecked());
    EXPECT_TRUE(control<QLineEdit>(*dialog, IdFolderMask)->isEnabled());
    EXPECT_TRUE(control<QLineEdit>(*dialog, IdFileMask)->isEnabled());
    EXPECT_EQ(text(*dialog, IdFolderMask), "%Y_%m_%d");
    EXPECT_EQ(text(*dialog, IdFileMask), "%H_%M_%S");
    EXPECT_EQ(text(*dialog, IdExample), videos + "/2026_12_05/18_45_03.m2ts");
    // The video folder of a fresh home does not exist yet, so there is nothing to copy.
    EXPECT_EQ(control<QLabel>(*dialog, IdSourceStatus)->text(),
              "Source folder: Folder does not exist.");
    EXPECT_FALSE(control<QPushButton>(*dialog, IdCopy)->isEnabled());
    EXPECT_FALSE(QSettings().contains("sourceFolder")) << "opening stores nothing";
}

TEST_F(MainDialogTest, StoredSwitchOffLeavesTheMaskLoadedButDisabled) {
    store("targetFolder", "/Videos");
    store("generateFolder", 0);
    store("destinationFolderMask", "%Y-%m");
    store("renameFiles", "not a number");
    const auto dialog = openDialog();

    EXPECT_FALSE(control<QCheckBox>(*dialog, IdGenerateFolder)->isChecked());
    EXPECT_FALSE(control<QLineEdit>(*dialog, IdFolderMask)->isEnabled());
    EXPECT_EQ(text(*dialog, IdFolderMask), "%Y-%m");
    EXPECT_TRUE(control<QCheckBox>(*dialog, IdRenameFiles)->isChecked());
    EXPECT_EQ(text(*dialog, IdExample), "/Videos/18_45_03.m2ts");

    control<QCheckBox>(*dialog, IdGenerateFolder)->click();
    EXPECT_TRUE(control<QLineEdit>(*dialog, IdFolderMask)->isEnabled());
    EXPECT_EQ(text(*dialog, IdExample), "/Videos/2026-12/18_45_03.m2ts");
}

TEST_F(MainDialogTest, CommandLineFolderWinsAndIsStoredByClose) {
    TempDir card;
    store("sourceFolder", "/stored/card");
    store("targetFolder", "/Videos");

    const auto fromStore = openDialog();
    EXPECT_EQ(text(*fromStore, IdSourceFolder), "/stored/card");

    // Options are not folders, wherever they stand.
    const auto dialog = openDialog({"tandrel", "--verbose", qtext(card), "/second"});
    EXPECT_EQ(text(*dialog, IdSourceFolder), qtext(card));
    EXPECT_EQ(stored("sourceFolder"), "/stored/card") << "nothing is stored before Close";

    control<QPushButton>(*dialog, IdClose)->click();
    EXPECT_EQ(dialog->result(), closeResult);
    EXPECT_EQ(stored("sourceFolder"), qtext(card));
    EXPECT_EQ(stored("targetFolder"), "/Videos");
    EXPECT_EQ(stored("generateFolder"), "1");
    EXPECT_EQ(stored("renameFiles"), "1");
    EXPECT_EQ(stored("destinationFolderMask"), "%Y_%m_%d");
    EXPECT_EQ(stored("renameFilesMask"), "%H_%M_%S");
}

TEST(CommandLine, FirstPlainArgumentIsTheFolderMadeAbsolute) {
    EXPECT_EQ(commandLineFolder({"tandrel"}), "");
    EXPECT_EQ(commandLineFolder({"tandrel", "-x", "--flag", ""}), "");
    EXPECT_EQ(commandLineFolder({"tandrel", "-x", "/media/card", "/other"}), "/media/card");
    EXPECT_EQ(commandLineFolder({"tandrel", "samples/./card/"}),
              QDir::current().absoluteFilePath("samples/card"));
    EXPECT_EQ(commandLineFolder({"tandrel", "--", "-card-", "/other"}),
              QDir::current().absoluteFilePath("-card-"));
}

TEST_F(MainDialogTest, FileExitSavesLikeClose) {
    const auto dialog = openDialog();
    control<QLineEdit>(*dialog, IdTargetFolder)->setText("/Exit/Target");
    control<QCheckBox>(*dialog, IdRenameFiles)->click();

    QAction* exit = nullptr;
    for (QAction* action : dialog->findChild<QMenuBar*>()->findChildren<QAction*>()) {
        if (action->data().toInt() == CommandExit) {
            exit = action;
        }
    }
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), "E&xit");
    exit->trigger();

    EXPECT_EQ(dialog->result(), closeResult);
    EXPECT_EQ(stored("targetFolder"), "/Exit/Target");
    EXPECT_EQ(stored("renameFiles"), "0");
}

// Enter presses the push button that has the focus and no other, so no
// button may look like the default one, whichever had the focus before.
TEST_F(MainDialogTest, NoButtonLooksLikeTheDefaultAndEnterPressesTheFocusedOne) {
    const auto dialog = openDialog();
    activate(*dialog);
    auto* browse = control<QPushButton>(*dialog, IdBrowseSource);
    browse->setFocus(Qt::TabFocusReason);
    control<QLineEdit>(*dialog, IdTargetFolder)->setFocus(Qt::TabFocusReason);
    for (const QPushButton* button : dialog->findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault()) << controlId(button);
    }

    control<QLineEdit>(*dialog, IdTargetFolder)->setText("/Entered");
    auto* close = control<QPushButton>(*dialog, IdClose);
    close->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(close->isDefault());
    QTest::keyClick(close, Qt::Key_Return);
    EXPECT_EQ(dialog->result(), closeResult);
    EXPECT_EQ(stored("targetFolder"), "/Entered");
}

TEST_F(MainDialogTest, EscapeCloseBoxAndEnterLeaveWithoutSaving) {
    store("targetFolder", "/Old");
    store("renameFilesMask", "%H");

    const auto escaped = openDialog();
    control<QLineEdit>(*escaped, IdTargetFolder)->setText("/New");
    QTest::keyClick(control<QLineEdit>(*escaped, IdTargetFolder), Qt::Key_Escape);
    EXPECT_EQ(escaped->result(), QDialog::Rejected);

    const auto closed = openDialog();
    control<QLineEdit>(*closed, IdFileMask)->setText("%M");
    activate(*closed);
    closed->close();
    EXPECT_EQ(closed->result(), QDialog::Rejected);

    const auto entered = openDialog();
    control<QLineEdit>(*entered, IdFileMask)->setText("%S");
    QTest::keyClick(control<QLineEdit>(*entered, IdFileMask), Qt::Key_Return);
    EXPECT_EQ(entered->result(), QDialog::Accepted);

    EXPECT_EQ(stored("targetFolder"), "/Old");
    EXPECT_EQ(stored("renameFilesMask"), "%H");
    EXPECT_FALSE(QSettings().contains("sourceFolder"));
}

TEST_F(MainDialogTest, ExampleLineFollowsTargetSwitchesAndMasks) {
    store("targetFolder", "/Videos");
    const auto dialog = openDialog();
    auto* target = control<QLineEdit>(*dialog, IdTargetFolder);
    auto* fileMask = control<QLineEdit>(*dialog, IdFileMask);
    auto* rename = control<QCheckBox>(*dialog, IdRenameFiles);
    EXPECT_EQ(text(*dialog, IdExample), "/Videos/2026_12_05/18_45_03.m2ts");

    rename->click();
    EXPECT_FALSE(fileMask->isEnabled());
    EXPECT_EQ(text(*dialog, IdExample), "/Videos/2026_12_05/0000.m2ts");
    rename->click();
    fileMask->setText("%f");
    EXPECT_EQ(text(*dialog, IdExample), "/Videos/2026_12_05/0000.m2ts");

    // A root target gives no doubled separator.
    target->setText("/");
    EXPECT_EQ(text(*dialog, IdExample), "/2026_12_05/0000.m2ts");

    fileMask->setText("%I%p:%M");
    EXPECT_EQ(text(*dialog, IdExample),
              "Invalid mask: Filename cannot contain the characters < > : \" | ? *");
    fileMask->setText("con");
    EXPECT_EQ(text(*dialog, IdExample),
              "Invalid mask: Filename cannot be CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9");
    fileMask->setText("%H");
    control<QLineEdit>(*dialog, IdFolderMask)->setText("%Y ");
    EXPECT_EQ(text(*dialog, IdExample),
              "Invalid mask: A directory name cannot end with a space or period");

    target->setText("");
    EXPECT_EQ(text(*dialog, IdExample), "Target folder cannot be blank");
    target->setText("Videos");
    EXPECT_EQ(text(*dialog, IdExample),
              "Invalid mask: Filename cannot contain the characters < > : \" | ? *");
}

TEST_F(MainDialogTest, TokenMenuReplacesTheSelectionAndPutsTheCaretAfterIt) {
    const auto dialog = openDialog();
    auto* fileMask = control<QLineEdit>(*dialog, IdFileMask);
    auto* button = control<QPushButton>(*dialog, IdFileToken);
    EXPECT_TRUE(button->text().isEmpty());
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_EQ(button->iconSize(), QSize(6, 9));
    EXPECT_EQ(button->toolTip(), "Insert a conversion");
    EXPECT_EQ(button->accessibleName(), "Insert a conversion");

    fileMask->setText("xabcx");
    fileMask->setSelection(1, 3);
    PopupMenu::queueCommand(32793);
    button->click();
    EXPECT_EQ(fileMask->text(), "x%Hx");
    EXPECT_EQ(fileMask->cursorPosition(), 3);
    EXPECT_FALSE(fileMask->hasSelectedText());
    EXPECT_FALSE(fileMask->isUndoAvailable());
    EXPECT_EQ(PopupMenu::lastPosition(), button->mapToGlobal(QPoint(0, button->height())));
    EXPECT_TRUE(text(*dialog, IdExample).endsWith("/x18x.m2ts"));

    // Without a selection the token goes in at the caret.
    fileMask->setCursorPosition(1);
    PopupMenu::queueCommand(32797);
    button->click();
    EXPECT_EQ(fileMask->text(), "x%f%Hx");
    EXPECT_EQ(fileMask->cursorPosition(), 3);
}

TEST_F(MainDialogTest, ATokenGoesToTheStartOfAMaskBoxThatNeverHadTheFocus) {
    const auto dialog = openDialog();
    PopupMenu::queueCommand(32791);
    control<QPushButton>(*dialog, IdFolderToken)->click();
    EXPECT_EQ(text(*dialog, IdFolderMask), "%Y%Y_%m_%d");
}

TEST_F(MainDialogTest, DismissedTokenMenuRestoresTheSelection) {
    const auto dialog = openDialog();
    auto* folderMask = control<QLineEdit>(*dialog, IdFolderMask);
    folderMask->setSelection(2, 4);
    PopupMenu::queueCommand(0);
    control<QPushButton>(*dialog, IdFolderToken)->click();
    EXPECT_EQ(PopupMenu::trackedCount(), 1);
    EXPECT_EQ(folderMask->text(), "%Y_%m_%d");
    EXPECT_EQ(folderMask->selectionStart(), 2);
    EXPECT_EQ(folderMask->selectedText(), "_%m_");

    // A command of another menu inserts nothing either.
    PopupMenu::queueCommand(CommandExit);
    control<QPushButton>(*dialog, IdFolderToken)->click();
    EXPECT_EQ(folderMask->text(), "%Y_%m_%d");
    EXPECT_EQ(folderMask->selectedText(), "_%m_");
}

TEST_F(MainDialogTest, TokenButtonFillsADisabledMaskThatTheExampleIgnores) {
    store("targetFolder", "/Videos");
    const auto dialog = openDialog();
    auto* fileMask = control<QLineEdit>(*dialog, IdFileMask);
    control<QCheckBox>(*dialog, IdRenameFiles)->click();
    ASSERT_FALSE(fileMask->isEnabled());

    fileMask->setCursorPosition(0);
    PopupMenu::queueCommand(32791);
    control<QPushButton>(*dialog, IdFileToken)->click();
    EXPECT_EQ(fileMask->text(), "%Y%H_%M_%S");
    EXPECT_EQ(text(*dialog, IdExample), "/Videos/2026_12_05/0000.m2ts");
}

TEST_F(MainDialogTest, MaskBoxesStartAtTheCaretAndKeepTheirSelectionWithoutFocus) {
    const auto dialog = openDialog();
    activate(*dialog);
    auto* folderMask = control<QLineEdit>(*dialog, IdFolderMask);
    auto* fileMask = control<QLineEdit>(*dialog, IdFileMask);

    control<QCheckBox>(*dialog, IdGenerateFolder)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), folderMask);
    EXPECT_EQ(folderMask->cursorPosition(), 0);
    EXPECT_FALSE(folderMask->hasSelectedText());

    fileMask->setSelection(2, 3);
    folderMask->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(fileMask->selectedText(), "_%M");

    fileMask->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(fileMask->cursorPosition(), 0);
    EXPECT_FALSE(fileMask->hasSelectedText());
}

TEST_F(MainDialogTest, CopyIsEnabledExactlyWhenBothChecksPass) {
    TempDir card;
    writeCardTree(card);
    store("targetFolder", "/Videos");
    const auto dialog = openDialog({"tandrel", qtext(card)});
    auto* source = control<QLineEdit>(*dialog, IdSourceFolder);
    auto* target = control<QLineEdit>(*dialog, IdTargetFolder);
    auto* status = control<QLabel>(*dialog, IdSourceStatus);
    auto* copy = control<QPushButton>(*dialog, IdCopy);

    EXPECT_EQ(status->text(), "Source folder: Ok!");
    EXPECT_TRUE(copy->isEnabled());

    target->setText("");
    EXPECT_FALSE(copy->isEnabled());
    source->setText(qtext(card) + "/PRIVATE");
    EXPECT_EQ(status->text(), "Source folder: PlayList folder is missing.");
    EXPECT_FALSE(copy->isEnabled());
    target->setText("/Videos");
    EXPECT_FALSE(copy->isEnabled()) << "the source still fails";
    source->setText(qtext(card));
    EXPECT_TRUE(copy->isEnabled());

    source->setText(
        QString::fromStdString((card / "PRIVATE/AVCHDL/BDMV/STREAM/00000.M2TS").string()));
    EXPECT_EQ(status->text(), "Source folder: Folder is not a directory.");
    EXPECT_FALSE(copy->isEnabled());
    source->setText("");
    EXPECT_EQ(status->text(), "Source folder: Folder does not exist.");
    EXPECT_FALSE(copy->isEnabled());
}

TEST_F(MainDialogTest, LayoutFollowsTheTemplate) {
    const auto dialog = openDialog();
    const DialogUnits& units = dialog->dialogUnits();
    const QWidget* source = control<QWidget>(*dialog, IdSourceFolder);
    const QWidget* example = control<QWidget>(*dialog, IdExample);
    EXPECT_EQ(source->geometry(), units.rect(15, 31, 234, 14));
    EXPECT_EQ(example->geometry(), units.rect(15, 173, 290, 14));
    EXPECT_EQ(control<QWidget>(*dialog, IdCopy)->geometry(), units.rect(90, 209, 50, 14));
    EXPECT_EQ(source->parentWidget()->size(), units.size(322, 231));

    // Every text is shown whole in the dialog's font; where the template is
    // too narrow for it the dialog has grown instead.
    for (const QWidget* text : dialog->findChildren<QWidget*>()) {
        if (qobject_cast<const QLabel*>(text) || qobject_cast<const QCheckBox*>(text)) {
            EXPECT_EQ(text->font(), dialog->font()) << text->objectName().toStdString();
            EXPECT_LE(text->sizeHint().width(), text->width()) << controlId(text);
        }
    }

    QStringList menu;
    for (const QAction* title : dialog->findChild<QMenuBar*>()->actions()) {
        menu << title->text();
        for (const QAction* item : title->menu()->actions()) {
            menu << QString::number(item->data().toInt()) + " " + item->text();
        }
    }
    EXPECT_EQ(menu, QStringList({"&File", "32771 E&xit", "&Tools", "32798 &Options...", "&Help",
                                 "32772 &About..."}));
}

} // namespace tandrel

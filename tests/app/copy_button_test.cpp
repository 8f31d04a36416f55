// A real copy through the Copy button: a card from the card writer, the
// progress dialog and its worker thread, one conflict and one skip prompt
// answered through the scripted wrappers, and the files checked on disk.
#include "tests/app/main_dialog_fixture.h"

#include "common/message_box.h"
#include "copy/gui/copy_conflict_dlg.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"

#include <boost/filesystem/operations.hpp>

#include <QPushButton>

namespace tandrel {

namespace fs = boost::filesystem;

TEST_F(MainDialogTest, CopyButtonCopiesTheCardAskingAboutAConflictAndASkip) {
    TempDir card;
    TempDir target;
    CardSpec spec = simpleCard(1, 3);
    spec.playlists[0].clips[1].recorded = bcdDateTime(2026, 12, 6, 9, 30, 0);
    writeCard(card.path(), spec);
    const fs::path streams = cardStreamFolder(card.path());

    // The first clip meets a file of its name; the second clip's day folder
    // cannot be made, because a file holds its name.
    writeFile(target / "2026_12_05/18_00_00.m2ts", "already here");
    writeFile(target / "2026_12_06", "not a folder");

    store("sourceFolder", "/stored/elsewhere");
    store("targetFolder", QString::fromStdString(target.str()));
    const auto dialog = openDialog({"tandrel", QString::fromStdString(card.str())});
    auto* copy = control<QPushButton>(*dialog, IdCopy);
    ASSERT_TRUE(copy->isEnabled());

    CCopyConflictDlg::queueAnswer(1024);
    MessageBox::queueAnswer(MessageBox::AnswerOk);
    copy->click();

    EXPECT_EQ(stored("sourceFolder"), QString::fromStdString(card.str()));
    EXPECT_EQ(readFile(target / "2026_12_05/18_00_00.m2ts"), "already here");
    EXPECT_EQ(readFile(target / "2026_12_05/18_00_00 (2).m2ts"), readFile(streams / "00000.M2TS"));
    EXPECT_EQ(readFile(target / "2026_12_06"), "not a folder");
    EXPECT_EQ(readFile(target / "2026_12_05/18_02_00.m2ts"), readFile(streams / "00002.M2TS"));

    const QStringList shown = MessageBox::shownTexts();
    ASSERT_EQ(shown.size(), 1) << "only the skip prompt, and no failure message";
    EXPECT_TRUE(shown.first().contains(QString::fromStdString((target / "2026_12_06").string())));
    EXPECT_TRUE(shown.first().endsWith("Do you want to skip this file and continue?\n"));

    // Copy leaves the dialog as it was: open for the next copy.
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_TRUE(copy->isEnabled());
}

} // namespace tandrel

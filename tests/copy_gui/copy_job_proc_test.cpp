// The copy job run as the program runs it: behind the progress dialog,
// through the GUI host, on a card from the card writer.
#include "common/dialog_units.h"
#include "common/message_box.h"
#include "copy/copy_conflict_dlg.h"
#include "copy/copy_job_proc.h"
#include "copy/gui_copy_job_host.h"
#include "copy/up_dialog.h"
#include "tests/support/card_writer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <vector>

namespace fs = boost::filesystem;

namespace {

class Fields : public CopyJobFields {
public:
    QString source;
    QString target;

    QString savedSourceFolder() const override { return source; }
    QString targetFolderText() const override { return target; }
    bool generateFolderChecked() const override { return false; }
    QString folderMaskText() const override { return QStringLiteral("%Y_%m_%d"); }
    bool renameFilesChecked() const override { return true; }
    QString fileMaskText() const override { return QStringLiteral("%H_%M_%S"); }
};

// Notes the status texts the job reports and can press Cancel at the first
// "Copying:" line.
class CopyRun : public CUPDialog {
public:
    CopyRun(QWidget* owner, GuiCopyJobHost& host) : CUPDialog(owner, copyJobProc, &host) {}
    QStringList texts;
    bool cancelWhileCopying = false;

protected:
    bool OnMessage(QDialog* dialog, QEvent* event, bool) override {
        if (static_cast<int>(event->type()) != UPDM_SETTEXT) {
            return false;
        }
        const QString text = static_cast<UPMessageEvent*>(event)->text();
        texts << text;
        if (cancelWhileCopying && text.startsWith(QStringLiteral("Copying:"))) {
            cancelWhileCopying = false;
            auto* cancel = findControl<QPushButton>(dialog, 2);
            QTimer::singleShot(0, cancel, [cancel] { cancel->click(); });
        }
        return false;
    }
};

TEST(CopyJobProc, CopiesACardAndSettlesAConflictThroughTheDialog) {
    TempDir card;
    TempDir target;
    writeCard(card.path(), simpleCard(1, 2));
    // The first clip was recorded at 18:00:00; a file of that name is there.
    writeFile(target / "18_00_00.m2ts", "older copy");

    QWidget owner;
    Fields fields;
    fields.source = QString::fromStdString(card.str());
    fields.target = QString::fromStdString(target.str());
    GuiCopyJobHost host(&owner, fields);
    QString offered;
    CCopyConflictDlg::queueScript([&offered](CCopyConflictDlg& dialog) {
        offered = findControl<QLabel>(&dialog, 1026)->text();
        findControl<QPushButton>(&dialog, 1024)->click();
    });
    MessageBox::clearScript();

    CopyRun run(&owner, host);
    EXPECT_EQ(run.DoModal(), 1);
    EXPECT_EQ(offered, "18_00_00 (2).m2ts");
    EXPECT_EQ(namesIn(target.path()),
              (std::vector<std::string>{"18_00_00 (2).m2ts", "18_00_00.m2ts", "18_01_00.m2ts"}));
    EXPECT_EQ(readFile(target / "18_00_00.m2ts"), "older copy");
    EXPECT_EQ(fs::file_size(target / "18_00_00 (2).m2ts"), 4096u);
    EXPECT_EQ(run.texts.first(), "Initialising..");
    EXPECT_EQ(run.texts.last(), "Done!");
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

TEST(CopyJobProc, AMissingCardEndsWithOneFatalMessage) {
    TempDir target;
    QWidget owner;
    Fields fields;
    fields.source = QString::fromStdString((target / "no card").string());
    fields.target = QString::fromStdString(target.str());
    GuiCopyJobHost host(&owner, fields);
    MessageBox::clearScript();
    MessageBox::queueAnswer(MessageBox::AnswerOk);

    CopyRun run(&owner, host);
    EXPECT_EQ(run.DoModal(), 1);
    ASSERT_EQ(MessageBox::shownTexts().size(), 1);
    EXPECT_TRUE(MessageBox::shownTexts().first().contains("no card"));
    EXPECT_EQ(run.texts.last(), "Terminating..");
    MessageBox::clearScript();
}

TEST(CopyJobProc, CancelStopsTheJobAndLeavesOnlyWholeFiles) {
    TempDir card;
    TempDir target;
    const std::uint64_t size = 8 * 1024 * 1024;
    writeCard(card.path(), simpleCard(1, 4, size));

    QWidget owner;
    Fields fields;
    fields.source = QString::fromStdString(card.str());
    fields.target = QString::fromStdString(target.str());
    GuiCopyJobHost host(&owner, fields);
    MessageBox::clearScript();

    CopyRun run(&owner, host);
    run.cancelWhileCopying = true;
    EXPECT_EQ(run.DoModal(), 0x10002);
    // DoModal returned after the job had ended: nothing is written any more,
    // and whatever is in the target is a whole copy under its final name.
    const std::vector<std::string> names = namesIn(target.path());
    EXPECT_LT(names.size(), 4u);
    for (const std::string& name : names) {
        EXPECT_EQ(name.size(), std::string("18_00_00.m2ts").size()) << name;
        EXPECT_EQ(fs::file_size(target / name), size) << name;
    }
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

} // namespace

#include "tests/copy_gui/worker_script.h"

#include "common/dialog_units.h"
#include "common/message_box.h"
#include "copy/copy_conflict_dlg.h"
#include "copy/gui_copy_job_host.h"
#include "copy/up_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <string>

namespace {

// Field values as the main dialog would give them; notes any read made off
// the UI thread.
class FakeFields : public CopyJobFields {
public:
    QString savedSourceFolder() const override { return note(QStringLiteral("/cards/Ünï")); }
    QString targetFolderText() const override { return note(QStringLiteral("/videos")); }
    bool generateFolderChecked() const override { return note(true); }
    QString folderMaskText() const override { return note(QStringLiteral("%Y_%m_%d")); }
    bool renameFilesChecked() const override { return note(false); }
    QString fileMaskText() const override { return note(QStringLiteral("%H_%M_%S")); }

    mutable int reads = 0;
    mutable int readsOffUiThread = 0;

private:
    template <typename T> T note(T value) const {
        ++reads;
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
            ++readsOffUiThread;
        }
        return value;
    }
};

// Runs `body` on the worker thread of a progress dialog owned by `owner`,
// as the copy job runs; the dialog of the run is kept in `shown`.
class HostedRun : public CUPDialog {
public:
    HostedRun(QWidget* owner, WorkerScript& worker) : CUPDialog(owner, runWorkerScript, &worker) {}
    QDialog* shown = nullptr;

protected:
    bool OnMessage(QDialog* dialog, QEvent* event, bool) override {
        if (static_cast<int>(event->type()) == UPInitDialog) {
            shown = dialog;
        }
        return false;
    }
};

TEST(GuiCopyJobHost, ReadsTheFieldsOnTheUiThread) {
    QWidget owner;
    FakeFields fields;
    GuiCopyJobHost host(&owner, fields);
    std::string source, target, folderMask, fileMask;
    bool generate = false;
    bool rename = true;
    WorkerScript worker{[&](UPThreadParams&) {
        source = host.savedSourceFolder();
        target = host.targetFolderText();
        generate = host.generateFolderChecked();
        folderMask = host.folderMaskText();
        rename = host.renameFilesChecked();
        fileMask = host.fileMaskText();
        return true;
    }};
    EXPECT_EQ(HostedRun(&owner, worker).DoModal(), 1);
    EXPECT_EQ(fields.reads, 6);
    EXPECT_EQ(fields.readsOffUiThread, 0);
    EXPECT_EQ(source, "/cards/Ünï");
    EXPECT_EQ(target, "/videos");
    EXPECT_TRUE(generate);
    EXPECT_EQ(folderMask, "%Y_%m_%d");
    EXPECT_FALSE(rename);
    EXPECT_EQ(fileMask, "%H_%M_%S");
}

TEST(GuiCopyJobHost, ConflictIsAnsweredThroughTheDialogWhileTheProgressDialogStaysResponsive) {
    QWidget owner;
    FakeFields fields;
    GuiCopyJobHost host(&owner, fields);
    ConflictChoice choice = ConflictCancel;
    bool repeat = false;
    WorkerScript worker{[&](UPThreadParams& params) {
        params.setText("Copying: 00001.MTS (1/1)");
        choice = host.askConflict("/videos/12_30_00.m2ts", "12_30_00 (2).m2ts", repeat);
        return true;
    }};
    HostedRun run(&owner, worker);

    QString shownPath;
    QString shownName;
    QWidget* conflictParent = nullptr;
    int positionWhileAsking = -1;
    CCopyConflictDlg::queueScript([&](CCopyConflictDlg& dialog) {
        shownPath = findControl<QLabel>(&dialog, 1025)->text();
        shownName = findControl<QLabel>(&dialog, 1026)->text();
        conflictParent = dialog.parentWidget();
        // The progress dialog goes on handling its messages meanwhile.
        QCoreApplication::postEvent(run.shown, new UPMessageEvent(UPDM_SETPOS, 42));
        QTimer::singleShot(0, &dialog, [&] {
            positionWhileAsking = findControl<QProgressBar>(run.shown, 1018)->value();
            findControl<QCheckBox>(&dialog, 1020)->setChecked(true);
            findControl<QPushButton>(&dialog, 1024)->click();
        });
    });

    EXPECT_EQ(run.DoModal(), 1);
    EXPECT_EQ(choice, KeepBoth);
    EXPECT_TRUE(repeat);
    EXPECT_EQ(shownPath, "/videos/12_30_00.m2ts");
    EXPECT_EQ(shownName, "12_30_00 (2).m2ts");
    EXPECT_EQ(conflictParent, &owner);
    EXPECT_EQ(positionWhileAsking, 42);
}

TEST(GuiCopyJobHost, SkipPromptAndFatalMessageAreMessageBoxesOfTheOwner) {
    QWidget owner;
    FakeFields fields;
    GuiCopyJobHost host(&owner, fields);
    MessageBox::clearScript();
    MessageBox::queueAnswer(MessageBox::AnswerOk);
    MessageBox::queueAnswer(MessageBox::AnswerCancel);
    MessageBox::queueAnswer(MessageBox::AnswerOk);
    int first = 0;
    int second = 0;
    WorkerScript worker{[&](UPThreadParams&) {
        first = host.askSkip("Could not find the source file /a.\n");
        second = host.askSkip("Cannot overwrite the file /b.\n");
        host.showFatal("The operation has been aborted.\n");
        return true;
    }};
    EXPECT_EQ(HostedRun(&owner, worker).DoModal(), 1);
    EXPECT_EQ(first, PromptOk);
    EXPECT_EQ(second, PromptCancel);
    EXPECT_EQ(MessageBox::shownTexts(), (QStringList{"Could not find the source file /a.\n",
                                                     "Cannot overwrite the file /b.\n",
                                                     "The operation has been aborted.\n"}));
    EXPECT_EQ(MessageBox::shownCaptions(), QStringList(3, MessageBox::applicationTitle()));
    MessageBox::clearScript();
}

} // namespace

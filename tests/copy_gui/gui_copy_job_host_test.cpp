#include "tests/copy_gui/worker_script.h"

#include "common/dialog_units.h"
#include "common/message_box.h"
#include "copy/gui/copy_conflict_dlg.h"
#include "copy/gui/gui_copy_job_host.h"
#include "copy/gui/up_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>

namespace tandrel {

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

TEST(GuiCopyJobHost, ConflictIsAnsweredOverTheProgressDialogWhichStaysResponsive) {
    QWidget owner;
    FakeFields fields;
    GuiCopyJobHost host(&owner, fields);
    ConflictChoice choice = ConflictChoice::Cancel;
    bool repeat = false;
    WorkerScript worker{[&](UPThreadParams& params) {
        host.jobStarted(params);
        params.setText("Copying: 00001.MTS (1/1)");
        choice = host.askConflict("/videos/12_30_00.m2ts", "12_30_00 (2).m2ts", repeat);
        host.jobEnded(false);
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
    EXPECT_EQ(choice, ConflictChoice::KeepBoth);
    EXPECT_TRUE(repeat);
    EXPECT_EQ(shownPath, "/videos/12_30_00.m2ts");
    EXPECT_EQ(shownName, "12_30_00 (2).m2ts");
    EXPECT_EQ(conflictParent, run.shown);
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
    auto first = PromptAnswer::Cancel;
    auto second = PromptAnswer::Ok;
    WorkerScript worker{[&](UPThreadParams&) {
        first = host.askSkip({"Could not find the source file /a.\n", ""});
        second = host.askSkip({"Cannot overwrite the file /b.\n", ""});
        host.showFatal("The operation has been aborted.\n");
        return true;
    }};
    EXPECT_EQ(HostedRun(&owner, worker).DoModal(), 1);
    EXPECT_EQ(first, PromptAnswer::Ok);
    EXPECT_EQ(second, PromptAnswer::Cancel);
    EXPECT_EQ(MessageBox::shownTexts(), (QStringList{"Could not find the source file /a.\n",
                                                     "Cannot overwrite the file /b.\n",
                                                     "The operation has been aborted.\n"}));
    EXPECT_EQ(MessageBox::shownCaptions(), QStringList(3, MessageBox::applicationTitle()));
    MessageBox::clearScript();
}

// A Cancel that lands while the worker is on its way to a question: the
// question, and the fatal message after it, are never shown.
TEST(GuiCopyJobHost, NothingIsAskedOrShownOnceTheUserStopped) {
    QWidget owner;
    FakeFields fields;
    GuiCopyJobHost host(&owner, fields);
    MessageBox::clearScript();
    MessageBox::queueAnswer(MessageBox::AnswerOk);
    bool conflictShown = false;
    CCopyConflictDlg::queueScript([&conflictShown](CCopyConflictDlg& dialog) {
        conflictShown = true;
        dialog.reject();
    });

    std::mutex mutex;
    std::condition_variable aboutToAsk;
    bool asking = false;
    ConflictChoice choice = ConflictChoice::KeepBoth;
    auto skip = PromptAnswer::Ok;
    WorkerScript worker{[&](UPThreadParams& params) {
        host.jobStarted(params);
        {
            std::lock_guard lock(mutex);
            asking = true;
        }
        aboutToAsk.notify_one();
        bool repeat = false;
        choice = host.askConflict("/videos/a.m2ts", "a (2).m2ts", repeat);
        skip = host.askSkip({"Could not find the source file /a.\n", ""});
        host.showFatal("The operation has been aborted.\n");
        host.jobEnded(true);
        return true;
    }};
    HostedRun run(&owner, worker);
    QTimer::singleShot(0, [&] {
        std::unique_lock lock(mutex);
        aboutToAsk.wait(lock, [&asking] { return asking; });
        findControl<QPushButton>(run.shown, 2)->click();
    });

    EXPECT_EQ(run.DoModal(), 0x10002);
    EXPECT_EQ(choice, ConflictChoice::Cancel);
    EXPECT_EQ(skip, PromptAnswer::Cancel);
    EXPECT_FALSE(conflictShown);
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
    CCopyConflictDlg::clearScript();
    MessageBox::clearScript();
}

// A click as the window system delivers it: to the window, which drops it
// when a modal dialog blocks it.
void clickThroughTheWindow(QWidget* button) {
    QWindow* window = button->window()->windowHandle();
    const QPointF local = button->mapTo(button->window(), button->rect().center());
    const QPointF global = button->mapToGlobal(button->rect().center());
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, local, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(window, &event);
    }
}

// The question leaves the progress dialog usable: Cancel stops the job and
// ends the question.
TEST(GuiCopyJobHost, CancelOfTheProgressDialogWorksWhileAQuestionIsOpen) {
    QWidget owner;
    FakeFields fields;
    GuiCopyJobHost host(&owner, fields);
    ConflictChoice choice = ConflictChoice::KeepBoth;
    WorkerScript worker{[&](UPThreadParams& params) {
        host.jobStarted(params);
        bool repeat = false;
        choice = host.askConflict("/videos/a.m2ts", "a (2).m2ts", repeat);
        host.jobEnded(true);
        return true;
    }};
    HostedRun run(&owner, worker);
    bool endedByTheStop = false;
    CCopyConflictDlg::queueScript([&](CCopyConflictDlg& dialog) {
        clickThroughTheWindow(findControl<QPushButton>(run.shown, 2));
        endedByTheStop = !dialog.isVisible();
        if (dialog.isVisible()) {
            dialog.reject();
        }
    });

    EXPECT_EQ(run.DoModal(), 0x10002);
    EXPECT_TRUE(endedByTheStop);
    EXPECT_EQ(choice, ConflictChoice::Cancel);
    CCopyConflictDlg::clearScript();
}

} // namespace

} // namespace tandrel

#pragma once

#include "copy/copy_job_host.h"
#include "copy/gui/ui_thread_call.h"
#include "copy/job_state.h"

#include <QString>

#include <functional>

class QWidget;

namespace tandrel {

class DesktopNotifier;
class UPThreadParams;

// The fields a copy job reads from the main dialog. Called on the UI thread
// only, so an implementation may read its widgets and settings directly.
class CopyJobFields {
public:
    virtual ~CopyJobFields() = default;
    // The source folder as last saved in the settings (the Copy command
    // saves it just before the job starts).
    virtual QString savedSourceFolder() const = 0;
    virtual QString targetFolderText() const = 0;
    virtual bool generateFolderChecked() const = 0;
    virtual QString folderMaskText() const = 0;
    virtual bool renameFilesChecked() const = 0;
    virtual QString fileMaskText() const = 0;
};

// The program's side of a copy job. Construct it on the UI thread. The job calls it on its worker
// thread; every field read and every question is carried over to the UI thread and waited for
// there. The conflict dialog, the skip prompt (OK/Cancel) and the fatal message (OK) are shown
// over the job's progress dialog, whose Cancel stays usable meanwhile, and their answers handed
// back. Once the user has stopped the job nothing more is asked or shown: a question answers
// Cancel, also one that was already on its way to the UI thread, and a fatal message is dropped.
// When a job ends while none of the program's windows is active, `notifier` tells the desktop
// how it ended. It owns the job state the job keeps between files.
//
// The main dialog holds one for its lifetime and hands it to the progress
// dialog as the worker's user parameter; copyJobProc runs the job through it:
//
//     GuiCopyJobHost jobHost_{this, *this, &notifier_};
//     ...
//     CUPDialog progress(this, copyJobProc, &jobHost_);
//     progress.DoModal();
//
// DoModal returns only after the worker has ended, so the host and the
// dialog are never left while the job can reach them.
class GuiCopyJobHost : public CopyJobHost {
public:
    GuiCopyJobHost(QWidget* owner, const CopyJobFields& fields,
                   const DesktopNotifier* notifier = nullptr);

    // Called on the worker thread around one job: `progress` is the thread
    // block of the progress dialog the job runs behind. `completed` tells
    // whether the job returned rather than failed with an exception.
    void jobStarted(const UPThreadParams& progress);
    void jobEnded(bool completed);

    std::string savedSourceFolder() override;
    std::string targetFolderText() override;
    bool generateFolderChecked() override;
    std::string folderMaskText() override;
    bool renameFilesChecked() override;
    std::string fileMaskText() override;

    ConflictChoice askConflict(const std::string& existing, const std::string& keepBothName,
                               bool& repeat) override;
    PromptAnswer askSkip(const SkipQuestion& question) override;
    void showFatal(const std::string& text) override;
    void clipSettled(const ClipReport& report) override;

    CopyJobState& jobState() override { return state_; }

private:
    std::string readText(QString (CopyJobFields::*field)() const);
    bool readSwitch(bool (CopyJobFields::*field)() const);
    bool stopped() const;
    // Runs `question` on the UI thread with the window to show it over,
    // unless the job has been stopped. Returns false when it did not run or
    // the stop came while it was open: the caller then takes Cancel.
    bool ask(const std::function<void(QWidget* over)>& question);
    // On the UI thread: tells the desktop `body` when none of the program's
    // windows is active.
    void notifyIfAway(const QString& body) const;

    QWidget* owner_;
    const CopyJobFields& fields_;
    const DesktopNotifier* notifier_;
    CopyJobState state_;
    UiThreadCaller caller_;
    // The job's progress dialog, and what the job did so far; touched by
    // the worker thread while a job runs.
    const UPThreadParams* progress_ = nullptr;
    int clipsCopied_ = 0;
    // Set when the job stopped at a question or failed: it then ends without "Done!".
    bool endedEarly_ = false;
};

} // namespace tandrel

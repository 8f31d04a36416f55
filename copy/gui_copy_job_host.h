#pragma once

#include "copy/copy_job_host.h"
#include "copy/job_state.h"
#include "copy/ui_thread_call.h"

#include <QString>

class QWidget;

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
// there: the conflict dialog, the skip prompt (OK/Cancel) and the fatal message (OK) are shown
// modally, owned by `owner`, and their answers handed back. It owns the job state the job keeps
// between files.
//
// The main dialog holds one for its lifetime and hands it to the progress
// dialog as the worker's user parameter:
//
//     class CTandrelDlg : public QDialog, private CopyJobFields {
//         ...
//         GuiCopyJobHost jobHost_{this, *this};
//     };
//
//     void CTandrelDlg::copy() {
//         SaveSettings();
//         CUPDialog progress(this, copyJobProc, &jobHost_);
//         const auto result = static_cast<unsigned>(progress.DoModal());
//         if (result != 1 && result < 0x10000) {
//             MessageBox::show(this, QStringLiteral("Some Error Occured."));
//         }
//     }
//
// DoModal returns only after the worker has ended, so the host and the
// dialog are never left while the job can reach them.
class GuiCopyJobHost : public CopyJobHost {
public:
    GuiCopyJobHost(QWidget* owner, const CopyJobFields& fields);

    std::string savedSourceFolder() override;
    std::string targetFolderText() override;
    bool generateFolderChecked() override;
    std::string folderMaskText() override;
    bool renameFilesChecked() override;
    std::string fileMaskText() override;

    ConflictChoice askConflict(const std::string& existing, const std::string& keepBothName,
                               bool& repeat) override;
    int askSkip(const std::string& text) override;
    void showFatal(const std::string& text) override;

    CopyJobState& jobState() override { return state_; }

private:
    std::string readText(QString (CopyJobFields::*field)() const);
    bool readSwitch(bool (CopyJobFields::*field)() const);

    QWidget* owner_;
    const CopyJobFields& fields_;
    CopyJobState state_;
    UiThreadCaller caller_;
};

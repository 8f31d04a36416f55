#pragma once

#include "copy/copy_job_host.h"
#include "copy/gui/ui_thread_call.h"

#include <QEvent>
#include <QString>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

class QDialog;
class QEventLoop;
class QWidget;

namespace tandrel {

class UPDialogProcedure;

// The progress dialog's own messages. They keep the numbers of the private
// window messages they were designed as (WM_USER + 1234 onwards), here as the
// types of UPMessageEvent; all lie in Qt's user event range.
enum UPMessage : int {
    UPDM_DISABLECANCEL = 0x8D2,
    UPDM_ENABLECANCEL = 0x8D3,
    UPDM_ENDDIALOG = 0x8D4,
    UPDM_SETPOS = 0x8D5,
    UPDM_SETTEXT = 0x8D6,
    UPDM_TERMINATE = 0x8D7,
};

// The notice OnMessage receives when the dialog has been initialised, just
// before the worker starts (the initialisation message's number, 0x110, above
// QEvent::User).
inline constexpr int UPInitDialog = QEvent::User + 0x110;

// One message to the progress dialog: `wParam` carries the position or the
// end result, `text` the status text.
class UPMessageEvent : public QEvent {
public:
    explicit UPMessageEvent(int message, std::uintptr_t wParam = 0, QString text = QString());

    std::uintptr_t wParam() const { return wParam_; }
    const QString& text() const { return text_; }

private:
    std::uintptr_t wParam_;
    QString text_;
};

class UPThreadParams;
using UPWorkerProc = bool (*)(UPThreadParams*);

// The block the progress dialog shares with its worker thread. The worker
// reports through it (it is the job's ProgressReporter) and reads the stop
// flag from it. Every report is a synchronous call into the UI thread, made
// only while the dialog window exists and no stop has been requested, so a
// worker that keeps running never touches a dialog that has ended.
class UPThreadParams : public ProgressReporter {
public:
    UPThreadParams(UPWorkerProc proc, void* userParameter);

    void setText(const std::string& text) override;
    void setPosition(int percent) override;
    void disableCancel() override;
    // The status text, then the position, as two reports.
    void setTextAndPosition(const std::string& text, int percent);
    bool stopRequested() const override;

    // What the owner handed to the dialog for the worker (the copy job's host).
    void* userParameter() const { return userParameter_; }
    // The dialog window while it is shown, else null. Widgets of the dialog
    // are touched on the UI thread only.
    QDialog* dialogWindow() const { return dialogWindow_.load(); }
    bool isRunning() const { return running_.load(); }

private:
    friend class CUPDialog;
    friend class UPDialogProcedure;

    void send(int message, std::uintptr_t wParam, const QString& text);

    // The dialog window while it is shown; null before and after.
    std::atomic<QDialog*> dialogWindow_{nullptr};
    void* userParameter_;
    std::atomic<bool> running_{false};
    std::atomic<bool> stop_{false};
    UPWorkerProc proc_;
    UiThreadCaller caller_;
};

// A modal progress dialog that runs a worker procedure on a thread of its
// own: a status line (control 1026), a progress bar from 0 to 100 (1018) and
// a Cancel button (2). The dialog closes itself when the procedure returns.
// DoModal's result is ResultTrue or ResultFalse for what the procedure
// returned, ResultNoThread when the thread could not be started, or
// ResultStopped when the user stopped it with Cancel, Escape or the window's
// close button.
//
// Cancel sets the stop flag, silences the worker's reports, ends the
// questions open over the dialog (its child dialogs) and closes the dialog
// after at most two termination delays. DoModal does not return
// before the worker thread has ended, so the dialog, the thread block and
// the user parameter stay valid for as long as the worker can reach them; a
// worker that honours stopRequested() ends promptly. Construct and run it
// on the UI thread.
class CUPDialog {
public:
    static constexpr int ResultTrue = 1;
    static constexpr int ResultFalse = 2;
    static constexpr int ResultNoThread = 3;
    static constexpr int ResultStopped = 0x10002;

    CUPDialog(QWidget* parent, UPWorkerProc proc, void* userParameter,
              const QString& title = QStringLiteral("Please Wait.."), bool allowCancel = true);
    virtual ~CUPDialog();
    CUPDialog(const CUPDialog&) = delete;
    CUPDialog& operator=(const CUPDialog&) = delete;

    // Runs `dialog` instead of the built-in one. It has the same control ids
    // (a QLabel 1026, a QProgressBar 1018, a button 2; any of them may be
    // missing) and must outlive every DoModal.
    void useDialog(QDialog* dialog);

    int DoModal();
    // Stops a worker that is still running and waits for its thread to end,
    // then clears the thread block for the next run.
    void Cleanup();

protected:
    // Sees the initialisation notice (UPInitDialog, handled true) and every
    // event of the dialog window while it is shown, after the built-in
    // handling; `handled` tells whether that handled it. Returning true
    // consumes an event the built-in code left alone.
    virtual bool OnMessage(QDialog* dialog, QEvent* event, bool handled);

private:
    friend class UPDialogProcedure;

    void threadRoutine();
    void workerEnded();
    void waitForWorker();

    QWidget* parent_;
    QDialog* givenDialog_ = nullptr;
    const unsigned terminationDelayMs_ = 500;
    bool cancelAllowed_;
    QString title_;
    UPThreadParams params_;
    std::thread thread_;
    // Set on the UI thread by the worker's last posted request.
    bool workerEnded_ = true;
    QEventLoop* waitLoop_ = nullptr;
};

} // namespace tandrel

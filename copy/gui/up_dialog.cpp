#include "copy/gui/up_dialog.h"

#include "common/dialog_units.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <memory>
#include <system_error>

namespace tandrel {

namespace {

const int statusControlId = 1026;
const int progressControlId = 1018;
const int cancelControlId = 2;

std::unique_ptr<QDialog> makeBuiltInDialog(QWidget* parent) {
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    const DialogUnits units = DialogUnits::fixedDialog(dialog.get(), 187, 70);

    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), dialog.get());
    setControlId(cancel, cancelControlId);
    units.place(cancel, 129, 50, 50, 14);

    auto* progress = new QProgressBar(dialog.get());
    setControlId(progress, progressControlId);
    units.place(progress, 7, 25, 172, 14);
    progress->setRange(0, 100);
    progress->setTextVisible(false);

    auto* status = new QLabel(QStringLiteral("Static"), dialog.get());
    setControlId(status, statusControlId);
    units.place(status, 7, 7, 172, 8);
    status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return dialog;
}

// Sleeps up to `delayMs` on the UI thread, less when the worker ends sooner.
void waitWhileRunning(const UPThreadParams& params, unsigned delayMs) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(delayMs);
    while (params.isRunning() && Clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace

UPMessageEvent::UPMessageEvent(int message, std::uintptr_t wParam, QString text)
    : QEvent(static_cast<QEvent::Type>(message)), wParam_(wParam), text_(std::move(text)) {}

UPThreadParams::UPThreadParams(UPWorkerProc proc, void* userParameter)
    : userParameter_(userParameter), proc_(proc) {}

void UPThreadParams::send(int message, std::uintptr_t wParam, const QString& text) {
    QDialog* dialog = dialogWindow_.load();
    if (dialog == nullptr || stop_.load()) {
        return;
    }
    caller_.call([this, dialog, message, wParam, &text] {
        // Checked again on the UI thread: a stop or the dialog's end may
        // have come while this report was on its way.
        if (dialogWindow_.load() != dialog || stop_.load()) {
            return;
        }
        UPMessageEvent event(message, wParam, text);
        QCoreApplication::sendEvent(dialog, &event);
    });
}

void UPThreadParams::setText(const std::string& text) {
    send(UPDM_SETTEXT, 0, QString::fromStdString(text));
}

void UPThreadParams::setPosition(int percent) {
    send(UPDM_SETPOS, static_cast<std::uintptr_t>(std::clamp(percent, 0, 100)), QString());
}

void UPThreadParams::disableCancel() {
    send(UPDM_DISABLECANCEL, 0, QString());
}

void UPThreadParams::setTextAndPosition(const std::string& text, int percent) {
    setText(text);
    setPosition(percent);
}

bool UPThreadParams::stopRequested() const {
    return stop_.load();
}

// The dialog procedure: watches the dialog window for the time of one modal
// run, handles the dialog's messages and passes every event on to OnMessage.
class UPDialogProcedure : public QObject {
public:
    UPDialogProcedure(CUPDialog& owner, QDialog& dialog)
        : owner_(owner), dialog_(dialog), status_(findControl<QLabel>(&dialog, statusControlId)),
          progress_(findControl<QProgressBar>(&dialog, progressControlId)),
          cancel_(findControl<QAbstractButton>(&dialog, cancelControlId)) {
        if (status_ != nullptr) {
            // Status lines carry file names, which are shown as they are.
            status_->setTextFormat(Qt::PlainText);
        }
        if (cancel_ != nullptr) {
            connect(cancel_, &QAbstractButton::clicked, this,
                    [this] { sendToSelf(UPDM_TERMINATE); });
        }
        dialog_.installEventFilter(this);
    }

    // The initialisation: returns the result the dialog ends with at once,
    // or 0 when it is to run.
    int initialise() {
        // A given dialog may come back from an earlier run with Cancel off.
        setCancelEnabled(true);
        if (!owner_.cancelAllowed_) {
            sendToSelf(UPDM_DISABLECANCEL);
        }
        setStatus(QString());
        if (progress_ != nullptr) {
            progress_->setValue(0);
        }
        dialog_.setWindowTitle(owner_.title_);
        owner_.params_.dialogWindow_.store(&dialog_);
        UPMessageEvent init(UPInitDialog);
        owner_.OnMessage(&dialog_, &init, true);

        // Set before the thread exists, so a stop that comes first still
        // finds the worker running and waits for it.
        owner_.params_.running_.store(true);
        owner_.workerEnded_ = false;
        try {
            owner_.thread_ = std::thread([owner = &owner_] { owner->threadRoutine(); });
        } catch (const std::system_error&) {
            owner_.params_.running_.store(false);
            owner_.workerEnded_ = true;
            return CUPDialog::ResultNoThread;
        }
        return 0;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &dialog_) {
            return false;
        }
        const bool handled = handle(event);
        const bool result = owner_.OnMessage(&dialog_, event, handled);
        return handled || result;
    }

private:
    bool handle(QEvent* event) {
        switch (static_cast<int>(event->type())) {
        case UPDM_DISABLECANCEL:
            setCancelEnabled(false);
            return true;
        case UPDM_ENABLECANCEL:
            setCancelEnabled(true);
            return true;
        case UPDM_ENDDIALOG:
            dialog_.done(static_cast<int>(static_cast<UPMessageEvent*>(event)->wParam() & 0xFFFF));
            return true;
        case UPDM_SETPOS:
            if (progress_ != nullptr) {
                progress_->setValue(
                    static_cast<int>(static_cast<UPMessageEvent*>(event)->wParam()));
            }
            return true;
        case UPDM_SETTEXT:
            setStatus(static_cast<UPMessageEvent*>(event)->text());
            return true;
        case UPDM_TERMINATE:
            terminate();
            return true;
        case QEvent::Close:
            // The window's close button is Cancel; once Cancel is disabled
            // it does nothing.
            event->ignore();
            if (closeEnabled_) {
                sendToSelf(UPDM_TERMINATE);
            }
            return true;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                if (cancelEnabled()) {
                    sendToSelf(UPDM_TERMINATE);
                }
                return true;
            }
            return false;
        default:
            return false;
        }
    }

    // The stop sequence: silences the worker, shows that the stop is under
    // way and ends the dialog, whether or not the worker has finished.
    void terminate() {
        owner_.params_.stop_.store(true);
        setStatus(QStringLiteral("Termination Initiated.."));
        sendToSelf(UPDM_DISABLECANCEL);
        if (endQuestions()) {
            // The question's own event loop lies below this call: its answer
            // reaches the worker only once this returns, so the waits come
            // after that.
            QMetaObject::invokeMethod(
                this, [this] { finishStop(); }, Qt::QueuedConnection);
            return;
        }
        finishStop();
    }

    // Ends the questions the worker has open over the dialog, as Cancel
    // would. Returns whether there was one.
    bool endQuestions() {
        bool ended = false;
        for (QDialog* question : dialog_.findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) {
            if (question->isVisible()) {
                question->reject();
                ended = true;
            }
        }
        return ended;
    }

    void finishStop() {
        const UPThreadParams& params = owner_.params_;
        if (params.isRunning()) {
            waitWhileRunning(params, owner_.terminationDelayMs_);
            if (params.isRunning()) {
                setStatus(QStringLiteral("Termination Complete ..Shutting Down !!"));
                waitWhileRunning(params, owner_.terminationDelayMs_);
            }
        }
        dialog_.done(CUPDialog::ResultStopped);
    }

    void sendToSelf(int message) {
        UPMessageEvent event(message);
        QCoreApplication::sendEvent(&dialog_, &event);
    }

    void setStatus(const QString& text) {
        if (status_ != nullptr) {
            status_->setText(text);
            // Painted now: the stop sequence keeps the UI thread busy.
            status_->repaint();
        }
    }

    void setCancelEnabled(bool enabled) {
        closeEnabled_ = enabled;
        if (cancel_ != nullptr) {
            cancel_->setEnabled(enabled);
            // Painted now: the stop sequence keeps the UI thread busy, and a
            // button that looks enabled invites a second press.
            cancel_->repaint();
        }
    }

    bool cancelEnabled() const { return cancel_ != nullptr ? cancel_->isEnabled() : closeEnabled_; }

    CUPDialog& owner_;
    QDialog& dialog_;
    QLabel* status_;
    QProgressBar* progress_;
    QAbstractButton* cancel_;
    bool closeEnabled_ = true;
};

CUPDialog::CUPDialog(QWidget* parent, UPWorkerProc proc, void* userParameter, const QString& title,
                     bool allowCancel)
    : parent_(parent), cancelAllowed_(allowCancel), title_(title), params_(proc, userParameter) {}

CUPDialog::~CUPDialog() {
    Cleanup();
}

void CUPDialog::useDialog(QDialog* dialog) {
    givenDialog_ = dialog;
}

int CUPDialog::DoModal() {
    Cleanup();
    std::unique_ptr<QDialog> builtIn;
    QDialog* dialog = givenDialog_;
    if (dialog == nullptr) {
        builtIn = makeBuiltInDialog(parent_);
        dialog = builtIn.get();
    }
    int result = 0;
    {
        UPDialogProcedure procedure(*this, *dialog);
        result = procedure.initialise();
        if (result == 0) {
            result = dialog->exec();
        }
        // The window has ended: from here on the worker's reports are dropped.
        params_.dialogWindow_.store(nullptr);
    }
    waitForWorker();
    return result;
}

void CUPDialog::Cleanup() {
    params_.stop_.store(true);
    waitForWorker();
    params_.running_.store(false);
    params_.stop_.store(false);
    params_.dialogWindow_.store(nullptr);
}

bool CUPDialog::OnMessage(QDialog*, QEvent*, bool) {
    return false;
}

void CUPDialog::threadRoutine() {
    int result = ResultFalse;
    if (!params_.stop_.load()) {
        try {
            result = params_.proc_(&params_) ? ResultTrue : ResultFalse;
        } catch (...) {
            // A procedure that throws has failed; the owner reports it as such.
            result = ResultFalse;
        }
    }
    QDialog* dialog = params_.dialogWindow_.load();
    params_.running_.store(false);
    if (!params_.stop_.load() && dialog != nullptr) {
        const auto code = static_cast<std::uint16_t>(result);
        params_.caller_.post([this, dialog, code] {
            // A dialog that has ended already (a stop came first) ignores
            // the request.
            if (params_.dialogWindow_.load() == dialog) {
                UPMessageEvent end(UPDM_ENDDIALOG, code);
                QCoreApplication::sendEvent(dialog, &end);
            }
        });
    }
    params_.caller_.post([this] { workerEnded(); });
}

void CUPDialog::workerEnded() {
    workerEnded_ = true;
    if (waitLoop_ != nullptr) {
        waitLoop_->quit();
    }
}

void CUPDialog::waitForWorker() {
    if (!thread_.joinable()) {
        return;
    }
    // The worker may be in the middle of a call into this thread (a report
    // or a question), so events go on being processed until it has ended;
    // user input waits, so nothing can start another job or close the owner
    // meanwhile.
    while (!workerEnded_) {
        QEventLoop loop;
        waitLoop_ = &loop;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        waitLoop_ = nullptr;
    }
    thread_.join();
}

} // namespace tandrel

#include "tests/copy_gui/worker_script.h"

#include "common/dialog_units.h"
#include "copy/gui/up_dialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tandrel {

namespace {

struct Seen {
    int message;
    QString text;
    std::uintptr_t wParam;
    QString status;
};

// Records the dialog's messages with the status line as it stood after each,
// and lets a test act on them from the UI thread.
class RecordingDialog : public CUPDialog {
public:
    using CUPDialog::CUPDialog;

    std::vector<Seen> seen;
    std::function<void(QDialog*, int message, const QString& text)> react;

    QStringList statusesAt(int message) const {
        QStringList statuses;
        for (const Seen& s : seen) {
            if (s.message == message) {
                statuses << s.status;
            }
        }
        return statuses;
    }

protected:
    bool OnMessage(QDialog* dialog, QEvent* event, bool handled) override {
        const int type = static_cast<int>(event->type());
        if ((type >= UPDM_DISABLECANCEL && type <= UPDM_TERMINATE) || type == UPInitDialog) {
            EXPECT_TRUE(handled);
            const auto* message = static_cast<UPMessageEvent*>(event);
            const auto* status = findControl<QLabel>(dialog, 1026);
            seen.push_back({type, message->text(), message->wParam(),
                            status != nullptr ? status->text() : QString()});
            if (react) {
                react(dialog, type, message->text());
            }
        }
        return false;
    }
};

// Says "working", then keeps the dialog busy until the user stops it.
bool reportThenWaitForStop(UPThreadParams& params) {
    params.setText("working");
    while (!params.stopRequested()) {
        std::this_thread::yield();
    }
    return true;
}

void clickLater(QDialog* dialog) {
    auto* cancel = findControl<QPushButton>(dialog, 2);
    QTimer::singleShot(0, cancel, [cancel] { cancel->click(); });
}

TEST(UPDialog, EndsWithWhatTheWorkerReturned) {
    WorkerScript yes{[](UPThreadParams&) {
        return true;
    }};
    EXPECT_EQ(CUPDialog(nullptr, runWorkerScript, &yes).DoModal(), 1);

    WorkerScript no{[](UPThreadParams&) {
        return false;
    }};
    EXPECT_EQ(CUPDialog(nullptr, runWorkerScript, &no).DoModal(), 2);

    WorkerScript throws{[](UPThreadParams&) -> bool {
        throw std::runtime_error("broken");
    }};
    EXPECT_EQ(CUPDialog(nullptr, runWorkerScript, &throws).DoModal(), 2);
}

TEST(UPDialog, BuiltInDialogIsLaidOutAsDesigned) {
    WorkerScript worker{[](UPThreadParams&) {
        return true;
    }};
    RecordingDialog progress(nullptr, runWorkerScript, &worker);
    bool checked = false;
    progress.react = [&checked](QDialog* dialog, int message, const QString&) {
        if (message != UPInitDialog) {
            return;
        }
        checked = true;
        const DialogUnits units(dialog->font());
        EXPECT_EQ(dialog->windowTitle(), "Please Wait..");
        EXPECT_EQ(dialog->size(), units.size(187, 70));

        auto* status = findControl<QLabel>(dialog, 1026);
        auto* bar = findControl<QProgressBar>(dialog, 1018);
        auto* cancel = findControl<QPushButton>(dialog, 2);
        ASSERT_NE(status, nullptr);
        ASSERT_NE(bar, nullptr);
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(status->text(), "");
        EXPECT_EQ(status->geometry(), units.rect(7, 7, 172, 8));
        EXPECT_EQ(bar->geometry(), units.rect(7, 25, 172, 14));
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->maximum(), 100);
        EXPECT_EQ(bar->value(), 0);
        EXPECT_EQ(cancel->geometry(), units.rect(129, 50, 50, 14));
        EXPECT_EQ(cancel->text(), "&Cancel");
        EXPECT_TRUE(cancel->isEnabled());
    };
    EXPECT_EQ(progress.DoModal(), 1);
    EXPECT_TRUE(checked);
}

TEST(UPDialog, ReportsReachTheControlsOfAGivenDialog) {
    QDialog custom;
    auto* status = new QLabel(&custom);
    setControlId(status, 1026);
    auto* bar = new QProgressBar(&custom);
    setControlId(bar, 1018);
    auto* cancel = new QPushButton(QStringLiteral("Stop"), &custom);
    setControlId(cancel, 2);

    WorkerScript worker{[](UPThreadParams& params) {
        params.setText("Copying: 00001.MTS (1/2)");
        params.setPosition(40);
        params.setTextAndPosition("Done!", 250);
        params.disableCancel();
        return true;
    }};
    RecordingDialog progress(nullptr, runWorkerScript, &worker, QStringLiteral("Busy"));
    progress.useDialog(&custom);
    EXPECT_EQ(progress.DoModal(), 1);
    EXPECT_EQ(custom.windowTitle(), "Busy");
    EXPECT_EQ(status->text(), "Done!");
    // Positions beyond the bar's range are held at its end.
    EXPECT_EQ(bar->value(), 100);
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_EQ(progress.statusesAt(UPDM_SETTEXT),
              (QStringList{"Copying: 00001.MTS (1/2)", "Done!"}));

    // The same dialog runs again from a clean state.
    WorkerScript second{[](UPThreadParams& params) {
        params.setPosition(10);
        return false;
    }};
    RecordingDialog again(nullptr, runWorkerScript, &second);
    again.useDialog(&custom);
    EXPECT_EQ(again.DoModal(), 2);
    EXPECT_EQ(status->text(), "");
    EXPECT_EQ(bar->value(), 10);
    EXPECT_TRUE(cancel->isEnabled());
}

TEST(UPDialog, CancelStopsABusyWorkerAndDropsItsLaterReports) {
    std::atomic<bool> released{false};
    std::atomic<bool> sawStop{false};
    std::atomic<bool> finished{false};
    WorkerScript worker{[&](UPThreadParams& params) {
        params.setText("working");
        released.wait(false);
        sawStop = params.stopRequested();
        params.setText("late");
        params.setPosition(99);
        params.disableCancel();
        finished = true;
        return true;
    }};
    RecordingDialog progress(nullptr, runWorkerScript, &worker);
    progress.react = [&released](QDialog* dialog, int message, const QString& text) {
        if (message == UPDM_SETTEXT && text == "working") {
            clickLater(dialog);
        } else if (message == UPDM_TERMINATE) {
            EXPECT_FALSE(findControl<QPushButton>(dialog, 2)->isEnabled());
            released = true;
            released.notify_one();
        }
    };

    EXPECT_EQ(progress.DoModal(), 0x10002);
    // DoModal has waited for the worker, which saw the stop.
    EXPECT_TRUE(finished);
    EXPECT_TRUE(sawStop);
    EXPECT_EQ(progress.statusesAt(UPDM_DISABLECANCEL), QStringList{"Termination Initiated.."});
    EXPECT_EQ(progress.statusesAt(UPDM_TERMINATE),
              QStringList{"Termination Complete ..Shutting Down !!"});
    EXPECT_EQ(progress.statusesAt(UPDM_SETTEXT), QStringList{"working"});
    EXPECT_TRUE(progress.statusesAt(UPDM_SETPOS).isEmpty());
    EXPECT_TRUE(progress.statusesAt(UPDM_ENDDIALOG).isEmpty());
}

// Counts the paints of a widget made while it was disabled.
class DisabledPaints : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !static_cast<QWidget*>(watched)->isEnabled()) {
            ++count;
        }
        return false;
    }
};

TEST(UPDialog, TheGreyedCancelIsPaintedBeforeTheStopSequenceWaits) {
    WorkerScript worker{reportThenWaitForStop};
    RecordingDialog progress(nullptr, runWorkerScript, &worker);
    DisabledPaints paints;
    int paintedBeforeWaiting = -1;
    progress.react = [&](QDialog* dialog, int message, const QString& text) {
        if (message == UPDM_SETTEXT && text == "working") {
            findControl<QPushButton>(dialog, 2)->installEventFilter(&paints);
            clickLater(dialog);
        } else if (message == UPDM_DISABLECANCEL) {
            // Sent by the stop sequence to itself, just before it waits.
            paintedBeforeWaiting = paints.count;
        }
    };
    EXPECT_EQ(progress.DoModal(), 0x10002);
    EXPECT_GT(paintedBeforeWaiting, 0);
}

TEST(UPDialog, CancelAfterTheWorkerStoppedSkipsTheSecondWait) {
    WorkerScript worker{reportThenWaitForStop};
    RecordingDialog progress(nullptr, runWorkerScript, &worker);
    progress.react = [](QDialog* dialog, int message, const QString& text) {
        if (message == UPDM_SETTEXT && text == "working") {
            clickLater(dialog);
        }
    };
    EXPECT_EQ(progress.DoModal(), 0x10002);
    EXPECT_EQ(progress.statusesAt(UPDM_TERMINATE), QStringList{"Termination Initiated.."});
}

TEST(UPDialog, CloseButtonAndEscapeActAsCancel) {
    const std::vector<std::function<void(QDialog*)>> stops = {
        [](QDialog* dialog) { dialog->close(); },
        [](QDialog* dialog) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(dialog, &escape);
        },
    };
    for (const auto& stop : stops) {
        WorkerScript worker{reportThenWaitForStop};
        RecordingDialog progress(nullptr, runWorkerScript, &worker);
        progress.react = [&stop](QDialog* dialog, int message, const QString& text) {
            if (message == UPDM_SETTEXT && text == "working") {
                QTimer::singleShot(0, dialog, [dialog, &stop] { stop(dialog); });
            }
        };
        EXPECT_EQ(progress.DoModal(), 0x10002);
        EXPECT_EQ(progress.statusesAt(UPDM_TERMINATE).size(), 1);
    }
}

TEST(UPDialog, DisabledCancelIgnoresCancelCloseAndEscape) {
    bool tried = false;
    WorkerScript worker{[](UPThreadParams& params) {
        params.disableCancel();
        params.setText("finishing");
        return !params.stopRequested();
    }};
    RecordingDialog progress(nullptr, runWorkerScript, &worker);
    progress.react = [&tried](QDialog* dialog, int message, const QString& text) {
        if (message != UPDM_SETTEXT || text != "finishing") {
            return;
        }
        tried = true;
        auto* cancel = findControl<QPushButton>(dialog, 2);
        EXPECT_FALSE(cancel->isEnabled());
        cancel->click();
        dialog->close();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog, &escape);
        EXPECT_TRUE(dialog->isVisible());
    };
    EXPECT_EQ(progress.DoModal(), 1);
    EXPECT_TRUE(tried);
    EXPECT_TRUE(progress.statusesAt(UPDM_TERMINATE).isEmpty());
}

TEST(UPDialog, CancelCanBeDisallowedFromTheStart) {
    WorkerScript worker{[](UPThreadParams& params) {
        params.setText("working");
        return true;
    }};
    RecordingDialog progress(nullptr, runWorkerScript, &worker, QStringLiteral("Please Wait.."),
                             false);
    bool checked = false;
    progress.react = [&checked](QDialog* dialog, int message, const QString&) {
        if (message == UPInitDialog) {
            checked = true;
            EXPECT_FALSE(findControl<QPushButton>(dialog, 2)->isEnabled());
        }
    };
    EXPECT_EQ(progress.DoModal(), 1);
    EXPECT_TRUE(checked);
}

} // namespace

} // namespace tandrel

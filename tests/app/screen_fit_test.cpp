// Runs on a laptop screen of 1280 x 800 pixels at scale factor 2, where the
// dialogs in their usual font do not fit (see CMakeLists.txt): every window
// still opens wholly on the screen of its parent.
#include "app/about_dlg.h"
#include "app/options_dlg.h"
#include "app/tandrel_dlg.h"
#include "common/message_box.h"
#include "common/xfolder_dialog.h"
#include "copy/gui/copy_conflict_dlg.h"
#include "copy/gui/up_dialog.h"
#include "tests/copy_gui/worker_script.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace tandrel {

namespace {

// Shows `window` and tells whether it lies, frame and all, on the screen.
::testing::AssertionResult opensOnTheScreen(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return ::testing::AssertionFailure() << "not shown";
    }
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    window.hide();
    if (screen.contains(frame)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << window.windowTitle().toStdString() << " at " << frame.x() << "," << frame.y() << " "
           << frame.width() << "x" << frame.height() << " on " << screen.width() << "x"
           << screen.height();
}

// The progress dialog as the Copy command shows it, checked while it runs.
class CheckedProgress : public CUPDialog {
public:
    using CUPDialog::CUPDialog;
    ::testing::AssertionResult onScreen = ::testing::AssertionFailure() << "not shown";

protected:
    bool OnMessage(QDialog* dialog, QEvent* event, bool) override {
        if (static_cast<int>(event->type()) == UPDM_SETTEXT) {
            onScreen = opensOnTheScreen(*dialog);
            dialog->show();
        }
        return false;
    }
};

} // namespace

TEST(ScreenFit, EveryWindowOpensWhollyOnTheScreenOfItsParent) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
    CTandrelDlg main({QStringLiteral("tandrel")});
    EXPECT_TRUE(opensOnTheScreen(main));
    main.show();

    // This test program has no version block; About says so in a box.
    MessageBox::queueAnswer(MessageBox::AnswerOk);
    CAboutDlg about(&main);
    EXPECT_TRUE(opensOnTheScreen(about));
    COptionsDlg options(&main);
    EXPECT_TRUE(opensOnTheScreen(options));
    bool repeat = false;
    CCopyConflictDlg conflict(QStringLiteral("/videos/2026_12_05/18_45_03.m2ts"),
                              QStringLiteral("18_45_03 (2).m2ts"), &repeat, &main);
    EXPECT_TRUE(opensOnTheScreen(conflict));
    CXFolderDialog picker(QString(), {}, &main);
    picker.resize(2000, 1500);
    QTimer::singleShot(0, &picker, [&picker] {
        EXPECT_TRUE(opensOnTheScreen(picker));
        picker.reject();
    });
    picker.DoModal();

    WorkerScript worker{[](UPThreadParams& params) {
        params.setText("Copying: 00000.M2TS (1/1)");
        return true;
    }};
    CheckedProgress progress(&main, runWorkerScript, &worker);
    progress.DoModal();
    EXPECT_TRUE(progress.onScreen);
}

} // namespace tandrel

// Renders the copy engine's dialogs to PNG files under the build folder
// (renders/), so anyone can look at them without running a copy.
#include "tests/copy_gui/worker_script.h"

#include "copy/copy_conflict_dlg.h"
#include "copy/up_dialog.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QPixmap>

namespace {

QString renderPath(const QString& name) {
    const QString folder = QStringLiteral(TANDREL_RENDER_DIR);
    QDir().mkpath(folder);
    return folder + '/' + name;
}

class GrabbingDialog : public CUPDialog {
public:
    using CUPDialog::CUPDialog;
    bool saved = false;

protected:
    bool OnMessage(QDialog* dialog, QEvent* event, bool) override {
        if (static_cast<int>(event->type()) == UPDM_SETPOS) {
            saved = dialog->grab().save(renderPath(QStringLiteral("progress_dialog.png")));
        }
        return false;
    }
};

TEST(DialogRender, ProgressDialog) {
    WorkerScript worker{[](UPThreadParams& params) {
        params.setTextAndPosition("Copying: 00002.MTS (2/5)", 40);
        return true;
    }};
    GrabbingDialog progress(nullptr, runWorkerScript, &worker);
    EXPECT_EQ(progress.DoModal(), 1);
    EXPECT_TRUE(progress.saved);
}

TEST(DialogRender, ConflictDialog) {
    bool repeat = false;
    CCopyConflictDlg dialog(QStringLiteral("/home/user/Videos/2026_12_07/12_30_00.m2ts"),
                            QStringLiteral("12_30_00 (2).m2ts"), &repeat, nullptr);
    EXPECT_TRUE(dialog.grab().save(renderPath(QStringLiteral("conflict_dialog.png"))));
}

} // namespace

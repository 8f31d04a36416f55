#pragma once

#include "common/message_box.h"
#include "copy/job_state.h"

#include <QDialog>
#include <QString>

#include <functional>

class QCheckBox;

namespace tandrel {

// The question asked when a copy meets a file of the same name: replace it,
// leave it, or keep both (the copy then takes `keepBothName`), or skip, each
// optionally for all remaining conflicts of the job; Cancel stops the job.
// The dialog sets the caller's repeat flag only when a choice button is
// pressed with control 1020 ticked, and never clears it.
class CCopyConflictDlg : public QDialog {
public:
    CCopyConflictDlg(const QString& existingPath, const QString& keepBothName, bool* repeat,
                     QWidget* parent);

    // Runs the dialog and returns the ConflictChoice of the button pressed
    // (ConflictChoice::Cancel for Cancel, Escape and the close button).
    int DoModal(MessageBox::Modality modality = MessageBox::Modal);

    // Shows the question over `parent`, the progress dialog of the job, which
    // stays usable meanwhile, and returns its answer. Every conflict question
    // of the program goes through here, so a test can script it.
    static ConflictChoice ask(QWidget* parent, const QString& existingPath,
                              const QString& keepBothName, bool& repeat);

    // Test scripting, on the UI thread: while scripts are queued, ask() runs
    // the next one on the open dialog from within its modal loop; the script
    // ends the dialog, normally by clicking one of its buttons.
    using Script = std::function<void(CCopyConflictDlg&)>;
    static void queueScript(Script script);
    // A script that ticks control 1020 when `forAll` is set and then clicks
    // the button with id `buttonId`.
    static void queueAnswer(int buttonId, bool forAll = false);
    static void clearScript();

    void reject() override;

private:
    void choose(ConflictChoice choice);

    bool* repeat_;
    QCheckBox* forAll_;
};

} // namespace tandrel

#include "copy/gui/gui_copy_job_host.h"

#include "common/desktop_notifier.h"
#include "common/message_box.h"
#include "copy/gui/copy_conflict_dlg.h"
#include "copy/gui/up_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QWidget>

namespace tandrel {

namespace {

// The folder as people say it: the home folder as "~".
QString spokenFolder(const QString& folder) {
    const QString home = QDir::homePath();
    if (folder == home) {
        return QStringLiteral("~");
    }
    if (folder.startsWith(home + QLatin1Char('/'))) {
        return QLatin1Char('~') + folder.mid(home.size());
    }
    return folder;
}

} // namespace

GuiCopyJobHost::GuiCopyJobHost(QWidget* owner, const CopyJobFields& fields,
                               const DesktopNotifier* notifier)
    : owner_(owner), fields_(fields), notifier_(notifier) {}

void GuiCopyJobHost::jobStarted(const UPThreadParams& progress) {
    progress_ = &progress;
    clipsCopied_ = 0;
    endedEarly_ = false;
}

void GuiCopyJobHost::jobEnded(bool completed) {
    if (completed && !endedEarly_ && !stopped()) {
        caller_.call([this] {
            const QString target = spokenFolder(fields_.targetFolderText());
            notifyIfAway(
                clipsCopied_ == 1
                    ? QStringLiteral("1 clip copied to %1").arg(target)
                    : QStringLiteral("%1 clips copied to %2").arg(clipsCopied_).arg(target));
        });
    }
    progress_ = nullptr;
}

std::string GuiCopyJobHost::readText(QString (CopyJobFields::*field)() const) {
    std::string text;
    caller_.call([this, field, &text] { text = (fields_.*field)().toStdString(); });
    return text;
}

bool GuiCopyJobHost::readSwitch(bool (CopyJobFields::*field)() const) {
    bool checked = false;
    caller_.call([this, field, &checked] { checked = (fields_.*field)(); });
    return checked;
}

std::string GuiCopyJobHost::savedSourceFolder() {
    return readText(&CopyJobFields::savedSourceFolder);
}

std::string GuiCopyJobHost::targetFolderText() {
    return readText(&CopyJobFields::targetFolderText);
}

bool GuiCopyJobHost::generateFolderChecked() {
    return readSwitch(&CopyJobFields::generateFolderChecked);
}

std::string GuiCopyJobHost::folderMaskText() {
    return readText(&CopyJobFields::folderMaskText);
}

bool GuiCopyJobHost::renameFilesChecked() {
    return readSwitch(&CopyJobFields::renameFilesChecked);
}

std::string GuiCopyJobHost::fileMaskText() {
    return readText(&CopyJobFields::fileMaskText);
}

bool GuiCopyJobHost::stopped() const {
    return progress_ != nullptr && progress_->stopRequested();
}

bool GuiCopyJobHost::ask(const std::function<void(QWidget* over)>& question) {
    if (stopped()) {
        return false;
    }
    bool answered = false;
    caller_.call([this, &question, &answered] {
        // Checked again here: a stop may have come while the question was on
        // its way, and the progress dialog may have ended with it.
        QWidget* over = progress_ != nullptr ? progress_->dialogWindow() : owner_;
        if (over == nullptr || stopped()) {
            return;
        }
        question(over);
        answered = !stopped();
    });
    return answered;
}

ConflictChoice GuiCopyJobHost::askConflict(const std::string& existing,
                                           const std::string& keepBothName, bool& repeat) {
    auto choice = ConflictChoice::Cancel;
    bool chosenRepeat = repeat;
    if (!ask([&](QWidget* over) {
            choice = CCopyConflictDlg::ask(over, QString::fromStdString(existing),
                                           QString::fromStdString(keepBothName), chosenRepeat);
        })) {
        choice = ConflictChoice::Cancel;
    }
    if (choice == ConflictChoice::Cancel) {
        endedEarly_ = true;
    } else {
        repeat = chosenRepeat;
    }
    return choice;
}

PromptAnswer GuiCopyJobHost::askSkip(const SkipQuestion& question) {
    auto answer = PromptAnswer::Cancel;
    if (!ask([&](QWidget* over) {
            // Any answer is passed on as it came: the job rejects one it does
            // not know.
            answer = static_cast<PromptAnswer>(
                MessageBox::show(over, QString::fromStdString(question.text), MessageBox::OkCancel,
                                 QString(), MessageBox::LeavesParentUsable));
        })) {
        answer = PromptAnswer::Cancel;
    }
    if (answer == PromptAnswer::Cancel) {
        endedEarly_ = true;
    }
    return answer;
}

void GuiCopyJobHost::showFatal(const std::string& text) {
    endedEarly_ = true;
    ask([&](QWidget* over) {
        const QString message = QString::fromStdString(text);
        notifyIfAway(message);
        MessageBox::show(over, message, MessageBox::Ok, QString(), MessageBox::LeavesParentUsable);
    });
}

void GuiCopyJobHost::clipSettled(const ClipReport& report) {
    if (report.outcome == ClipOutcome::Copied || report.outcome == ClipOutcome::Replaced ||
        report.outcome == ClipOutcome::KeptBoth) {
        ++clipsCopied_;
    }
}

void GuiCopyJobHost::notifyIfAway(const QString& body) const {
    if (notifier_ != nullptr && QApplication::activeWindow() == nullptr) {
        notifier_->notify(body);
    }
}

} // namespace tandrel

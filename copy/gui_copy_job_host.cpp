#include "copy/gui_copy_job_host.h"

#include "common/message_box.h"
#include "copy/copy_conflict_dlg.h"

#include <QWidget>

GuiCopyJobHost::GuiCopyJobHost(QWidget* owner, const CopyJobFields& fields)
    : owner_(owner), fields_(fields) {}

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

ConflictChoice GuiCopyJobHost::askConflict(const std::string& existing,
                                           const std::string& keepBothName, bool& repeat) {
    int choice = ConflictCancel;
    caller_.call([this, &existing, &keepBothName, &repeat, &choice] {
        choice = CCopyConflictDlg::ask(owner_, QString::fromStdString(existing),
                                       QString::fromStdString(keepBothName), repeat);
    });
    // Any code is passed on as it came: the job rejects one it does not know.
    return static_cast<ConflictChoice>(choice);
}

int GuiCopyJobHost::askSkip(const std::string& text) {
    int answer = PromptCancel;
    caller_.call([this, &text, &answer] {
        answer = MessageBox::show(owner_, QString::fromStdString(text), MessageBox::OkCancel);
    });
    return answer;
}

void GuiCopyJobHost::showFatal(const std::string& text) {
    caller_.call(
        [this, &text] { MessageBox::show(owner_, QString::fromStdString(text), MessageBox::Ok); });
}

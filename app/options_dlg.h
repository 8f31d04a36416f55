#pragma once

#include "app/file_manager_entries.h"

#include <QDialog>

class QCheckBox;

namespace tandrel {

// Control ids of the options dialog (template 137).
enum OptionsDialogControl : int {
    IdOptionsOk = 1,
    IdOptionsCancel = 2,
    IdIncludeInMenu = 1032,
};

// Tools, Options: one check box that adds or removes the file-manager
// entries opening a folder in Tandrel. The entries themselves are the
// setting; OK applies the box, Cancel touches nothing.
class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    // The entries under the user's data folder, starting the running program.
    explicit COptionsDlg(QWidget* parent = nullptr);
    explicit COptionsDlg(const FileManagerEntries& entries, QWidget* parent = nullptr);

    // OK: writes or removes the entries, then closes. A failure is shown in
    // a message box and the dialog stays open.
    void accept() override;

private:
    void createControls();
    void OnInitDialog();

    FileManagerEntries entries_;
    QCheckBox* includeInMenu_ = nullptr;
};

} // namespace tandrel

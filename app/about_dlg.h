#pragma once

#include "common/static_link.h"

#include <QDialog>
#include <QString>

namespace tandrel {

// Control ids of the About dialog (template 100).
enum AboutDialogControl : int {
    IdAboutOk = 1,
    IdMakerLink = 1013,
    IdApplicationName = 1021,
    IdApplicationVersion = 1022,
    IdLegalCopyright = 1026,
};

// Help, About: the program's name and release, the product version and
// copyright from its version block, and a link to the maker's web address.
// Without a version block the labels show "-" and a message box says so
// once the dialog is on screen. Ctrl+H shows the picture dialog.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // Reads the version block of the running program's own file.
    explicit CAboutDlg(QWidget* parent = nullptr);
    // Reads the version block of `executable` instead.
    explicit CAboutDlg(const QString& executable, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void OnInitDialog(const QString& executable);

    CStaticLink link_;
    // The version block could not be read; said when the dialog shows.
    bool versionMissing_ = false;
};

} // namespace tandrel

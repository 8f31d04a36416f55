#pragma once

#include "common/date_time.h"
#include "common/desktop_notifier.h"
#include "common/dialog_units.h"
#include "copy/gui/gui_copy_job_host.h"

#include <QDialog>
#include <QIcon>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <ctime>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tandrel {

class MaskEdit;

// Control ids of the main dialog (template 102).
enum MainDialogControl : int {
    IdClose = 8,
    IdSourceFolder = 1000,
    IdTargetFolder = 1002,
    IdGenerateFolder = 1003,
    IdFolderMask = 1004,
    IdRenameFiles = 1005,
    IdFileMask = 1006,
    IdExample = 1007,
    IdBrowseSource = 1008,
    IdBrowseTarget = 1009,
    IdCopy = 1011,
    IdFolderToken = 1031,
    IdFileToken = 1032,
    IdSourceStatus = 1037,
};

// The result the dialog ends with when left through Close or File, Exit.
inline constexpr int closeResult = 8;

// Whether the progress dialog's result tells of a failure the user must hear
// of: anything but the job's end (1), the user's stop and a dialog that
// could not be shown.
bool isCopyFailure(std::uint32_t progressResult);

// The program's main window: source and target folders, the two masks with
// their switches and token menus, the example line, the source status, and
// the Copy and Close buttons. It restores its six settings when it opens,
// saves them on Copy and Close, and runs the copy job behind the progress
// dialog, answering the job's reads of its fields.
class CTandrelDlg : public QDialog, private CopyJobFields {
    Q_OBJECT
public:
    using Clock = std::tm (*)();

    // `arguments` is the program's command line; its first plain argument is
    // the source folder for this run. `clock` gives the example time once,
    // while the dialog opens.
    explicit CTandrelDlg(const QStringList& arguments, Clock clock = timeNow,
                         QWidget* parent = nullptr);

    // Writes the six values from the controls, in the store's table order.
    void SaveSettings();

    // The units the dialog is laid out in.
    const DialogUnits& dialogUnits() const { return units_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void OnInitDialog(const QStringList& arguments, Clock clock);
    void setFieldText(QLineEdit* field, const QString& text, void (CTandrelDlg::*handler)());

    QString savedSourceFolder() const override;
    QString targetFolderText() const override;
    bool generateFolderChecked() const override;
    QString folderMaskText() const override;
    bool renameFilesChecked() const override;
    QString fileMaskText() const override;

    void updateSourceStatus();
    void updateExample();
    void updateCopyButton();
    void onGenerateFolderClicked();
    void onRenameFilesClicked();
    void insertMaskToken(MaskEdit* edit, QMenu* menu, QPushButton* button);
    void onCopy();
    void onBrowse(QLineEdit* field);
    void onCommand(int command);
    void onClose();

    QIcon icon_;
    DialogUnits units_{QFont()};
    // The status line's width in the template; it grows to its text.
    int statusTemplateWidth_ = 0;
    QLineEdit* sourceFolder_ = nullptr;
    QLineEdit* targetFolder_ = nullptr;
    QCheckBox* generateFolder_ = nullptr;
    QCheckBox* renameFiles_ = nullptr;
    MaskEdit* folderMaskEdit_ = nullptr;
    MaskEdit* fileMaskEdit_ = nullptr;
    QLineEdit* example_ = nullptr;
    QMenu* folderTokenMenu_ = nullptr;
    QMenu* fileTokenMenu_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    DesktopNotifier notifier_;
    // The copy job's side of this dialog: its questions, and the parsed masks
    // and flags the job keeps between files.
    GuiCopyJobHost jobHost_{this, *this, &notifier_};
    std::tm exampleTime_{};
    QPushButton* folderTokenButton_ = nullptr;
    QPushButton* fileTokenButton_ = nullptr;
    QLabel* sourceStatus_ = nullptr;
    // The last results of the source check and the example update; Copy is
    // enabled exactly when both passed.
    bool sourceReady_ = true;
    bool namingReady_ = true;
};

} // namespace tandrel

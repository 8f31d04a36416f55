#include "app/tandrel_dlg.h"

#include "app/about_dlg.h"
#include "app/app_resources.h"
#include "app/command_line.h"
#include "app/mask_edit.h"
#include "app/menus.h"
#include "app/options_dlg.h"
#include "app/popup_menu.h"
#include "app/settings_store.h"
#include "common/dialog_units.h"
#include "common/message_box.h"
#include "common/xfolder_dialog.h"
#include "copy/copy_job_proc.h"
#include "copy/up_dialog.h"
#include "metadata/card_layout.h"
#include "metadata/path_text.h"
#include "naming/example_line.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The template was drawn for a narrower font than most desktops use. A text
// control whose text does not fit grows into the free room to its right
// (`roomUnits` wide in all), and where that room ends its font shrinks,
// at most to four fifths, until the text fits.
void fitText(QWidget* control, const DialogUnits& units, int roomUnits) {
    if (control->sizeHint().width() <= control->width()) {
        return;
    }
    control->resize(std::min(control->sizeHint().width(), units.x(roomUnits)), control->height());
    QFont font = control->font();
    const qreal smallest = font.pointSizeF() * 0.8;
    while (control->sizeHint().width() > control->width() && font.pointSizeF() - 0.5 >= smallest) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        control->setFont(font);
    }
}

template <typename Control>
Control* placeControl(Control* control, const DialogUnits& units, int id, int x, int y, int width,
                      int height) {
    units.place(control, x, y, width, height);
    if (id != 0) {
        setControlId(control, id);
    }
    return control;
}

} // namespace

bool isCopyFailure(std::uint32_t progressResult) {
    return progressResult != CUPDialog::ResultTrue && progressResult < 0x10000;
}

CTandrelDlg::CTandrelDlg(const QStringList& arguments, Clock clock, QWidget* parent)
    : QDialog(parent), icon_(programIcon()) {
    createControls();
    OnInitDialog(arguments, clock);
}

void CTandrelDlg::createControls() {
    setWindowTitle(QStringLiteral("Tandrel"));
    // A top-level window of its own, so desktops list it in their task bar;
    // fixed in size, with no minimise or maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    const DialogUnits units(font());
    auto* client = new QWidget(this);
    client->setFixedSize(units.size(322, 231));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QMenuBar* menuBar = createMainMenu(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);
    connect(menuBar, &QMenuBar::triggered, this,
            [this](QAction* action) { onCommand(action->data().toInt()); });

    placeControl(new QGroupBox(QStringLiteral("Input"), client), units, 0, 6, 6, 306, 58);
    auto* sourceLabel =
        placeControl(new QLabel(QStringLiteral("Source folder:"), client), units, 0, 15, 20, 46, 8);
    sourceFolder_ = placeControl(new QLineEdit(client), units, IdSourceFolder, 15, 31, 234, 14);
    auto* browseSource = placeControl(new QPushButton(QStringLiteral("&Browse..."), client), units,
                                      IdBrowseSource, 255, 31, 50, 14);
    sourceStatus_ = placeControl(new QLabel(QStringLiteral("-"), client), units, IdSourceStatus, 15,
                                 48, 234, 8);

    placeControl(new QGroupBox(QStringLiteral("Output"), client), units, 0, 6, 71, 306, 132);
    auto* targetLabel =
        placeControl(new QLabel(QStringLiteral("Target folder:"), client), units, 0, 15, 85, 46, 8);
    targetFolder_ = placeControl(new QLineEdit(client), units, IdTargetFolder, 15, 96, 234, 14);
    auto* browseTarget = placeControl(new QPushButton(QStringLiteral("B&rowse..."), client), units,
                                      IdBrowseTarget, 255, 96, 50, 14);
    generateFolder_ = placeControl(
        new QCheckBox(QStringLiteral("Use mask to generate destination folder"), client), units,
        IdGenerateFolder, 15, 119, 144, 10);
    folderMaskEdit_ = placeControl(new MaskEdit(client), units, IdFolderMask, 160, 119, 89, 14);
    folderTokenButton_ =
        placeControl(new QPushButton(client), units, IdFolderToken, 255, 119, 11, 14);
    renameFiles_ = placeControl(new QCheckBox(QStringLiteral("Use mask to rename files"), client),
                                units, IdRenameFiles, 15, 140, 95, 10);
    fileMaskEdit_ = placeControl(new MaskEdit(client), units, IdFileMask, 160, 140, 89, 14);
    fileTokenButton_ = placeControl(new QPushButton(client), units, IdFileToken, 255, 140, 11, 14);
    auto* exampleLabel =
        placeControl(new QLabel(QStringLiteral("Example:"), client), units, 0, 15, 162, 30, 8);
    example_ = placeControl(new QLineEdit(client), units, IdExample, 15, 173, 290, 14);
    example_->setReadOnly(true);
    copyButton_ = placeControl(new QPushButton(QStringLiteral("&Copy"), client), units, IdCopy, 90,
                               209, 50, 14);
    copyButton_->setEnabled(false);
    auto* close = placeControl(new QPushButton(QStringLiteral("Close"), client), units, IdClose,
                               180, 209, 50, 14);

    // The labels have the whole width of their group to the right; the check
    // boxes end where the mask boxes begin.
    for (QLabel* label : {sourceLabel, targetLabel, exampleLabel}) {
        fitText(label, units, 290);
    }
    fitText(generateFolder_, units, 145);
    fitText(renameFiles_, units, 145);

    for (QPushButton* token : {folderTokenButton_, fileTokenButton_}) {
        token->setIcon(tokenArrowIcon());
        token->setIconSize(tokenArrowSize);
    }
    folderTokenMenu_ = createMaskMenu(this);
    fileTokenMenu_ = createMaskMenu(this);

    connect(sourceFolder_, &QLineEdit::textChanged, this, &CTandrelDlg::updateSourceStatus);
    for (QLineEdit* field : {targetFolder_, static_cast<QLineEdit*>(folderMaskEdit_),
                             static_cast<QLineEdit*>(fileMaskEdit_)}) {
        connect(field, &QLineEdit::textChanged, this, &CTandrelDlg::updateExample);
    }
    connect(generateFolder_, &QCheckBox::clicked, this, &CTandrelDlg::onGenerateFolderClicked);
    connect(renameFiles_, &QCheckBox::clicked, this, &CTandrelDlg::onRenameFilesClicked);
    connect(folderTokenButton_, &QPushButton::clicked, this,
            [this] { insertMaskToken(folderMaskEdit_, folderTokenMenu_, folderTokenButton_); });
    connect(fileTokenButton_, &QPushButton::clicked, this,
            [this] { insertMaskToken(fileMaskEdit_, fileTokenMenu_, fileTokenButton_); });
    connect(copyButton_, &QPushButton::clicked, this, &CTandrelDlg::onCopy);
    connect(close, &QPushButton::clicked, this, &CTandrelDlg::onClose);
    connect(browseSource, &QPushButton::clicked, this, [this] { onBrowse(sourceFolder_); });
    connect(browseTarget, &QPushButton::clicked, this, [this] { onBrowse(targetFolder_); });
}

void CTandrelDlg::OnInitDialog(const QStringList& arguments, Clock clock) {
    setWindowIcon(icon_);
    const QString commandLineSource = commandLineFolder(arguments);

    exampleTime_ = clock();

    const QSettings settings;
    const QString source = commandLineSource.isEmpty()
                               ? storedText(settings, SettingName::sourceFolder, defaultFolder)
                               : commandLineSource;
    setFieldText(sourceFolder_, source, &CTandrelDlg::updateSourceStatus);
    setFieldText(targetFolder_, storedText(settings, SettingName::targetFolder, defaultFolder),
                 &CTandrelDlg::updateExample);

    generateFolder_->setChecked(storedNumber(settings, SettingName::generateFolder, 1) != 0);
    folderMaskEdit_->setEnabled(generateFolder_->isChecked());
    renameFiles_->setChecked(storedNumber(settings, SettingName::renameFiles, 1) != 0);
    fileMaskEdit_->setEnabled(renameFiles_->isChecked());

    setFieldText(folderMaskEdit_,
                 storedText(settings, SettingName::destinationFolderMask,
                            [] { return QString::fromLatin1(defaultFolderMask); }),
                 &CTandrelDlg::updateExample);
    setFieldText(fileMaskEdit_,
                 storedText(settings, SettingName::renameFilesMask,
                            [] { return QString::fromLatin1(defaultFileMask); }),
                 &CTandrelDlg::updateExample);
}

void CTandrelDlg::setFieldText(QLineEdit* field, const QString& text,
                               void (CTandrelDlg::*handler)()) {
    // Setting a field runs its check, as typing does; QLineEdit stays silent
    // when the text does not change, and the fields start empty.
    if (field->text() == text) {
        (this->*handler)();
    } else {
        field->setText(text);
    }
}

void CTandrelDlg::SaveSettings() {
    QSettings settings;
    settings.setValue(QString::fromLatin1(SettingName::sourceFolder), sourceFolder_->text());
    settings.setValue(QString::fromLatin1(SettingName::targetFolder), targetFolder_->text());
    settings.setValue(QString::fromLatin1(SettingName::generateFolder),
                      generateFolder_->isChecked() ? 1 : 0);
    settings.setValue(QString::fromLatin1(SettingName::renameFiles),
                      renameFiles_->isChecked() ? 1 : 0);
    settings.setValue(QString::fromLatin1(SettingName::destinationFolderMask),
                      folderMaskEdit_->text());
    settings.setValue(QString::fromLatin1(SettingName::renameFilesMask), fileMaskEdit_->text());
}

QString CTandrelDlg::savedSourceFolder() const {
    return QSettings().value(QString::fromLatin1(SettingName::sourceFolder)).toString();
}

QString CTandrelDlg::targetFolderText() const {
    return targetFolder_->text();
}

bool CTandrelDlg::generateFolderChecked() const {
    return generateFolder_->isChecked();
}

QString CTandrelDlg::folderMaskText() const {
    return folderMaskEdit_->text();
}

bool CTandrelDlg::renameFilesChecked() const {
    return renameFiles_->isChecked();
}

QString CTandrelDlg::fileMaskText() const {
    return fileMaskEdit_->text();
}

void CTandrelDlg::updateSourceStatus() {
    const SourceValidity validity =
        checkSourceFolder(pathFromText(sourceFolder_->text().toStdString()));
    sourceReady_ = validity == Ok;
    sourceStatus_->setText(QString::fromUtf8(sourceStatusText(validity)));
    fitText(sourceStatus_, DialogUnits(font()), 290);
    updateCopyButton();
}

void CTandrelDlg::updateExample() {
    const ExampleLine line =
        makeExampleLine(targetFolder_->text().toStdString(), generateFolder_->isChecked(),
                        folderMaskEdit_->text().toStdString(), renameFiles_->isChecked(),
                        fileMaskEdit_->text().toStdString(), exampleTime_);
    namingReady_ = line.namingReady;
    example_->setText(QString::fromStdString(line.text));
    updateCopyButton();
}

void CTandrelDlg::updateCopyButton() {
    copyButton_->setEnabled(sourceReady_ && namingReady_);
}

void CTandrelDlg::onGenerateFolderClicked() {
    folderMaskEdit_->setEnabled(generateFolder_->isChecked());
    updateExample();
}

void CTandrelDlg::onRenameFilesClicked() {
    fileMaskEdit_->setEnabled(renameFiles_->isChecked());
    updateExample();
}

void CTandrelDlg::insertMaskToken(MaskEdit* edit, QMenu* menu, QPushButton* button) {
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int end = edit->hasSelectedText() ? edit->selectionEnd() : start;

    const int command = PopupMenu::track(menu, button->mapToGlobal(QPoint(0, button->height())));
    const QString token = maskTokenForCommand(command);

    if (!token.isEmpty()) {
        // Setting the whole text leaves nothing to undo, and its change
        // notification runs the example update.
        QString text = edit->text();
        text.replace(start, end - start, token);
        edit->setText(text);
        edit->setFocus(Qt::OtherFocusReason);
        edit->setCursorPosition(start + static_cast<int>(token.size()));
    } else {
        edit->setFocus(Qt::OtherFocusReason);
        edit->setSelection(start, end - start);
    }
}

void CTandrelDlg::onCopy() {
    // The job reads the source folder from the settings, so they are saved first.
    SaveSettings();
    CUPDialog progress(this, copyJobProc, &jobHost_);
    if (isCopyFailure(static_cast<std::uint32_t>(progress.DoModal()))) {
        MessageBox::show(this, QStringLiteral("Some Error Occured."));
    }
}

void CTandrelDlg::onBrowse(QLineEdit* field) {
    CXFolderDialog picker(field->text(), {}, this);
    if (picker.DoModal() == 1) {
        field->setText(picker.GetPath());
    }
}

void CTandrelDlg::onCommand(int command) {
    switch (command) {
    case CommandExit:
        onClose();
        break;
    case CommandOptions: {
        COptionsDlg options(this);
        options.exec();
        break;
    }
    case CommandAbout: {
        CAboutDlg about(this);
        about.exec();
        break;
    }
    default:
        break;
    }
}

void CTandrelDlg::onClose() {
    SaveSettings();
    done(closeResult);
}

void CTandrelDlg::setVisible(bool visible) {
    QDialog::setVisible(visible);
    // QDialog makes the first push button after the focus the default one
    // when it shows; this dialog has none, only the focused button acts on
    // Enter.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (button->isDefault() && !button->hasFocus()) {
            button->setDefault(false);
        }
    }
}

void CTandrelDlg::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // The dialog has no default button: Enter outside a push button is
        // its OK, which leaves without saving.
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

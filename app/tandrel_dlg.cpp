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
#include "common/product_facts.h"
#include "common/xfolder_dialog.h"
#include "copy/gui/copy_job_proc.h"
#include "copy/gui/up_dialog.h"
#include "metadata/card_layout.h"
#include "metadata/mounted_cards.h"
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
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace tandrel {

namespace {

// Where each control of the template goes, in dialog units.
struct Placement {
    QWidget* control;
    QRect units;
};

// A text control that may take more room than the template gives it, up to
// `roomUnits` from its left edge.
struct TextRoom {
    QWidget* control;
    int roomUnits;
};

template <typename Control>
Control* addControl(std::vector<Placement>& placements, Control* control, int id, int x, int y,
                    int width, int height) {
    placements.push_back({control, QRect(x, y, width, height)});
    if (id != 0) {
        setControlId(control, id);
    }
    return control;
}

// Gives a text control the width its text needs, from its template width up
// to its room.
void growToText(QWidget* control, int templateWidth, int room) {
    control->resize(
        std::clamp(control->sizeHint().width(), templateWidth, std::max(room, templateWidth)),
        control->height());
}

// The mounted camera cards, as places of the folder picker: by volume label,
// or by the mount point's name when the volume has none.
QList<CXFolderDialog::Place> mountedCardPlaces() {
    QList<CXFolderDialog::Place> places;
    for (const MountedCard& card : findMountedCards()) {
        const std::string name =
            card.label.empty() ? card.mountPoint.filename().string() : card.label;
        places.append(
            {QString::fromStdString(name), QString::fromStdString(card.mountPoint.string())});
    }
    return places;
}

} // namespace

bool isCopyFailure(std::uint32_t progressResult) {
    return progressResult != CUPDialog::ResultTrue && progressResult < 0x10000;
}

CTandrelDlg::CTandrelDlg(const QStringList& arguments, Clock clock, QWidget* parent)
    : QDialog(parent), icon_(programIcon()) {
    createControls();
    OnInitDialog(arguments, clock);
    // Centred on its screen with its frame: Qt's own placement takes the
    // size before the layout has settled and, on a screen the window only
    // just fits, puts the title bar above the top.
    adjustSize();
    const QRect screen = DialogUnits::screenFor(this)->availableGeometry();
    const QSize frame = size() + DialogUnits::frameAround(this);
    move(screen.x() + std::max(0, (screen.width() - frame.width()) / 2),
         screen.y() + std::max(0, (screen.height() - frame.height()) / 2));
}

void CTandrelDlg::createControls() {
    setWindowTitle(QLatin1String(productName));
    // A top-level window of its own, so desktops list it in their task bar;
    // fixed in size, with no minimise or maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    QMenuBar* menuBar = createMainMenu(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(client);
    connect(menuBar, &QMenuBar::triggered, this,
            [this](QAction* action) { onCommand(action->data().toInt()); });
    const DialogUnits fitted = DialogUnits::forDialog(this, 322, 231, menuBar->sizeHint().height());

    std::vector<Placement> placed;
    addControl(placed, new QGroupBox(QStringLiteral("Input"), client), 0, 6, 6, 306, 58);
    auto* sourceLabel =
        addControl(placed, new QLabel(QStringLiteral("Source folder:"), client), 0, 15, 20, 46, 8);
    sourceFolder_ = addControl(placed, new QLineEdit(client), IdSourceFolder, 15, 31, 234, 14);
    auto* browseSource = addControl(placed, new QPushButton(QStringLiteral("&Browse..."), client),
                                    IdBrowseSource, 255, 31, 50, 14);
    sourceStatus_ =
        addControl(placed, new QLabel(QStringLiteral("-"), client), IdSourceStatus, 15, 48, 234, 8);

    addControl(placed, new QGroupBox(QStringLiteral("Output"), client), 0, 6, 71, 306, 132);
    auto* targetLabel =
        addControl(placed, new QLabel(QStringLiteral("Target folder:"), client), 0, 15, 85, 46, 8);
    targetFolder_ = addControl(placed, new QLineEdit(client), IdTargetFolder, 15, 96, 234, 14);
    auto* browseTarget = addControl(placed, new QPushButton(QStringLiteral("B&rowse..."), client),
                                    IdBrowseTarget, 255, 96, 50, 14);
    generateFolder_ = addControl(
        placed, new QCheckBox(QStringLiteral("Use mask to generate destination folder"), client),
        IdGenerateFolder, 15, 119, 144, 10);
    folderMaskEdit_ = addControl(placed, new MaskEdit(client), IdFolderMask, 160, 119, 89, 14);
    folderTokenButton_ =
        addControl(placed, new QPushButton(client), IdFolderToken, 255, 119, 11, 14);
    renameFiles_ =
        addControl(placed, new QCheckBox(QStringLiteral("Use mask to rename files"), client),
                   IdRenameFiles, 15, 140, 95, 10);
    fileMaskEdit_ = addControl(placed, new MaskEdit(client), IdFileMask, 160, 140, 89, 14);
    fileTokenButton_ = addControl(placed, new QPushButton(client), IdFileToken, 255, 140, 11, 14);
    auto* exampleLabel =
        addControl(placed, new QLabel(QStringLiteral("Example:"), client), 0, 15, 162, 30, 8);
    example_ = addControl(placed, new QLineEdit(client), IdExample, 15, 173, 290, 14);
    example_->setReadOnly(true);
    copyButton_ = addControl(placed, new QPushButton(QStringLiteral("&Copy"), client), IdCopy, 90,
                             209, 50, 14);
    copyButton_->setEnabled(false);
    auto* close = addControl(placed, new QPushButton(QStringLiteral("Close"), client), IdClose, 180,
                             209, 50, 14);

    // The template was drawn for a narrower font than most desktops use. The
    // labels may take the whole width of their group to the right, the check
    // boxes end where the mask boxes begin; where even that is too little,
    // the dialog grows, as far as the screen allows.
    const int sourceStatusRoom = 290;
    const TextRoom texts[] = {{sourceLabel, 290},     {targetLabel, 290},  {exampleLabel, 290},
                              {generateFolder_, 145}, {renameFiles_, 145}, {sourceStatus_, 290}};
    int widest = 0;
    for (auto value = static_cast<std::int32_t>(SourceValidity::Ok);
         value <= static_cast<std::int32_t>(SourceValidity::StreamFilesMissing); ++value) {
        widest = std::max(widest, sourceStatus_->fontMetrics().horizontalAdvance(QString::fromUtf8(
                                      sourceStatusText(static_cast<SourceValidity>(value)))));
    }
    qreal widen = static_cast<qreal>(widest) / fitted.x(sourceStatusRoom);
    for (const TextRoom& text : texts) {
        widen = std::max(widen, static_cast<qreal>(text.control->sizeHint().width()) /
                                    fitted.x(text.roomUnits));
    }
    const int roomOnScreen = DialogUnits::screenFor(this)->availableGeometry().width() -
                             DialogUnits::frameAround(this).width();
    widen = std::clamp(widen, 1.0, std::max(1.0, static_cast<qreal>(roomOnScreen) / fitted.x(322)));
    units_ = DialogUnits(font(), widen);

    client->setFixedSize(units_.size(322, 231));
    for (const Placement& placement : placed) {
        placement.control->setGeometry(units_.rect(placement.units.x(), placement.units.y(),
                                                   placement.units.width(),
                                                   placement.units.height()));
    }
    for (const TextRoom& text : texts) {
        growToText(text.control, text.control->width(), units_.x(text.roomUnits));
    }
    statusTemplateWidth_ = sourceStatus_->width();

    // No push button is the default one: Enter in a field is the dialog's
    // OK, and a button acts on Enter only while it has the focus (see
    // keyPressEvent), so none may take the default look either.
    for (QPushButton* button : client->findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
    }

    // The labels name their fields for screen readers (the status line reads
    // as its own text); the icon-only token buttons name themselves.
    sourceLabel->setBuddy(sourceFolder_);
    targetLabel->setBuddy(targetFolder_);
    exampleLabel->setBuddy(example_);
    for (QPushButton* token : {folderTokenButton_, fileTokenButton_}) {
        token->setIcon(tokenArrowIcon());
        token->setIconSize(tokenArrowSize);
        token->setToolTip(QStringLiteral("Insert a conversion"));
        token->setAccessibleName(token->toolTip());
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
    // As in an edit control whose text was set: the caret stands at the
    // start, where a token goes in before the box ever had the focus.
    folderMaskEdit_->setCursorPosition(0);
    fileMaskEdit_->setCursorPosition(0);
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
    sourceReady_ = validity == SourceValidity::Ok;
    sourceStatus_->setText(QString::fromUtf8(sourceStatusText(validity)));
    growToText(sourceStatus_, statusTemplateWidth_, units_.x(290));
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
    picker.SetExtraPlaces(mountedCardPlaces());
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

void CTandrelDlg::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // The dialog has no default button: Enter presses the push button
        // that has the focus, and anywhere else it is the dialog's OK, which
        // leaves without saving.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        } else {
            accept();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tandrel

#include "common/xfolder_dialog.h"

#include "common/dialog_units.h"
#include "common/history_combo.h"
#include "common/message_box.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QUrl>

#include <algorithm>

namespace tandrel {

namespace {

const int historyLimit = 50;
const int dropDownItems = 20;

// The places list may take up to this share of the dialog's width.
const qreal placesShare = 0.4;

// The roles of the places list's model: each entry's address, and whether
// its folder exists.
const int placeUrlRole = Qt::UserRole + 1;
const int placeEnabledRole = Qt::UserRole + 2;

// Draws the places list's entries, the caller's places under their labels,
// and the ones whose folder is missing greyed out.
class PlacesDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QHash<QUrl, QString> labels;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QVariant enabled = index.data(placeEnabledRole);
        if (enabled.isValid() && !enabled.toBool()) {
            option->state &= ~QStyle::State_Enabled;
        }
        const auto label = labels.constFind(index.data(placeUrlRole).toUrl());
        if (label != labels.constEnd()) {
            option->text = *label;
        }
    }
};

// The standard places of the sidebar, as the places bar of a folder picker
// offers them.
QList<QUrl> places() {
    QList<QUrl> urls;
    const QStandardPaths::StandardLocation locations[] = {
        QStandardPaths::HomeLocation, QStandardPaths::DesktopLocation,
        QStandardPaths::DocumentsLocation, QStandardPaths::MoviesLocation};
    for (const QStandardPaths::StandardLocation location : locations) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            const QUrl url = QUrl::fromLocalFile(folder);
            if (!urls.contains(url)) {
                urls << url;
            }
        }
    }
    urls << QUrl::fromLocalFile(QDir::rootPath());
    return urls;
}

} // namespace

CXFolderDialog::CXFolderDialog(const QString& initialFolder, QFileDialog::Options flags,
                               QWidget* parent)
    : QFileDialog(parent), initialFolder_(initialFolder) {
    setOptions(flags | QFileDialog::DontUseNativeDialog | QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    setSidebarUrls(places());
    if (auto* sidebar = findChild<QAbstractItemView*>(QStringLiteral("sidebar"))) {
        placesDelegate_ = new PlacesDelegate(sidebar);
        sidebar->setItemDelegate(placesDelegate_);
    }
    buildFolderNameRow();
}

void CXFolderDialog::SetExtraPlaces(const QList<Place>& extra) {
    QList<QUrl> urls;
    auto* delegate = static_cast<PlacesDelegate*>(placesDelegate_);
    if (delegate != nullptr) {
        delegate->labels.clear();
    }
    for (const Place& place : extra) {
        const QUrl url = QUrl::fromLocalFile(place.path);
        urls << url;
        if (delegate != nullptr) {
            delegate->labels.insert(url, place.label);
        }
    }
    setSidebarUrls(urls + places());
}

CXFolderDialog::~CXFolderDialog() {
    if (registryFlag_ && viewModeFlag_) {
        QSettings settings;
        settings.setValue(QStringLiteral("XFolderDialog/ViewMode"), viewMode_);
    }
}

void CXFolderDialog::buildFolderNameRow() {
    // The file name and file type rows have no use in a folder picker.
    for (const char* name : {"fileNameLabel", "fileNameEdit", "fileTypeLabel", "fileTypeCombo"}) {
        if (auto* widget = findChild<QWidget*>(QLatin1String(name))) {
            widget->hide();
            widget->setEnabled(false);
        }
    }

    folderNameLabel_ = new QLabel(tr("Folder &name:"), this);
    history_ = new CHistoryCombo(this);
    okButton_ = new QPushButton(tr("OK"), this);
    folderNameLabel_->setBuddy(history_);
    history_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    okButton_->setDefault(true);
    if (style()->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons, nullptr, this) != 0) {
        okButton_->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton, nullptr, this));
    }
    setControlId(folderNameLabel_, IdFolderNameLabel);
    setControlId(history_, IdHistory);
    setControlId(okButton_, IdOk);

    // The picker's own OK takes the place of the dialog's Open, above Cancel.
    auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    if (buttons != nullptr) {
        if (QPushButton* open = buttons->button(QDialogButtonBox::Open)) {
            open->hide();
            open->setDefault(false);
            open->setAutoDefault(false);
        }
        if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel)) {
            setControlId(cancel, IdCancel);
            okButton_->setMinimumWidth(cancel->sizeHint().width());
        }
    }
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = fileNameRow(*grid);
        if (buttons != nullptr) {
            grid->removeWidget(buttons);
            grid->addWidget(buttons, row + 1, 2);
        }
        grid->addWidget(folderNameLabel_, row, 0);
        grid->addWidget(history_, row, 1);
        grid->addWidget(okButton_, row, 2);
    }

    connect(okButton_, &QPushButton::clicked, this, &CXFolderDialog::accept);
    connect(history_, &QComboBox::activated, this,
            [this](int index) { openFolder(history_->itemText(index)); });
    history_->installEventFilter(this);
    connect(this, &QFileDialog::directoryEntered, this, &CXFolderDialog::onFolderEntered);
    if (auto* view = findChild<QAbstractItemView*>(QStringLiteral("listView"))) {
        selection_ = view->selectionModel();
    }
    if (selection_ != nullptr) {
        connect(selection_, &QItemSelectionModel::selectionChanged, this,
                &CXFolderDialog::onSelectionChanged);
        // What the box shows is what OK takes: once the user edits it, a
        // folder selected earlier in the list no longer stands in for it.
        connect(history_->lineEdit(), &QLineEdit::textEdited, selection_,
                &QItemSelectionModel::clearSelection);
    }
}

int CXFolderDialog::fileNameRow(const QGridLayout& grid) const {
    const auto* label = findChild<QWidget*>(QStringLiteral("fileNameLabel"));
    const int index = label != nullptr ? grid.indexOf(label) : -1;
    if (index < 0) {
        return grid.rowCount();
    }
    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    grid.getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    return row;
}

void CXFolderDialog::SetViewMode(int mode) {
    if (mode == -1) {
        viewModeFlag_ = false;
        registryFlag_ = false;
        return;
    }
    viewMode_ = mode;
    viewModeFlag_ = true;
    registryFlag_ = true;
}

int CXFolderDialog::DoModal() {
    initialiseHistory();
    setWindowTitle(title_.isEmpty() ? tr("Select Folder") : title_);
    if (!initialFolder_.isEmpty()) {
        // A folder still to be made (a new target) opens the folder it will
        // be made in, not the one the dialog visited last.
        QString folder =
            QDir::cleanPath(QFileInfo(expandedHome(initialFolder_)).absoluteFilePath());
        while (!QFileInfo(folder).isDir() && !QDir(folder).isRoot()) {
            folder = QFileInfo(folder).path();
        }
        setDirectory(folder);
    }
    fitPlacesList();
    fitOnScreen();
    onFolderEntered(directory().absolutePath());
    if (viewModeFlag_) {
        if (registryFlag_ && viewMode_ == 0) {
            viewMode_ = QSettings().value(QStringLiteral("XFolderDialog/ViewMode"), 0).toInt();
        }
        applyViewMode();
    }

    const int result = exec();

    if (viewModeFlag_) {
        viewMode_ = viewMode() == QFileDialog::Detail ? ViewModeDetails : ViewModeList;
    }
    return result == QDialog::Accepted ? 1 : 2;
}

void CXFolderDialog::fitPlacesList() {
    auto* sidebar = findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
    auto* splitter = findChild<QSplitter*>(QStringLiteral("splitter"));
    if (sidebar == nullptr || splitter == nullptr || splitter->count() < 2) {
        return;
    }
    // As wide as its longest entry with its icon, within reason.
    const int iconWidth = sidebar->iconSize().isValid()
                              ? sidebar->iconSize().width()
                              : style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, sidebar);
    int longest = 0;
    const QAbstractItemModel* model = sidebar->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        QStyleOptionViewItem option;
        option.initFrom(sidebar);
        option.features |= QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
        option.decorationSize = QSize(iconWidth, iconWidth);
        longest = std::max(longest, sidebar->itemDelegate()->sizeHint(option, index).width());
    }
    const int frame = 2 * sidebar->frameWidth() +
                      style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, sidebar);
    const int total = std::max(splitter->width(), sizeHint().width());
    const int width = std::min(longest + frame, static_cast<int>(total * placesShare));
    splitter->setSizes({width, std::max(total - width, 1)});
    sidebar->setMinimumWidth(width);
}

void CXFolderDialog::fitOnScreen() {
    const QRect screen = DialogUnits::screenFor(this)->availableGeometry();
    const QSize room = screen.size() - DialogUnits::frameAround(this);
    resize(std::min(width(), room.width()), std::min(height(), room.height()));
}

void CXFolderDialog::initialiseHistory() {
    history_->clear();
    history_->SetHistoryLimit(historyLimit);
    history_->SetDropDownItems(dropDownItems);
    history_->SetCheckExists(true);
    history_->ReadHistory(QStringLiteral("FolderHistory"), QStringLiteral("Folder"), true,
                          QString());
    if (history_->count() > 0) {
        history_->setEditText(history_->itemText(0));
    }
}

void CXFolderDialog::applyViewMode() {
    // Qt's dialog has a details and a list view; every other stored mode
    // (icons, tiles) is closest to the list.
    setViewMode(viewMode_ == ViewModeDetails ? QFileDialog::Detail : QFileDialog::List);
}

void CXFolderDialog::accept() {
    QString path = selectedFolder();
    if (!path.isEmpty()) {
        history_->setEditText(path);
    } else {
        path = history_->currentText();
    }
    chosenPath_ = path;
    if (path.isEmpty()) {
        MessageBox::show(this, tr("Please select a folder."));
        return;
    }
    const QString folder = absoluteFolder(path);
    if (!QFileInfo(folder).isDir()) {
        MessageBox::show(this, tr("The folder '%1' isn't accessible.").arg(path));
        return;
    }
    if (folder != path) {
        chosenPath_ = folder;
        history_->setEditText(folder);
    }
    history_->WriteHistory();
    QFileDialog::done(QDialog::Accepted);
}

void CXFolderDialog::showEvent(QShowEvent* event) {
    QFileDialog::showEvent(event);
    history_->setFocus(Qt::OtherFocusReason);
    history_->lineEdit()->selectAll();
}

bool CXFolderDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == history_ && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Opening the drop-down list or another window does not leave the box.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            const QString text = history_->currentText();
            if (!text.isEmpty()) {
                chosenPath_ = text;
                openFolder(text);
            }
        }
    }
    return QFileDialog::eventFilter(watched, event);
}

QString CXFolderDialog::selectedFolder() const {
    if (selection_ == nullptr) {
        return {};
    }
    const QModelIndexList rows = selection_->selectedRows();
    if (rows.isEmpty()) {
        return {};
    }
    return QDir::toNativeSeparators(rows.first().data(QFileSystemModel::FilePathRole).toString());
}

QString CXFolderDialog::expandedHome(const QString& text) {
    if (text == QLatin1String("~") || text.startsWith(QLatin1String("~/"))) {
        return QDir::homePath() + text.mid(1);
    }
    return text;
}

QString CXFolderDialog::absoluteFolder(const QString& typed) const {
    // A relative name means a folder inside the one the view shows, as it
    // would when typed into a file dialog; "~" is the home folder, as in a
    // shell.
    const QString text = expandedHome(typed);
    if (QDir::isAbsolutePath(text)) {
        return text;
    }
    return QDir::toNativeSeparators(QDir::cleanPath(directory().absoluteFilePath(text)));
}

void CXFolderDialog::openFolder(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    const QString folder = absoluteFolder(text);
    if (QFileInfo(folder).isDir()) {
        setDirectory(folder);
    }
}

void CXFolderDialog::onSelectionChanged() {
    const QString path = selectedFolder();
    chosenPath_ = path;
    if (!path.isEmpty()) {
        history_->setEditText(path);
    }
}

void CXFolderDialog::onFolderEntered(const QString& folder) {
    chosenPath_ = QDir::toNativeSeparators(folder);
    if (!chosenPath_.isEmpty()) {
        history_->setEditText(chosenPath_);
    }
}

} // namespace tandrel

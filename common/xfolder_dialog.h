#pragma once

#include "common/common_export.h"

#include <QFileDialog>
#include <QList>
#include <QString>

class QEvent;
class QGridLayout;
class QItemSelectionModel;
class QLabel;
class QPushButton;
class QStyledItemDelegate;

namespace tandrel {

class CHistoryCombo;

// Which layout of the platform's file dialog to assume. This platform's
// dialog has one layout only, so the value is kept for callers but changes
// nothing.
enum XFILEDIALOG_OS_VERSION {
    XFILEDIALOG_OS_DETECT = 0,
    XFILEDIALOG_OS_BEFORE_2000 = 1,
    XFILEDIALOG_OS_2000_OR_LATER = 2,
};

// A folder picker on Qt's own file dialog: the view lists folders only, the
// file name and file type rows are hidden, and a "Folder name:" row with a
// history of recently chosen folders and the picker's own OK button takes
// their place. The history lives in the application's settings, group
// "FolderHistory"; the view mode can be kept in group "XFolderDialog".
// A folder name may begin with "~" for the home folder; the picker opens in
// the initial folder, or the nearest existing folder above it.
class COMMON_EXPORT CXFolderDialog : public QFileDialog {
    Q_OBJECT

public:
    // Control ids of the picker's own row.
    enum { IdOk = 1, IdCancel = 2, IdFolderNameLabel = 1001, IdHistory = 1002 };
    // View mode numbers as stored under "ViewMode".
    enum { ViewModeDetails = 28747, ViewModeList = 28753 };

    // A place the caller offers above the standard ones: a folder and the
    // name it goes by.
    struct Place {
        QString label;
        QString path;
    };

    // `flags` are added to the options the picker needs itself.
    explicit CXFolderDialog(const QString& initialFolder = QString(),
                            QFileDialog::Options flags = {}, QWidget* parent = nullptr);
    // Stores the view mode when both the registry and the view mode flag are on.
    ~CXFolderDialog() override;

    // Runs the picker; 1 when a folder was confirmed, 2 otherwise.
    int DoModal();
    // The chosen folder; meaningful after DoModal returned 1.
    QString GetPath() const { return chosenPath_; }
    // The caption; an empty title shows "Select Folder".
    void SetTitle(const QString& title) { title_ = title; }
    // Places shown first in the places list, in this order, by their labels.
    void SetExtraPlaces(const QList<Place>& places);

    XFILEDIALOG_OS_VERSION GetOsVersion() const { return osVersion_; }
    void SetOsVersion(XFILEDIALOG_OS_VERSION version) { osVersion_ = version; }

    // Keeps the view mode in the settings (with the view mode flag on).
    void EnableRegistry(bool enable) { registryFlag_ = enable; }
    int GetViewMode() const { return viewMode_; }
    // -1 turns view mode handling and its persistence off; any other value
    // becomes the view mode (0: the stored one, else list) and turns both on.
    void SetViewMode(int mode);

    // Confirms the folder as the OK button does.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFolderNameRow();
    int fileNameRow(const QGridLayout& grid) const;
    void initialiseHistory();
    void applyViewMode();
    void fitPlacesList();
    void fitOnScreen();
    QString selectedFolder() const;
    static QString expandedHome(const QString& text);
    QString absoluteFolder(const QString& typed) const;
    void openFolder(const QString& text);
    void onSelectionChanged();
    void onFolderEntered(const QString& folder);

    CHistoryCombo* history_ = nullptr;
    QLabel* folderNameLabel_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QItemSelectionModel* selection_ = nullptr;
    // Draws the places list, with the labels of the caller's places.
    QStyledItemDelegate* placesDelegate_ = nullptr;
    QString title_;
    QString initialFolder_;
    QString chosenPath_;
    int viewMode_ = 0;
    bool registryFlag_ = false;
    bool viewModeFlag_ = false;
    XFILEDIALOG_OS_VERSION osVersion_ = XFILEDIALOG_OS_DETECT;
};

} // namespace tandrel

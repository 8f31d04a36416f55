#include "common/xfolder_dialog.h"

#include "common/dialog_units.h"
#include "common/history_combo.h"
#include "common/message_box.h"
#include "tests/support/gui_input.h"
#include "tests/support/qstring_printer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

QString qt(const fs::path& path) {
    return QString::fromStdString(path.string());
}

QString entryKey(int index) {
    return QString("FolderHistory/Folder%1").arg(index, 4, 10, QChar('0'));
}

QString stored(int index) {
    return QSettings().value(entryKey(index)).toString();
}

class XFolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings().clear();
        MessageBox::clearScript();
    }
    void TearDown() override { MessageBox::clearScript(); }

    // Creates `count` folders under the temporary folder and stores them as
    // the history, newest first.
    QStringList storeHistory(int count) {
        QStringList folders;
        QSettings settings;
        for (int index = 0; index < count; ++index) {
            const fs::path folder = dir_ / ("folder" + std::to_string(index));
            fs::create_directories(folder);
            folders << qt(folder);
            settings.setValue(entryKey(index), folders.last());
        }
        return folders;
    }

    // Runs `dialog` modally and performs `steps` inside its loop; a picker
    // still open afterwards is cancelled, so a failing step cannot hang.
    static int runPicker(CXFolderDialog& dialog, const std::function<void()>& steps) {
        QTimer::singleShot(0, &dialog, [&dialog, steps] {
            steps();
            if (dialog.isVisible()) {
                dialog.reject();
            }
        });
        return dialog.DoModal();
    }

    static CHistoryCombo* history(const CXFolderDialog& dialog) {
        return findControl<CHistoryCombo>(&dialog, CXFolderDialog::IdHistory);
    }

    static void clickOk(const CXFolderDialog& dialog) {
        findControl<QPushButton>(&dialog, CXFolderDialog::IdOk)->click();
    }

    // Types `text` into the history box as a user would, replacing its text.
    static void type(const CXFolderDialog& dialog, const QString& text) {
        typeText(history(dialog)->lineEdit(), text);
    }

    // The folder view on show: the list or the details view.
    static QAbstractItemView* visibleView(const CXFolderDialog& dialog) {
        auto* list = dialog.findChild<QAbstractItemView*>("listView");
        return list->isVisible() ? list : dialog.findChild<QAbstractItemView*>("treeView");
    }

    static void select(const CXFolderDialog& dialog, const QString& folder) {
        auto* view = dialog.findChild<QAbstractItemView*>("listView");
        auto* model = qobject_cast<QFileSystemModel*>(view->model());
        view->selectionModel()->select(model->index(folder), QItemSelectionModel::ClearAndSelect |
                                                                 QItemSelectionModel::Rows);
    }

    TempDir dir_;
};

} // namespace

TEST_F(XFolderDialogTest, RendersAsAFolderPicker) {
    const QString home = QDir::homePath();
    for (const char* place : {"Desktop", "Documents", "Videos"}) {
        QDir(home).mkpath(place);
    }
    const fs::path videos = fs::path(home.toStdString()) / "Videos";
    for (const char* name : {"2026_12_05", "2026_12_06", "Holiday", "Interviews"}) {
        fs::create_directories(videos / name);
    }
    QSettings().setValue(entryKey(0), qt(videos));
    QSettings().setValue(entryKey(1), home);

    CXFolderDialog dialog(qt(videos));
    dialog.resize(620, 400);
    runPicker(dialog, [&dialog] {
        EXPECT_EQ(dialog.windowTitle(), "Select Folder");
        for (const char* hidden :
             {"fileNameLabel", "fileNameEdit", "fileTypeLabel", "fileTypeCombo"}) {
            EXPECT_FALSE(dialog.findChild<QWidget*>(hidden)->isVisible()) << hidden;
        }
        for (const int id : {1, 2, 1001, 1002}) {
            ASSERT_NE(findControl(&dialog, id), nullptr) << id;
            EXPECT_TRUE(findControl(&dialog, id)->isVisible()) << id;
        }
        EXPECT_EQ(history(dialog)->count(), 2);
    });
}

TEST_F(XFolderDialogTest, TitleReplacesTheCaption) {
    CXFolderDialog dialog;
    dialog.SetTitle("Target folder");
    runPicker(dialog, [&dialog] { EXPECT_EQ(dialog.windowTitle(), "Target folder"); });
}

TEST_F(XFolderDialogTest, ConfirmingTheFourthEntryMovesItToTheTop) {
    const QStringList folders = storeHistory(5);
    CXFolderDialog dialog(folders[0]);
    const int result = runPicker(dialog, [&dialog, &folders] {
        CHistoryCombo* box = history(dialog);
        ASSERT_EQ(box->count(), 5);
        box->setCurrentIndex(3);
        emit box->activated(3);
        EXPECT_EQ(dialog.directory().absolutePath(), folders[3]);
        clickOk(dialog);
    });

    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.GetPath(), folders[3]);
    EXPECT_EQ(stored(0), folders[3]);
    EXPECT_EQ(stored(1), folders[0]);
    EXPECT_EQ(stored(2), folders[1]);
    EXPECT_EQ(stored(3), folders[2]);
    EXPECT_EQ(stored(4), folders[4]);
    EXPECT_FALSE(QSettings().contains(entryKey(5)));
    EXPECT_EQ(QSettings().value("FolderHistory/Folder").toString(), folders[3]);
}

TEST_F(XFolderDialogTest, FiftyEntriesAndANewFolderDropTheOldest) {
    const QStringList folders = storeHistory(50);
    const fs::path fresh = dir_ / "fresh";
    fs::create_directories(fresh);
    CXFolderDialog dialog(qt(fresh));
    const int result = runPicker(dialog, [&dialog] { clickOk(dialog); });

    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.GetPath(), qt(fresh));
    EXPECT_EQ(stored(0), qt(fresh));
    for (int index = 1; index < 50; ++index) {
        EXPECT_EQ(stored(index), folders[index - 1]) << index;
    }
    EXPECT_FALSE(QSettings().contains(entryKey(50)));
}

TEST_F(XFolderDialogTest, TypedFolderIsTheResult) {
    const QStringList folders = storeHistory(2);
    const fs::path typed = dir_ / "typed here";
    fs::create_directories(typed);
    CXFolderDialog dialog(folders[1]);
    const int result = runPicker(dialog, [&dialog, &typed] {
        type(dialog, qt(typed));
        clickOk(dialog);
    });

    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.GetPath(), qt(typed));
    EXPECT_EQ(stored(0), qt(typed));
    EXPECT_EQ(stored(1), QStringList(folders)[0]);
    EXPECT_EQ(stored(2), QStringList(folders)[1]);
}

TEST_F(XFolderDialogTest, ReturnInTheHistoryBoxConfirms) {
    const fs::path typed = dir_ / "typed";
    fs::create_directories(typed);
    CXFolderDialog dialog(qt(dir_.path()));
    const int result = runPicker(dialog, [&dialog, &typed] {
        type(dialog, qt(typed));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(history(dialog)->lineEdit(), &enter);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.GetPath(), qt(typed));
}

TEST_F(XFolderDialogTest, RelativeNameMeansAFolderInTheShownOne) {
    fs::create_directories(dir_ / "shown" / "inner");
    CXFolderDialog dialog(qt(dir_ / "shown"));
    const int result = runPicker(dialog, [&dialog] {
        type(dialog, "inner");
        clickOk(dialog);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.GetPath(), qt(dir_ / "shown" / "inner"));
    EXPECT_EQ(stored(0), qt(dir_ / "shown" / "inner"));
}

TEST_F(XFolderDialogTest, TildeIsTheHomeFolder) {
    QDir(QDir::homePath()).mkpath(QStringLiteral("Videos"));
    for (const QString& typed : {QStringLiteral("~/Videos"), QStringLiteral("~")}) {
        CXFolderDialog dialog(qt(dir_.path()));
        const int result = runPicker(dialog, [&dialog, &typed] {
            type(dialog, typed);
            clickOk(dialog);
        });
        EXPECT_EQ(result, 1) << typed.toStdString();
        EXPECT_EQ(dialog.GetPath(), QDir::homePath() + typed.mid(1));
    }
}

// A target that is still to be made opens the folder it will be made in.
TEST_F(XFolderDialogTest, OpensInTheNearestExistingFolderAboveTheInitialOne) {
    fs::create_directories(dir_ / "imports");
    CXFolderDialog visited(qt(dir_.path()));
    runPicker(visited, [] {});
    CXFolderDialog dialog(qt(dir_ / "imports" / "2026" / "december"));
    QString opened;
    runPicker(dialog, [&dialog, &opened] { opened = dialog.directory().absolutePath(); });
    EXPECT_EQ(opened, qt(dir_ / "imports"));
}

// The caller's places (mounted cards) come first under their labels, and
// the list is wide enough for its longest entry.
TEST_F(XFolderDialogTest, PlacesListShowsTheCallersPlacesFirstAndCanBeRead) {
    fs::create_directories(dir_ / "card");
    fs::create_directories(dir_ / "second");
    CXFolderDialog dialog(qt(dir_.path()));
    dialog.SetExtraPlaces({{QStringLiteral("CAMERA CARD OF THE SECOND UNIT"), qt(dir_ / "card")},
                           {QStringLiteral("SECOND"), qt(dir_ / "second")}});
    runPicker(dialog, [&dialog, this] {
        auto* places = dialog.findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
        ASSERT_NE(places, nullptr);
        const QAbstractItemModel* model = places->model();
        ASSERT_GT(model->rowCount(), 2);
        EXPECT_EQ(model->index(0, 0).data(Qt::UserRole + 1).toUrl(),
                  QUrl::fromLocalFile(qt(dir_ / "card")));
        EXPECT_EQ(model->index(1, 0).data(Qt::UserRole + 1).toUrl(),
                  QUrl::fromLocalFile(qt(dir_ / "second")));
        QStyleOptionViewItem option;
        option.initFrom(places);
        const int labelWidth = places->fontMetrics().horizontalAdvance(
            QStringLiteral("CAMERA CARD OF THE SECOND UNIT"));
        EXPECT_GE(places->itemDelegate()->sizeHint(option, model->index(0, 0)).width(), labelWidth);
        for (int row = 0; row < model->rowCount(); ++row) {
            EXPECT_LE(places->itemDelegate()->sizeHint(option, model->index(row, 0)).width(),
                      places->viewport()->width())
                << row;
        }
    });
}

TEST_F(XFolderDialogTest, SelectedFolderIsTheResultUntilTheBoxIsEdited) {
    fs::create_directories(dir_ / "picked");
    fs::create_directories(dir_ / "typed");
    CXFolderDialog dialog(qt(dir_.path()));
    int result = runPicker(dialog, [this, &dialog] {
        select(dialog, qt(dir_ / "picked"));
        EXPECT_EQ(history(dialog)->currentText(), qt(dir_ / "picked"));
        clickOk(dialog);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.GetPath(), qt(dir_ / "picked"));

    CXFolderDialog second(qt(dir_.path()));
    result = runPicker(second, [this, &second] {
        select(second, qt(dir_ / "picked"));
        type(second, qt(dir_ / "typed"));
        clickOk(second);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(second.GetPath(), qt(dir_ / "typed"));
}

TEST_F(XFolderDialogTest, VanishedFoldersAreNotLoadedAndLeaveTheStore) {
    const QStringList folders = storeHistory(5);
    fs::remove(dir_ / "folder1");
    fs::remove(dir_ / "folder3");
    CXFolderDialog dialog(folders[2]);
    const int result = runPicker(dialog, [&dialog, &folders] {
        CHistoryCombo* box = history(dialog);
        ASSERT_EQ(box->count(), 3);
        EXPECT_EQ(box->itemText(0), folders[0]);
        EXPECT_EQ(box->itemText(1), folders[2]);
        EXPECT_EQ(box->itemText(2), folders[4]);
        clickOk(dialog);
    });

    EXPECT_EQ(result, 1);
    EXPECT_EQ(stored(0), folders[2]);
    EXPECT_EQ(stored(1), folders[0]);
    EXPECT_EQ(stored(2), folders[4]);
    EXPECT_FALSE(QSettings().contains(entryKey(3)));
    EXPECT_FALSE(QSettings().contains(entryKey(4)));
}

TEST_F(XFolderDialogTest, NothingOrNoFolderKeepsThePickerOpen) {
    writeFile(dir_ / "a file", "clip");
    const QString missing = qt(dir_ / "missing");
    const QString file = qt(dir_ / "a file");
    for (int box = 0; box < 3; ++box) {
        MessageBox::queueAnswer(MessageBox::AnswerOk);
    }
    CXFolderDialog dialog(qt(dir_.path()));
    const int result = runPicker(dialog, [&] {
        history(dialog)->setEditText("");
        clickOk(dialog);
        EXPECT_TRUE(dialog.isVisible());
        type(dialog, missing);
        clickOk(dialog);
        EXPECT_TRUE(dialog.isVisible());
        type(dialog, file);
        clickOk(dialog);
        EXPECT_TRUE(dialog.isVisible());
    });

    EXPECT_EQ(result, 2);
    EXPECT_EQ(
        MessageBox::shownTexts(),
        QStringList({"Please select a folder.", "The folder '" + missing + "' isn't accessible.",
                     "The folder '" + file + "' isn't accessible."}));
    EXPECT_EQ(MessageBox::shownCaptions(), QStringList(3, "xfolder_dialog_test"));
    EXPECT_TRUE(QSettings().allKeys().isEmpty());
}

TEST_F(XFolderDialogTest, CancelStoresNothing) {
    storeHistory(2);
    const QStringList before = QSettings().allKeys();
    CXFolderDialog dialog(qt(dir_.path()));
    EXPECT_EQ(runPicker(dialog, [&dialog] { dialog.reject(); }), 2);
    EXPECT_EQ(QSettings().allKeys(), before);
}

TEST_F(XFolderDialogTest, ViewModeIsKeptWhenAsked) {
    QSettings().setValue("XFolderDialog/ViewMode", CXFolderDialog::ViewModeDetails);
    {
        CXFolderDialog dialog(qt(dir_.path()));
        dialog.SetViewMode(0);
        runPicker(dialog, [&dialog] {
            EXPECT_EQ(dialog.viewMode(), QFileDialog::Detail);
            dialog.setViewMode(QFileDialog::List);
        });
        EXPECT_EQ(dialog.GetViewMode(), CXFolderDialog::ViewModeList);
    }
    EXPECT_EQ(QSettings().value("XFolderDialog/ViewMode").toInt(), CXFolderDialog::ViewModeList);

    {
        CXFolderDialog dialog(qt(dir_.path()));
        dialog.SetViewMode(CXFolderDialog::ViewModeDetails);
        runPicker(dialog, [&dialog] { EXPECT_EQ(dialog.viewMode(), QFileDialog::Detail); });
    }
    EXPECT_EQ(QSettings().value("XFolderDialog/ViewMode").toInt(), CXFolderDialog::ViewModeDetails);
}

TEST_F(XFolderDialogTest, ViewModeIsNotKeptOtherwise) {
    {
        CXFolderDialog dialog(qt(dir_.path()));
        dialog.EnableRegistry(true);
        runPicker(dialog, [] {});
    }
    {
        CXFolderDialog dialog(qt(dir_.path()));
        dialog.SetViewMode(CXFolderDialog::ViewModeDetails);
        dialog.SetViewMode(-1);
        runPicker(dialog, [] {});
    }
    EXPECT_FALSE(QSettings().contains("XFolderDialog/ViewMode"));
}

TEST_F(XFolderDialogTest, LeavingTheBoxOpensTheTypedFolder) {
    fs::create_directories(dir_ / "start");
    fs::create_directories(dir_ / "elsewhere");
    CXFolderDialog dialog(qt(dir_ / "start"));
    runPicker(dialog, [this, &dialog] {
        QApplication::setActiveWindow(&dialog);
        history(dialog)->setFocus();
        type(dialog, qt(dir_ / "elsewhere"));
        visibleView(dialog)->setFocus();
        EXPECT_EQ(dialog.directory().absolutePath(), qt(dir_ / "elsewhere"));
        EXPECT_EQ(dialog.GetPath(), qt(dir_ / "elsewhere"));

        history(dialog)->setFocus();
        type(dialog, qt(dir_ / "not there"));
        visibleView(dialog)->setFocus();
        EXPECT_EQ(dialog.directory().absolutePath(), qt(dir_ / "elsewhere"));
    });
}

} // namespace tandrel

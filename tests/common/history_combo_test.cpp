#include "common/history_combo.h"

#include "tests/support/qstring_printer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <QSettings>
#include <QStringList>

namespace tandrel {

namespace fs = boost::filesystem;

namespace {

class HistoryCombo : public ::testing::Test {
protected:
    void SetUp() override { QSettings().clear(); }

    static QStringList items(const CHistoryCombo& box) {
        QStringList result;
        for (int index = 0; index < box.count(); ++index) {
            result << box.itemText(index);
        }
        return result;
    }

    static void store(const QString& key, const QString& value) {
        QSettings().setValue("History/" + key, value);
    }

    static QVariant stored(const QString& key) { return QSettings().value("History/" + key); }
};

} // namespace

TEST_F(HistoryCombo, AddToHistoryBeforeReadingOnlyAppends) {
    CHistoryCombo box;
    EXPECT_EQ(box.AddToHistory("  first "), 0);
    EXPECT_EQ(box.AddToHistory("second"), 1);
    EXPECT_EQ(box.AddToHistory("second"), 2);
    EXPECT_EQ(items(box), QStringList({"  first ", "second", "second"}));
}

TEST_F(HistoryCombo, AddToHistoryKeepsTheNewestOnTopOnceAndWithinTheLimit) {
    CHistoryCombo box;
    box.ReadHistory("History", "Entry");
    box.SetHistoryLimit(3);
    EXPECT_EQ(box.AddToHistory("/a"), 0);
    EXPECT_EQ(box.AddToHistory(" /b\t"), 0);
    EXPECT_EQ(box.AddToHistory("   "), -1);
    EXPECT_EQ(box.AddToHistory("/c"), 0);
    EXPECT_EQ(items(box), QStringList({"/c", "/b", "/a"}));

    EXPECT_EQ(box.AddToHistory("/a"), 0);
    EXPECT_EQ(items(box), QStringList({"/a", "/c", "/b"}));
    EXPECT_EQ(box.currentText(), "/a");

    // Folder names differ by case here: /A is another folder.
    box.AddToHistory("/A");
    EXPECT_EQ(items(box), QStringList({"/A", "/a", "/c"}));
}

TEST_F(HistoryCombo, SetHistoryLimitRemovesFromTheEnd) {
    CHistoryCombo box;
    box.addItems({"1", "2", "3", "4"});
    box.SetHistoryLimit(2);
    EXPECT_EQ(items(box), QStringList({"1", "2"}));
}

TEST_F(HistoryCombo, ReadHistoryStopsAtTheFirstEmptyValue) {
    store("Entry0000", "/one");
    store("Entry0001", "/two");
    store("Entry0003", "/four");
    CHistoryCombo box;
    box.ReadHistory("History", "Entry", false);
    EXPECT_EQ(items(box), QStringList({"/one", "/two"}));

    CHistoryCombo limited;
    limited.SetHistoryLimit(1);
    limited.ReadHistory("History", "Entry", false);
    EXPECT_EQ(items(limited), QStringList({"/one"}));
}

TEST_F(HistoryCombo, ReadHistoryCanSkipFoldersThatAreGone) {
    TempDir dir;
    fs::create_directories(dir / "kept");
    writeFile(dir / "file", "not a folder");
    store("Entry0000", QString::fromStdString((dir / "gone").string()));
    store("Entry0001", QString::fromStdString((dir / "kept").string()));
    store("Entry0002", QString::fromStdString((dir / "file").string()));
    CHistoryCombo box;
    box.SetCheckExists(true);
    box.ReadHistory("History", "Entry", false);
    EXPECT_EQ(items(box), QStringList({QString::fromStdString((dir / "kept").string())}));
}

TEST_F(HistoryCombo, ReadHistoryRestoresTheCurrentItem) {
    store("Entry0000", "/one");
    store("Entry0001", "/two");
    store("Entry", "/two");
    CHistoryCombo box;
    EXPECT_EQ(box.ReadHistory("History", "Entry"), "/two");
    EXPECT_EQ(box.currentIndex(), 1);

    store("Entry", "/typed");
    CHistoryCombo typed;
    EXPECT_EQ(typed.ReadHistory("History", "Entry"), "/typed");
    EXPECT_EQ(typed.currentText(), "/typed");
    EXPECT_EQ(typed.count(), 2);

    store("Mine", "/one");
    CHistoryCombo ownKey;
    EXPECT_EQ(ownKey.ReadHistory("History", "Entry", true, "Mine"), "/one");
    EXPECT_EQ(ownKey.currentIndex(), 0);

    store("Last", "/last");
    CHistoryCombo noPrefix;
    EXPECT_EQ(noPrefix.ReadHistory("History", ""), "/last");
}

TEST_F(HistoryCombo, WriteHistoryStoresTheListAndRemovesStaleValues) {
    for (int index = 0; index < 6; ++index) {
        store(QString("Entry%1").arg(index, 4, 10, QChar('0')), QString("/old%1").arg(index));
    }
    store("Entry0007", "/beyond a gap");
    CHistoryCombo box;
    box.ReadHistory("History", "Entry");
    box.SetHistoryLimit(3);
    box.setEditText("  /new  ");
    box.WriteHistory();

    EXPECT_EQ(stored("Entry0000"), "/new");
    EXPECT_EQ(stored("Entry0001"), "/old0");
    EXPECT_EQ(stored("Entry0002"), "/old1");
    for (const char* key : {"Entry0003", "Entry0004", "Entry0005"}) {
        EXPECT_FALSE(QSettings().contains(QString("History/") + key)) << key;
    }
    EXPECT_EQ(stored("Entry0007"), "/beyond a gap");
    EXPECT_EQ(stored("Entry"), "/new");
}

TEST_F(HistoryCombo, WriteHistoryNeedsASection) {
    CHistoryCombo box;
    box.setEditText("/somewhere");
    box.WriteHistory();
    EXPECT_TRUE(QSettings().allKeys().isEmpty());
}

TEST_F(HistoryCombo, DropDownShowsTheGivenNumberOfItems) {
    CHistoryCombo box;
    EXPECT_EQ(box.maxVisibleItems(), 10);
    box.SetDropDownItems(20);
    EXPECT_EQ(box.maxVisibleItems(), 20);
}

} // namespace tandrel

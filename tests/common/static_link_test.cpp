#include "common/dialog_units.h"
#include "common/static_link.h"
#include "common/string_table.h"
#include "tests/support/qstring_printer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/url_catcher.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QTest>

namespace tandrel {

namespace {

// A dialog with one label `id` showing `text`, as a template would make it.
struct Dialog {
    QDialog window;
    QLabel* label;

    Dialog(int id, const QString& text) : label(new QLabel(text, &window)) {
        label->setGeometry(10, 20, 200, 16);
        label->setFocusPolicy(Qt::TabFocus);
        setControlId(label, id);
    }
};

bool looksLikeLink(const CStaticLink& link) {
    return link.font().underline() && link.cursor().shape() == Qt::PointingHandCursor;
}

} // namespace

TEST(StaticLink, TakesThePlaceOfTheDialogsLabel) {
    Dialog dialog(1013, QStringLiteral("https://www.brellix.com/tandrel"));
    CStaticLink link;
    EXPECT_FALSE(link.SubclassDlgItem(999, &dialog.window));
    ASSERT_TRUE(link.SubclassDlgItem(1013, &dialog.window, QStringLiteral("https://x.example/")));

    EXPECT_EQ(findControl(&dialog.window, 1013), &link);
    EXPECT_EQ(dialog.window.findChildren<QLabel*>().size(), 1);
    // Grown around the text by the room of the focus ring.
    EXPECT_EQ(link.geometry(), QRect(8, 18, 204, 20));
    EXPECT_EQ(link.contentsRect(), QRect(2, 2, 200, 16));
    EXPECT_EQ(link.text(), QStringLiteral("https://www.brellix.com/tandrel"));
    EXPECT_EQ(link.focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(link.linkTarget(), QStringLiteral("https://x.example/"));
    EXPECT_TRUE(looksLikeLink(link));
    EXPECT_EQ(link.palette().color(QPalette::WindowText), CStaticLink::g_colorUnvisited);
}

TEST(StaticLink, ClickOpensTheTargetAndTurnsVisited) {
    UrlCatcher catcher;
    Dialog dialog(1013, QStringLiteral("Brellix"));
    CStaticLink link;
    link.SubclassDlgItem(1013, &dialog.window, QStringLiteral("https://www.brellix.com/"));

    QTest::mouseClick(&link, Qt::RightButton);
    EXPECT_TRUE(catcher.opened.isEmpty());
    QTest::mouseClick(&link, Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl(QStringLiteral("https://www.brellix.com/")));
    EXPECT_EQ(link.palette().color(QPalette::WindowText), CStaticLink::g_colorVisited);
    EXPECT_TRUE(link.font().underline());
}

TEST(StaticLink, SpaceOpensOtherKeysDoNot) {
    UrlCatcher catcher;
    Dialog dialog(1013, QStringLiteral("https://www.brellix.com/"));
    CStaticLink link;
    link.SubclassDlgItem(1013, &dialog.window);

    QTest::keyClick(&link, Qt::Key_A);
    QTest::keyClick(&link, Qt::Key_Return);
    QTest::keyClick(&link, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_TRUE(catcher.opened.isEmpty());
    QTest::keyClick(&link, Qt::Key_Space);
    EXPECT_EQ(catcher.opened.size(), 1);
}

TEST(StaticLink, WithoutTargetTriesTheStringTableThenItsOwnText) {
    UrlCatcher catcher;
    ASSERT_EQ(loadString(4711), QStringLiteral("https://example.org/from-the-table"));

    Dialog fromTable(4711, QStringLiteral("https://example.org/own-text"));
    CStaticLink tableLink;
    tableLink.SubclassDlgItem(4711, &fromTable.window);
    EXPECT_TRUE(tableLink.Navigate());

    // An empty string in the table, or none, leaves the label's own text.
    Dialog emptyString(4712, QStringLiteral("https://example.org/own-text"));
    CStaticLink ownText;
    ownText.SubclassDlgItem(4712, &emptyString.window);
    EXPECT_TRUE(ownText.Navigate());
    EXPECT_EQ(ownText.linkTarget(), QStringLiteral("https://example.org/own-text"));

    // A target that does not open falls back the same way.
    Dialog broken(1013, QStringLiteral("https://example.org/own-text"));
    CStaticLink fallback;
    fallback.SubclassDlgItem(1013, &broken.window, QStringLiteral("not an address"));
    EXPECT_TRUE(fallback.Navigate());

    ASSERT_EQ(catcher.opened.size(), 3);
    EXPECT_EQ(catcher.opened[0], QUrl(QStringLiteral("https://example.org/from-the-table")));
    EXPECT_EQ(catcher.opened[1], QUrl(QStringLiteral("https://example.org/own-text")));
    EXPECT_EQ(catcher.opened[2], QUrl(QStringLiteral("https://example.org/own-text")));
}

TEST(StaticLink, NothingToOpenLeavesTheLinkUnvisited) {
    UrlCatcher catcher;
    Dialog dialog(1013, QStringLiteral("Brellix makes Tandrel"));
    CStaticLink link;
    link.SubclassDlgItem(1013, &dialog.window);
    EXPECT_FALSE(link.Navigate());
    EXPECT_TRUE(catcher.opened.isEmpty());
    EXPECT_EQ(link.palette().color(QPalette::WindowText), CStaticLink::g_colorUnvisited);

    Dialog drive(1014, QStringLiteral("C:\\Videos"));
    CStaticLink driveLink;
    driveLink.SubclassDlgItem(1014, &drive.window);
    EXPECT_FALSE(driveLink.Navigate());
}

TEST(StaticLink, ExistingFileOpensAsLocalFile) {
    UrlCatcher catcher;
    TempDir dir;
    writeFile(dir / "notes.txt", "Brellix\n");
    const QString file = QString::fromStdString((dir / "notes.txt").string());
    CStaticLink link(file);
    EXPECT_TRUE(link.Navigate());
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl::fromLocalFile(file));
}

TEST(StaticLink, NoLinkLooksPlainButStillNavigatesOnClick) {
    UrlCatcher catcher;
    QDialog window;
    CStaticLink link;
    link.Create(QStringLiteral("https://www.brellix.com/"), &window, 1013, QString(),
                QRect(0, 0, 200, 16));
    EXPECT_TRUE(looksLikeLink(link));
    link.SetNoLink(true);
    EXPECT_FALSE(link.font().underline());
    EXPECT_NE(link.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_NE(link.palette().color(QPalette::WindowText), CStaticLink::g_colorUnvisited);

    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(catcher.opened.size(), 1);
    link.SetNoLink(false);
    EXPECT_TRUE(looksLikeLink(link));
    EXPECT_EQ(link.palette().color(QPalette::WindowText), CStaticLink::g_colorVisited);
}

TEST(StaticLink, KeepsItsUnderlineWhenTheFontChanges) {
    CStaticLink link(QStringLiteral("https://www.brellix.com/"));
    QFont bigger = link.font();
    bigger.setPointSize(bigger.pointSize() + 4);
    bigger.setUnderline(false);
    link.setFont(bigger);
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.font().pointSize(), bigger.pointSize());
}

} // namespace tandrel

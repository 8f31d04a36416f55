#include "app/about_dlg.h"
#include "app/picture_dlg.h"
#include "common/dialog_units.h"
#include "common/message_box.h"
#include "common/product_facts.h"
#include "common/static_link.h"
#include "common/string_table.h"
#include "tests/support/qstring_printer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/url_catcher.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tandrel {

namespace {

QString label(const QWidget& dialog, int id) {
    const auto* control = findControl<QLabel>(&dialog, id);
    return control != nullptr ? control->text() : QStringLiteral("(no label)");
}

// Records what Ctrl+H opened and closes it, once the dialog's own event
// loop runs.
struct PictureWatch {
    QTimer timer;
    QSize imageSize;
    bool opened = false;

    PictureWatch() {
        timer.setSingleShot(true);
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<CPictureDlg*>(QApplication::activeModalWidget())) {
                opened = true;
                imageSize = dialog->picture().GetImageSize();
                dialog->accept();
            }
        });
        timer.start();
    }
};

class AboutDialog : public ::testing::Test {
protected:
    void SetUp() override { MessageBox::clearScript(); }
    void TearDown() override { MessageBox::clearScript(); }
};

} // namespace

// This test program carries the version block 2.5.0.11 with a copyright
// holding percent signs (see CMakeLists.txt).
TEST_F(AboutDialog, ShowsNameVersionAndCopyrightOfTheRunningProgram) {
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("About Tandrel"));
    EXPECT_EQ(label(dialog, IdApplicationName), QStringLiteral("Tandrel 1.0"));
    EXPECT_EQ(label(dialog, IdApplicationVersion), QStringLiteral("Version: 2.5.0.11"));
    EXPECT_EQ(label(dialog, IdLegalCopyright), QStringLiteral("© 2026 Brellix, 100% %1 %s"));
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
}

// The message is a box over the dialog, centred on it, once the dialog is
// on screen.
TEST_F(AboutDialog, WithoutAVersionBlockSaysSoOverTheShownDialogAndShowsDashes) {
    TempDir dir;
    writeFile(dir / "tandrel", "#!/bin/sh\n");
    CAboutDlg dialog(QString::fromStdString((dir / "tandrel").string()));
    for (const int id : {IdApplicationName, IdApplicationVersion, IdLegalCopyright}) {
        EXPECT_EQ(label(dialog, id), QStringLiteral("-")) << id;
    }
    EXPECT_NE(findControl<CStaticLink>(&dialog, IdMakerLink), nullptr);

    QString text;
    QString caption;
    const QWidget* parent = nullptr;
    bool overTheShownDialog = false;
    QEventLoop loop;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        text = box->text();
        caption = box->windowTitle();
        parent = box->parentWidget();
        overTheShownDialog =
            dialog.isVisible() && dialog.geometry().contains(box->geometry()) &&
            (dialog.geometry().center() - box->geometry().center()).manhattanLength() <= 2;
        box->accept();
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    EXPECT_TRUE(MessageBox::shownTexts().isEmpty());
    dialog.show();
    watch.start(0);
    loop.exec();

    EXPECT_EQ(text, QStringLiteral("Unable to retrieve file version information."));
    EXPECT_EQ(caption, MessageBox::applicationTitle());
    EXPECT_EQ(parent, &dialog);
    EXPECT_TRUE(overTheShownDialog);
}

TEST_F(AboutDialog, MakersLinkShowsAndOpensItsOwnText) {
    CAboutDlg dialog;
    auto* link = findControl<CStaticLink>(&dialog, IdMakerLink);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->text(), QLatin1String(makerWebAddress));
    EXPECT_EQ(link->linkTarget(), QLatin1String(makerWebAddress));
    EXPECT_EQ(link->focusPolicy(), Qt::TabFocus);
    EXPECT_TRUE(link->font().underline());

    UrlCatcher catcher;
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(QLatin1String(makerWebAddress))});
}

TEST_F(AboutDialog, CtrlHShowsPictureResource140AndHAloneDoesNothing) {
    CAboutDlg dialog;
    dialog.show();
    auto* ok = findControl<QPushButton>(&dialog, IdAboutOk);
    {
        PictureWatch watch;
        QTest::keyClick(ok, Qt::Key_H);
        QCoreApplication::processEvents();
        EXPECT_FALSE(watch.opened);
    }
    PictureWatch watch;
    QTest::keyClick(ok, Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(watch.opened);
    EXPECT_EQ(watch.imageSize, QSize(500, 340));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(AboutDialog, ProgramStringTableHasTheSystemMenuItem) {
    EXPECT_EQ(loadString(101), QStringLiteral("&About Tandrel..."));
    EXPECT_TRUE(loadString(102).isEmpty());
}

} // namespace tandrel

#include "common/dialog_units.h"
#include "copy/gui/copy_conflict_dlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <vector>

namespace tandrel {

namespace {

struct Control {
    int id;
    QString text;
    int x, y, width, height;
};

TEST(CopyConflictDialog, MatchesTheTemplate) {
    bool repeat = false;
    CCopyConflictDlg dialog(QStringLiteral("/target/2026_12_07/12_30_00.m2ts"),
                            QStringLiteral("12_30_00 (2).m2ts"), &repeat, nullptr);
    const DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.windowTitle(), "Copy File");
    EXPECT_EQ(dialog.size(), units.size(316, 185));

    const std::vector<Control> controls = {
        {1021, "&Skip", 205, 164, 50, 14},
        {2, "Cancel", 259, 164, 50, 14},
        {1020, "Do &this for any remaining conflicts", 31, 168, 131, 10},
        {1022, "&Copy and Replace", 37, 56, 91, 23},
        {1023, "&Don't Copy", 37, 93, 91, 23},
        {1024, "Copy, but &keep both files", 37, 130, 91, 23},
        {1025, "/target/2026_12_07/12_30_00.m2ts", 7, 8, 302, 8},
        {1026, "12_30_00 (2).m2ts", 137, 140, 140, 8},
    };
    for (const Control& control : controls) {
        SCOPED_TRACE(control.id);
        QWidget* widget = findControl(&dialog, control.id);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(),
                  units.rect(control.x, control.y, control.width, control.height));
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_EQ(button->text(), control.text);
        } else {
            EXPECT_EQ(qobject_cast<QLabel*>(widget)->text(), control.text);
        }
    }
    EXPECT_TRUE(findControl<QPushButton>(&dialog, 2)->isDefault());

    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (controlId(label) == 0) {
            texts << label->text();
        }
    }
    EXPECT_EQ(texts, (QStringList{
                         "Replace the file in the destination folder with the one you are copying.",
                         "No files will be changed.",
                         "The file you are copying will be renamed to:",
                         "There is already a file with this name in this location.",
                         "What would you like to do?",
                     }));

    // The tab order is the template's.
    QStringList order;
    QWidget* widget = findControl(&dialog, 1021);
    for (int i = 0; i < 6; ++i) {
        order << QString::number(controlId(widget));
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(order.join(' '), "1021 2 1020 1022 1023 1024");
}

TEST(CopyConflictDialog, ChoiceButtonsReturnTheirChoiceAndSetTheRepeatFlagOnlyWhenTicked) {
    const std::vector<std::pair<int, ConflictChoice>> buttons = {
        {1022, ConflictChoice::CopyAndReplace},
        {1023, ConflictChoice::DontCopy},
        {1024, ConflictChoice::KeepBoth},
        {1021, ConflictChoice::Skip}};
    for (const auto& [id, choice] : buttons) {
        SCOPED_TRACE(id);
        bool repeat = false;
        CCopyConflictDlg::queueAnswer(id);
        EXPECT_EQ(CCopyConflictDlg::ask(nullptr, "a", "b", repeat), choice);
        EXPECT_FALSE(repeat);

        CCopyConflictDlg::queueAnswer(id, true);
        EXPECT_EQ(CCopyConflictDlg::ask(nullptr, "a", "b", repeat), choice);
        EXPECT_TRUE(repeat);
    }
}

TEST(CopyConflictDialog, CancelEscapeAndCloseReturnCancelAndLeaveTheRepeatFlag) {
    const std::vector<CCopyConflictDlg::Script> cancels = {
        [](CCopyConflictDlg& dialog) {
            findControl<QCheckBox>(&dialog, 1020)->setChecked(true);
            findControl<QPushButton>(&dialog, 2)->click();
        },
        [](CCopyConflictDlg& dialog) {
            findControl<QCheckBox>(&dialog, 1020)->setChecked(true);
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(&dialog, &escape);
        },
        [](CCopyConflictDlg& dialog) { dialog.close(); },
    };
    for (const auto& cancel : cancels) {
        bool repeat = false;
        CCopyConflictDlg::queueScript(cancel);
        EXPECT_EQ(CCopyConflictDlg::ask(nullptr, "a", "b", repeat), ConflictChoice::Cancel);
        EXPECT_FALSE(repeat);
    }
}

TEST(CopyConflictDialog, ShowsPathsAsPlainText) {
    bool repeat = false;
    QString shownPath;
    QString shownName;
    Qt::TextFormat format = Qt::AutoText;
    CCopyConflictDlg::queueScript([&](CCopyConflictDlg& dialog) {
        auto* path = findControl<QLabel>(&dialog, 1025);
        shownPath = path->text();
        format = path->textFormat();
        shownName = findControl<QLabel>(&dialog, 1026)->text();
        EXPECT_FALSE(findControl<QCheckBox>(&dialog, 1020)->isChecked());
        dialog.reject();
    });
    CCopyConflictDlg::ask(nullptr, "/t/<b>bold</b> & co.m2ts", "<b>bold</b> & co (2).m2ts", repeat);
    EXPECT_EQ(shownPath, "/t/<b>bold</b> & co.m2ts");
    EXPECT_EQ(shownName, "<b>bold</b> & co (2).m2ts");
    EXPECT_EQ(format, Qt::PlainText);
}

} // namespace

} // namespace tandrel

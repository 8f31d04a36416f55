#include "common/message_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

namespace tandrel {

namespace {

// The lines `label` shows its text in, broken as the text layout breaks
// them: at word boundaries, or anywhere when a word does not fit.
QStringList linesOf(const QLabel& label) {
    QTextLayout layout(label.text(), label.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label.width());
        lines << label.text().mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

} // namespace

// A path whose folder names run into each other ("05/18" keeps together
// by itself) is broken after a separator, not inside a name, and the text
// copied from the box is still the path as it was given.
TEST(MessageBox, LongPathsBreakAfterSeparatorsAndCopyAsGiven) {
    QString path = QStringLiteral("/media/card");
    for (int i = 0; i < 8; ++i) {
        path += QStringLiteral("/2026_12_05/18_45_03");
    }
    QStringList lines;
    QString copied;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        lines = linesOf(*label);
        label->setSelection(0, static_cast<int>(label->text().size()));
        QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
        copied = QGuiApplication::clipboard()->text();
        box->accept();
    });
    MessageBox::show(nullptr,
                     QStringLiteral("Cannot overwrite the file ") + path + QLatin1Char('.'));

    ASSERT_GT(lines.size(), 1);
    lines.removeLast();
    for (const QString& line : lines) {
        const QString end = line.trimmed().remove(QChar(0x200B));
        EXPECT_TRUE(end.endsWith(QLatin1Char('/')) || line.endsWith(QLatin1Char(' ')))
            << line.toStdString();
    }
    EXPECT_TRUE(copied.contains(path)) << copied.toStdString();
}

} // namespace tandrel

#include "common/message_box.h"

#include "common/dialog_units.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMutex>
#include <QMutexLocker>
#include <QQueue>
#include <QScreen>

#include <algorithm>

namespace tandrel {

namespace {

// Lets the lines of a long path break after any folder separator. Left to
// itself the text layout keeps "05/18" together and then breaks a line in the
// middle of a name.
const QChar breakOpportunity(0x200B);

QString withBreaksAfterSeparators(QString text) {
    return text.replace(QLatin1Char('/'), QStringLiteral("/") + breakOpportunity);
}

// A box whose text, copied from it, is the text as it was given, without
// the break opportunities added for the display.
class Box : public QMessageBox {
public:
    Box(const QString& title, const QString& text, QMessageBox::StandardButtons buttons,
        QWidget* parent)
        : QMessageBox(QMessageBox::NoIcon, title, withBreaksAfterSeparators(text), buttons,
                      parent) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        connect(clipboard, &QClipboard::dataChanged, this, [clipboard] {
            const QString copied = clipboard->text();
            if (copied.contains(breakOpportunity)) {
                clipboard->setText(QString(copied).remove(breakOpportunity));
            }
        });
    }
};

// Scripted answers are queued by a test on the UI thread and taken wherever
// the box is shown, so the queue is guarded.
struct Script {
    QMutex mutex;
    QQueue<int> answers;
    QStringList texts;
    QStringList captions;
};

Script& script() {
    static Script instance;
    return instance;
}

// Puts a dialog that leaves its parent usable beside the parent rather than
// over it, below it or else above it, so the parent stays in sight; where
// the screen has no room for that, the dialog stays centred on its parent.
void placeBeside(QDialog& dialog) {
    const QWidget* parent = dialog.parentWidget();
    if (parent == nullptr || !parent->isVisible()) {
        return;
    }
    dialog.adjustSize();
    const QRect screen = DialogUnits::screenFor(&dialog)->availableGeometry();
    const QRect beside = parent->window()->frameGeometry();
    const QSize frame = dialog.size() + DialogUnits::frameAround(&dialog);
    const int x = std::clamp(beside.center().x() - frame.width() / 2, screen.left(),
                             std::max(screen.left(), screen.right() + 1 - frame.width()));
    if (beside.bottom() + 1 + frame.height() <= screen.bottom() + 1) {
        dialog.move(x, beside.bottom() + 1);
    } else if (beside.top() - frame.height() >= screen.top()) {
        dialog.move(x, beside.top() - frame.height());
    }
}

} // namespace

int MessageBox::show(QWidget* parent, const QString& text, Buttons buttons, const QString& caption,
                     Modality modality) {
    const QString title = caption.isEmpty() ? applicationTitle() : caption;
    {
        Script& s = script();
        QMutexLocker lock(&s.mutex);
        if (!s.answers.isEmpty()) {
            s.texts << text;
            s.captions << title;
            return s.answers.dequeue();
        }
    }

    Box box(title, text,
            buttons == OkCancel ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok,
            parent);
    // Shown as given: a path from a card is no markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(buttons == OkCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    return exec(box, modality) == QMessageBox::Ok ? AnswerOk : AnswerCancel;
}

int MessageBox::exec(QDialog& dialog, Modality modality) {
    if (modality == Modal) {
        return dialog.exec();
    }
    // QDialog::exec would make the dialog application modal; this one gets a
    // loop of its own and blocks nothing.
    dialog.setWindowModality(Qt::NonModal);
    placeBeside(dialog);
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.show();
    // A question needs the user's answer: it comes to the front with the
    // focus, where a window manager would otherwise open a window nobody
    // asked for behind the one that has the focus.
    dialog.raise();
    dialog.activateWindow();
    loop.exec(QEventLoop::DialogExec);
    return dialog.result();
}

QString MessageBox::applicationTitle() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void MessageBox::queueAnswer(int answer) {
    QMutexLocker lock(&script().mutex);
    script().answers.enqueue(answer);
}

void MessageBox::clearScript() {
    Script& s = script();
    QMutexLocker lock(&s.mutex);
    s.answers.clear();
    s.texts.clear();
    s.captions.clear();
}

QStringList MessageBox::shownTexts() {
    QMutexLocker lock(&script().mutex);
    return script().texts;
}

QStringList MessageBox::shownCaptions() {
    QMutexLocker lock(&script().mutex);
    return script().captions;
}

} // namespace tandrel

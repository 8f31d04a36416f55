#include "common/message_box.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QMutex>
#include <QMutexLocker>
#include <QQueue>

namespace {

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

} // namespace

int MessageBox::show(QWidget* parent, const QString& text, Buttons buttons,
                     const QString& caption) {
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

    QMessageBox box(QMessageBox::NoIcon, title, text,
                    buttons == OkCancel ? (QMessageBox::Ok | QMessageBox::Cancel) : QMessageBox::Ok,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(buttons == OkCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? AnswerOk : AnswerCancel;
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

#include "tests/support/gui_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tandrel {

void typeText(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(edit, &erase);
    for (const QChar character : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(edit, &key);
    }
}

} // namespace tandrel

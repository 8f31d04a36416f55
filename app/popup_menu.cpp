#include "app/popup_menu.h"

#include <QAction>
#include <QMenu>
#include <QQueue>

namespace tandrel {

namespace {

// Pop-ups open only on the UI thread, so the script needs no lock.
struct Script {
    QQueue<int> commands;
    int tracked = 0;
    QPoint position;
};

Script& script() {
    static Script instance;
    return instance;
}

} // namespace

int PopupMenu::track(QMenu* menu, const QPoint& topLeft) {
    Script& s = script();
    if (!s.commands.isEmpty()) {
        ++s.tracked;
        s.position = topLeft;
        return s.commands.dequeue();
    }
    const QAction* chosen = menu->exec(topLeft);
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

void PopupMenu::queueCommand(int command) {
    script().commands.enqueue(command);
}

void PopupMenu::clearScript() {
    script() = Script{};
}

int PopupMenu::trackedCount() {
    return script().tracked;
}

QPoint PopupMenu::lastPosition() {
    return script().position;
}

} // namespace tandrel

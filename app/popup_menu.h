#pragma once

#include <QPoint>

class QMenu;

namespace tandrel {

// Runs a pop-up menu and returns the command id of the chosen item (the
// action's data), or 0 when the menu is dismissed. Tests queue the command
// the next pop-up returns instead of opening it.
class PopupMenu {
public:
    static int track(QMenu* menu, const QPoint& topLeft);

    static void queueCommand(int command);
    static void clearScript();
    // How many scripted pop-ups have been taken, and where the last one would
    // have opened.
    static int trackedCount();
    static QPoint lastPosition();
};

} // namespace tandrel

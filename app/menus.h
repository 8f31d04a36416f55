#pragma once

#include <QString>

class QMenu;
class QMenuBar;
class QWidget;

namespace tandrel {

// Command ids of the main dialog's menu bar (menu 129).
enum MainMenuCommand : int {
    CommandExit = 32771,
    CommandAbout = 32772,
    CommandOptions = 32798,
};

// Menu 129, "&File" "E&xit", "&Tools" "&Options...", "&Help" "&About...".
// Every action carries its command id as data.
QMenuBar* createMainMenu(QWidget* parent);

// The "Mask" sub-menu of menu 134: the ten conversions the token buttons
// insert, each action carrying its command id (32788 to 32797) as data.
QMenu* createMaskMenu(QWidget* parent);

// The text a mask menu command inserts; empty for any other command,
// including 0 for a dismissed menu.
QString maskTokenForCommand(int command);

} // namespace tandrel

#pragma once

#include <QString>

class QMenu;
class QMenuBar;
class QWidget;

// Command ids of the main dialog's menu bar (menu 129).
enum MainMenuCommand : int {
    CommandExit = 32771,
    CommandAbout = 32772,
    CommandOptions = 32798,
};

// Which of the menu bar's optional items the program has.
struct MainMenuItems {
    bool options = false;
    bool about = false;
};

// Menu 129, "&File" "E&xit", "&Tools" "&Options...", "&Help" "&About...".
// Every action carries its command id as data; a menu whose items are all
// absent is left out.
QMenuBar* createMainMenu(QWidget* parent, const MainMenuItems& items);

// The "Mask" sub-menu of menu 134: the ten conversions the token buttons
// insert, each action carrying its command id (32788 to 32797) as data.
QMenu* createMaskMenu(QWidget* parent);

// The text a mask menu command inserts; empty for any other command,
// including 0 for a dismissed menu.
QString maskTokenForCommand(int command);

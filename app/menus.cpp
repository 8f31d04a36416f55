#include "app/menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <array>

namespace tandrel {

namespace {

struct MaskMenuItem {
    int command; // 0: a separator
    const char* text;
    const char* token;
};

constexpr std::array<MaskMenuItem, 12> maskMenuItems{{
    {32789, "%d = Day of month (01 to 31)", "%d"},
    {32788, "%m = Month as a decimal number (01 to 12)", "%m"},
    {32790, "%y = Two digit year (e.g. 01)", "%y"},
    {32791, "%Y = Four digit year (e.g. 2001)", "%Y"},
    {0, nullptr, nullptr},
    {32792, "%I = Hours in 12 hour format (01 to 12)", "%I"},
    {32793, "%H = Hours in 24 hour format (00 to 23)", "%H"},
    {32794, "%M = Minutes (00 to 59)", "%M"},
    {32795, "%S = Seconds (00 to 59)", "%S"},
    {32796, "%p = AM/PM designation (AM/PM)", "%p"},
    {0, nullptr, nullptr},
    {32797, "%f = Original filename", "%f"},
}};

QAction* addCommand(QMenu* menu, const char* text, int command) {
    QAction* action = menu->addAction(QString::fromLatin1(text));
    action->setData(command);
    return action;
}

} // namespace

QMenuBar* createMainMenu(QWidget* parent) {
    auto* bar = new QMenuBar(parent);
    addCommand(bar->addMenu(QStringLiteral("&File")), "E&xit", CommandExit);
    addCommand(bar->addMenu(QStringLiteral("&Tools")), "&Options...", CommandOptions);
    addCommand(bar->addMenu(QStringLiteral("&Help")), "&About...", CommandAbout);
    return bar;
}

QMenu* createMaskMenu(QWidget* parent) {
    auto* menu = new QMenu(QStringLiteral("Mask"), parent);
    for (const MaskMenuItem& item : maskMenuItems) {
        if (item.command == 0) {
            menu->addSeparator();
        } else {
            addCommand(menu, item.text, item.command);
        }
    }
    return menu;
}

QString maskTokenForCommand(int command) {
    for (const MaskMenuItem& item : maskMenuItems) {
        if (item.command != 0 && item.command == command) {
            return QString::fromLatin1(item.token);
        }
    }
    return {};
}

} // namespace tandrel

#include "common/dialog_units.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace tandrel {

namespace {

const char* const controlIdProperty = "controlId";

// Below this a dialog is no longer read comfortably; a screen too small for
// it keeps the window's top left corner on the screen instead.
const qreal smallestPointSize = 6.0;

} // namespace

DialogUnits::DialogUnits(const QFont& font, qreal widen) : widen_(widen) {
    const QFontMetrics metrics(font);
    // The average width of the 52 Latin letters, rounded, as dialog templates measure it.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = (letters / 26 + 1) / 2;
    baseHeight_ = metrics.height();
}

DialogUnits DialogUnits::forDialog(QWidget* dialog, int width, int height, int extraHeight) {
    const QRect screen = screenFor(dialog)->availableGeometry();
    const QSize room = screen.size() - frameAround(dialog);
    QFont font = dialog->font();
    const auto fits = [&](const QFont& candidate) {
        const DialogUnits units(candidate);
        return units.x(width) <= room.width() && units.y(height) + extraHeight <= room.height();
    };
    if (fits(font) || font.pointSizeF() <= 0) {
        return DialogUnits(font);
    }
    while (!fits(font) && font.pointSizeF() - 0.5 >= smallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    dialog->setFont(font);
    return DialogUnits(font);
}

DialogUnits DialogUnits::fixedDialog(QWidget* dialog, int width, int height) {
    const DialogUnits units = forDialog(dialog, width, height);
    dialog->setFixedSize(units.size(width, height));
    return units;
}

QScreen* DialogUnits::screenFor(const QWidget* window) {
    const QWidget* parent = window->parentWidget();
    QScreen* screen = parent != nullptr ? parent->window()->screen() : nullptr;
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

QSize DialogUnits::frameAround(const QWidget* window) {
    const QWidget* parent = window->parentWidget();
    if (parent != nullptr) {
        const QWidget* framed = parent->window();
        const QSize frame = framed->frameGeometry().size() - framed->geometry().size();
        if (framed->isVisible() && frame.height() > 0) {
            return frame;
        }
    }
    // A title bar and thin borders, as window managers draw them.
    return {16, 48};
}

int DialogUnits::x(int units) const {
    return static_cast<int>(std::lround(units * baseWidth_ * widen_ / 4.0));
}

int DialogUnits::y(int units) const {
    return (units * baseHeight_ + 4) / 8;
}

QRect DialogUnits::rect(int x, int y, int width, int height) const {
    return {this->x(x), this->y(y), this->x(width), this->y(height)};
}

QSize DialogUnits::size(int width, int height) const {
    return {x(width), y(height)};
}

void DialogUnits::place(QWidget* widget, int x, int y, int width, int height) const {
    widget->setGeometry(rect(x, y, width, height));
}

void setControlId(QWidget* widget, int id) {
    widget->setProperty(controlIdProperty, id);
}

int controlId(const QWidget* widget) {
    const QVariant id = widget->property(controlIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

QWidget* findControl(const QWidget* root, int id) {
    const auto children = root->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (controlId(child) == id) {
            return child;
        }
    }
    return nullptr;
}

} // namespace tandrel

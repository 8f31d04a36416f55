#include "common/dialog_units.h"

#include <QFontMetrics>
#include <QVariant>
#include <QWidget>

namespace {

const char* const controlIdProperty = "controlId";

} // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 Latin letters, rounded, as dialog templates measure it.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseWidth_ = (letters / 26 + 1) / 2;
    baseHeight_ = metrics.height();
}

int DialogUnits::x(int units) const {
    return (units * baseWidth_ + 2) / 4;
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

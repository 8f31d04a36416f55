#pragma once

#include "common/common_export.h"

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

// Lays dialogs out in dialog units, as their templates give them: x units
// are a quarter of the dialog font's average character width, y units an
// eighth of its height, so a dialog keeps its designed proportions whatever
// the font.
class COMMON_EXPORT DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const;

    // Places `widget` at the template position and size.
    void place(QWidget* widget, int x, int y, int width, int height) const;

private:
    int baseWidth_;
    int baseHeight_;
};

// Every control keeps its template id as the dynamic property "controlId",
// by which tests and the dialogs' own code find it.
COMMON_EXPORT void setControlId(QWidget* widget, int id);
COMMON_EXPORT int controlId(const QWidget* widget);
COMMON_EXPORT QWidget* findControl(const QWidget* root, int id);

template <typename T> T* findControl(const QWidget* root, int id) {
    return qobject_cast<T*>(findControl(root, id));
}

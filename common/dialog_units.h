#pragma once

#include "common/common_export.h"

#include <QFont>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace tandrel {

// Lays dialogs out in dialog units, as their templates give them: x units
// are a quarter of the dialog font's average character width, y units an
// eighth of its height, so a dialog keeps its designed proportions whatever
// the font. `widen` stretches the x units, for a dialog whose texts need more
// room than the template gives them in this font.
class COMMON_EXPORT DialogUnits {
public:
    explicit DialogUnits(const QFont& font, qreal widen = 1.0);

    // The units of `dialog`, a template of `width` x `height` units with
    // `extraHeight` pixels more (a menu bar), on the screen it opens on.
    // Where the dialog with its window frame would not fit that screen's
    // free area, the dialog's font is made smaller, down to a readable
    // least, until it does; otherwise the font stays as it is.
    static DialogUnits forDialog(QWidget* dialog, int width, int height, int extraHeight = 0);
    // The same for a dialog that is the template alone, which it also sizes.
    static DialogUnits fixedDialog(QWidget* dialog, int width, int height);

    // The screen a window opens on: its parent's, else the primary screen.
    static QScreen* screenFor(const QWidget* window);
    // What a window frame adds around a window's client area: that of the
    // parent's window when the window manager has framed it, else a guess.
    static QSize frameAround(const QWidget* window);

    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const;

    // Places `widget` at the template position and size.
    void place(QWidget* widget, int x, int y, int width, int height) const;

private:
    int baseWidth_;
    int baseHeight_;
    qreal widen_;
};

// Every control keeps its template id as the dynamic property "controlId",
// by which tests and the dialogs' own code find it.
COMMON_EXPORT void setControlId(QWidget* widget, int id);
COMMON_EXPORT int controlId(const QWidget* widget);
COMMON_EXPORT QWidget* findControl(const QWidget* root, int id);

template <typename T> T* findControl(const QWidget* root, int id) {
    return qobject_cast<T*>(findControl(root, id));
}

} // namespace tandrel

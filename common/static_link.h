#pragma once

#include "common/common_export.h"

#include <QColor>
#include <QCursor>
#include <QLabel>
#include <QString>

namespace tandrel {

// A label that works as a hyperlink: underlined text in the link colour, a
// hand pointer, and a click or the space bar opening the target through
// QDesktopServices, after which the text takes the visited colour. It takes
// the focus from the keyboard and shows it with a focus rectangle.
//
// Lifetime follows Qt's ownership: a link attached to a dialog is deleted
// with it unless its owner (a member of the dialog, say) destroys it first.
class COMMON_EXPORT CStaticLink : public QLabel {
    Q_OBJECT

public:
    explicit CStaticLink(const QString& linkTarget = QString(), QWidget* parent = nullptr);

    // Takes the place of the dialog's control `id` inside `parent`: its
    // geometry (grown by the room of the focus ring when it takes the
    // focus), text, font, alignment, id and tab position; the old control
    // is deleted. Returns false when `parent` has no control `id`.
    bool SubclassDlgItem(int id, QWidget* parent, const QString& linkTarget = QString());
    // Becomes a label of `parent` with `text` at `rect` carrying `id`.
    void Create(const QString& text, QWidget* parent, int id, const QString& linkTarget,
                const QRect& rect);

    // With the flag set the label looks and points like a plain label, but a
    // click still goes through Navigate.
    void SetNoLink(bool noLink);

    // Opens the target; failing that, the program's string `id`; failing
    // that, the label's own text. Beeps when nothing opens.
    bool Navigate();

    QString linkTarget() const { return linkTarget_; }

    static const QColor g_colorUnvisited;
    static const QColor g_colorVisited;
    // The hand pointer shared by every link.
    static const QCursor& g_hCursorLink();

protected:
    // Runs once the label has its place in a dialog, as Windows controls
    // learn theirs when they are subclassed or created.
    virtual void preSubclassWindow();
    // Whether the label shows plain text (no picture, no frame): only then
    // does it draw itself as a link.
    virtual bool showsText() const;

    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Sets font, colour and pointer for the current state.
    void updateLook();
    // A label that takes the focus leaves room around its text for the focus
    // ring, so the ring is drawn whole.
    void makeRoomForFocusRing();

private:
    static bool open(const QString& target);

    QString linkTarget_;
    QColor color_;
    bool noLink_ = false;
    bool styling_ = false;
};

} // namespace tandrel

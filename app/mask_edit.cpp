#include "app/mask_edit.h"

#include <QFocusEvent>

namespace tandrel {

MaskEdit::MaskEdit(QWidget* parent) : QLineEdit(parent) {}

void MaskEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // QLineEdit selects everything when tabbed into; the mask boxes start at
    // the beginning instead, and setCursorPosition scrolls the caret into view.
    setCursorPosition(0);
}

void MaskEdit::focusOutEvent(QFocusEvent* event) {
    const int start = selectionStart();
    const int length = selectedText().size();
    const int cursor = cursorPosition();
    QLineEdit::focusOutEvent(event);
    if (start >= 0 && length > 0 && !hasSelectedText()) {
        // QLineEdit drops the selection when it loses the focus; put it back
        // with the caret at the end it was at.
        if (cursor == start) {
            setSelection(start + length, -length);
        } else {
            setSelection(start, length);
        }
    }
}

} // namespace tandrel

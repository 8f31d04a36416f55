#pragma once

#include <QLineEdit>

namespace tandrel {

// The edit box of a mask. It keeps its selection while another control has
// the focus, so a token inserted from the menu replaces what the user
// selected, and it puts the caret at the start, with nothing selected,
// whenever it receives the focus.
class MaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskEdit(QWidget* parent = nullptr);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace tandrel

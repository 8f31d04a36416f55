#pragma once

#include <QPushButton>

namespace tandrel {

// A push button whose text wraps onto several lines, centred, like a
// multi-line button of a dialog template. text() stays the text as given.
class WrappingButton : public QPushButton {
public:
    WrappingButton(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tandrel

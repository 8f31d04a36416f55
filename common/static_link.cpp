#include "common/static_link.h"

#include "common/dialog_units.h"
#include "common/string_table.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QUrl>

#include <algorithm>

namespace tandrel {

namespace {

// Room around the text for the focus ring, in pixels.
const int focusRingMargin = 2;

} // namespace

const QColor CStaticLink::g_colorUnvisited(0, 0, 255);
const QColor CStaticLink::g_colorVisited(128, 0, 128);

const QCursor& CStaticLink::g_hCursorLink() {
    static const QCursor hand(Qt::PointingHandCursor);
    return hand;
}

CStaticLink::CStaticLink(const QString& linkTarget, QWidget* parent)
    : QLabel(parent), linkTarget_(linkTarget), color_(g_colorUnvisited) {
    // Label texts are shown as written, never read as markup.
    setTextFormat(Qt::PlainText);
    updateLook();
}

bool CStaticLink::SubclassDlgItem(int id, QWidget* parent, const QString& linkTarget) {
    QWidget* old = parent != nullptr ? findControl(parent, id) : nullptr;
    if (old == nullptr || old == this) {
        return false;
    }
    linkTarget_ = linkTarget;
    setParent(old->parentWidget());
    setGeometry(old->geometry());
    setFont(old->font());
    setFocusPolicy(old->focusPolicy());
    if (const auto* label = qobject_cast<const QLabel*>(old)) {
        setText(label->text());
        setAlignment(label->alignment());
        setWordWrap(label->wordWrap());
    }
    setControlId(this, id);
    QWidget::setTabOrder(old, this);
    setVisible(!old->isHidden());
    delete old;
    preSubclassWindow();
    updateLook();
    makeRoomForFocusRing();
    return true;
}

void CStaticLink::Create(const QString& text, QWidget* parent, int id, const QString& linkTarget,
                         const QRect& rect) {
    linkTarget_ = linkTarget;
    setParent(parent);
    setText(text);
    setGeometry(rect);
    setControlId(this, id);
    show();
    preSubclassWindow();
    updateLook();
    makeRoomForFocusRing();
}

void CStaticLink::makeRoomForFocusRing() {
    if ((focusPolicy() & Qt::TabFocus) == 0 || !showsText()) {
        return;
    }
    // The text stays where it was placed; the label grows around it, and to
    // the text's own size where that is larger.
    const QSize textSize = fontMetrics().size(Qt::TextSingleLine, text());
    QRect area = geometry();
    area.setWidth(std::max(area.width(), textSize.width()));
    area.setHeight(std::max(area.height(), textSize.height()));
    setContentsMargins(focusRingMargin, focusRingMargin, focusRingMargin, focusRingMargin);
    setGeometry(
        area.adjusted(-focusRingMargin, -focusRingMargin, focusRingMargin, focusRingMargin));
}

void CStaticLink::SetNoLink(bool noLink) {
    noLink_ = noLink;
    updateLook();
}

void CStaticLink::preSubclassWindow() {}

bool CStaticLink::showsText() const {
    return pixmap().isNull();
}

bool CStaticLink::open(const QString& target) {
    QUrl url;
    const QUrl typed(target, QUrl::StrictMode);
    // A scheme of one letter is a drive ("C:\..."), not an address.
    if (typed.isValid() && typed.scheme().size() > 1) {
        url = typed;
    } else if (QFileInfo::exists(target)) {
        url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    } else if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive)) {
        url = QUrl::fromUserInput(target);
    }
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool CStaticLink::Navigate() {
    bool opened = !linkTarget_.isEmpty() && open(linkTarget_);
    if (!opened) {
        linkTarget_ = loadString(controlId(this));
        opened = !linkTarget_.isEmpty() && open(linkTarget_);
    }
    if (!opened) {
        linkTarget_ = text();
        opened = !linkTarget_.isEmpty() && open(linkTarget_);
    }
    if (!opened) {
        QApplication::beep();
        return false;
    }
    color_ = g_colorVisited;
    updateLook();
    update();
    return true;
}

void CStaticLink::updateLook() {
    styling_ = true;
    const bool link = !noLink_ && showsText();
    QFont underlined = font();
    underlined.setUnderline(link);
    setFont(underlined);
    if (link) {
        QPalette colours = palette();
        colours.setColor(QPalette::WindowText, color_);
        setPalette(colours);
    } else {
        setPalette(QPalette());
    }
    // The pointer shows a link whatever the label shows.
    if (noLink_) {
        unsetCursor();
    } else {
        setCursor(g_hCursorLink());
    }
    styling_ = false;
}

void CStaticLink::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (!styling_ &&
        (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)) {
        updateLook();
    }
}

void CStaticLink::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QRect around = rect();
    if (showsText()) {
        around = fontMetrics()
                     .boundingRect(contentsRect(), static_cast<int>(alignment()), text())
                     .adjusted(-focusRingMargin, -focusRingMargin, focusRingMargin, focusRingMargin)
                     .intersected(rect());
    }
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    // Styles draw focus rings only once the keyboard has been used in the
    // window; this label shows its focus from the start, since Space opens
    // the link.
    option.state |= QStyle::State_KeyboardFocusChange;
    option.rect = around;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void CStaticLink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Navigate();
        event->accept();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void CStaticLink::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        Navigate();
        event->accept();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CStaticLink::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    update();
}

void CStaticLink::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    update();
}

} // namespace tandrel

#include "common/picture_ctrl.h"

#include "common/dialog_units.h"
#include "common/string_table.h"

#include <QPainter>
#include <QRegion>

namespace tandrel {

CPictureCtrl::CPictureCtrl(bool autoLoad, QWidget* parent)
    : CStaticLink(QString(), parent), autoLoad_(autoLoad) {
    setFrameShape(QFrame::Box);
    updateLook();
}

void CPictureCtrl::preSubclassWindow() {
    const int id = controlId(this);
    if (autoLoad_ && id > 0 && !picture_) {
        picture_.Load(id);
    }
    SetNoLink(loadString(id).isEmpty());
}

bool CPictureCtrl::showsText() const {
    return false;
}

bool CPictureCtrl::LoadImage(const QString& nameOrAddress) {
    update();
    return picture_.Load(nameOrAddress);
}

bool CPictureCtrl::LoadImage(int resourceId) {
    update();
    return picture_.Load(resourceId);
}

bool CPictureCtrl::LoadImage(QIODevice& stream) {
    update();
    return picture_.Load(stream);
}

void CPictureCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect client = contentsRect();
    const QRect image =
        picture_ ? QRect(client.topLeft(), picture_.GetImageSize()).intersected(client) : QRect();
    // The background goes only where the image does not, so the image
    // itself never flickers.
    painter.setClipRegion(QRegion(client).subtracted(QRegion(image)));
    painter.fillRect(client, palette().window());
    painter.setClipping(false);
    if (!image.isEmpty()) {
        picture_.Render(painter, image);
    }
    drawFrame(&painter);
}

} // namespace tandrel

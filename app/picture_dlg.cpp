#include "app/picture_dlg.h"

#include "common/dialog_units.h"

#include <QLabel>
#include <QPushButton>

namespace tandrel {

CPictureDlg::CPictureDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Picture"));
    const DialogUnits units = DialogUnits::fixedDialog(this, 330, 245);

    auto* frame = new QLabel(this);
    units.place(frame, 7, 7, 316, 210);
    setControlId(frame, IdPicture);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    units.place(ok, 273, 224, 50, 14);
    setControlId(ok, IdPictureOk);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    picture_.SubclassDlgItem(IdPicture, this);
    picture_.LoadImage(aboutPictureResource);
}

} // namespace tandrel

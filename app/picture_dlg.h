#pragma once

#include "common/picture_ctrl.h"

#include <QDialog>

namespace tandrel {

// Control ids of the picture dialog (template 138).
enum PictureDialogControl : int {
    IdPictureOk = 1,
    IdPicture = 1033,
};

// The image resource the picture dialog shows.
inline constexpr int aboutPictureResource = 140;

// A framed picture and an Ok button: what Ctrl+H in the About box opens.
class CPictureDlg : public QDialog {
    Q_OBJECT
public:
    explicit CPictureDlg(QWidget* parent = nullptr);

    const CPictureCtrl& picture() const { return picture_; }

private:
    CPictureCtrl picture_;
};

} // namespace tandrel

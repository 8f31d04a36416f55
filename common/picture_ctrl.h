#pragma once

#include "common/common_export.h"
#include "common/picture.h"
#include "common/static_link.h"

namespace tandrel {

// A framed label that shows a CPicture in its top-left corner, squeezed to
// the label when larger. Like its base it opens a link when clicked, but only
// when the program has a string with the control's id.
class COMMON_EXPORT CPictureCtrl : public CStaticLink {
    Q_OBJECT

public:
    // With `autoLoad` the control loads the image resource of its own id
    // when it takes its place in a dialog.
    explicit CPictureCtrl(bool autoLoad = false, QWidget* parent = nullptr);

    bool LoadImage(const QString& nameOrAddress);
    bool LoadImage(int resourceId);
    bool LoadImage(QIODevice& stream);

    QSize GetImageSize() const { return picture_.GetImageSize(); }
    CPicture& GetPicture() { return picture_; }

protected:
    void preSubclassWindow() override;
    bool showsText() const override;
    void paintEvent(QPaintEvent* event) override;

private:
    CPicture picture_;
    bool autoLoad_;
};

} // namespace tandrel

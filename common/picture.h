#pragma once

#include "common/common_export.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPair>
#include <QRect>
#include <QSize>
#include <QString>

class QIODevice;
class QPainter;

namespace tandrel {

// One image loaded from a file, an http:// address, a stream or an image
// resource (":/images/<number>"), drawn scaled into a rectangle. Every load
// first drops the previous image; a failed load leaves none.
class COMMON_EXPORT CPicture {
public:
    // How Rotate turns or mirrors the image.
    enum RotateFlip { Rotate90, Rotate180, Rotate270, FlipHorizontal, FlipVertical };

    // The longest a web load may take, in milliseconds, unless changed.
    static constexpr int defaultTimeout = 30000;
    // The most a web load or stream load reads; larger images are refused.
    static constexpr qint64 maxBytes = 64 * 1024 * 1024;

    CPicture();

    // A name beginning with "http://" (any case) is fetched with LoadURL;
    // anything else is read as a file.
    bool Load(const QString& nameOrAddress);
    // The rest of `stream`.
    bool Load(QIODevice& stream);
    // The image resource of that number.
    bool Load(int resourceId);
    // Fetches an http:// or https:// address (system proxy settings); only an answer of
    // 200 to 299 whose body arrives whole within the time-out counts.
    bool LoadURL(const QString& address);

    // Draws the whole image scaled into `rect`; an empty `rect` means the
    // image's own size at the origin.
    void Render(QPainter& painter, const QRect& rect) const;

    QSize GetImageSize() const { return image_.size(); }
    const QImage& GetImage() const { return image_; }
    explicit operator bool() const { return !image_.isNull(); }
    static bool IsURL(const QString& name);

    // "JPEG", "PNG", "BMP", "GIF", "TIFF", "Icon", ...; "unknown" without an
    // image or for a format outside the table.
    QString GetFormatName() const;
    // The format as the image decoder names it ("jpeg", "png"); empty without an image.
    QByteArray GetRawFormat() const { return format_; }
    QRect GetBounds() const { return image_.rect(); }
    QImage::Format GetPixelFormat() const { return image_.format(); }
    // Dots per inch; 0 without an image.
    double GetHorizontalResolution() const;
    double GetVerticalResolution() const;
    bool Rotate(RotateFlip how);
    // The texts the image file carries (comments, descriptions, ...), as
    // name and text.
    QList<QPair<QString, QString>> GetAllPropertyItems() const;
    void DestroyPicture();

    void setUseColorManagement(bool use) { useColorManagement_ = use; }
    void setTimeout(int milliseconds) { timeout_ = milliseconds; }

protected:
    bool LoadFromMem(const QByteArray& bytes);

private:
    bool useColorManagement_ = false;
    int timeout_ = defaultTimeout;
    QImage image_;
    QByteArray format_;
};

} // namespace tandrel

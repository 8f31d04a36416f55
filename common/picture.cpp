#include "common/picture.h"

#include <QBuffer>
#include <QColorSpace>
#include <QEventLoop>
#include <QFile>
#include <QImageReader>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QTransform>
#include <QUrl>

#include <memory>

namespace tandrel {

namespace {

// Picks the proxy the way the desktop is set up, for this manager only.
class SystemProxyFactory : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        return systemProxyForQuery(query);
    }
};

struct FormatName {
    const char* decoder;
    const char* name;
};

const FormatName formatNames[] = {
    {"bmp", "BMP"},   {"jpeg", "JPEG"}, {"jpg", "JPEG"}, {"png", "PNG"},  {"gif", "GIF"},
    {"tiff", "TIFF"}, {"tif", "TIFF"},  {"ico", "Icon"}, {"cur", "Icon"},
};

constexpr double inchesPerMetre = 0.0254;

} // namespace

CPicture::CPicture() = default;

bool CPicture::IsURL(const QString& name) {
    return name.startsWith(QLatin1String("http://"), Qt::CaseInsensitive);
}

void CPicture::DestroyPicture() {
    image_ = QImage();
    format_.clear();
}

bool CPicture::LoadFromMem(const QByteArray& bytes) {
    DestroyPicture();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Asked before reading: afterwards the reader would look at the end of the data.
    const QByteArray format = reader.format();
    QImage image = reader.read();
    if (image.isNull()) {
        return false;
    }
    if (useColorManagement_ && image.colorSpace().isValid()) {
        image.convertToColorSpace(QColorSpace::SRgb);
    }
    image_ = std::move(image);
    format_ = format;
    return true;
}

bool CPicture::Load(const QString& nameOrAddress) {
    if (IsURL(nameOrAddress)) {
        return LoadURL(nameOrAddress);
    }
    DestroyPicture();
    QFile file(nameOrAddress);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    return Load(file);
}

bool CPicture::Load(QIODevice& stream) {
    DestroyPicture();
    if (!stream.isReadable()) {
        return false;
    }
    // Read in pieces, so a limit this large is never allocated up front.
    constexpr qint64 piece = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() <= maxBytes) {
        const QByteArray next = stream.read(piece);
        if (next.isEmpty()) {
            break;
        }
        bytes += next;
    }
    if (bytes.size() > maxBytes) {
        return false;
    }
    return LoadFromMem(bytes);
}

bool CPicture::Load(int resourceId) {
    DestroyPicture();
    if (resourceId <= 0) {
        return false;
    }
    QFile resource(QStringLiteral(":/images/%1").arg(resourceId));
    if (!resource.open(QIODevice::ReadOnly)) {
        return false;
    }
    return Load(resource);
}

bool CPicture::LoadURL(const QString& address) {
    DestroyPicture();
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        return false;
    }
    QNetworkAccessManager manager;
    manager.setProxyFactory(new SystemProxyFactory);
    QNetworkRequest request(url);
    request.setTransferTimeout(timeout_);
    std::unique_ptr<QNetworkReply> reply(manager.get(request));

    // A body larger than we take is refused as soon as the header or the
    // bytes received say so, rather than downloaded in full.
    bool tooLarge = false;
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, reply.get(),
                     [&](qint64 received, qint64 total) {
                         if (received > maxBytes || total > maxBytes) {
                             tooLarge = true;
                             reply->abort();
                         }
                     });
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (tooLarge || reply->error() != QNetworkReply::NoError || status < 200 || status > 299) {
        return false;
    }
    const QByteArray body = reply->readAll();
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != body.size()) {
        return false;
    }
    return LoadFromMem(body);
}

void CPicture::Render(QPainter& painter, const QRect& rect) const {
    if (image_.isNull()) {
        return;
    }
    const QRect target = rect.isEmpty() ? QRect(QPoint(0, 0), image_.size()) : rect;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
    painter.restore();
}

QString CPicture::GetFormatName() const {
    if (image_.isNull()) {
        return QStringLiteral("unknown");
    }
    for (const FormatName& entry : formatNames) {
        if (format_ == entry.decoder) {
            return QLatin1String(entry.name);
        }
    }
    return QStringLiteral("unknown");
}

double CPicture::GetHorizontalResolution() const {
    return image_.isNull() ? 0.0 : image_.dotsPerMeterX() * inchesPerMetre;
}

double CPicture::GetVerticalResolution() const {
    return image_.isNull() ? 0.0 : image_.dotsPerMeterY() * inchesPerMetre;
}

bool CPicture::Rotate(RotateFlip how) {
    if (image_.isNull()) {
        return false;
    }
    switch (how) {
    case Rotate90:
        image_ = image_.transformed(QTransform().rotate(90));
        break;
    case Rotate180:
        image_ = image_.transformed(QTransform().rotate(180));
        break;
    case Rotate270:
        image_ = image_.transformed(QTransform().rotate(270));
        break;
    case FlipHorizontal:
        image_ = image_.mirrored(true, false);
        break;
    case FlipVertical:
        image_ = image_.mirrored(false, true);
        break;
    }
    return true;
}

QList<QPair<QString, QString>> CPicture::GetAllPropertyItems() const {
    QList<QPair<QString, QString>> items;
    const QStringList keys = image_.textKeys();
    for (const QString& key : keys) {
        items.append({key, image_.text(key)});
    }
    return items;
}

} // namespace tandrel

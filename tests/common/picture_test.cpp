#include "common/dialog_units.h"
#include "common/picture.h"
#include "common/picture_ctrl.h"
#include "tests/support/qstring_printer.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdlib>

namespace tandrel {

namespace {

const QSize imageSize(8, 6);

QByteArray encoded(const char* format) {
    QImage image(imageSize, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray answer(const QByteArray& status, const QByteArray& body,
                  const QByteArray& length = QByteArray()) {
    QByteArray head = "HTTP/1.1 " + status + "\r\nContent-Type: image/png\r\nConnection: close\r\n";
    if (!length.isNull()) {
        head += "Content-Length: " + length + "\r\n";
    }
    return head + "\r\n" + body;
}

QByteArray ok(const QByteArray& body) {
    return answer("200 OK", body, QByteArray::number(body.size()));
}

// Answers every request on 127.0.0.1 with one fixed reply, or never.
class HttpServer {
public:
    explicit HttpServer(const QByteArray& reply, bool silent = false) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this, reply, silent] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, reply, silent] {
                    const QByteArray request = socket->readAll();
                    if (!silent && request.contains("\r\n\r\n")) {
                        socket->write(reply);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }

    QString url(const char* path = "/picture") const {
        return QStringLiteral("http://127.0.0.1:%1%2")
            .arg(server_.serverPort())
            .arg(QLatin1String(path));
    }

private:
    QTcpServer server_;
};

class Picture : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "all_proxy"}) {
            unsetenv(name);
        }
    }
};

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

} // namespace

TEST_F(Picture, LoadsFilesAndForgetsTheLastImageOnFailure) {
    TempDir dir;
    writeFile(dir / "clip.png", encoded("PNG").toStdString());
    writeFile(dir / "clip.bmp", encoded("BMP").toStdString());
    writeFile(dir / "notes.png", "not an image");
    CPicture picture;
    EXPECT_FALSE(picture);
    EXPECT_EQ(picture.GetFormatName(), QStringLiteral("unknown"));

    ASSERT_TRUE(picture.Load(QString::fromStdString((dir / "clip.png").string())));
    EXPECT_TRUE(picture);
    EXPECT_EQ(picture.GetImageSize(), imageSize);
    EXPECT_EQ(picture.GetFormatName(), QStringLiteral("PNG"));
    ASSERT_TRUE(picture.Load(QString::fromStdString((dir / "clip.bmp").string())));
    EXPECT_EQ(picture.GetFormatName(), QStringLiteral("BMP"));

    EXPECT_FALSE(picture.Load(QString::fromStdString((dir / "notes.png").string())));
    EXPECT_FALSE(picture);
    EXPECT_EQ(picture.GetImageSize(), QSize(0, 0));
    ASSERT_TRUE(picture.Load(QString::fromStdString((dir / "clip.png").string())));
    EXPECT_FALSE(picture.Load(QString::fromStdString((dir / "missing.png").string())));
    EXPECT_FALSE(picture);
    EXPECT_FALSE(picture.Load(QString::fromStdString(dir.str())));
}

TEST_F(Picture, LoadsStreamsAndResources) {
    CPicture picture;
    QByteArray jpeg = encoded("JPEG");
    QBuffer stream(&jpeg);
    EXPECT_FALSE(picture.Load(stream)); // not open
    stream.open(QIODevice::ReadOnly);
    ASSERT_TRUE(picture.Load(stream));
    EXPECT_EQ(picture.GetFormatName(), QStringLiteral("JPEG"));
    EXPECT_EQ(picture.GetRawFormat(), QByteArray("jpeg"));

    ASSERT_TRUE(picture.Load(77));
    EXPECT_EQ(picture.GetImageSize(), imageSize);
    EXPECT_FALSE(picture.Load(78));
    EXPECT_FALSE(picture);
    EXPECT_FALSE(picture.Load(0));
    EXPECT_FALSE(picture.Load(-77));
}

TEST_F(Picture, LoadsFromAWebServer) {
    const QByteArray png = encoded("PNG");
    HttpServer server(ok(png));
    CPicture picture;
    ASSERT_TRUE(picture.LoadURL(server.url()));
    EXPECT_EQ(picture.GetFormatName(), QStringLiteral("PNG"));
    ASSERT_TRUE(picture.Load(server.url().replace(QLatin1String("http"), QLatin1String("HTTP"))));
    EXPECT_EQ(picture.GetImageSize(), imageSize);

    HttpServer untold(answer("200 OK", png));
    EXPECT_TRUE(picture.LoadURL(untold.url()));
}

TEST_F(Picture, WebFailuresLeaveNoImage) {
    const QByteArray png = encoded("PNG");
    HttpServer missing(answer("404 Not Found", png, QByteArray::number(png.size())));
    HttpServer redirect(answer("304 Not Modified", QByteArray(), "0"));
    HttpServer cutShort(answer("200 OK", png, QByteArray::number(png.size() * 2)));
    HttpServer garbage(ok("no picture here"));
    HttpServer huge(answer("200 OK", png, QByteArray::number(CPicture::maxBytes + 1)));
    HttpServer silent(ok(png), true);

    CPicture picture;
    for (const QString& url :
         {missing.url(), redirect.url(), cutShort.url(), garbage.url(), huge.url()}) {
        ASSERT_TRUE(picture.Load(77));
        EXPECT_FALSE(picture.LoadURL(url)) << url.toStdString();
        EXPECT_FALSE(picture);
    }
    picture.setTimeout(200);
    EXPECT_FALSE(picture.LoadURL(silent.url()));
    EXPECT_FALSE(picture.LoadURL(QStringLiteral("http://")));
    EXPECT_FALSE(picture.LoadURL(QStringLiteral("ftp://127.0.0.1/picture")));
    EXPECT_FALSE(CPicture::IsURL(QStringLiteral("/tmp/http://x")));
}

TEST_F(Picture, RendersScaledIntoTheRectangleOrAtItsOwnSize) {
    CPicture picture;
    ASSERT_TRUE(picture.Load(77));
    QImage canvas(40, 20, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        picture.Render(painter, QRect(0, 0, 40, 20));
    }
    EXPECT_EQ(at(canvas, 5, 10), 0xFF0000u);
    EXPECT_EQ(at(canvas, 35, 10), 0x0000FFu);

    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        picture.Render(painter, QRect());
    }
    EXPECT_EQ(at(canvas, 7, 5), 0x0000FFu);
    EXPECT_EQ(at(canvas, 9, 5), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 7, 7), 0xFFFFFFu);

    ASSERT_TRUE(picture.Rotate(CPicture::Rotate90));
    EXPECT_EQ(picture.GetImageSize(), QSize(6, 8));
    ASSERT_TRUE(picture.Rotate(CPicture::FlipVertical));
    EXPECT_EQ(at(picture.GetImage(), 0, 0), 0x0000FFu);
}

namespace {

// A dialog with a framed label `id` of `size`, as template 138 makes one.
struct PictureDialog {
    QDialog window;
    CPictureCtrl control;

    PictureDialog(int id, QSize size, bool autoLoad) : control(autoLoad) {
        auto* frame = new QLabel(&window);
        frame->setGeometry(QRect(QPoint(0, 0), size));
        setControlId(frame, id);
        control.SubclassDlgItem(id, &window);
    }

    QImage shown() { return control.grab().toImage(); }
};

} // namespace

TEST_F(Picture, ControlLoadsTheResourceOfItsIdWhenAskedTo) {
    PictureDialog automatic(77, QSize(40, 30), true);
    EXPECT_EQ(automatic.control.GetImageSize(), imageSize);
    PictureDialog manual(77, QSize(40, 30), false);
    EXPECT_FALSE(manual.control.GetPicture());

    PictureDialog noResource(1033, QSize(40, 30), true);
    EXPECT_FALSE(noResource.control.GetPicture());
    EXPECT_TRUE(noResource.control.LoadImage(77));
    EXPECT_EQ(noResource.control.GetImageSize(), imageSize);
}

TEST_F(Picture, ControlDrawsSmallImagesTopLeftAndSqueezesLargeOnes) {
    PictureDialog small(1033, QSize(40, 30), false);
    ASSERT_TRUE(small.control.LoadImage(77));
    const QImage shown = small.shown();
    const int inside = small.control.contentsRect().left();
    EXPECT_EQ(at(shown, inside + 1, inside + 1), 0xFF0000u);
    EXPECT_EQ(at(shown, inside + 6, inside + 4), 0x0000FFu);
    EXPECT_EQ(at(shown, 30, 20), small.control.palette().window().color().rgb() & 0xFFFFFF);

    PictureDialog large(1033, QSize(6, 5), false);
    ASSERT_TRUE(large.control.LoadImage(77));
    const QRect client = large.control.contentsRect();
    const QImage squeezed = large.shown();
    EXPECT_EQ(at(squeezed, client.left(), client.center().y()), 0xFF0000u);
    EXPECT_EQ(at(squeezed, client.right(), client.center().y()), 0x0000FFu);

    PictureDialog empty(1033, QSize(20, 20), false);
    const QImage blank = empty.shown();
    EXPECT_EQ(at(blank, 10, 10), empty.control.palette().window().color().rgb() & 0xFFFFFF);
}

TEST_F(Picture, ControlIsALinkOnlyWithAStringOfItsId) {
    PictureDialog withString(4711, QSize(20, 20), false);
    EXPECT_EQ(withString.control.cursor().shape(), Qt::PointingHandCursor);
    PictureDialog without(77, QSize(20, 20), false);
    EXPECT_NE(without.control.cursor().shape(), Qt::PointingHandCursor);
}

} // namespace tandrel

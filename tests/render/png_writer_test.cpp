// The PNG writer: what it writes must decode to the pixels the image's RGB32 conversion gives.

#include "gui_test_main.h"
#include "render/png_writer.h"

#include <QBuffer>
#include <QPainter>

#include <gtest/gtest.h>

using namespace quarvel;

namespace {

QImage decoded(const QByteArray &bytes)
{
    QImage image;
    image.loadFromData(bytes, "PNG");
    return image.convertToFormat(QImage::Format_RGB32);
}

// Device that refuses every write.
class FullDevice : public QIODevice
{
protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64) override { return -1; }
};

} // namespace

TEST(PngWriter, DecodesToTheRgb32PixelsOfEveryFormat)
{
    // Opaque drawing on white, as the export makes it, plus a translucent corner and a
    // width that is no multiple of anything.
    QImage picture(131, 37, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::red, 3));
        p.drawEllipse(10, 5, 60, 25);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(100, 0, 31, 12, QColor(20, 200, 90, 77));
        p.fillRect(100, 12, 31, 4, Qt::transparent);
    }
    for (const QImage::Format format :
         {QImage::Format_ARGB32_Premultiplied, QImage::Format_ARGB32, QImage::Format_RGB32, QImage::Format_RGB888}) {
        const QImage image = picture.convertToFormat(format);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(writePng(image, buffer)) << format;
        const QImage back = decoded(bytes);
        ASSERT_EQ(back.size(), image.size()) << format;
        EXPECT_EQ(back, image.convertToFormat(QImage::Format_RGB32)) << format;
    }
}

TEST(PngWriter, KeepsTheResolutionAndReportsAFailedDevice)
{
    QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    image.setDotsPerMeterX(11811); // 300 dpi
    image.setDotsPerMeterY(11811);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writePng(image, buffer));
    QImage back;
    ASSERT_TRUE(back.loadFromData(bytes, "PNG"));
    EXPECT_EQ(back.dotsPerMeterX(), 11811);
    EXPECT_EQ(back.dotsPerMeterY(), 11811);

    FullDevice full;
    full.open(QIODevice::WriteOnly);
    EXPECT_FALSE(writePng(image, full));
}

// The canvas over QPainter on images of every format QPainter paints on, and its own font.

#include "gui_test_main.h"
#include "render/qpainter_canvas.h"

#include <gtest/gtest.h>

using namespace quarvel;

namespace {

constexpr ColorRef kRed = 0x0000FF; // COLORREF order: 0x00BBGGRR

struct Ink
{
    QRect box;     // of the pixels that are not white
    int reddish = 0; // pixels clearly more red than green or blue
    int bluish = 0;
};

Ink inkOf(const QImage &image)
{
    Ink ink;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            if (qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240)
                continue;
            ink.box |= QRect(x, y, 1, 1);
            ink.reddish += qRed(p) > qGreen(p) + 60 && qRed(p) > qBlue(p) + 60;
            ink.bluish += qBlue(p) > qRed(p) + 60;
        }
    }
    return ink;
}

// A sample's symbol as the renderer draws it: one character, no background, the fast path's case.
QImage drawSymbols(QImage::Format format)
{
    QImage image(120, 90, format);
    image.fill(Qt::white);
    {
        QPainterCanvas canvas(image);
        CanvasFont font;
        font.face = QStringLiteral("DejaVu Sans");
        font.size = 24;
        font.color = kRed;
        canvas.setFont(font);
        canvas.setTextBackground(false);
        canvas.textOut(20, 10, u"M");
        canvas.textOut(70, 40, u"W");
    }
    return image;
}

} // namespace

// The raster fast path writes 32-bit pixels itself: on any other format it overran the image and
// put the symbols in the wrong place and colour.
TEST(QPainterCanvas, SymbolsLandAlikeOnEveryImageFormat)
{
    const Ink reference = inkOf(drawSymbols(QImage::Format_ARGB32_Premultiplied));
    ASSERT_TRUE(reference.box.isValid());
    ASSERT_GT(reference.reddish, 50);
    EXPECT_EQ(reference.bluish, 0);
    const QImage::Format formats[] = {QImage::Format_RGB32,     QImage::Format_ARGB32,   QImage::Format_RGB888,
                                      QImage::Format_BGR888,    QImage::Format_RGB16,    QImage::Format_RGBA8888,
                                      QImage::Format_RGBX8888,  QImage::Format_RGB666,   QImage::Format_A2RGB30_Premultiplied,
                                      QImage::Format_Grayscale8, QImage::Format_RGBA64};
    for (const QImage::Format format : formats) {
        SCOPED_TRACE(testing::Message() << "format " << format);
        const Ink ink = inkOf(drawSymbols(format));
        // Antialiased edges may come out a pixel apart after a format's rounding.
        EXPECT_LE(std::abs(ink.box.left() - reference.box.left()), 1);
        EXPECT_LE(std::abs(ink.box.right() - reference.box.right()), 1);
        EXPECT_LE(std::abs(ink.box.top() - reference.box.top()), 1);
        EXPECT_LE(std::abs(ink.box.bottom() - reference.box.bottom()), 1);
        EXPECT_EQ(ink.bluish, 0);
        if (format != QImage::Format_Grayscale8) {
            EXPECT_GT(ink.reddish, reference.reddish / 2);
        }
    }
}

// RGB32 keeps the fast path and must give exactly the pixels of the premultiplied image.
TEST(QPainterCanvas, Rgb32TakesTheFastPathWithTheSamePixels)
{
    const QImage premultiplied = drawSymbols(QImage::Format_ARGB32_Premultiplied).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(drawSymbols(QImage::Format_RGB32), premultiplied);
}

// Text before any font is set uses the canvas's own font, Arial of 9 points; selecting it again
// used to swap it for an empty face as it was read.
TEST(QPainterCanvas, OwnFontSurvivesBeingSelected)
{
    QImage image(200, 50, QImage::Format_ARGB32_Premultiplied);
    CanvasFont arial;
    arial.face = QStringLiteral("Arial");
    int expectedWidth = 0;
    {
        QPainterCanvas canvas(image);
        canvas.setFont(arial);
        expectedWidth = canvas.textWidth(u"Wide words");
    }
    QPainterCanvas canvas(image);
    canvas.selectCanvasFont();
    EXPECT_EQ(canvas.font().face, QStringLiteral("Arial"));
    EXPECT_EQ(canvas.textWidth(u"Wide words"), expectedWidth);

    // And again after another font was set and the own font reselected through setFont.
    CanvasFont other;
    other.face = QStringLiteral("DejaVu Serif");
    other.size = 20;
    canvas.setFont(other);
    canvas.setFont(arial);
    canvas.selectCanvasFont();
    EXPECT_EQ(canvas.font().face, QStringLiteral("Arial"));
    EXPECT_EQ(canvas.textWidth(u"Wide words"), expectedWidth);
}

// Checks on real pixels: where symbols land, what raster operations do, and that the fast
// symbol path draws what QPainter draws.

#include "core/document_fixture.h"
#include "gui_test_main.h"
#include "render/document_drawing.h"
#include "render/qpainter_canvas.h"
#include "render/diagram_renderer.h"
#include "render/legend.h"
#include "thumbnail_fixture.h"

#include <gtest/gtest.h>

#include <QFontDatabase>

#include <cstring>

using namespace quarvel;
using namespace quarvel::test;

namespace {

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

bool isRed(QRgb p)
{
    return qRed(p) > 150 && qGreen(p) < 110 && qBlue(p) < 110;
}

struct RedPixels
{
    int count = 0;
    double cx = 0, cy = 0;
};

RedPixels redPixels(const QImage &image)
{
    RedPixels red;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isRed(image.pixel(x, y))) {
                ++red.count;
                red.cx += x;
                red.cy += y;
            }
        }
    }
    if (red.count) {
        red.cx /= red.count;
        red.cy /= red.count;
    }
    return red;
}

// A document whose only sample lies on the given vertex, drawn in red without labels.
std::unique_ptr<Document> redSampleDocument(std::initializer_list<RowCells> rows)
{
    auto doc = documentWith(rows);
    for (int i = 0; i < doc->groupList.size(); ++i)
        doc->groupList.group(i).color = 0x0000FF;
    doc->diagramSettings.drawLegend = 0;
    doc->evaluateSamples();
    return doc;
}

} // namespace

TEST(Pixels, RightSampleSymbolIsCentredOnItsVertex)
{
    for (const bool clockwise : {true, false}) {
        auto doc = redSampleDocument({{"A", "0", "0", "100", "", ""}});
        doc->diagramSettings.clockwise = clockwise;
        QImage image = whiteImage(800, 615);
        QPainterCanvas canvas(image);
        const DrawnFrame frame = drawDocument(*doc, canvas, 800, 615);
        const RedPixels red = redPixels(image);
        ASSERT_GT(red.count, 10) << clockwise;
        const float vx = clockwise ? frame.rightX : frame.leftX;
        EXPECT_NEAR(red.cx, static_cast<int>(vx), 3.0) << clockwise;
        EXPECT_NEAR(red.cy, static_cast<int>(frame.rightY), 3.0) << clockwise;
    }
}

TEST(Pixels, HiddenGroupsAndForceTriangleLeaveNoPixels)
{
    auto hidden = redSampleDocument({{"A", "20", "30", "50", "", ""}});
    hidden->groupList.group(0).visible = 0;
    hidden->evaluateSamples();
    QImage image = whiteImage(800, 615);
    {
        QPainterCanvas canvas(image);
        drawDocument(*hidden, canvas, 800, 615);
    }
    EXPECT_EQ(redPixels(image).count, 0);

    auto lower = redSampleDocument({{"B", "20", "", "30", "50", ""}});
    ASSERT_EQ(lower->samples.size(), 1);
    lower->diagramSettings.diagramKind = 1;
    image = whiteImage(800, 615);
    {
        QPainterCanvas canvas(image);
        drawDocument(*lower, canvas, 800, 615);
    }
    EXPECT_EQ(redPixels(image).count, 0);
    lower->diagramSettings.diagramKind = 2;
    image = whiteImage(800, 615);
    {
        QPainterCanvas canvas(image);
        drawDocument(*lower, canvas, 800, 615);
    }
    EXPECT_GT(redPixels(image).count, 10); // the control: the same sample shows in a diamond
}

TEST(Pixels, NotXorMarkDrawnTwiceRestoresThePicture)
{
    auto doc = redSampleDocument({{"A", "20", "30", "50", "", "x"}});
    QImage image = whiteImage(800, 615);
    QPainterCanvas canvas(image);
    drawDocument(*doc, canvas, 800, 615);
    const QImage before = image.copy();
    const std::array<IntPoint, 5> mark{IntPoint{100, 100}, IntPoint{700, 150}, IntPoint{400, 500},
                                       IntPoint{90, 400}, IntPoint{100, 100}};
    canvas.setPenMode(PenMode::NotXor);
    canvas.setPenColor(0);
    canvas.setPenWidth(1);
    canvas.polyline(mark);
    EXPECT_NE(image, before); // the mark is visible
    canvas.polyline(mark);
    EXPECT_EQ(image, before);
}

TEST(Pixels, AndCopyLeavesWhiteUntouchedAndDarkensWithTheGlyph)
{
    QImage image = whiteImage(60, 40);
    QPainterCanvas canvas(image);
    canvas.setBrushColor(0xFF8000); // a light blue half
    canvas.fillRect(QRect(0, 0, 30, 40));
    const QImage before = image.copy();

    auto bitmap = canvas.createBitmap(40, 40);
    bitmap->setFont(CanvasFont{QStringLiteral("DejaVu Sans"), 20, 1, 0, 0x0000FF});
    bitmap->textOut(0, 0, QStringLiteral("\u25A0"));
    canvas.setCopyMode(CopyMode::And);
    canvas.copyRect(QRect(10, 5, 40, 30), *bitmap, QRect(0, 0, 40, 30));

    const QImage &source = *static_cast<QPainterCanvas &>(*bitmap).image();
    int white = 0, changed = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const QRgb s = source.pixel(x, y), b = before.pixel(x + 10, y + 5), a = image.pixel(x + 10, y + 5);
            EXPECT_EQ(a, qRgba(qRed(s) & qRed(b), qGreen(s) & qGreen(b), qBlue(s) & qBlue(b), 255));
            if ((s & 0xFFFFFF) == 0xFFFFFF) {
                ++white;
                EXPECT_EQ(a, b);
            } else {
                changed += a != b;
            }
        }
    }
    EXPECT_GT(white, 100);
    EXPECT_GT(changed, 50);
}

TEST(Pixels, HatchLeavesTheBackgroundBetweenItsLines)
{
    QImage image = whiteImage(100, 100);
    QPainterCanvas canvas(image);
    canvas.setBrushColor(0x00FF00);
    canvas.fillRect(QRect(0, 0, 100, 100));
    canvas.setPenStyle(PenStyle::Clear);
    canvas.setBrushColor(0x0000FF);
    canvas.setBrushStyle(BrushStyle::BDiagonal);
    const std::array<IntPoint, 4> square{IntPoint{10, 10}, IntPoint{90, 10}, IntPoint{90, 90}, IntPoint{10, 90}};
    canvas.polygon(square);
    int green = 0, red = 0;
    for (int y = 20; y < 80; ++y) {
        for (int x = 20; x < 80; ++x) {
            const QRgb p = image.pixel(x, y);
            green += p == qRgb(0, 255, 0);
            red += p == qRgb(255, 0, 0);
        }
    }
    EXPECT_EQ(green + red, 3600);
    EXPECT_GT(green, red);
    EXPECT_GT(red, 300);
}

TEST(Pixels, CachedSymbolGivesThePixelsOfDrawnText)
{
    // The same symbols at the same places: once through the canvas (cached and composited),
    // once with QPainter::drawText straight onto the picture.
    QImage fast = whiteImage(200, 100);
    QImage direct = whiteImage(200, 100);
    const CanvasFont font{QStringLiteral("DejaVu Sans"), 12, 1, 0, 0x0000FF};
    {
        QPainterCanvas canvas(fast);
        canvas.setTextBackground(false);
        canvas.setFont(font);
        for (int i = 0; i < 8; ++i)
            canvas.textOut(10 + 23 * i, 20 + 5 * i, symbolText('A' + i));
    }
    {
        QPainter painter(&direct);
        QFont qfont(QStringLiteral("DejaVu Sans"));
        qfont.setPixelSize(16);
        qfont.setStyleStrategy(QFont::NoSubpixelAntialias);
        painter.setFont(qfont);
        painter.setPen(QColor(255, 0, 0));
        const int ascent = QFontMetrics(qfont).ascent();
        for (int i = 0; i < 8; ++i)
            painter.drawText(QPoint(10 + 23 * i, 20 + 5 * i + ascent), QString(QChar('A' + i)));
    }
    int maxDifference = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            const QRgb a = fast.pixel(x, y), b = direct.pixel(x, y);
            maxDifference = std::max({maxDifference, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                      std::abs(qBlue(a) - qBlue(b))});
        }
    }
    EXPECT_LE(maxDifference, 1);
    EXPECT_NE(fast, whiteImage(200, 100));
}

TEST(Pixels, WingdingsCodesShowTheirShapesWhenTheFaceIsMissing)
{
    const auto draw = [](const QString &face, const QString &text) {
        QImage image = whiteImage(40, 40);
        QPainterCanvas canvas(image);
        canvas.setTextBackground(false);
        canvas.setFont(CanvasFont{face, 20, 1, 0, 0});
        canvas.textOut(5, 5, text);
        return image;
    };
    // The ink alone: a substitute shape is moved to the middle of its cell.
    const auto ink = [](const QImage &image) {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    box |= QRect(x, y, 1, 1);
        return image.copy(box);
    };
    // 109 is the shadowed circle of the default symbol, not the letter m.
    const QImage symbol = ink(draw(QStringLiteral("WingDings"), symbolText(109)));
    EXPECT_EQ(symbol, ink(draw(QStringLiteral("DejaVu Sans"), QStringLiteral("\u274D"))));
    EXPECT_NE(symbol, ink(draw(QStringLiteral("DejaVu Sans"), QStringLiteral("m"))));
    // A face that is installed is used as it is.
    EXPECT_EQ(draw(QStringLiteral("DejaVu Sans"), symbolText(109)), draw(QStringLiteral("DejaVu Sans"), QStringLiteral("m")));
}

TEST(Pixels, ThumbnailShowsThePointsTheDocumentHides)
{
    const ThumbnailDocument thumb;
    QImage image = whiteImage(240, 184);
    drawThumbnail(*thumb.doc, image);
    thumb.expectUntouched();
    EXPECT_GT(redPixels(image).count, 0);
}

// Fourteen groups: every name and symbol lies inside the frame, and the frame's bottom line is
// about as far below the last row's ink as its top line above the first row's.
TEST(Pixels, LegendFrameEnclosesEveryRow)
{
    GroupList groups(UserLocale::point());
    for (char c = 'A'; c < 'A' + 14; ++c) {
        Group group;
        group.symbol = 108;
        groups.add(QStringLiteral("Group %1").arg(QChar(c)), group);
    }
    DiagramSettings s = DiagramSettings::defaults();
    s.legendX = 0.1f;
    s.legendY = 0.1f;
    QImage image = whiteImage(800, 615);
    {
        QPainterCanvas canvas(image);
        const Legend legend(canvas, 800, s, groups);
        ASSERT_EQ(legend.legendLeft(), 80);
        ASSERT_EQ(legend.legendTop(), 61);
    }
    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    // The frame's left line runs down from y = 59 at x = 78; it ends at the bottom line.
    ASSERT_TRUE(dark(78, 59));
    int bottom = 59;
    while (bottom + 1 < image.height() && dark(78, bottom + 1))
        ++bottom;
    int right = 78;
    while (right + 1 < image.width() && dark(right + 1, 59))
        ++right;
    ASSERT_GT(bottom, 59 + 14 * 10);
    int inkTop = image.height(), inkBottom = -1, outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) == 255 || x == 78 || x == right || y == 59 || y == bottom)
                continue;
            const bool inside = x > 78 && x < right && y > 59 && y < bottom;
            outside += !inside;
            if (inside)
                inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y);
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(bottom - inkBottom, 1);
    EXPECT_LT(bottom - inkBottom - (inkTop - 59), 4) << "bottom margin far larger than the top one";
}

// The axis titles and numbers are created fonts: bold must reach the glyphs, not only the record.
TEST(Pixels, BoldCreatedFontDrawsHeavierText)
{
    auto ink = [](bool bold, int escapement) {
        QImage image = whiteImage(200, 200);
        QPainterCanvas canvas(image);
        CreatedFont font;
        font.height = -16;
        font.escapement = font.orientation = escapement;
        font.bold = bold;
        font.face = QStringLiteral("DejaVu Sans");
        canvas.selectCreatedFont(font);
        canvas.setTextBackground(false);
        canvas.textOut(60, 100, QStringLiteral("Bottom"));
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    };
    for (const int escapement : {0, 600}) {
        const int regular = ink(false, escapement), bold = ink(true, escapement);
        EXPECT_GT(regular, 50) << escapement;
        EXPECT_GT(bold, regular * 5 / 4) << escapement;
    }
}

// A patterned pen keeps its pattern at every width, with the thin pen's lengths in pixels.
TEST(Pixels, PatternedPensKeepTheirPatternWhenWide)
{
    struct Case { PenStyle style; std::vector<int> dashes; }; // lengths of the first drawn runs
    const Case cases[] = {{PenStyle::Solid, {180}}, {PenStyle::Dash, {18, 18, 18}}, {PenStyle::Dot, {3, 3, 3}},
                          {PenStyle::DashDot, {9, 3, 9, 3}}};
    for (const int width : {1, 2, 3}) {
        for (const Case &c : cases) {
            QImage image = whiteImage(200, 40);
            {
                QPainterCanvas canvas(image);
                canvas.setPenStyle(c.style);
                canvas.setPenWidth(width);
                canvas.line(10, 20, 190, 20);
            }
            // The runs of ink along the line, and its thickness across the first run.
            std::vector<int> runs;
            int run = 0;
            for (int x = 0; x < 200; ++x) {
                if (qGray(image.pixel(x, 20)) < 128) {
                    ++run;
                } else if (run) {
                    runs.push_back(run);
                    run = 0;
                }
            }
            int thickness = 0;
            for (int y = 0; y < 40; ++y)
                thickness += qGray(image.pixel(12, y)) < 128;
            SCOPED_TRACE(testing::Message() << "style " << int(c.style) << " width " << width);
            EXPECT_EQ(thickness, width == 1 ? 1 : width);
            ASSERT_GE(runs.size(), c.dashes.size());
            for (std::size_t i = 0; i < c.dashes.size(); ++i)
                EXPECT_NEAR(runs[i], c.dashes[i], 1) << "run " << i;
        }
    }
}

namespace {

// Centre of the box around the red pixels.
QPointF redInkCentre(const QImage &image)
{
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isRed(image.pixel(x, y)))
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? QPointF(-1, -1) : QPointF((left + right) / 2.0, (top + bottom) / 2.0);
}

} // namespace

// Without the symbol face the substitute fonts draw the shapes; their ink must still be centred
// on the sample's point and in the legend's symbol cell, as the symbol font's own glyphs are.
TEST(Pixels, SubstituteSymbolInkIsCentredOnItsPointAndInTheLegend)
{
    if (QFontDatabase::hasFamily(QStringLiteral("Wingdings")))
        GTEST_SKIP() << "the symbol face is installed: no substitutes";
    // Filled circle, shadowed circle, filled square, lozenge.
    for (const int symbol : {108, 109, 110, 117}) {
        SCOPED_TRACE(symbol);
        // Away from the vertices and without grid lines, so that no line runs under the symbol.
        auto doc = redSampleDocument({{"A", "20", "30", "50", "", ""}});
        doc->diagramSettings.drawGrid = 0;
        doc->groupList.group(0).symbol = symbol;
        doc->groupList.group(0).symbolSize = 30;
        doc->groupList.group(0).showLabels = 0;
        doc->evaluateSamples();
        QImage image = whiteImage(1600, 1230);
        DrawnFrame frame;
        {
            QPainterCanvas canvas(image);
            frame = drawDocument(*doc, canvas, 1600, 1230);
        }
        // 20 % bottom, 30 % left, 50 % right, clockwise.
        const QPointF point(static_cast<int>(frame.leftX + 0.65f * frame.width),
                            static_cast<int>(frame.apexY + 0.7f * frame.height));
        const QPointF ink = redInkCentre(image);
        EXPECT_NEAR(ink.x(), point.x(), 1.0);
        EXPECT_NEAR(ink.y(), point.y(), 1.0);

        for (const bool convert : {false, true}) {
            DiagramSettings s = DiagramSettings::defaults();
            s.legendFont.size = 30;
            QImage legendImage = whiteImage(800, 615);
            QPainterCanvas canvas(legendImage);
            const Legend legend(canvas, 800, s, doc->groupList, convert);
            // The symbol's cell: right of the name, with the symbol font's advance and height.
            CanvasFont nameFont{s.legendFont.face(), 30, s.legendFont.charset, s.legendFont.style, 0};
            canvas.setFont(nameFont);
            const int nameWidth = canvas.textWidth(doc->groupList.name(0));
            canvas.setFont(CanvasFont{s.symbolFont.face(), 30, 1, 0, 0});
            const QString &text = symbolText(symbol);
            const QPointF cellCentre(legend.legendLeft() + nameWidth + 10 + canvas.textWidth(text) / 2.0,
                                     legend.legendTop() + canvas.textHeight(text) / 2.0);
            const QPointF legendInk = redInkCentre(legendImage);
            EXPECT_NEAR(legendInk.x(), cellCentre.x(), 1.0) << "convert " << convert;
            EXPECT_NEAR(legendInk.y(), cellCentre.y(), 1.0) << "convert " << convert;
        }
    }
}

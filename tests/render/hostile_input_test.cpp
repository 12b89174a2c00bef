// Settings and overlay objects come from files unchecked, so the renderer must draw whatever they
// hold without undefined behaviour, a crash or a hang, and still give a usable result: a frame of
// numbers for the mouse handling, overlay pixels within the saturation limit and a picture that is
// not blank. Under the sanitizer build any undefined float-to-integer conversion or overflow stops
// these tests as well.

#include "gui_test_main.h"

#include "files/text_import.h"
#include "render/document_drawing.h"
#include "render/qpainter_canvas.h"

#include <cmath>
#include <functional>
#include <limits>

using namespace quarvel;

namespace {

constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::unique_ptr<Document> documentWithSamples()
{
    auto doc = std::make_unique<Document>(UserLocale::point());
    importText(*doc, "A\t20\t30\t50\t\tfirst\nB\t10\t\t30\t60\tlower\nC\t0\t0\t100\t\tcorner\n");
    return doc;
}

VectorLine object(char kind, Weights origin, Weights dest)
{
    VectorLine v;
    v.kind = kind;
    v.ternOrigin = origin;
    v.ternDest = dest;
    v.ternCtrl1 = {kNan, 1, 1};
    v.ternCtrl2 = {kInf, -kInf, 0};
    return v;
}

bool blank(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return false;
        }
    }
    return true;
}

bool withinLimit(IntPoint p)
{
    return std::abs(p.x) <= kPixelLimit && std::abs(p.y) <= kPixelLimit;
}

// Draws the document as the image window (on a useful and on a one-pixel picture) and as the
// thumbnail, and checks what each drawing gives back.
void drawEverything(Document &doc, bool expectInk = true)
{
    for (int width : {320, 1}) {
        QImage image(width, imageHeightFor(width) + 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        DrawnFrame frame;
        {
            QPainterCanvas canvas(image);
            frame = drawDocument(doc, canvas, image.width(), image.height());
            placeOverlay(doc, frame, canvas);
        }
        for (const float v : {frame.apexX, frame.apexY, frame.leftX, frame.leftY, frame.rightX, frame.rightY,
                              frame.lowerX, frame.lowerY, frame.width, frame.height})
            EXPECT_TRUE(std::isfinite(v)) << "frame value " << v << " at width " << width;
        for (const VectorLine &v : doc.overlayList) {
            EXPECT_TRUE(withinLimit(v.pixOrigin) && withinLimit(v.pixDest) && withinLimit(v.pixCtrl1) &&
                        withinLimit(v.pixCtrl2));
        }
        if (width > 1 && expectInk) {
            EXPECT_FALSE(blank(image)) << "nothing drawn at width " << width;
        }
    }
    QImage thumbnail(120, 92, QImage::Format_ARGB32_Premultiplied);
    thumbnail.fill(Qt::white);
    drawThumbnail(doc, thumbnail);
    if (expectInk) {
        EXPECT_FALSE(blank(thumbnail)) << "empty thumbnail";
    }
}

struct SettingsCase
{
    const char *name;
    std::function<void(DiagramSettings &)> damage;
};

} // namespace

TEST(HostileInput, DamagedSettingsStillDraw)
{
    const SettingsCase cases[] = {
        {"baseSize NaN", [](DiagramSettings &s) { s.baseSize = kNan; }},
        {"baseSize infinite", [](DiagramSettings &s) { s.baseSize = -kInf; }},
        {"baseSize dividing by zero", [](DiagramSettings &s) { s.baseSize = 45; }},
        {"baseSize huge", [](DiagramSettings &s) { s.baseSize = -1e30f; }},
        {"legend far away", [](DiagramSettings &s) { s.legendX = 1e30f, s.legendY = kNan; }},
        {"legend columns", [](DiagramSettings &s) { s.legendColumns = kMax; }},
        {"border", [](DiagramSettings &s) { s.borderWidth = kMax; }},
        {"negative border", [](DiagramSettings &s) { s.borderWidth = kMin; }},
        {"tick length", [](DiagramSettings &s) { s.tickLength = kMax; }},
        {"negative tick length", [](DiagramSettings &s) { s.tickLength = kMin; }},
        {"decimals", [](DiagramSettings &s) { s.numberDecimals = kMax; }},
        {"negative decimals", [](DiagramSettings &s) { s.numberDecimals = kMin; }},
        {"divisions", [](DiagramSettings &s) { s.axisDivisions = kMax; }},
        {"no divisions", [](DiagramSettings &s) { s.axisDivisions = 0; }},
        {"diagram kind", [](DiagramSettings &s) { s.diagramKind = kMin; }},
        {"font sizes", [](DiagramSettings &s) {
             s.axisLabelFont.size = kMax;
             s.numberFont.size = kMin;
             s.legendFont.size = kMax;
             s.sampleLabelFont.size = 0;
         }},
        {"grid colour and flags", [](DiagramSettings &s) {
             s.gridColor = -1;
             s.clockwise = 200;
             s.innerTicks = 9;
             s.axisLabelsCentered = 3;
             s.numbersAligned = 7;
         }},
        {"subtriangle fit", [](DiagramSettings &s) {
             s.fullTriangle = 0;
             s.adjustToWindow = 1;
         }},
        {"clipping area", [](DiagramSettings &s) { s.showClippingArea = 1; }},
    };
    const std::array<Weights, 4> corners[] = {
        DiagramGeometry::kDefaultClipCorners,
        {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},                  // a box of no size
        {{{kNan, 1, 1}, {1, kInf, 1}, {1, 1, -kInf}, {1e30f, 1, 1}}},     // not numbers at all
        {{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}}},                  // one point
    };
    for (const SettingsCase &c : cases) {
        for (const auto &clip : corners) {
            SCOPED_TRACE(c.name);
            auto doc = documentWithSamples();
            c.damage(doc->diagramSettings);
            doc->geometry.clipCorners = clip;
            // A subtriangle view of a quadrilateral that encloses nothing may well be empty.
            const bool emptyView = doc->diagramSettings.fullTriangle == 0 && &clip != &corners[0];
            drawEverything(*doc, !emptyView);
        }
    }
}

TEST(HostileInput, DamagedOverlayObjectsStillDraw)
{
    auto doc = documentWithSamples();
    const Weights good{30, 30, 40};
    const Weights wild[] = {{kNan, kNan, kNan}, {kInf, 0, 0}, {-kInf, kInf, 1}, {1e30f, -1e30f, 1}, {0, 0, 0},
                            {1, -1, 0}};
    for (char kind : {'r', 'b', 'e', 't', 'z', '\0'}) {
        for (const Weights &w : wild) {
            doc->overlayList.push_back(object(kind, w, good));
            doc->overlayList.push_back(object(kind, good, w));
        }
    }
    for (VectorLine &v : doc->overlayList) {
        v.width = (&v - doc->overlayList.data()) % 2 ? kMax : kMin;
        v.fill = 200;
        v.lineStyle = 99;
        v.fontSize = (&v - doc->overlayList.data()) % 3 ? kMax : kMin;
        v.angle = kMin;
        v.text = QString(60, QLatin1Char('W'));
        v.fontName = QStringLiteral("No such face");
    }
    drawEverything(*doc);
    doc->diagramSettings.fullTriangle = 0;
    doc->diagramSettings.adjustToWindow = 1;
    drawEverything(*doc);
}

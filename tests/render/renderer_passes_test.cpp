#include "core/overlay_fixture.h"
#include "render_fixture.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

using namespace quarvel;
using namespace quarvel::test;

// The renderer formats numbers in the caller's locale; there is no silent default.
static_assert(!std::is_constructible_v<DiagramRenderer, Canvas &, int, int, const std::vector<VectorLine> &,
                                       const DiagramSettings &, const DataSettings &, DiagramGeometry &,
                                       const SampleList &, RenderFlags>);

namespace {

std::vector<QString> tenDown()
{
    return strings({"100", "90", "80", "70", "60", "50", "40", "30", "20", "10"});
}

std::vector<QString> tenUp()
{
    return strings({"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"});
}

std::vector<QString> concat(std::initializer_list<std::vector<QString>> parts)
{
    std::vector<QString> all;
    for (const auto &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

// The default document on 800 x 600, pinned in pixels worked out by hand: side 800 / 1.8 =
// 444.44, height 384.90, lower-left vertex at x 118.52, apex at y 71.70; ticks 1.3 % of the side,
// tX = 2.889 and tY = 5.004. Texts are 12 pixels high and 6 wide per character.
TEST(RendererPasses, DefaultTriangleOn800By600InPixels)
{
    Drawing d;
    d.draw();
    EXPECT_EQ(d.numberTexts(), concat({tenDown(), tenDown(), tenDown()}));
    const DrawnFrame f = d.renderer->drawnFrame();
    EXPECT_NEAR(f.apexX, 340.74f, 0.01f);
    EXPECT_NEAR(f.apexY, 71.70f, 0.01f);
    EXPECT_NEAR(f.leftX, 118.52f, 0.01f);
    EXPECT_NEAR(f.rightX, 562.96f, 0.01f);
    EXPECT_NEAR(f.leftY, 456.60f, 0.01f);

    const auto texts = Drawing::only(d.passCalls(), Op::TextOut);
    ASSERT_EQ(texts.size(), 30u);
    // "100" of each pass at its vertex: left of the apex's tick (340 - 5.78 - 1.1 x 18, 71 - 6),
    // above right of the lower-right vertex (562 + 2.89, 456 - 5.00 - 12), below the lower-left
    // vertex (118 + 2.89, 456 + 1.1 x 5.00).
    EXPECT_EQ(texts[0].args, (std::vector<int>{314, 65}));
    EXPECT_EQ(texts[10].args, (std::vector<int>{564, 438}));
    EXPECT_EQ(texts[20].args, (std::vector<int>{120, 461}));
    for (const Call &t : texts) {
        EXPECT_EQ(t.escapement, 0);
        EXPECT_EQ(t.fontHeight, 12);
        EXPECT_TRUE(t.opaque);
    }
    // The two ticks at the apex, horizontal, 2 x 2.89 long.
    const auto segments = Drawing::segmentsOf(d.passCalls());
    EXPECT_EQ(segments[0].args, (std::vector<int>{340, 71, 334, 71}));
    EXPECT_EQ(segments[1].args, (std::vector<int>{340, 71, 345, 71}));

    const auto later = d.laterCalls();
    EXPECT_EQ(Drawing::only(later, Op::Polyline).at(0).args, (std::vector<int>{562, 456, 340, 71, 118, 456, 562, 456}));
    // Titles: "Left" centred above the apex (71.70 - 6 - 14.4), "Bottom" and "Right" centred
    // below their vertices (456.60 + 5.00 + 12).
    EXPECT_EQ(d.textCall(QStringLiteral("Left"), later)->args, (std::vector<int>{328, 51}));
    EXPECT_EQ(d.textCall(QStringLiteral("Bottom"), later)->args, (std::vector<int>{100, 473}));
    EXPECT_EQ(d.textCall(QStringLiteral("Right"), later)->args, (std::vector<int>{547, 473}));
}

TEST(RendererPasses, CounterclockwiseNumbersRunUpTo100)
{
    Drawing d;
    d.settings.clockwise = 0;
    d.draw();
    EXPECT_EQ(d.numberTexts(), concat({tenUp(), tenUp(), tenUp()}));
    const DiagramFrame &f = d.frame();
    const auto texts = Drawing::only(d.passCalls(), Op::TextOut);
    // Pass C, type 12: the last number, 100, stands at the lower-right vertex.
    const float tX = d.renderer->tickX(), tY = d.renderer->tickY();
    const float x = static_cast<float>(trunc(f.leftX + 2 * 10 * (f.side / 20)));
    EXPECT_EQ(texts[29].args[0], trunc(x - 2.5f * tX - 0.5f * 12 * 0.8660254f));
    EXPECT_EQ(texts[29].args[1], trunc(static_cast<float>(trunc(f.leftY)) + 1.1f * tY));
}

TEST(RendererPasses, GridLinesAreDottedInTheGridColourNinePerDirection)
{
    for (const bool clockwise : {true, false}) {
        Drawing d;
        d.settings.clockwise = clockwise;
        d.settings.gridColor = 0x00FF00;
        d.draw();
        int dotted = 0;
        for (const Call &s : Drawing::segmentsOf(d.passCalls())) {
            if (s.penStyle == PenStyle::Dot) {
                ++dotted;
                EXPECT_EQ(s.penColor, 0x00FF00);
            } else {
                EXPECT_EQ(s.penColor, 0); // ticks in black
            }
            EXPECT_EQ(s.penWidth, 0);
        }
        // Counterclockwise the line of index n of each pass lies on a side.
        EXPECT_EQ(dotted, clockwise ? 27 : 30) << clockwise;
    }
}

TEST(RendererPasses, DecimalsFormatTheThirds)
{
    struct Case { int decimals; std::vector<QString> left; };
    const Case cases[] = {{0, strings({"100", "67", "33"})}, {1, strings({"100.0", "66.7", "33.3"})},
                          {2, strings({"100.00", "66.67", "33.33"})}, {7, strings({"100", "67", "33"})}};
    for (const Case &c : cases) {
        Drawing d;
        d.settings.axisDivisions = 3;
        d.settings.numberDecimals = c.decimals;
        d.draw();
        const auto texts = d.numberTexts();
        ASSERT_EQ(texts.size(), 9u);
        EXPECT_EQ(std::vector<QString>(texts.begin(), texts.begin() + 3), c.left) << c.decimals;
    }
}

TEST(RendererPasses, TicksPointOutwardOrInwardInBothOrientations)
{
    for (const bool clockwise : {true, false}) {
        for (const bool inner : {false, true}) {
            for (const bool diamond : {false, true}) {
                Drawing d;
                d.settings.clockwise = clockwise;
                d.settings.innerTicks = inner;
                d.settings.diagramKind = diamond ? 2 : 1;
                d.draw();
                const DiagramFrame &f = d.frame();
                const float length = 0.01f * f.side * 1.3f;
                const std::vector<IntPoint> vertices{{trunc(f.apexX), trunc(f.apexY)}, {trunc(f.leftX), trunc(f.leftY)},
                                                     {trunc(f.rightX), trunc(f.rightY)}, {trunc(f.lowerX), trunc(f.lowerY)}};
                int ticks = 0;
                for (const Call &s : Drawing::segmentsOf(d.passCalls())) {
                    if (inner) {
                        EXPECT_NE(s.penStyle, PenStyle::Dot) << "no grid with inner ticks";
                    }
                    if (s.penStyle == PenStyle::Dot)
                        continue;
                    ++ticks;
                    const float dx = static_cast<float>(s.args[2] - s.args[0]);
                    const float dy = static_cast<float>(s.args[3] - s.args[1]);
                    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), length, 1.5f);
                    // At a vertex a tick runs along the grid line of index 0, beside the diagram.
                    const bool atVertex = std::any_of(vertices.begin(), vertices.end(), [&](const IntPoint &v) {
                        return std::abs(v.x - s.args[0]) <= 1 && std::abs(v.y - s.args[1]) <= 1;
                    });
                    if (atVertex)
                        continue;
                    const bool endInside = f.insideDiagram(static_cast<float>(s.args[2]), static_cast<float>(s.args[3]));
                    EXPECT_EQ(endInside, inner) << clockwise << inner << diamond << " tick " << s.args[0] << ","
                                                << s.args[1] << " -> " << s.args[2] << "," << s.args[3];
                }
                EXPECT_GT(ticks, 30);
            }
        }
    }
}

TEST(RendererPasses, TickLengthSteps)
{
    struct Case { int step; float factor; };
    for (const Case c : {Case{-2, 1.0f}, Case{0, 1.2f}, Case{8, 2.0f}, Case{9, 1.2f}}) {
        Drawing d;
        d.settings.tickLength = c.step;
        d.draw();
        const float expected = 0.01f * d.frame().side * c.factor * 0.5f;
        EXPECT_NEAR(d.renderer->tickX(), expected, 1e-4) << c.step;
    }
}

TEST(RendererPasses, DiamondHasNothingOnTheSharedSideAndRepeatsTheRightAxis)
{
    Drawing d;
    d.settings.diagramKind = 2;
    d.draw();
    const auto texts = d.numberTexts();
    ASSERT_EQ(texts.size(), 39u);
    EXPECT_EQ(std::vector<QString>(texts.begin() + 20, texts.begin() + 29),
              strings({"10", "20", "30", "40", "50", "60", "70", "80", "90"})); // pass E, from the lower apex up
    EXPECT_EQ(std::vector<QString>(texts.begin() + 29, texts.end()), tenUp()); // pass F, 100 at the lower apex
    const DiagramFrame &f = d.frame();
    for (const Call &s : Drawing::segmentsOf(d.passCalls())) {
        if (s.penStyle == PenStyle::Dot)
            continue;
        const bool onSharedSide = s.args[1] == trunc(f.leftY) && s.args[0] > trunc(f.leftX) + 1 &&
                                  s.args[0] < trunc(f.rightX) - 1;
        EXPECT_FALSE(onSharedSide) << s.args[0];
    }
}

TEST(RendererPasses, AlignedNumbersTurnWithTheirGridLines)
{
    Drawing d;
    d.settings.numbersAligned = 1;
    d.draw();
    const auto texts = Drawing::only(d.passCalls(), Op::TextOut);
    EXPECT_EQ(texts[0].escapement, 0);     // left axis, horizontal grid lines
    EXPECT_EQ(texts[10].escapement, 600);  // right axis, +60 degrees
    EXPECT_EQ(texts[20].escapement, 3000); // bottom axis, -60 degrees
}

TEST(RendererPasses, SubtriangleViewDrawsOnlyAnchorsInsideTheQuadrilateral)
{
    Drawing d;
    d.settings.fullTriangle = 0;
    d.draw();
    const DiagramFrame &f = d.frame();
    const auto texts = d.numberTexts();
    EXPECT_FALSE(texts.empty());
    EXPECT_LT(texts.size(), 30u);
    for (const Call &s : Drawing::segmentsOf(d.passCalls())) {
        if (s.penStyle == PenStyle::Dot)
            continue;
        EXPECT_TRUE(f.insideClip(static_cast<float>(s.args[0]), static_cast<float>(s.args[1])));
    }
    for (const Call &s : Drawing::segmentsOf(d.passCalls())) {
        if (s.penStyle != PenStyle::Dot)
            continue;
        for (int e = 0; e < 2; ++e) {
            const float x = static_cast<float>(s.args[2 * e]), y = static_cast<float>(s.args[2 * e + 1]);
            // Each clipped end lies inside or within a pixel of the quadrilateral's border.
            const bool near = f.insideClip(x, y) || f.insideClip(x + 1, y) || f.insideClip(x - 1, y) ||
                              f.insideClip(x, y + 1) || f.insideClip(x, y - 1);
            EXPECT_TRUE(near) << x << "," << y;
        }
    }
}

// One number of each remaining type, at the first point of its pass: counterclockwise types 10
// (left side), 11 (right side), 14 (lower-right side) and 15 (lower-left side), clockwise type 4
// (lower-right side). Numbers are 12 pixels high and 6 wide per character.
TEST(RendererPasses, NumberPositionsOfTheOtherTypes)
{
    const float s = 0.8660254f;
    for (const bool clockwise : {true, false}) {
        Drawing d;
        d.settings.clockwise = clockwise;
        d.settings.diagramKind = 2;
        d.draw();
        const DiagramFrame &f = d.frame();
        const float tX = d.renderer->tickX(), tY = d.renderer->tickY();
        const float dX = f.side / 20, dY = f.height / 10;
        const auto texts = Drawing::only(d.passCalls(), Op::TextOut);
        auto at = [](float x, float y) { return std::pair<float, float>{float(trunc(x)), float(trunc(y))}; };
        if (clockwise) {
            // Pass E starts at index 1 beside the lower apex with "10" (type 4).
            const auto [x, y] = at(f.lowerX + dX, f.lowerY - dY);
            EXPECT_EQ(texts[20].text, QStringLiteral("10"));
            EXPECT_EQ(texts[20].args, (std::vector<int>{trunc(x + tX), trunc(y + tY)}));
            continue;
        }
        {
            // Pass A, index 1: "10" (type 10) left of and above the point.
            const auto [x, y] = at(f.apexX - dX, f.apexY + dY);
            EXPECT_EQ(texts[0].text, QStringLiteral("10"));
            EXPECT_EQ(texts[0].args, (std::vector<int>{trunc(x - tX - 12), trunc(y - tY - 12)}));
        }
        {
            // Pass B, index 1: "10" (type 11) right of the point.
            const auto [x, y] = at(f.rightX - dX, f.rightY - dY);
            EXPECT_EQ(texts[10].text, QStringLiteral("10"));
            EXPECT_EQ(texts[10].args, (std::vector<int>{trunc(x + 2.5f * tX), trunc(y - 6)}));
        }
        {
            // Pass E, index 0: "100" (type 14) at the lower apex.
            const auto [x, y] = at(f.lowerX, f.lowerY);
            EXPECT_EQ(texts[20].text, QStringLiteral("100"));
            EXPECT_EQ(texts[20].args, (std::vector<int>{trunc(x + tX + 0.5f * 12 * s), trunc(y - 6)}));
        }
        {
            // Pass F, index 1: "90" (type 15) below left of the point.
            const auto [x, y] = at(f.leftX + dX, f.leftY + dY);
            EXPECT_EQ(texts[30].text, QStringLiteral("90"));
            EXPECT_EQ(texts[30].args, (std::vector<int>{trunc(x - tX - 12), trunc(y + 1.5f * tY)}));
        }
    }
}

TEST(RendererPasses, DamagedDivisionCountsDrawNoPasses)
{
    for (const int divisions : {0, -3, 2000000000}) {
        Drawing d;
        d.settings.axisDivisions = divisions;
        d.draw();
        EXPECT_TRUE(d.numberTexts().empty()) << divisions;
        EXPECT_EQ(Drawing::only(d.laterCalls(), Op::Polyline).size(), 1u); // the outline still stands
    }
}

// Clockwise, the first point of passes A, B and C and its grid partner are the three vertices,
// so each vertex carries two ticks: types 0 and 1 at the apex, 2 and 3 at the lower-right vertex,
// 4 and 5 at the lower-left vertex. Inner ticks point the other way.
TEST(RendererPasses, TickEndPointsOfEachType)
{
    for (const bool inner : {false, true}) {
        Drawing d;
        d.settings.innerTicks = inner;
        d.draw();
        const DiagramFrame &f = d.frame();
        const float tX = d.renderer->tickX(), tY = d.renderer->tickY();
        const float sign = inner ? -1.0f : 1.0f;
        struct Vertex { float x, y; std::vector<std::pair<float, float>> ends; };
        const Vertex vertices[] = {
            {f.apexX, f.apexY, {{-2 * tX, 0}, {2 * tX, 0}}},   // types 0, 1
            {f.rightX, f.rightY, {{tX, -tY}, {-tX, tY}}},      // types 2, 3
            {f.leftX, f.leftY, {{tX, tY}, {-tX, -tY}}},        // types 4, 5
        };
        const auto segments = Drawing::segmentsOf(d.passCalls());
        for (const Vertex &v : vertices) {
            const int x = trunc(v.x), y = trunc(v.y);
            std::vector<std::vector<int>> found;
            for (const Call &s : segments) {
                if (s.penStyle == PenStyle::Solid && s.args[0] == x && s.args[1] == y)
                    found.push_back(s.args);
            }
            ASSERT_EQ(found.size(), 2u) << inner << " at " << x << "," << y;
            for (std::size_t k = 0; k < 2; ++k) {
                const auto [dx, dy] = v.ends[k];
                EXPECT_EQ(found[k], (std::vector<int>{x, y, trunc(static_cast<float>(x) + sign * dx),
                                                      trunc(static_cast<float>(y) + sign * dy)}))
                    << inner << " type " << k;
            }
        }
    }
}

// The geometry (which the image window's mouse handling reads) and the renderer must place the
// diagram on the same pixels at every size.
TEST(RendererPasses, GeometryAndRendererAgreeOnThePlaceOfTheDiagram)
{
    int checked = 0;
    for (const int kind : {1, 2}) {
        for (int width = 97; width < 2400; width += 37) {
            const int height = width * 3 / 4 + kind;
            DiagramSettings settings = DiagramSettings::defaults();
            settings.diagramKind = kind;
            settings.baseSize = static_cast<float>(width % 41 - 20);
            DiagramGeometry geometry;
            geometry.clipCorners = DiagramGeometry::kDefaultClipCorners;
            geometry.layout(width, height, settings);
            RecordingCanvas canvas(width, height, 96);
            const DiagramRenderer renderer(canvas, width, height, {}, settings, DataSettings::defaults(), geometry,
                                           SampleList{}, RenderFlags{}, UserLocale::point());
            const DrawnFrame f = renderer.drawnFrame();
            ASSERT_EQ(f.apexX, geometry.apexX) << width;
            ASSERT_EQ(f.apexY, geometry.apexY) << width;
            ASSERT_EQ(f.leftY, geometry.leftY) << width;
            ASSERT_EQ(f.rightX, geometry.rightX) << width;
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}

// Canvas fonts (samples, legend) and created fonts (titles, numbers, overlay labels) turn points
// into the same pixels; 6 points at 150 dpi are 12.5 pixels, which rounds up.
TEST(RendererPasses, EveryFontRoundsPointsToPixelsAlike)
{
    Drawing d;
    d.canvas = RecordingCanvas(800, 600, 150);
    for (FontSpec *font : {&d.settings.axisLabelFont, &d.settings.numberFont, &d.settings.sampleLabelFont})
        font->size = 6;
    d.overlay = {overlayLabel(QStringLiteral("note"), QStringLiteral("-"), {10, 10, 80}, 6)};
    Sample sample;
    sample.percents = {30, 30, 40, 0};
    sample.symbolSize = 6;
    d.samples.appendSample(sample, "S");
    d.draw();
    int texts = 0;
    for (const Call &c : d.canvas.texts()) {
        EXPECT_EQ(c.fontHeight, 13) << c.text.toStdString();
        ++texts;
    }
    EXPECT_EQ(texts, 30 + 3 + 1 + 2);
    EXPECT_EQ(fontPixelHeight(-6, 150), 13);
    EXPECT_EQ(fontPixelHeight(std::numeric_limits<std::int32_t>::max(), 2400), kPixelLimit);
}

#include "render_fixture.h"

#include <cmath>
#include <map>
#include <set>

using namespace quarvel;
using namespace quarvel::test;

namespace {

std::vector<int> pointArgs(std::initializer_list<std::pair<float, float>> points)
{
    std::vector<int> args;
    for (const auto &[x, y] : points) {
        args.push_back(trunc(x));
        args.push_back(trunc(y));
    }
    return args;
}

} // namespace

TEST(DiagramOutline, TriangleAndDiamondOnTheWholeDiagram)
{
    Drawing t;
    t.settings.borderWidth = 3;
    t.draw();
    const DiagramFrame &f = t.frame();
    const auto later = t.laterCalls();
    const auto lines = Drawing::only(later, Op::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].args, pointArgs({{f.rightX, f.rightY}, {f.apexX, f.apexY}, {f.leftX, f.leftY}, {f.rightX, f.rightY}}));
    EXPECT_EQ(lines[0].penWidth, 3);
    EXPECT_EQ(lines[0].penStyle, PenStyle::Solid);
    for (const Call &s : Drawing::segmentsOf(t.passCalls()))
        EXPECT_EQ(s.penWidth, 0); // grid and ticks stay thin

    Drawing d;
    d.settings.diagramKind = 2;
    d.draw();
    const DiagramFrame &g = d.frame();
    const auto diamondLines = Drawing::only(d.laterCalls(), Op::Polyline);
    ASSERT_EQ(diamondLines.size(), 1u);
    EXPECT_EQ(diamondLines[0].args, pointArgs({{g.rightX, g.rightY}, {g.lowerX, g.lowerY}, {g.leftX, g.leftY},
                                               {g.apexX, g.apexY}, {g.rightX, g.rightY}}));
    const auto shared = Drawing::segmentsOf(d.laterCalls());
    ASSERT_EQ(shared.size(), 1u);
    EXPECT_EQ(shared[0].args, pointArgs({{g.rightX, g.rightY}, {g.leftX, g.leftY}}));
}

TEST(DiagramOutline, BorderWidthOutsideTheRangeFallsBackToTheThinPen)
{
    Drawing d;
    d.settings.borderWidth = 7;
    RenderFlags flags;
    flags.thinPenWidth = 1;
    d.draw(flags);
    EXPECT_EQ(Drawing::only(d.laterCalls(), Op::Polyline).at(0).penWidth, 1);
}

TEST(DiagramOutline, ClippingAreaIsARedHatchedPolygonThroughTheCorners)
{
    Drawing d;
    d.settings.showClippingArea = 1;
    d.draw();
    const auto later = d.laterCalls();
    std::size_t polygon = 0;
    while (polygon < later.size() && later[polygon].op != Op::Polygon)
        ++polygon;
    ASSERT_LT(polygon, later.size());
    std::vector<int> corners;
    for (const PointF &p : d.geometry.clipPixels) {
        corners.push_back(trunc(p.x));
        corners.push_back(trunc(p.y));
    }
    EXPECT_EQ(later[polygon].args, corners);
    EXPECT_EQ(later[polygon - 1].op, Op::BrushStyle);
    EXPECT_EQ(later[polygon - 1].args[0], static_cast<int>(BrushStyle::BDiagonal));
    EXPECT_EQ(later[polygon - 2].args[0], 0x0000FF); // pure red
    EXPECT_EQ(later[polygon + 1].args[0], 0xFFFFFF);
    EXPECT_EQ(later[polygon + 2].args[0], static_cast<int>(BrushStyle::Solid));
    // The default trapezoid reaches beyond both slanted sides.
    EXPECT_LT(corners[2], trunc(d.frame().leftX + 0.14f * d.frame().width));
}

TEST(DiagramOutline, SubtriangleSidesClippedOneByOne)
{
    Drawing d;
    d.settings.fullTriangle = 0;
    d.settings.drawClippingLine = 0;
    d.draw();
    const DiagramFrame &f = d.frame();
    const auto sides = Drawing::segmentsOf(d.laterCalls());
    ASSERT_EQ(sides.size(), 2u); // the base lies below the default quadrilateral
    const int top = trunc(f.apexY + 0.2f * f.height), bottom = trunc(f.apexY + 0.72f * f.height);
    for (const Call &s : sides) {
        EXPECT_NEAR(std::min(s.args[1], s.args[3]), top, 1);
        EXPECT_NEAR(std::max(s.args[1], s.args[3]), bottom, 1);
    }
}

TEST(DiagramOutline, ClippingOutlineDrawsEveryEdgeFromBothEnds)
{
    Drawing d;
    d.settings.fullTriangle = 0;
    d.draw();
    const DiagramFrame &f = d.frame();
    const auto lines = Drawing::segmentsOf(d.laterCalls());
    ASSERT_EQ(lines.size(), 8u);
    std::map<std::pair<std::pair<int, int>, std::pair<int, int>>, int> edges;
    std::set<std::pair<int, int>> points;
    for (const Call &s : lines) {
        std::pair<int, int> a{s.args[0], s.args[1]}, b{s.args[2], s.args[3]};
        points.insert(a);
        points.insert(b);
        ++edges[std::minmax(a, b)];
    }
    EXPECT_EQ(edges.size(), 4u);
    for (const auto &[edge, count] : edges)
        EXPECT_EQ(count, 2);
    // The visible part is the band of the triangle between 20 % and 72 % of its height.
    ASSERT_EQ(points.size(), 4u);
    const int top = trunc(f.apexY + 0.2f * f.height), bottom = trunc(f.apexY + 0.72f * f.height);
    for (const auto &[x, y] : points)
        EXPECT_TRUE(std::abs(y - top) <= 1 || std::abs(y - bottom) <= 1) << x << "," << y;
}

TEST(AxisTitles, ExtremePositionsInBothOrientations)
{
    for (const bool clockwise : {true, false}) {
        Drawing d;
        d.settings.clockwise = clockwise;
        d.draw();
        const DiagramFrame &f = d.frame();
        const auto later = d.laterCalls();
        EXPECT_EQ(Drawing::textsOf(later), clockwise ? strings({"Left", "Bottom", "Right"})
                                                      : strings({"Left", "Right", "Bottom"}));
        const float mH = 12, H = 12, tY = d.renderer->tickY();
        // "Left" (24 wide) centred above the apex.
        EXPECT_EQ(d.textCall(QStringLiteral("Left"), later)->args,
                  (std::vector<int>{trunc(f.apexX - 12), trunc(f.apexY - 0.5f * mH - 1.2f * H)}));
        const QString lowerLeft = clockwise ? QStringLiteral("Bottom") : QStringLiteral("Right");
        const float w = static_cast<float>(lowerLeft.size() * 6);
        EXPECT_EQ(d.textCall(lowerLeft, later)->args,
                  (std::vector<int>{trunc(f.leftX - 0.5f * w), trunc(f.leftY + tY + mH)}));
        for (const Call &c : Drawing::only(later, Op::TextOut)) {
            EXPECT_EQ(c.escapement, 0);
            EXPECT_TRUE(c.opaque);
        }
    }
}

TEST(AxisTitles, NumbersOffLeaveFivePixels)
{
    Drawing d;
    d.settings.numbersLeft = d.settings.numbersRight = d.settings.numbersBottom = 0;
    d.settings.numbersAligned = 1;
    d.draw();
    EXPECT_EQ(d.renderer->numberMaxWidth(), 5);
    const DiagramFrame &f = d.frame();
    const auto later = d.laterCalls();
    EXPECT_EQ(d.textCall(QStringLiteral("Left"), later)->args[1], trunc(f.apexY - 2.5f - 14.4f));
    EXPECT_EQ(d.textCall(QStringLiteral("Bottom"), later)->args[1],
              trunc(f.leftY + d.renderer->tickY() + 0.9659258f * 5));
}

TEST(AxisTitles, ColumnAssignmentChoosesTheText)
{
    Drawing d;
    d.settings.columnAxis = {1, 0, 2, 3};
    d.draw();
    EXPECT_EQ(Drawing::textsOf(d.laterCalls()), strings({"Bottom", "Left", "Right"}));
}

TEST(AxisTitles, CentredTitlesRunAlongTheSides)
{
    Drawing t;
    t.settings.axisLabelsCentered = 1;
    t.draw();
    const auto titles = Drawing::only(t.laterCalls(), Op::TextOut);
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_EQ(titles[0].text, QStringLiteral("Left"));
    EXPECT_EQ(titles[0].escapement, 600);
    EXPECT_EQ(titles[1].text, QStringLiteral("Bottom"));
    EXPECT_EQ(titles[1].escapement, 0);
    EXPECT_EQ(titles[2].text, QStringLiteral("Right"));
    EXPECT_EQ(titles[2].escapement, 3000);
    const DiagramFrame &f = t.frame();
    const float W = 24, H = 12, s = 0.8660254f, c = 0.5f, mW = 18;
    EXPECT_EQ(titles[0].args, (std::vector<int>{
                                  trunc((f.apexX + f.leftX) / 2 - 0.5f * W * c - H * s - t.renderer->tickX() - mW),
                                  trunc((f.apexY + f.leftY) / 2 + 0.5f * W * s - H * c - t.renderer->tickY() - mW)}));

    Drawing d;
    d.settings.axisLabelsCentered = 1;
    d.settings.diagramKind = 2;
    d.draw();
    EXPECT_EQ(Drawing::textsOf(d.laterCalls()), strings({"Left", "Right", "Down", "Right"}));
    Drawing ccw;
    ccw.settings.axisLabelsCentered = 1;
    ccw.settings.diagramKind = 2;
    ccw.settings.clockwise = 0;
    ccw.draw();
    EXPECT_EQ(Drawing::textsOf(ccw.laterCalls()), strings({"Right", "Left", "Right", "Down"}));
}

// "Center": the base title stands below the lowest corner of every number cell of the base,
// which reaches far below the numbers' height when the numbers are turned with their grid lines.
TEST(AxisTitles, CentredBaseTitleClearsTheTurnedNumbers)
{
    for (const bool clockwise : {true, false}) {
        for (const bool aligned : {true, false}) {
            Drawing d;
            d.settings.axisLabelsCentered = 1;
            d.settings.clockwise = clockwise;
            d.settings.numbersAligned = aligned;
            d.draw();
            const auto numbers = Drawing::only(d.passCalls(), Op::TextOut);
            ASSERT_EQ(numbers.size(), 30u);
            float lowest = 0;
            for (std::size_t i = 20; i < 30; ++i) { // pass C: the base
                const Call &n = numbers[i];
                const float W = static_cast<float>(n.text.size() * 6), H = 12;
                const float down = n.escapement == 0 ? H : n.escapement == 600 ? 0.5f * H : 0.8660254f * W + 0.5f * H;
                lowest = std::max(lowest, static_cast<float>(n.args[1]) + down);
            }
            const auto later = d.laterCalls();
            const Call *title = d.textCall(QStringLiteral("Bottom"), later);
            ASSERT_NE(title, nullptr);
            EXPECT_GE(static_cast<float>(title->args[1]) + 1, lowest) << clockwise << aligned;
            EXPECT_LE(static_cast<float>(title->args[1]), lowest + 2) << clockwise << aligned;
        }
    }
}

TEST(AxisTitles, TitlesAndNumbersTakeEveryStyleBit)
{
    struct Case { std::int16_t titleStyle, numberStyle; };
    for (const Case c : {Case{8, 8 | 4}, Case{8 | 2 | 1, 0}, Case{0, 8}}) {
        Drawing d;
        d.settings.axisLabelsCentered = 1;
        d.settings.numbersAligned = 1;
        d.settings.axisLabelFont = FontSpec::make("Title Face", 12);
        d.settings.axisLabelFont.style = c.titleStyle;
        d.settings.numberFont = FontSpec::make("Number Face", 9);
        d.settings.numberFont.style = c.numberStyle;
        d.draw();
        int titles = 0, numbers = 0;
        for (const Call &font : d.canvas.callsOf(Op::CreatedFont)) {
            const bool title = font.text == QStringLiteral("Title Face");
            ASSERT_TRUE(title || font.text == QStringLiteral("Number Face"));
            const int style = title ? c.titleStyle : c.numberStyle;
            // height, escapement, orientation, italic, underline, strike-out, charset, bold
            EXPECT_EQ(font.args[7], (style & 8) != 0) << font.text.toStdString();
            EXPECT_EQ(font.args[3], (style & 4) != 0);
            EXPECT_EQ(font.args[4], (style & 2) != 0);
            EXPECT_EQ(font.args[5], (style & 1) != 0);
            ++(title ? titles : numbers);
        }
        EXPECT_EQ(titles, 3);
        EXPECT_EQ(numbers, 30);
    }
}

TEST(AxisTitles, SubtriangleSkipsTitlesAnchoredOutside)
{
    Drawing d;
    d.settings.fullTriangle = 0;
    d.draw();
    EXPECT_TRUE(Drawing::textsOf(d.laterCalls()).empty());
}

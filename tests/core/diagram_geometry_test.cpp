#include "core/diagram_frame.h"
#include "core/diagram_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace quarvel;

namespace {

DiagramSettings settingsOf(int kind, float baseSize = 0)
{
    DiagramSettings s = DiagramSettings::defaults();
    s.diagramKind = kind;
    s.baseSize = baseSize;
    return s;
}

DiagramGeometry laidOut(int width, int height, const DiagramSettings &settings)
{
    DiagramGeometry g;
    g.layoutWithDefaults(width, height, settings);
    return g;
}

// The renderer's frame for the same layout, with the geometry's corner pixels.
DiagramFrame frameOf(const DiagramGeometry &g, bool clockwise = true)
{
    DiagramFrame f;
    f.side = g.side;
    f.width = g.width;
    f.height = g.height;
    f.originX = g.leftX;
    f.originY = g.apexY;
    f.diamond = g.diamond;
    f.clockwise = clockwise;
    f.placeVertices();
    f.copyClip(g);
    return f;
}

DiagramFrame squareClip(float left, float top, float right, float bottom)
{
    DiagramFrame f;
    f.clipX = {left, left, right, right};
    f.clipY = {top, bottom, bottom, top};
    return f;
}

// The box of the corner pixels as they stand (the fit leaves the stored bounds at the scaled box
// before centring).
struct Box
{
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    explicit Box(const DiagramGeometry &g)
    {
        for (const PointF &p : g.clipPixels) {
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
        }
    }
};

} // namespace

TEST(DiagramLayout, TriangleOn800By600)
{
    const DiagramGeometry g = laidOut(800, 600, settingsOf(1));
    EXPECT_FALSE(g.diamond);
    EXPECT_NEAR(g.side, 444.44f, 0.01f);
    EXPECT_EQ(g.width, g.side);
    EXPECT_NEAR(g.height, 384.90f, 0.01f);
    EXPECT_NEAR(g.marginLeft, 118.52f, 0.01f);
    EXPECT_NEAR(g.marginTop, 71.70f, 0.01f);
    EXPECT_NEAR(g.apexX, 118.52f + 222.22f, 0.01f);
    EXPECT_EQ(g.leftY, g.rightY);
    EXPECT_NEAR(g.rightX - g.leftX, g.side, 0.001f);
}

TEST(DiagramLayout, DiamondOn800By600KeepsTheLowerApexInside)
{
    const DiagramGeometry g = laidOut(800, 600, settingsOf(2));
    EXPECT_TRUE(g.diamond);
    EXPECT_NEAR(g.side, 285.71f, 0.01f);
    EXPECT_NEAR(g.height, 247.44f, 0.01f);
    EXPECT_NEAR(g.marginLeft, 171.43f, 0.01f);
    EXPECT_NEAR(g.marginTop, 70.51f, 0.01f);
    EXPECT_NEAR(frameOf(g).lowerY, 565.38f, 0.01f);
}

TEST(DiagramLayout, DataDependantKindFollowsLowerSamples)
{
    DiagramSettings s = settingsOf(0);
    EXPECT_FALSE(laidOut(800, 600, s).diamond);
    s.hasLowerSamples = 1;
    EXPECT_TRUE(laidOut(800, 600, s).diamond);
    s.diagramKind = 1;
    EXPECT_FALSE(laidOut(800, 600, s).diamond);
}

TEST(DiagramLayout, BaseSize20FillsTheWidthAndLeavesTheImage)
{
    const DiagramGeometry g = laidOut(800, 600, settingsOf(1, 20));
    EXPECT_NEAR(g.side, 800.0f, 0.001f);
    EXPECT_NEAR(g.marginLeft, 0.0f, 0.001f);
    EXPECT_NEAR(g.marginTop, -30.94f, 0.01f);
}

TEST(DiagramLayout, WeightsMapToVerticesAndBack)
{
    DiagramGeometry g = laidOut(800, 600, settingsOf(1));
    struct Case { Weights w; float x, y; };
    const Case cases[] = {
        {{100, 0, 0}, g.leftX, g.leftY},
        {{0, 100, 0}, g.rightX, g.rightY},
        {{0, 0, 100}, g.apexX, g.apexY},
        {{50, 50, 0}, (g.leftX + g.rightX) / 2, g.leftY},
        {{1, 1, 1}, g.apexX, g.apexY + g.height * 2 / 3},
        {{0, 0, 0}, 0, 0},
    };
    for (const Case &c : cases) {
        const PointF p = g.weightsToPixel(c.w[0], c.w[1], c.w[2]);
        EXPECT_NEAR(p.x, c.x, 0.01f) << c.w[0] << "," << c.w[1] << "," << c.w[2];
        EXPECT_NEAR(p.y, c.y, 0.01f);
    }
}

TEST(DiagramLayout, DefaultCornersSitWhereTheTableSays)
{
    const DiagramGeometry g = laidOut(800, 600, settingsOf(1));
    const float fx[] = {0.25f, 0.01f, 0.99f, 0.75f};
    const float fy[] = {0.2f, 0.72f, 0.72f, 0.2f};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(g.clipPixels[k].x, g.leftX + fx[k] * g.width, 0.01f) << k;
        EXPECT_NEAR(g.clipPixels[k].y, g.apexY + fy[k] * g.height, 0.01f) << k;
    }
    EXPECT_EQ(g.clipMinX, g.clipPixels[1].x);
    EXPECT_EQ(g.clipMaxX, g.clipPixels[2].x);
    EXPECT_EQ(g.clipMinY, g.clipPixels[0].y);
    EXPECT_EQ(g.clipMaxY, g.clipPixels[1].y);
}

TEST(DiagramLayout, PixelsToCornersInvertsTheMappingAndScalesTo100)
{
    DiagramGeometry g;
    g.clipCorners = {{{70, -30, 160}, {85, -13, 28}, {-13, 85, 28}, {-1.5f, 3.5f, 8}}};
    g.layout(800, 600, settingsOf(1));
    g.pixelsToClipCorners();
    const std::array<Weights, 4> expected{{{35, -15, 80}, {85, -13, 28}, {-13, 85, 28}, {-15, 35, 80}}};
    for (std::size_t k = 0; k < 4; ++k) {
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(g.clipCorners[k][i], expected[k][i], 0.001f) << k << "," << i;
    }
}

TEST(DiagramLayout, BoundsStartAtZeroForTheMaxima)
{
    DiagramGeometry g;
    g.clipPixels = {{{-5, -5}, {-10, -2}, {-1, -3}, {-2, -8}}};
    g.updateClipBounds();
    EXPECT_EQ(g.clipMaxX, 0);
    EXPECT_EQ(g.clipMaxY, 0);
    EXPECT_EQ(g.clipMinX, -10);
    EXPECT_EQ(g.clipMinY, -8);
}

// The default trapezoid is about 2.2 times as wide as it is high: a window of a squarer shape
// takes the width fit, a wider one overflows at the top and takes the height fit.
// The default trapezoid: a squarish window takes the width fit, a wide short one overflows at the
// top with it and takes the height fit. Either way the box of the corners is centred, fills the
// limiting side and leaves the other within the window, and the whole diagram is scaled with it.
TEST(FitClipToWindow, WidthFitOrHeightFitCentresTheBox)
{
    struct Case { int width, height; bool byWidth; };
    for (const Case c : {Case{800, 1000, true}, Case{1600, 400, false}}) {
        SCOPED_TRACE(c.width);
        const DiagramSettings s = settingsOf(1);
        DiagramGeometry g = laidOut(c.width, c.height, s);
        const float w = static_cast<float>(c.width), h = static_cast<float>(c.height);
        const float scale = c.byWidth ? w / (g.clipMaxX - g.clipMinX) : h / (g.clipMaxY - g.clipMinY);
        g.fitClipToWindow(c.width, c.height, s);
        const Box box(g);
        EXPECT_NEAR(c.byWidth ? box.maxX - box.minX : box.maxY - box.minY, c.byWidth ? w : h, 0.05f);
        EXPECT_LT(c.byWidth ? box.maxY - box.minY : box.maxX - box.minX, c.byWidth ? h : w);
        EXPECT_NEAR((box.maxX + box.minX) / 2, w / 2, 0.05f);
        EXPECT_NEAR((box.maxY + box.minY) / 2, h / 2, 0.05f);
        EXPECT_GE(box.minY, -1.0f);
        EXPECT_NEAR(g.fitSide, w / 1.8f * scale, 0.05f);
        EXPECT_EQ(g.fitWidth, g.fitSide);
        EXPECT_NEAR(g.fitHeight, std::sqrt(0.75f) * g.fitSide, 0.05f);
        EXPECT_NEAR(g.fitLeftX, (w - g.width) / 3 * scale + g.fitOffsetX, 0.05f);
        EXPECT_NEAR(g.fitTopY, (h - g.height) / 3 * scale + g.fitOffsetY, 0.05f);
        // The corner pixels stay where the whole enlarged diagram puts them.
        EXPECT_NEAR(g.clipPixels[0].x, g.fitLeftX + 0.25f * g.fitWidth, 0.05f);
    }
}

// Only a damaged file holds such corners: the picture stays unfitted, with a frame of numbers.
TEST(FitClipToWindow, AQuadrilateralWithoutAreaIsNotFitted)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::array<Weights, 4> damaged[] = {
        {{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        {{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}}},
        {{{nan, 1, 1}, {1, nan, 1}, {1, 1, nan}, {1, 1, 1}}},
    };
    for (const auto &corners : damaged) {
        const DiagramSettings s = settingsOf(1);
        DiagramGeometry g;
        g.clipCorners = corners;
        g.layout(800, 600, s);
        g.fitClipToWindow(800, 600, s);
        EXPECT_EQ(g.fitLeftX, g.leftX);
        EXPECT_EQ(g.fitTopY, g.apexY);
        EXPECT_EQ(g.fitSide, g.side);
        EXPECT_EQ(g.fitHeight, g.height);
    }
}

TEST(FitClipToWindow, TheNextLayoutUndoesTheFit)
{
    const DiagramSettings s = settingsOf(1);
    DiagramGeometry g = laidOut(800, 600, s);
    const auto before = g.clipPixels;
    g.fitClipToWindow(800, 600, s);
    g.layout(800, 600, s);
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(g.clipPixels[k].x, before[k].x);
}

TEST(CornerMove, ConvexityDecidesAcceptance)
{
    DiagramGeometry g;
    g.clipPixels = {{{0, 0}, {0, 100}, {100, 100}, {100, 0}}};
    EXPECT_TRUE(g.cornerMoveKeepsConvex(-20, -20, 0));
    EXPECT_TRUE(g.cornerMoveKeepsConvex(50, 50, 0));   // exactly on the other diagonal: t = 1
    EXPECT_FALSE(g.cornerMoveKeepsConvex(80, 80, 0));  // across the other diagonal: concave
    EXPECT_FALSE(g.cornerMoveKeepsConvex(150, 50, 0)); // self-crossing
    EXPECT_FALSE(g.cornerMoveKeepsConvex(100, 100, 0)); // onto the opposite corner: no diagonal left
}

// Corners from a damaged file: not numbers, infinite, or far beyond any integer type.
TEST(CornerMove, DamagedCornersGiveADefinedAnswer)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case { PointF far; bool keepsConvex; };
    const Case cases[] = {
        {{nan, 100}, false},
        {{100, nan}, false},
        {{inf, inf}, false},
        {{-inf, 100}, false},
        // A far but real corner still makes a convex quadrilateral with the moved one.
        {{1e30f, 1e30f}, true},
        {{3e9f, 3e9f}, true},
    };
    for (const Case &c : cases) {
        DiagramGeometry g;
        g.clipPixels = {{{0, 0}, {0, 100}, c.far, {100, 0}}};
        EXPECT_EQ(g.cornerMoveKeepsConvex(-20, -20, 0), c.keepsConvex) << c.far.x << ", " << c.far.y;
    }
    // Moving the damaged corner itself onto a sound place is judged on the sound corners.
    DiagramGeometry g;
    g.clipPixels = {{{0, 0}, {0, 100}, {nan, 1e30f}, {100, 0}}};
    EXPECT_TRUE(g.cornerMoveKeepsConvex(100, 100, 2));
}

TEST(InsideClip, LeftAndTopEdgesAreInsideRightAndBottomOutside)
{
    const DiagramFrame f = squareClip(10, 20, 110, 120);
    EXPECT_TRUE(f.insideClip(10, 50));
    EXPECT_FALSE(f.insideClip(110, 50));
    EXPECT_TRUE(f.insideClip(50, 20));
    EXPECT_FALSE(f.insideClip(50, 120));
    EXPECT_TRUE(f.insideClip(60, 70));
    EXPECT_FALSE(f.insideClip(9.99f, 70));
}

TEST(InsideDiagram, BorderCountsAndTheDiamondHasTwoTriangles)
{
    DiagramFrame f;
    f.side = f.width = 200;
    f.height = std::sqrt(0.75f) * 200;
    f.originX = 50;
    f.originY = 10;
    f.diamond = true;
    f.placeVertices();
    EXPECT_TRUE(f.insideDiagram(f.leftX + 1, f.leftY - 0.5f));
    EXPECT_TRUE(f.insideDiagram(f.apexX, f.apexY + 1));
    EXPECT_TRUE(f.insideDiagram(f.apexX, f.lowerY - 1));
    EXPECT_TRUE(f.insideDiagram((f.leftX + f.rightX) / 2, f.leftY));
    EXPECT_FALSE(f.insideDiagram(f.leftX + 5, f.apexY + 5));
    EXPECT_FALSE(f.insideDiagram(f.leftX + 5, f.lowerY - 5));
    f.diamond = false;
    EXPECT_FALSE(f.insideDiagram(f.apexX, f.lowerY - 1));
}

TEST(SegmentIntersection, EndsIncludedParallelNever)
{
    const auto cross = segmentIntersection({0, 0}, {10, 10}, {0, 10}, {10, 0});
    ASSERT_TRUE(cross);
    EXPECT_NEAR(cross->x, 5, 1e-5);
    EXPECT_NEAR(cross->y, 5, 1e-5);
    const auto touch = segmentIntersection({0, 0}, {10, 0}, {10, 0}, {10, 10});
    ASSERT_TRUE(touch);
    EXPECT_NEAR(touch->x, 10, 1e-5);
    EXPECT_FALSE(segmentIntersection({0, 0}, {10, 0}, {0, 1}, {10, 1}));
    EXPECT_FALSE(segmentIntersection({0, 0}, {10, 0}, {11, -5}, {11, 5}));
}

TEST(ClipSegment, InsideEndsComeFirstThenEdgesInOrder)
{
    const DiagramFrame f = squareClip(0, 0, 100, 100);
    const PointPair whole = f.clipSegment({10, 10}, {90, 50});
    ASSERT_EQ(whole.count, 2);
    EXPECT_EQ(whole.points[0].x, 90); // p2 first
    EXPECT_EQ(whole.points[1].x, 10);

    const PointPair half = f.clipSegment({50, 50}, {150, 50});
    ASSERT_EQ(half.count, 2);
    EXPECT_EQ(half.points[0].x, 50);
    EXPECT_NEAR(half.points[1].x, 100, 1e-4);

    const PointPair through = f.clipSegment({-50, 50}, {150, 50});
    ASSERT_EQ(through.count, 2);
    EXPECT_NEAR(through.points[0].x, 0, 1e-4);   // edge 0->1 (left) first
    EXPECT_NEAR(through.points[1].x, 100, 1e-4); // then edge 2->3 (right)

    EXPECT_LT(f.clipSegment({-50, -50}, {-10, 200}).count, 2);
}

TEST(EdgeCrossings, ACornerCrossingIsReportedByBothEdges)
{
    const DiagramFrame f = squareClip(0, 0, 100, 100);
    const PointPair corner = f.edgeCrossings({-10, 110}, {10, 90});
    ASSERT_EQ(corner.count, 2);
    EXPECT_NEAR(corner.points[0].y, 100, 1e-4);
    EXPECT_NEAR(corner.points[1].y, 100, 1e-4);
}

TEST(SamplePixels, OrientationMirrorsTheBottomAndRightAxes)
{
    const DiagramGeometry g = laidOut(800, 600, settingsOf(2));
    const DiagramFrame cw = frameOf(g, true);
    const DiagramFrame ccw = frameOf(g, false);
    const auto t = [](float v) { return static_cast<int>(v); };
    EXPECT_EQ(cw.upperSamplePixel(0, 0, 100), (IntPoint{t(g.rightX), t(g.rightY)}));
    EXPECT_EQ(ccw.upperSamplePixel(0, 0, 100), (IntPoint{t(g.leftX), t(g.leftY)}));
    EXPECT_EQ(cw.upperSamplePixel(100, 0, 0), (IntPoint{t(g.leftX), t(g.leftY)}));
    EXPECT_EQ(ccw.upperSamplePixel(100, 0, 0), (IntPoint{t(g.rightX), t(g.rightY)}));
    EXPECT_EQ(cw.upperSamplePixel(0, 100, 0), (IntPoint{t(g.apexX), t(g.apexY)}));
    EXPECT_EQ(cw.lowerSamplePixel(0, 0, 100), (IntPoint{t(cw.lowerX), t(cw.lowerY)}));
    EXPECT_EQ(cw.weightsToFramePixel(0, 0, 100), (IntPoint{t(g.apexX), t(g.apexY)}));
    EXPECT_EQ(cw.weightsToFramePixel(-10, 5, 0), (IntPoint{0, 0}));
}

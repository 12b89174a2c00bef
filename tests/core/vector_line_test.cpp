#include "core/vector_line.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quarvel;

namespace {

DrawnFrame frame600()
{
    DrawnFrame f;
    f.leftX = 20;
    f.apexY = 30;
    f.width = 600;
    f.height = std::sqrt(0.75f) * 600;
    f.apexX = 320;
    f.leftY = f.rightY = 30 + f.height;
    f.rightX = 620;
    return f;
}

VectorLine lineFrom(IntPoint o, IntPoint d)
{
    VectorLine v;
    v.pixOrigin = o;
    v.pixDest = d;
    return v;
}

const VectorLine::MeasureLabel kNoLabel = [](const VectorLine &) { return std::pair<int, int>{0, 0}; };

} // namespace

TEST(OverlayPlace, EqualWeightsLandOnTheCentroid)
{
    const DrawnFrame f = frame600();
    VectorLine v;
    v.ternOrigin = {1, 1, 1};
    v.ternDest = {0, 0, 0};
    v.place(f, kNoLabel);
    EXPECT_EQ(v.pixOrigin, (IntPoint{320, static_cast<int>(f.height * 2 / 3 + 30)}));
    EXPECT_EQ(v.pixDest, (IntPoint{0, 0})); // weights summing to zero
}

TEST(OverlayPlace, UnsetControlPointsKeepTheirPixels)
{
    VectorLine v;
    v.kind = 'b';
    v.ternOrigin = {100, 0, 0};
    v.ternDest = {0, 100, 0};
    v.ternCtrl1 = {0, 0, 100};
    v.pixCtrl2 = {7, 9};
    v.place(frame600(), kNoLabel);
    EXPECT_EQ(v.pixCtrl1, (IntPoint{320, 30}));
    EXPECT_EQ(v.pixCtrl2, (IntPoint{7, 9}));
}

TEST(OverlayPlace, RotatedLabelBoxFollowsTheAngle)
{
    VectorLine v;
    v.kind = 't';
    v.ternOrigin = {0, 0, 100};
    const auto measure = [](const VectorLine &) { return std::pair<int, int>{40, 12}; };
    v.angle = 90;
    v.place(frame600(), measure);
    EXPECT_EQ(v.pixOrigin, (IntPoint{320, 30}));
    // Straight above at distance w and straight right at distance h. The angle's pi is a little
    // too large, so its cosine is a little below 0 and truncation moves those pixels by one.
    EXPECT_EQ(v.pixCtrl1, (IntPoint{319, 30 - 40}));
    EXPECT_EQ(v.pixCtrl2, (IntPoint{320 + 12, 29}));
    EXPECT_EQ(v.pixDest, (IntPoint{331, -10}));
    v.angle = 0;
    v.place(frame600(), measure);
    EXPECT_EQ(v.pixCtrl1, (IntPoint{360, 30}));
    EXPECT_EQ(v.pixCtrl2, (IntPoint{320, 42}));
    EXPECT_EQ(v.pixDest, (IntPoint{360, 42}));
}

TEST(OverlayToTernary, CornerAndRounding)
{
    VectorLine v = lineFrom({20, static_cast<int>(frame600().leftY)}, {320, 30});
    v.toTernary(frame600(), false);
    EXPECT_NEAR(v.ternOrigin[0], 100, 0.2);
    EXPECT_NEAR(v.ternOrigin[1], 0, 0.2);
    EXPECT_EQ(v.ternDest[2], 100);
    EXPECT_EQ(v.ternCtrl1, (Weights{0, 0, 0})); // a line has no control points

    // A frame where one pixel is a thousandth of a percent: O at (33.336, 33.332, 33.332).
    DrawnFrame fine;
    fine.apexX = 50000;
    fine.leftX = 0;
    fine.rightX = 100000;
    fine.leftY = fine.rightY = 100000;
    VectorLine b;
    b.kind = 'b';
    b.pixOrigin = {52576, 66668};
    b.pixCtrl1 = {52576, 66668};
    b.toTernary(fine, true);
    EXPECT_EQ(b.ternOrigin, (Weights{33, 33, 33}));
    EXPECT_FLOAT_EQ(b.ternCtrl1[0], 33.34f);
    EXPECT_FLOAT_EQ(b.ternCtrl1[1], 33.33f);
    EXPECT_FLOAT_EQ(b.ternCtrl1[2], 33.33f);

    // Without snapping two decimals, and with snapping a label loses its control points.
    b.toTernary(fine, false);
    EXPECT_FLOAT_EQ(b.ternOrigin[0], 33.34f);
    VectorLine t = b;
    t.kind = 't';
    t.toTernary(fine, true);
    EXPECT_EQ(t.ternCtrl1, (Weights{0, 0, 0}));
}

TEST(OverlayToTernary, ControlPointsOutsideKeepNegativeWeights)
{
    VectorLine b;
    b.kind = 'b';
    b.pixCtrl1 = {0, 0};
    b.toTernary(frame600(), false);
    EXPECT_LT(std::min({b.ternCtrl1[0], b.ternCtrl1[1]}), 0);
}

TEST(SegmentDistance, LimitAndEnds)
{
    const VectorLine v = lineFrom({0, 0}, {100, 0});
    EXPECT_FLOAT_EQ(*v.segmentDistance(50, 24), 24);
    EXPECT_FALSE(v.segmentDistance(50, 25));
    EXPECT_FALSE(v.segmentDistance(101, 0));
    EXPECT_FALSE(v.segmentDistance(-1, 3));
    EXPECT_FALSE(lineFrom({5, 5}, {5, 5}).segmentDistance(5, 5));
}

TEST(PickObject, TiesGoToTheEarlierObjectAndEndsCountBeyondTheSegment)
{
    std::vector<VectorLine> objects{lineFrom({0, 0}, {100, 0}), lineFrom({0, 0}, {100, 0}),
                                    lineFrom({0, 10}, {100, 10})};
    EXPECT_EQ(pickObject(objects, 50, 4), 0);
    EXPECT_EQ(pickObject(objects, 50, 6), 2);
    EXPECT_EQ(pickObject(objects, 120, 0), 0);                   // 20 from the end point
    EXPECT_FALSE(pickObject(objects, 125, 0));                   // 25 from the end point
    EXPECT_FALSE(pickObject(objects, 50, 40));                   // too far from every line
    EXPECT_EQ(pickObject({lineFrom({5, 5}, {5, 5})}, 9, 8), 0); // zero length: by its ends
}

TEST(OverlayEdits, TranslateMoveAndNewObjects)
{
    VectorLine v = lineFrom({10, 10}, {20, 30});
    v.pixCtrl1 = {1, 2};
    v.translateTo(15, 5);
    EXPECT_EQ(v.pixOrigin, (IntPoint{15, 5}));
    EXPECT_EQ(v.pixDest, (IntPoint{25, 25}));
    EXPECT_EQ(v.pixCtrl1, (IntPoint{6, -3}));
    v.moveHandle('2', 7, 8);
    v.moveHandle('x', 0, 0);
    EXPECT_EQ(v.pixCtrl2, (IntPoint{7, 8}));
    EXPECT_EQ(v.pixOrigin, (IntPoint{15, 5}));

    const VectorLine e = newOverlayObject('e', {-3, -3}, {0, 0});
    EXPECT_EQ(e.pixCtrl1, (IntPoint{-16, -16})); // midpoint -3 / 2 truncates to -1
    EXPECT_EQ(e.pixCtrl2, (IntPoint{-26, -26}));
    EXPECT_EQ(e.fill, 1);
    const VectorLine r = newOverlayObject('r', {10, 10}, {30, 50});
    EXPECT_EQ(r.pixCtrl1, (IntPoint{0, 0}));
    EXPECT_EQ(r.fill, 0);
    EXPECT_EQ(r.lineStyle, 0);
}

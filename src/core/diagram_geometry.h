#pragma once

#include "core/settings.h"

#include <array>
#include <cstdint>

namespace quarvel {

struct PointF
{
    float x = 0;
    float y = 0;
};

// Three ternary weights: lower-left vertex, lower-right vertex, apex.
using Weights = std::array<float, 3>;

// Where the diagram sits in an image of a given size, and the subtriangle. Only clipCorners is
// persistent; everything else is recomputed by layout() before every drawing.
struct DiagramGeometry
{
    float side = 0;
    float width = 0;
    float height = 0;
    float apexX = 0, apexY = 0;
    float leftX = 0, leftY = 0;
    float rightX = 0, rightY = 0;
    float marginLeft = 0;
    float marginTop = 0;
    std::uint8_t diamond = 0;
    float sizeFactor = 0;
    std::array<Weights, 4> clipCorners{};
    std::array<PointF, 4> clipPixels{};
    float clipMinX = 0, clipMaxX = 0, clipMinY = 0, clipMaxY = 0;
    float fitOffsetX = 0, fitOffsetY = 0;
    float fitLeftX = 0, fitTopY = 0;
    float fitSide = 0, fitWidth = 0;
    float fitHeight = 0;

    static constexpr std::array<Weights, 4> kDefaultClipCorners{
        {{35, -15, 80}, {85, -13, 28}, {-13, 85, 28}, {-15, 35, 80}}};

    void layout(int imageWidth, int imageHeight, const DiagramSettings &settings);
    void layoutWithDefaults(int imageWidth, int imageHeight, const DiagramSettings &settings);
    PointF weightsToPixel(float left, float right, float apex) const;
    // The corner pixels back to weights summing to 100, always on the unfitted layout.
    void pixelsToClipCorners();
    void updateClipBounds();
    // Scales the picture about the image origin and centres the quadrilateral's box: by width,
    // or by height when the width fit pushes a corner past the top or left border.
    void fitClipToWindow(int imageWidth, int imageHeight, const DiagramSettings &settings);
    // True when corner k may move to (x, y): the diagonals still cross, so the quadrilateral
    // stays convex and simple.
    bool cornerMoveKeepsConvex(int x, int y, int k) const;
};

// "Data dependant" gives a diamond only when the last evaluation found lower-triangle samples.
bool isDiamond(const DiagramSettings &settings);

// Size and place of the whole diagram in an image: the geometry, its fit to the window and the
// renderer all take them from here, so they cannot drift apart. The image height does not enter
// the size, only the place.
struct DiagramPlacement
{
    bool diamond = false;
    float sizeFactor = 1.8f; // 1.8 for a triangle, 2.8 for a diamond
    float side = 0;
    float height = 0;
    float originX = 0; // x of the lower-left vertex
    float originY = 0; // y of the apex
};
DiagramPlacement placeDiagram(int imageWidth, int imageHeight, const DiagramSettings &settings);

} // namespace quarvel

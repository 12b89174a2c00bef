#pragma once

#include "core/diagram_geometry.h"

#include <array>
#include <optional>

namespace quarvel {

struct IntPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const IntPoint &) const = default;
};

// Every real-to-pixel conversion truncates toward zero, never rounds. Values far beyond any page
// (only damaged files make them) saturate, so that the integer arithmetic after them cannot
// overflow; a value that is not a number becomes 0.
constexpr int kPixelLimit = 1 << 28;
inline int truncated(double v)
{
    if (!(v == v))
        return 0;
    if (v >= kPixelLimit)
        return kPixelLimit;
    if (v <= -kPixelLimit)
        return -kPixelLimit;
    return static_cast<int>(v);
}
inline IntPoint truncated(PointF p)
{
    return {truncated(p.x), truncated(p.y)};
}

constexpr float kSin60 = 0.8660254037844386f;
constexpr float kCos60 = 0.5f;

// The ten pixel values of a drawing that the image window keeps for its mouse handling. When the
// subtriangle is fitted to the window they describe the enlarged whole triangle.
struct DrawnFrame
{
    float apexX = 0, apexY = 0;
    float leftX = 0, leftY = 0;
    float rightX = 0, rightY = 0;
    float lowerX = 0, lowerY = 0;
    float width = 0;
    float height = 0;
};

// Up to two points, the result of clipping or crossing a segment with the quadrilateral.
struct PointPair
{
    std::array<PointF, 2> points{};
    int count = 0;
    void append(PointF p) { points[static_cast<std::size_t>(count++)] = p; }
};

// The frame a renderer draws on: vertices of the triangle or diamond in pixels and its own copy
// of the quadrilateral's corner pixels. The pure geometry the drawing steps share.
struct DiagramFrame
{
    float side = 0;
    float width = 0;
    float height = 0;
    float originX = 0, originY = 0;
    float apexX = 0, apexY = 0;
    float leftX = 0, leftY = 0;
    float rightX = 0, rightY = 0;
    float lowerX = 0, lowerY = 0; // diamond only
    bool diamond = false;
    bool clockwise = true;
    std::array<float, 4> clipX{};
    std::array<float, 4> clipY{};

    // Vertices from side and origin (and the lower apex of a diamond).
    void placeVertices();
    void copyClip(const DiagramGeometry &geometry);
    DrawnFrame drawn() const;

    // Crossing-number test; on axis-parallel edges left and top count as inside.
    bool insideClip(float x, float y) const;
    // Inside the triangle or either triangle of a diamond, border included.
    bool insideDiagram(float x, float y) const;
    // Up to two points where p1-p2 crosses the quadrilateral's edges, in edge order.
    PointPair edgeCrossings(PointF p1, PointF p2) const;
    // The piece of p1-p2 inside the quadrilateral; visible exactly when count is 2.
    PointPair clipSegment(PointF p1, PointF p2) const;

    IntPoint upperSamplePixel(float bottom, float left, float right) const;
    IntPoint lowerSamplePixel(float bottom, float right, float down) const;
    IntPoint weightsToFramePixel(float left, float right, float apex) const;

private:
    PointF corner(int k) const { return {clipX[static_cast<std::size_t>(k)], clipY[static_cast<std::size_t>(k)]}; }
};

// Whether segment p1-p2 meets segment qA-qB (both ends included), and where. Nearly parallel
// segments (|det| < 0.01) never meet.
std::optional<PointF> segmentIntersection(PointF p1, PointF p2, PointF qA, PointF qB);

// Ternary weights to an integer pixel in a drawn frame; a weight sum of zero or less gives (0, 0).
IntPoint weightsToFramePixel(const DrawnFrame &frame, float left, float right, float apex);

} // namespace quarvel

#include "core/diagram_frame.h"

#include <cmath>

namespace quarvel {

namespace {

IntPoint mapWeights(float leftX, float apexY, float width, float height, float a, float b, float c)
{
    const double s = static_cast<double>(a) + b + c;
    if (s <= 0)
        return {0, 0};
    const float x = static_cast<float>(((b / s - a / s) + 1) * 0.5 * width + leftX);
    const float y = static_cast<float>((1 - c / s) * height + apexY);
    return {truncated(x), truncated(y)};
}

} // namespace

void DiagramFrame::placeVertices()
{
    apexX = 0.5f * side + originX;
    apexY = originY;
    leftX = originX;
    leftY = height + originY;
    rightX = side + originX;
    rightY = height + originY;
    if (diamond) {
        lowerX = apexX;
        lowerY = 2 * height + apexY;
    }
}

void DiagramFrame::copyClip(const DiagramGeometry &geometry)
{
    for (std::size_t k = 0; k < 4; ++k) {
        clipX[k] = geometry.clipPixels[k].x;
        clipY[k] = geometry.clipPixels[k].y;
    }
}

DrawnFrame DiagramFrame::drawn() const
{
    return {apexX, apexY, leftX, leftY, rightX, rightY, lowerX, lowerY, width, height};
}

bool DiagramFrame::insideClip(float x, float y) const
{
    bool inside = false;
    for (std::size_t i = 0, j = 3; i < 4; j = i++) {
        const double xi = clipX[i], yi = clipY[i], xj = clipX[j], yj = clipY[j];
        if (((yi <= y && y < yj) || (yj <= y && y < yi)) && x < (y - yi) * (xj - xi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

bool DiagramFrame::insideDiagram(float x, float y) const
{
    const double r = std::sqrt(4.0 / 3.0);
    double apex = 100 - (y - apexY) / (leftY - apexY) * 100;
    double right = ((x - leftX) - (rightY - y) * r * 0.5) / (rightX - leftX) * 100;
    double left = 100 - right - apex;
    if (diamond && (apex < 0 || right < 0 || left < 0)) {
        apex = 100 - (lowerY - y) / (lowerY - leftY) * 100;
        right = ((x - leftX) - (y - rightY) * r * 0.5) / (rightX - leftX) * 100;
        left = 100 - right - apex;
    }
    return apex >= 0 && right >= 0 && left >= 0;
}

PointPair DiagramFrame::edgeCrossings(PointF p1, PointF p2) const
{
    PointPair found;
    for (int k = 0; k < 4 && found.count < 2; ++k) {
        if (const auto p = segmentIntersection(p1, p2, corner(k), corner((k + 1) % 4)))
            found.append(*p);
    }
    return found;
}

PointPair DiagramFrame::clipSegment(PointF p1, PointF p2) const
{
    PointPair piece;
    if (insideClip(p2.x, p2.y))
        piece.append(p2);
    if (insideClip(p1.x, p1.y))
        piece.append(p1);
    for (int k = 0; k < 4 && piece.count < 2; ++k) {
        if (const auto p = segmentIntersection(p1, p2, corner(k), corner((k + 1) % 4)))
            piece.append(*p);
    }
    return piece;
}

IntPoint DiagramFrame::upperSamplePixel(float bottom, float left, float right) const
{
    const float b = bottom * 0.01f, l = left * 0.01f, r = right * 0.01f;
    const float u = ((r - b) + 1) * 0.5f;
    const float x = clockwise ? leftX + u * width : leftX + (1 - u) * width;
    const float y = apexY + (1 - l) * height;
    return {truncated(x), truncated(y)};
}

IntPoint DiagramFrame::lowerSamplePixel(float bottom, float right, float down) const
{
    const float b = bottom * 0.01f, r = right * 0.01f, d = down * 0.01f;
    const float u = ((r - b) + 1) * 0.5f;
    const float x = clockwise ? leftX + u * width : leftX + (1 - u) * width;
    const float y = lowerY - (1 - d) * height;
    return {truncated(x), truncated(y)};
}

IntPoint DiagramFrame::weightsToFramePixel(float left, float right, float apex) const
{
    return mapWeights(leftX, apexY, width, height, left, right, apex);
}

std::optional<PointF> segmentIntersection(PointF p1, PointF p2, PointF qA, PointF qB)
{
    const double det = (double(p1.y) - p2.y) * (double(qB.x) - qA.x) - (double(p1.x) - p2.x) * (double(qB.y) - qA.y);
    if (std::fabs(det) < 0.01)
        return std::nullopt;
    const double s = ((double(p1.x) - p2.x) * (double(qA.y) - p2.y) - (double(p1.y) - p2.y) * (double(qA.x) - p2.x)) / det;
    const double t = ((double(qB.x) - qA.x) * (double(qA.y) - p2.y) - (double(qB.y) - qA.y) * (double(qA.x) - p2.x)) / det;
    if (s < 0 || s > 1 || t < 0 || t > 1)
        return std::nullopt;
    return PointF{static_cast<float>(qA.x + s * (double(qB.x) - qA.x)), static_cast<float>(qA.y + s * (double(qB.y) - qA.y))};
}

IntPoint weightsToFramePixel(const DrawnFrame &frame, float left, float right, float apex)
{
    return mapWeights(frame.leftX, frame.apexY, frame.width, frame.height, left, right, apex);
}

} // namespace quarvel

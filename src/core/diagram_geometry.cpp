#include "core/diagram_geometry.h"

#include <algorithm>
#include <cmath>

namespace quarvel {

bool isDiamond(const DiagramSettings &settings)
{
    switch (settings.diagramKind) {
    case 1: return false;
    case 2: return true;
    default: return settings.hasLowerSamples == 1;
    }
}

DiagramPlacement placeDiagram(int imageWidth, int imageHeight, const DiagramSettings &settings)
{
    const float w = static_cast<float>(imageWidth);
    const float h = static_cast<float>(imageHeight);
    DiagramPlacement p;
    p.diamond = isDiamond(settings);
    p.sizeFactor = p.diamond ? 2.8f : 1.8f;
    p.side = w / (p.sizeFactor - 0.04f * drawableBaseSize(settings.baseSize));
    p.height = std::sqrt(0.75f) * p.side;
    p.originX = (w - p.side) / 3;
    // The diamond is twice as high, so it starts higher.
    p.originY = (h - p.height) * (p.diamond ? 0.2f : 1.0f / 3);
    return p;
}

void DiagramGeometry::layout(int imageWidth, int imageHeight, const DiagramSettings &settings)
{
    const DiagramPlacement p = placeDiagram(imageWidth, imageHeight, settings);
    diamond = p.diamond ? 1 : 0;
    sizeFactor = p.sizeFactor;
    side = width = p.side;
    height = p.height;
    marginLeft = p.originX;
    marginTop = p.originY;
    apexX = 0.5f * side + marginLeft;
    apexY = marginTop;
    leftX = marginLeft;
    leftY = height + marginTop;
    rightX = side + marginLeft;
    rightY = leftY;
    for (std::size_t k = 0; k < 4; ++k)
        clipPixels[k] = weightsToPixel(clipCorners[k][0], clipCorners[k][1], clipCorners[k][2]);
    updateClipBounds();
}

void DiagramGeometry::layoutWithDefaults(int imageWidth, int imageHeight, const DiagramSettings &settings)
{
    clipCorners = kDefaultClipCorners;
    layout(imageWidth, imageHeight, settings);
}

PointF DiagramGeometry::weightsToPixel(float left, float right, float apex) const
{
    const float s = left + right + apex;
    if (s == 0)
        return {0, 0};
    return {((right / s - left / s) + 1) * 0.5f * width + leftX, (1 - apex / s) * height + apexY};
}

void DiagramGeometry::pixelsToClipCorners()
{
    const double r = std::sqrt(4.0 / 3.0);
    for (std::size_t k = 0; k < 4; ++k) {
        const double x = clipPixels[k].x;
        const double y = clipPixels[k].y;
        const double apex = 100 - (y - apexY) / (leftY - apexY) * 100;
        const double right = ((x - leftX) - (rightY - y) * r * 0.5) / (rightX - leftX) * 100;
        clipCorners[k] = {static_cast<float>(100 - right - apex), static_cast<float>(right), static_cast<float>(apex)};
    }
}

void DiagramGeometry::fitClipToWindow(int imageWidth, int imageHeight, const DiagramSettings &settings)
{
    const float w = static_cast<float>(imageWidth);
    const float h = static_cast<float>(imageHeight);
    const std::array<PointF, 4> saved = clipPixels;
    const float boxHeight = clipMaxY - clipMinY;
    const DiagramPlacement placement = placeDiagram(imageWidth, imageHeight, settings);

    auto fit = [&](float s) {
        clipPixels = saved;
        updateClipBounds();
        fitSide = placement.side * s;
        for (PointF &p : clipPixels) {
            p.x *= s;
            p.y *= s;
        }
        updateClipBounds();
        fitOffsetX = w / 2 - (clipMaxX + clipMinX) / 2;
        fitOffsetY = h / 2 - (clipMaxY + clipMinY) / 2;
        for (PointF &p : clipPixels) {
            p.x += fitOffsetX;
            p.y += fitOffsetY;
        }
    };

    float s = w / (clipMaxX - clipMinX);
    fit(s);
    const bool overflows = std::any_of(clipPixels.begin(), clipPixels.end(),
                                       [](const PointF &p) { return p.x < -1 || p.y < -1; });
    if (overflows) {
        s = h / boxHeight;
        fit(s);
    }
    fitLeftX = placement.originX * s + fitOffsetX;
    fitTopY = placement.originY * s + fitOffsetY;
    fitWidth = fitSide;
    fitHeight = std::sqrt(0.75f) * fitWidth;
    // A quadrilateral without width or height, or with corners that are no numbers (only a
    // damaged file has one), cannot be fitted: the picture stays as laid out, so that the frame
    // the image window keeps is made of numbers.
    const bool fitted = s > 0 && std::isfinite(fitLeftX) && std::isfinite(fitTopY) && std::isfinite(fitHeight);
    if (!fitted) {
        clipPixels = saved;
        updateClipBounds();
        fitOffsetX = fitOffsetY = 0;
        fitLeftX = placement.originX;
        fitTopY = placement.originY;
        fitSide = fitWidth = placement.side;
        fitHeight = placement.height;
    }
}

bool DiagramGeometry::cornerMoveKeepsConvex(int x, int y, int k) const
{
    if (k < 0 || k > 3)
        return false;
    // Whole pixels as before, but in doubles: corners read from a damaged file may be NaN or lie
    // far beyond any integer type. Within the picture's range the products stay exact.
    std::array<double, 4> px{};
    std::array<double, 4> py{};
    for (std::size_t i = 0; i < 4; ++i) {
        px[i] = std::trunc(static_cast<double>(clipPixels[i].x));
        py[i] = std::trunc(static_cast<double>(clipPixels[i].y));
    }
    px[static_cast<std::size_t>(k)] = x;
    py[static_cast<std::size_t>(k)] = y;
    const double d = (px[2] - px[0]) * (py[3] - py[1]) - (py[2] - py[0]) * (px[3] - px[1]);
    if (d == 0 || !std::isfinite(d))
        return false;
    const double t = ((py[0] - py[1]) * (px[3] - px[1]) - (px[0] - px[1]) * (py[3] - py[1])) / d;
    const double u = ((py[0] - py[1]) * (px[2] - px[0]) - (px[0] - px[1]) * (py[2] - py[0])) / d;
    // NaN fails every comparison: a quadrilateral that cannot be judged is not accepted.
    return t >= 0 && t <= 1 && u >= 0 && u <= 1;
}

void DiagramGeometry::updateClipBounds()
{
    clipMinX = clipMinY = 100000000.0f;
    clipMaxX = clipMaxY = 0;
    for (const PointF &p : clipPixels) {
        clipMinX = std::min(clipMinX, p.x);
        clipMinY = std::min(clipMinY, p.y);
        clipMaxX = std::max(clipMaxX, p.x);
        clipMaxY = std::max(clipMaxY, p.y);
    }
}

} // namespace quarvel

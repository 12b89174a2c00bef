#include "core/diagram_geometry.h"

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

void DiagramGeometry::layout(int imageWidth, int imageHeight, const DiagramSettings &settings)
{
    const float w = static_cast<float>(imageWidth);
    const float h = static_cast<float>(imageHeight);
    diamond = isDiamond(settings) ? 1 : 0;
    sizeFactor = diamond ? 2.8f : 1.8f;
    side = width = w / (sizeFactor - 0.04f * settings.baseSize);
    height = std::sqrt(0.75f) * side;
    marginLeft = (w - width) / 3;
    marginTop = diamond ? (h - height) * 0.2f : (h - height) / 3;
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

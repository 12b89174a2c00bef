#include "core/vector_line.h"

#include <cmath>

namespace quarvel {

namespace {

constexpr float kPickLimit = 25;

IntPoint toPixel(const DrawnFrame &frame, const Weights &w)
{
    const IntPoint p = weightsToFramePixel(frame, w[0], w[1], w[2]);
    return {p.x, p.y};
}

bool isSet(const Weights &w)
{
    return w[0] + w[1] + w[2] != 0;
}

double roundedTo(double value, double unit)
{
    return std::round(value / unit) * unit; // std::round goes half away from zero
}

Weights pixelToWeights(const DrawnFrame &frame, IntPoint p, double unit)
{
    const double r = std::sqrt(1.3333333333333333);
    const double c = 100 - (p.y - double(frame.apexY)) / (double(frame.leftY) - frame.apexY) * 100;
    const double b = (p.x - double(frame.leftX) - 0.5 * r * (double(frame.rightY) - p.y)) /
                     (double(frame.rightX) - frame.leftX) * 100;
    const double a = 100 - b - c;
    return {static_cast<float>(roundedTo(a, unit)), static_cast<float>(roundedTo(b, unit)),
            static_cast<float>(roundedTo(c, unit))};
}

float distance(int x, int y, IntPoint p)
{
    const double dx = x - p.x;
    const double dy = y - p.y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

} // namespace

void VectorLine::place(const DrawnFrame &frame, const MeasureLabel &measure)
{
    pixOrigin = toPixel(frame, ternOrigin);
    if (kind == 't') {
        const auto [w, h] = measure(*this);
        const double theta = static_cast<double>(angle) * 2 * 3.14159265359 / 360;
        const double x = pixOrigin.x;
        const double y = pixOrigin.y;
        const double c = std::cos(theta);
        const double s = std::sin(theta);
        pixDest = {truncated(x + w * c + h * s), truncated(y - w * s + h * c)};
        pixCtrl1 = {truncated(x + w * c), truncated(y - w * s)};
        pixCtrl2 = {truncated(x + h * s), truncated(y + h * c)};
        return;
    }
    pixDest = toPixel(frame, ternDest);
    if (kind == 'b' || kind == 'e') {
        if (isSet(ternCtrl1))
            pixCtrl1 = toPixel(frame, ternCtrl1);
        if (isSet(ternCtrl2))
            pixCtrl2 = toPixel(frame, ternCtrl2);
    }
}

void VectorLine::toTernary(const DrawnFrame &frame, bool snap)
{
    const double endUnit = snap ? 1.0 : 0.01;
    ternOrigin = pixelToWeights(frame, pixOrigin, endUnit);
    ternDest = pixelToWeights(frame, pixDest, endUnit);
    const bool convertControls = snap ? (kind == 'b' || kind == 'e') : kind != 'r';
    if (convertControls) {
        ternCtrl1 = pixelToWeights(frame, pixCtrl1, 0.01);
        ternCtrl2 = pixelToWeights(frame, pixCtrl2, 0.01);
    } else {
        ternCtrl1 = {};
        ternCtrl2 = {};
    }
}

std::optional<float> VectorLine::segmentDistance(int x, int y) const
{
    const double dx = pixDest.x - pixOrigin.x;
    const double dy = pixDest.y - pixOrigin.y;
    const float length = static_cast<float>(std::sqrt(dx * dx + dy * dy));
    const double l2 = double(length) * length;
    const double t = length > 0 ? ((x - pixOrigin.x) * dx + (y - pixOrigin.y) * dy) / l2 : -1;
    if (t < 0 || t > 1)
        return std::nullopt;
    const double s = ((pixOrigin.y - y) * dx - (pixOrigin.x - x) * dy) / l2;
    const float d = static_cast<float>(std::fabs(s * length));
    if (d < kPickLimit)
        return d;
    return std::nullopt;
}

void VectorLine::translateTo(int x, int y)
{
    const int dx = x - pixOrigin.x;
    const int dy = y - pixOrigin.y;
    for (IntPoint *p : {&pixOrigin, &pixDest, &pixCtrl1, &pixCtrl2}) {
        p->x += dx;
        p->y += dy;
    }
}

void VectorLine::moveHandle(char handle, int x, int y)
{
    switch (handle) {
    case 'O': pixOrigin = {x, y}; break;
    case 'D': pixDest = {x, y}; break;
    case '1': pixCtrl1 = {x, y}; break;
    case '2': pixCtrl2 = {x, y}; break;
    default: break;
    }
}

VectorLine newOverlayObject(char kind, IntPoint o, IntPoint d)
{
    VectorLine object;
    object.kind = kind;
    object.lineStyle = 0;
    object.pixOrigin = o;
    object.pixDest = d;
    if (kind == 'b' || kind == 'e') {
        const int mx = (o.x + d.x) / 2;
        const int my = (o.y + d.y) / 2;
        object.pixCtrl1 = {mx - 15, my - 15};
        object.pixCtrl2 = {mx - 25, my - 25};
    }
    if (kind == 'e')
        object.fill = 1;
    return object;
}

std::optional<int> pickObject(const std::vector<VectorLine> &objects, int x, int y)
{
    float best = 1e8f;
    std::optional<int> index;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const VectorLine &object = objects[i];
        auto consider = [&](float d) {
            if (d < best) {
                best = d;
                index = static_cast<int>(i);
            }
        };
        if (const auto d = object.segmentDistance(x, y)) {
            consider(*d);
        } else {
            consider(distance(x, y, object.pixOrigin));
            consider(distance(x, y, object.pixDest));
        }
    }
    if (best < kPickLimit)
        return index;
    return std::nullopt;
}

} // namespace quarvel

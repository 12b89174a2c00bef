#pragma once

#include "core/color_table.h"
#include "core/diagram_geometry.h"

#include <array>
#include <cstdint>

#include <QString>

namespace quarvel {

struct PixelPoint
{
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PixelPoint &) const = default;
};

// One overlay object: a line, a Bezier curve, an ellipse or a rotated text label. Its position is
// kept in ternary weights of the whole diagram; the pixel points are derived after each drawing.
struct VectorLine
{
    float workValue = 0;
    Weights ternOrigin{};
    Weights ternDest{};
    Weights ternCtrl1{};
    Weights ternCtrl2{};
    Weights workFractions{};
    char kind = 'r';           // 'r' line, 'b' Bezier curve, 'e' ellipse, 't' text label
    std::uint8_t lineStyle = 0; // 0 solid, 1 dash, 2 dot, 3 dash-dot
    PixelPoint pixOrigin;
    PixelPoint pixDest;
    PixelPoint pixCtrl1;
    PixelPoint pixCtrl2;
    QString text = QStringLiteral("-");
    QString fontName = QStringLiteral("-");
    std::int32_t fontSize = 10;
    std::int32_t angle = 0;
    ColorRef color = 0;
    std::uint8_t fill = 0;     // 0 solid, 1 clear, 2..7 hatches
    std::int32_t width = 1;
};

} // namespace quarvel

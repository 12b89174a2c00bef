#pragma once

#include "core/color_table.h"
#include "core/diagram_frame.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

namespace quarvel {

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
    IntPoint pixOrigin;
    IntPoint pixDest;
    IntPoint pixCtrl1;
    IntPoint pixCtrl2;
    QString text = QStringLiteral("-");
    QString fontName = QStringLiteral("-");
    std::int32_t fontSize = 10;
    std::int32_t angle = 0;
    ColorRef color = 0;
    std::uint8_t fill = 0;     // 0 solid, 1 clear, 2..7 hatches
    std::int32_t width = 1;

    // Width and height of a label's text, unrotated, in face fontName at fontSize points, measured
    // on the surface the object is placed for.
    using MeasureLabel = std::function<std::pair<int, int>(const VectorLine &)>;

    // Ternary points to pixel points on the screen image. A label's D, 1 and 2 become the corners
    // of its rotated text box; an unset control point of a curve or ellipse keeps its pixel.
    void place(const DrawnFrame &frame, const MeasureLabel &measure);
    // Pixel points back to ternary after an edit; snap rounds O and D to whole numbers.
    void toTernary(const DrawnFrame &frame, bool snap);
    // Perpendicular distance of (x, y) to the segment pixOrigin-pixDest when below 25 pixels.
    std::optional<float> segmentDistance(int x, int y) const;
    void translateTo(int x, int y);
    // handle 'O', 'D', '1' or '2'; anything else changes nothing.
    void moveHandle(char handle, int x, int y);
};

// An object as the editor makes it from a press at o and a release at d.
VectorLine newOverlayObject(char kind, IntPoint o, IntPoint d);

// Index of the object nearest to (x, y) within 25 pixels; ties go to the earlier object.
std::optional<int> pickObject(const std::vector<VectorLine> &objects, int x, int y);

} // namespace quarvel

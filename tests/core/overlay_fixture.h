#pragma once

#include "core/vector_line.h"

#include <QString>

namespace quarvel::test {

// An overlay text label as the editor makes one: anchored at a ternary point, with its face,
// size in points, angle in degrees and colour.
inline VectorLine overlayLabel(const QString &text, const QString &font, Weights at, std::int32_t fontSize,
                               std::int32_t angle = 0, ColorRef color = 0)
{
    VectorLine v;
    v.kind = 't';
    v.text = text;
    v.fontName = font;
    v.fontSize = fontSize;
    v.angle = angle;
    v.color = color;
    v.ternOrigin = at;
    return v;
}

} // namespace quarvel::test

#pragma once

#include "core/color_table.h"

#include <QRect>
#include <QString>

namespace quarvel {

class Canvas;

// One group symbol drawn as the diagram draws it: through the canvas, so that a symbol face that
// is not installed shows the same substitute shapes as on the diagram and in the legend.
struct SymbolStyle
{
    QString face;
    int points = 12;
    ColorRef color = 0;
};

// The symbol's text cell with its top-left corner at (x, y).
void drawSymbol(Canvas &canvas, int x, int y, const SymbolStyle &style, int code);
// The symbol's text cell centred in box.
void drawSymbolCentred(Canvas &canvas, const QRect &box, const SymbolStyle &style, int code);

} // namespace quarvel

#include "ui/symbol_cell.h"

#include "render/canvas.h"
#include "render/diagram_renderer.h"

namespace quarvel {

namespace {

void selectSymbolFont(Canvas &canvas, const SymbolStyle &style)
{
    CanvasFont font;
    font.face = style.face;
    font.size = style.points;
    font.charset = 1;
    font.color = style.color;
    canvas.setFont(font);
    canvas.setTextBackground(false);
}

} // namespace

void drawSymbol(Canvas &canvas, int x, int y, const SymbolStyle &style, int code)
{
    selectSymbolFont(canvas, style);
    canvas.textOut(x, y, symbolText(code));
}

void drawSymbolCentred(Canvas &canvas, const QRect &box, const SymbolStyle &style, int code)
{
    selectSymbolFont(canvas, style);
    const QString &text = symbolText(code);
    const int w = canvas.textWidth(text);
    const int h = canvas.textHeight(text);
    canvas.textOut(box.left() + (box.width() - w) / 2, box.top() + (box.height() - h) / 2, text);
}

} // namespace quarvel

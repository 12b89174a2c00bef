// The overlay objects, drawn on the renderer's own frame after the axis titles and before the
// samples, never clipped to the subtriangle.

#include "render/diagram_renderer.h"

#include <algorithm>
#include <cmath>

namespace quarvel {

namespace {

PenStyle overlayPenStyle(std::uint8_t style)
{
    switch (style) {
    case 1: return PenStyle::Dash;
    case 2: return PenStyle::Dot;
    case 3: return PenStyle::DashDot;
    default: return PenStyle::Solid;
    }
}

BrushStyle overlayBrushStyle(std::uint8_t fill)
{
    switch (fill) {
    case 1: return BrushStyle::Clear;
    case 2: return BrushStyle::Horizontal;
    case 3: return BrushStyle::Vertical;
    case 4: return BrushStyle::FDiagonal;
    case 5: return BrushStyle::BDiagonal;
    case 6: return BrushStyle::Cross;
    case 7: return BrushStyle::DiagCross;
    default: return BrushStyle::Solid;
    }
}

} // namespace

void DiagramRenderer::drawOverlay(const std::vector<VectorLine> &overlay)
{
    const int thin = m_flags.thinPenWidth;
    m_canvas.setPenMode(PenMode::Copy);
    m_canvas.setPenWidth(thin);
    m_canvas.setPenColor(m_settings.overlayPenColor);
    const int dpi = m_canvas.pixelsPerInch();

    for (const VectorLine &object : overlay) {
        auto pixel = [&](const Weights &w) { return m_frame.weightsToFramePixel(w[0], w[1], w[2]); };
        const IntPoint o = pixel(object.ternOrigin);
        const IntPoint d = pixel(object.ternDest);
        const IntPoint c1 = pixel(object.ternCtrl1);
        const IntPoint c2 = pixel(object.ternCtrl2);
        m_canvas.setPenStyle(overlayPenStyle(object.lineStyle));
        m_canvas.setPenColor(object.color);
        // Widths are 1 to 3 from the editor; a damaged file's width must not make a pen that never finishes.
        m_canvas.setPenWidth(object.width >= 2 ? std::min(object.width, 64) : thin);
        switch (object.kind) {
        case 'r':
            m_canvas.line(o.x, o.y, d.x, d.y);
            break;
        case 'b': {
            const std::array<IntPoint, 4> points{o, c1, c2, d};
            m_canvas.bezier(points);
            break;
        }
        case 'e':
            m_canvas.setBrushColor(object.color);
            m_canvas.setBrushStyle(overlayBrushStyle(object.fill));
            m_canvas.ellipse(o.x, o.y, d.x, d.y);
            break;
        case 't': {
            CreatedFont font;
            font.height = -fontPixelHeight(drawableFontSize(object.fontSize), dpi);
            font.escapement = font.orientation = object.angle % 3600 * 10;
            font.charset = m_settings.overlayTextFont.charset;
            font.face = object.fontName;
            m_canvas.selectCreatedFont(font);
            m_canvas.setTextColor(object.color);
            m_canvas.setBrushColor(0xFFFFFF);
            m_canvas.setBrushStyle(BrushStyle::Solid);
            m_canvas.setTextBackground(true);
            m_canvas.textOut(o.x, o.y, object.text);
            m_canvas.selectCanvasFont();
            break;
        }
        default:
            break;
        }
    }
    m_canvas.setPenWidth(thin);
    m_canvas.setPenColor(0);
    m_canvas.setBrushStyle(BrushStyle::Solid);
    m_canvas.setBrushColor(0xFFFFFF);
}

} // namespace quarvel

// The samples: one symbol per sample in its group's colour, centred on its pixel, and its label
// one pixel to the right.

#include "render/diagram_renderer.h"

namespace quarvel {

void DiagramRenderer::drawSamples(const SampleList &samples)
{
    Canvas &canvas = m_flags.sampleCanvas ? *m_flags.sampleCanvas : m_canvas;
    canvas.setTextBackground(false);
    canvas.setCopyMode(CopyMode::And);
    const bool convert = m_flags.convertSymbols;
    const bool forceTriangle = m_settings.diagramKind == 1;
    Canvas &symbolCanvas = convert ? *m_symbolBitmap : canvas;

    CanvasFont symbolFont;
    symbolFont.face = m_settings.symbolFont.face();
    symbolFont.charset = 1;
    CanvasFont labelFont;
    labelFont.face = m_settings.sampleLabelFont.face();
    labelFont.size = m_settings.sampleLabelFont.size;
    labelFont.charset = m_settings.sampleLabelFont.charset;
    labelFont.style = m_settings.sampleLabelFont.style;
    labelFont.color = m_settings.sampleLabelFont.color;
    const ColorRef unmatchedLabelColor = full() ? m_settings.sampleLabelFont.color : 0;

    // A million symbols are drawn much faster together than one by one.
    struct SymbolBatch
    {
        Canvas &canvas;
        explicit SymbolBatch(Canvas &c) : canvas(c) { canvas.beginSymbols(); }
        ~SymbolBatch() { canvas.endSymbols(); }
    } batch(canvas);

    for (const Sample &sample : samples) {
        if (!sample.visible)
            continue;
        IntPoint p;
        if (sample.kind == 't') {
            p = m_frame.upperSamplePixel(sample.percents[BottomAxis], sample.percents[LeftAxis],
                                         sample.percents[RightAxis]);
        } else {
            if (forceTriangle)
                continue;
            p = m_frame.lowerSamplePixel(sample.percents[BottomAxis], sample.percents[RightAxis],
                                         sample.percents[DownAxis]);
        }
        const int symbolSize = drawableFontSize(sample.symbolSize);
        symbolFont.size = m_flags.halfSymbols ? symbolSize / 2 : symbolSize;
        symbolFont.color = sample.color;
        symbolCanvas.setFont(symbolFont);
        const QString &symbol = symbolText(sample.symbol);
        const int w = symbolCanvas.textWidth(symbol);
        const int h = symbolCanvas.textHeight(symbol);
        if (convert)
            symbolCanvas.textOut(0, 0, symbol);
        const int hw = static_cast<int>(0.5 * w + 0.5);
        const int hh = static_cast<int>(0.5 * h + 0.5);
        const int sx = p.x - hw;
        const int sy = p.y - hh;
        if (!full() && !m_frame.insideClip(static_cast<float>(p.x), static_cast<float>(p.y)))
            continue;
        if (convert)
            canvas.copyRect(QRect(sx, sy, w, h), *m_symbolBitmap, QRect(0, 0, w, h));
        else
            canvas.textOut(sx, sy, symbol);
        canvas.setFont(labelFont);
        if (sample.showLabel && sample.labelLength > 0) {
            canvas.setTextColor(m_settings.matchPointColor ? sample.color : unmatchedLabelColor);
            canvas.textOut(p.x + hw + 1, sy, samples.label(sample));
        }
    }
}

} // namespace quarvel

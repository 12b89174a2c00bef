#include "render/document_drawing.h"

#include "render/qpainter_canvas.h"
#include "render/legend.h"
#include "render/diagram_renderer.h"

namespace quarvel {

int imageHeightFor(int width)
{
    return static_cast<int>(width * 0.7692307692307692);
}

namespace {

// The samples' own picture goes in where the renderer would have drawn them, under the legend.
void laySamplePicture(Canvas &canvas, const RenderFlags &flags, int width, int height)
{
    if (!flags.sampleCanvas)
        return;
    const QRect all(0, 0, width, height);
    canvas.setCopyMode(CopyMode::Copy);
    canvas.copyRect(all, *flags.sampleCanvas, all);
}

} // namespace

DrawnFrame drawDocument(Document &document, Canvas &canvas, int width, int height, RenderFlags flags)
{
    document.geometry.layout(width, height, document.diagramSettings);
    DrawnFrame frame;
    {
        const DiagramRenderer renderer(canvas, width, height, document.overlayList, document.diagramSettings,
                                 document.dataSettings, document.geometry, document.samples, flags,
                                 document.locale());
        frame = renderer.drawnFrame();
    }
    laySamplePicture(canvas, flags, width, height);
    if (document.diagramSettings.drawLegend && !document.groupList.empty())
        Legend(canvas, width, document.diagramSettings, document.groupList, flags.convertSymbols);
    return frame;
}

void placeOverlay(Document &document, const DrawnFrame &frame, Canvas &canvas)
{
    const int dpi = canvas.pixelsPerInch();
    const auto measure = [&](const VectorLine &label) {
        CreatedFont font;
        font.height = -fontPixelHeight(drawableFontSize(label.fontSize), dpi);
        font.charset = document.diagramSettings.overlayTextFont.charset;
        font.face = label.fontName;
        canvas.selectCreatedFont(font);
        const std::pair<int, int> size{canvas.textWidth(label.text), canvas.textHeight(label.text)};
        canvas.selectCanvasFont();
        return size;
    };
    for (VectorLine &object : document.overlayList)
        object.place(frame, measure);
}

void drawThumbnail(Document &document, Canvas &canvas, int width, int height, Canvas *sampleCanvas)
{
    std::vector<VectorLine> overlay = document.overlayList;
    for (VectorLine &object : overlay)
        object.fontSize /= 3;

    DiagramSettings settings = document.diagramSettings;
    const DataSettings dataSettings = document.dataSettings;
    settings.axisLabelFont.size /= 2;
    settings.numberFont.size /= 4;
    settings.legendFont.size /= 2;
    settings.symbolFont.size /= 2;
    settings.sampleLabelFont.size /= 4;
    settings.hidePoints = 0;
    settings.hideOverlay = 0;
    settings.adjustToWindow = 0;
    settings.showClippingArea = 0;

    document.geometry.layout(width, height, settings);
    RenderFlags flags;
    flags.halfSymbols = true;
    flags.sampleCanvas = sampleCanvas;
    DiagramRenderer(canvas, width, height, overlay, settings, dataSettings, document.geometry, document.samples, flags,
              document.locale());
    laySamplePicture(canvas, flags, width, height);
}

void drawThumbnail(Document &document, QImage &image)
{
    QPainterCanvas canvas(image);
    drawThumbnail(document, canvas, image.width(), image.height());
}

} // namespace quarvel

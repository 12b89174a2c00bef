#pragma once

#include "core/diagram_frame.h"
#include "core/document.h"
#include "render/canvas.h"
#include "render/diagram_renderer.h"

#include <QImage>
#include <QString>

namespace quarvel {

// The image window's redraw without the window: lays the document out for width x height, draws
// the diagram (by default symbols as text, pen width 0, full-size symbols; the copy as a picture
// passes its own flags) and then the legend when it is switched on and there is a group. Returns
// the frame of the drawing. With flags.sampleCanvas the samples are drawn there and that picture
// is then copied in before the legend.
DrawnFrame drawDocument(Document &document, Canvas &canvas, int width, int height, RenderFlags flags = {});

// Places every overlay object on a drawing from its ternary points (the image window does this
// after each redraw, for its mouse handling); labels are measured on the canvas.
void placeOverlay(Document &document, const DrawnFrame &frame, Canvas &canvas);

// The document window's thumbnail onto any canvas: smaller fonts, half-size symbols, no legend,
// no hidden points or overlay, no fit. The document's settings and overlay are left untouched;
// only its geometry is laid out for the thumbnail's size. With sampleCanvas, as for drawDocument.
void drawThumbnail(Document &document, Canvas &canvas, int width, int height, Canvas *sampleCanvas = nullptr);
void drawThumbnail(Document &document, QImage &image);

// Height of the image window's picture for a width: width / 1.3, truncated.
int imageHeightFor(int width);

} // namespace quarvel

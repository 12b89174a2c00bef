// A document file, opened and then drawn as the image window and the thumbnail draw it: the
// settings and overlay a file holds reach the renderer unchecked.

#include "fuzz_common.h"

#include "render/document_drawing.h"
#include "render/qpainter_canvas.h"

#include <QGuiApplication>

#include <memory>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    quarvel::Document document(quarvel::UserLocale::point());
    const bool ok = quarvel::readDocument(document, quarvel::fuzz::bytesOf(data, size)).ok;
    quarvel::fuzz::finishOpen(document, ok);
    if (!ok)
        return 0;
    QImage image(160, quarvel::imageHeightFor(160), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        quarvel::QPainterCanvas canvas(image);
        const quarvel::DrawnFrame frame = quarvel::drawDocument(document, canvas, image.width(), image.height());
        quarvel::placeOverlay(document, frame, canvas);
    }
    QImage thumbnail(80, 61, QImage::Format_ARGB32_Premultiplied);
    quarvel::drawThumbnail(document, thumbnail);
    return 0;
}

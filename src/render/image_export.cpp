#include "render/image_export.h"

#include "render/document_drawing.h"
#include "render/png_writer.h"
#include "render/qpainter_canvas.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

namespace quarvel {

std::optional<ExportFormat> exportFormatFromPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return ExportFormat::Png;
    if (suffix == QLatin1String("svg"))
        return ExportFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return ExportFormat::Pdf;
    return std::nullopt;
}

namespace {

void draw(Document &document, Canvas &canvas, int width, int height, bool thumbnail)
{
    if (thumbnail)
        drawThumbnail(document, canvas, width, height);
    else
        drawDocument(document, canvas, width, height);
}

} // namespace

QString exportDocument(Document &document, const QString &path, ExportFormat format, const ExportOptions &options)
{
    const int width = options.width;
    const int height = imageHeightFor(width);
    const int dpi = options.dpi;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write ") + path + QStringLiteral(": ") + file.errorString();

    switch (format) {
    case ExportFormat::Png: {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        {
            QPainterCanvas canvas(image, dpi);
            draw(document, canvas, width, height, options.thumbnail);
        }
        if (!writePng(image, file))
            return QStringLiteral("cannot write the PNG image ") + path;
        break;
    }
    case ExportFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setResolution(dpi);
        svg.setTitle(document.caption);
        QPainterCanvas canvas(&svg, dpi);
        draw(document, canvas, width, height, options.thumbnail);
        break;
    }
    case ExportFormat::Pdf: {
        QPdfWriter pdf(&file);
        pdf.setResolution(dpi);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / dpi, height * 72.0 / dpi), QPageSize::Point,
                                  QString(), QPageSize::ExactMatch));
        pdf.setTitle(document.caption);
        QPainterCanvas canvas(&pdf, dpi);
        draw(document, canvas, width, height, options.thumbnail);
        break;
    }
    }
    if (!file.commit())
        return QStringLiteral("cannot write ") + path + QStringLiteral(": ") + file.errorString();
    return {};
}

} // namespace quarvel

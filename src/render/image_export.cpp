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

// The document's stored "Hide points" and "Hide overlay" replaced by the options while drawing.
class ShownAsAsked
{
public:
    ShownAsAsked(DiagramSettings &settings, const ExportOptions &options)
        : m_settings(settings), m_hidePoints(settings.hidePoints), m_hideOverlay(settings.hideOverlay)
    {
        settings.hidePoints = options.hidePoints ? 1 : 0;
        settings.hideOverlay = options.hideOverlay ? 1 : 0;
    }
    ~ShownAsAsked()
    {
        m_settings.hidePoints = m_hidePoints;
        m_settings.hideOverlay = m_hideOverlay;
    }
    ShownAsAsked(const ShownAsAsked &) = delete;
    ShownAsAsked &operator=(const ShownAsAsked &) = delete;

private:
    DiagramSettings &m_settings;
    std::uint8_t m_hidePoints;
    std::uint8_t m_hideOverlay;
};

void drawOn(Document &document, Canvas &canvas, int width, int height, bool thumbnail, Canvas *sampleCanvas = nullptr)
{
    if (thumbnail) {
        drawThumbnail(document, canvas, width, height, sampleCanvas);
    } else {
        RenderFlags flags;
        flags.sampleCanvas = sampleCanvas;
        drawDocument(document, canvas, width, height, flags);
    }
}

// A vector target, with the samples drawn on one transparent picture of the target's pixels
// when there are many of them or the caller asks for it.
void drawVector(Document &document, QPaintDevice &device, int width, int height, const ExportOptions &options)
{
    QPainterCanvas canvas(&device, options.dpi);
    const bool picture = options.rasterSamples || document.samples.size() > kRasterSampleThreshold;
    if (!picture) {
        drawOn(document, canvas, width, height, options.thumbnail);
        return;
    }
    QImage samples(width, height, QImage::Format_ARGB32_Premultiplied);
    samples.fill(Qt::transparent);
    QPainterCanvas sampleCanvas(samples, options.dpi);
    drawOn(document, canvas, width, height, options.thumbnail, &sampleCanvas);
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
    const ShownAsAsked shown(document.diagramSettings, options);

    switch (format) {
    case ExportFormat::Png: {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        {
            QPainterCanvas canvas(image, dpi);
            drawOn(document, canvas, width, height, options.thumbnail);
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
        drawVector(document, svg, width, height, options);
        break;
    }
    case ExportFormat::Pdf: {
        QPdfWriter pdf(&file);
        pdf.setResolution(dpi);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setPageSize(QPageSize(QSizeF(width * 72.0 / dpi, height * 72.0 / dpi), QPageSize::Point,
                                  QString(), QPageSize::ExactMatch));
        pdf.setTitle(document.caption);
        drawVector(document, pdf, width, height, options);
        break;
    }
    }
    if (!file.commit())
        return QStringLiteral("cannot write ") + path + QStringLiteral(": ") + file.errorString();
    return {};
}

} // namespace quarvel

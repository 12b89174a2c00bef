#include "render/qpainter_canvas.h"

#include "core/codepage.h"
#include "render/wingdings_table.h"

#include <QFontDatabase>
#include <QPainterPath>

#include <cmath>

namespace quarvel {

namespace {

// Shown for the few Wingdings codes that have no Unicode counterpart.
constexpr char32_t kMissingSymbol = 0x25A1;

QList<qreal> dashPattern(PenStyle style)
{
    switch (style) {
    case PenStyle::Dash: return {18, 6};
    case PenStyle::Dot: return {3, 3};
    case PenStyle::DashDot: return {9, 6, 3, 6};
    default: return {};
    }
}

Qt::BrushStyle toQtBrush(BrushStyle style)
{
    switch (style) {
    case BrushStyle::Solid: return Qt::SolidPattern;
    case BrushStyle::Clear: return Qt::NoBrush;
    case BrushStyle::Horizontal: return Qt::HorPattern;
    case BrushStyle::Vertical: return Qt::VerPattern;
    case BrushStyle::FDiagonal: return Qt::FDiagPattern;
    case BrushStyle::BDiagonal: return Qt::BDiagPattern;
    case BrushStyle::Cross: return Qt::CrossPattern;
    case BrushStyle::DiagCross: return Qt::DiagCrossPattern;
    }
    return Qt::SolidPattern;
}

bool isUninstalledSymbolFace(const QString &face)
{
    return face.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) == 0 && !QFontDatabase::hasFamily(face);
}

// Source-over of one premultiplied pixel, with the rounding of Qt's own blending.
inline quint32 byteMul(quint32 x, quint32 a)
{
    quint32 t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    return x | t;
}

} // namespace

QColor toQColor(ColorRef color)
{
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

int fontPixelHeight(std::int32_t points, int dpi)
{
    return static_cast<int>(std::lround(std::fabs(static_cast<double>(points) * dpi / 72.0)));
}

QPainterCanvas::QPainterCanvas(QPaintDevice *device, int dpi, QImage *image)
    : m_image(image), m_dpi(dpi)
{
    m_canvasFont.face = QStringLiteral("Arial");
    m_painter.begin(device);
    m_clip = QRect(0, 0, device->width(), device->height());
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_textQColor = toQColor(m_textColor);
    applyPen();
}

QPainterCanvas::QPainterCanvas(QImage &image, int dpi) : QPainterCanvas(&image, dpi, &image) {}

QPainterCanvas::~QPainterCanvas()
{
    m_painter.end();
}

std::unique_ptr<Canvas> QPainterCanvas::createBitmap(int width, int height)
{
    auto bitmap = std::make_unique<QImage>(width, height, QImage::Format_ARGB32_Premultiplied);
    bitmap->fill(Qt::white);
    auto canvas = std::make_unique<QPainterCanvas>(*bitmap, m_dpi);
    canvas->m_ownImage = std::move(bitmap);
    return canvas;
}

void QPainterCanvas::applyPen()
{
    if (m_penStyle == PenStyle::Clear) {
        m_pen = QPen(Qt::NoPen);
    } else {
        // Width 0 and 1 are one device pixel; on images that is Qt's cosmetic pen.
        const bool thin = m_penWidth <= 1;
        m_pen = QPen(toQColor(m_penColor), thin ? (m_image ? 0 : 1) : m_penWidth);
        m_pen.setCapStyle(Qt::FlatCap);
        m_pen.setJoinStyle(Qt::MiterJoin);
        // Patterned pens wider than one pixel are drawn solid.
        if (m_penStyle != PenStyle::Solid && thin)
            m_pen.setDashPattern(dashPattern(m_penStyle));
    }
    m_painter.setPen(m_pen);
}

void QPainterCanvas::setPenWidth(int width)
{
    m_penWidth = width;
    applyPen();
}

void QPainterCanvas::setPenColor(ColorRef color)
{
    m_penColor = color;
    applyPen();
}

void QPainterCanvas::setPenStyle(PenStyle style)
{
    m_penStyle = style;
    applyPen();
}

void QPainterCanvas::setPenMode(PenMode mode)
{
    m_penMode = mode;
}

void QPainterCanvas::setBrushColor(ColorRef color)
{
    m_brushColor = color;
}

void QPainterCanvas::setBrushStyle(BrushStyle style)
{
    m_brushStyle = style;
}

void QPainterCanvas::fillRect(const QRect &rect)
{
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (m_brushStyle != BrushStyle::Clear)
        m_painter.fillRect(rect, QBrush(toQColor(m_brushColor), toQtBrush(m_brushStyle)));
}

void QPainterCanvas::moveTo(int x, int y)
{
    m_position = QPoint(x, y);
}

namespace {

void strokeMode(QPainter &painter, PenMode mode, bool raster)
{
    painter.setCompositionMode(mode == PenMode::NotXor && raster ? QPainter::RasterOp_NotSourceXorDestination
                                                                 : QPainter::CompositionMode_SourceOver);
}

QPolygon toPolygon(std::span<const IntPoint> points)
{
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const IntPoint &p : points)
        polygon.append(QPoint(p.x, p.y));
    return polygon;
}

} // namespace

void QPainterCanvas::lineTo(int x, int y)
{
    strokeMode(m_painter, m_penMode, m_image);
    m_painter.setPen(m_pen);
    m_painter.drawLine(m_position, QPoint(x, y));
    m_position = QPoint(x, y);
}

void QPainterCanvas::polyline(std::span<const IntPoint> points)
{
    strokeMode(m_painter, m_penMode, m_image);
    m_painter.setPen(m_pen);
    m_painter.drawPolyline(toPolygon(points));
}

void QPainterCanvas::polygon(std::span<const IntPoint> points)
{
    strokeMode(m_painter, m_penMode, m_image);
    m_painter.setPen(m_pen);
    m_painter.setBrush(QBrush(toQColor(m_brushColor), toQtBrush(m_brushStyle)));
    m_painter.drawPolygon(toPolygon(points));
    m_painter.setBrush(Qt::NoBrush);
}

void QPainterCanvas::bezier(std::span<const IntPoint, 4> points)
{
    strokeMode(m_painter, m_penMode, m_image);
    m_painter.setPen(m_pen);
    QPainterPath path(QPointF(points[0].x, points[0].y));
    path.cubicTo(QPointF(points[1].x, points[1].y), QPointF(points[2].x, points[2].y),
                 QPointF(points[3].x, points[3].y));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPath(path);
    m_position = QPoint(points[3].x, points[3].y);
}

void QPainterCanvas::ellipse(int left, int top, int right, int bottom)
{
    strokeMode(m_painter, m_penMode, m_image);
    m_painter.setPen(m_pen);
    m_painter.setBrush(QBrush(toQColor(m_brushColor), toQtBrush(m_brushStyle)));
    const int l = std::min(left, right), r = std::max(left, right);
    const int t = std::min(top, bottom), b = std::max(top, bottom);
    // The box's right and bottom edges lie outside the ellipse.
    m_painter.drawEllipse(QRect(l, t, std::max(r - l - 1, 0), std::max(b - t - 1, 0)));
    m_painter.setBrush(Qt::NoBrush);
}

QPainterCanvas::FontEntry *QPainterCanvas::entryFor(const FontKey &key)
{
    for (const auto &entry : m_fonts) {
        if (entry->key == key)
            return entry.get();
    }
    QFont font;
    const bool mapsSymbols = isUninstalledSymbolFace(key.face);
    if (mapsSymbols)
        font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Symbola")});
    else
        font.setFamily(key.face);
    // A zero height asks the font system for its default size.
    font.setPixelSize(key.pixelSize > 0 ? key.pixelSize : 16);
    font.setWeight(key.bold ? QFont::Bold : QFont::Normal);
    font.setItalic(key.italic);
    font.setUnderline(key.underline);
    font.setStrikeOut(key.strikeOut);
    // Grey-level antialiasing only, so a glyph composited from a cache equals one drawn in place.
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    auto entry = std::unique_ptr<FontEntry>(new FontEntry{key, font, QFontMetrics(font), 0, 0, mapsSymbols, {}, {}});
    entry->ascent = entry->metrics.ascent();
    entry->height = entry->metrics.height();
    m_fonts.push_back(std::move(entry));
    return m_fonts.back().get();
}

void QPainterCanvas::setFont(const CanvasFont &font)
{
    if (!(font == m_canvasFont) || !m_canvasEntry) {
        m_canvasFont = font;
        FontKey key;
        key.face = font.face;
        key.pixelSize = fontPixelHeight(font.size, m_dpi);
        key.bold = (font.style & 8) != 0;
        key.italic = (font.style & 4) != 0;
        key.underline = (font.style & 2) != 0;
        key.strikeOut = (font.style & 1) != 0;
        m_canvasEntry = entryFor(key);
    }
    m_font = m_canvasEntry;
    m_created = false;
    setTextColor(font.color);
}

void QPainterCanvas::selectCreatedFont(const CreatedFont &font)
{
    FontKey key;
    key.face = font.face;
    key.pixelSize = std::abs(font.height);
    key.escapement = font.escapement;
    key.italic = font.italic;
    key.underline = font.underline;
    key.strikeOut = font.strikeOut;
    m_font = entryFor(key);
    m_created = true;
}

void QPainterCanvas::selectCanvasFont()
{
    setFont(m_canvasFont);
}

void QPainterCanvas::setTextColor(ColorRef color)
{
    if (color != m_textColor) {
        m_textColor = color;
        m_textQColor = toQColor(color);
    }
}

QString QPainterCanvas::shownText(QStringView text) const
{
    if (!m_font->mapsSymbols)
        return text.toString();
    QString shown;
    for (QChar c : text) {
        const std::string bytes = toCodePage(QStringView(&c, 1));
        const char32_t u = bytes.empty() ? 0 : wingdingsToUnicode(static_cast<std::uint8_t>(bytes[0]));
        const char32_t code = u != 0 ? u : kMissingSymbol;
        shown += QString::fromUcs4(&code, 1);
    }
    return shown;
}

int QPainterCanvas::textWidth(QStringView text)
{
    if (!m_font)
        selectCanvasFont();
    if (text.size() == 1) {
        const char32_t c = text[0].unicode();
        auto it = m_font->widths.constFind(c);
        if (it != m_font->widths.constEnd())
            return *it;
        const int w = m_font->metrics.horizontalAdvance(shownText(text));
        m_font->widths.insert(c, w);
        return w;
    }
    return m_font->metrics.horizontalAdvance(shownText(text));
}

int QPainterCanvas::textHeight(QStringView)
{
    if (!m_font)
        selectCanvasFont();
    return m_font->height;
}

const QPainterCanvas::Glyph &QPainterCanvas::glyphFor(QStringView text, char32_t code)
{
    const quint64 key = (quint64(code) << 32) | quint32(m_textColor & 0xFFFFFF);
    auto it = m_font->glyphs.find(key);
    if (it != m_font->glyphs.end())
        return *it;
    const QString shown = shownText(text);
    const QRect cell(0, 0, m_font->metrics.horizontalAdvance(shown), m_font->height);
    const QRect ink = m_font->metrics.boundingRect(shown).translated(0, m_font->ascent);
    const QRect box = cell.united(ink).adjusted(-2, -2, 2, 2);
    Glyph glyph;
    glyph.image = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
    glyph.image.fill(Qt::transparent);
    glyph.offset = box.topLeft();
    {
        QPainter p(&glyph.image);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setFont(m_font->font);
        p.setPen(m_textQColor);
        p.drawText(QPoint(-box.x(), -box.y() + m_font->ascent), shown);
    }
    return *m_font->glyphs.insert(key, std::move(glyph));
}

void QPainterCanvas::compositeGlyph(int x, int y, const Glyph &glyph)
{
    const int x0 = x + glyph.offset.x();
    const int y0 = y + glyph.offset.y();
    const int w = glyph.image.width();
    const int h = glyph.image.height();
    const int left = std::max(0, -x0), right = std::min(w, m_image->width() - x0);
    const int top = std::max(0, -y0), bottom = std::min(h, m_image->height() - y0);
    if (left >= right || top >= bottom)
        return;
    uchar *bits = m_image->bits(); // the painter's raster engine writes into the same buffer
    const qsizetype stride = m_image->bytesPerLine();
    for (int row = top; row < bottom; ++row) {
        const quint32 *src = reinterpret_cast<const quint32 *>(glyph.image.constScanLine(row));
        quint32 *dst = reinterpret_cast<quint32 *>(bits + (y0 + row) * stride) + x0;
        for (int col = left; col < right; ++col) {
            const quint32 s = src[col];
            const quint32 a = s >> 24;
            if (a == 0)
                continue;
            dst[col] = a == 255 ? s : s + byteMul(dst[col], 255 - a);
        }
    }
}

void QPainterCanvas::textOut(int x, int y, QStringView text)
{
    if (!m_font)
        selectCanvasFont();
    if (text.isEmpty())
        return;
    const int escapement = m_created ? m_font->key.escapement : 0;
    const bool single = text.size() == 1;
    if (m_image && single && !m_opaqueText && escapement == 0 &&
        m_painter.compositionMode() != QPainter::CompositionMode_Clear) {
        compositeGlyph(x, y, glyphFor(text, text[0].unicode()));
        return;
    }
    const QString shown = shownText(text);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setFont(m_font->font);
    m_painter.translate(x, y);
    if (escapement != 0)
        m_painter.rotate(-escapement / 10.0);
    if (m_opaqueText)
        m_painter.fillRect(QRect(0, 0, m_font->metrics.horizontalAdvance(shown), m_font->height),
                           toQColor(m_brushColor));
    m_painter.setPen(m_textQColor);
    m_painter.drawText(QPoint(0, m_font->ascent), shown);
    m_painter.resetTransform();
    m_painter.setPen(m_pen);
}

void QPainterCanvas::copyRect(const QRect &dest, Canvas &source, const QRect &sourceRect)
{
    auto *from = dynamic_cast<QPainterCanvas *>(&source);
    if (!from || !from->image())
        return;
    const QImage &picture = *from->image();
    if (m_image) {
        m_painter.setCompositionMode(m_copyMode == CopyMode::And ? QPainter::RasterOp_SourceAndDestination
                                                                 : QPainter::CompositionMode_Source);
        m_painter.drawImage(dest, picture, sourceRect);
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    // Vector targets have no raster operations: white becomes transparent, which is what AND
    // with white does.
    QImage piece = picture.copy(sourceRect);
    if (m_copyMode == CopyMode::And) {
        for (int row = 0; row < piece.height(); ++row) {
            auto *line = reinterpret_cast<quint32 *>(piece.scanLine(row));
            for (int col = 0; col < piece.width(); ++col) {
                if ((line[col] & 0xFFFFFF) == 0xFFFFFF)
                    line[col] = 0;
            }
        }
    }
    m_painter.drawImage(dest, piece);
}

} // namespace quarvel

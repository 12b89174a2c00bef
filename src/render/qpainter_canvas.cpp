#include "render/qpainter_canvas.h"

#include "core/codepage.h"
#include "render/glyph_blending.h"
#include "render/wingdings_table.h"

#include <QFontDatabase>
#include <QPainterPath>

#include <cmath>


namespace quarvel {

namespace {

// Shown for the few Wingdings codes that have no Unicode counterpart.
constexpr char32_t kMissingSymbol = 0x25A1;

// Dashes and gaps in pixels, as a thin pen draws them. A wider pen keeps these lengths (the painter
// counts them in pen widths), each at least one width, so that its dots are square.
QList<qreal> dashPattern(PenStyle style, int width)
{
    QList<qreal> pattern;
    switch (style) {
    case PenStyle::Dash: pattern = {18, 6}; break;
    case PenStyle::Dot: pattern = {3, 3}; break;
    case PenStyle::DashDot: pattern = {9, 6, 3, 6}; break;
    default: break;
    }
    if (width > 1) {
        for (qreal &length : pattern)
            length = std::max<qreal>(length / width, 1);
    }
    return pattern;
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

} // namespace

QColor toQColor(ColorRef color)
{
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

QPoint inkCentringShift(const QFont &font, const QString &shown)
{
    const QFontMetrics metrics(font);
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(shown); // from the baseline origin
    if (ink.isEmpty())
        return {};
    // The centre as the samples round it: half the cell, rounded up.
    const QPointF cellCentre((metrics.horizontalAdvance(shown) + 1) / 2, (metrics.height() + 1) / 2);
    const QPointF offset = cellCentre - (ink.center() + QPointF(0, metrics.ascent()));
    return {qRound(offset.x()), qRound(offset.y())};
}

QPainterCanvas::QPainterCanvas(QPaintDevice *device, int dpi, QImage *image)
    : m_image(image), m_dpi(dpi)
{
    m_canvasFont.face = QStringLiteral("Arial");
    // The raster paths write 32-bit pixels themselves; every other image format is left to QPainter.
    m_raster = m_image && (m_image->format() == QImage::Format_ARGB32_Premultiplied ||
                           m_image->format() == QImage::Format_RGB32);
    if (m_raster) {
        // Taken before the painter starts, which then writes into the same buffer.
        m_bits = m_image->bits();
        m_bytesPerLine = m_image->bytesPerLine();
        m_blender = std::make_unique<GlyphBlender>(m_bits, m_bytesPerLine, m_image->width(), m_image->height());
    }
    m_painter.begin(device);
    m_clip = QRect(0, 0, device->width(), device->height());
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    applyPen();
}

QPainterCanvas::QPainterCanvas(QImage &image, int dpi) : QPainterCanvas(&image, dpi, &image) {}

QPainterCanvas::~QPainterCanvas()
{
    flushSymbols();
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
        // Every pattern at every width: a user who picks a dashed line of width 3 wants dashes.
        if (m_penStyle != PenStyle::Solid)
            m_pen.setDashPattern(dashPattern(m_penStyle, thin ? 1 : m_penWidth));
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
    strokeMode(m_painter, m_penMode, m_raster);
    m_painter.setPen(m_pen);
    m_painter.drawLine(m_position, QPoint(x, y));
    m_position = QPoint(x, y);
}

void QPainterCanvas::polyline(std::span<const IntPoint> points)
{
    strokeMode(m_painter, m_penMode, m_raster);
    m_painter.setPen(m_pen);
    m_painter.drawPolyline(toPolygon(points));
}

void QPainterCanvas::polygon(std::span<const IntPoint> points)
{
    strokeMode(m_painter, m_penMode, m_raster);
    m_painter.setPen(m_pen);
    m_painter.setBrush(QBrush(toQColor(m_brushColor), toQtBrush(m_brushStyle)));
    m_painter.drawPolygon(toPolygon(points));
    m_painter.setBrush(Qt::NoBrush);
}

void QPainterCanvas::bezier(std::span<const IntPoint, 4> points)
{
    strokeMode(m_painter, m_penMode, m_raster);
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
    strokeMode(m_painter, m_penMode, m_raster);
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

namespace {

// Fonts that differ in colour only share their glyph outlines.
bool sameShape(const CanvasFont &a, const CanvasFont &b)
{
    return a.size == b.size && a.style == b.style && a.charset == b.charset && a.face == b.face;
}

} // namespace

void QPainterCanvas::setFont(const CanvasFont &chosen)
{
    // The argument may be one of the two fonts swapped below (selectCanvasFont passes
    // m_canvasFont): then it is copied first. Any other is not, as this runs twice per sample.
    if (&chosen == &m_canvasFont || &chosen == &m_otherFont) {
        const CanvasFont copy = chosen;
        setFont(copy);
        return;
    }
    const CanvasFont &font = chosen;
    // Drawing samples switches between two fonts, symbol and label, at every sample: the
    // previous font is kept at hand.
    if (m_canvasEntry && sameShape(font, m_canvasFont)) {
        m_canvasFont.color = font.color;
    } else if (m_otherEntry && sameShape(font, m_otherFont)) {
        std::swap(m_canvasFont, m_otherFont);
        std::swap(m_canvasEntry, m_otherEntry);
        m_canvasFont.color = font.color;
    } else {
        std::swap(m_canvasFont, m_otherFont);
        m_otherEntry = m_canvasEntry;
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
    m_textColor = font.color;
}

void QPainterCanvas::selectCreatedFont(const CreatedFont &font)
{
    FontKey key;
    key.face = font.face;
    key.pixelSize = std::abs(font.height);
    key.escapement = font.escapement;
    key.bold = font.bold;
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
    m_textColor = color;
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

QPoint QPainterCanvas::inkShift(QStringView text)
{
    const auto key = std::make_pair(static_cast<const FontEntry *>(m_font), char32_t(text[0].unicode()));
    auto it = m_inkShifts.find(key);
    if (it == m_inkShifts.end())
        it = m_inkShifts.emplace(key, inkCentringShift(m_font->font, shownText(text))).first;
    return it->second;
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

const QPainterCanvas::Glyph *QPainterCanvas::glyphFor(QStringView text, char32_t code)
{
    const quint64 key = (quint64(code) << 32) | quint32(m_textColor & 0xFFFFFF);
    auto it = m_font->glyphs.find(key);
    if (it != m_font->glyphs.end())
        return &*it;
    const QString shown = shownText(text);
    const QRect cell(0, 0, m_font->metrics.horizontalAdvance(shown), m_font->height);
    const QRect ink = m_font->metrics.boundingRect(shown).translated(0, m_font->ascent);
    const QRect box = cell.united(ink).adjusted(-2, -2, 2, 2);
    // A giant glyph (only a damaged file asks for one) is drawn directly rather than cached as an
    // image of gigabytes.
    if (box.width() > kLargestCachedGlyph || box.height() > kLargestCachedGlyph)
        return nullptr;
    QImage image(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setFont(m_font->font);
        p.setPen(toQColor(m_textColor));
        p.drawText(QPoint(-box.x(), -box.y() + m_font->ascent), shown);
    }
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] != 0) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    Glyph glyph;
    if (right >= 0) {
        // Rows padded with clear pixels to whole groups of four, which blend to no change.
        const int ink = right - left + 1;
        glyph.width = (ink + 3) / 4 * 4;
        glyph.height = bottom - top + 1;
        glyph.offset = box.topLeft() + QPoint(left, top);
        glyph.pixels.assign(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height), 0);
        for (int y = top; y <= bottom; ++y) {
            const auto *line = reinterpret_cast<const quint32 *>(image.constScanLine(y));
            std::copy(line + left, line + right + 1,
                      glyph.pixels.begin() + static_cast<std::ptrdiff_t>(y - top) * glyph.width);
            int first = glyph.width, end = 0;
            for (int x = 0; x < ink; ++x) {
                if (line[left + x] != 0) {
                    first = std::min(first, x / 4 * 4);
                    end = std::max(end, (x / 4 + 1) * 4);
                }
            }
            glyph.rows.emplace_back(first, end);
        }
    }
    return &*m_font->glyphs.insert(key, std::move(glyph));
}

void QPainterCanvas::compositeGlyph(int x, int y, const Glyph &glyph)
{
    const GlyphStamp stamp{glyph.pixels.data(), glyph.rows.data(), glyph.width, glyph.height,
                           x + glyph.offset.x(), y + glyph.offset.y()};
    if (m_symbolBatch)
        m_blender->queue(stamp);
    else
        m_blender->blend(stamp);
}

void QPainterCanvas::beginSymbols()
{
    ++m_symbolBatch;
}

void QPainterCanvas::endSymbols()
{
    if (m_symbolBatch > 0 && --m_symbolBatch == 0)
        flushSymbols();
}

void QPainterCanvas::flushSymbols()
{
    if (m_blender)
        m_blender->flush();
}

void QPainterCanvas::setDrawingThreads(int threads)
{
    if (m_blender)
        m_blender->setThreads(threads);
}

void QPainterCanvas::textOut(int x, int y, QStringView text)
{
    if (!m_font)
        selectCanvasFont();
    if (text.isEmpty())
        return;
    const int escapement = m_created ? m_font->key.escapement : 0;
    const bool single = text.size() == 1;
    // A substitute symbol's ink moves to the centre of its cell, where the symbol font had it.
    const QPoint shift = m_font->mapsSymbols && single ? inkShift(text) : QPoint();
    if (m_raster && single && !m_opaqueText && escapement == 0) {
        if (const Glyph *glyph = glyphFor(text, text[0].unicode())) {
            compositeGlyph(x + shift.x(), y + shift.y(), *glyph);
            return;
        }
    }
    flushSymbols(); // what QPainter draws goes over the symbols before it
    const QString shown = shownText(text);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setFont(m_font->font);
    m_painter.translate(x, y);
    if (escapement != 0)
        m_painter.rotate(-escapement / 10.0);
    if (m_opaqueText)
        m_painter.fillRect(QRect(0, 0, m_font->metrics.horizontalAdvance(shown), m_font->height),
                           toQColor(m_brushColor));
    m_painter.setPen(toQColor(m_textColor));
    m_painter.drawText(QPoint(shift.x(), m_font->ascent + shift.y()), shown);
    m_painter.resetTransform();
    m_painter.setPen(m_pen);
}

void QPainterCanvas::copyRect(const QRect &dest, Canvas &source, const QRect &sourceRect)
{
    flushSymbols();
    auto *from = dynamic_cast<QPainterCanvas *>(&source);
    if (!from || !from->image())
        return;
    from->flushSymbols();
    const QImage &picture = *from->image();
    if (m_raster) {
        m_painter.setCompositionMode(m_copyMode == CopyMode::And ? QPainter::RasterOp_SourceAndDestination
                                                                 : QPainter::CompositionMode_Source);
        m_painter.drawImage(dest, picture, sourceRect);
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    // Vector targets and other image formats have no raster operations: white becomes
    // transparent, which is what AND with white does.
    QImage piece = picture.copy(sourceRect).convertToFormat(QImage::Format_ARGB32_Premultiplied);
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

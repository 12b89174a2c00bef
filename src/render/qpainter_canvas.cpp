#include "render/qpainter_canvas.h"

#include "core/codepage.h"
#include "render/wingdings_table.h"

#include <QFontDatabase>
#include <QPainterPath>

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// Source-over of n premultiplied pixels, four at a time, each channel exactly as byteMul does
// it; byteMul by 255 and by 0 are exact, so clear and opaque pixels need no special case.
void blendRow(quint32 *dst, const quint32 *src, int n)
{
    int i = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(0x00ff00ff);
    const __m128i half = _mm_set1_epi16(0x80);
    const __m128i full = _mm_set1_epi32(255);
    for (; i + 4 <= n; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i *>(src + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i *>(dst + i));
        __m128i a = _mm_sub_epi32(full, _mm_srli_epi32(s, 24));
        a = _mm_or_si128(a, _mm_slli_epi32(a, 16));
        __m128i even = _mm_mullo_epi16(_mm_and_si128(d, mask), a);
        even = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(even, _mm_srli_epi16(even, 8)), half), 8);
        __m128i odd = _mm_mullo_epi16(_mm_and_si128(_mm_srli_epi32(d, 8), mask), a);
        odd = _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(odd, _mm_srli_epi16(odd, 8)), half), 8);
        const __m128i blended = _mm_or_si128(even, _mm_slli_epi16(odd, 8));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(dst + i), _mm_add_epi32(s, blended));
    }
#endif
    for (; i < n; ++i)
        dst[i] = src[i] + byteMul(dst[i], 255 - (src[i] >> 24));
}

} // namespace

QColor toQColor(ColorRef color)
{
    return QColor(redOf(color), greenOf(color), blueOf(color));
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
    // A copy: the argument may be one of the two fonts swapped below (selectCanvasFont passes
    // m_canvasFont).
    const CanvasFont font = chosen;
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
    const int x0 = x + glyph.offset.x();
    const int y0 = y + glyph.offset.y();
    const int w = glyph.width;
    const int left = std::max(0, -x0), right = std::min(w, m_image->width() - x0);
    const int top = std::max(0, -y0), bottom = std::min(glyph.height, m_image->height() - y0);
    if (left >= right || top >= bottom)
        return;
    const qsizetype stride = m_bytesPerLine;
    // The rows lie far apart in the picture: asking for all of them first lets their loads
    // overlap instead of waiting row by row.
    for (int row = top; row < bottom; ++row)
        __builtin_prefetch(m_bits + (y0 + row) * stride + (x0 + left) * 4, 1);
    for (int row = top; row < bottom; ++row) {
        const auto [first, end] = glyph.rows[static_cast<std::size_t>(row)];
        const int from = std::max(left, first), to = std::min(right, end);
        if (from >= to)
            continue;
        const quint32 *src = glyph.pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(w);
        quint32 *dst = reinterpret_cast<quint32 *>(m_bits + (y0 + row) * stride) + x0;
        blendRow(dst + from, src + from, to - from);
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
    if (m_raster && single && !m_opaqueText && escapement == 0) {
        if (const Glyph *glyph = glyphFor(text, text[0].unicode())) {
            compositeGlyph(x, y, *glyph);
            return;
        }
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
    m_painter.setPen(toQColor(m_textColor));
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

#pragma once

#include "render/canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <map>
#include <memory>
#include <utility>
#include <vector>

class QPaintDevice;

namespace quarvel {

class GlyphBlender;

// The canvas over QPainter: one implementation for images, SVG and PDF. Fonts are sized in the
// target's own pixels from the resolution given here. On a QImage of Format_ARGB32_Premultiplied
// or Format_RGB32 (where the raster operations NOT-XOR and AND are exact) a one-character text
// drawn without background or rotation is rasterised once per font, character and colour and then
// composited, which gives the same pixels far faster when a diagram holds many samples. Images of
// any other format are drawn through QPainter alone.
class QPainterCanvas : public Canvas
{
public:
    // Draws on device; `image` is the same device when it is a QImage (enables the raster paths).
    QPainterCanvas(QPaintDevice *device, int dpi, QImage *image = nullptr);
    explicit QPainterCanvas(QImage &image, int dpi = 96);
    ~QPainterCanvas() override;

    QPainter &painter() { return m_painter; }
    QImage *image() { return m_image; }

    QRect clipRect() const override { return m_clip; }
    int pixelsPerInch() const override { return m_dpi; }
    std::unique_ptr<Canvas> createBitmap(int width, int height) override;

    void setPenWidth(int width) override;
    void setPenColor(ColorRef color) override;
    void setPenStyle(PenStyle style) override;
    void setPenMode(PenMode mode) override;
    void setBrushColor(ColorRef color) override;
    void setBrushStyle(BrushStyle style) override;

    void fillRect(const QRect &rect) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void polyline(std::span<const IntPoint> points) override;
    void polygon(std::span<const IntPoint> points) override;
    void bezier(std::span<const IntPoint, 4> points) override;
    void ellipse(int left, int top, int right, int bottom) override;

    void setFont(const CanvasFont &font) override;
    const CanvasFont &font() const override { return m_canvasFont; }
    void selectCreatedFont(const CreatedFont &font) override;
    void selectCanvasFont() override;
    void setTextColor(ColorRef color) override;
    void setTextBackground(bool opaque) override { m_opaqueText = opaque; }
    void textOut(int x, int y, QStringView text) override;
    int textWidth(QStringView text) override;
    int textHeight(QStringView text) override;

    void setCopyMode(CopyMode mode) override { m_copyMode = mode; }
    void copyRect(const QRect &dest, Canvas &source, const QRect &sourceRect) override;

    void beginSymbols() override;
    void endSymbols() override;
    // Threads that blend the symbols of one batch (the default: one per core); the pixels do not
    // depend on it.
    void setDrawingThreads(int threads);

private:
    static constexpr int kLargestCachedGlyph = 1024; // pixels, either side
    struct FontKey
    {
        QString face;
        int pixelSize = 0;
        int escapement = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikeOut = false;
        bool operator==(const FontKey &) const = default;
    };
    // A rasterised one-character text, cropped to its ink: premultiplied pixels, row by row.
    struct Glyph
    {
        std::vector<quint32> pixels;
        // Per row, the run of four-pixel groups that hold ink: [first, end) in pixels.
        std::vector<std::pair<int, int>> rows;
        int width = 0;
        int height = 0;
        QPoint offset; // of the ink's top-left from the text cell's top-left
    };
    struct FontEntry
    {
        FontKey key;
        QFont font;
        QFontMetrics metrics;
        int ascent = 0;
        int height = 0;
        // The face is a symbol font that is not installed: characters go through the Wingdings
        // table and are drawn with fonts that have those shapes.
        bool mapsSymbols = false;
        QHash<char32_t, int> widths;
        QHash<quint64, Glyph> glyphs;
    };

    void applyPen();
    FontEntry *entryFor(const FontKey &key);
    QString shownText(QStringView text) const;
    QPoint inkShift(QStringView text); // cached inkCentringShift of a substitute symbol
    const Glyph *glyphFor(QStringView shown, char32_t code); // null when too large to cache
    void compositeGlyph(int x, int y, const Glyph &glyph);
    void flushSymbols();

    QPainter m_painter;
    QImage *m_image = nullptr;
    bool m_raster = false; // m_image has 32-bit pixels that the raster paths may write
    uchar *m_bits = nullptr;
    qsizetype m_bytesPerLine = 0;
    std::unique_ptr<GlyphBlender> m_blender; // on 32-bit images only
    int m_symbolBatch = 0;
    std::unique_ptr<QImage> m_ownImage;
    int m_dpi = 96;
    QRect m_clip;

    QPen m_pen;
    int m_penWidth = 1;
    ColorRef m_penColor = 0;
    PenStyle m_penStyle = PenStyle::Solid;
    PenMode m_penMode = PenMode::Copy;
    ColorRef m_brushColor = 0xFFFFFF;
    BrushStyle m_brushStyle = BrushStyle::Solid;
    QPoint m_position;

    CanvasFont m_canvasFont;
    FontEntry *m_canvasEntry = nullptr;
    CanvasFont m_otherFont;
    FontEntry *m_otherEntry = nullptr;
    FontEntry *m_font = nullptr;
    bool m_created = false;
    ColorRef m_textColor = 0;
    bool m_opaqueText = true;
    CopyMode m_copyMode = CopyMode::Copy;
    std::vector<std::unique_ptr<FontEntry>> m_fonts;
    std::map<std::pair<const FontEntry *, char32_t>, QPoint> m_inkShifts;
};

QColor toQColor(ColorRef color);

// How far a one-character text drawn with `font` must move so that its ink is centred in its
// text cell (advance x height). The substitute fonts of an uninstalled symbol face draw their
// shapes elsewhere in the cell than the symbol font did, which centred them; the canvas moves
// such symbols by this, and so can any other place that draws them (the groups panel).
QPoint inkCentringShift(const QFont &font, const QString &shown);

} // namespace quarvel

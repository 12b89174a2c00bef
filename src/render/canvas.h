#pragma once

#include "core/color_table.h"
#include "core/diagram_frame.h"

#include <cstdint>
#include <memory>
#include <span>

#include <QRect>
#include <QString>
#include <QStringView>

namespace quarvel {

enum class PenStyle { Solid, Dash, Dot, DashDot, Clear };
// NotXor: each pixel becomes NOT(pen XOR pixel), so drawing a mark twice removes it.
enum class PenMode { Copy, NotXor };
enum class BrushStyle { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };
// And: result = source AND destination, so white in the source leaves the picture unchanged.
enum class CopyMode { Copy, And };

// The canvas's own font: size in points, turned into pixels with the canvas's resolution.
struct CanvasFont
{
    QString face;
    std::int32_t size = 9;
    std::uint8_t charset = 1;
    std::int16_t style = 0; // 8 bold, 4 italic, 2 underline, 1 strike-out
    ColorRef color = 0;
    bool operator==(const CanvasFont &) const = default;
};

// A font made for one drawing step. A negative height is the height of the characters in pixels;
// escapement and orientation are tenths of a degree counterclockwise. Without bold the font
// system's default weight is used.
struct CreatedFont
{
    std::int32_t height = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charset = 1;
    QString face;
};

// The drawing surface of the renderer and the legend, in the terms they are written in: a current
// position, a pen, a brush, a selected font, a text colour and background. Coordinates are
// integer pixels with y downwards. Implementations: QPainterCanvas (images, SVG, PDF) and
// RecordingCanvas (tests).
class Canvas
{
public:
    virtual ~Canvas() = default;

    virtual QRect clipRect() const = 0;
    virtual int pixelsPerInch() const = 0;
    // An off-screen bitmap of the same kind and resolution, white, for symbols copied with AND.
    virtual std::unique_ptr<Canvas> createBitmap(int width, int height) = 0;

    virtual void setPenWidth(int width) = 0;
    virtual void setPenColor(ColorRef color) = 0;
    virtual void setPenStyle(PenStyle style) = 0;
    virtual void setPenMode(PenMode mode) = 0;
    virtual void setBrushColor(ColorRef color) = 0;
    virtual void setBrushStyle(BrushStyle style) = 0;

    virtual void fillRect(const QRect &rect) = 0;
    virtual void moveTo(int x, int y) = 0;
    // Draws from the current position to (x, y), without the end pixel, and moves there.
    virtual void lineTo(int x, int y) = 0;
    virtual void polyline(std::span<const IntPoint> points) = 0;
    virtual void polygon(std::span<const IntPoint> points) = 0;
    // Start, two control points, end.
    virtual void bezier(std::span<const IntPoint, 4> points) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;

    // Selects the canvas's own font; its colour becomes the text colour.
    virtual void setFont(const CanvasFont &font) = 0;
    virtual const CanvasFont &font() const = 0;
    // Selects a created font until the canvas font is selected again.
    virtual void selectCreatedFont(const CreatedFont &font) = 0;
    virtual void selectCanvasFont() = 0;
    virtual void setTextColor(ColorRef color) = 0;
    // Opaque fills the text cell with the brush colour.
    virtual void setTextBackground(bool opaque) = 0;
    // Draws text with the top-left corner of its cell at (x, y), in the font's own rotated frame.
    virtual void textOut(int x, int y, QStringView text) = 0;
    // Size of the text's cell, along and across its baseline.
    virtual int textWidth(QStringView text) = 0;
    virtual int textHeight(QStringView text) = 0;

    virtual void setCopyMode(CopyMode mode) = 0;
    // Copies source's rectangle onto dest of this canvas with the copy mode.
    virtual void copyRect(const QRect &dest, Canvas &source, const QRect &sourceRect) = 0;

    // Between these two calls the canvas may put off drawing one-character texts and draw them
    // together, in the same order, by the end call; nothing but texts and copies is drawn in
    // between. Pairs may nest.
    virtual void beginSymbols() {}
    virtual void endSymbols() {}

    // Helpers over the primitives.
    void line(int x1, int y1, int x2, int y2)
    {
        moveTo(x1, y1);
        lineTo(x2, y2);
    }
};

// Pixel height of a font of `points` points on a canvas of `dpi`, rounded half away from zero:
// the one conversion of every font of the diagram, canvas fonts and created fonts alike.
inline int fontPixelHeight(std::int32_t points, int dpi)
{
    const double pixels = static_cast<double>(points) * dpi / 72;
    return truncated((pixels < 0 ? -pixels : pixels) + 0.5);
}

} // namespace quarvel

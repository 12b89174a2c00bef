#pragma once

#include "render/canvas.h"

#include <memory>
#include <vector>

namespace quarvel {

// A canvas that keeps every call with its arguments, for tests that check what was drawn where.
// Text is measured without a font system: a font of pixel height h gives cells h high and
// h / 2 wide per character, so expected positions can be computed by hand.
class RecordingCanvas : public Canvas
{
public:
    enum class Op {
        PenWidth, PenColor, PenStyle, PenMode, BrushColor, BrushStyle,
        FillRect, MoveTo, LineTo, Polyline, Polygon, Bezier, Ellipse,
        Font, CreatedFont, CanvasFontSelected, TextColor, TextBackground, TextOut,
        CopyMode, CopyRect
    };
    struct Call
    {
        Op op;
        std::vector<int> args; // coordinates, or the one value set
        QString text;          // TextOut text, font faces
        // State at a TextOut or line: pen (width, colour, style) and text (colour, escapement,
        // pixel height, opaque).
        int penWidth = 0;
        ColorRef penColor = 0;
        PenStyle penStyle = PenStyle::Solid;
        ColorRef textColor = 0;
        int escapement = 0;
        int fontHeight = 0;
        bool opaque = true;
    };

    explicit RecordingCanvas(int width = 800, int height = 600, int dpi = 96);

    const std::vector<Call> &calls() const { return m_calls; }
    std::vector<Call> callsOf(Op op) const;
    // Texts drawn, in order.
    std::vector<Call> texts() const { return callsOf(Op::TextOut); }
    // The line segments drawn by moveTo/lineTo, as x1, y1, x2, y2 with the pen at the time.
    std::vector<Call> segments() const { return segmentsOf(m_calls); }
    static std::vector<Call> segmentsOf(const std::vector<Call> &calls);
    // The off-screen bitmaps made by createBitmap, in order.
    const std::vector<RecordingCanvas *> &bitmaps() const { return m_bitmaps; }
    void clear() { m_calls.clear(); }

    QRect clipRect() const override { return QRect(0, 0, m_width, m_height); }
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
    void setTextBackground(bool opaque) override;
    void textOut(int x, int y, QStringView text) override;
    int textWidth(QStringView text) override;
    int textHeight(QStringView text) override;

    void setCopyMode(CopyMode mode) override;
    void copyRect(const QRect &dest, Canvas &source, const QRect &sourceRect) override;

private:
    Call &record(Op op, std::vector<int> args = {}, QString text = {});
    int fontHeight() const;

    int m_width, m_height, m_dpi;
    std::vector<Call> m_calls;
    std::vector<std::unique_ptr<RecordingCanvas>> m_ownedBitmaps;
    std::vector<RecordingCanvas *> m_bitmaps;
    int m_penWidth = 1;
    ColorRef m_penColor = 0;
    PenStyle m_penStyle = PenStyle::Solid;
    IntPoint m_position;
    CanvasFont m_canvasFont;
    bool m_created = false;
    CreatedFont m_createdFont;
    ColorRef m_textColor = 0;
    bool m_opaque = true;
};

} // namespace quarvel

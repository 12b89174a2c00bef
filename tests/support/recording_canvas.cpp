#include "support/recording_canvas.h"

namespace quarvel {

RecordingCanvas::RecordingCanvas(int width, int height, int dpi) : m_width(width), m_height(height), m_dpi(dpi)
{
    m_canvasFont.face = QStringLiteral("Arial");
}

std::vector<RecordingCanvas::Call> RecordingCanvas::callsOf(Op op) const
{
    std::vector<Call> found;
    for (const Call &call : m_calls) {
        if (call.op == op)
            found.push_back(call);
    }
    return found;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::segmentsOf(const std::vector<Call> &calls)
{
    std::vector<Call> found;
    IntPoint at;
    for (const Call &call : calls) {
        if (call.op == Op::MoveTo) {
            at = {call.args[0], call.args[1]};
        } else if (call.op == Op::LineTo) {
            Call segment = call;
            segment.args = {at.x, at.y, call.args[0], call.args[1]};
            found.push_back(segment);
            at = {call.args[0], call.args[1]};
        }
    }
    return found;
}

std::unique_ptr<Canvas> RecordingCanvas::createBitmap(int width, int height)
{
    auto bitmap = std::make_unique<RecordingCanvas>(width, height, m_dpi);
    m_bitmaps.push_back(bitmap.get());
    // The recording outlives the renderer that draws on the bitmap, so the caller gets a handle
    // that forwards to a canvas kept here.
    RecordingCanvas *raw = bitmap.get();
    m_ownedBitmaps.push_back(std::move(bitmap));
    struct Handle : Canvas
    {
        RecordingCanvas *target;
        explicit Handle(RecordingCanvas *t) : target(t) {}
        QRect clipRect() const override { return target->clipRect(); }
        int pixelsPerInch() const override { return target->pixelsPerInch(); }
        std::unique_ptr<Canvas> createBitmap(int w, int h) override { return target->createBitmap(w, h); }
        void setPenWidth(int v) override { target->setPenWidth(v); }
        void setPenColor(ColorRef v) override { target->setPenColor(v); }
        void setPenStyle(PenStyle v) override { target->setPenStyle(v); }
        void setPenMode(PenMode v) override { target->setPenMode(v); }
        void setBrushColor(ColorRef v) override { target->setBrushColor(v); }
        void setBrushStyle(BrushStyle v) override { target->setBrushStyle(v); }
        void fillRect(const QRect &r) override { target->fillRect(r); }
        void moveTo(int x, int y) override { target->moveTo(x, y); }
        void lineTo(int x, int y) override { target->lineTo(x, y); }
        void polyline(std::span<const IntPoint> p) override { target->polyline(p); }
        void polygon(std::span<const IntPoint> p) override { target->polygon(p); }
        void bezier(std::span<const IntPoint, 4> p) override { target->bezier(p); }
        void ellipse(int l, int t, int r, int b) override { target->ellipse(l, t, r, b); }
        void setFont(const CanvasFont &f) override { target->setFont(f); }
        const CanvasFont &font() const override { return target->font(); }
        void selectCreatedFont(const CreatedFont &f) override { target->selectCreatedFont(f); }
        void selectCanvasFont() override { target->selectCanvasFont(); }
        void setTextColor(ColorRef c) override { target->setTextColor(c); }
        void setTextBackground(bool o) override { target->setTextBackground(o); }
        void textOut(int x, int y, QStringView t) override { target->textOut(x, y, t); }
        int textWidth(QStringView t) override { return target->textWidth(t); }
        int textHeight(QStringView t) override { return target->textHeight(t); }
        void setCopyMode(CopyMode m) override { target->setCopyMode(m); }
        void copyRect(const QRect &d, Canvas &s, const QRect &r) override { target->copyRect(d, s, r); }
    };
    return std::make_unique<Handle>(raw);
}

RecordingCanvas::Call &RecordingCanvas::record(Op op, std::vector<int> args, QString text)
{
    Call call;
    call.op = op;
    call.args = std::move(args);
    call.text = std::move(text);
    call.penWidth = m_penWidth;
    call.penColor = m_penColor;
    call.penStyle = m_penStyle;
    call.textColor = m_textColor;
    call.escapement = m_created ? m_createdFont.escapement : 0;
    call.fontHeight = fontHeight();
    call.opaque = m_opaque;
    m_calls.push_back(std::move(call));
    return m_calls.back();
}

int RecordingCanvas::fontHeight() const
{
    return m_created ? std::abs(m_createdFont.height) : fontPixelHeight(m_canvasFont.size, m_dpi);
}

void RecordingCanvas::setPenWidth(int width)
{
    m_penWidth = width;
    record(Op::PenWidth, {width});
}

void RecordingCanvas::setPenColor(ColorRef color)
{
    m_penColor = color;
    record(Op::PenColor, {color});
}

void RecordingCanvas::setPenStyle(PenStyle style)
{
    m_penStyle = style;
    record(Op::PenStyle, {static_cast<int>(style)});
}

void RecordingCanvas::setPenMode(PenMode mode)
{
    record(Op::PenMode, {static_cast<int>(mode)});
}

void RecordingCanvas::setBrushColor(ColorRef color)
{
    record(Op::BrushColor, {color});
}

void RecordingCanvas::setBrushStyle(BrushStyle style)
{
    record(Op::BrushStyle, {static_cast<int>(style)});
}

void RecordingCanvas::fillRect(const QRect &rect)
{
    record(Op::FillRect, {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1});
}

void RecordingCanvas::moveTo(int x, int y)
{
    m_position = {x, y};
    record(Op::MoveTo, {x, y});
}

void RecordingCanvas::lineTo(int x, int y)
{
    m_position = {x, y};
    record(Op::LineTo, {x, y});
}

namespace {

std::vector<int> flatten(std::span<const IntPoint> points)
{
    std::vector<int> args;
    for (const IntPoint &p : points) {
        args.push_back(p.x);
        args.push_back(p.y);
    }
    return args;
}

} // namespace

void RecordingCanvas::polyline(std::span<const IntPoint> points)
{
    record(Op::Polyline, flatten(points));
}

void RecordingCanvas::polygon(std::span<const IntPoint> points)
{
    record(Op::Polygon, flatten(points));
}

void RecordingCanvas::bezier(std::span<const IntPoint, 4> points)
{
    record(Op::Bezier, flatten(points));
}

void RecordingCanvas::ellipse(int left, int top, int right, int bottom)
{
    record(Op::Ellipse, {left, top, right, bottom});
}

void RecordingCanvas::setFont(const CanvasFont &font)
{
    m_canvasFont = font;
    m_created = false;
    m_textColor = font.color;
    record(Op::Font, {font.size, font.charset, font.style, font.color}, font.face);
}

void RecordingCanvas::selectCreatedFont(const CreatedFont &font)
{
    m_createdFont = font;
    m_created = true;
    record(Op::CreatedFont,
           {font.height, font.escapement, font.orientation, font.italic, font.underline, font.strikeOut, font.charset,
            font.bold},
           font.face);
}

void RecordingCanvas::selectCanvasFont()
{
    m_created = false;
    m_textColor = m_canvasFont.color;
    record(Op::CanvasFontSelected);
}

void RecordingCanvas::setTextColor(ColorRef color)
{
    m_textColor = color;
    record(Op::TextColor, {color});
}

void RecordingCanvas::setTextBackground(bool opaque)
{
    m_opaque = opaque;
    record(Op::TextBackground, {opaque});
}

void RecordingCanvas::textOut(int x, int y, QStringView text)
{
    record(Op::TextOut, {x, y}, text.toString());
}

int RecordingCanvas::textWidth(QStringView text)
{
    return static_cast<int>(text.size()) * (fontHeight() / 2);
}

int RecordingCanvas::textHeight(QStringView)
{
    return fontHeight();
}

void RecordingCanvas::setCopyMode(CopyMode mode)
{
    record(Op::CopyMode, {static_cast<int>(mode)});
}

void RecordingCanvas::copyRect(const QRect &dest, Canvas &, const QRect &sourceRect)
{
    record(Op::CopyRect, {dest.left(), dest.top(), dest.right() + 1, dest.bottom() + 1, sourceRect.left(),
                          sourceRect.top(), sourceRect.right() + 1, sourceRect.bottom() + 1});
}

} // namespace quarvel

#include "render/diagram_renderer.h"

#include "core/codepage.h"
#include "core/number_format.h"

#include <cmath>

namespace quarvel {

namespace {

float tickFactor(std::int32_t tickLength)
{
    if (tickLength < -2 || tickLength > 8)
        return 1.2f;
    return 1.0f + 0.1f * static_cast<float>(tickLength + 2);
}

const char *numberFormatFor(std::int32_t decimals)
{
    switch (decimals) {
    case 1: return "##0.0";
    case 2: return "##0.00";
    default: return "##0";
    }
}

// A tick or number of a pass: enabled or not, with its clockwise and counterclockwise kind.
template <typename Kind> struct PassStep
{
    bool on = false;
    Kind cw{};
    Kind ccw{};
    Kind of(bool clockwise) const { return clockwise ? cw : ccw; }
};

// The lowest y of a text cell W x H whose top-left corner is at y, turned about that corner by
// the escapement (tenths of a degree counterclockwise).
float textCellBottom(float y, float W, float H, int escapement)
{
    const double angle = escapement / 10.0 * 3.14159265358979323846 / 180;
    const float along = static_cast<float>(-std::sin(angle)) * W; // down the baseline
    const float across = static_cast<float>(std::cos(angle)) * H; // down the cell's left edge
    return y + std::max(0.0f, along) + std::max(0.0f, across);
}

CreatedFont makeFont(const FontSpec &source, int dpi, int escapement)
{
    CreatedFont font;
    font.height = -fontPixelHeight(source.size, dpi);
    font.escapement = escapement;
    font.orientation = escapement;
    // Every style bit the user chose, bold included, as the legend and the sample labels have them.
    font.bold = (source.style & 8) != 0;
    font.italic = (source.style & 4) != 0;
    font.underline = (source.style & 2) != 0;
    font.strikeOut = (source.style & 1) != 0;
    font.charset = source.charset;
    font.face = source.face();
    return font;
}

} // namespace

const QString &symbolText(int code)
{
    static const std::array<QString, 256> texts = [] {
        std::array<QString, 256> all;
        for (int c = 0; c < 256; ++c) {
            const char byte = static_cast<char>(c);
            all[static_cast<std::size_t>(c)] = fromCodePage(std::string_view(&byte, 1));
        }
        return all;
    }();
    return texts[static_cast<std::size_t>(code & 0xFF)];
}

DiagramRenderer::DiagramRenderer(Canvas &canvas, int imageWidth, int imageHeight, const std::vector<VectorLine> &overlay,
                     const DiagramSettings &settings, const DataSettings &dataSettings, DiagramGeometry &geometry,
                     const SampleList &samples, RenderFlags flags, const UserLocale &locale)
    : m_canvas(canvas), m_settings(settings.drawableCopy()), m_dataSettings(dataSettings), m_geometry(geometry), m_flags(flags),
      m_locale(locale)
{
    m_frame.diamond = isDiamond(settings);
    m_frame.clockwise = cw();
    m_symbolBitmap = canvas.createBitmap(200, 200);
    m_canvas.fillRect(m_canvas.clipRect());
    m_numberMaxHeight = m_numberMaxWidth = 5;
    layoutFrame(imageWidth, imageHeight);
    createFonts();
    m_frame.placeVertices();
    m_frame.copyClip(m_geometry);

    m_canvas.setPenWidth(m_flags.thinPenWidth);
    m_canvas.setPenColor(0);
    m_canvas.setPenStyle(PenStyle::Dot);

    m_divisions = m_settings.axisDivisions;
    m_stepX = m_frame.side / (2.0f * static_cast<float>(m_divisions));
    m_stepY = m_frame.side * std::sqrt(3.0f / std::pow(2.0f * static_cast<float>(m_divisions), 2.0f));
    const float f = tickFactor(m_settings.tickLength);
    m_tickX = 0.01f * m_frame.side * f * 0.5f;
    m_tickY = 0.01f * m_frame.side * f * kSin60;
    m_axisNumberFormat = numberFormatFor(m_settings.numberDecimals);

    drawPasses();

    m_canvas.setPenStyle(PenStyle::Solid);
    m_canvas.setPenColor(0);
    m_canvas.setPenWidth(m_settings.borderWidth >= 0 && m_settings.borderWidth <= 3 ? m_settings.borderWidth
                                                                                    : m_flags.thinPenWidth);
    m_canvas.setPenMode(PenMode::Copy);
    drawOutline();

    if (m_settings.drawAxisLabels)
        drawAxisTitles();
    if (m_settings.hideOverlay == 0 && !overlay.empty())
        drawOverlay(overlay);
    m_canvas.selectCanvasFont();
    if (m_settings.hidePoints == 0)
        drawSamples(samples);
}

void DiagramRenderer::layoutFrame(int imageWidth, int imageHeight)
{
    if (m_settings.adjustToWindow) {
        m_geometry.fitClipToWindow(imageWidth, imageHeight, m_settings);
        m_frame.width = m_geometry.fitSide;
        m_frame.originX = m_geometry.fitLeftX;
        m_frame.originY = m_geometry.fitTopY;
        m_frame.side = m_geometry.fitWidth;
        m_frame.height = m_geometry.fitHeight;
    } else {
        const DiagramPlacement p = placeDiagram(imageWidth, imageHeight, m_settings);
        m_frame.width = m_frame.side = p.side;
        m_frame.height = p.height;
        m_frame.originX = p.originX;
        m_frame.originY = p.originY;
    }
}

void DiagramRenderer::createFonts()
{
    const int dpi = m_canvas.pixelsPerInch();
    const bool centred = m_settings.axisLabelsCentered != 0;
    const bool aligned = m_settings.numbersAligned != 0;
    const std::array<int, 3> labelAngles = centred ? std::array<int, 3>{0, 600, 3000} : std::array<int, 3>{0, 0, 0};
    const std::array<int, 4> numberAngles =
        aligned ? std::array<int, 4>{0, 600, 3000, 3000} : std::array<int, 4>{0, 0, 0, 0};
    for (std::size_t i = 0; i < 3; ++i)
        m_labelFonts[i] = makeFont(m_settings.axisLabelFont, dpi, labelAngles[i]);
    for (std::size_t i = 0; i < 4; ++i)
        m_numberFonts[i] = makeFont(m_settings.numberFont, dpi, numberAngles[i]);
}

void DiagramRenderer::drawPasses()
{
    // The options offer 2 to 20 divisions; a damaged file must not make a drawing endless.
    if (m_divisions < 1 || m_divisions > kMaxDivisions)
        return;
    drawPass(Pass::A);
    drawPass(Pass::B);
    drawPass(Pass::C);
    if (m_frame.diamond) {
        drawPass(Pass::D);
        drawPass(Pass::E);
        drawPass(Pass::F);
    }
}

void DiagramRenderer::drawPass(Pass pass)
{
    const int n = m_divisions;
    const float dX = m_stepX;
    const float dY = m_stepY;
    const bool clockwise = cw();
    const bool diamond = m_frame.diamond;
    const DiagramFrame &f = m_frame;
    const DiagramSettings &s = m_settings;
    const bool both = s.ticksBothSides != 0;

    int first = clockwise ? 0 : 1;
    int last = clockwise ? n - 1 : n;
    if (pass == Pass::D)
        first = 1, last = clockwise ? n - 1 : n;
    else if (pass == Pass::E)
        first = clockwise ? 1 : 0, last = n - 1;
    else if (pass == Pass::F)
        first = 1, last = clockwise ? n : n - 1;

    // Per pass: the tick at P, the number at P and the tick at Q.
    using T = Tick;
    using N = NumberKind;
    PassStep<Tick> tickP, tickQ;
    PassStep<NumberKind> number;
    switch (pass) {
    case Pass::A:
        tickP = {s.ticksLeft != 0, T::Left, T::UpLeft};
        number = {s.numbersLeft != 0, N::LeftSide, N::LeftSideCcw};
        tickQ = {s.ticksLeft && both, T::Right, T::UpRight};
        break;
    case Pass::B:
        tickP = {s.ticksRight != 0, T::UpRight, T::Right};
        number = {s.numbersRight != 0, N::RightSide, N::RightSideCcw};
        tickQ = {!diamond && s.ticksRight && both, T::DownLeft, T::DownRight};
        break;
    case Pass::C:
        tickP = {!diamond && s.ticksBottom, T::DownRight, T::DownLeft};
        number = {!diamond && s.numbersBottom, N::Base, N::BaseCcw};
        tickQ = {s.ticksBottom && both, T::UpLeft, T::Left};
        break;
    case Pass::D:
        tickQ = {s.ticksBottom && both, T::DownLeft, T::Left};
        break;
    case Pass::E:
        tickP = {s.ticksRight != 0, T::DownRight, T::Right};
        number = {s.numbersRight != 0, N::LowerRightSide, N::LowerRightSideCcw};
        break;
    case Pass::F:
        tickP = {s.ticksLeft != 0, T::Left, T::DownLeft};
        number = {s.numbersLeft != 0, N::LeftSide, N::LowerLeftSideCcw};
        tickQ = {s.ticksLeft && both, T::Right, T::DownRight};
        break;
    }

    for (int i = first; i <= last; ++i) {
        const float fi = static_cast<float>(i);
        const float fr = static_cast<float>(n - i);
        PointF p, q;
        switch (pass) {
        case Pass::A: p = {f.apexX - fi * dX, f.apexY + fi * dY}; q = {f.apexX + fi * dX, f.apexY + fi * dY}; break;
        case Pass::B: p = {f.rightX - fi * dX, f.rightY - fi * dY}; q = {f.rightX - 2 * fi * dX, f.rightY}; break;
        case Pass::C: p = {f.leftX + 2 * fi * dX, f.leftY}; q = {f.leftX + fi * dX, f.leftY - fi * dY}; break;
        case Pass::D: p = {f.rightX - 2 * fi * dX, f.rightY}; q = {f.leftX + fr * dX, f.leftY + fr * dY}; break;
        case Pass::E: p = {f.lowerX + fi * dX, f.lowerY - fi * dY}; q = {f.leftX + 2 * fi * dX, f.leftY}; break;
        case Pass::F: p = {f.leftX + fi * dX, f.leftY + fi * dY}; q = {f.rightX - fi * dX, f.rightY + fi * dY}; break;
        }
        const IntPoint pi{truncated(p.x), truncated(p.y)};
        const IntPoint qi{truncated(q.x), truncated(q.y)};
        const int numberIndex = (pass == Pass::E || pass == Pass::F) ? n - i : i;
        if (tickP.on)
            drawTick(pi, tickP.of(clockwise));
        if (number.on)
            drawNumber(pi, number.of(clockwise), numberIndex);
        m_canvas.moveTo(pi.x, pi.y);
        if (s.drawGrid && i > 0 && s.innerTicks == 0)
            drawGridLine(pi, qi);
        if (tickQ.on)
            drawTick(qi, tickQ.of(clockwise));
    }
}

void DiagramRenderer::drawGridLine(IntPoint p, IntPoint q)
{
    m_canvas.setPenStyle(PenStyle::Dot);
    m_canvas.setPenColor(m_settings.gridColor);
    if (full()) {
        m_canvas.lineTo(q.x, q.y);
    } else {
        const PointPair piece = m_frame.clipSegment({float(q.x), float(q.y)}, {float(p.x), float(p.y)});
        if (piece.count == 2)
            m_canvas.line(truncated(piece.points[0].x), truncated(piece.points[0].y), truncated(piece.points[1].x),
                          truncated(piece.points[1].y));
    }
    m_canvas.setPenColor(0);
}

void DiagramRenderer::drawTick(IntPoint at, Tick tick)
{
    const float x = static_cast<float>(at.x);
    const float y = static_cast<float>(at.y);
    const float tX = m_tickX;
    const float tY = m_tickY;
    const bool inward = m_settings.innerTicks != 0;
    PointF end;
    // Horizontal ticks are twice as long in x, so that every tick has the same length.
    switch (tick) {
    case Tick::Left: end = inward ? PointF{x + 2 * tX, y} : PointF{x - 2 * tX, y}; break;
    case Tick::Right: end = inward ? PointF{x - 2 * tX, y} : PointF{x + 2 * tX, y}; break;
    case Tick::UpRight: end = inward ? PointF{x - tX, y + tY} : PointF{x + tX, y - tY}; break;
    case Tick::DownLeft: end = inward ? PointF{x + tX, y - tY} : PointF{x - tX, y + tY}; break;
    case Tick::DownRight: end = inward ? PointF{x - tX, y - tY} : PointF{x + tX, y + tY}; break;
    case Tick::UpLeft: end = inward ? PointF{x + tX, y + tY} : PointF{x - tX, y - tY}; break;
    }
    m_canvas.setPenStyle(PenStyle::Solid);
    m_canvas.moveTo(at.x, at.y);
    if (visibleAt(x, y))
        m_canvas.lineTo(truncated(end.x), truncated(end.y));
}

void DiagramRenderer::drawNumber(IntPoint at, NumberKind kind, int index)
{
    const double n = m_divisions;
    const double value = cw() ? 100 - index * 100 / n : index * 100 / n;
    const QString text = formatFloat(m_axisNumberFormat, value, m_locale);

    // The font follows the grid lines of the axis the number reads: horizontal, +60 or -60 degrees.
    std::size_t font = 0;
    switch (kind) {
    case NumberKind::RightSide: case NumberKind::BaseCcw: case NumberKind::LowerLeftSideCcw: font = 1; break;
    case NumberKind::Base: case NumberKind::LeftSideCcw: font = 2; break;
    case NumberKind::LowerRightSide: font = 3; break;
    case NumberKind::LeftSide: case NumberKind::RightSideCcw: case NumberKind::LowerRightSideCcw: font = 0; break;
    }
    m_canvas.selectCreatedFont(m_numberFonts[font]);
    const float W = static_cast<float>(m_canvas.textWidth(text));
    const float H = static_cast<float>(m_canvas.textHeight(text));
    m_numberMaxWidth = std::max(m_numberMaxWidth, W);
    m_numberMaxHeight = std::max(m_numberMaxHeight, H);

    const float x = static_cast<float>(at.x);
    const float y = static_cast<float>(at.y);
    const float tX = m_tickX, tY = m_tickY, s = kSin60, c = kCos60;
    const bool aligned = m_settings.numbersAligned != 0;
    PointF pos;
    switch (kind) {
    case NumberKind::LeftSide: pos = {x - 2 * tX - 1.1f * W, y - 0.5f * H}; break;
    case NumberKind::RightSide:
        pos = aligned ? PointF{x + tX - 0.5f * H * s, y - tY - 0.5f * H * c} : PointF{x + tX, y - tY - H};
        break;
    case NumberKind::Base:
        pos = aligned ? PointF{x + tX + 0.5f * H * s, y + 1.1f * tY - 0.5f * H * c} : PointF{x + tX, y + 1.1f * tY};
        break;
    case NumberKind::LowerRightSide: pos = aligned ? PointF{x + tX + 0.5f * H * s, y + tY} : PointF{x + tX, y + tY}; break;
    case NumberKind::LeftSideCcw:
        pos = aligned ? PointF{x - tX - 1.1f * W * c + 0.5f * H * c, y - tY - 1.1f * W * s - 0.5f * H * c}
                      : PointF{x - tX - W, y - tY - H};
        break;
    case NumberKind::RightSideCcw: pos = {x + 2.5f * tX, y - 0.5f * H}; break;
    case NumberKind::BaseCcw:
        pos = aligned ? PointF{x - 2.5f * tX - 0.5f * H * s, y + 2 * tY + 0.5f * W * s}
                      : PointF{x - 2.5f * tX - 0.5f * H * s, y + 1.1f * tY};
        break;
    case NumberKind::LowerRightSideCcw: pos = {x + tX + 0.5f * H * s, y - std::floor(0.5f * H)}; break;
    case NumberKind::LowerLeftSideCcw:
        pos = aligned ? PointF{x - tX - 1.5f * W * s, y + tY + 1.5f * W * c} : PointF{x - tX - W, y + 1.5f * tY};
        break;
    }
    if (kind == NumberKind::Base || kind == NumberKind::BaseCcw) {
        const float bottom = textCellBottom(static_cast<float>(truncated(pos.y)), W, H, m_numberFonts[font].escapement);
        m_baseNumbersBottom = std::max(m_baseNumbersBottom, bottom);
    }
    if (visibleAt(x, y)) {
        m_canvas.setTextColor(m_settings.numberFont.color);
        m_canvas.textOut(truncated(pos.x), truncated(pos.y), text);
    }
}

} // namespace quarvel

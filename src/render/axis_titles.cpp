// The axis titles, at the vertices ("Extreme") or along the sides ("Center").

#include "render/diagram_renderer.h"

#include <algorithm>
#include <cmath>

namespace quarvel {

namespace {

constexpr float kCos15 = 0.9659258262890683f;

} // namespace

void DiagramRenderer::drawTitle(const QString &text, const CreatedFont &font, const std::function<PointF(float, float)> &place)
{
    m_canvas.selectCreatedFont(font);
    const float w = static_cast<float>(m_canvas.textWidth(text));
    const float h = static_cast<float>(m_canvas.textHeight(text));
    const PointF p = place(w, h);
    const int x = truncated(p.x);
    const int y = truncated(p.y);
    if (visibleAt(static_cast<float>(x), static_cast<float>(y))) {
        m_canvas.setTextColor(m_settings.axisLabelFont.color);
        m_canvas.textOut(x, y, text);
    }
}

void DiagramRenderer::drawAxisTitles()
{
    // Title of each axis: the data column that the settings put on it (a permutation, so each
    // axis has exactly one).
    std::array<QString, 4> titles;
    const std::array<std::int32_t, 4> axisOf = m_settings.axisOfColumns();
    for (int column = 1; column <= 4; ++column)
        titles[static_cast<std::size_t>(axisOf[static_cast<std::size_t>(column - 1)])] = m_dataSettings.title(column);
    const QString &TB = titles[BottomAxis];
    const QString &TL = titles[LeftAxis];
    const QString &TR = titles[RightAxis];
    const QString &TD = titles[DownAxis];

    const DiagramFrame &f = m_frame;
    const bool clockwise = cw();
    const bool diamond = f.diamond;
    const float mW = m_numberMaxWidth, mH = m_numberMaxHeight, tX = m_tickX, tY = m_tickY;
    const float s = kSin60, c = kCos60;
    const CreatedFont &F1 = m_labelFonts[0];
    const CreatedFont &F2 = m_labelFonts[1];
    const CreatedFont &F3 = m_labelFonts[2];
    const bool aligned = m_settings.numbersAligned != 0;
    m_canvas.setTextBackground(true);

    if (!m_settings.axisLabelsCentered) {
        drawTitle(TL, F2, [&](float W, float H) { return PointF{f.apexX - 0.5f * W, f.apexY - 0.5f * mH - 1.2f * H}; });
        drawTitle(clockwise ? TB : TR, F1, [&](float W, float H) {
            if (diamond)
                return PointF{f.leftX - W - mW, f.leftY - 0.5f * H};
            return PointF{f.leftX - 0.5f * W, f.leftY + tY + (aligned ? kCos15 * mW : mH)};
        });
        if (diamond)
            drawTitle(TD, F2, [&](float W, float) { return PointF{f.lowerX - 0.5f * W, f.lowerY + 0.5f * mH}; });
        drawTitle(clockwise ? TR : TB, F3, [&](float W, float H) {
            if (diamond)
                return PointF{f.rightX + mW, f.rightY - 0.5f * H};
            return PointF{f.rightX - 0.5f * W, f.rightY + tY + (aligned ? kCos15 * mW : mH)};
        });
        return;
    }

    drawTitle(clockwise ? TL : TR, F2, [&](float W, float H) {
        return PointF{(f.apexX + f.leftX) / 2 - 0.5f * W * c - H * s - tX - mW,
                      (f.apexY + f.leftY) / 2 + 0.5f * W * s - H * c - tY - mW};
    });
    if (!diamond)
        drawTitle(TB, F1, [&](float W, float) {
            // Turned numbers reach further down than their height: the title goes below them.
            return PointF{(f.leftX + f.rightX) / 2 - 0.5f * W, std::max(f.leftY + tY + mH, m_baseNumbersBottom)};
        });
    drawTitle(clockwise ? TR : TL, F3, [&](float W, float H) {
        return PointF{(f.apexX + f.rightX) / 2 - 0.5f * W * c + H * s + tX + mW,
                      (f.apexY + f.rightY) / 2 - 0.5f * W * s - H * c - tY - mW};
    });
    if (diamond) {
        drawTitle(clockwise ? TD : TR, F3, [&](float W, float H) {
            return PointF{(f.leftX + f.lowerX) / 2 - 0.5f * W * c - H * s - tX - mW,
                          (f.leftY + f.lowerY) / 2 - 0.5f * W * s - H * c + tY + mW};
        });
        drawTitle(clockwise ? TR : TD, F2, [&](float W, float H) {
            return PointF{(f.rightX + f.lowerX) / 2 - 0.5f * W * c + H * s + tX + mW,
                          (f.rightY + f.lowerY) / 2 + 0.5f * W * s - H * c + tY + mW};
        });
    }
}

} // namespace quarvel

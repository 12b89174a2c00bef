#pragma once

#include "core/diagram_frame.h"
#include "core/diagram_geometry.h"
#include "core/samples.h"
#include "core/settings.h"
#include "core/user_locale.h"
#include "core/vector_line.h"
#include "render/canvas.h"

#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace quarvel {

// How a caller wants the diagram drawn.
struct RenderFlags
{
    bool convertSymbols = false; // symbols through the off-screen bitmap, copied with AND
    int thinPenWidth = 0;        // grid lines, ticks and overlay lines of width 1
    bool halfSymbols = false;    // symbols at half their size (the thumbnail)
    // The samples go onto this canvas of the same size instead (a picture the caller lays in).
    Canvas *sampleCanvas = nullptr;
};

// The diagram renderer. Made for one drawing; its construction clears the canvas and draws grid,
// ticks and numbers, the outline, the axis titles, the overlay and the samples, in this order.
// Afterwards the caller may read the frame; the legend is the caller's next step.
class DiagramRenderer
{
public:
    DiagramRenderer(Canvas &canvas, int imageWidth, int imageHeight, const std::vector<VectorLine> &overlay,
              const DiagramSettings &settings, const DataSettings &dataSettings, DiagramGeometry &geometry,
              const SampleList &samples, RenderFlags flags, const UserLocale &locale);

    // More divisions than this (possible only from a damaged file) draw no grid, ticks or numbers.
    static constexpr int kMaxDivisions = 1000;

    const DiagramFrame &frame() const { return m_frame; }
    DrawnFrame drawnFrame() const { return m_frame.drawn(); }
    float numberMaxWidth() const { return m_numberMaxWidth; }
    float numberMaxHeight() const { return m_numberMaxHeight; }
    float tickX() const { return m_tickX; }
    float tickY() const { return m_tickY; }

private:
    enum class Pass { A, B, C, D, E, F };
    // The way a tick points from its point when ticks point outward; inner ticks point back.
    enum class Tick { Left, Right, UpRight, DownLeft, DownRight, UpLeft };
    // Where a number stands beside its point, and in which font, named after the side it serves.
    // Clockwise, the lower-left side of a diamond uses LeftSide: horizontal, left of the point.
    enum class NumberKind {
        LeftSide, RightSide, Base, LowerRightSide,
        LeftSideCcw, RightSideCcw, BaseCcw, LowerRightSideCcw, LowerLeftSideCcw
    };

    void layoutFrame(int imageWidth, int imageHeight);
    void createFonts();
    void drawPasses();
    void drawPass(Pass pass);
    void drawGridLine(IntPoint p, IntPoint q);
    void drawTick(IntPoint at, Tick tick);
    void drawNumber(IntPoint at, NumberKind kind, int index);
    void drawOutline();
    void drawClippingOutline();
    void drawAxisTitles();
    void drawTitle(const QString &text, const CreatedFont &font, const std::function<PointF(float, float)> &place);
    void drawOverlay(const std::vector<VectorLine> &overlay);
    void drawSamples(const SampleList &samples);

    bool full() const { return m_settings.fullTriangle != 0; }
    bool visibleAt(float x, float y) const { return full() || m_frame.insideClip(x, y); }
    bool cw() const { return m_settings.clockwise == 1; }

    Canvas &m_canvas;
    const DiagramSettings m_settings; // the drawable copy
    const DataSettings &m_dataSettings;
    DiagramGeometry &m_geometry;
    RenderFlags m_flags;
    UserLocale m_locale;
    std::unique_ptr<Canvas> m_symbolBitmap;

    DiagramFrame m_frame;
    float m_stepX = 0, m_stepY = 0;
    float m_tickX = 0, m_tickY = 0;
    float m_numberMaxHeight = 5, m_numberMaxWidth = 5;
    // Lowest pixel row reached by the cells of the base's numbers, turned ones included.
    float m_baseNumbersBottom = std::numeric_limits<float>::lowest();
    const char *m_axisNumberFormat = "##0";
    int m_divisions = 10;
    std::array<CreatedFont, 3> m_labelFonts;
    std::array<CreatedFont, 4> m_numberFonts;
};

// The one-character text of a symbol code, as the symbol font receives it.
const QString &symbolText(int code);

} // namespace quarvel

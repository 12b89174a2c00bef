#include "render/legend.h"

#include "render/diagram_renderer.h"

#include <algorithm>
#include <numeric>

namespace quarvel {

namespace {

int ceilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

} // namespace

std::array<int, 4> Legend::distribute(int entries, int columns)
{
    std::array<int, 4> n{};
    switch (columns) {
    case 1:
        n[0] = entries;
        break;
    case 2:
        n[0] = ceilDiv(entries, 2);
        n[1] = entries - n[0];
        break;
    case 3: {
        n[0] = ceilDiv(entries, 3);
        const int r = entries - n[0];
        n[1] = ceilDiv(r, 2);
        n[2] = r - n[1];
        break;
    }
    case 4: {
        n[0] = ceilDiv(entries, 4);
        const int r = entries - n[0];
        n[1] = ceilDiv(r, 3);
        const int r2 = r - n[1];
        n[2] = ceilDiv(r2, 2);
        n[3] = r2 - n[2];
        break;
    }
    default:
        break;
    }
    return n;
}

Legend::Legend(Canvas &canvas, int imageWidth, const DiagramSettings &storedSettings, const GroupList &groups,
                   bool convertSymbols)
{
    const DiagramSettings settings = storedSettings.drawableCopy();
    for (int i = 0; i < groups.size(); ++i) {
        if (groups.group(i).visible)
            m_entries.push_back(i);
    }
    if (m_entries.empty())
        return;

    const int columns = settings.legendColumns;
    const std::array<int, 4> n = distribute(static_cast<int>(m_entries.size()), columns);
    std::unique_ptr<Canvas> bitmap = canvas.createBitmap(100, 100);
    Canvas &symbolCanvas = convertSymbols ? *bitmap : canvas;

    CanvasFont legendFont;
    legendFont.face = settings.legendFont.face();
    legendFont.size = settings.legendFont.size;
    legendFont.charset = settings.legendFont.charset;
    legendFont.style = settings.legendFont.style;
    CanvasFont symbolFont;
    symbolFont.face = settings.symbolFont.face();
    symbolFont.size = settings.legendFont.size;
    symbolFont.charset = 1;

    // Which entries each column holds: the first n[0] to column 0, the next n[1] to column 1, ...
    std::array<int, 5> start{};
    for (std::size_t k = 0; k < 4; ++k)
        start[k + 1] = start[k] + n[k];
    auto entriesOf = [&](std::size_t k) {
        return std::span<const int>(m_entries).subspan(static_cast<std::size_t>(start[k]),
                                                       static_cast<std::size_t>(n[k]));
    };

    std::array<int, 4> nameW{}, symW{}, colW{}, colH{};
    for (std::size_t k = 0; k < 4; ++k) {
        for (int index : entriesOf(k)) {
            canvas.setFont(legendFont);
            nameW[k] = std::max(nameW[k], canvas.textWidth(groups.name(index)));
            symbolFont.color = 0;
            symbolCanvas.setFont(symbolFont);
            symW[k] = std::max(symW[k], symbolCanvas.textWidth(symbolText(groups.group(index).symbol)));
        }
        if (static_cast<int>(k) < columns)
            colW[k] = nameW[k] + symW[k] + 20;
    }
    // A row is as high as the taller of its name and its symbol, whichever way the symbols are
    // drawn, so rows never overlap and the frame can enclose them all.
    std::vector<int> rowHeight(static_cast<std::size_t>(groups.size()), 0);
    for (std::size_t k = 0; k < 4; ++k) {
        for (int index : entriesOf(k)) {
            canvas.setFont(legendFont);
            const int nameHeight = canvas.textHeight(groups.name(index));
            symbolCanvas.setFont(symbolFont);
            const int symbolHeight = symbolCanvas.textHeight(symbolText(groups.group(index).symbol));
            rowHeight[static_cast<std::size_t>(index)] = std::max(nameHeight, symbolHeight);
            colH[k] += rowHeight[static_cast<std::size_t>(index)];
        }
    }
    // The frame keeps two pixels from the rows above and below them.
    constexpr int kFrameMargin = 2;
    const int legendHeight = *std::max_element(colH.begin(), colH.end()) + 2 * kFrameMargin;
    const int framedWidth = std::accumulate(colW.begin(), colW.end(), 0);

    m_legendLeft = truncated(imageWidth * static_cast<double>(settings.legendX));
    m_legendTop = truncated(imageWidth * 0.7692307692307692 * static_cast<double>(settings.legendY));
    m_penX = m_legendLeft;
    m_penY = m_legendTop;
    canvas.setTextBackground(false);
    canvas.setCopyMode(CopyMode::And);

    legendFont.color = settings.legendFont.color;
    for (std::size_t k = 0; k < 4; ++k) {
        const auto entries = entriesOf(k);
        for (int index : entries) {
            const Group &group = groups.group(index);
            const QString &symbol = symbolText(group.symbol);
            canvas.setFont(legendFont);
            const int nameX = settings.symbolsFirst ? m_penX + symW[k] + 10 : m_penX;
            const int symbolX = settings.symbolsFirst ? m_penX : m_penX + nameW[k] + 10;
            canvas.textOut(nameX, m_penY, groups.name(index));
            symbolFont.color = group.color;
            if (convertSymbols) {
                bitmap->setBrushColor(0xFFFFFF);
                bitmap->setBrushStyle(BrushStyle::Solid);
                bitmap->fillRect(QRect(0, 0, 100, 100));
                bitmap->setFont(symbolFont);
                bitmap->textOut(0, 0, symbol);
                canvas.copyRect(QRect(symbolX, m_penY, 100, 100), *bitmap, QRect(0, 0, 100, 100));
            } else {
                canvas.setFont(symbolFont);
                canvas.textOut(symbolX, m_penY, symbol);
            }
            m_penY += rowHeight[static_cast<std::size_t>(index)];
        }
        if (entries.empty())
            continue;
        m_penX += nameW[k] + symW[k] + 20;
        m_penY = m_legendTop;
        CanvasFont black = canvas.font();
        black.color = 0;
        canvas.setFont(black);
        if (settings.legendBorder) {
            canvas.setPenStyle(PenStyle::Solid);
            canvas.setPenWidth(settings.borderWidth);
            const int x0 = m_legendLeft - kFrameMargin, y0 = m_legendTop - kFrameMargin;
            const std::array<IntPoint, 5> frame{IntPoint{x0, y0}, IntPoint{x0 + framedWidth, y0},
                                                IntPoint{x0 + framedWidth, y0 + legendHeight},
                                                IntPoint{x0, y0 + legendHeight}, IntPoint{x0, y0}};
            canvas.polyline(frame);
        }
    }
}

} // namespace quarvel

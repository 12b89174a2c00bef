#pragma once

#include "core/groups.h"
#include "core/settings.h"
#include "render/canvas.h"

#include <array>
#include <vector>

namespace quarvel {

// The legend: one row per visible group, name and symbol in the group's colour, in one to four
// columns, optionally framed. Made for one drawing; its construction draws it. The image height
// is taken as width / 1.3.
class Legend
{
public:
    Legend(Canvas &canvas, int imageWidth, const DiagramSettings &settings, const GroupList &groups,
             bool convertSymbols = false);

    int legendLeft() const { return m_legendLeft; }
    int legendTop() const { return m_legendTop; }

    // Entries per column for N entries in c columns, the first columns filled first; all zero for
    // a column count outside 1..4.
    static std::array<int, 4> distribute(int entries, int columns);

private:
    int m_legendLeft = 0;
    int m_legendTop = 0;
    int m_penX = 0;
    int m_penY = 0;
    std::vector<int> m_entries; // indices of the visible groups, in list order
};

} // namespace quarvel

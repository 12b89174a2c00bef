#include "files/qvd_shared_sections.h"

#include "core/codepage.h"
#include "files/field_values.h"
#include "files/overlay_records.h"

namespace quarvel {

bool readOverlaySection(ByteReader &in, Document &document)
{
    const auto header = in.take(OverlayHeader::kSize);
    if (!header)
        return false;
    const std::int32_t count = OverlayHeader::read(*header).count;
    for (std::int32_t i = 0; i < count; ++i) {
        const auto record = in.take(OverlayRecord::kSize);
        if (!record)
            return false;
        document.overlayList.push_back(OverlayRecord::read(*record));
    }
    return true;
}

bool readFileInfoAndCorners(ByteReader &in, Document &document)
{
    const auto info = in.take(255);
    const auto corners = in.take(48);
    if (!info || !corners)
        return false;
    document.fileInfo = fromCodePage(textAt(*info, 0, 255));
    for (std::size_t c = 0; c < 4; ++c) {
        for (std::size_t k = 0; k < 3; ++k)
            document.geometry.clipCorners[c][k] = f32At(*corners, 4 * (3 * c + k));
    }
    return true;
}

bool readGroups(ByteReader &in, Document &document, std::size_t headerSize, std::size_t countOffset,
                const GroupRecordLayout &layout)
{
    const auto header = in.take(headerSize);
    if (!header)
        return false;
    const std::int32_t count = i32At(*header, countOffset);
    document.clearGroups();
    for (std::int32_t i = 0; i < count; ++i) {
        const auto record = in.take(layout.size);
        if (!record)
            return false;
        Group group;
        group.symbol = i32At(*record, layout.symbolOffset);
        group.color = i32At(*record, layout.symbolOffset + 4);
        group.symbolSize = layout.symbolSize < 0 ? i32At(*record, layout.symbolOffset + 8) : layout.symbolSize;
        document.groupList.add(fromCodePage(textAt(*record, 0, layout.nameWidth)), group);
    }
    return true;
}

void prepareRows(Table &table, const ByteReader &in, std::size_t recordSize)
{
    const std::size_t rows = in.remaining() / recordSize;
    if (rows + 2 > static_cast<std::size_t>(table.rowCount()))
        table.setRowCount(static_cast<int>(rows + 2));
}

void readEarlySettings(std::string_view block, DiagramSettings &s, DataSettings &d)
{
    s.axisDivisions = i32At(block, 0);
    s.borderWidth = i32At(block, 4);
    s.gridColor = i32At(block, 8);
    s.overlayPenColor = s.gridColor;
    s.numberDecimals = i32At(block, 20);
    s.reserved24 = i32At(block, 24);
    setFaceName(s.axisLabelFont, textAt(block, 28, 30));
    setFaceName(s.numberFont, textAt(block, 58, 31));
    setFaceName(s.legendFont, textAt(block, 89, 31));
    setFaceName(s.symbolFont, textAt(block, 120, 31));
    s.drawGrid = u8At(block, 151);
    std::uint8_t *flags[9] = {&s.ticksBottom, &s.ticksLeft, &s.ticksRight, &s.ticksBothSides, &s.numbersBottom,
                              &s.numbersRight, &s.numbersLeft, &s.drawAxisLabels, &s.drawLegend};
    for (std::size_t i = 0; i < 9; ++i)
        *flags[i] = u8At(block, 153 + i);
    s.legendBorder = u8At(block, 162);
    s.symbolsFirst = u8At(block, 163);
    s.sortLegend = u8At(block, 164);
    for (int k = 0; k < 3; ++k)
        setColumnTitle(d, k + 1, textAt(block, 165 + 30 * static_cast<std::size_t>(k), 30));
    s.symbolFont.size = i32At(block, 256);
    s.axisLabelFont.size = i32At(block, 260);
    s.numberFont.size = i32At(block, 264);
    s.legendFont.size = i32At(block, 268);
}

void resetEarlyFonts(DiagramSettings &s, int count)
{
    FontSpec *fonts[5] = {&s.axisLabelFont, &s.numberFont, &s.legendFont, &s.symbolFont, &s.sampleLabelFont};
    for (int i = 0; i < count; ++i) {
        fonts[i]->charset = 1;
        fonts[i]->color = 0;
    }
    s.innerTicks = 0;
}

} // namespace quarvel

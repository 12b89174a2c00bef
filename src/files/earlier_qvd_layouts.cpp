#include "files/earlier_qvd_layouts.h"

#include "files/byte_io.h"
#include "files/qvd_shared_sections.h"
#include "files/field_values.h"

#include <cstring>

namespace quarvel {

namespace {

constexpr std::size_t kHeaderSize = 12;

} // namespace

bool readVersion30(Document &document, std::string_view bytes)
{
    ByteReader in(bytes);
    in.skip(kHeaderSize);
    const auto block = in.take(324);
    if (!block)
        return false;
    DiagramSettings &s = document.diagramSettings;
    DataSettings &d = document.dataSettings;
    readEarlySettings(*block, s, d);
    s.axisLabelsCentered = u8At(*block, 275);
    s.matchPointColor = u8At(*block, 276);
    setFaceName(s.sampleLabelFont, textAt(*block, 277, 31));
    s.sampleLabelFont.size = i32At(*block, 308);
    resetEarlyFonts(s, 5);
    s.drawClippingLine = 1;
    setColumnTitle(d, GroupColumn, "Group label");
    setColumnTitle(d, LabelColumn, "Sample label");

    if (!readOverlaySection(in, document))
        return false;
    if (!readGroups(in, document, 88, 76, {88, 32, 76, s.symbolFont.size}))
        return false;
    if (!readFileInfoAndCorners(in, document))
        return false;

    Table &table = document.table;
    prepareRows(table, in, 88);
    const char separator = document.locale().decimalSeparator();
    CellText group, label;
    std::string values[3];
    int row = 1;
    while (const auto record = in.take(88)) {
        Table::RowTexts texts;
        texts[1] = group.toUtf8(textAt(*record, 0, 32));
        for (std::size_t k = 0; k < 3; ++k) {
            values[k] = generalNumberText(f64At(*record, 32 + 8 * k), separator);
            texts[2 + k] = values[k];
        }
        texts[6] = label.toUtf8(textAt(*record, 56, 32));
        table.setRowUtf8(row++, texts);
    }
    table.setRowCount(row + 1);
    return true;
}

bool readVersion40(Document &document, std::string_view bytes)
{
    ByteReader in(bytes);
    in.skip(kHeaderSize);
    const auto block = in.take(476);
    if (!block)
        return false;
    DiagramSettings &s = document.diagramSettings;
    DataSettings &d = document.dataSettings;
    // The first seven words and the thirteen flags after them lie as in the current block.
    std::memcpy(static_cast<void *>(&s), block->data(), 41);
    for (int k = 0; k < 4; ++k)
        setColumnTitle(d, k + 1, textAt(*block, 41 + 30 * static_cast<std::size_t>(k), 30));
    s.fullTriangle = u8At(*block, 161);
    s.hidePoints = u8At(*block, 162);
    s.innerTicks = u8At(*block, 163);
    s.axisLabelsCentered = u8At(*block, 164);
    s.matchPointColor = u8At(*block, 165);
    s.numbersAligned = u8At(*block, 166);
    s.tickLength = i32At(*block, 168);
    s.hasLowerSamples = u8At(*block, 172);
    s.baseSize = f32At(*block, 176);
    s.drawClippingLine = u8At(*block, 180);
    s.hideOverlay = u8At(*block, 181);
    s.snapToInteger = u8At(*block, 182);
    s.legendX = f32At(*block, 200);
    s.legendY = f32At(*block, 204);
    std::memcpy(static_cast<void *>(&s.axisLabelFont), block->data() + 212, 6 * sizeof(FontSpec));
    s.clockwise = 0;
    s.columnAxis = {0, 1, 2, 3};
    setColumnTitle(d, GroupColumn, "Group label");
    setColumnTitle(d, LabelColumn, "Sample label");
    d.columnPositions = {1, 2, 3, 4, 5, 6};
    d.setPrecision(4);

    if (!readOverlaySection(in, document))
        return false;
    if (!readGroups(in, document, 140, 132, {140, 31, 132, s.symbolFont.size}))
        return false;
    if (!readFileInfoAndCorners(in, document))
        return false;

    Table &table = document.table;
    prepareRows(table, in, 140);
    constexpr std::size_t kOffset[6] = {0, 30, 50, 70, 90, 110};
    constexpr std::size_t kWidth[6] = {30, 20, 20, 20, 20, 30};
    CellText converted[6];
    int row = 1;
    while (const auto record = in.take(140)) {
        Table::RowTexts texts;
        for (std::size_t i = 0; i < 6; ++i)
            texts[i + 1] = converted[i].toUtf8(textAt(*record, kOffset[i], kWidth[i]));
        table.setRowUtf8(row++, texts);
    }
    table.setRowCount(row + 1);
    return true;
}

} // namespace quarvel

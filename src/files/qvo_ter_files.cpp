#include "files/qvo_ter_files.h"

#include "core/codepage.h"
#include "files/byte_io.h"
#include "files/qvd_shared_sections.h"
#include "files/file_bytes.h"
#include "files/field_values.h"
#include "files/overlay_records.h"

namespace quarvel {

namespace {

constexpr std::size_t kRecordSize = 160;

void setOlderTitles(DataSettings &d)
{
    setColumnTitle(d, GroupColumn, "Group label");
    setColumnTitle(d, LabelColumn, "Sample label");
}

bool readOlderGroups(ByteReader &in, Document &document)
{
    return readGroups(in, document, kRecordSize, 152,
                      {kRecordSize, 30, 152, document.diagramSettings.symbolFont.size});
}

// A record of only empty texts is overwritten by the next one, so the rows read are packed.
void readOlderRows(ByteReader &in, Table &table, bool withLabel)
{
    prepareRows(table, in, kRecordSize);
    constexpr std::size_t kOffset[5] = {0, 30, 50, 70, 90};
    constexpr std::size_t kWidth[5] = {30, 20, 20, 20, 70};
    constexpr std::size_t kGridColumn[5] = {1, 2, 3, 4, 6};
    CellText converted[5];
    int row = 1;
    while (const auto record = in.take(kRecordSize)) {
        Table::RowTexts texts;
        bool any = false;
        for (std::size_t i = 0; i < (withLabel ? 5u : 4u); ++i) {
            texts[kGridColumn[i]] = converted[i].toUtf8(textAt(*record, kOffset[i], kWidth[i]));
            any = any || !texts[kGridColumn[i]].empty();
        }
        table.setRowUtf8(row, texts);
        if (any)
            ++row;
    }
    table.setRowCount(row + 1);
}

} // namespace

bool readTaggedSecondVersion(Document &document, std::string_view bytes)
{
    ByteReader in(bytes);
    in.skip(12);
    const auto block = in.take(372);
    if (!block)
        return false;
    DiagramSettings &s = document.diagramSettings;
    readEarlySettings(*block, s, document.dataSettings);
    s.axisLabelsCentered = u8At(*block, 333);
    s.matchPointColor = u8At(*block, 334);
    setFaceName(s.sampleLabelFont, textAt(*block, 335, 33));
    s.sampleLabelFont.size = i32At(*block, 368);
    resetEarlyFonts(s, 5);
    setOlderTitles(document.dataSettings);

    const auto header = in.take(16);
    if (!header)
        return false;
    const std::int32_t count = i32At(*header, 12);
    for (std::int32_t i = 0; i < count; ++i) {
        const auto record = in.take(OlderOverlayRecord::kLongSize);
        if (!record)
            return false;
        VectorLine v = OlderOverlayRecord::read(*record);
        v.text = fromCodePage(OlderOverlayRecord::text(*record));
        document.overlayList.push_back(v);
    }
    if (!readOlderGroups(in, document))
        return false;
    readOlderRows(in, document.table, true);
    return true;
}

namespace {

bool readSimpleLine(std::string_view record, VectorLine &v)
{
    constexpr std::size_t kOffset[6] = {30, 50, 70, 90, 110, 130};
    std::int32_t n[6];
    const auto style = wholeNumber(textAt(record, 0, 30));
    if (!style)
        return false;
    for (std::size_t i = 0; i < 6; ++i) {
        const auto value = wholeNumber(textAt(record, kOffset[i], i == 5 ? 30 : 20));
        if (!value)
            return false;
        n[i] = *value;
    }
    v.kind = 'r';
    v.lineStyle = static_cast<std::uint8_t>(*style);
    v.ternOrigin = {float(n[0]), float(n[2]), float(n[1])};
    v.ternDest = {float(n[3]), float(n[5]), float(n[4])};
    return true;
}

} // namespace

bool readUntaggedSecondVersion(Document &document, std::string_view bytes)
{
    ByteReader in(bytes);
    const auto block = in.take(276);
    if (!block)
        return false;
    DiagramSettings &s = document.diagramSettings;
    const std::int32_t border = i32At(*block, 4);
    const std::int32_t decimals = i32At(*block, 20);
    if (border < 1 || border > 3 || decimals > 2)
        return false;
    s.axisDivisions = i32At(*block, 0);
    s.borderWidth = border;
    s.gridColor = i32At(*block, 8);
    s.overlayPenColor = i32At(*block, 12);
    s.numberDecimals = decimals;
    s.reserved24 = i32At(*block, 24);
    s.symbolFont.size = i32At(*block, 28);
    FontSpec *fonts[4] = {&s.axisLabelFont, &s.numberFont, &s.legendFont, &s.symbolFont};
    for (std::size_t i = 0; i < 4; ++i)
        setFaceName(*fonts[i], prefixedTextAt(*block, 32 + 32 * i, 31));
    s.axisLabelFont.size = i32At(*block, 160);
    s.numberFont.size = i32At(*block, 164);
    s.legendFont.size = i32At(*block, 168);
    s.drawGrid = u8At(*block, 172);
    std::uint8_t *flags[12] = {&s.ticksBottom,   &s.ticksLeft,   &s.ticksRight,     &s.ticksBothSides,
                               &s.numbersBottom, &s.numbersRight, &s.numbersLeft,   &s.drawAxisLabels,
                               &s.drawLegend,    &s.legendBorder, &s.symbolsFirst,  &s.sortLegend};
    for (std::size_t i = 0; i < 12; ++i)
        *flags[i] = u8At(*block, 174 + i);
    for (int k = 0; k < 3; ++k)
        setColumnTitle(document.dataSettings, k + 1, textAt(*block, 186 + 30 * static_cast<std::size_t>(k), 30));
    resetEarlyFonts(s, 4);
    setOlderTitles(document.dataSettings);

    const auto header = in.take(kRecordSize);
    if (!header)
        return false;
    const bool extended = header->substr(0, 4) == std::string_view("XVL\0", 4);
    const std::int32_t count = i32At(*header, 152);
    for (std::int32_t i = 0; i < count; ++i) {
        const auto record = in.take(extended ? OlderOverlayRecord::kShortSize : kRecordSize);
        if (!record)
            return false;
        VectorLine v;
        if (extended)
            v = OlderOverlayRecord::read(*record);
        else if (!readSimpleLine(*record, v))
            return false;
        document.overlayList.push_back(v);
    }
    if (!readOlderGroups(in, document))
        return false;
    readOlderRows(in, document.table, false);
    return true;
}

namespace {

constexpr std::size_t kFirstRecordSize = 151;

std::string_view firstText(std::string_view record, int text)
{
    return prefixedTextAt(record, 21 * static_cast<std::size_t>(text - 1), 20);
}

bool readFirst(Document &document, std::string_view bytes)
{
    ByteReader in(bytes);
    DataSettings &d = document.dataSettings;
    std::int32_t lines = 0;
    for (int k = 1; k <= 3; ++k) {
        const auto record = in.take(kFirstRecordSize);
        if (!record)
            return false;
        setColumnTitle(d, k, firstText(*record, 1));
        if (k == 3) {
            const auto n = wholeNumber(firstText(*record, 2));
            if (!n)
                return false;
            lines = *n;
        }
    }
    setOlderTitles(d);
    for (std::int32_t i = 0; i < lines; ++i) {
        const auto record = in.take(kFirstRecordSize);
        if (!record)
            return false;
        const std::string_view style = firstText(*record, 1);
        if (style.empty())
            return false;
        std::int32_t n[6];
        for (int k = 0; k < 6; ++k) {
            const auto value = wholeNumber(firstText(*record, k + 2));
            if (!value)
                return false;
            n[k] = *value;
        }
        VectorLine v;
        v.kind = 'r';
        v.lineStyle = styleOfLetter(style[0]);
        v.ternOrigin = {float(n[0]), float(n[1]), float(n[2])};
        v.ternDest = {float(n[3]), float(n[4]), float(n[5])};
        document.overlayList.push_back(v);
    }
    document.clearGroups();
    in.skip(std::min(20 * kFirstRecordSize, in.remaining()));

    Table &table = document.table;
    prepareRows(table, in, kFirstRecordSize);
    CellText converted[4];
    int row = 1;
    while (const auto record = in.take(kFirstRecordSize)) {
        Table::RowTexts texts;
        for (int k = 0; k < 4; ++k)
            texts[static_cast<std::size_t>(k + 1)] = converted[k].toUtf8(firstText(*record, k + 1));
        table.setRowUtf8(row++, texts);
    }
    table.setRowCount(row + 1);
    return true;
}

} // namespace

ReadResult readOlderDocument(Document &document, std::string_view bytes)
{
    ReadResult result;
    // Any one of the three letters marks the tagged form.
    const bool tagged = bytes.size() >= 3 && (bytes[0] == 'q' || bytes[1] == 'v' || bytes[2] == 'o');
    if (tagged) {
        result.layout = DocumentLayout::Tagged;
        if (bytes.size() < 12 || i32At(bytes, 4) != 2 || i32At(bytes, 8) != 9)
            return result;
        result.ok = readTaggedSecondVersion(document, bytes);
    } else {
        result.layout = DocumentLayout::Untagged;
        result.ok = readUntaggedSecondVersion(document, bytes);
    }
    if (result.ok)
        applyRowMinimum(document.table);
    return result;
}

ReadResult openOlderDocument(Document &document, const QString &fileName)
{
    const FileBytes file(fileName);
    if (!file.bytes())
        return {false, DocumentLayout::Tagged};
    return readOlderDocument(document, *file.bytes());
}

ReadResult readFirstFormat(Document &document, std::string_view bytes)
{
    ReadResult result{false, DocumentLayout::FirstVersion};
    result.ok = readFirst(document, bytes);
    if (result.ok)
        applyRowMinimum(document.table);
    return result;
}

ReadResult openFirstFormat(Document &document, const QString &fileName)
{
    const FileBytes file(fileName);
    if (!file.bytes())
        return {false, DocumentLayout::FirstVersion};
    return readFirstFormat(document, *file.bytes());
}

} // namespace quarvel

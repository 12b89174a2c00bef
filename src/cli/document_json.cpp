#include "cli/document_json.h"

#include "core/codepage.h"

#include <cstring>

namespace quarvel {

namespace {

void writeFont(JsonWriter &json, const FontSpec &font)
{
    json.beginObject();
    json.key("charset").value(static_cast<int>(font.charset));
    json.key("faceName").value(font.face());
    json.key("size").value(font.size);
    json.key("color").value(font.color);
    json.key("style").value(static_cast<int>(font.style));
    json.endObject();
}

template <typename T, std::size_t N>
void writeArray(JsonWriter &json, const std::array<T, N> &values)
{
    json.beginArray();
    for (const T &v : values)
        json.value(v);
    json.endArray();
}

void writeDiagramSettings(JsonWriter &json, const DiagramSettings &s)
{
    json.beginObject();
    auto flag = [&](const char *name, std::uint8_t v) { json.key(name).value(static_cast<int>(v)); };
    json.key("axisDivisions").value(s.axisDivisions);
    json.key("borderWidth").value(s.borderWidth);
    json.key("gridColor").value(s.gridColor);
    json.key("overlayPenColor").value(s.overlayPenColor);
    json.key("reserved16").value(s.reserved16);
    json.key("numberDecimals").value(s.numberDecimals);
    json.key("reserved24").value(s.reserved24);
    flag("drawGrid", s.drawGrid);
    flag("ticksBottom", s.ticksBottom);
    flag("ticksLeft", s.ticksLeft);
    flag("ticksRight", s.ticksRight);
    flag("ticksBothSides", s.ticksBothSides);
    flag("numbersBottom", s.numbersBottom);
    flag("numbersRight", s.numbersRight);
    flag("numbersLeft", s.numbersLeft);
    flag("drawAxisLabels", s.drawAxisLabels);
    flag("drawLegend", s.drawLegend);
    flag("legendBorder", s.legendBorder);
    flag("symbolsFirst", s.symbolsFirst);
    flag("sortLegend", s.sortLegend);
    flag("fullTriangle", s.fullTriangle);
    flag("hidePoints", s.hidePoints);
    flag("innerTicks", s.innerTicks);
    flag("axisLabelsCentered", s.axisLabelsCentered);
    flag("matchPointColor", s.matchPointColor);
    flag("numbersAligned", s.numbersAligned);
    flag("reserved47", s.reserved47);
    json.key("tickLength").value(s.tickLength);
    flag("hasLowerSamples", s.hasLowerSamples);
    json.key("baseSize").value(s.baseSize);
    flag("drawClippingLine", s.drawClippingLine);
    flag("hideOverlay", s.hideOverlay);
    flag("snapToInteger", s.snapToInteger);
    flag("adjustToWindow", s.adjustToWindow);
    json.key("legendColumns").value(s.legendColumns);
    json.key("reserved68").value(s.reserved68);
    flag("showClippingArea", s.showClippingArea);
    json.key("diagramKind").value(s.diagramKind);
    json.key("legendX").value(s.legendX);
    json.key("legendY").value(s.legendY);
    json.key("axisLabelFont");
    writeFont(json, s.axisLabelFont);
    json.key("numberFont");
    writeFont(json, s.numberFont);
    json.key("legendFont");
    writeFont(json, s.legendFont);
    json.key("symbolFont");
    writeFont(json, s.symbolFont);
    json.key("sampleLabelFont");
    writeFont(json, s.sampleLabelFont);
    json.key("overlayTextFont");
    writeFont(json, s.overlayTextFont);
    flag("clockwise", s.clockwise);
    json.key("columnAxis");
    writeArray(json, s.columnAxis);
    json.endObject();
}

void writeDataSettings(JsonWriter &json, const DataSettings &s)
{
    json.beginObject();
    json.key("columnTitles").beginArray();
    for (int i = 0; i < 6; ++i)
        json.value(s.title(i));
    json.endArray();
    json.key("columnPositions");
    writeArray(json, s.columnPositions);
    json.key("groupsFont");
    writeFont(json, s.groupsFont);
    json.key("dataFont");
    writeFont(json, s.dataFont);
    json.key("precision").value(s.precision);
    json.key("numberFormat").value(fromCodePage(s.numberFormatPattern()));
    json.endObject();
}

void writeOverlay(JsonWriter &json, const std::vector<VectorLine> &overlay)
{
    json.beginArray();
    for (const VectorLine &v : overlay) {
        json.beginObject();
        // A byte from the file: any value, read as the file's code page like every stored text.
        json.key("kind").value(fromCodePage(std::string_view(&v.kind, 1)));
        json.key("lineStyle").value(static_cast<int>(v.lineStyle));
        json.key("color").value(v.color);
        json.key("fill").value(static_cast<int>(v.fill));
        json.key("width").value(v.width);
        json.key("fontSize").value(v.fontSize);
        json.key("angle").value(v.angle);
        json.key("ternOrigin");
        writeArray(json, v.ternOrigin);
        json.key("ternDest");
        writeArray(json, v.ternDest);
        json.key("ternCtrl1");
        writeArray(json, v.ternCtrl1);
        json.key("ternCtrl2");
        writeArray(json, v.ternCtrl2);
        json.key("text").value(v.text);
        json.key("fontName").value(v.fontName);
        json.endObject();
    }
    json.endArray();
}

} // namespace

void writeDocumentJson(JsonWriter &json, const Document &document, const QString &formatName)
{
    const Table &table = document.table;
    json.beginObject();
    json.key("format").value(formatName);
    json.key("status").value(document.statusText());
    json.key("validSamples").value(document.validSamples());
    json.key("rowCount").value(table.rowCount());
    json.key("titles").beginArray();
    for (int c = 0; c < Table::kColumns; ++c)
        json.value(table.rowCount() > 0 ? table.cell(0, c) : QString());
    json.endArray();

    json.key("rows").beginArray();
    for (int r = 1; r < table.rowCount(); ++r) {
        bool any = false;
        for (int c = 0; c < Table::kColumns && !any; ++c)
            any = !table.isEmpty(r, c);
        if (!any)
            continue;
        json.beginObject();
        json.key("row").value(r);
        json.key("cells").beginArray();
        json.value(table.cell(r, 0));
        for (int c = 1; c < Table::kColumns; ++c)
            json.value(table.cellUtf8(r, c));
        json.endArray();
        json.endObject();
    }
    json.endArray();

    json.key("groups").beginArray();
    for (int i = 0; i < document.groupList.size(); ++i) {
        const Group &g = document.groupList.group(i);
        json.beginObject();
        json.key("name").value(document.groupList.name(i));
        json.key("symbol").value(g.symbol);
        json.key("color").value(g.color);
        json.key("symbolSize").value(g.symbolSize);
        json.key("visible").value(static_cast<int>(g.visible));
        json.key("showLabels").value(static_cast<int>(g.showLabels));
        json.key("count").value(g.count);
        json.key("means");
        writeArray(json, g.means);
        json.endObject();
    }
    json.endArray();

    json.key("samples").beginArray();
    for (const Sample &s : document.samples) {
        json.beginObject();
        json.key("row").value(s.row);
        json.key("kind").value(std::string_view(&s.kind, 1));
        json.key("parts");
        writeArray(json, s.parts);
        json.key("percents");
        writeArray(json, s.percents);
        json.key("total").value(s.total);
        json.key("label").value(document.samples.labelUtf8(s));
        json.key("symbol").value(static_cast<int>(s.symbol));
        json.key("color").value(s.color);
        json.key("symbolSize").value(s.symbolSize);
        json.key("visible").value(static_cast<int>(s.visible));
        json.key("showLabel").value(static_cast<int>(s.showLabel));
        json.endObject();
    }
    json.endArray();

    json.key("diagramSettings");
    writeDiagramSettings(json, document.diagramSettings);
    json.key("dataSettings");
    writeDataSettings(json, document.dataSettings);
    json.key("clipCorners").beginArray();
    for (const Weights &corner : document.geometry.clipCorners)
        writeArray(json, corner);
    json.endArray();
    json.key("overlay");
    writeOverlay(json, document.overlayList);
    json.key("fileInfo").value(document.fileInfo);
    json.endObject();
}

} // namespace quarvel

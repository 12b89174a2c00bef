#include "core/settings.h"

#include "core/codepage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quarvel {

namespace {

template <std::size_t N>
void copyText(std::array<char, N> &field, const char *text)
{
    std::strncpy(field.data(), text, N - 1);
}

} // namespace

FontSpec FontSpec::make(const char *face, std::int32_t size)
{
    FontSpec font;
    copyText(font.faceName, face);
    font.size = size;
    return font;
}

QString FontSpec::face() const
{
    return fieldText(faceName);
}

DiagramSettings DiagramSettings::defaults()
{
    DiagramSettings s;
    std::memset(static_cast<void *>(&s), 0, sizeof s);
    s.axisDivisions = 10;
    s.borderWidth = 1;
    s.reserved24 = 1;
    s.drawGrid = 1;
    s.ticksBottom = s.ticksLeft = s.ticksRight = s.ticksBothSides = 1;
    s.numbersBottom = s.numbersRight = s.numbersLeft = 1;
    s.drawAxisLabels = 1;
    s.drawLegend = 1;
    s.legendBorder = 1;
    s.fullTriangle = 1;
    s.tickLength = 1;
    s.drawClippingLine = 1;
    s.legendColumns = 1;
    s.legendX = 0.8f;
    s.legendY = 0.2f;
    s.axisLabelFont = FontSpec::make("Arial", 9);
    s.numberFont = FontSpec::make("Arial", 9);
    s.legendFont = FontSpec::make("Arial", 9);
    s.symbolFont = FontSpec::make("WingDings", 9);
    s.sampleLabelFont = FontSpec::make("Arial", 10);
    s.overlayTextFont = FontSpec::make("Arial", 10);
    s.clockwise = 1;
    s.columnAxis = {0, 1, 2, 3};
    return s;
}

std::array<std::int32_t, 4> DiagramSettings::axisOfColumns() const
{
    std::array<std::int32_t, 4> sorted = columnAxis;
    std::sort(sorted.begin(), sorted.end());
    if (sorted == std::array<std::int32_t, 4>{0, 1, 2, 3})
        return columnAxis;
    return {0, 1, 2, 3};
}

namespace {

float finiteWithin(float value, float low, float high)
{
    return std::isfinite(value) ? std::clamp(value, low, high) : 0.0f;
}

} // namespace

float drawableBaseSize(float baseSize)
{
    return finiteWithin(baseSize, -40, 40);
}

std::int32_t drawableFontSize(std::int32_t size)
{
    return std::clamp(size, -4096, 4096);
}

DiagramSettings DiagramSettings::drawableCopy() const
{
    DiagramSettings s = *this;
    s.baseSize = drawableBaseSize(baseSize);
    s.legendX = finiteWithin(legendX, -100, 100);
    s.legendY = finiteWithin(legendY, -100, 100);
    s.borderWidth = std::clamp(borderWidth, -64, 64);
    s.tickLength = std::clamp(tickLength, -64, 64);
    s.numberDecimals = std::clamp(numberDecimals, -1, 20);
    for (FontSpec *font : {&s.axisLabelFont, &s.numberFont, &s.legendFont, &s.symbolFont, &s.sampleLabelFont,
                           &s.overlayTextFont})
        font->size = drawableFontSize(font->size);
    return s;
}

DataSettings DataSettings::defaults()
{
    DataSettings s;
    std::memset(static_cast<void *>(&s), 0, sizeof s);
    const char *titles[6] = {"Group label", "Bottom", "Left", "Right", "Down", "Sample label"};
    for (int i = 0; i < 6; ++i) {
        copyText(s.columnTitles[i], titles[i]);
        s.columnPositions[i] = i + 1;
    }
    s.groupsFont = FontSpec::make("Arial", 9);
    s.dataFont = FontSpec::make("Arial", 9);
    s.setPrecision(4);
    return s;
}

QString DataSettings::title(int column) const
{
    return fieldText(columnTitles[column]);
}

void DataSettings::setPrecision(std::int32_t value)
{
    precision = value;
    const char *format = numberFormatForPrecision(value);
    std::memcpy(numberFormat.data(), format, std::strlen(format) + 1);
}

std::string_view DataSettings::numberFormatPattern() const
{
    return {numberFormat.data(), ::strnlen(numberFormat.data(), numberFormat.size())};
}

std::array<int, 6> DataSettings::gridColumns() const
{
    std::array<int, 6> columns{};
    bool used[7] = {};
    for (std::size_t i = 0; i < 6; ++i) {
        const int c = columnPositions[i];
        if (c < 1 || c > 6 || used[c])
            return {1, 2, 3, 4, 5, 6};
        used[c] = true;
        columns[i] = c;
    }
    return columns;
}

const char *numberFormatForPrecision(std::int32_t precision)
{
    switch (precision) {
    case 1: return "##0.#";
    case 2: return "##0.##";
    case 3: return "##0.###";
    case 4: return "##0.####";
    case 5: return "##0.#####";
    default: return "##0.######";
    }
}

} // namespace quarvel

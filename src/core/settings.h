#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include <QString>

namespace quarvel {

// The settings records are copied whole (document file, undo copy, thumbnail copy), so their byte
// layout is a file format: little-endian, packed as below, padding explicit. Every member has an
// initialiser, so a record made without defaults() holds zeros, not whatever the memory held.

// 44 bytes.
struct FontSpec
{
    std::uint8_t charset = 1;
    std::array<char, 31> faceName{};
    std::int32_t size = 0;
    std::int32_t color = 0;
    std::int16_t style = 0;
    std::array<std::uint8_t, 2> padding{};

    static FontSpec make(const char *face, std::int32_t size);
    QString face() const;
};
static_assert(sizeof(FontSpec) == 44);
static_assert(offsetof(FontSpec, faceName) == 1 && offsetof(FontSpec, size) == 32);
static_assert(offsetof(FontSpec, color) == 36 && offsetof(FontSpec, style) == 40);

// 372 bytes.
struct DiagramSettings
{
    std::int32_t axisDivisions{};
    std::int32_t borderWidth{};
    std::int32_t gridColor{};
    std::int32_t overlayPenColor{};
    std::int32_t reserved16{};
    std::int32_t numberDecimals{};
    std::int32_t reserved24{};
    std::uint8_t drawGrid{};
    std::uint8_t ticksBottom{};
    std::uint8_t ticksLeft{};
    std::uint8_t ticksRight{};
    std::uint8_t ticksBothSides{};
    std::uint8_t numbersBottom{};
    std::uint8_t numbersRight{};
    std::uint8_t numbersLeft{};
    std::uint8_t drawAxisLabels{};
    std::uint8_t drawLegend{};
    std::uint8_t legendBorder{};
    std::uint8_t symbolsFirst{};
    std::uint8_t sortLegend{};
    std::uint8_t fullTriangle{};
    std::uint8_t hidePoints{};
    std::uint8_t innerTicks{};
    std::uint8_t axisLabelsCentered{};
    std::uint8_t matchPointColor{};
    std::uint8_t numbersAligned{};
    std::uint8_t reserved47{};
    std::int32_t tickLength{};
    std::uint8_t hasLowerSamples{};
    std::array<std::uint8_t, 3> padding53{};
    float baseSize{};
    std::uint8_t drawClippingLine{};
    std::uint8_t hideOverlay{};
    std::uint8_t snapToInteger{};
    std::uint8_t adjustToWindow{};
    std::int32_t legendColumns{};
    std::int32_t reserved68{};
    std::uint8_t showClippingArea{};
    std::array<std::uint8_t, 3> padding73{};
    std::int32_t diagramKind{};
    float legendX{};
    float legendY{};
    FontSpec axisLabelFont{};
    FontSpec numberFont{};
    FontSpec legendFont{};
    FontSpec symbolFont{};
    FontSpec sampleLabelFont{};
    FontSpec overlayTextFont{};
    std::uint8_t clockwise{};
    std::array<std::uint8_t, 3> padding353{};
    std::array<std::int32_t, 4> columnAxis{};

    // A zeroed block with every default written in.
    static DiagramSettings defaults();
    // columnAxis as a permutation of 0..3; a damaged stored block falls back to 0, 1, 2, 3.
    std::array<std::int32_t, 4> axisOfColumns() const;
    // The block as drawing uses it: values that only a damaged file can hold (not numbers, sizes
    // beyond any page) brought into a range that can be drawn; values the dialogs make stay.
    DiagramSettings drawableCopy() const;
};
static_assert(sizeof(DiagramSettings) == 372);
static_assert(offsetof(DiagramSettings, reserved24) == 24 && offsetof(DiagramSettings, drawGrid) == 28);
static_assert(offsetof(DiagramSettings, reserved47) == 47 && offsetof(DiagramSettings, tickLength) == 48);
static_assert(offsetof(DiagramSettings, hasLowerSamples) == 52 && offsetof(DiagramSettings, baseSize) == 56);
static_assert(offsetof(DiagramSettings, adjustToWindow) == 63 && offsetof(DiagramSettings, legendColumns) == 64);
static_assert(offsetof(DiagramSettings, showClippingArea) == 72 && offsetof(DiagramSettings, diagramKind) == 76);
static_assert(offsetof(DiagramSettings, legendY) == 84 && offsetof(DiagramSettings, axisLabelFont) == 88);
static_assert(offsetof(DiagramSettings, overlayTextFont) == 308 && offsetof(DiagramSettings, clockwise) == 352);
static_assert(offsetof(DiagramSettings, columnAxis) == 356);

// 728 bytes. The six table columns, in this fixed order: group label, data columns 1 to 4,
// sample label.
struct DataSettings
{
    std::array<std::array<char, 100>, 6> columnTitles{};
    std::array<std::int32_t, 6> columnPositions{};
    FontSpec groupsFont{};
    FontSpec dataFont{};
    std::int32_t precision{};
    std::array<char, 12> numberFormat{};

    static DataSettings defaults();
    QString title(int column) const;
    // Stores precision and the number format derived from it together.
    void setPrecision(std::int32_t precision);
    // The stored number format up to its NUL, or all twelve bytes when a file filled the field.
    std::string_view numberFormatPattern() const;
    // Where each of the six table columns sits in the grid. Positions that are not 1 to 6, each
    // once, cannot come from the grid; such a stored block places the columns in their own order.
    // The readers, the writer and the evaluation all go by these.
    std::array<int, 6> gridColumns() const;
};
static_assert(sizeof(DataSettings) == 728);
static_assert(offsetof(DataSettings, columnPositions) == 600 && offsetof(DataSettings, groupsFont) == 624);
static_assert(offsetof(DataSettings, dataFont) == 668 && offsetof(DataSettings, precision) == 712);
static_assert(offsetof(DataSettings, numberFormat) == 716);

enum TableColumn { GroupColumn = 0, Data1Column = 1, Data2Column, Data3Column, Data4Column, LabelColumn = 5 };
enum Axis { BottomAxis = 0, LeftAxis = 1, RightAxis = 2, DownAxis = 3 };

// baseSize as the layout divides by it: a finite value that keeps the divisor positive.
float drawableBaseSize(float baseSize);
// A font or symbol size that a canvas can make a font of.
std::int32_t drawableFontSize(std::int32_t size);

// "##0.#" for 1 up to "##0.######" for 6 and any other value.
const char *numberFormatForPrecision(std::int32_t precision);

} // namespace quarvel

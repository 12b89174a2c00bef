#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace quarvel {

// Colours are 0x00BBGGRR: red in the low byte.
using ColorRef = std::int32_t;
constexpr ColorRef rgbColor(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }
constexpr int redOf(ColorRef c) { return c & 0xFF; }
constexpr int greenOf(ColorRef c) { return (c >> 8) & 0xFF; }
constexpr int blueOf(ColorRef c) { return (c >> 16) & 0xFF; }

// Entries 0 to 15 are the named colours, 16 is "CUSTOM".
constexpr int kColorEntries = 17;
constexpr int kCustomColorEntry = 16;
const char *colorEntryName(int index);

// Entry 16 asks chooseCustom for a colour (nullopt when cancelled, which gives black); an index
// outside 0..16 (no entry selected) gives black.
ColorRef colorOfIndex(int index, const std::function<std::optional<ColorRef>()> &chooseCustom = {});
int indexOfColor(ColorRef color);

struct FontStyles
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool operator==(const FontStyles &) const = default;
};

std::int16_t fontStyleToBits(const FontStyles &styles);
// Only the low 8 bits are looked at.
FontStyles fontStyleFromBits(std::int32_t bits);

} // namespace quarvel

#include "core/color_table.h"

#include <array>

namespace quarvel {

namespace {

struct NamedColor
{
    const char *name;
    ColorRef value;
};

constexpr std::array<NamedColor, 16> kNamedColors{{
    {"Black", rgbColor(0, 0, 0)},
    {"Maroon", rgbColor(128, 0, 0)},
    {"Green", rgbColor(0, 128, 0)},
    {"Olive", rgbColor(128, 128, 0)},
    {"Navy", rgbColor(0, 0, 128)},
    {"Purple", rgbColor(128, 0, 128)},
    {"Teal", rgbColor(0, 128, 128)},
    {"Gray", rgbColor(128, 128, 128)},
    {"Silver", rgbColor(192, 192, 192)},
    {"Red", rgbColor(255, 0, 0)},
    {"Lime", rgbColor(0, 255, 0)},
    {"Yellow", rgbColor(255, 255, 0)},
    {"Blue", rgbColor(0, 0, 255)},
    {"Fuchsia", rgbColor(255, 0, 255)},
    {"Aqua", rgbColor(0, 255, 255)},
    {"White", rgbColor(255, 255, 255)},
}};

} // namespace

const char *colorEntryName(int index)
{
    if (index >= 0 && index < 16)
        return kNamedColors[index].name;
    return "CUSTOM";
}

ColorRef colorOfIndex(int index, const std::function<std::optional<ColorRef>()> &chooseCustom)
{
    if (index >= 0 && index < 16)
        return kNamedColors[index].value;
    if (index == kCustomColorEntry && chooseCustom)
        return chooseCustom().value_or(0);
    return 0;
}

int indexOfColor(ColorRef color)
{
    for (int i = 0; i < 16; ++i) {
        if (kNamedColors[i].value == color)
            return i;
    }
    return kCustomColorEntry;
}

std::int16_t fontStyleToBits(const FontStyles &styles)
{
    return static_cast<std::int16_t>((styles.bold ? 8 : 0) | (styles.italic ? 4 : 0)
                                     | (styles.underline ? 2 : 0) | (styles.strikeOut ? 1 : 0));
}

FontStyles fontStyleFromBits(std::int32_t bits)
{
    FontStyles styles;
    styles.bold = bits & 8;
    styles.italic = bits & 4;
    styles.underline = bits & 2;
    styles.strikeOut = bits & 1;
    return styles;
}

} // namespace quarvel

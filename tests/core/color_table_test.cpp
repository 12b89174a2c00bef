#include "core/color_table.h"

#include <gtest/gtest.h>

using namespace quarvel;

TEST(ColorTable, NamedEntriesRoundTrip)
{
    const ColorRef values[16] = {0, 128, 32768, 32896, 8388608, 8388736, 8421376, 8421504,
                                 12632256, 255, 65280, 65535, 16711680, 16711935, 16776960, 16777215};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(colorOfIndex(i), values[i]) << i;
        EXPECT_EQ(indexOfColor(values[i]), i) << i;
    }
    EXPECT_STREQ(colorEntryName(7), "Gray");
    EXPECT_STREQ(colorEntryName(16), "CUSTOM");
}

TEST(ColorTable, OtherColoursAreCustom)
{
    EXPECT_EQ(indexOfColor(rgbColor(3, 2, 1)), kCustomColorEntry);
    EXPECT_EQ(indexOfColor(rgbColor(127, 127, 127)), kCustomColorEntry);
    EXPECT_EQ(indexOfColor(rgbColor(128, 128, 128)), 7);
}

TEST(ColorTable, CustomEntryAsksForAColour)
{
    EXPECT_EQ(colorOfIndex(16, [] { return std::optional<ColorRef>(rgbColor(1, 2, 3)); }), rgbColor(1, 2, 3));
    EXPECT_EQ(colorOfIndex(16, [] { return std::optional<ColorRef>(); }), 0);
    EXPECT_EQ(colorOfIndex(-1), 0);
    EXPECT_EQ(colorOfIndex(17), 0);
}

TEST(FontStyleBits, ConvertBothWays)
{
    FontStyles boldUnderline;
    boldUnderline.bold = boldUnderline.underline = true;
    EXPECT_EQ(fontStyleToBits(boldUnderline), 10);
    EXPECT_EQ(fontStyleFromBits(10), boldUnderline);

    FontStyles italicStrike;
    italicStrike.italic = italicStrike.strikeOut = true;
    EXPECT_EQ(fontStyleFromBits(261), italicStrike); // bit 256 is ignored
    for (int bits = 0; bits < 16; ++bits)
        EXPECT_EQ(fontStyleToBits(fontStyleFromBits(bits)), bits);
}

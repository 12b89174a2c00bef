#include "core/samples.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

using namespace quarvel;

namespace {

// A sample the way the evaluation makes it from three parts.
Sample evaluated(char kind, float a, float b, float c, int row)
{
    Sample s;
    const std::size_t axes[3] = {0, kind == 't' ? 1u : 2u, kind == 't' ? 2u : 3u};
    const float values[3] = {a, b, c};
    double total = 0;
    for (int k = 0; k < 3; ++k) {
        s.parts[axes[k]] = values[k];
        total += values[k];
    }
    for (const std::size_t axis : axes)
        s.percents[axis] = static_cast<float>(s.parts[axis] / total * 100);
    s.total = static_cast<float>(total);
    s.kind = kind;
    s.row = row;
    s.color = static_cast<ColorRef>(row % 3 == 0 ? 0x0000FF : 0x00A000);
    s.symbol = static_cast<std::uint8_t>(100 + row % 20);
    s.symbolSize = 8 + row % 17;
    s.visible = row % 5 != 0;
    s.showLabel = row % 7 != 0;
    return s;
}

void expectSame(const Sample &got, const Sample &want, int i)
{
    EXPECT_EQ(std::memcmp(got.parts.data(), want.parts.data(), sizeof want.parts), 0) << i;
    EXPECT_EQ(std::memcmp(got.percents.data(), want.percents.data(), sizeof want.percents), 0) << i;
    EXPECT_EQ(std::memcmp(&got.total, &want.total, sizeof want.total), 0) << i;
    EXPECT_EQ(got.row, want.row) << i;
    EXPECT_EQ(got.kind, want.kind) << i;
    EXPECT_EQ(got.color, want.color) << i;
    EXPECT_EQ(got.symbol, want.symbol) << i;
    EXPECT_EQ(got.symbolSize, want.symbolSize) << i;
    EXPECT_EQ(got.visible, want.visible) << i;
    EXPECT_EQ(got.showLabel, want.showLabel) << i;
}

// "S1", "S2", ...: built by appending, since GCC 12 warns falsely (-Wrestrict) on "S" + std::string
// in Release.
std::string labelOf(int i)
{
    std::string label = "S";
    label += std::to_string(i);
    return label;
}

} // namespace

TEST(SampleList, EvaluatedSamplesComeBackBitForBitInLittleSpace)
{
    // Parts of every size, both kinds, and some 340 distinct drawing settings.
    std::mt19937 random(5);
    std::uniform_real_distribution<float> part(0, 1000);
    SampleList list;
    std::vector<Sample> made;
    const int count = 20000;
    list.reserve(count);
    for (int i = 0; i < count; ++i) {
        const float scale = i % 3 == 0 ? 1e-20f : i % 3 == 1 ? 1.0f : 1e20f;
        made.push_back(evaluated(i % 4 == 0 ? 'd' : 't', part(random) * scale, part(random), part(random) + 0.5f, i + 1));
        list.appendSample(made.back(), labelOf(i));
    }
    ASSERT_EQ(list.size(), count);
    int i = 0;
    for (const Sample &s : list) {
        expectSame(s, made[static_cast<std::size_t>(i)], i);
        EXPECT_EQ(list.labelUtf8(s), labelOf(i));
        ++i;
    }
    EXPECT_EQ(i, count);
    // 24 bytes a sample; the labels' store may have grown to twice their bytes; a few styles.
    std::size_t labels = 0;
    for (int k = 0; k < count; ++k)
        labels += labelOf(k).size();
    EXPECT_LE(list.memoryUse(), count * 24 + 2 * labels + 16 * 1024);
}

TEST(SampleList, OtherSamplesAreKeptAsGiven)
{
    SampleList list;
    Sample percentsOnly; // as a caller that places samples by their percents makes them
    percentsOnly.percents = {20, 30, 50, 0};
    Sample odd = percentsOnly;
    odd.kind = 'x';
    Sample unusedPart = evaluated('t', 1, 2, 3, 4);
    unusedPart.parts[3] = 7;
    Sample wrongTotal = evaluated('d', 1, 2, 3, 5);
    wrongTotal.total = 99;
    const Sample all[] = {percentsOnly, odd, unusedPart, wrongTotal, evaluated('t', 1, 1, 2, 6)};
    for (const Sample &s : all)
        list.appendSample(s, "label");
    for (int k = 0; k < list.size(); ++k) {
        expectSame(list[k], all[k], k);
        EXPECT_EQ(list.label(list[k]), QStringLiteral("label"));
    }
    list.clear();
    EXPECT_TRUE(list.empty());
}

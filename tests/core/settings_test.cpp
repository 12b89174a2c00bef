#include "core/settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <vector>

using namespace quarvel;

namespace {

// The expected stored bytes, written field by field at the documented offsets, independent of
// the struct declarations.
class Bytes
{
public:
    explicit Bytes(std::size_t size) : m_bytes(size, 0) {}
    void i32(std::size_t at, std::int32_t v) { std::memcpy(&m_bytes[at], &v, 4); }
    void i16(std::size_t at, std::int16_t v) { std::memcpy(&m_bytes[at], &v, 2); }
    void f32(std::size_t at, float v) { std::memcpy(&m_bytes[at], &v, 4); }
    void u8(std::size_t at, std::uint8_t v) { m_bytes[at] = v; }
    void text(std::size_t at, const char *t) { std::memcpy(&m_bytes[at], t, std::strlen(t)); }
    void font(std::size_t at, const char *face, std::int32_t size)
    {
        u8(at, 1);
        text(at + 1, face);
        i32(at + 32, size);
    }
    const std::vector<std::uint8_t> &bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

template <typename T>
std::vector<std::uint8_t> bytesOf(const T &record)
{
    std::vector<std::uint8_t> out(sizeof(T));
    std::memcpy(out.data(), &record, sizeof(T));
    return out;
}

} // namespace

TEST(SettingsRecords, DiagramSettingsDefaultsAreTheStoredBytes)
{
    Bytes expected(372);
    expected.i32(0, 10);  // axisDivisions
    expected.i32(4, 1);   // borderWidth
    expected.i32(24, 1);  // reserved24
    for (std::size_t at = 28; at <= 38; ++at)
        expected.u8(at, 1); // drawGrid .. legendBorder
    expected.u8(41, 1);   // fullTriangle
    expected.i32(48, 1);  // tickLength
    expected.u8(60, 1);   // drawClippingLine
    expected.i32(64, 1);  // legendColumns
    expected.f32(80, 0.8f);
    expected.f32(84, 0.2f);
    expected.font(88, "Arial", 9);
    expected.font(132, "Arial", 9);
    expected.font(176, "Arial", 9);
    expected.font(220, "WingDings", 9);
    expected.font(264, "Arial", 10);
    expected.font(308, "Arial", 10);
    expected.u8(352, 1);  // clockwise
    for (int k = 0; k < 4; ++k)
        expected.i32(356 + 4 * static_cast<std::size_t>(k), k);

    EXPECT_EQ(bytesOf(DiagramSettings::defaults()), expected.bytes());
}

TEST(SettingsRecords, DataSettingsDefaultsAreTheStoredBytes)
{
    Bytes expected(728);
    const char *titles[] = {"Group label", "Bottom", "Left", "Right", "Down", "Sample label"};
    for (std::size_t i = 0; i < 6; ++i) {
        expected.text(100 * i, titles[i]);
        expected.i32(600 + 4 * i, static_cast<std::int32_t>(i + 1));
    }
    expected.font(624, "Arial", 9);
    expected.font(668, "Arial", 9);
    expected.i32(712, 4);
    expected.text(716, "##0.####");

    EXPECT_EQ(bytesOf(DataSettings::defaults()), expected.bytes());
}

TEST(SettingsRecords, NumberFormatFollowsPrecision)
{
    const std::pair<int, const char *> cases[] = {
        {1, "##0.#"}, {2, "##0.##"}, {3, "##0.###"}, {4, "##0.####"},
        {5, "##0.#####"}, {6, "##0.######"}, {0, "##0.######"}, {7, "##0.######"}, {-3, "##0.######"}};
    for (const auto &[precision, format] : cases) {
        DataSettings s = DataSettings::defaults();
        s.setPrecision(precision);
        EXPECT_EQ(s.precision, precision);
        EXPECT_STREQ(s.numberFormat.data(), format) << precision;
    }
}

TEST(SettingsRecords, SettingPrecisionKeepsTheBytesBehindTheNul)
{
    DataSettings s = DataSettings::defaults();
    s.numberFormat[11] = 'x';
    s.setPrecision(1);
    EXPECT_STREQ(s.numberFormat.data(), "##0.#");
    EXPECT_EQ(s.numberFormat[11], 'x');
}

TEST(SettingsRecords, ColumnAxisMustBeAPermutation)
{
    DiagramSettings s = DiagramSettings::defaults();
    s.columnAxis = {1, 0, 2, 3};
    EXPECT_EQ(s.axisOfColumns(), (std::array<std::int32_t, 4>{1, 0, 2, 3}));
    s.columnAxis = {0, 0, 2, 3};
    EXPECT_EQ(s.axisOfColumns(), (std::array<std::int32_t, 4>{0, 1, 2, 3}));
    s.columnAxis = {0, 1, 2, 77};
    EXPECT_EQ(s.axisOfColumns(), (std::array<std::int32_t, 4>{0, 1, 2, 3}));
}

namespace {

// The bytes of a default-initialised record (as `Record r;` makes one) over memory of `fill`.
template <typename Record>
std::vector<unsigned char> bytesOfNew(unsigned char fill)
{
    alignas(Record) unsigned char memory[sizeof(Record)];
    std::memset(memory, fill, sizeof memory);
    new (memory) Record;
    return std::vector<unsigned char>(memory, memory + sizeof memory);
}

} // namespace

// Records made without defaults(): the same bytes whatever the memory held before.
TEST(SettingsRecords, DefaultInitialisedRecordsHoldNoGarbage)
{
    EXPECT_EQ(bytesOfNew<DiagramSettings>(0xAB), bytesOfNew<DiagramSettings>(0));
    EXPECT_EQ(bytesOfNew<DataSettings>(0xAB), bytesOfNew<DataSettings>(0));
    const DiagramSettings zero;
    EXPECT_EQ(zero.hidePoints, 0);
    EXPECT_EQ(zero.columnAxis, (std::array<std::int32_t, 4>{}));
}

// A file may fill all twelve bytes of the number format without a NUL.
TEST(SettingsRecords, NumberFormatPatternStopsAtTheFieldsEnd)
{
    struct
    {
        DataSettings settings = DataSettings::defaults();
        char after[8] = {'0', '0', '0', '0', '0', '0', '0', '\0'};
    } block;
    EXPECT_EQ(block.settings.numberFormatPattern(), "##0.####");
    std::memcpy(block.settings.numberFormat.data(), "##0.00000000", 12);
    EXPECT_EQ(block.settings.numberFormatPattern(), "##0.00000000");
    block.settings.numberFormat.fill('\0');
    EXPECT_EQ(block.settings.numberFormatPattern(), "");
}

// Stored grid positions are used only when they are 1 to 6, each once.
TEST(SettingsRecords, GridColumnsFallBackToTableOrder)
{
    DataSettings s = DataSettings::defaults();
    EXPECT_EQ(s.gridColumns(), (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
    s.columnPositions = {6, 5, 4, 3, 2, 1};
    EXPECT_EQ(s.gridColumns(), (std::array<int, 6>{6, 5, 4, 3, 2, 1}));
    for (const std::array<std::int32_t, 6> damaged :
         {std::array<std::int32_t, 6>{9, 9, 9, 9, 9, 9}, {0, 1, 2, 3, 4, 5}, {2, 2, 3, 4, 5, 6}, {-1, 2, 3, 4, 5, 6}}) {
        s.columnPositions = damaged;
        EXPECT_EQ(s.gridColumns(), (std::array<int, 6>{1, 2, 3, 4, 5, 6}));
    }
}

#include "core/number_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace quarvel;

namespace {

struct Conversion
{
    char separator;
    const char *text;
    std::optional<double> value;
};

} // namespace

TEST(TextToFloat, AcceptsOnlyTheLocaleForm)
{
    const Conversion cases[] = {
        {'.', "12.5", 12.5},     {'.', "  12.5  ", 12.5}, {'.', "+3", 3.0},         {'.', "-2.5e3", -2500.0},
        {'.', "1E-2", 0.01},     {'.', ".5", 0.5},        {'.', "5.", 5.0},         {'.', "007", 7.0},
        {'.', "1e-400", 0.0},    {'.', "12,5", {}},       {'.', "abc", {}},         {'.', "", {}},
        {'.', "   ", {}},        {'.', "1e", {}},         {'.', "1e+", {}},         {'.', ".", {}},
        {'.', "inf", {}},        {'.', "nan", {}},        {'.', "0x10", {}},        {'.', "1 2", {}},
        {'.', "1e999", {}},      {'.', "--1", {}},        {'.', "\t5", {}},         {'.', "1.2.3", {}},
        {',', "12,5", 12.5},     {',', " -0,25 ", -0.25}, {',', "12.5", {}},        {',', "1,5E2", 150.0},
    };
    for (const Conversion &c : cases) {
        const std::optional<double> got = textToFloat(std::string_view(c.text), UserLocale(c.separator));
        ASSERT_EQ(got.has_value(), c.value.has_value()) << '"' << c.text << "\" with " << c.separator;
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *c.value) << c.text;
        }
    }
}

TEST(TextToFloat, PlainDecimalsGiveTheCorrectlyRoundedDouble)
{
    // Cells of up to 15 digits take a shorter way than longer ones: both must give the double
    // that the full conversion gives, bit for bit, including the hardest cases of rounding.
    auto fullConversion = [](std::string text) {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    };
    std::vector<std::string> texts = {"0.1", "0.3", "2.675", "1.005", "999999999999999", "0.000000000000001",
                                      "123456789012.345", "9007199254740.993", "0", "0.0", "45.23", "5e-324"};
    std::mt19937_64 random(3);
    for (int i = 0; i < 100000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 15);
        std::string text;
        for (int d = 0; d < digits; ++d)
            text += static_cast<char>('0' + random() % 10);
        text.insert(text.begin() + static_cast<std::ptrdiff_t>(random() % (text.size() + 1)), '.');
        texts.push_back(text);
    }
    for (const std::string &text : texts) {
        const std::optional<double> got = textToFloat(std::string_view(text), UserLocale::point());
        ASSERT_TRUE(got) << text;
        EXPECT_EQ(*got, fullConversion(text)) << text;
        std::string comma = text;
        std::replace(comma.begin(), comma.end(), '.', ',');
        const std::optional<double> negative = textToFloat(std::string_view("-" + comma), UserLocale::comma());
        ASSERT_TRUE(negative) << text;
        EXPECT_EQ(*negative, -fullConversion(text)) << text;
    }
    EXPECT_TRUE(std::signbit(*textToFloat(std::string_view("-0"), UserLocale::point())));
}

TEST(DecimalDigits, ThoseOfPrintfForEveryMagnitude)
{
    std::mt19937_64 random(9);
    std::vector<double> values = {0.5, 2.675, 1.005, 1e-310, 4.9e-324, 1.7976931348623157e308, 0.1, 123456789012345.5};
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t bits = random() & 0x7FEFFFFFFFFFFFFFull; // finite, positive
        double v;
        std::memcpy(&v, &bits, sizeof v);
        values.push_back(v);
    }
    for (const double v : values) {
        char printed[40];
        std::snprintf(printed, sizeof printed, "%.14e", v);
        const DecimalDigits d = decimalDigits(v);
        EXPECT_EQ(std::string(d.text()), std::string(1, printed[0]) + std::string(printed + 2, 14)) << printed;
        EXPECT_EQ(d.exponent, std::atoi(printed + 17)) << printed;
    }
}

TEST(TextToFloat, LongDigitRunsStillConvert)
{
    const std::string digits = "1" + std::string(200, '0') + ".5";
    const std::optional<double> got = textToFloat(std::string_view(digits), UserLocale::point());
    ASSERT_TRUE(got);
    EXPECT_DOUBLE_EQ(*got, 1e200);
}

TEST(FormatFloat, PatternsRoundHalfAwayFromZero)
{
    struct Case
    {
        const char *pattern;
        double value;
        const char *text;
    };
    const Case cases[] = {
        {"##0.####", 3.14159265, "3.1416"}, {"##0.####", 12.5, "12.5"},     {"##0.####", 30, "30"},
        {"##0.####", 0, "0"},               {"##0.####", 0.00004, "0"},     {"##0.####", 0.00005, "0.0001"},
        {"##0.####", -1.5, "-1.5"},         {"##0.####", -0.00001, "0"},    {"##0.####", 99.99995, "100"},
        {"##0.##", 2.675, "2.68"},          {"##0.##", 0.125, "0.13"},      {"##0.##", -0.125, "-0.13"},
        {"##0", 2.5, "3"},                  {"##0", -2.5, "-3"},            {"##0", 0.4, "0"},
        {"##0", 1234567, "1234567"},        {"##0.0", 1, "1.0"},            {"##0.00", 0.5, "0.50"},
        {"##0.0", 0.05, "0.1"},             {"##0.######", 1.0 / 3, "0.333333"},
        {"##0.#", 1e-300, "0"},             {"##0.#", 123456789012.25, "123456789012.3"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatFloat(c.pattern, c.value, UserLocale::point()), QString::fromLatin1(c.text))
            << c.pattern << " " << c.value;
}

TEST(FormatFloat, UsesTheLocaleSeparator)
{
    EXPECT_EQ(formatFloat("##0.####", 12.5, UserLocale::comma()), QStringLiteral("12,5"));
    EXPECT_EQ(formatFloat("##0.00", 7, UserLocale::comma()), QStringLiteral("7,00"));
}

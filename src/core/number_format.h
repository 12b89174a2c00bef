#pragma once

#include "core/user_locale.h"

#include <array>
#include <optional>
#include <string_view>

#include <QString>

namespace quarvel {

// The locale's standard text-to-number conversion: leading and trailing blanks, an optional sign,
// digits with the user's decimal separator, an optional exponent; nothing else. Fails on an empty
// text, on any other character and on values outside the range of a double.
std::optional<double> textToFloat(std::string_view text, const UserLocale &locale);
std::optional<double> textToFloat(QStringView text, const UserLocale &locale);

// Formats with a pattern such as "##0", "##0.0", "##0.##": '#' an optional digit, '0' a required
// digit, '.' the locale's decimal separator. Rounds half away from zero on the value's 15
// significant decimal digits, so that 2.675 shows as 2.68 with two decimals.
QString formatFloat(std::string_view pattern, double value, const UserLocale &locale);

// A finite value's magnitude rounded to 15 significant decimal digits: d.dddddddddddddd x 10^exponent
// (all zeros and exponent 0 for zero). The number texts of the display and of the files start here.
struct DecimalDigits
{
    std::array<char, 15> digits{};
    int exponent = 0;

    std::string_view text() const { return {digits.data(), digits.size()}; }
};
DecimalDigits decimalDigits(double value);

} // namespace quarvel

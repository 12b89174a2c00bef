#include "core/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace quarvel {

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The common case of a table cell: an optional sign and at most 15 digits with an optional
// decimal separator. Such a number is an integer below 2^53 divided by a power of ten, both exact
// doubles, and the division rounds correctly: the same double as the full conversion, quicker.
// False when the text is not of this form.
bool plainDecimal(std::string_view text, char separator, double &value)
{
    const char *p = text.data();
    const char *end = p + text.size();
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    for (; p < end && static_cast<unsigned>(*p - '0') < 10; ++p, ++digits)
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    if (p < end && *p == separator) {
        for (++p; p < end && static_cast<unsigned>(*p - '0') < 10; ++p, ++digits, ++decimals)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    if (p != end || digits == 0 || digits > 15)
        return false;
    value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    if (negative)
        value = -value;
    return true;
}

} // namespace

std::optional<double> textToFloat(std::string_view text, const UserLocale &locale)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    if (double plain; plainDecimal(text.substr(begin, end - begin), locale.decimalSeparator(), plain))
        return plain;

    // Checked by hand because from_chars would also take "inf", "nan" and hexadecimal forms.
    char buffer[128];
    std::size_t n = 0;
    std::size_t i = begin;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int digits = 0;
    bool exponentNegative = false;
    auto put = [&](char c) {
        if (n < sizeof buffer)
            buffer[n++] = c;
    };
    while (i < end && text[i] >= '0' && text[i] <= '9') {
        put(text[i++]);
        ++digits;
    }
    if (i < end && text[i] == locale.decimalSeparator()) {
        put('.');
        ++i;
        while (i < end && text[i] >= '0' && text[i] <= '9') {
            put(text[i++]);
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        put('e');
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            exponentNegative = text[i] == '-';
            put(text[i++]);
        }
        int exponentDigits = 0;
        while (i < end && text[i] >= '0' && text[i] <= '9') {
            put(text[i++]);
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;

    std::string longText;
    const char *first = buffer;
    const char *last = buffer + n;
    if (n == sizeof buffer) { // very long digit runs: rebuild without the length limit
        longText.assign(text.substr(begin, end - begin));
        if (!longText.empty() && (longText[0] == '+' || longText[0] == '-'))
            longText.erase(0, 1);
        for (char &c : longText) {
            if (c == locale.decimalSeparator())
                c = '.';
        }
        first = longText.data();
        last = first + longText.size();
    }
    double value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        if (!exponentNegative)
            return std::nullopt;
        value = 0; // underflow reads as zero
    } else if (result.ec != std::errc() || result.ptr != last) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<double> textToFloat(QStringView text, const UserLocale &locale)
{
    const QByteArray bytes = text.toUtf8();
    return textToFloat(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), locale);
}

DecimalDigits decimalDigits(double value)
{
    // As "%.14e" gives it, d.dddddddddddddde[+-]x: the digits around the point, then the
    // exponent. to_chars gives printf's exact digits, many times faster, which matters when an
    // evaluation repairs thousands of cells.
    char scientific[40];
    const auto written = std::to_chars(scientific, scientific + sizeof scientific - 1, std::fabs(value),
                                       std::chars_format::scientific, 14);
    *written.ptr = '\0';
    DecimalDigits decimal;
    decimal.digits[0] = scientific[0];
    std::copy(scientific + 2, scientific + 16, decimal.digits.begin() + 1);
    decimal.exponent = std::atoi(scientific + 17);
    return decimal;
}

QString formatFloat(std::string_view pattern, double value, const UserLocale &locale)
{
    const std::size_t point = pattern.find('.');
    const std::string_view integerPattern = pattern.substr(0, point);
    const std::string_view decimalPattern =
        point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    int minInteger = 0;
    for (char c : integerPattern)
        minInteger += c == '0';
    int minDecimals = 0;
    int maxDecimals = 0;
    for (char c : decimalPattern) {
        if (c == '0' || c == '#') {
            ++maxDecimals;
            if (c == '0')
                minDecimals = maxDecimals;
        }
    }

    if (!std::isfinite(value))
        return std::isnan(value) ? QStringLiteral("NAN") : value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    // 15 significant digits first, then decimal rounding half away from zero.
    const DecimalDigits decimal = decimalDigits(value);
    std::string digits(decimal.text());
    int integerDigits = decimal.exponent + 1; // digits before the decimal point
    if (value == 0)
        integerDigits = 1, digits = "0";

    const int keep = integerDigits + maxDecimals;
    if (keep < 0) {
        digits.clear();
    } else if (keep < static_cast<int>(digits.size())) {
        const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (roundUp) {
            int i = keep - 1;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
                digits[static_cast<std::size_t>(i--)] = '0';
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++integerDigits;
            }
        }
    }

    std::string integerPart;
    std::string fraction;
    for (int i = 0; i < integerDigits; ++i)
        integerPart += i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)] : '0';
    for (int i = 0; i < maxDecimals; ++i) {
        const int at = integerDigits + i;
        fraction += at >= 0 && at < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(at)] : '0';
    }
    while (static_cast<int>(fraction.size()) > minDecimals && fraction.back() == '0')
        fraction.pop_back();
    const std::size_t firstNonZero = integerPart.find_first_not_of('0');
    integerPart = firstNonZero == std::string::npos ? std::string() : integerPart.substr(firstNonZero);
    while (static_cast<int>(integerPart.size()) < minInteger)
        integerPart.insert(integerPart.begin(), '0');

    const bool zero = integerPart.find_first_not_of('0') == std::string::npos
                      && fraction.find_first_not_of('0') == std::string::npos;
    std::string out;
    if (value < 0 && !zero)
        out += '-';
    out += integerPart;
    if (!fraction.empty()) {
        out += locale.decimalSeparator();
        out += fraction;
    }
    return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

} // namespace quarvel

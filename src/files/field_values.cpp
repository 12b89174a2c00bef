#include "files/field_values.h"

#include "core/codepage.h"
#include "core/number_format.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace quarvel {

namespace {

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

bool isAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

template <std::size_t N>
void copyBytes(std::array<char, N> &field, std::string_view bytes)
{
    const std::size_t n = std::min(bytes.size(), N - 1);
    field.fill('\0');
    if (n > 0)
        std::memcpy(field.data(), bytes.data(), n);
}

} // namespace

QString trimmedFieldText(std::string_view bytes)
{
    while (!bytes.empty() && isBlank(bytes.front()))
        bytes.remove_prefix(1);
    while (!bytes.empty() && isBlank(bytes.back()))
        bytes.remove_suffix(1);
    return fromCodePage(bytes);
}

double decimalPointNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // Only digits or a point may start the number: from_chars would also take "inf" and "nan".
    if (at >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[at])) || text[at] == '.'))
        return 0;
    double value = 0;
    const auto result = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (result.ec != std::errc())
        return 0;
    return negative ? -value : value;
}

std::optional<std::int32_t> wholeNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

float toFloat(double value)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

std::string generalNumberText(double value, char decimalSeparator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    // 15 significant digits, then the trailing zeros go.
    const DecimalDigits decimal = decimalDigits(value);
    std::string_view digits = decimal.text();
    const int exponent = decimal.exponent;
    while (digits.size() > 1 && digits.back() == '0')
        digits.remove_suffix(1);

    std::string out = value < 0 ? "-" : "";
    if (exponent < 15 && std::fabs(value) >= 0.00001) {
        if (exponent < 0) {
            out += '0';
            out += decimalSeparator;
            out.append(static_cast<std::size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            const auto integerDigits = static_cast<std::size_t>(exponent + 1);
            if (digits.size() <= integerDigits) {
                out += digits;
                out.append(integerDigits - digits.size(), '0');
            } else {
                out += digits.substr(0, integerDigits);
                out += decimalSeparator;
                out += digits.substr(integerDigits);
            }
        }
        return out;
    }
    out += digits[0];
    if (digits.size() > 1) {
        out += decimalSeparator;
        out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
}

void setFaceName(FontSpec &font, std::string_view bytes)
{
    copyBytes(font.faceName, bytes);
}

void setColumnTitle(DataSettings &settings, int column, std::string_view bytes)
{
    copyBytes(settings.columnTitles[static_cast<std::size_t>(column)], bytes);
}

std::string_view CellText::toUtf8(std::string_view bytes)
{
    if (isAscii(bytes))
        return bytes;
    m_buffer = codePageToUtf8(bytes);
    return m_buffer;
}

std::string_view CellText::toCodePage(std::string_view utf8, bool &lossy)
{
    lossy = false;
    if (isAscii(utf8))
        return utf8;
    m_buffer = utf8ToCodePage(utf8, &lossy);
    return m_buffer;
}

} // namespace quarvel

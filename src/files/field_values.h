#pragma once

#include "core/settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

namespace quarvel {

// The text of a stored field with leading and trailing blanks and control characters removed.
QString trimmedFieldText(std::string_view bytes);

// A number stored as text with a decimal point: leading white space is skipped and reading stops
// at the first character that cannot continue the number; no number at all reads as 0.
double decimalPointNumber(std::string_view text);

// A whole number in decimal, blanks around it allowed; nothing else.
std::optional<std::int32_t> wholeNumber(std::string_view text);

// Values outside the range of a float become the largest float of their sign.
float toFloat(double value);

// The shortest general decimal form with up to 15 significant digits: fixed notation while the
// value has at most 15 integer digits and is not below 0.00001, else scientific (1.5E20, 1E-7).
std::string generalNumberText(double value, char decimalSeparator);

// Stored 8-bit texts copied into the settings records as bytes; the rest of the field is zeroed.
void setFaceName(FontSpec &font, std::string_view bytes);
void setColumnTitle(DataSettings &settings, int column, std::string_view bytes);

// Converts cells between the file's code page and the table's UTF-8 without copying plain ASCII.
class CellText
{
public:
    std::string_view toUtf8(std::string_view bytes);
    // The code page bytes of a cell; lossy tells whether characters had to be replaced.
    std::string_view toCodePage(std::string_view utf8, bool &lossy);

private:
    std::string m_buffer;
};

} // namespace quarvel

#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include <QString>

namespace quarvel {

// Files and settings records hold 8-bit texts. They are Windows-1252, what such files hold in
// practice, and this is the one place where they meet the program's Unicode texts.
QString fromCodePage(std::string_view bytes);

// Characters that Windows-1252 cannot hold become '?'; *lossy tells whether that happened.
std::string toCodePage(QStringView text, bool *lossy = nullptr);

// The same conversions straight between Windows-1252 bytes and UTF-8, for bulk texts.
std::string codePageToUtf8(std::string_view bytes);
std::string utf8ToCodePage(std::string_view utf8, bool *lossy = nullptr);

// A NUL-terminated text in a fixed field: the bytes up to the first NUL (or the whole field).
template <std::size_t N>
QString fieldText(const std::array<char, N> &field)
{
    std::size_t n = 0;
    while (n < N && field[n] != '\0')
        ++n;
    return fromCodePage(std::string_view(field.data(), n));
}

} // namespace quarvel

#include "core/codepage.h"

#include <array>

namespace quarvel {

namespace {

// 0x80..0x9F of Windows-1252; the five unassigned codes map to the C1 controls of the same value,
// so that every byte survives the trip through Unicode and back.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QString fromCodePage(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar *out = text.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

std::string toCodePage(QStringView text, bool *lossy)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    bool lost = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes += static_cast<char>(u);
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32; ++k) {
            if (kHighControls[static_cast<std::size_t>(k)] == u)
                found = k;
        }
        if (found >= 0) {
            bytes += static_cast<char>(0x80 + found);
        } else {
            bytes += '?';
            lost = true;
            if (QChar::isHighSurrogate(u) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
        }
    }
    if (lossy)
        *lossy = lost;
    return bytes;
}


std::string codePageToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
            continue;
        }
        const char16_t u = b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b);
        if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
        } else {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        }
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
    return out;
}

std::string utf8ToCodePage(std::string_view utf8, bool *lossy)
{
    bool plain = true;
    for (char c : utf8)
        plain = plain && static_cast<unsigned char>(c) < 0x80;
    if (plain) {
        if (lossy)
            *lossy = false;
        return std::string(utf8);
    }
    return toCodePage(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())), lossy);
}

} // namespace quarvel

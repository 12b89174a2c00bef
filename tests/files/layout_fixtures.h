#pragma once

// Small files of every stored layout, built from the layouts alone. The tests check what the
// readers make of them; the fuzz corpus generator starts from them.

#include "files/file_builder.h"

#include <array>
#include <string>
#include <vector>

namespace quarvel::test {

using Points = std::array<float, 12>;

inline Bytes overlayHeader(std::int32_t version, std::int32_t variant, std::int32_t count)
{
    Bytes b;
    b.raw(std::string_view("XVL\0", 4)).i32(version).i32(variant).i32(count);
    return b;
}

// The 160-byte record of the document file and the extended overlay file.
inline Record overlayRecord(char kind, std::int32_t style, std::int32_t color, std::int32_t fill, std::int32_t width,
                            std::int32_t fontSize, std::int32_t angle, const Points &points,
                            std::string_view fontName = {}, std::string_view text = {})
{
    Record r(160);
    r.u8(0, static_cast<std::uint8_t>(kind)).i32(4, style).i32(8, color).i32(12, fill).i32(16, width);
    r.i32(20, fontSize).i32(24, angle);
    for (std::size_t i = 0; i < 12; ++i)
        r.f32(28 + 4 * i, points[i]);
    return r.text(76, fontName).text(108, text);
}

// The older record: kind, style, twelve numbers as 8-byte texts, and in the long form a text.
inline Record numberOverlayRecord(std::size_t size, char kind, std::uint8_t style,
                                  const std::array<const char *, 12> &numbers, std::string_view text = {})
{
    Record r(size);
    r.u8(0, static_cast<std::uint8_t>(kind)).u8(1, style);
    for (std::size_t i = 0; i < 12; ++i)
        r.text(2 + 8 * i, std::string_view(numbers[i]).substr(0, 8));
    if (size > 98)
        r.text(98, text);
    return r;
}

inline const std::array<const char *, 12> kNumberTexts = {"10.5", " 20", "30.25", "40", "50", "60xyz",
                                                          "1e1",  "-2",  "",      "0",  "0", "12345678"};
inline const Points kNumberValues = {10.5f, 20, 30.25f, 40, 50, 60, 10, -2, 0, 0, 0, 12345678};

inline Bytes fileInfoAndCorners(std::string_view info)
{
    Bytes b;
    b.text(info, 255);
    for (int i = 1; i <= 12; ++i)
        b.f32(static_cast<float>(i));
    return b;
}

struct Version30Row
{
    std::string group;
    double a, b, c;
    std::string label;
};

// Version 3.0: settings with recognisable values, one curve, group "A", the given rows.
inline Bytes version30File(const std::vector<Version30Row> &rows, std::int32_t groups = 1)
{
    Bytes b;
    b.raw(std::string_view("qvd\0", 4)).i32(3).i32(0);
    Record s(324);
    s.i32(0, 8).i32(4, 2).i32(8, 0x0000FF).i32(20, 1).i32(24, 7);
    s.text(28, "Times").text(58, "Courier").text(89, "Verdana").text(120, "Symbol");
    s.u8(151, 0);
    for (std::size_t i = 0; i < 9; ++i)
        s.u8(153 + i, static_cast<std::uint8_t>(i % 2));
    s.u8(162, 0).u8(163, 1).u8(164, 1);
    s.text(165, "Na").text(195, "Ca").text(225, "Mg");
    s.i32(256, 14).i32(260, 11).i32(264, 8).i32(268, 12);
    s.u8(275, 1).u8(276, 1).text(277, "Tahoma").i32(308, 7);
    b << s;
    b.append(overlayHeader(4, 0, 1));
    b << overlayRecord('b', 1, 0x123456, 0, 2, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    b << Record(88).i32(76, groups);
    for (std::int32_t g = 0; g < groups && g < 1; ++g)
        b << Record(88).text(0, "A").i32(76, 65).i32(80, 0x00FF00);
    b.append(fileInfoAndCorners("old"));
    for (const Version30Row &row : rows)
        b << Record(88).text(0, row.group).f64(32, row.a).f64(40, row.b).f64(48, row.c).text(56, row.label);
    return b;
}

struct TextRow
{
    std::string group, a, b, c, d, label;
};

// Version 4.0: recognisable settings, one text label, group "A", the given rows.
inline Bytes version40File(const std::vector<TextRow> &rows)
{
    Bytes b;
    b.raw(std::string_view("qvd\0", 4)).i32(4).i32(0);
    Record s(476);
    s.i32(0, 12).i32(4, 3).i32(8, 0xAA).i32(12, 0xBB).i32(16, 5).i32(20, 2).i32(24, 9);
    for (std::size_t i = 0; i < 13; ++i)
        s.u8(28 + i, static_cast<std::uint8_t>((i + 1) % 2));
    s.text(41, "SiO2").text(71, "Al2O3").text(101, "FeO").text(131, "MgO");
    for (std::size_t i = 0; i < 6; ++i)
        s.u8(161 + i, 1);
    s.i32(168, -2).u8(172, 1).f32(176, 3).u8(180, 0).u8(181, 1).u8(182, 1);
    s.u8(183, 1).i32(184, 3).u8(192, 1).i32(196, 2); // fields this layout does not carry
    s.f32(200, 0.5f).f32(204, 0.25f);
    for (std::size_t f = 0; f < 6; ++f) {
        const std::size_t at = 212 + 44 * f;
        s.u8(at, 2).text(at + 1, "Font" + std::to_string(f)).i32(at + 32, 20 + static_cast<std::int32_t>(f));
        s.i32(at + 36, 0x010203).i32(at + 40, 8);
    }
    b << s;
    b.append(overlayHeader(4, 0, 1));
    b << overlayRecord('t', 0, 0xFF, 0, 1, 14, 90, {30, 30, 40}, "Arial", "  Label  ");
    b << Record(140).i32(132, 1);
    b << Record(140).text(0, "A").i32(132, 70).i32(136, 0xFF0000);
    b.append(fileInfoAndCorners("four"));
    for (const TextRow &row : rows) {
        b << Record(140).text(0, row.group).text(30, row.a).text(50, row.b).text(70, row.c).text(90, row.d).text(
            110, row.label);
    }
    return b;
}

// Tagged second-version file: recognisable settings, one long overlay record, group "A".
inline Bytes taggedFile(const std::vector<TextRow> &rows, std::string_view magic = std::string_view("qvo\0", 4),
                        std::int32_t first = 2, std::int32_t second = 9)
{
    Bytes b;
    b.raw(magic).i32(first).i32(second);
    Record s(372);
    s.i32(0, 6).i32(4, 2).i32(8, 0x0000FF).i32(20, 2).i32(24, 3);
    s.text(28, "Times").text(58, "Courier").text(89, "Verdana").text(120, "Symbol");
    s.u8(151, 0).u8(153, 0).u8(161, 0).u8(162, 0).u8(163, 1).u8(164, 1);
    s.text(165, "K").text(195, "Na").text(225, "Li");
    s.i32(256, 16).i32(260, 11).i32(264, 8).i32(268, 12);
    s.u8(333, 1).u8(334, 1).text(335, "Tahoma").i32(368, 7);
    b << s;
    b << Record(16).i32(12, 1);
    b << numberOverlayRecord(353, 'e', 3, kNumberTexts, "oval");
    b << Record(160).i32(152, 1);
    b << Record(160).text(0, "A").i32(152, 66).i32(156, 0x00FF00);
    for (const TextRow &row : rows)
        b << Record(160).text(0, row.group).text(30, row.a).text(50, row.b).text(70, row.c).text(90, row.label);
    return b;
}

// Untagged second-version file; extended selects the 98-byte overlay records.
inline Bytes untaggedFile(const std::vector<TextRow> &rows, bool extended, std::int32_t border = 2,
                          std::int32_t decimals = 1)
{
    Bytes b;
    Record s(276);
    s.i32(0, 5).i32(4, border).i32(8, 0x11).i32(12, 0x22).i32(20, decimals).i32(24, 4).i32(28, 18);
    s.prefixed(32, "Times").prefixed(64, "Courier").prefixed(96, "Verdana").prefixed(128, "Symbol");
    s.i32(160, 11).i32(164, 8).i32(168, 12).u8(172, 0);
    for (std::size_t i = 0; i < 12; ++i)
        s.u8(174 + i, static_cast<std::uint8_t>(i % 2));
    s.text(186, "Ca").text(216, "Mg").text(246, "Na+K");
    b << s;
    Record header(160);
    if (extended)
        header.text(0, std::string_view("XVL\0", 4));
    b << header.i32(152, 1);
    if (extended)
        b << numberOverlayRecord(98, 'b', 1, kNumberTexts);
    else
        b << Record(160).text(0, "3").text(30, "10").text(50, "20").text(70, "70").text(90, "30").text(110, "40").text(
            130, "30");
    b << Record(160).i32(152, 1);
    b << Record(160).text(0, "A").i32(152, 66).i32(156, 0x00FF00);
    for (const TextRow &row : rows)
        b << Record(160).text(0, row.group).text(30, row.a).text(50, row.b).text(70, row.c);
    return b;
}

// A record of the first-version file: seven length-prefixed texts of 21 bytes and 4 spare bytes.
inline Record firstRecord(const std::vector<std::string> &texts)
{
    Record r(151);
    for (std::size_t i = 0; i < texts.size(); ++i)
        r.prefixed(21 * i, texts[i]);
    return r;
}

struct FirstLine
{
    std::string style;
    std::array<std::string, 6> numbers;
};

inline Bytes firstFormatFile(const std::vector<FirstLine> &lines, const std::vector<TextRow> &rows)
{
    Bytes b;
    b << firstRecord({"Cl"}) << firstRecord({"SO4"}) << firstRecord({"HCO3", std::to_string(lines.size())});
    for (const FirstLine &line : lines) {
        std::vector<std::string> texts{line.style};
        texts.insert(texts.end(), line.numbers.begin(), line.numbers.end());
        b << firstRecord(texts);
    }
    for (int i = 0; i < 20; ++i)
        b << firstRecord({"skipped", "1", "2", "3"});
    for (const TextRow &row : rows)
        b << firstRecord({row.group, row.a, row.b, row.c, "ignored"});
    return b;
}

} // namespace quarvel::test

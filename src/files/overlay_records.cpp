#include "files/overlay_records.h"

#include "core/codepage.h"
#include "files/field_values.h"

namespace quarvel {

namespace {

constexpr std::size_t kPointsOffset = 28;
constexpr std::size_t kFontNameOffset = 76;
constexpr std::size_t kTextOffset = 108;

Weights *pointsOf(VectorLine &v, int i)
{
    Weights *points[4] = {&v.ternOrigin, &v.ternDest, &v.ternCtrl1, &v.ternCtrl2};
    return points[i];
}

const Weights *pointsOf(const VectorLine &v, int i)
{
    return pointsOf(const_cast<VectorLine &>(v), i);
}

bool storeText(RecordBuilder<OverlayRecord::kSize> &record, std::size_t offset, const QString &text,
               std::size_t maxLength)
{
    bool lossy = false;
    const std::string bytes = toCodePage(text, &lossy);
    return record.text(offset, bytes, maxLength) && !lossy;
}

} // namespace

OverlayHeader OverlayHeader::read(std::string_view bytes)
{
    return {i32At(bytes, 4), i32At(bytes, 8), i32At(bytes, 12)};
}

void OverlayHeader::write(ByteWriter &out) const
{
    out.bytes(std::string_view("XVL\0", 4));
    out.i32(version);
    out.i32(variant);
    out.i32(count);
}

VectorLine OverlayRecord::read(std::string_view record)
{
    VectorLine v;
    v.kind = static_cast<char>(u8At(record, 0));
    v.lineStyle = u8At(record, 4);
    v.color = i32At(record, 8);
    v.fill = u8At(record, 12);
    v.width = i32At(record, 16);
    v.fontSize = i32At(record, 20);
    v.angle = i32At(record, 24);
    for (int p = 0; p < 4; ++p) {
        for (int k = 0; k < 3; ++k)
            (*pointsOf(v, p))[static_cast<std::size_t>(k)] =
                f32At(record, kPointsOffset + static_cast<std::size_t>(4 * (3 * p + k)));
    }
    v.fontName = trimmedFieldText(textAt(record, kFontNameOffset, kMaxFontName + 1));
    v.text = trimmedFieldText(textAt(record, kTextOffset, kMaxText + 1));
    return v;
}

OverlayRecord::Changes OverlayRecord::write(ByteWriter &out, const VectorLine &v)
{
    RecordBuilder<kSize> record;
    record.bytes[0] = v.kind;
    record.i32(4, v.lineStyle);
    record.i32(8, v.color);
    record.i32(12, v.fill);
    record.i32(16, v.width);
    for (int p = 0; p < 4; ++p) {
        for (int k = 0; k < 3; ++k)
            record.f32(kPointsOffset + static_cast<std::size_t>(4 * (3 * p + k)),
                       (*pointsOf(v, p))[static_cast<std::size_t>(k)]);
    }
    Changes changes;
    if (v.kind == 't') {
        record.i32(20, v.fontSize);
        record.i32(24, v.angle);
        changes.fontName = !storeText(record, kFontNameOffset, v.fontName, kMaxFontName);
        changes.text = !storeText(record, kTextOffset, v.text, kMaxText);
    }
    out.bytes(record.view());
    return changes;
}

VectorLine OlderOverlayRecord::read(std::string_view record)
{
    VectorLine v;
    v.kind = static_cast<char>(u8At(record, 0));
    v.lineStyle = u8At(record, 1);
    for (int p = 0; p < 4; ++p) {
        for (int k = 0; k < 3; ++k) {
            const std::size_t offset = 2 + static_cast<std::size_t>(8 * (3 * p + k));
            (*pointsOf(v, p))[static_cast<std::size_t>(k)] = toFloat(decimalPointNumber(textAt(record, offset, 8)));
        }
    }
    return v;
}

std::string_view OlderOverlayRecord::text(std::string_view record)
{
    return textAt(record, kShortSize, kLongSize - kShortSize);
}

void writeOverlay(ByteWriter &out, const std::vector<VectorLine> &overlay, std::int32_t version,
                  std::vector<OverlayTextChange> &changes)
{
    OverlayHeader{version, 0, static_cast<std::int32_t>(overlay.size())}.write(out);
    for (std::size_t i = 0; i < overlay.size(); ++i) {
        const OverlayRecord::Changes changed = OverlayRecord::write(out, overlay[i]);
        if (changed.text)
            changes.push_back({static_cast<int>(i), false});
        if (changed.fontName)
            changes.push_back({static_cast<int>(i), true});
    }
}

std::uint8_t styleOfLetter(char letter)
{
    switch (letter) {
    case 'A': case 'a': return 2;
    case 'C': case 'c': return 1;
    case 'D': case 'd': return 3;
    default: return 0;
    }
}

} // namespace quarvel

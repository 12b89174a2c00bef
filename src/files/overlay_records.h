#pragma once

#include "core/vector_line.h"
#include "files/byte_io.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace quarvel {

// The stored form of the overlay, shared by the document file (version word 4) and the extended
// overlay file (version word 3).
struct OverlayHeader
{
    static constexpr std::size_t kSize = 16;
    std::int32_t version = 4;
    std::int32_t variant = 0;
    std::int32_t count = 0;

    // The magic is the caller's to check: the document file ignores it.
    static OverlayHeader read(std::string_view bytes);
    void write(ByteWriter &out) const;
};

// Where the writer had to change a stored text of an object.
struct OverlayTextChange
{
    int object = 0;
    bool fontName = false; // else the label text
};

struct OverlayRecord
{
    static constexpr std::size_t kSize = 160;
    static constexpr std::size_t kMaxText = 51;
    static constexpr std::size_t kMaxFontName = 31;

    static VectorLine read(std::string_view record);
    // Which stored texts differ from the object's: cut to the field or characters replaced.
    struct Changes
    {
        bool text = false;
        bool fontName = false;
    };
    // Kinds other than text store no font size, angle, font name or text.
    static Changes write(ByteWriter &out, const VectorLine &object);
};

// The records of earlier programs: kind, line style and twelve weights written as 8-byte texts,
// then, in the 353-byte form, a 255-byte label text.
struct OlderOverlayRecord
{
    static constexpr std::size_t kShortSize = 98;
    static constexpr std::size_t kLongSize = 353;

    // Kind, line style and the four points; every other field keeps the object's default.
    static VectorLine read(std::string_view record);
    static std::string_view text(std::string_view record);
};

// Writes the header and one record per object; the changed texts are appended to changes.
// Line style of the letter that starts a line of the overlay text file and a line record of the
// .qvo and .ter files: A dot, C dash, D dash-dot, in either case; any other letter solid.
std::uint8_t styleOfLetter(char letter);

void writeOverlay(ByteWriter &out, const std::vector<VectorLine> &overlay, std::int32_t version,
                  std::vector<OverlayTextChange> &changes);

} // namespace quarvel

#pragma once

// Pieces that the document file shares with its older layouts.

#include "core/document.h"
#include "files/byte_io.h"

#include <string_view>

namespace quarvel {

// Overlay header and records appended to the overlay; false when the file ends inside them.
bool readOverlaySection(ByteReader &in, Document &document);

// 255 bytes of file information and the four clip corners.
bool readFileInfoAndCorners(ByteReader &in, Document &document);

// Group records of a given size: name field, symbol and colour offsets; symbolSize < 0 takes the
// size from the record at offset + 8.
struct GroupRecordLayout
{
    std::size_t size;
    std::size_t nameWidth;
    std::size_t symbolOffset;
    std::int32_t symbolSize;
};
bool readGroups(ByteReader &in, Document &document, std::size_t headerSize, std::size_t countOffset,
                const GroupRecordLayout &layout);

// Makes room for every whole record that is left, plus the title row and the empty last row.
void prepareRows(Table &table, const ByteReader &in, std::size_t recordSize);

// The start of the settings block that version 3.0 shares with the tagged second-version file.
void readEarlySettings(std::string_view block, DiagramSettings &s, DataSettings &d);
// The first count fonts get character set 1 and colour 0; inner ticks are off.
void resetEarlyFonts(DiagramSettings &s, int count);

} // namespace quarvel

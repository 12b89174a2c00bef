#pragma once

#include "files/document_file.h"

#include <string_view>

namespace quarvel {

// Second-version files, tagged (magic, 2, 9) or untagged (no header). Empty rows are dropped.
ReadResult openOlderDocument(Document &document, const QString &fileName);
ReadResult readOlderDocument(Document &document, std::string_view bytes);
// The two forms on their own, without the row minimum.
bool readTaggedSecondVersion(Document &document, std::string_view bytes);
bool readUntaggedSecondVersion(Document &document, std::string_view bytes);

// First-version files: three titles, straight lines and rows of three parts.
ReadResult openFirstFormat(Document &document, const QString &fileName);
ReadResult readFirstFormat(Document &document, std::string_view bytes);

} // namespace quarvel

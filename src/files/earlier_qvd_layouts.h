#pragma once

#include "core/document.h"

#include <string_view>

namespace quarvel {

// The two earlier layouts of the document file, read from the start of the file (header
// included). Every setting the file does not carry keeps the fresh document's default.
bool readVersion30(Document &document, std::string_view bytes);
bool readVersion40(Document &document, std::string_view bytes);

} // namespace quarvel

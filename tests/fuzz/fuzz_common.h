#pragma once

// What a fuzz target does with a document a reader filled: the rest of Open, then a save, so
// that hostile settings and texts also reach the evaluation and the writer.

#include "files/document_file.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quarvel::fuzz {

inline std::string_view bytesOf(const std::uint8_t *data, std::size_t size)
{
    return std::string_view(reinterpret_cast<const char *>(data), size);
}

inline void finishOpen(Document &document, bool ok)
{
    if (!ok)
        return;
    applyRowMinimum(document.table);
    document.applyDataSettings();
    document.buildGroups();
    document.evaluateSamples();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    std::vector<ChangedText> changes;
    writeDocument(document, buffer, changes);
}

} // namespace quarvel::fuzz

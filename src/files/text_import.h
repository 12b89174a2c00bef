#pragma once

#include "core/document.h"

#include <string_view>

#include <QString>

namespace quarvel {

inline const QString kImportFailedMessage =
    QStringLiteral("Invalid file (you can only import a TAB delimited text file) or strange data found");

struct ImportResult
{
    bool ok = false;
    int rowsImported = 0; // rows written before the end or the rejected line
};

// Overwrites the data cells of the document from row 1 down, one line per row, then rebuilds the
// groups and evaluates. A rejected line stops the import; the rows before it stay.
ImportResult importTextFile(Document &document, const QString &path);
ImportResult importText(Document &document, std::string_view bytes);

} // namespace quarvel

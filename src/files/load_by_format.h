#pragma once

#include "core/document.h"

#include <memory>
#include <optional>

#include <QString>

namespace quarvel {

// The kinds of file a document can be read from.
enum class DocumentFormat { Qvd, Qvo, Ter, Txt };

std::optional<DocumentFormat> documentFormatFromName(QStringView name);      // "qvd", "qvo", "ter", "txt"
std::optional<DocumentFormat> documentFormatFromPath(const QString &path);   // by the extension

struct LoadedDocument
{
    std::unique_ptr<Document> document; // after a failed import as far as it was read; none after a failed open
    bool ok = false;
    QString message;                    // the program's message when not ok
    QString formatName;                 // which layout was read, e.g. "txt"
};

// Reads a file into a new document the way the program's Open (or Import) does.
LoadedDocument loadDocument(const QString &path, DocumentFormat format, const UserLocale &locale);

} // namespace quarvel

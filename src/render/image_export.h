#pragma once

#include "core/document.h"

#include <QString>

namespace quarvel {

enum class ExportFormat { Png, Svg, Pdf };

struct ExportOptions
{
    int width = 1600;
    int dpi = 96;
    bool thumbnail = false;
};

// The format a file name asks for by its extension (case ignored).
std::optional<ExportFormat> exportFormatFromPath(const QString &path);

// Draws the document (or its thumbnail) for width x width / 1.3 pixels and writes the file.
// Returns an empty string on success, else the reason.
QString exportDocument(Document &document, const QString &path, ExportFormat format, const ExportOptions &options);

} // namespace quarvel

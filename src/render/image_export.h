#pragma once

#include "core/document.h"

#include <QString>

namespace quarvel {

enum class ExportFormat { Png, Svg, Pdf };

// More samples than this go into an SVG or PDF as one picture: one element per sample makes
// files that viewers cannot open.
inline constexpr int kRasterSampleThreshold = 20000;

struct ExportOptions
{
    int width = 1600;
    int dpi = 96;
    bool thumbnail = false;
    // Drawn as the image window draws, which shows the points and the overlay whatever the
    // document stored: these leave them out.
    bool hidePoints = false;
    bool hideOverlay = false;
    // SVG and PDF: the samples as one embedded picture at the target's resolution, everything
    // else still vector. Done anyway above kRasterSampleThreshold samples.
    bool rasterSamples = false;
};

// The format a file name asks for by its extension (case ignored).
std::optional<ExportFormat> exportFormatFromPath(const QString &path);

// Draws the document (or its thumbnail) for width x width / 1.3 pixels and writes the file. The
// document's settings are left as they were. Returns an empty string on success, else the reason.
QString exportDocument(Document &document, const QString &path, ExportFormat format, const ExportOptions &options);

} // namespace quarvel

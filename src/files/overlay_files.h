#pragma once

#include "core/document.h"
#include "files/overlay_records.h"

#include <string_view>
#include <vector>

#include <QString>

namespace quarvel {

inline const QString kWrongFileMessage = QStringLiteral("Wrong file");
inline const QString kErrorWrittingFileMessage = QStringLiteral("Error writting file");

// The two overlay file types of the open dialog: the chosen type, not the extension, picks the reader.
enum class OverlayFileType { Extended, Text };

struct OverlayResult
{
    bool ok = false;
    QString message; // the program's message when not ok
};

// ".xvl" is appended unless the name ends in ".xvl" or ".XVL".
QString overlayFileName(const QString &chosenName);

struct OverlaySaveResult
{
    bool ok = false;
    QString fileName;
    QString message;
    std::vector<OverlayTextChange> changedTexts; // texts cut to their field or with replaced characters
};

// The extended overlay file, written beside the target and renamed over it only when complete.
OverlaySaveResult saveOverlayFile(const std::vector<VectorLine> &overlay, const QString &chosenName);

// The readers append the file's objects; objects read before a failure stay.
OverlayResult readExtendedOverlay(std::vector<VectorLine> &overlay, std::string_view bytes);
OverlayResult readOverlayText(std::vector<VectorLine> &overlay, std::string_view bytes);

// "Open overlay" without its window: the overlay is cleared and the selection dropped, the reader
// of the chosen type appends, and the document counts as modified whether or not the file was good.
OverlayResult openOverlay(Document &document, const QString &fileName, OverlayFileType type);

} // namespace quarvel

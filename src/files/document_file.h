#pragma once

#include "core/document.h"

#include <string_view>
#include <vector>

#include <QString>

class QIODevice;

namespace quarvel {

inline const QString kInvalidFileMessage = QStringLiteral("Invalid file");
inline const QString kErrorWritingFileMessage = QStringLiteral("Error writing file");

// The layouts a document can be read from.
enum class DocumentLayout { Current, Version40, Version30, Tagged, Untagged, FirstVersion };

// "qvd", "qvd-4.0", "qvd-3.0", "qvo", "qvo-untagged", "ter".
QString layoutName(DocumentLayout layout);

struct ReadResult
{
    bool ok = false;
    DocumentLayout layout = DocumentLayout::Current;
};

// A reader fills a freshly created document; after a failure the document is to be discarded.
// Each takes either the file name or the file's bytes.
ReadResult openDocument(Document &document, const QString &fileName);
ReadResult readDocument(Document &document, std::string_view bytes);

// The grid keeps at least this many rows, the title row included, after a file is read.
constexpr int kMinimumGridRows = 101;
void applyRowMinimum(Table &table);

// A text the document file cannot hold as it is: longer than its field, or holding characters
// that the file's code page lacks. The stored text is cut to the field, or the characters replaced.
struct ChangedText
{
    enum class Place { Cell, GroupName, OverlayText, OverlayFontName, FileInfo };
    Place place = Place::Cell;
    int index = 0;  // grid row, group or overlay object
    int column = 0; // grid column of a cell
    bool operator==(const ChangedText &) const = default;
};

struct SaveResult
{
    bool ok = false;
    QString fileName; // the name written to
    std::vector<ChangedText> changedTexts;
};

// ".qvd" is appended unless the name ends in ".qvd" or ".QVD".
QString documentFileName(const QString &chosenName);

// Writes the document to a temporary file beside the target and renames it over the target only
// when everything was written, so a failed save leaves the previous file as it was.
SaveResult saveDocument(const Document &document, const QString &chosenName);
bool writeDocument(const Document &document, QIODevice &device, std::vector<ChangedText> &changedTexts);

} // namespace quarvel

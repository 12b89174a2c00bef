#pragma once

#include "core/document.h"
#include "files/document_file.h"

#include <memory>

#include <QString>

namespace quarvel {

// The open dialog's file types, in the dialog's order (type index 1 to 3).
enum class OpenFileType { Current = 1, SecondVersion = 2, FirstVersion = 3 };

struct FileTypeFilter
{
    const char *label;
    const char *pattern;
};
inline constexpr FileTypeFilter kOpenFileTypes[3] = {
    {"Quarvel 3.0 files", "*.qvd"}, {"Quarvel 2.0 file", "*.qvo"}, {"Quarvel 1.0 files", "*.ter"}};
inline constexpr FileTypeFilter kSaveFileType = {"Quarvel 3.0 files", "*.qvd"};
inline constexpr const char *kOpenDefaultExtension = "*.qvo";
inline constexpr const char *kSaveDefaultExtension = "*.qvd";

struct OpenOutcome
{
    std::unique_ptr<Document> document; // none after a failure: the new document is discarded
    DocumentLayout layout = DocumentLayout::Current;
    QString message;                    // "Invalid file" after a failure
};

// A new document filled the way Open fills it: resetGroups, the reader of the chosen type, then
// the titles into the title row, buildGroups and evaluateSamples. The document is not modified.
OpenOutcome openDocumentFile(const QString &fileName, OpenFileType type, const UserLocale &locale);

// The file commands' share of the application state. currentFileName is application-wide: the
// last successful Open or Save As of any document sets it.
struct ApplicationFiles
{
    QString currentFileName;

    // Open: on success currentFileName and the document's caption become the file name.
    OpenOutcome open(const QString &fileName, OpenFileType type, const UserLocale &locale);
    // The file named at start-up is read as a document file whatever its extension; after a
    // failure the caller creates a new document and shows no message.
    OpenOutcome openFromCommandLine(const QString &fileName, const UserLocale &locale);
    // Save As: on success currentFileName and the caption become the chosen name (without an
    // appended extension) and the document is no longer modified; on failure nothing changes.
    SaveResult saveAs(Document &document, const QString &chosenName);
};

} // namespace quarvel

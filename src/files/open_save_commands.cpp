#include "files/open_save_commands.h"

#include "files/qvo_ter_files.h"

namespace quarvel {

OpenOutcome openDocumentFile(const QString &fileName, OpenFileType type, const UserLocale &locale)
{
    OpenOutcome outcome;
    auto document = std::make_unique<Document>(locale);
    document->resetGroups();
    ReadResult result;
    switch (type) {
    case OpenFileType::Current: result = openDocument(*document, fileName); break;
    case OpenFileType::SecondVersion: result = openOlderDocument(*document, fileName); break;
    case OpenFileType::FirstVersion: result = openFirstFormat(*document, fileName); break;
    }
    outcome.layout = result.layout;
    if (!result.ok) {
        outcome.message = kInvalidFileMessage;
        return outcome;
    }
    document->applyDataSettings();
    document->buildGroups();
    document->evaluateSamples();
    document->modified = false;
    outcome.document = std::move(document);
    return outcome;
}

OpenOutcome ApplicationFiles::open(const QString &fileName, OpenFileType type, const UserLocale &locale)
{
    OpenOutcome outcome = openDocumentFile(fileName, type, locale);
    if (outcome.document) {
        currentFileName = fileName;
        outcome.document->caption = fileName;
    }
    return outcome;
}

OpenOutcome ApplicationFiles::openFromCommandLine(const QString &fileName, const UserLocale &locale)
{
    return open(fileName, OpenFileType::Current, locale);
}

SaveResult ApplicationFiles::saveAs(Document &document, const QString &chosenName)
{
    SaveResult result = saveDocument(document, chosenName);
    if (result.ok) {
        currentFileName = chosenName;
        document.caption = chosenName;
        document.modified = false;
    }
    return result;
}

} // namespace quarvel

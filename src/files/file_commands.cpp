#include "files/file_commands.h"

#include "files/older_documents.h"

namespace quarvel {

OpenOutcome openDocumentFile(const QString &fileName, OpenFileType type, const UserLocale &locale)
{
    OpenOutcome outcome;
    auto document = std::make_unique<Document>(locale);
    document->ResetGroups();
    ReadResult result;
    switch (type) {
    case OpenFileType::Current: result = OpenDocument(*document, fileName); break;
    case OpenFileType::SecondVersion: result = OpenOlderDocument(*document, fileName); break;
    case OpenFileType::FirstVersion: result = OpenFirstFormat(*document, fileName); break;
    }
    outcome.layout = result.layout;
    if (!result.ok) {
        outcome.message = kInvalidFileMessage;
        return outcome;
    }
    document->ApplyDataSettings();
    document->BuildGroups();
    document->EvaluateSamples();
    document->modified = false;
    outcome.document = std::move(document);
    return outcome;
}

OpenOutcome ApplicationFiles::open(const QString &fileName, OpenFileType type, const UserLocale &locale)
{
    OpenOutcome outcome = openDocumentFile(fileName, type, locale);
    if (outcome.document) {
        CurrentFileName = fileName;
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
    SaveResult result = SaveDocument(document, chosenName);
    if (result.ok) {
        CurrentFileName = chosenName;
        document.caption = chosenName;
        document.modified = false;
    }
    return result;
}

} // namespace quarvel

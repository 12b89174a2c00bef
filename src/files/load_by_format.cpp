#include "files/load_by_format.h"

#include "files/open_save_commands.h"
#include "files/text_import.h"

#include <QFileInfo>

namespace quarvel {

std::optional<DocumentFormat> documentFormatFromName(QStringView name)
{
    const QString n = name.toString().toLower();
    if (n == QLatin1String("qvd"))
        return DocumentFormat::Qvd;
    if (n == QLatin1String("qvo"))
        return DocumentFormat::Qvo;
    if (n == QLatin1String("ter"))
        return DocumentFormat::Ter;
    if (n == QLatin1String("txt"))
        return DocumentFormat::Txt;
    return std::nullopt;
}

std::optional<DocumentFormat> documentFormatFromPath(const QString &path)
{
    return documentFormatFromName(QFileInfo(path).suffix());
}

LoadedDocument loadDocument(const QString &path, DocumentFormat format, const UserLocale &locale)
{
    LoadedDocument loaded;
    if (format != DocumentFormat::Txt) {
        const OpenFileType type = format == DocumentFormat::Qvd   ? OpenFileType::Current
                                  : format == DocumentFormat::Qvo ? OpenFileType::SecondVersion
                                                                  : OpenFileType::FirstVersion;
        OpenOutcome outcome = openDocumentFile(path, type, locale);
        loaded.ok = outcome.document != nullptr;
        loaded.document = std::move(outcome.document);
        loaded.message = outcome.message;
        loaded.formatName = layoutName(outcome.layout);
        return loaded;
    }
    loaded.document = std::make_unique<Document>(locale);
    loaded.formatName = QStringLiteral("txt");
    const ImportResult result = importTextFile(*loaded.document, path);
    loaded.ok = result.ok;
    if (!result.ok)
        loaded.message = kImportFailedMessage;
    return loaded;
}

} // namespace quarvel

#include "files/document_loader.h"

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
    loaded.document = std::make_unique<Document>(locale);
    switch (format) {
    case DocumentFormat::Txt: {
        loaded.formatName = QStringLiteral("txt");
        const ImportResult result = importTextFile(*loaded.document, path);
        loaded.ok = result.ok;
        if (!result.ok)
            loaded.message = kImportFailedMessage;
        break;
    }
    default:
        loaded.message = QStringLiteral("Invalid file");
        break;
    }
    return loaded;
}

} // namespace quarvel

#include "cli/commands.h"

#include "files/document_file.h"
#include "files/overlay_files.h"

namespace quarvel {

namespace {

QString placeText(const ChangedText &change)
{
    switch (change.place) {
    case ChangedText::Place::Cell:
        return QStringLiteral("row %1, column %2").arg(change.index).arg(change.column);
    case ChangedText::Place::GroupName: return QStringLiteral("group %1").arg(change.index + 1);
    case ChangedText::Place::OverlayText: return QStringLiteral("overlay object %1, text").arg(change.index + 1);
    case ChangedText::Place::OverlayFontName:
        return QStringLiteral("overlay object %1, font name").arg(change.index + 1);
    case ChangedText::Place::FileInfo: return QStringLiteral("file information");
    }
    return {};
}

constexpr const char *kChangedNote = ": text cut to its field or with characters the file cannot hold replaced\n";

int writeOverlay(const Document &document, const QString &target, QTextStream &err)
{
    const OverlaySaveResult result = saveOverlayFile(document.overlayList, target);
    if (!result.ok) {
        err << result.message << '\n';
        return ExitFailure;
    }
    for (const OverlayTextChange &change : result.changedTexts) {
        err << "quarvel-cli: overlay object " << change.object + 1 << (change.fontName ? ", font name" : ", text")
            << kChangedNote;
    }
    return ExitOk;
}

int writeDocumentFile(const Document &document, const QString &target, QTextStream &err)
{
    const SaveResult result = saveDocument(document, target);
    if (!result.ok) {
        err << kErrorWritingFileMessage << '\n';
        return ExitFailure;
    }
    for (const ChangedText &change : result.changedTexts)
        err << "quarvel-cli: " << placeText(change) << kChangedNote;
    return ExitOk;
}

} // namespace

int runConvert(const QStringList &words, QTextStream &, QTextStream &err)
{
    const CommandLine line = parseCommandLine(words, inputOptions() + QStringList{QStringLiteral("-o")}, {});
    const QString target = line.option(QStringLiteral("-o"));
    if (!line.error.isEmpty() || line.positional.size() != 1 || target.isEmpty()) {
        if (!line.error.isEmpty())
            err << "quarvel-cli: " << line.error << '\n';
        err << "usage: quarvel-cli convert FILE -o OUT.qvd|OUT.xvl [--format qvd|qvo|ter|txt] "
               "[--overlay FILE [--overlay-format xvl|ovl]]\n";
        return ExitUsage;
    }
    LoadedDocument loaded;
    const int status = loadInput(line, loaded, err);
    if (status != ExitOk)
        return status;
    if (target.endsWith(QLatin1String(".xvl"), Qt::CaseInsensitive))
        return writeOverlay(*loaded.document, target, err);
    return writeDocumentFile(*loaded.document, target, err);
}

} // namespace quarvel

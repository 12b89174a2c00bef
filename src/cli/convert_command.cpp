#include "cli/commands.h"

#include "files/document_file.h"
#include "files/overlay_files.h"

#include <QFileInfo>

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

const CommandSpec &convertCommand()
{
    static const CommandSpec commandSpec = [] {
        CommandSpec c;
        c.usage = QStringLiteral("usage: quarvel-cli convert FILE -o OUT.qvd|OUT.xvl [--format qvd|qvo|ter|txt] "
                                 "[--overlay FILE [--overlay-format xvl|ovl]]");
        c.summary = QStringLiteral("Writes the document in the current document format, or its overlay as an overlay "
                                   "file.");
        c.options = {{QStringLiteral("-o"), QStringLiteral("OUT.qvd|OUT.xvl"),
                      QStringLiteral("the file to write: a document (.qvd) or the overlay (.xvl)")}};
        for (const OptionSpec &o : inputOptions())
            c.options.push_back(o);
        return c;
    }();
    return commandSpec;
}

} // namespace

int runConvert(const QStringList &words, QTextStream &out, QTextStream &err)
{
    int status = ExitOk;
    const CommandLine line = parseOrExplain(words, convertCommand(), out, err, status);
    if (status != ExitOk || line.help)
        return status;
    const QString target = line.option(QStringLiteral("-o"));
    if (target.isEmpty())
        return usageError(convertCommand(), QStringLiteral("name the output file with -o"), err);
    // A name without an extension becomes NAME.qvd, as Save As makes it; any other extension
    // would have been written as NAME.png.qvd.
    const QString suffix = QFileInfo(target).suffix();
    const bool overlay = suffix.compare(QLatin1String("xvl"), Qt::CaseInsensitive) == 0;
    if (!overlay && !suffix.isEmpty() && suffix.compare(QLatin1String("qvd"), Qt::CaseInsensitive) != 0)
        return usageError(convertCommand(), QStringLiteral("the output file must end in .qvd or .xvl"), err);
    LoadedDocument loaded;
    status = loadInput(line, loaded, err);
    if (status != ExitOk)
        return status;
    if (overlay)
        return writeOverlay(*loaded.document, target, err);
    return writeDocumentFile(*loaded.document, target, err);
}

} // namespace quarvel

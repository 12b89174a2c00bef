#include "cli/commands.h"

#include "files/overlay_files.h"

#include <QFile>
#include <QFileInfo>

namespace quarvel {

namespace {

std::optional<OverlayFileType> overlayType(const CommandLine &line, const QString &path)
{
    const QString name = line.options.contains(QStringLiteral("--overlay-format"))
                             ? line.option(QStringLiteral("--overlay-format"))
                             : QFileInfo(path).suffix();
    if (name.compare(QLatin1String("xvl"), Qt::CaseInsensitive) == 0)
        return OverlayFileType::Extended;
    if (name.compare(QLatin1String("ovl"), Qt::CaseInsensitive) == 0)
        return OverlayFileType::Text;
    return std::nullopt;
}

// The program's message, and for a file that cannot be read at all also its path and the
// system's reason: "Invalid file: x.qvd: No such file or directory".
QString fileMessage(const QString &message, const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return message;
    return message + QStringLiteral(": ") + path + QStringLiteral(": ") + file.errorString();
}

} // namespace

std::vector<OptionSpec> inputOptions()
{
    return {{QStringLiteral("--format"), QStringLiteral("qvd|qvo|ter|txt"),
             QStringLiteral("read FILE as this kind of file instead of by its extension")},
            {QStringLiteral("--overlay"), QStringLiteral("FILE"), QStringLiteral("load an overlay file into the document first")},
            {QStringLiteral("--overlay-format"), QStringLiteral("xvl|ovl"),
             QStringLiteral("read the overlay file as this kind instead of by its extension")}};
}

CommandLine parseOrExplain(const QStringList &words, const CommandSpec &commandSpec, QTextStream &out, QTextStream &err,
                           int &status)
{
    CommandLine line = parseCommandLine(words, commandSpec);
    status = ExitOk;
    if (line.help)
        out << helpText(commandSpec);
    else if (!line.error.isEmpty())
        status = usageError(commandSpec, line.error, err);
    else if (line.positional.size() != 1)
        status = usageError(commandSpec, line.positional.isEmpty() ? QStringLiteral("name the input FILE")
                                                            : QStringLiteral("one input FILE only"),
                            err);
    return line;
}

int usageError(const CommandSpec &commandSpec, const QString &problem, QTextStream &err)
{
    if (!problem.isEmpty())
        err << "quarvel-cli: " << problem << '\n';
    err << commandSpec.usage << '\n';
    return ExitUsage;
}

int loadInput(const CommandLine &line, LoadedDocument &loaded, QTextStream &err)
{
    const QString path = line.positional.value(0);
    std::optional<DocumentFormat> format = line.options.contains(QStringLiteral("--format"))
                                               ? documentFormatFromName(line.option(QStringLiteral("--format")))
                                               : documentFormatFromPath(path);
    if (!format) {
        err << "quarvel-cli: cannot tell the format of " << path << "; name it with --format qvd|qvo|ter|txt\n";
        return ExitUsage;
    }
    std::optional<OverlayFileType> overlay;
    const QString overlayPath = line.option(QStringLiteral("--overlay"));
    if (line.options.contains(QStringLiteral("--overlay"))) {
        overlay = overlayType(line, overlayPath);
        if (!overlay) {
            err << "quarvel-cli: cannot tell the format of " << overlayPath
                << "; name it with --overlay-format xvl|ovl\n";
            return ExitUsage;
        }
    }
    loaded = loadDocument(path, *format, UserLocale::fromEnvironment());
    if (!loaded.ok) {
        err << fileMessage(loaded.message, path) << '\n';
        return ExitFailure;
    }
    if (overlay) {
        const OverlayResult result = openOverlay(*loaded.document, overlayPath, *overlay);
        if (!result.ok) {
            err << fileMessage(result.message, overlayPath) << '\n';
            return ExitFailure;
        }
    }
    return ExitOk;
}

} // namespace quarvel

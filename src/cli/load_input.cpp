#include "cli/commands.h"

#include "files/overlay_files.h"

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

} // namespace

QStringList inputOptions()
{
    return {QStringLiteral("--format"), QStringLiteral("--overlay"), QStringLiteral("--overlay-format")};
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
        err << loaded.message << '\n';
        return ExitFailure;
    }
    if (overlay) {
        const OverlayResult result = openOverlay(*loaded.document, overlayPath, *overlay);
        if (!result.ok) {
            err << result.message << '\n';
            return ExitFailure;
        }
    }
    return ExitOk;
}

} // namespace quarvel

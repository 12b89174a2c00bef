#include "cli/commands.h"

namespace quarvel {

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
    loaded = loadDocument(path, *format, UserLocale::fromEnvironment());
    if (!loaded.ok) {
        err << loaded.message << '\n';
        return ExitFailure;
    }
    return ExitOk;
}

} // namespace quarvel

#include "cli/commands.h"
#include "render/image_export.h"

namespace quarvel {

namespace {

const char *kRenderUsage =
    "usage: quarvel-cli render FILE -o OUT.png|OUT.svg|OUT.pdf [--width W] [--dpi N] [--thumbnail] "
    "[--format qvd|qvo|ter|txt] [--overlay FILE [--overlay-format xvl|ovl]]\n";

// A positive whole number within limits, or nullopt.
std::optional<int> positiveNumber(const QString &text, int maximum)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value <= 0 || value > maximum)
        return std::nullopt;
    return value;
}

} // namespace

int runRender(const QStringList &words, QTextStream &out, QTextStream &err)
{
    Q_UNUSED(out);
    const CommandLine line = parseCommandLine(
        words, inputOptions() + QStringList{QStringLiteral("-o"), QStringLiteral("--width"), QStringLiteral("--dpi")},
        {QStringLiteral("--thumbnail")});
    auto usage = [&](const QString &problem) {
        if (!problem.isEmpty())
            err << "quarvel-cli: " << problem << '\n';
        err << kRenderUsage;
        return ExitUsage;
    };
    if (!line.error.isEmpty())
        return usage(line.error);
    if (line.positional.size() != 1)
        return usage(QString());
    const QString output = line.option(QStringLiteral("-o"));
    if (output.isEmpty())
        return usage(QStringLiteral("name the output file with -o"));
    const std::optional<ExportFormat> format = exportFormatFromPath(output);
    if (!format)
        return usage(QStringLiteral("the output file must end in .png, .svg or .pdf"));

    ExportOptions options;
    options.thumbnail = line.has(QStringLiteral("--thumbnail"));
    if (line.options.contains(QStringLiteral("--width"))) {
        // Wide enough for a picture, small enough for one image in memory.
        const std::optional<int> width = positiveNumber(line.option(QStringLiteral("--width")), 20000);
        if (!width || *width < 2)
            return usage(QStringLiteral("--width needs a whole number from 2 to 20000"));
        options.width = *width;
    }
    if (line.options.contains(QStringLiteral("--dpi"))) {
        const std::optional<int> dpi = positiveNumber(line.option(QStringLiteral("--dpi")), 2400);
        if (!dpi)
            return usage(QStringLiteral("--dpi needs a whole number from 1 to 2400"));
        options.dpi = *dpi;
    }

    LoadedDocument loaded;
    const int status = loadInput(line, loaded, err);
    if (status != ExitOk)
        return status;
    const QString problem = exportDocument(*loaded.document, output, *format, options);
    // The process ends next and hands its memory back at once: freeing a large document first
    // only costs time. Kept reachable, so that leak checkers do not count it.
    static Document *keptToTheEnd = nullptr;
    keptToTheEnd = loaded.document.release();
    if (!problem.isEmpty()) {
        err << "quarvel-cli: " << problem << '\n';
        return ExitFailure;
    }
    return ExitOk;
}

} // namespace quarvel

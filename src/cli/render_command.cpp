#include "cli/commands.h"
#include "render/image_export.h"

namespace quarvel {

namespace {

// A positive whole number within limits, or nullopt.
std::optional<int> positiveNumber(const QString &text, int maximum)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value <= 0 || value > maximum)
        return std::nullopt;
    return value;
}

const CommandSpec &renderCommand()
{
    static const CommandSpec commandSpec = [] {
        CommandSpec c;
        c.usage = QStringLiteral("usage: quarvel-cli render FILE -o OUT.png|OUT.svg|OUT.pdf [--width W] [--dpi N] "
                                 "[--thumbnail] [--hide-points] [--hide-overlay] [--raster-samples] "
                                 "[--format qvd|qvo|ter|txt] [--overlay FILE [--overlay-format xvl|ovl]]");
        c.summary = QStringLiteral("Draws the document's diagram as the image window does and writes it as PNG, SVG or "
                                   "PDF after the extension.");
        c.options = {
            {QStringLiteral("-o"), QStringLiteral("OUT"), QStringLiteral("the picture to write: .png, .svg or .pdf")},
            {QStringLiteral("--width"), QStringLiteral("W"),
             QStringLiteral("picture width in pixels, 2 to 20000 (1600); the height is W / 1.3")},
            {QStringLiteral("--dpi"), QStringLiteral("N"), QStringLiteral("pixels per inch the fonts are sized for, 1 to 2400 (96)")},
            {QStringLiteral("--thumbnail"), QString(), QStringLiteral("draw the document window's small picture instead")},
            {QStringLiteral("--hide-points"), QString(), QStringLiteral("leave out the samples")},
            {QStringLiteral("--hide-overlay"), QString(), QStringLiteral("leave out the overlay")},
            {QStringLiteral("--raster-samples"), QString(),
             QStringLiteral("SVG and PDF: the samples as one embedded picture at the target's resolution (always done "
                            "above %1 samples)")
                 .arg(kRasterSampleThreshold)},
        };
        for (const OptionSpec &o : inputOptions())
            c.options.push_back(o);
        return c;
    }();
    return commandSpec;
}

} // namespace

int runRender(const QStringList &words, QTextStream &out, QTextStream &err)
{
    int status = ExitOk;
    const CommandLine line = parseOrExplain(words, renderCommand(), out, err, status);
    if (status != ExitOk || line.help)
        return status;
    auto usage = [&](const QString &problem) { return usageError(renderCommand(), problem, err); };
    const QString output = line.option(QStringLiteral("-o"));
    if (output.isEmpty())
        return usage(QStringLiteral("name the output file with -o"));
    const std::optional<ExportFormat> format = exportFormatFromPath(output);
    if (!format)
        return usage(QStringLiteral("the output file must end in .png, .svg or .pdf"));

    ExportOptions options;
    options.thumbnail = line.has(QStringLiteral("--thumbnail"));
    options.hidePoints = line.has(QStringLiteral("--hide-points"));
    options.hideOverlay = line.has(QStringLiteral("--hide-overlay"));
    options.rasterSamples = line.has(QStringLiteral("--raster-samples"));
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
    status = loadInput(line, loaded, err);
    if (status != ExitOk)
        return status;
    const QString problem = exportDocument(*loaded.document, output, *format, options);
    // The process ends next and hands its memory back at once: freeing a large document first
    // only costs time. Kept reachable, so that leak checkers do not count it.
    [[maybe_unused]] static Document *keptToTheEnd = nullptr;
    keptToTheEnd = loaded.document.release();
    if (!problem.isEmpty()) {
        err << "quarvel-cli: " << problem << '\n';
        return ExitFailure;
    }
    return ExitOk;
}

} // namespace quarvel

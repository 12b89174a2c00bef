#include "cli/commands.h"
#include "cli/document_json.h"
#include "core/number_format.h"

namespace quarvel {

namespace {

void printSummary(const LoadedDocument &loaded, QTextStream &out)
{
    const Document &doc = *loaded.document;
    const std::string_view format = doc.dataSettings.numberFormatPattern();
    out << doc.statusText() << '\n';
    out << "Groups: " << doc.groupList.size() << '\n';
    for (int i = 0; i < doc.groupList.size(); ++i) {
        const Group &g = doc.groupList.group(i);
        out << "  " << doc.groupList.name(i) << ": " << g.count << " samples, means";
        for (double mean : g.means)
            out << ' ' << formatFloat(format, mean, doc.locale());
        out << '\n';
    }
    int errors = 0;
    for (int r = 1; r < doc.table.rowCount(); ++r) {
        if (doc.table.status(r) >= 0)
            continue;
        if (errors++ == 0)
            out << "Rows with errors:\n";
        out << "  row " << r << ": " << doc.table.cell(r, 0) << '\n';
    }
}

const CommandSpec &infoCommand()
{
    static const CommandSpec commandSpec = [] {
        CommandSpec c;
        c.usage = QStringLiteral("usage: quarvel-cli info FILE [--json] [--format qvd|qvo|ter|txt] "
                                 "[--overlay FILE [--overlay-format xvl|ovl]]");
        c.summary = QStringLiteral("Prints a document's valid sample count, groups and rows with errors, or with --json "
                                   "the whole evaluated document.");
        c.options = {{QStringLiteral("--json"), QString(), QStringLiteral("print one JSON object instead of text")}};
        for (const OptionSpec &o : inputOptions())
            c.options.push_back(o);
        return c;
    }();
    return commandSpec;
}

} // namespace

int runInfo(const QStringList &words, QTextStream &out, QTextStream &err)
{
    int status = ExitOk;
    const CommandLine line = parseOrExplain(words, infoCommand(), out, err, status);
    if (status != ExitOk || line.help)
        return status;
    LoadedDocument loaded;
    status = loadInput(line, loaded, err);
    if (!loaded.document)
        return status;
    if (line.has(QStringLiteral("--json"))) {
        JsonWriter json;
        writeDocumentJson(json, *loaded.document, loaded.formatName);
        out << QString::fromStdString(json.text()) << '\n';
    } else {
        printSummary(loaded, out);
    }
    return status;
}

} // namespace quarvel

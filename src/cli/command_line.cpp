#include "cli/command_line.h"

#include <QCommandLineParser>

namespace quarvel {

namespace {

QString bareName(const QString &name)
{
    return name.mid(name.startsWith(QLatin1String("--")) ? 2 : 1);
}

QString helpOptionName()
{
    return QStringLiteral("help");
}

} // namespace

CommandLine parseCommandLine(const QStringList &words, const CommandSpec &commandSpec)
{
    QCommandLineParser parser;
    // -o out.png and -oout.png; a single dash never starts a long option.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    std::vector<QCommandLineOption> options;
    options.reserve(commandSpec.options.size());
    for (const OptionSpec &o : commandSpec.options) {
        options.push_back(o.valueName.isEmpty() ? QCommandLineOption(bareName(o.name), o.help)
                                                : QCommandLineOption(bareName(o.name), o.help, o.valueName));
        parser.addOption(options.back());
    }
    const QCommandLineOption help({QStringLiteral("h"), helpOptionName()}, QString());
    parser.addOption(help);

    CommandLine line;
    // The parser takes the first word for the program's name.
    if (!parser.parse(QStringList{QStringLiteral("quarvel-cli")} + words)) {
        line.error = parser.errorText();
        return line;
    }
    if (parser.isSet(help)) {
        line.help = true;
        return line;
    }
    for (std::size_t i = 0; i < options.size(); ++i) {
        const OptionSpec &o = commandSpec.options[i];
        if (!parser.isSet(options[i]))
            continue;
        if (o.valueName.isEmpty()) {
            line.flags.append(o.name);
            continue;
        }
        const QStringList values = parser.values(options[i]);
        if (values.size() > 1) {
            line.error = o.name + QStringLiteral(" is given more than once");
            return line;
        }
        line.options.insert(o.name, values.value(0));
    }
    line.positional = parser.positionalArguments();
    return line;
}

QString helpText(const CommandSpec &commandSpec)
{
    QString text = commandSpec.usage + QLatin1Char('\n') + commandSpec.summary + QStringLiteral("\n\noptions:\n");
    std::vector<std::pair<QString, QString>> rows;
    for (const OptionSpec &o : commandSpec.options)
        rows.emplace_back(o.valueName.isEmpty() ? o.name : o.name + QLatin1Char(' ') + o.valueName, o.help);
    rows.emplace_back(QStringLiteral("-h, --help"), QStringLiteral("print this help"));
    qsizetype width = 0;
    for (const auto &row : rows)
        width = std::max(width, row.first.size());
    for (const auto &[left, right] : rows)
        text += QStringLiteral("  ") + left.leftJustified(width + 2) + right + QLatin1Char('\n');
    return text;
}

} // namespace quarvel

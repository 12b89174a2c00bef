#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

namespace quarvel {

// Exit codes of quarvel-cli.
enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// One option of a command as the user writes it (-o, --width), the name of its value in the help
// (empty for a flag such as --json) and its line of help.
struct OptionSpec
{
    QString name;
    QString valueName;
    QString help;
};

// What a command accepts: its usage line, a sentence on what it does, and its options.
struct CommandSpec
{
    QString usage;
    QString summary;
    std::vector<OptionSpec> options;
};

// The words after the command: positional arguments, options with a value (--width 800,
// --width=800, -o x) and flags (--json). Words after "--" are positional.
struct CommandLine
{
    QStringList positional;
    QMap<QString, QString> options;
    QStringList flags;
    QString error; // set when the words do not fit
    bool help = false; // -h or --help: print the command's help and nothing else

    bool has(const QString &flag) const { return flags.contains(flag); }
    QString option(const QString &name) const { return options.value(name); }
};

// Parses with QCommandLineParser. A value option given twice is an error: there is no telling
// which of the two was meant.
CommandLine parseCommandLine(const QStringList &words, const CommandSpec &commandSpec);

// The usage line, the summary and one line per option.
QString helpText(const CommandSpec &commandSpec);

} // namespace quarvel

#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace quarvel {

// Exit codes of quarvel-cli.
enum ExitCode { ExitOk = 0, ExitFailure = 1, ExitUsage = 2 };

// The words after the command: positional arguments, options with a value (--width 800, -o x)
// and flags (--json).
struct CommandLine
{
    QStringList positional;
    QMap<QString, QString> options;
    QStringList flags;
    QString error; // set when the words do not fit

    bool has(const QString &flag) const { return flags.contains(flag); }
    QString option(const QString &name) const { return options.value(name); }
};

CommandLine parseCommandLine(const QStringList &words, const QStringList &valueOptions,
                             const QStringList &flagOptions);

} // namespace quarvel

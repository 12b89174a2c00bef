#pragma once

#include "cli/command_line.h"
#include "files/load_by_format.h"

#include <QStringList>
#include <QTextStream>

#include <vector>

namespace quarvel {

// One function per command: the words after the command name; returns the exit code. Each
// prints its help for -h or --help.
int runInfo(const QStringList &words, QTextStream &out, QTextStream &err);
int runRender(const QStringList &words, QTextStream &out, QTextStream &err); // needs a QGuiApplication
int runConvert(const QStringList &words, QTextStream &out, QTextStream &err);

// The options every command that reads a document takes: --format, --overlay, --overlay-format.
std::vector<OptionSpec> inputOptions();

// The parsed words, or the help on out (ExitOk) or a usage error on err (ExitUsage) in status.
// Only a line with status ExitOk and help unset is a command to run.
CommandLine parseOrExplain(const QStringList &words, const CommandSpec &commandSpec, QTextStream &out, QTextStream &err,
                           int &status);
// A usage error: the problem and the command's usage line on err; returns ExitUsage.
int usageError(const CommandSpec &commandSpec, const QString &problem, QTextStream &err);

// Loads the input file of a command: the format from --format or the file's extension. Prints
// the program's message on err when the file fails; the document as far as it was read stays.
int loadInput(const CommandLine &line, LoadedDocument &loaded, QTextStream &err);

} // namespace quarvel

#pragma once

#include "cli/command_line.h"
#include "files/load_by_format.h"

#include <QStringList>
#include <QTextStream>

namespace quarvel {

// One function per command: the words after the command name; returns the exit code.
int runInfo(const QStringList &words, QTextStream &out, QTextStream &err);
int runRender(const QStringList &words, QTextStream &out, QTextStream &err); // needs a QGuiApplication
int runConvert(const QStringList &words, QTextStream &out, QTextStream &err);

// The options every command that reads a document takes: --format, --overlay, --overlay-format.
QStringList inputOptions();

// Loads the input file of a command: the format from --format or the file's extension. Prints
// the program's message on err when the file fails; the document as far as it was read stays.
int loadInput(const CommandLine &line, LoadedDocument &loaded, QTextStream &err);

} // namespace quarvel

// quarvel-cli: the program's documents from the command line, for scripts and batch work.

#include "cli/commands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

const char *kUsage =
    "usage: quarvel-cli COMMAND ...\n"
    "  info FILE [--json] [--format qvd|qvo|ter|txt]   print a document's table, groups and settings\n";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList words = QCoreApplication::arguments().mid(1);
    if (words.isEmpty()) {
        err << kUsage;
        return quarvel::ExitUsage;
    }
    const QString command = words.takeFirst();
    if (command == QLatin1String("info"))
        return quarvel::runInfo(words, out, err);
    if (command == QLatin1String("--help") || command == QLatin1String("help")) {
        out << kUsage;
        return quarvel::ExitOk;
    }
    err << "quarvel-cli: unknown command " << command << '\n' << kUsage;
    return quarvel::ExitUsage;
}

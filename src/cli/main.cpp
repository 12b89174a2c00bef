// quarvel-cli: the program's documents from the command line, for scripts and batch work.

#include "cli/commands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <string_view>

namespace {

const char *kUsage =
    "usage: quarvel-cli COMMAND ...\n"
    "  info FILE [--json] [--format qvd|qvo|ter|txt]   print a document's table, groups and settings\n"
    "  render FILE -o OUT.png|OUT.svg|OUT.pdf [--width W] [--dpi N] [--thumbnail] [--hide-points] [--hide-overlay]\n"
    "         [--raster-samples]   draw the diagram to a file\n"
    "  convert FILE -o OUT.qvd|OUT.xvl [--format qvd|qvo|ter|txt]   write the document, or its overlay\n"
    "  (info, render and convert take --overlay FILE [--overlay-format xvl|ovl] to load an overlay first)\n"
    "  quarvel-cli COMMAND --help   that command's options;   quarvel-cli --version   the program's version\n";

QtMessageHandler previousHandler = nullptr;

// Qt's note that it picked a runtime folder is noise on a script's standard error.
void quietMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

// Drawing needs fonts, hence a GUI application; without a display it runs on the offscreen
// platform.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (argc > 1 && std::string_view(argv[1]) == "render") {
        previousHandler = qInstallMessageHandler(quietMessages);
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quarvel-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUARVEL_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList words = QCoreApplication::arguments().mid(1);
    if (words.isEmpty()) {
        err << kUsage;
        return quarvel::ExitUsage;
    }
    QString command = words.takeFirst();
    // "help render" is "render --help".
    if (command == QLatin1String("help") && !words.isEmpty()) {
        command = words.takeFirst();
        words = QStringList{QStringLiteral("--help")};
    }
    if (command == QLatin1String("info"))
        return quarvel::runInfo(words, out, err);
    if (command == QLatin1String("render"))
        return quarvel::runRender(words, out, err);
    if (command == QLatin1String("convert"))
        return quarvel::runConvert(words, out, err);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        out << kUsage;
        return quarvel::ExitOk;
    }
    if (command == QLatin1String("--version")) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        return quarvel::ExitOk;
    }
    err << "quarvel-cli: unknown command " << command << '\n' << kUsage;
    return quarvel::ExitUsage;
}

// The command line itself: help, version, option forms, repeated options, refused output names and
// the messages for files that cannot be read.

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <QDir>

using namespace quarvel::test;

namespace {

const QByteArray kTable = "Basalt\t20\t30\t50\t\tB-1\n"
                          "Granite\t60\t10\t30\t\tG-1\n";

QStringList words(std::initializer_list<QString> list)
{
    return QStringList(list);
}

} // namespace

TEST(CommandLine, EveryCommandPrintsItsHelp)
{
    for (const QString &command : {QStringLiteral("info"), QStringLiteral("render"), QStringLiteral("convert")}) {
        for (const QStringList &arguments : {words({command, QStringLiteral("--help")}), words({command, QStringLiteral("-h")}),
                                             words({QStringLiteral("help"), command}),
                                             // help wins over whatever else is missing or wrong
                                             words({command, QStringLiteral("no-such-file.qvd"), QStringLiteral("--help")})}) {
            const CliResult result = runCli(arguments);
            EXPECT_EQ(result.exitCode, 0) << arguments.join(QLatin1Char(' ')).toStdString();
            EXPECT_TRUE(result.out.startsWith("usage: quarvel-cli " + command.toUtf8() + " FILE")) << result.out.toStdString();
            EXPECT_TRUE(result.out.contains("--overlay-format xvl|ovl")) << result.out.toStdString();
            EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
        }
    }
    const CliResult render = runCli({QStringLiteral("render"), QStringLiteral("--help")});
    for (const char *option : {"--width W", "--dpi N", "--thumbnail", "--hide-points", "--hide-overlay", "--raster-samples"})
        EXPECT_TRUE(render.out.contains(option)) << option;
    EXPECT_TRUE(runCli({QStringLiteral("info"), QStringLiteral("--help")}).out.contains("--json"));
}

TEST(CommandLine, VersionPrintsTheProgramsVersion)
{
    const CliResult result = runCli({QStringLiteral("--version")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, QByteArray("quarvel-cli " QUARVEL_VERSION "\n"));
}

TEST(CommandLine, ValuesAfterAnEqualsSignAndFilesAfterADoubleDash)
{
    QTemporaryDir dir;
    // A file whose name starts with a dash is read after "--".
    const QString input = writeFile(dir, QStringLiteral("-rocks.txt"), kTable);
    const QString png = dir.filePath(QStringLiteral("rocks.png"));
    const CliResult rendered = runCli({QStringLiteral("render"), QStringLiteral("--width=400"), QStringLiteral("-o"), png,
                                       QStringLiteral("--"), input});
    ASSERT_EQ(rendered.exitCode, 0) << rendered.err.toStdString();
    QFile file(png);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(24);
    EXPECT_EQ(header.mid(16, 8), QByteArray::fromHex("0000019000000133")); // 400 x 307

    const CliResult info = runCli({QStringLiteral("info"), QStringLiteral("--format=txt"), QStringLiteral("--"), input});
    EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.startsWith("Number of valid samples = 2\n"));
    // Without "--" a word that starts with a dash is an option.
    EXPECT_EQ(runCli({QStringLiteral("info"), QStringLiteral("-rocks.txt")}).exitCode, 2);
}

// One value only: there is no telling which of two was meant, so nothing is written.
TEST(CommandLine, ASingleValuedOptionGivenTwiceIsAUsageError)
{
    QTemporaryDir dir;
    const QString input = writeFile(dir, QStringLiteral("rocks.txt"), kTable);
    const QString a = dir.filePath(QStringLiteral("a.png"));
    const QString b = dir.filePath(QStringLiteral("b.png"));
    const QStringList cases[] = {
        {QStringLiteral("render"), input, QStringLiteral("-o"), a, QStringLiteral("-o"), b},
        {QStringLiteral("render"), input, QStringLiteral("-o"), a, QStringLiteral("--width"), QStringLiteral("800"),
         QStringLiteral("--width=900")},
        {QStringLiteral("render"), input, QStringLiteral("-o"), a, QStringLiteral("--dpi"), QStringLiteral("96"),
         QStringLiteral("--dpi"), QStringLiteral("96")},
        {QStringLiteral("info"), input, QStringLiteral("--format"), QStringLiteral("txt"), QStringLiteral("--format"),
         QStringLiteral("qvd")},
        {QStringLiteral("convert"), input, QStringLiteral("--overlay"), input, QStringLiteral("--overlay"), input,
         QStringLiteral("-o"), dir.filePath(QStringLiteral("c.qvd"))},
    };
    for (const QStringList &arguments : cases) {
        const CliResult result = runCli(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(result.err.contains("more than once")) << result.err.toStdString();
        EXPECT_TRUE(result.err.contains("usage: quarvel-cli " + arguments[0].toUtf8())) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("rocks.txt")});
}

// convert writes documents and overlays only: "-o out.png" once wrote out.png.qvd and succeeded.
TEST(CommandLine, ConvertRefusesAnOutputItCannotWrite)
{
    QTemporaryDir dir;
    const QString input = writeFile(dir, QStringLiteral("rocks.txt"), kTable);
    for (const QString &name : {QStringLiteral("out.png"), QStringLiteral("out.txt"), QStringLiteral("out.qvo")}) {
        const CliResult result = runCli({QStringLiteral("convert"), input, QStringLiteral("-o"), dir.filePath(name)});
        EXPECT_EQ(result.exitCode, 2) << name.toStdString();
        EXPECT_TRUE(result.err.contains("usage: quarvel-cli convert")) << result.err.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("rocks.txt")});
    // A name without an extension is completed as Save As completes it.
    const CliResult bare = runCli({QStringLiteral("convert"), input, QStringLiteral("-o"), dir.filePath(QStringLiteral("out"))});
    EXPECT_EQ(bare.exitCode, 0) << bare.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("out.qvd"))));
    const CliResult upper = runCli({QStringLiteral("convert"), input, QStringLiteral("-o"), dir.filePath(QStringLiteral("UP.QVD"))});
    EXPECT_EQ(upper.exitCode, 0) << upper.err.toStdString();
}

// The program's own message, then the path and the system's reason.
TEST(CommandLine, FilesThatCannotBeReadAreNamedWithTheReason)
{
    QTemporaryDir dir;
    const QString input = writeFile(dir, QStringLiteral("rocks.txt"), kTable);
    const QString missing = dir.filePath(QStringLiteral("x.qvd"));
    struct Case { QStringList arguments; QByteArray message; };
    const Case cases[] = {
        {{QStringLiteral("info"), missing}, "Invalid file: " + missing.toUtf8() + ": No such file or directory\n"},
        {{QStringLiteral("render"), missing, QStringLiteral("-o"), dir.filePath(QStringLiteral("x.png"))},
         "Invalid file: " + missing.toUtf8() + ": No such file or directory\n"},
        {{QStringLiteral("info"), dir.filePath(QStringLiteral("x.txt"))},
         "Invalid file (you can only import a TAB delimited text file) or strange data found: " +
             dir.filePath(QStringLiteral("x.txt")).toUtf8() + ": No such file or directory\n"},
        {{QStringLiteral("info"), input, QStringLiteral("--overlay"), dir.filePath(QStringLiteral("x.xvl"))},
         "Wrong file: " + dir.filePath(QStringLiteral("x.xvl")).toUtf8() + ": No such file or directory\n"},
    };
    for (const Case &c : cases) {
        const CliResult result = runCli(c.arguments);
        EXPECT_EQ(result.exitCode, 1) << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(result.err, c.message);
    }
    // A readable file that holds something else keeps the program's message alone.
    const QString bad = writeFile(dir, QStringLiteral("bad.qvd"), "not a document");
    EXPECT_EQ(runCli({QStringLiteral("info"), bad}).err, QByteArray("Invalid file\n"));
    // A folder cannot be read as a document either.
    const CliResult folder = runCli({QStringLiteral("info"), QStringLiteral("--format"), QStringLiteral("qvd"), dir.path()});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(folder.err.startsWith("Invalid file: " + dir.path().toUtf8() + ": ")) << folder.err.toStdString();
}

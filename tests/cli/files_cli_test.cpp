#include "cli_runner.h"
#include "files/layout_fixtures.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace quarvel::test;

namespace {

QJsonObject info(const QStringList &arguments)
{
    const CliResult result = runCli(QStringList{QStringLiteral("info")} + arguments + QStringList{QStringLiteral("--json")});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return QJsonDocument::fromJson(result.out).object();
}

QStringList firstRowCells(const QJsonObject &doc)
{
    QStringList cells;
    for (const QJsonValue &cell : doc[QLatin1String("rows")].toArray().at(0).toObject()[QLatin1String("cells")].toArray())
        cells << cell.toString();
    return cells;
}

const std::vector<TextRow> kRows = {{"A", "20", "30", "50", "", "s1"}};

struct FormatCase
{
    const char *fileName;
    std::string bytes;
    const char *format;
    QStringList cells;
};

TEST(FilesCli, InfoReadsEveryFormatByItsExtension)
{
    QTemporaryDir dir;
    const QStringList upper = {QStringLiteral("1"), QStringLiteral("A"), QStringLiteral("20"), QStringLiteral("30"),
                               QStringLiteral("50"), QString()};
    const FormatCase cases[] = {
        {"v4.qvd", version40File(kRows).str(), "qvd-4.0", upper + QStringList{QStringLiteral("s1")}},
        {"v3.qvd", version30File({{"A", 20, 30, 50, "s1"}}).str(), "qvd-3.0", upper + QStringList{QStringLiteral("s1")}},
        {"tagged.qvo", taggedFile(kRows).str(), "qvo", upper + QStringList{QStringLiteral("s1")}},
        {"plain.qvo", untaggedFile(kRows, false).str(), "qvo-untagged", upper + QStringList{QString()}},
        {"first.ter", firstFormatFile({}, kRows).str(), "ter", upper + QStringList{QString()}},
        {"table.txt", "A\t20\t30\t50\t\ts1\n", "txt", upper + QStringList{QStringLiteral("s1")}}};
    for (const FormatCase &c : cases) {
        const QString path = writeTestFile(dir.filePath(QString::fromUtf8(c.fileName)), c.bytes);
        const QJsonObject doc = info({path});
        EXPECT_EQ(doc[QLatin1String("format")].toString(), QString::fromUtf8(c.format)) << c.fileName;
        EXPECT_EQ(firstRowCells(doc), c.cells) << c.fileName;
    }
}

TEST(FilesCli, FormatOptionOverridesTheExtension)
{
    QTemporaryDir dir;
    const QString path = writeTestFile(dir.filePath(QStringLiteral("lines.dat")), firstFormatFile({}, kRows).str());
    EXPECT_EQ(info({path, QStringLiteral("--format"), QStringLiteral("ter")})[QLatin1String("format")].toString(),
              QStringLiteral("ter"));
    // Read as a document file it is refused: the chosen format picks the reader.
    const CliResult wrong = runCli({QStringLiteral("info"), path, QStringLiteral("--format"), QStringLiteral("qvd")});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_EQ(wrong.err, QByteArray("Invalid file\n"));
    EXPECT_TRUE(wrong.out.isEmpty());
}

TEST(FilesCli, ConvertWritesADocumentThatReadsBackTheSame)
{
    QTemporaryDir dir;
    const QString qvo = writeTestFile(dir.filePath(QStringLiteral("old.qvo")), taggedFile(kRows).str());
    const QString out = dir.filePath(QStringLiteral("new"));
    const CliResult converted = runCli({QStringLiteral("convert"), qvo, QStringLiteral("-o"), out});
    ASSERT_EQ(converted.exitCode, 0) << converted.err.toStdString();

    QJsonObject before = info({qvo});
    QJsonObject after = info({out + QStringLiteral(".qvd")});
    EXPECT_EQ(after[QLatin1String("format")].toString(), QStringLiteral("qvd"));
    for (const char *member : {"rows", "groups", "diagramSettings", "dataSettings", "samples"})
        EXPECT_EQ(after[QLatin1String(member)], before[QLatin1String(member)]) << member;
    // An ellipse keeps its geometry; only labels store a text, font name and font size.
    const QJsonObject ellipseBefore = before[QLatin1String("overlay")].toArray().at(0).toObject();
    const QJsonObject ellipseAfter = after[QLatin1String("overlay")].toArray().at(0).toObject();
    for (const char *member : {"kind", "lineStyle", "color", "fill", "width", "ternOrigin", "ternDest", "ternCtrl1", "ternCtrl2"})
        EXPECT_EQ(ellipseAfter[QLatin1String(member)], ellipseBefore[QLatin1String(member)]) << member;
    EXPECT_EQ(ellipseAfter[QLatin1String("text")].toString(), QString());
}

TEST(FilesCli, ConvertWritesTheOverlayAndInfoLoadsIt)
{
    QTemporaryDir dir;
    const QString table = writeTestFile(dir.filePath(QStringLiteral("t.txt")), "A\t20\t30\t50\n");
    const QString ovl = writeTestFile(dir.filePath(QStringLiteral("l.ovl")), "C 10 20 70 30 40 30\n");
    const QString xvl = dir.filePath(QStringLiteral("l.xvl"));
    const CliResult converted =
        runCli({QStringLiteral("convert"), table, QStringLiteral("--overlay"), ovl, QStringLiteral("-o"), xvl});
    ASSERT_EQ(converted.exitCode, 0) << converted.err.toStdString();
    EXPECT_EQ(readTestFile(xvl).substr(0, 16), overlayHeader(3, 0, 1).str());

    const QJsonObject doc = info({table, QStringLiteral("--overlay"), xvl});
    const QJsonObject line = doc[QLatin1String("overlay")].toArray().at(0).toObject();
    EXPECT_EQ(line[QLatin1String("kind")].toString(), QStringLiteral("r"));
    EXPECT_EQ(line[QLatin1String("lineStyle")].toInt(), 1);
    EXPECT_EQ(line[QLatin1String("ternOrigin")].toArray(), (QJsonArray{10, 70, 20}));
    EXPECT_EQ(line[QLatin1String("ternDest")].toArray(), (QJsonArray{30, 30, 40}));
    for (const char *member : {"color", "fill", "width", "fontSize", "angle", "ternCtrl1", "ternCtrl2", "text", "fontName"})
        EXPECT_TRUE(line.contains(QLatin1String(member))) << member;

    // The .xvl file read as a text overlay, and the .ovl file as an extended one, are refused.
    const CliResult asText = runCli({QStringLiteral("info"), table, QStringLiteral("--overlay"), xvl,
                                     QStringLiteral("--overlay-format"), QStringLiteral("ovl")});
    EXPECT_EQ(asText.exitCode, 1);
    EXPECT_EQ(asText.err, QByteArray("Invalid file\n"));
    const CliResult asExtended = runCli({QStringLiteral("info"), table, QStringLiteral("--overlay"), ovl,
                                         QStringLiteral("--overlay-format"), QStringLiteral("xvl")});
    EXPECT_EQ(asExtended.exitCode, 1);
    EXPECT_EQ(asExtended.err, QByteArray("Wrong file\n"));
}

// The kind byte of an overlay object comes from the file: above 0x7F it is a Windows-1252
// character like any stored text, not an invalid UTF-8 byte.
TEST(FilesCli, OverlayKindGoesThroughTheCodePage)
{
    QTemporaryDir dir;
    const QString table = writeTestFile(dir.filePath(QStringLiteral("t.txt")), "A\t20\t30\t50\n");
    const QString ovl = writeTestFile(dir.filePath(QStringLiteral("l.ovl")), "C 10 20 70 30 40 30\n");
    const QString xvl = dir.filePath(QStringLiteral("l.xvl"));
    ASSERT_EQ(runCli({QStringLiteral("convert"), table, QStringLiteral("--overlay"), ovl, QStringLiteral("-o"), xvl})
                  .exitCode,
              0);
    const std::string written = readTestFile(xvl);
    for (const auto &[byte, kind] : {std::pair<char, QString>{'\x80', QStringLiteral("\u20AC")},
                                     {'\xE9', QStringLiteral("\u00E9")}, {'\xFF', QStringLiteral("\u00FF")}}) {
        std::string bytes = written;
        bytes[16] = byte; // the first object's kind, right after the 16-byte header
        const QString patched = writeTestFile(dir.filePath(QStringLiteral("k.xvl")), bytes);
        const QJsonObject doc = info({table, QStringLiteral("--overlay"), patched});
        EXPECT_EQ(doc[QLatin1String("overlay")].toArray().at(0).toObject()[QLatin1String("kind")].toString(), kind);
    }
}

TEST(FilesCli, ConvertReportsCutTextsAndFailedWrites)
{
    QTemporaryDir dir;
    const QString table =
        writeTestFile(dir.filePath(QStringLiteral("t.txt")), "A\t20\t30\t50\t\ta sample label far too long\n");
    const CliResult cut = runCli({QStringLiteral("convert"), table, QStringLiteral("-o"), dir.filePath(QStringLiteral("x.qvd"))});
    EXPECT_EQ(cut.exitCode, 0);
    EXPECT_TRUE(cut.err.contains("row 1, column 6")) << cut.err.toStdString();

    const CliResult failed =
        runCli({QStringLiteral("convert"), table, QStringLiteral("-o"), dir.filePath(QStringLiteral("no/dir/x.qvd"))});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err, QByteArray("Error writing file\n"));
}

} // namespace

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace quarvel::test;

namespace {

QJsonObject parse(const QByteArray &out)
{
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return json.object();
}

} // namespace

TEST(InfoCommand, PrintsTheEvaluatedDocumentAsJson)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("rocks.txt"),
                                   "Basalt\t20\t30\t50\t\tB-1\n"
                                   "basalt\t12,5\t30\t57.5\r\n"
                                   "Gr\xe8s\t1\t\t1\t2\tlow\n"
                                   "\t1\t2\t3\n");
    const CliResult result = runCli({QStringLiteral("info"), path, QStringLiteral("--json")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject doc = parse(result.out);

    EXPECT_EQ(doc[QLatin1String("status")].toString(), QStringLiteral("Number of valid samples = 3"));
    EXPECT_EQ(doc[QLatin1String("validSamples")].toInt(), 3);
    EXPECT_EQ(doc[QLatin1String("rowCount")].toInt(), 102);
    EXPECT_EQ(doc[QLatin1String("titles")].toArray().at(6).toString(), QStringLiteral("Sample label"));

    const QJsonArray rows = doc[QLatin1String("rows")].toArray();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[1].toObject()[QLatin1String("row")].toInt(), 2);
    const QJsonArray repaired = rows[1].toObject()[QLatin1String("cells")].toArray();
    EXPECT_EQ(repaired.at(0).toString(), QStringLiteral("2"));
    EXPECT_EQ(repaired.at(2).toString(), QStringLiteral("12.5"));
    EXPECT_EQ(rows[3].toObject()[QLatin1String("cells")].toArray().at(0).toString(), QStringLiteral("No group"));

    const QJsonArray groups = doc[QLatin1String("groups")].toArray();
    ASSERT_EQ(groups.size(), 2);
    const QJsonObject basalt = groups[0].toObject();
    EXPECT_EQ(basalt[QLatin1String("name")].toString(), QStringLiteral("Basalt"));
    EXPECT_EQ(basalt[QLatin1String("count")].toInt(), 2);
    EXPECT_EQ(basalt[QLatin1String("symbol")].toInt(), 109);
    EXPECT_EQ(basalt[QLatin1String("means")].toArray().at(0).toDouble(), 16.25);
    EXPECT_EQ(groups[1].toObject()[QLatin1String("name")].toString(), QStringLiteral("Grès")); // Windows-1252

    const QJsonArray samples = doc[QLatin1String("samples")].toArray();
    ASSERT_EQ(samples.size(), 3);
    const QJsonObject lower = samples[2].toObject();
    EXPECT_EQ(lower[QLatin1String("kind")].toString(), QStringLiteral("d"));
    EXPECT_EQ(lower[QLatin1String("percents")].toArray().at(3).toDouble(), 50.0);
    EXPECT_EQ(lower[QLatin1String("label")].toString(), QStringLiteral("low"));

    const QJsonObject settings = doc[QLatin1String("diagramSettings")].toObject();
    EXPECT_EQ(settings[QLatin1String("hasLowerSamples")].toInt(), 1);
    EXPECT_EQ(settings[QLatin1String("reserved24")].toInt(), 1);
    // Floats read back to the very same single-precision value.
    EXPECT_EQ(static_cast<float>(settings[QLatin1String("legendX")].toDouble()), 0.8f);
    EXPECT_EQ(settings[QLatin1String("symbolFont")].toObject()[QLatin1String("faceName")].toString(),
              QStringLiteral("WingDings"));
    EXPECT_EQ(settings[QLatin1String("columnAxis")].toArray().size(), 4);
    const QJsonObject data = doc[QLatin1String("dataSettings")].toObject();
    EXPECT_EQ(data[QLatin1String("numberFormat")].toString(), QStringLiteral("##0.####"));
    EXPECT_EQ(data[QLatin1String("columnPositions")].toArray().at(5).toInt(), 6);
    EXPECT_EQ(doc[QLatin1String("clipCorners")].toArray().at(1).toArray().at(1).toDouble(), -13.0);
    EXPECT_TRUE(doc[QLatin1String("overlay")].toArray().isEmpty());
    EXPECT_TRUE(doc[QLatin1String("fileInfo")].toString().isEmpty());
}

TEST(InfoCommand, RejectedLineKeepsTheRowsBeforeIt)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("broken.txt"), "A\t1\t2\t3\nnot a table line\nB\t1\t1\t1\n");
    const CliResult result = runCli({QStringLiteral("info"), path, QStringLiteral("--json")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains(
        "Invalid file (you can only import a TAB delimited text file) or strange data found"));
    const QJsonObject doc = parse(result.out);
    EXPECT_EQ(doc[QLatin1String("validSamples")].toInt(), 1);
    EXPECT_EQ(doc[QLatin1String("rows")].toArray().size(), 1);
}

TEST(InfoCommand, ExitCodes)
{
    QTemporaryDir dir;
    const QString good = writeFile(dir, QStringLiteral("good.txt"), "A\t1\t2\t3\n");
    struct Case
    {
        QStringList arguments;
        int exitCode;
    };
    const Case cases[] = {
        {{}, 2},
        {{QStringLiteral("info")}, 2},
        {{QStringLiteral("info"), good, QStringLiteral("--bogus")}, 2},
        {{QStringLiteral("frobnicate"), good}, 2},
        {{QStringLiteral("info"), dir.filePath(QStringLiteral("missing.txt"))}, 1},
        {{QStringLiteral("info"), good}, 0},
    };
    for (const Case &c : cases) {
        const CliResult result = runCli(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments.join(QLatin1Char(' ')).toStdString();
        if (c.exitCode == 2) {
            EXPECT_TRUE(result.err.contains("usage:"));
        }
    }
    const CliResult summary = runCli({QStringLiteral("info"), good});
    EXPECT_TRUE(summary.out.contains("Number of valid samples = 1"));
}

TEST(InfoCommand, TakesTheDecimalSeparatorFromTheEnvironment)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("t.txt"), "A\t12.5\t30\t57,5\n");
    struct Case
    {
        QStringList environment;
        const char *bottom;
        const char *right;
    };
    const Case cases[] = {
        {{QStringLiteral("LC_ALL=de_DE.UTF-8")}, "12,5", "57,5"},
        {{QStringLiteral("LC_ALL="), QStringLiteral("LC_NUMERIC=fr_FR.UTF-8"), QStringLiteral("LANG=en_US.UTF-8")}, "12,5", "57,5"},
        {{QStringLiteral("LC_ALL="), QStringLiteral("LC_NUMERIC="), QStringLiteral("LANG=de_DE.UTF-8")}, "12,5", "57,5"},
        {{QStringLiteral("LC_ALL=en_GB.UTF-8")}, "12.5", "57.5"},
    };
    for (const Case &c : cases) {
        const CliResult result = runCli({QStringLiteral("info"), path, QStringLiteral("--json")}, c.environment);
        ASSERT_EQ(result.exitCode, 0);
        const QJsonArray cells =
            parse(result.out)[QLatin1String("rows")].toArray().at(0).toObject()[QLatin1String("cells")].toArray();
        EXPECT_EQ(cells.at(2).toString(), QLatin1String(c.bottom)) << c.environment.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(cells.at(4).toString(), QLatin1String(c.right));
    }
}

TEST(InfoCommand, FloatsReadBackToTheSameSinglePrecisionValue)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("thirds.txt"), "A\t1\t1\t1\nA\t0.1\t0.2\t0.7\n");
    const CliResult result = runCli({QStringLiteral("info"), path, QStringLiteral("--json")});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.contains("33.333332")); // shortest form, not a double's 17 digits
    const QJsonArray samples = parse(result.out)[QLatin1String("samples")].toArray();
    const float third = static_cast<float>(1.0 / 3.0 * 100);
    const QJsonArray percents = samples.at(0).toObject()[QLatin1String("percents")].toArray();
    for (int axis = 0; axis < 3; ++axis)
        EXPECT_EQ(static_cast<float>(percents.at(axis).toDouble()), third) << axis;
    const QJsonArray parts = samples.at(1).toObject()[QLatin1String("parts")].toArray();
    EXPECT_EQ(static_cast<float>(parts.at(0).toDouble()), 0.1f);
    EXPECT_EQ(static_cast<float>(parts.at(2).toDouble()), 0.7f);
    EXPECT_EQ(static_cast<float>(samples.at(1).toObject()[QLatin1String("total")].toDouble()),
              static_cast<float>(double(0.1f) + double(0.2f) + double(0.7f)));
}

#include "cli_runner.h"

#include <gtest/gtest.h>

#include <QSize>
#include <QtEndian>

using namespace quarvel::test;

namespace {

const QByteArray kTable = "Basalt\t20\t30\t50\t\tB-1\n"
                          "Basalt\t25\t30\t45\t\tB-2\n"
                          "Granite\t60\t10\t30\t\tG-1\n";

QByteArray readAll(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// Width and height from a PNG file's header chunk; (0, 0) when it is not a PNG.
QSize pngSize(const QByteArray &bytes)
{
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.mid(12, 4) != "IHDR")
        return {};
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    return QSize(static_cast<int>(qFromBigEndian<quint32>(data + 16)), static_cast<int>(qFromBigEndian<quint32>(data + 20)));
}

} // namespace

TEST(RenderCommand, WritesPngSvgAndPdf)
{
    QTemporaryDir dir;
    const QString input = writeFile(dir, QStringLiteral("rocks.txt"), kTable);

    const QString png = dir.filePath(QStringLiteral("rocks.png"));
    CliResult result = runCli({QStringLiteral("render"), input, QStringLiteral("-o"), png});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QByteArray pngBytes = readAll(png);
    EXPECT_EQ(pngSize(pngBytes), QSize(1600, 1230));
    EXPECT_GT(pngBytes.size(), 10000); // a blank picture compresses to far less

    const QString small = dir.filePath(QStringLiteral("small.PNG"));
    result = runCli({QStringLiteral("render"), input, QStringLiteral("-o"), small, QStringLiteral("--width"),
                     QStringLiteral("400"), QStringLiteral("--thumbnail")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(pngSize(readAll(small)), QSize(400, 307));

    const QString svg = dir.filePath(QStringLiteral("rocks.svg"));
    result = runCli({QStringLiteral("render"), input, QStringLiteral("-o"), svg, QStringLiteral("--width"),
                     QStringLiteral("800")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QByteArray svgText = readAll(svg);
    EXPECT_TRUE(svgText.contains("<svg"));
    EXPECT_TRUE(svgText.contains("viewBox=\"0 0 800 615\""));
    EXPECT_TRUE(svgText.contains("Granite"));

    const QString pdf = dir.filePath(QStringLiteral("rocks.pdf"));
    result = runCli({QStringLiteral("render"), input, QStringLiteral("-o"), pdf, QStringLiteral("--dpi"),
                     QStringLiteral("150")});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QByteArray pdfBytes = readAll(pdf);
    EXPECT_TRUE(pdfBytes.startsWith("%PDF-"));
    EXPECT_TRUE(pdfBytes.trimmed().endsWith("%%EOF"));
    // 1600 x 1230 pixels at 150 dpi is 768 x 590.4 points; the page keeps whole points.
    EXPECT_TRUE(pdfBytes.contains("/MediaBox [0 0 768.000000 590.000000]"));
}

TEST(RenderCommand, UsageAndFileErrorsAsForInfo)
{
    QTemporaryDir dir;
    const QString input = writeFile(dir, QStringLiteral("rocks.txt"), kTable);
    struct Case { QStringList arguments; int exitCode; };
    const Case cases[] = {
        {{QStringLiteral("render"), input}, 2},
        {{QStringLiteral("render"), input, QStringLiteral("-o"), dir.filePath(QStringLiteral("x.gif"))}, 2},
        {{QStringLiteral("render"), input, QStringLiteral("-o"), dir.filePath(QStringLiteral("x.png")),
          QStringLiteral("--width"), QStringLiteral("wide")}, 2},
        {{QStringLiteral("render"), input, QStringLiteral("-o"), dir.filePath(QStringLiteral("x.png")),
          QStringLiteral("--colour")}, 2},
        {{QStringLiteral("render"), dir.filePath(QStringLiteral("missing.txt")), QStringLiteral("-o"),
          dir.filePath(QStringLiteral("x.png"))}, 1},
        {{QStringLiteral("render"), input, QStringLiteral("-o"), dir.filePath(QStringLiteral("no/such/dir/x.png"))}, 1},
    };
    for (const Case &c : cases) {
        const CliResult result = runCli(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(result.err.isEmpty());
        if (c.exitCode == 2) {
            EXPECT_TRUE(result.err.contains("usage: quarvel-cli render")) << result.err.toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.png"))));
}

TEST(RenderCommand, DrawsAnOverlayFileOverTheDiagram)
{
    QTemporaryDir dir;
    const QString input = writeFile(dir, QStringLiteral("rocks.txt"), kTable);
    // One straight line across the triangle, from an overlay text file.
    const QString overlay = writeFile(dir, QStringLiteral("line.ovl"), "C 10 20 70 30 40 30\n");
    const QString plain = dir.filePath(QStringLiteral("plain.png"));
    const QString withOverlay = dir.filePath(QStringLiteral("overlay.png"));
    ASSERT_EQ(runCli({QStringLiteral("render"), input, QStringLiteral("-o"), plain}).exitCode, 0);
    const CliResult result = runCli({QStringLiteral("render"), input, QStringLiteral("--overlay"), overlay,
                                     QStringLiteral("-o"), withOverlay});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_NE(readAll(plain), readAll(withOverlay));

    const CliResult wrongKind = runCli({QStringLiteral("render"), input, QStringLiteral("--overlay"), overlay,
                                        QStringLiteral("--overlay-format"), QStringLiteral("xvl"),
                                        QStringLiteral("-o"), withOverlay});
    EXPECT_EQ(wrongKind.exitCode, 1);
}

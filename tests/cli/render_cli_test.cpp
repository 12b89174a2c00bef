#include "cli_runner.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
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

// The pictures an SVG embeds, decoded.
std::vector<QImage> embeddedImages(const QByteArray &svg)
{
    std::vector<QImage> images;
    static const QRegularExpression data(QStringLiteral("xlink:href=\"data:image/png;base64,([^\"]+)\""));
    auto it = data.globalMatch(QString::fromUtf8(svg));
    while (it.hasNext())
        images.push_back(QImage::fromData(QByteArray::fromBase64(it.next().captured(1).toLatin1()), "PNG"));
    return images;
}

QString renderTo(const QString &input, const QString &output, const QStringList &options = {})
{
    const CliResult result = runCli(QStringList{QStringLiteral("render"), input, QStringLiteral("-o"), output} + options);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return output;
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

// A document saved with "Hide points" and "Hide overlay" draws as the image window shows it
// (both off); the options leave them out.
TEST(RenderCommand, DrawsPointsAndOverlayWhateverTheDocumentStored)
{
    QTemporaryDir dir;
    const QString input = writeFile(dir, QStringLiteral("rocks.txt"), kTable);
    const QString overlay = writeFile(dir, QStringLiteral("line.ovl"), "C 10 20 70 30 40 30\n");
    const QString shown = dir.filePath(QStringLiteral("shown.qvd"));
    ASSERT_EQ(runCli({QStringLiteral("convert"), input, QStringLiteral("--overlay"), overlay, QStringLiteral("-o"), shown})
                  .exitCode,
              0);
    QByteArray bytes = readAll(shown);
    // hidePoints and hideOverlay of the diagram settings, after the 12-byte header.
    ASSERT_EQ(bytes[12 + 42], 0);
    ASSERT_EQ(bytes[12 + 61], 0);
    bytes[12 + 42] = 1;
    bytes[12 + 61] = 1;
    const QString hidden = writeFile(dir, QStringLiteral("hidden.qvd"), bytes);

    auto png = [&](const QString &document, const QString &name, const QStringList &options = {}) {
        return readAll(renderTo(document, dir.filePath(name), QStringList{QStringLiteral("--width"), QStringLiteral("400")} + options));
    };
    const QByteArray everything = png(shown, QStringLiteral("a.png"));
    EXPECT_EQ(png(hidden, QStringLiteral("b.png")), everything);
    const QByteArray noPoints = png(shown, QStringLiteral("c.png"), {QStringLiteral("--hide-points")});
    const QByteArray noOverlay = png(shown, QStringLiteral("d.png"), {QStringLiteral("--hide-overlay")});
    const QByteArray neither = png(hidden, QStringLiteral("e.png"), {QStringLiteral("--hide-points"), QStringLiteral("--hide-overlay")});
    EXPECT_NE(noPoints, everything);
    EXPECT_NE(noOverlay, everything);
    EXPECT_NE(neither, noPoints);
    EXPECT_NE(neither, noOverlay);
    // The document file itself is not changed by drawing it.
    EXPECT_EQ(readAll(hidden), bytes);
}

// Many samples make one element each in an SVG or PDF, which viewers cannot open: the samples go
// in as one picture at the target's resolution, on request or above a threshold.
TEST(RenderCommand, SamplesAsOnePictureInSvgAndPdf)
{
    QTemporaryDir dir;
    const QString input = writeFile(dir, QStringLiteral("rocks.txt"), kTable);
    const QStringList width{QStringLiteral("--width"), QStringLiteral("800")};
    const QByteArray vector = readAll(renderTo(input, dir.filePath(QStringLiteral("v.svg")), width));
    const QByteArray picture =
        readAll(renderTo(input, dir.filePath(QStringLiteral("p.svg")), width + QStringList{QStringLiteral("--raster-samples")}));
    const QByteArray noPoints =
        readAll(renderTo(input, dir.filePath(QStringLiteral("n.svg")), width + QStringList{QStringLiteral("--hide-points")}));
    EXPECT_TRUE(embeddedImages(vector).empty());
    // Everything but the samples stays vector: the same texts as without the samples.
    EXPECT_EQ(picture.count("<text"), noPoints.count("<text"));
    EXPECT_LT(picture.count("<text"), vector.count("<text"));
    EXPECT_TRUE(picture.contains("Granite")); // the legend
    const std::vector<QImage> images = embeddedImages(picture);
    ASSERT_EQ(images.size(), 1u);
    const QImage samples = images[0].convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(samples.size(), QSize(800, 615));

    // Laid over the PNG drawn without samples, the picture gives the PNG drawn with them.
    QImage laid = QImage(renderTo(input, dir.filePath(QStringLiteral("n.png")), width + QStringList{QStringLiteral("--hide-points")}))
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&laid);
        painter.drawImage(0, 0, samples);
    }
    const QImage png = QImage(renderTo(input, dir.filePath(QStringLiteral("p.png")), width)).convertToFormat(QImage::Format_ARGB32);
    laid = laid.convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(png.size(), laid.size());
    int inked = 0, different = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            inked += qAlpha(samples.pixel(x, y)) > 0;
            const QRgb a = png.pixel(x, y), b = laid.pixel(x, y);
            // The PNG inside the SVG stores unpremultiplied colour: faint pixels may round apart.
            different += std::abs(qRed(a) - qRed(b)) > 2 || std::abs(qGreen(a) - qGreen(b)) > 2 ||
                         std::abs(qBlue(a) - qBlue(b)) > 2;
        }
    }
    EXPECT_GT(inked, 50);
    EXPECT_EQ(different, 0);

    const QByteArray pdf =
        readAll(renderTo(input, dir.filePath(QStringLiteral("p.pdf")), width + QStringList{QStringLiteral("--raster-samples")}));
    EXPECT_TRUE(pdf.contains("/Subtype /Image"));
    EXPECT_TRUE(pdf.contains("/Width 800"));
    EXPECT_FALSE(readAll(renderTo(input, dir.filePath(QStringLiteral("v.pdf")), width)).contains("/Subtype /Image"));

    // Above the threshold without asking: 20001 samples.
    QByteArray many;
    for (int i = 0; i <= 20000; ++i)
        many += "Basalt\t" + QByteArray::number(10 + i % 60) + "\t" + QByteArray::number(5 + i % 30) + "\t30\n";
    const QString large = writeFile(dir, QStringLiteral("many.txt"), many);
    const QByteArray dense = readAll(renderTo(large, dir.filePath(QStringLiteral("many.svg")), width));
    EXPECT_EQ(embeddedImages(dense).size(), 1u);
    EXPECT_LT(dense.size(), 2'000'000);
}

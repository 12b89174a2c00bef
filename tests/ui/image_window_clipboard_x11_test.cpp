// The copy as a picture as another program reads it from the system clipboard: runs on a virtual
// X display, with xclip as the other program.
#include "core/document_fixture.h"
#include "ui/image_window.h"

#include <QApplication>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace quarvel {

class ImageWindowClipboardTest : public QObject
{
    Q_OBJECT

private slots:
    void anotherProgramSeesThePictureFormats();
};

void ImageWindowClipboardTest::anotherProgramSeesThePictureFormats()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs the xcb platform (run under xvfb-run)");
    const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
    if (xclip.isEmpty())
        QSKIP("xclip is not installed");
    auto document = test::documentWith({{"Basalt", "30", "30", "40", "", "a"}, {"Dacite", "10", "80", "10", "", "b"}});
    ImageWindowHost host;
    host.activeDocument = [&] { return document.get(); };
    ImageWindow window(host);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.copyAsPicture(96);

    const auto readClipboard = [&](const QString &target) {
        QProcess process;
        process.start(xclip, {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"), target,
                              QStringLiteral("-o")});
        // The clipboard's owner is this process: it keeps answering while xclip asks.
        for (int waited = 0; process.state() != QProcess::NotRunning && waited < 20000; waited += 20)
            QTest::qWait(20);
        return process.readAllStandardOutput();
    };
    const QByteArray targets = readClipboard(QStringLiteral("TARGETS"));
    QVERIFY2(targets.contains("image/svg+xml"), targets.constData());
    QVERIFY2(targets.contains("image/png"), targets.constData());
    const QByteArray svg = readClipboard(QStringLiteral("image/svg+xml"));
    QVERIFY(svg.startsWith("<?xml"));
    QVERIFY(svg.contains("viewBox=\"0 0 672 516\""));
    QVERIFY(svg.contains("<title>Quarvel</title>"));
    QVERIFY(svg.trimmed().endsWith("</svg>"));
    // The diagram is in it: the axis numbers as text.
    QVERIFY(svg.contains(">100<") || svg.contains(">100 <"));
    QImage png;
    QVERIFY(png.loadFromData(readClipboard(QStringLiteral("image/png")), "PNG"));
    QCOMPARE(png.size(), QSize(672, 516));
}

} // namespace quarvel

QTEST_MAIN(quarvel::ImageWindowClipboardTest)
#include "image_window_clipboard_x11_test.moc"

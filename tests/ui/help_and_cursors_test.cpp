#include "ui/about_box.h"
#include "ui/cursors.h"
#include "ui/help_commands.h"

#include <QBitmap>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

using namespace quarvel;

Q_DECLARE_METATYPE(quarvel::DiagramCursor)

namespace {

int drawnCount(const QImage &pattern)
{
    int n = 0;
    for (int y = 0; y < pattern.height(); ++y)
        for (int x = 0; x < pattern.width(); ++x)
            n += pattern.pixelIndex(x, y);
    return n;
}

} // namespace

class HelpAndCursorsTest : public QObject
{
    Q_OBJECT
private slots:
    void cursorPictures_data();
    void cursorPictures();
    void invertingCursorHasOnlyInvertingPixels();
    void outlinedCursorIsBlackInsideWhite();
    void webPages_data();
    void webPages();
    void withoutAWebHostTheGuideAndTheAboutBoxAnswer();
    void withAWebHostThePagesOpen();
    void userGuideIsFoundBesideOrBelowTheProgram();
    void aboutBoxShowsNameAndVersion();
};

void HelpAndCursorsTest::cursorPictures_data()
{
    QTest::addColumn<DiagramCursor>("which");
    QTest::addColumn<QPoint>("hotSpot");
    QTest::addColumn<QList<QPoint>>("drawn");
    QTest::addColumn<QList<QPoint>>("blank");
    QTest::addColumn<int>("count");
    QTest::newRow("ring") << DiagramCursor::Ring << QPoint(15, 15)
                          << QList<QPoint>{{15, 15}, {8, 15}, {22, 15}, {15, 8}, {15, 22}}
                          << QList<QPoint>{{7, 15}, {23, 15}, {15, 7}, {15, 23}, {14, 15}, {16, 16}} << -1;
    QTest::newRow("open cross") << DiagramCursor::OpenCross << QPoint(15, 15)
                                << QList<QPoint>{{16, 7}, {16, 13}, {16, 19}, {16, 25}, {7, 16}, {13, 16}, {19, 16}, {25, 16}}
                                << QList<QPoint>{{16, 14}, {16, 16}, {16, 18}, {14, 16}, {18, 16}, {16, 6}, {26, 16}, {15, 15}}
                                << 28;
    QTest::newRow("corner") << DiagramCursor::Corner << QPoint(0, 0)
                            << QList<QPoint>{{2, 2}, {29, 2}, {2, 29}, {4, 4}, {29, 4}, {4, 29}, {9, 12}, {24, 20}, {9, 20}, {24, 12}}
                            << QList<QPoint>{{0, 0}, {3, 3}, {30, 2}, {2, 30}, {3, 4}, {10, 13}, {16, 16}}
                            << 28 + 27 + 26 + 25 + 2 * 16 + 2 * 7;
}

void HelpAndCursorsTest::cursorPictures()
{
    QFETCH(DiagramCursor, which);
    QFETCH(QPoint, hotSpot);
    QFETCH(QList<QPoint>, drawn);
    QFETCH(QList<QPoint>, blank);
    QFETCH(int, count);
    const QImage pattern = cursorPattern(which);
    QCOMPARE(pattern.size(), QSize(32, 32));
    QCOMPARE(cursorHotSpot(which), hotSpot);
    for (const QPoint &p : drawn)
        QVERIFY2(pattern.pixelIndex(p) == 1, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (const QPoint &p : blank)
        QVERIFY2(pattern.pixelIndex(p) == 0, qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    if (count >= 0)
        QCOMPARE(drawnCount(pattern), count);
    QCOMPARE(diagramCursor(which).hotSpot(), hotSpot);
}

void HelpAndCursorsTest::invertingCursorHasOnlyInvertingPixels()
{
    for (DiagramCursor which : {DiagramCursor::Ring, DiagramCursor::OpenCross, DiagramCursor::Corner}) {
        const QCursor cursor = makeCursor(which, true);
        const QImage bitmap = cursor.bitmap().toImage().convertToFormat(QImage::Format_Mono);
        const QImage mask = cursor.mask().toImage().convertToFormat(QImage::Format_Mono);
        const QImage pattern = cursorPattern(which);
        QCOMPARE(cursor.hotSpot(), cursorHotSpot(which));
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                // Bitmap set with the mask clear inverts; nothing is black or white.
                QCOMPARE(qGray(bitmap.pixel(x, y)) < 128, pattern.pixelIndex(x, y) == 1);
                QVERIFY(qGray(mask.pixel(x, y)) >= 128);
            }
        }
    }
}

void HelpAndCursorsTest::outlinedCursorIsBlackInsideWhite()
{
    const QImage pattern = cursorPattern(DiagramCursor::OpenCross);
    const QImage shape = makeCursor(DiagramCursor::OpenCross, false).pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shape.size(), QSize(32, 32));
    QCOMPARE(shape.pixel(16, 10), qRgba(0, 0, 0, 255));
    QCOMPARE(shape.pixel(15, 10), qRgba(255, 255, 255, 255));
    QCOMPARE(shape.pixel(16, 6), qRgba(255, 255, 255, 255));
    QCOMPARE(qAlpha(shape.pixel(16, 16)), 0); // the open centre stays open
    QCOMPARE(qAlpha(shape.pixel(0, 0)), 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (pattern.pixelIndex(x, y) == 1)
                QCOMPARE(shape.pixel(x, y), qRgba(0, 0, 0, 255));
}

void HelpAndCursorsTest::webPages_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("url");
    QTest::newRow("none") << "" << "";
    QTest::newRow("blank") << "  " << "";
    QTest::newRow("host") << "quarvel.example.org" << "https://quarvel.example.org/quarvel/help.html";
    QTest::newRow("scheme kept") << "http://intranet:8080/" << "http://intranet:8080/quarvel/help.html";
}

void HelpAndCursorsTest::webPages()
{
    QFETCH(QString, host);
    QFETCH(QString, url);
    QCOMPARE(HelpCommands::webPage(host, QStringLiteral("/quarvel/help.html")).toString(), url);
}

void HelpAndCursorsTest::withoutAWebHostTheGuideAndTheAboutBoxAnswer()
{
    QWidget window;
    HelpCommands help(&window, QString());
    QList<QUrl> opened;
    help.openUrl = [&](const QUrl &url) {
        opened.append(url);
        return true;
    };
    help.contents();
    help.onlineHelp();
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[0].isLocalFile());
    QVERIFY(opened[0].toLocalFile().endsWith(QLatin1String("help/Quarvel.html")));
    QCOMPARE(opened[1], opened[0]);

    bool aboutShown = false;
    QTimer::singleShot(0, &window, [&] {
        aboutShown = help.aboutBox().isVisible();
        QTest::mouseClick(help.aboutBox().findChild<QPushButton *>("okButton"), Qt::LeftButton);
    });
    help.versionCheck();
    QVERIFY(aboutShown);
    QCOMPARE(opened.size(), 2);
}

void HelpAndCursorsTest::withAWebHostThePagesOpen()
{
    QWidget window;
    HelpCommands help(&window, QStringLiteral("quarvel.example.org"));
    QList<QUrl> opened;
    help.openUrl = [&](const QUrl &url) {
        opened.append(url);
        return false; // a failure is not reported
    };
    help.contents();
    help.onlineHelp();
    help.versionCheck();
    QCOMPARE(opened.size(), 3);
    QVERIFY(opened[0].isLocalFile());
    QCOMPARE(opened[1].toString(), QStringLiteral("https://quarvel.example.org/quarvel/help.html"));
    QCOMPARE(opened[2].toString(), QStringLiteral("https://quarvel.example.org/quarvel/version.html"));
}

void HelpAndCursorsTest::userGuideIsFoundBesideOrBelowTheProgram()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString bin = root.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    const QString beside = bin + QStringLiteral("/help/Quarvel.html");
    const QString installed = root.filePath(QStringLiteral("share/quarvel/help/Quarvel.html"));
    // Neither exists: the place beside the program.
    QCOMPARE(HelpCommands::userGuidePath(bin), QDir::cleanPath(beside));
    QVERIFY(QDir().mkpath(QFileInfo(installed).path()));
    QFile(installed).open(QIODevice::WriteOnly);
    QCOMPARE(HelpCommands::userGuidePath(bin), QDir::cleanPath(installed));
    QVERIFY(QDir().mkpath(QFileInfo(beside).path()));
    QFile(beside).open(QIODevice::WriteOnly);
    QCOMPARE(HelpCommands::userGuidePath(bin), QDir::cleanPath(beside));
}

void HelpAndCursorsTest::aboutBoxShowsNameAndVersion()
{
    AboutBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("About"));
    auto *name = box.findChild<QLabel *>("productName");
    auto *version = box.findChild<QLabel *>("version");
    auto *ok = box.findChild<QPushButton *>("okButton");
    QVERIFY(name && version && ok);
    QCOMPARE(name->text(), QStringLiteral("Quarvel"));
    QCOMPARE(version->text(), QStringLiteral("Version 4.5a"));
    QVERIFY(name->font().bold() && version->font().bold());
    QCOMPARE(version->palette().color(QPalette::WindowText), QColor(Qt::red));
    QVERIFY(!box.findChild<QLabel *>("programIcon")->pixmap().isNull());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(ok->isDefault());
    QTest::keyClick(&box, Qt::Key_Return);
    QVERIFY(!box.isVisible());
}

QTEST_MAIN(HelpAndCursorsTest)
#include "help_and_cursors_test.moc"

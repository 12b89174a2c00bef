// Copy and Paste through the X11 clipboard that other programs share, checked with xclip.

#include "ui_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

using namespace quarvel;
using namespace quarvel::test;

namespace {

// The program must keep answering clipboard requests while the other program reads.
QByteArray runWhileServing(QProcess &process)
{
    while (!process.waitForFinished(20))
        QCoreApplication::processEvents();
    return process.readAllStandardOutput();
}

} // namespace

class ClipboardX11Test : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs the xcb platform");
        if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            QSKIP("xclip is not installed");
    }

    void anotherProgramReadsWhatCopyWrote()
    {
        UiFixture f;
        f.start();
        f.setCells(1, {"a", "b"});
        f.setCells(2, {"c", "d"});
        f.grid()->select(CellRange{1, 1, 2, 2});
        f.trigger("editCopy");
        QProcess xclip;
        xclip.start(QStringLiteral("xclip"), {"-o", "-selection", "clipboard"});
        QVERIFY(xclip.waitForStarted());
        QCOMPARE(runWhileServing(xclip), QByteArray("a\tb\rc\td\r"));
    }

    void pasteTakesWhatAnotherProgramCopied()
    {
        UiFixture f;
        f.start();
        QProcess xclip;
        // -quiet keeps xclip in the foreground, serving the text until it is ended here.
        xclip.start(QStringLiteral("xclip"), {"-i", "-selection", "clipboard", "-quiet"});
        QVERIFY(xclip.waitForStarted());
        xclip.write("G\t20\t30\t50\r\nH\t1\t2\t3\r\n");
        xclip.closeWriteChannel();
        QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::clipboard()->text().startsWith(QLatin1String("G\t20")), 5000);
        f.grid()->setCurrentCell(1, 1);
        f.trigger("editPaste");
        xclip.kill();
        xclip.waitForFinished();
        QCOMPARE(f.cell(1, 4), QStringLiteral("50"));
        QCOMPARE(f.cell(2, 1), QStringLiteral("H"));
        QCOMPARE(f.statusText(), QStringLiteral("Number of valid samples = 2"));
    }
};

QTEST_MAIN(ClipboardX11Test)
#include "clipboard_x11_test.moc"

#include "files/layout_fixtures.h"
#include "ui_fixture.h"

#include "files/document_file.h"

#include <QFile>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

using namespace quarvel;
using namespace quarvel::test;

namespace {

const QStringList kDocumentCommands = {
    "fileSaveAs",    "fileImport",         "editCut",         "editCopy",           "editPaste",
    "editSelectAll", "insertRow",          "clearCells",      "deleteRows",         "sortData",
    "editRecalculate", "editUpdateTriangle", "windowClose",   "windowShowImage",    "showOptions",
    "optionsData",   "dataOptions",        "optionsTriangle", "optionsAxis",        "optionsTicks",
    "optionsLegend", "optionsSubtriangle", "optionsAdvanced"};
const QStringList kAlwaysCommands = {"fileNew",  "fileOpen",   "fileExit",     "helpContents",
                                     "onlineHelp", "versionCheck", "helpAbout", "pasteInsert", "pasteOverwrite"};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A current-format document with one sample of group G.
void writeDocument(const QString &path)
{
    Document document(UserLocale::point());
    document.table.setCell(1, 1, u"G");
    document.table.setCell(1, 2, u"20");
    document.table.setCell(1, 3, u"30");
    document.table.setCell(1, 4, u"50");
    document.updateTriangle();
    QVERIFY(saveDocument(document, path).ok);
}

QStringList menuCaptions(const QMenu *menu)
{
    QStringList captions;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions)
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

QMenu *topMenu(MainWindow &window, const QString &caption)
{
    const QList<QAction *> actions = window.menuBar()->actions();
    for (QAction *action : actions) {
        if (action->text() == caption)
            return action->menu();
    }
    return nullptr;
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void startsWithOneNewDocument()
    {
        UiFixture f;
        MainWindow &window = f.start();
        // The maximised document's caption follows in brackets.
        QVERIFY(window.windowTitle().startsWith(QStringLiteral("Quarvel 4.5")));
        QCOMPARE(window.dataWindows().size(), 1);
        QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled"));
        QCOMPARE(f.statusText(), QStringLiteral("Number of valid samples = 0"));
        QCOMPARE(f.pasteModeText(), QStringLiteral("INSERT"));
        QCOMPARE(f.document().table.rowCount(), 102);
        QCOMPARE(f.grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Group label"));
        for (const QString &name : kDocumentCommands)
            QVERIFY2(f.command(name.toLatin1().constData())->isEnabled(), qPrintable(name));
        QVERIFY(f.prompt.messages.isEmpty());
    }

    void startsWithTheFileNamed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opens");
        QTest::newRow("current format") << "qvd" << true;
        QTest::newRow("second-version file") << "qvo" << false;
        QTest::newRow("missing file") << "missing" << false;
        QTest::newRow("damaged bytes") << "damaged" << false;
    }
    void startsWithTheFileNamed()
    {
        QFETCH(QString, kind);
        QFETCH(bool, opens);
        UiFixture f;
        const QString path = f.path(QStringLiteral("start.") + kind);
        if (kind == QLatin1String("qvd"))
            writeDocument(path);
        else if (kind == QLatin1String("qvo"))
            writeFile(path, taggedFile({{"A", "10", "20", "70", "", "s"}}).bytes());
        else if (kind == QLatin1String("damaged"))
            writeFile(path, QByteArray("qvd\0\x05\0\0\0garbage", 15));
        MainWindow &window = f.start({path});
        QCOMPARE(window.dataWindows().size(), 1);
        // Start-up never shows a message, whatever it was given.
        QVERIFY(f.prompt.messages.isEmpty());
        QCOMPARE(f.active()->windowTitle(), opens ? path : QStringLiteral("Untitled"));
        QCOMPARE(window.currentFileName(), opens ? path : QString());
        QVERIFY(f.command("fileSaveAs")->isEnabled());
        if (opens) {
            QCOMPARE(f.cell(1, 1), QStringLiteral("G"));
            QCOMPARE(f.statusText(), QStringLiteral("Number of valid samples = 1"));
            QVERIFY(!f.document().modified);
        }
    }

    void menusFollowTheProgramsOrder()
    {
        UiFixture f;
        MainWindow &window = f.start();
        QStringList top;
        const QList<QAction *> bar = window.menuBar()->actions();
        for (const QAction *action : bar)
            top << action->text();
        QCOMPARE(top, (QStringList{"&File", "&Edit", "&Options", "&Window", "&Help"}));
        QCOMPARE(menuCaptions(topMenu(window, "&File")),
                 (QStringList{"&New", "&Open...", "Save &As...", "C&lose", "-", "Import text file", "-", "E&xit"}));
        QCOMPARE(menuCaptions(topMenu(window, "&Edit")),
                 (QStringList{"Cu&t", "&Copy", "&Paste", "Select &All", "-", "Paste options", "-",
                              "Insert row at cursor", "Clear selected cells", "&Delete selected rows", "-",
                              "Sort data", "Recalculate", "-", "Update Triangle"}));
        QMenu *options = topMenu(window, "&Options");
        QCOMPARE(menuCaptions(options), (QStringList{"Image options", "Data options"}));
        QCOMPARE(menuCaptions(options->actions().at(0)->menu()),
                 (QStringList{"Triangle", "Data", "Axis", "Ticks and numbers", "Legend", "Subtriangle", "Advanced"}));
        QCOMPARE(menuCaptions(topMenu(window, "&Help")),
                 (QStringList{"&Contents", "Online help", "Version check", "About..."}));
        QMenu *windows = topMenu(window, "&Window");
        emit windows->aboutToShow();
        QCOMPARE(menuCaptions(windows), (QStringList{"Show Image", "-", "&Cascade", "Tile &Horizontally",
                                                     "&Tile Vertically", "-", "&1 Untitled"}));

        const std::pair<const char *, QKeySequence> shortcuts[] = {
            {"fileNew", QKeySequence("Ctrl+N")},      {"fileOpen", QKeySequence("Ctrl+O")},
            {"fileSaveAs", QKeySequence("Ctrl+S")},   {"editCut", QKeySequence("Ctrl+X")},
            {"editCopy", QKeySequence("Ctrl+C")},     {"editPaste", QKeySequence("Ctrl+V")},
            {"editSelectAll", QKeySequence("Ctrl+A")}, {"deleteRows", QKeySequence(Qt::Key_Delete)}};
        for (const auto &[name, keys] : shortcuts)
            QCOMPARE(f.command(name)->shortcut(), keys);

        QStringList buttons;
        const QList<QToolButton *> tools = window.findChild<QToolBar *>("toolBar")->findChildren<QToolButton *>();
        for (const QToolButton *tool : tools) {
            if (tool->defaultAction())
                buttons << tool->text();
        }
        QCOMPARE(buttons, (QStringList{"New", "Open", "Close", "Save", "Data", "Options", "Image"}));
        QCOMPARE(f.command("dataOptions")->toolTip(), QStringLiteral("Show data options"));
        QCOMPARE(f.command("windowShowImage")->toolTip(), QStringLiteral("Show image window"));
    }

    void pasteModeShowsInTheStatusBar()
    {
        UiFixture f;
        MainWindow &window = f.start();
        f.trigger("pasteOverwrite");
        QCOMPARE(f.pasteModeText(), QStringLiteral("OVERWRITE"));
        QCOMPARE(window.pasteMode(), PasteMode::Overwrite);
        f.trigger("pasteInsert");
        QCOMPARE(f.pasteModeText(), QStringLiteral("INSERT"));
        QVERIFY(f.command("pasteInsert")->isChecked());
    }

    void newOpensAnotherUntitledDocument()
    {
        UiFixture f;
        MainWindow &window = f.start();
        f.trigger("fileNew");
        QCOMPARE(window.dataWindows().size(), 2);
        QCOMPARE(window.activeDataWindow(), window.dataWindows().at(1));
        QVERIFY(window.activeDataWindow()->parentWidget()->isMaximized());
    }

    void openReadsTheChosenType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opens");
        QTest::newRow("current as current") << 1 << "qvd" << true;
        QTest::newRow("second version as second") << 2 << "qvo" << true;
        QTest::newRow("first version as first") << 3 << "ter" << true;
        // The type chosen in the dialog selects the reader, not the extension.
        QTest::newRow("second version as current") << 1 << "qvo" << false;
        QTest::newRow("current as second version") << 2 << "qvd" << false;
        QTest::newRow("missing") << 1 << "none" << false;
    }
    void openReadsTheChosenType()
    {
        QFETCH(int, type);
        QFETCH(QString, kind);
        QFETCH(bool, opens);
        UiFixture f;
        MainWindow &window = f.start();
        const QString path = f.path(QStringLiteral("file.") + kind);
        if (kind == QLatin1String("qvd"))
            writeDocument(path);
        else if (kind == QLatin1String("qvo"))
            writeFile(path, taggedFile({{"A", "10", "20", "70", "", "s"}}).bytes());
        else if (kind == QLatin1String("ter"))
            writeFile(path, firstFormatFile({}, {{"T", "1", "2", "3", "", ""}}).bytes());
        f.dialogs.open = OpenChoice{path, static_cast<OpenFileType>(type)};
        f.trigger("fileOpen");
        QCOMPARE(f.dialogs.asked, 1);
        QCOMPARE(window.dataWindows().size(), opens ? 2 : 1);
        if (opens) {
            QVERIFY(f.prompt.messages.isEmpty());
            QCOMPARE(f.active()->windowTitle(), path);
            QCOMPARE(window.currentFileName(), path);
            QVERIFY(!f.document().modified);
            QVERIFY(!f.cell(1, 1).isEmpty());
        } else {
            QCOMPARE(f.prompt.messages.size(), 1);
            QCOMPARE(f.prompt.messages.at(0).text, QStringLiteral("Invalid file"));
            QCOMPARE(f.prompt.messages.at(0).caption, QStringLiteral("Warning"));
            QVERIFY(!f.prompt.messages.at(0).question);
            QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled"));
            QVERIFY(window.currentFileName().isEmpty());
            QVERIFY(f.command("fileSaveAs")->isEnabled());
        }
    }

    void failingOpenWithoutDocumentsKeepsCommandsDisabled()
    {
        UiFixture f;
        MainWindow &window = f.start();
        f.trigger("windowClose");
        QVERIFY(window.dataWindows().isEmpty());
        f.dialogs.open = OpenChoice{f.path("nothing.qvd"), OpenFileType::Current};
        f.trigger("fileOpen");
        QVERIFY(window.dataWindows().isEmpty());
        QVERIFY(!f.command("fileSaveAs")->isEnabled());
        QCOMPARE(f.prompt.texts(), QStringList{"Invalid file"});
    }

    void cancelledDialogsDoNothing()
    {
        UiFixture f;
        MainWindow &window = f.start();
        f.trigger("fileOpen");
        f.trigger("fileSaveAs");
        f.trigger("fileImport");
        QCOMPARE(f.dialogs.asked, 3);
        QCOMPARE(window.dataWindows().size(), 1);
        QVERIFY(f.prompt.messages.isEmpty());
    }

    void saveAsAppendsTheExtensionAndReopens_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "data" << "data.qvd";
        QTest::newRow("lower case") << "data.qvd" << "data.qvd";
        QTest::newRow("upper case") << "data.QVD" << "data.QVD";
        QTest::newRow("other extension") << "data.txt" << "data.txt.qvd";
    }
    void saveAsAppendsTheExtensionAndReopens()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        UiFixture f;
        MainWindow &window = f.start();
        f.setCells(1, {"G", "20", "30", "50", "", "first"});
        f.active()->fileInformation()->setPlainText(QStringLiteral("collected in May"));
        f.document().modified = true;
        f.dialogs.saveName = f.path(chosen);
        f.trigger("fileSaveAs");
        QVERIFY(f.prompt.messages.isEmpty());
        QVERIFY(QFile::exists(f.path(written)));
        QCOMPARE(f.active()->windowTitle(), f.path(chosen));
        QCOMPARE(window.currentFileName(), f.path(chosen));
        QVERIFY(!f.document().modified);

        // Saved means closing asks nothing.
        f.trigger("windowClose");
        QVERIFY(window.dataWindows().isEmpty());
        QVERIFY(f.prompt.messages.isEmpty());

        QVERIFY(window.openChosenFile({f.path(written), OpenFileType::Current}));
        QCOMPARE(f.cell(1, 6), QStringLiteral("first"));
        QCOMPARE(f.active()->fileInformation()->toPlainText(), QStringLiteral("collected in May"));
        QCOMPARE(f.statusText(), QStringLiteral("Number of valid samples = 1"));
    }

    void failedSaveKeepsTheDocumentModified()
    {
        UiFixture f;
        MainWindow &window = f.start();
        f.setCells(1, {"G", "1", "2", "3"});
        f.document().modified = true;
        f.dialogs.saveName = f.path("no/such/folder/data.qvd");
        f.trigger("fileSaveAs");
        QCOMPARE(f.prompt.texts(), QStringList{"Error writing file"});
        QCOMPARE(f.prompt.messages.at(0).caption, QStringLiteral("Warning"));
        QVERIFY(f.document().modified);
        QCOMPARE(f.active()->windowTitle(), QStringLiteral("Untitled"));
        QVERIFY(window.currentFileName().isEmpty());
    }

    void saveListsTheCutTextsInOneMessage()
    {
        UiFixture f;
        f.start();
        const QString longText(300, QLatin1Char('x'));
        f.setCells(1, {"G", "1", "2", "3", "", longText});
        f.setCells(2, {"G", "1", "2", "3", "", longText});
        f.dialogs.saveName = f.path("cut.qvd");
        f.trigger("fileSaveAs");
        QCOMPARE(f.prompt.messages.size(), 1);
        QVERIFY(f.prompt.messages.at(0).text.contains(QStringLiteral("row 1, column 6")));
        QVERIFY(f.prompt.messages.at(0).text.contains(QStringLiteral("row 2, column 6")));
    }

    void closingAModifiedDocumentAsks()
    {
        UiFixture f;
        MainWindow &window = f.start();
        f.setCells(1, {"G", "1", "2", "3"});
        f.document().modified = true;
        f.prompt.answers = {false};
        f.trigger("windowClose");
        QCOMPARE(f.prompt.texts(), QStringList{"Data not Saved. Close anyway?"});
        QCOMPARE(f.prompt.messages.at(0).caption, QStringLiteral("Warning"));
        QCOMPARE(window.dataWindows().size(), 1);
        QCOMPARE(f.cell(1, 1), QStringLiteral("G"));
        QVERIFY(f.command("fileSaveAs")->isEnabled());

        f.prompt.answers = {true};
        f.trigger("windowClose");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.dataWindows().isEmpty());
    }

    void closingTheLastDocumentDisablesTheDocumentCommands()
    {
        UiFixture f;
        MainWindow &window = f.start();
        f.trigger("fileNew");
        f.trigger("windowClose");
        QCOMPARE(window.dataWindows().size(), 1);
        for (const QString &name : kDocumentCommands)
            QVERIFY2(f.command(name.toLatin1().constData())->isEnabled(), qPrintable(name));
        f.trigger("windowClose");
        QVERIFY(window.dataWindows().isEmpty());
        for (const QString &name : kDocumentCommands)
            QVERIFY2(!f.command(name.toLatin1().constData())->isEnabled(), qPrintable(name));
        for (const QString &name : kAlwaysCommands)
            QVERIFY2(f.command(name.toLatin1().constData())->isEnabled(), qPrintable(name));
        QVERIFY(!f.command("windowCascade")->isEnabled());
        f.trigger("fileNew");
        QVERIFY(f.command("fileSaveAs")->isEnabled());
        QVERIFY(f.command("windowCascade")->isEnabled());
    }

    void exitAsksOnceForAllModifiedDocuments()
    {
        UiFixture f;
        MainWindow &window = f.start();
        f.trigger("fileNew");
        f.trigger("fileNew");
        const QList<DataWindow *> windows = window.dataWindows();
        windows.at(0)->document().modified = true;
        windows.at(2)->document().modified = true;

        f.prompt.answers = {false};
        f.trigger("fileExit");
        QCOMPARE(f.prompt.texts(), QStringList{"There are unsaved data. Exit anyway?"});
        QVERIFY(window.isVisible());
        QCOMPARE(window.dataWindows().size(), 3);

        f.prompt.messages.clear();
        f.prompt.answers = {true};
        f.trigger("fileExit");
        QCOMPARE(f.prompt.texts(), QStringList{"There are unsaved data. Exit anyway?"});
        QVERIFY(!window.isVisible());
    }

    void exitWithoutChangesAsksNothing()
    {
        UiFixture f;
        MainWindow &window = f.start();
        f.trigger("fileNew");
        f.trigger("fileExit");
        QVERIFY(f.prompt.messages.isEmpty());
        QVERIFY(!window.isVisible());
    }

    void droppedFilesOpenOrImport()
    {
        UiFixture f;
        MainWindow &window = f.start();
        const QString document = f.path("dropped.qvd");
        writeDocument(document);
        const QString text = f.path("dropped.txt");
        writeFile(text, "B\t10\t20\t70\n");

        const auto drop = [&](const QString &path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&window, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent event(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&window, &event);
            QCoreApplication::processEvents();
        };
        drop(text);
        QVERIFY2(f.prompt.messages.isEmpty(), qPrintable(f.prompt.texts().join(',')));
        QCOMPARE(window.dataWindows().size(), 1);
        QCOMPARE(f.cell(1, 1), QStringLiteral("B"));
        drop(document);
        QCOMPARE(window.dataWindows().size(), 2);
        QCOMPARE(f.active()->windowTitle(), document);
        QVERIFY(f.prompt.messages.isEmpty());
    }

    void laterWindowsConnectToTheCommands()
    {
        UiFixture f;
        MainWindow &window = f.start();
        QList<MainWindow::OptionsPage> pages;
        DataWindow *imageFor = nullptr;
        connect(&window, &MainWindow::triangleOptionsRequested, this,
                [&](MainWindow::OptionsPage page) { pages << page; });
        connect(&window, &MainWindow::showImageRequested, this, [&](DataWindow *w) { imageFor = w; });
        f.trigger("optionsTicks");
        f.trigger("showOptions");
        f.trigger("windowShowImage");
        QCOMPARE(pages, (QList{MainWindow::OptionsPage::TicksAndNumbers, MainWindow::OptionsPage::LastShown}));
        QCOMPARE(imageFor, f.active());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"

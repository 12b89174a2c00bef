#include "ui_fixture.h"

#include "files/text_import.h"
#include "ui/groups_panel.h"

#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTabBar>

using namespace quarvel;
using namespace quarvel::test;

namespace {

QPoint cellCentre(DataGrid *grid, int row, int column)
{
    return grid->visualRect(grid->tableModel()->indexAt(row, column)).center();
}

void clickCell(DataGrid *grid, int row, int column)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, row, column));
}

void activate(MainWindow &window)
{
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

QImage thumbnailImage(DataWindow *window)
{
    QCoreApplication::processEvents();
    return window->thumbnail()->pixmap().toImage();
}

} // namespace

class DataWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void layoutSplitsTheWindowInThirds()
    {
        const DataWindow::Layout layout = DataWindow::layoutFor(QSize(900, 600));
        QCOMPARE(layout.grid, QRect(0, 0, 600, 600));
        QCOMPARE(layout.panel, QRect(600, 0, 300, 600));
        QCOMPARE(layout.tabs.height(), 400);
        QCOMPARE(layout.thumbnail, QRect(0, 400, 300, 160));
        QCOMPARE(layout.fileInformation, QRect(0, 560, 300, 40));
        // Truncated on integers: 601 / 3 = 200.
        QCOMPARE(DataWindow::layoutFor(QSize(901, 601)).thumbnail.height(), 160);

        UiFixture f;
        f.start();
        DataWindow *window = f.active();
        const DataWindow::Layout shown = DataWindow::layoutFor(window->size());
        QCOMPARE(f.grid()->geometry(), shown.grid);
        QCOMPARE(window->thumbnail()->height(), shown.thumbnail.height());
        QCOMPARE(window->fileInformation()->height(), shown.fileInformation.height());
    }

    void controlsCarryTheirHints()
    {
        UiFixture f;
        f.start();
        DataWindow *window = f.active();
        QCOMPARE(f.grid()->toolTip(), QStringLiteral("Double click to edit data, right click for edit menu"));
        QCOMPARE(window->thumbnail()->toolTip(), QStringLiteral("Double click to show the full image"));
        QCOMPARE(window->fileInformation()->toolTip(), QStringLiteral("File info here"));
        QTabBar *tabs = window->groupTabs();
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Symbol"));
        QCOMPARE(tabs->tabText(2), QStringLiteral("Statistics"));
        QStringList items;
        const QList<QAction *> actions = window->findChild<QMenu *>(QStringLiteral("dataGridMenu"))->actions();
        for (const QAction *action : actions)
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(items, (QStringList{"Cut", "Copy", "Paste", "-", "Update Triangle"}));
    }

    void statisticsTabWidensTheGroupsPanel()
    {
        UiFixture f;
        f.start();
        DataWindow *window = f.active();
        GroupsPanel *panel = window->findChild<GroupsPanel *>(QStringLiteral("groupsPanel"));
        QVERIFY(panel);
        QCOMPARE(panel->columnCount(), 4);
        window->groupTabs()->setCurrentIndex(2);
        QCOMPARE(panel->columnCount(), 6);
        window->groupTabs()->setCurrentIndex(1);
        QCOMPARE(panel->columnCount(), 4);
    }

    void typingADigitEditsTheCellAndMarksModified()
    {
        UiFixture f;
        MainWindow &main = f.start();
        activate(main);
        DataGrid *grid = f.grid();
        clickCell(grid, 1, 2);
        QCOMPARE(grid->mode(), DataGrid::Mode::Selection);
        QTest::keyClick(grid, Qt::Key_7);
        QCOMPARE(grid->mode(), DataGrid::Mode::Editing);
        QVERIFY(grid->isEditing());
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("7"));
        QTest::keyClicks(editor, ".5");
        // A single click ends the editing mode; the cell keeps what was typed.
        clickCell(grid, 3, 3);
        QCOMPARE(grid->mode(), DataGrid::Mode::Selection);
        QCOMPARE(f.cell(1, 2), QStringLiteral("7.5"));
        QVERIFY(f.document().modified);
    }

    void closingWhileEditingKeepsTheTypedText()
    {
        UiFixture f;
        MainWindow &main = f.start();
        activate(main);
        DataGrid *grid = f.grid();
        clickCell(grid, 2, 1);
        QTest::keyClick(grid, 'R');
        QTest::keyClicks(QApplication::focusWidget(), "ock");
        QVERIFY(grid->isEditing());
        f.prompt.answers = {false};
        f.trigger("windowClose");
        // The open editor counts as a change: the user is asked, and Cancel keeps the text.
        QCOMPARE(f.prompt.texts(), QStringList{"Data not Saved. Close anyway?"});
        QCOMPARE(f.cell(2, 1), QStringLiteral("Rock"));
    }

    void leavingTheGridEvaluates()
    {
        UiFixture f;
        MainWindow &main = f.start();
        activate(main);
        DataGrid *grid = f.grid();
        const QImage before = thumbnailImage(f.active());
        clickCell(grid, 1, 1);
        QTest::keyClicks(grid, "G");
        for (const char *part : {"20", "30", "50"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClicks(QApplication::focusWidget(), part);
        }
        clickCell(grid, 2, 1);
        clickCell(grid, 2, 1);
        QTest::keyClicks(grid, "H");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "abc");
        QCOMPARE(f.statusText(), QStringLiteral("Number of valid samples = 0"));

        f.active()->fileInformation()->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(f.cell(1, 4), QStringLiteral("50"));
        QCOMPARE(f.statusText(), QStringLiteral("Number of valid samples = 1"));
        QHeaderView *status = grid->verticalHeader();
        QCOMPARE(status->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
        QCOMPARE(status->model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("Number error"));
        QCOMPARE(f.document().groupList.size(), 2);
        QVERIFY(thumbnailImage(f.active()) != before);
    }

    void movingAColumnMovesItsCellsAndTheColumnMap()
    {
        UiFixture f;
        f.start();
        f.setCells(1, {"G", "20", "30", "50", "", "first"});
        DataGrid *grid = f.grid();
        QHeaderView *titles = grid->horizontalHeader();
        // What the header does when the user drops the sample label column on grid column 2.
        titles->moveSection(5, 1);
        QCOMPARE(f.cell(0, 2), QStringLiteral("Sample label"));
        QCOMPARE(f.cell(1, 2), QStringLiteral("first"));
        QCOMPARE(f.cell(1, 3), QStringLiteral("20"));
        const std::array<std::int32_t, 6> expected{1, 3, 4, 5, 6, 2};
        QCOMPARE(f.document().dataSettings.columnPositions, expected);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(titles->logicalIndex(i), i);
        QVERIFY(!f.document().modified);
        f.trigger("editUpdateTriangle");
        QCOMPARE(f.document().samples.size(), std::size_t{1});
    }

    void movingARowChangesOnlyTheOrder()
    {
        UiFixture f;
        f.start();
        f.setCells(1, {"A", "1", "2", "3"});
        f.setCells(2, {"B", "1", "2", "3"});
        f.setCells(3, {"C", "1", "2", "3"});
        f.grid()->verticalHeader()->moveSection(0, 2);
        QCOMPARE(f.cell(1, 1), QStringLiteral("B"));
        QCOMPARE(f.cell(2, 1), QStringLiteral("C"));
        QCOMPARE(f.cell(3, 1), QStringLiteral("A"));
        QCOMPARE(f.document().table.rowCount(), 102);
        QCOMPARE(f.grid()->verticalHeader()->logicalIndex(0), 0);
    }

    void importStopsAtARejectedLine()
    {
        UiFixture f;
        MainWindow &main = f.start();
        const QString path = f.path("rows.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("A\t20\t30\t50\r\nnot a row\nC\t1\t2\t3\n");
        file.close();
        f.setCells(5, {"kept", "1", "2", "3"});
        f.dialogs.importFile = path;
        f.trigger("fileImport");
        QCOMPARE(f.prompt.texts(), QStringList{kImportFailedMessage});
        QCOMPARE(f.prompt.messages.at(0).caption, QStringLiteral("Warning"));
        QCOMPARE(f.cell(1, 1), QStringLiteral("A"));
        QCOMPARE(f.cell(1, 4), QStringLiteral("50"));
        QVERIFY(f.cell(2, 1).isEmpty());
        QCOMPARE(f.cell(5, 1), QStringLiteral("kept"));
        QCOMPARE(f.statusText(), QStringLiteral("Number of valid samples = 2"));
        QVERIFY(!f.document().modified);
        QCOMPARE(main.dataWindows().size(), 1);
    }

    void fileInformationIsKeptToItsLimitAndMarksModified()
    {
        UiFixture f;
        f.start();
        QPlainTextEdit *info = f.active()->fileInformation();
        info->setPlainText(QString(300, QLatin1Char('i')));
        QCOMPARE(info->toPlainText().size(), 255);
        QCOMPARE(f.document().fileInfo.size(), 255);
        QVERIFY(f.document().modified);
    }

    void aMillionRowsOpenInTheGrid()
    {
        UiFixture f;
        f.start();
        Document &document = f.document();
        document.table.setRowCount(1'000'001);
        document.table.setCell(1'000'000, 1, u"last");
        document.changes.tableReset();
        DataGrid *grid = f.grid();
        QCOMPARE(grid->model()->rowCount(), 1'000'000);
        grid->scrollToBottom();
        QCoreApplication::processEvents();
        QVERIFY(grid->rowAt(grid->viewport()->height() - 2) > 999'000);
        // The title row stays in place while the cells scroll.
        QVERIFY(grid->horizontalHeader()->isVisible());
        QCOMPARE(grid->horizontalHeader()->geometry().top(), grid->frameWidth());
    }

    // Set QUARVEL_UI_GRABS to a folder to get pictures of the windows.
    void grabsForInspection()
    {
        const QString folder = qEnvironmentVariable("QUARVEL_UI_GRABS");
        if (folder.isEmpty())
            QSKIP("QUARVEL_UI_GRABS not set");
        UiFixture f;
        MainWindow &main = f.start();
        main.resize(1000, 700);
        f.setCells(1, {"Granite", "20", "30", "50", "", "s1"});
        f.setCells(2, {"Granite", "25", "35", "40", "", "s2"});
        f.setCells(3, {"Basalt", "60", "20", "20", "", "s3"});
        f.setCells(4, {"Basalt", "3.14159", "x", "20", "", "s4"});
        f.active()->fileInformation()->setPlainText(QStringLiteral("Samples of May"));
        f.trigger("editUpdateTriangle");
        QCoreApplication::processEvents();
        QVERIFY(main.grab().save(folder + QStringLiteral("/main_window.png")));
        f.active()->groupTabs()->setCurrentIndex(2);
        QCoreApplication::processEvents();
        QVERIFY(f.active()->grab().save(folder + QStringLiteral("/data_window_statistics.png")));
    }
};

QTEST_MAIN(DataWindowTest)
#include "data_window_test.moc"

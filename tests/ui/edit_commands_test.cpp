#include "ui_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

using namespace quarvel;
using namespace quarvel::test;

namespace {

const QString kIrreversible = QStringLiteral("This operation can't be reversed. Proceed?");

QPoint cellCentre(DataGrid *grid, int row, int column)
{
    grid->scrollTo(grid->tableModel()->indexAt(row, column));
    return grid->visualRect(grid->tableModel()->indexAt(row, column)).center();
}

// A range chosen with the mouse: a click on one corner, a shift click on the other.
void selectCells(DataGrid *grid, int top, int left, int bottom, int right)
{
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(grid, top, left));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, cellCentre(grid, bottom, right));
}

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

QStringList rowTexts(const UiFixture &f, int row)
{
    QStringList texts;
    for (int c = 1; c <= 6; ++c)
        texts << f.cell(row, c);
    while (!texts.isEmpty() && texts.constLast().isEmpty())
        texts.removeLast();
    return texts;
}

} // namespace

class EditCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void copyWritesTabsAndCarriageReturns()
    {
        UiFixture f;
        f.start();
        f.setCells(1, {"a", "b"});
        f.setCells(2, {"c", "d"});
        selectCells(f.grid(), 1, 1, 2, 2);
        QCOMPARE(f.grid()->selection(), (CellRange{1, 1, 2, 2}));
        f.trigger("editCopy");
        QCOMPARE(clipboardText(), QStringLiteral("a\tb\rc\td\r"));
        QVERIFY(!f.document().modified);

        // The shortcut on the grid, and the grid's pop-up menu, run the same command.
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(f.grid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboardText(), QStringLiteral("a\tb\rc\td\r"));
        QGuiApplication::clipboard()->clear();
        QMenu *menu = f.active()->findChild<QMenu *>(QStringLiteral("dataGridMenu"));
        menu->actions().at(1)->trigger();
        QCOMPARE(clipboardText(), QStringLiteral("a\tb\rc\td\r"));
    }

    void pasteFollowsTheMode_data()
    {
        QTest::addColumn<bool>("insert");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("row5");
        QTest::addColumn<QStringList>("row6");
        QTest::addColumn<QStringList>("row7");
        QTest::addColumn<int>("rows");
        const QStringList old5{"old5", "1", "2", "3"};
        const QStringList old6{"old6", "4", "5", "6"};
        QTest::newRow("insert two rows") << true << "a\tb\rc\td\r" << QStringList{"a", "b"} << QStringList{"c", "d"}
                                         << old5 << 104;
        QTest::newRow("insert with CR LF") << true << "a\tb\r\nc\td\r\n" << QStringList{"a", "b"}
                                           << QStringList{"c", "d"} << old5 << 104;
        QTest::newRow("insert one row overwrites") << true << "x\ty\r" << QStringList{"x", "y", "2", "3"} << old6
                                                   << QStringList{} << 102;
        QTest::newRow("overwrite two rows") << false << "a\tb\rc\td\r" << QStringList{"a", "b", "2", "3"}
                                            << QStringList{"c", "d", "5", "6"} << QStringList{} << 102;
        QTest::newRow("leading tab keeps the first cell")
            << false << "x\r\tq\r" << QStringList{"x", "1", "2", "3"} << QStringList{"old6", "q", "5", "6"}
            << QStringList{} << 102;
    }
    void pasteFollowsTheMode()
    {
        QFETCH(bool, insert);
        QFETCH(QString, text);
        QFETCH(QStringList, row5);
        QFETCH(QStringList, row6);
        QFETCH(QStringList, row7);
        QFETCH(int, rows);
        UiFixture f;
        MainWindow &window = f.start();
        f.setCells(5, {"old5", "1", "2", "3"});
        f.setCells(6, {"old6", "4", "5", "6"});
        f.trigger(insert ? "pasteInsert" : "pasteOverwrite");
        QCOMPARE(window.pasteMode(), insert ? PasteMode::Insert : PasteMode::Overwrite);
        QTest::mouseClick(f.grid()->viewport(), Qt::LeftButton, {}, cellCentre(f.grid(), 5, 1));
        QGuiApplication::clipboard()->setText(text);
        f.trigger("editPaste");
        QCOMPARE(rowTexts(f, 5), row5);
        QCOMPARE(rowTexts(f, 6), row6);
        QCOMPARE(rowTexts(f, 7), row7);
        QCOMPARE(f.document().table.rowCount(), rows);
        QVERIFY(f.document().modified);
        QCOMPARE(f.grid()->mode(), DataGrid::Mode::Selection);
    }

    void pasteWithoutTextEmptiesTheCell()
    {
        UiFixture f;
        f.start();
        f.setCells(1, {"x", "y"});
        QTest::mouseClick(f.grid()->viewport(), Qt::LeftButton, {}, cellCentre(f.grid(), 1, 1));
        QGuiApplication::clipboard()->clear();
        f.trigger("editPaste");
        QCOMPARE(rowTexts(f, 1), (QStringList{"", "y"}));
    }

    void pasteBelowTheLastRowGrowsTheGrid()
    {
        UiFixture f;
        f.start();
        QTest::mouseClick(f.grid()->viewport(), Qt::LeftButton, {}, cellCentre(f.grid(), 101, 1));
        f.trigger("pasteOverwrite");
        QGuiApplication::clipboard()->setText(QStringLiteral("p\t1\rq\t2\rr\t3\r"));
        f.trigger("editPaste");
        QCOMPARE(f.cell(103, 1), QStringLiteral("r"));
        QCOMPARE(f.document().table.rowCount(), 105);
        QVERIFY(rowTexts(f, 104).isEmpty());
    }

    void largeSelectionsTravelWhole()
    {
        UiFixture f;
        f.start();
        constexpr int kRows = 30'000;
        Document &document = f.document();
        document.table.setRowCount(kRows + 2);
        for (int r = 1; r <= kRows; ++r)
            document.table.setCell(r, 1, QStringLiteral("group %1").arg(r));
        document.changes.tableReset();
        f.trigger("editSelectAll");
        f.trigger("editCopy");
        const QString copied = clipboardText();
        QVERIFY(copied.size() > 200'000);
        QCOMPARE(copied.count(QLatin1Char('\r')), kRows);

        f.trigger("fileNew");
        f.trigger("pasteOverwrite");
        f.trigger("editPaste");
        QCOMPARE(f.cell(kRows, 1), QStringLiteral("group %1").arg(kRows));
        QCOMPARE(f.document().table.rowCount(), kRows + 2);

        // One long line is one cell, however long.
        QGuiApplication::clipboard()->setText(QString(100'000, QLatin1Char('z')));
        f.grid()->setCurrentCell(1, 6);
        f.trigger("editPaste");
        QCOMPARE(f.cell(1, 6).size(), 100'000);
    }

    void cutRemovesWholeRowsOrEmptiesCells()
    {
        UiFixture f;
        f.start();
        for (int r = 1; r <= 4; ++r)
            f.setCells(r, {QStringLiteral("g%1").arg(r), "1", "2", "3", "", QStringLiteral("s%1").arg(r)});
        selectCells(f.grid(), 2, 1, 3, 6);
        f.trigger("editCut");
        QCOMPARE(clipboardText(), QStringLiteral("g2\t1\t2\t3\t\ts2\rg3\t1\t2\t3\t\ts3\r"));
        QCOMPARE(f.cell(2, 1), QStringLiteral("g4"));
        QCOMPARE(f.document().table.rowCount(), 102);
        QCOMPARE(f.grid()->selection(), CellRange::cell(1, 1));
        QVERIFY(f.document().modified);

        selectCells(f.grid(), 1, 2, 2, 3);
        f.trigger("editCut");
        QCOMPARE(rowTexts(f, 1), (QStringList{"g1", "", "", "3", "", "s1"}));
        QCOMPARE(rowTexts(f, 2), (QStringList{"g4", "", "", "3", "", "s4"}));
        QCOMPARE(f.grid()->selection(), (CellRange{2, 1, 3, 2}));
    }

    void deleteRowsKeepsAtLeast101()
    {
        UiFixture f;
        f.start();
        Document &document = f.document();
        document.table.setRowCount(120);
        for (int r = 1; r < 120; ++r)
            document.table.setCell(r, 1, QString::number(r));
        document.changes.tableReset();
        selectCells(f.grid(), 3, 2, 5, 2);
        f.trigger("deleteRows");
        QCOMPARE(f.cell(3, 1), QStringLiteral("6"));
        QCOMPARE(document.table.rowCount(), 118);
        QCOMPARE(f.grid()->selection().left, 1);

        f.trigger("fileNew");
        selectCells(f.grid(), 1, 1, 4, 1);
        f.trigger("deleteRows");
        QCOMPARE(f.document().table.rowCount(), 101);
    }

    void selectAllCoversTheDataColumns()
    {
        UiFixture f;
        f.start();
        f.setCells(3, {"", "", "", "", "", "only a label"});
        f.grid()->setCurrentCell(2, 2);
        f.trigger("editSelectAll");
        QCOMPARE(f.grid()->selection(), CellRange::cell(2, 2));
        f.setCells(7, {"", "", "5"});
        f.trigger("editSelectAll");
        QCOMPARE(f.grid()->selection(), (CellRange{1, 1, 5, 7}));
    }

    void sortAsksAndOrdersByGroup()
    {
        UiFixture f;
        f.start();
        f.setCells(1, {"b", "1", "2", "3"});
        f.setCells(2, {"A", "1", "2", "3"});
        f.setCells(3, {"a", "1", "2", "3"});
        f.setCells(5, {"B", "1", "2", "3"});
        f.prompt.answers = {false};
        f.trigger("sortData");
        QCOMPARE(f.prompt.texts(), QStringList{kIrreversible});
        QCOMPARE(f.cell(1, 1), QStringLiteral("b"));
        QVERIFY(!f.document().modified);

        f.prompt.answers = {true};
        f.trigger("sortData");
        QStringList order;
        for (int r = 1; r <= 5; ++r)
            order << f.cell(r, 1);
        QVERIFY(order.indexOf("a") < 2 && order.indexOf("A") < 2);
        QVERIFY(order.indexOf("b") >= 2 && order.indexOf("B") >= 2 && order.indexOf("B") < 4);
        QVERIFY(order.at(4).isEmpty());
        QVERIFY(f.document().modified);
    }

    void recalculateMakesPercentagesAndStopsAtAnError()
    {
        UiFixture f;
        f.start();
        f.setCells(1, {"G", "1", "1", "2"});
        f.setCells(2, {"G", "x", "1", "2"});
        f.setCells(3, {"G", "2", "1", "1"});
        f.setCells(4, {"not a group", "5", "5", "5"});
        f.trigger("editUpdateTriangle");
        f.prompt.answers = {true};
        f.trigger("editRecalculate");
        QCOMPARE(f.prompt.messages.size(), 2);
        QCOMPARE(f.prompt.messages.at(0).text, kIrreversible);
        QCOMPARE(f.prompt.messages.at(1).caption, QStringLiteral("Warning"));
        QCOMPARE(rowTexts(f, 1), (QStringList{"G", "25", "25", "50"}));
        QCOMPARE(rowTexts(f, 3), (QStringList{"G", "2", "1", "1"}));
        QVERIFY(!f.document().modified);

        f.prompt.messages.clear();
        f.setCells(2, {"G", "3", "3", "4"});
        // Typed since the groups were last built, so not a group yet.
        f.setCells(4, {"new label", "5", "5", "5"});
        f.prompt.answers = {true};
        f.trigger("editRecalculate");
        QCOMPARE(f.prompt.texts(), QStringList{kIrreversible});
        QCOMPARE(rowTexts(f, 2), (QStringList{"G", "30", "30", "40"}));
        QCOMPARE(rowTexts(f, 3), (QStringList{"G", "50", "25", "25"}));
        QCOMPARE(rowTexts(f, 4), (QStringList{"new label", "5", "5", "5"}));
    }

    void insertRowOpensAnEmptyRowAtTheCursor()
    {
        UiFixture f;
        f.start();
        f.setCells(1, {"one"});
        f.setCells(2, {"two"});
        f.grid()->setCurrentCell(2, 3);
        f.trigger("insertRow");
        QCOMPARE(f.cell(1, 1), QStringLiteral("one"));
        QVERIFY(f.cell(2, 1).isEmpty());
        QCOMPARE(f.cell(3, 1), QStringLiteral("two"));
        QCOMPARE(f.document().table.rowCount(), 104);
        QVERIFY(f.document().modified);
    }

    void clearEmptiesTheSelectionAndEvaluates()
    {
        UiFixture f;
        f.start();
        f.setCells(1, {"G", "20", "30", "50"});
        f.setCells(2, {"G", "20", "30", "50"});
        f.trigger("editUpdateTriangle");
        QCOMPARE(f.statusText(), QStringLiteral("Number of valid samples = 2"));
        selectCells(f.grid(), 2, 2, 2, 4);
        f.trigger("clearCells");
        QCOMPARE(rowTexts(f, 2), QStringList{"G"});
        QCOMPARE(f.statusText(), QStringLiteral("Number of valid samples = 1"));
        QVERIFY(f.document().modified);
    }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"

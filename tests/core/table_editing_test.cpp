#include "core/table_editing.h"

#include "core/document_fixture.h"
#include "core/editing_fixture.h"

#include <gtest/gtest.h>

#include <random>

using namespace quarvel;
using namespace quarvel::test;
using Rows = std::vector<std::string>;

namespace {

// Rows 1 to n of a new document hold "r1", "r2", ... in column 1 and "x" in column 6.
std::unique_ptr<Document> numberedRows(int n)
{
    auto doc = std::make_unique<Document>(UserLocale::point());
    for (int r = 1; r <= n; ++r) {
        doc->table.setCell(r, 1, QStringLiteral("r%1").arg(r));
        doc->table.setCell(r, 6, QStringLiteral("x"));
    }
    return doc;
}

} // namespace

TEST(Clipboard, CopyGivesTabsBetweenCellsAndCrAfterEachRow)
{
    auto doc = documentWith({{"a", "b"}, {"c", "d"}});
    EXPECT_EQ(selectionText(doc->table, {1, 1, 2, 2}), QStringLiteral("a\tb\rc\td\r"));
    // The status column and the title row are never part of a selection.
    EXPECT_EQ(selectionText(doc->table, {0, 0, 2, 2}), QStringLiteral("a\tb\rc\td\r"));
    EXPECT_EQ(selectionText(doc->table, {2, 2, 3, 2}), QStringLiteral("d\t\r"));
    EXPECT_FALSE(doc->modified);
}

TEST(Clipboard, CopyAndPasteCarryTheWholeSelectionWhateverItsSize)
{
    // Far beyond 20000 bytes and 199999 characters, where a fixed buffer would cut the text.
    constexpr int kRows = 60000;
    Document source(UserLocale::point());
    source.table.setRowCount(kRows + 2);
    for (int r = 1; r <= kRows; ++r)
        source.table.setRowUtf8(r, {"", "Basalt", std::to_string(r), "20", "30", "", "S" + std::to_string(r)});
    const QString text = selectionText(source.table, {1, 1, 6, kRows});
    EXPECT_GT(text.size(), 1000000);
    EXPECT_EQ(text.count(QLatin1Char('\r')), kRows);

    Document target(UserLocale::point());
    pasteText(target, text, CellRange::cell(1, 1), PasteMode::Overwrite);
    EXPECT_EQ(target.table.rowCount(), kRows + 2);
    EXPECT_EQ(selectionText(target.table, {1, 1, 6, kRows}), text);
    EXPECT_EQ(target.validSamples(), kRows);
}

struct PasteCase
{
    const char *name;
    QString text;
    CellRange selection;
    PasteMode mode;
    Rows rows1to8; // rows 1 to 8 afterwards
    int rowCount;
};

TEST(Paste, CasesOfTheRowAndCellRules)
{
    const Rows before = {"r1|||||x", "r2|||||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x", "", ""};
    // Rows 1 to 6 hold r1..r6 in column 1 and x in column 6, on a grid of 102 rows.
    const PasteCase cases[] = {
        {"two rows in insert mode go into two new rows at the top of the selection", QStringLiteral("a\tb\rc\td\r"),
         {1, 5, 1, 5}, PasteMode::Insert,
         {"r1|||||x", "r2|||||x", "r3|||||x", "r4|||||x", "a|b", "c|d", "r5|||||x", "r6|||||x"}, 104},
        {"one row in insert mode overwrites and inserts nothing", QStringLiteral("a\tb\r"), {1, 2, 1, 2},
         PasteMode::Insert, {"r1|||||x", "a|b||||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x", "", ""}, 102},
        {"overwrite mode", QStringLiteral("a\tb\rc\td\r"), {2, 1, 2, 1}, PasteMode::Overwrite,
         {"r1|a|b|||x", "r2|c|d|||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x", "", ""}, 102},
        {"CR LF ends rows like CR", QStringLiteral("a\tb\r\nc\td\r\n"), {2, 1, 2, 1}, PasteMode::Overwrite,
         {"r1|a|b|||x", "r2|c|d|||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x", "", ""}, 102},
        {"LF alone ends rows too", QStringLiteral("a\tb\nc\td\n"), {2, 1, 2, 1}, PasteMode::Overwrite,
         {"r1|a|b|||x", "r2|c|d|||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x", "", ""}, 102},
        {"a later row starting with TAB keeps its first cell", QStringLiteral("a\tb\r\tc\r"), {1, 1, 1, 1},
         PasteMode::Overwrite, {"a|b||||x", "r2|c||||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x", "", ""}, 102},
        {"the first row's first cell is emptied even by a TAB", QStringLiteral("\tb\r"), {1, 1, 1, 1},
         PasteMode::Overwrite, {"|b||||x", "r2|||||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x", "", ""}, 102},
        {"text beyond column 6 is dropped", QStringLiteral("1\t2\t3\t4\r"), {5, 1, 5, 1}, PasteMode::Overwrite,
         {"r1||||1|2", "r2|||||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x", "", ""}, 102},
        {"the last row without a row end is pasted, and inserted for", QStringLiteral("a\rb"), {1, 2, 1, 2},
         PasteMode::Insert, {"r1|||||x", "a", "b", "r2|||||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x"}, 104},
        {"a selection dragged upwards inserts where the text goes, losing no row", QStringLiteral("a\rb\r"),
         {1, 2, 3, 4}, PasteMode::Insert,
         {"r1|||||x", "a", "b", "r2|||||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x"}, 104},
        {"an empty text empties the top-left cell", QString(), {6, 3, 6, 4}, PasteMode::Insert,
         {"r1|||||x", "r2|||||x", "r3", "r4|||||x", "r5|||||x", "r6|||||x", "", ""}, 102},
        {"blank lines leave their rows", QStringLiteral("a\r\r\rb\r"), {1, 1, 1, 1}, PasteMode::Overwrite,
         {"a|||||x", "r2|||||x", "r3|||||x", "b|||||x", "r5|||||x", "r6|||||x", "", ""}, 102},
        {"NUL characters are left out", QStringLiteral("a\0b\tc\r"), {1, 1, 1, 1}, PasteMode::Overwrite,
         {"ab|c||||x", "r2|||||x", "r3|||||x", "r4|||||x", "r5|||||x", "r6|||||x", "", ""}, 102},
    };
    for (const PasteCase &c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = numberedRows(6);
        ASSERT_EQ(rowTexts(*doc, 1, 8), before);
        pasteText(*doc, c.text, c.selection, c.mode);
        EXPECT_EQ(rowTexts(*doc, 1, 8), c.rows1to8);
        EXPECT_EQ(doc->table.rowCount(), c.rowCount);
        EXPECT_TRUE(doc->modified);
    }
}

TEST(Paste, BelowTheLastRowTheGridGrowsToKeepOneEmptyRow)
{
    Document doc(UserLocale::point());
    ASSERT_EQ(doc.table.rowCount(), 102);
    const PasteResult result = pasteText(doc, QStringLiteral("A\t1\t1\t1\rA\t2\t2\t2\rA\t3\t3\t3\r"),
                                         CellRange::cell(100, 1), PasteMode::Overwrite);
    EXPECT_EQ(doc.table.rowCount(), 104); // rows 100 to 102 written, row 103 empty
    EXPECT_EQ(rowText(doc, 102), "A|3|3|3");
    EXPECT_EQ(result.block, (CellRange{1, 100, 4, 102}));
    EXPECT_EQ(doc.validSamples(), 3); // refreshed
}

TEST(Paste, HostileTextKeepsTheDocumentConsistent)
{
    std::mt19937 random(7);
    QString binary;
    binary.reserve(1 << 20);
    for (int i = 0; i < 1 << 20; ++i)
        binary += QChar(static_cast<char16_t>(random() % 0x10000)); // lone surrogates, NULs, controls
    const QString longLine = QString(100000, QLatin1Char('7'));
    const QString manyTabs = QString(100000, QLatin1Char('\t')) + QStringLiteral("end\r");

    for (const QString *text : {static_cast<const QString *>(&binary), &longLine, &manyTabs}) {
        for (PasteMode mode : {PasteMode::Insert, PasteMode::Overwrite}) {
            Document doc(UserLocale::point());
            doc.table.setCell(1, 1, QStringLiteral("keep"));
            pasteText(doc, *text, CellRange::cell(1, 2), mode);
            const Table &t = doc.table;
            ASSERT_GE(t.rowCount(), 102);
            EXPECT_EQ(t.cell(0, 1), QStringLiteral("Group label")); // titles untouched
            int lastFilled = 0;
            for (int r = 1; r < t.rowCount(); ++r) {
                for (int c = 1; c < Table::kColumns; ++c) {
                    const std::string_view cell = t.cellUtf8(r, c);
                    ASSERT_EQ(cell.find('\0'), std::string_view::npos);
                    ASSERT_EQ(QString::fromUtf8(cell.data(), qsizetype(cell.size())).toUtf8().size(), qsizetype(cell.size()))
                        << "row " << r << " holds invalid UTF-8";
                    if (!cell.empty())
                        lastFilled = r;
                }
            }
            EXPECT_LT(lastFilled, t.rowCount() - 1); // one empty row below the text
            EXPECT_LE(doc.validSamples(), t.rowCount());
        }
    }
    Document doc(UserLocale::point());
    pasteText(doc, longLine, CellRange::cell(1, 6), PasteMode::Insert);
    EXPECT_EQ(doc.table.cell(1, 6), longLine);
}

TEST(Cut, WholeRowsMoveTheRowsBelowUp)
{
    auto doc = numberedRows(6);
    const CutResult cut = cutSelection(*doc, {1, 2, 6, 3});
    EXPECT_EQ(cut.text, QStringLiteral("r2\t\t\t\t\tx\rr3\t\t\t\t\tx\r"));
    EXPECT_TRUE(cut.rowsRemoved);
    EXPECT_EQ(cut.selection, CellRange::cell(1, 1));
    EXPECT_EQ(rowTexts(*doc, 1, 5), (Rows{"r1|||||x", "r4|||||x", "r5|||||x", "r6|||||x", ""}));
    EXPECT_EQ(doc->table.rowCount(), 102);
    EXPECT_TRUE(doc->modified);
}

TEST(Cut, PartOfARowOnlyEmptiesTheCells)
{
    auto doc = numberedRows(6);
    const CutResult cut = cutSelection(*doc, {1, 2, 5, 3}); // the label column stays
    EXPECT_EQ(cut.text, QStringLiteral("r2\t\t\t\t\rr3\t\t\t\t\r"));
    EXPECT_FALSE(cut.rowsRemoved);
    EXPECT_EQ(cut.selection, (CellRange{1, 2, 5, 3}));
    EXPECT_EQ(rowTexts(*doc, 1, 4), (Rows{"r1|||||x", "|||||x", "|||||x", "r4|||||x"}));
}

TEST(DeleteRows, SelectedRowsGoAndTheGridKeepsItsMinimum)
{
    struct Case
    {
        int rows, top, bottom, currentRow, rowCountAfter;
        const char *rowAtTop;
    };
    const Case cases[] = {
        {120, 3, 5, 5, 118, "r6"},  // one row less than removed
        {101, 3, 5, 3, 101, "r6"},  // grows back to the minimum
        {102, 1, 1, 1, 102, "r2"},  // a single row: the count stays
        {120, 119, 119, 119, 120, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.rows << " rows, delete " << c.top << ".." << c.bottom);
        Document doc(UserLocale::point());
        doc.table.setRowCount(c.rows);
        for (int r = 1; r < c.rows; ++r)
            doc.table.setCell(r, 2, QStringLiteral("r%1").arg(r));
        const CellRange after = deleteRows(doc, {3, c.top, 3, c.bottom}, c.currentRow);
        EXPECT_EQ(doc.table.rowCount(), c.rowCountAfter);
        EXPECT_EQ(doc.table.cellUtf8(c.top, 2), c.rowAtTop);
        EXPECT_EQ(after, CellRange::cell(std::min(c.currentRow, doc.table.rowCount() - 1), 1));
        EXPECT_TRUE(doc.table.isEmpty(doc.table.rowCount() - 1, 2));
        EXPECT_TRUE(doc.modified);
    }
}

TEST(SelectAll, ColumnsOneToFiveUpToTheirLastRow)
{
    auto labelsOnly = documentWith({{"", "", "", "", "", "S1"}, {"", "", "", "", "", "S2"}});
    EXPECT_FALSE(selectAllRange(labelsOnly->table));
    auto data = documentWith({{"A", "1"}, {}, {"", "", "", "", "5", "S"}, {"", "", "", "", "", "S"}});
    EXPECT_EQ(selectAllRange(data->table), (CellRange{1, 1, 5, 3}));
    Document empty(UserLocale::point());
    EXPECT_FALSE(selectAllRange(empty.table));
}

TEST(InsertRow, EmptyRowAtTheCursorAndTwoMoreRows)
{
    auto doc = numberedRows(3);
    insertRowAtCursor(*doc, 2);
    EXPECT_EQ(rowTexts(*doc, 1, 4), (Rows{"r1|||||x", "", "r2|||||x", "r3|||||x"}));
    EXPECT_EQ(doc->table.rowCount(), 104);
    EXPECT_TRUE(doc->modified);
}

TEST(ClearCells, OnlyTheSelection)
{
    auto doc = numberedRows(3);
    clearCells(*doc, {1, 2, 1, 3});
    EXPECT_EQ(rowTexts(*doc, 1, 3), (Rows{"r1|||||x", "|||||x", "|||||x"}));
    EXPECT_TRUE(doc->modified);
}

TEST(SortData, GroupsIgnoringCaseThenTheRestOfTheRow)
{
    auto doc = documentWith({{"b", "1", "1", "1", "", "b1"},
                             {"A", "2", "2", "2", "", "A2"},
                             {"a", "3", "3", "3"},
                             {"B", "4", "4", "4", "", "B4"}});
    const int last = doc->table.rowCount() - 1;
    doc->table.setCell(last, 1, QStringLiteral("c")); // data in the grid's last row is kept
    doc->updateTriangle();
    RecordingPrompt cancel(false);
    EXPECT_FALSE(sortData(*doc, cancel));
    EXPECT_EQ(rowText(*doc, 1), "b|1|1|1||b1");
    EXPECT_FALSE(doc->modified);

    RecordingPrompt ok(true);
    EXPECT_TRUE(sortData(*doc, ok));
    EXPECT_EQ(ok.asked, QStringList{"This operation can't be reversed. Proceed?|Warning"});
    // The status follows the '@': the former sample numbers order each pair of a and A.
    EXPECT_EQ(rowTexts(*doc, 1, 6), (Rows{"A|2|2|2||A2", "a|3|3|3", "b|1|1|1||b1", "B|4|4|4||B4", "c", ""}));
    EXPECT_EQ(doc->table.rowCount(), last + 1);
    EXPECT_TRUE(doc->table.isEmpty(2, 6)); // the empty label stays empty
    EXPECT_TRUE(doc->modified);
    EXPECT_EQ(doc->table.cell(1, 0), QStringLiteral("1")); // re-evaluated
}

TEST(SortData, FormerSampleNumbersSortAsText)
{
    std::initializer_list<RowCells> rows = {{"A", "1", "1", "1", "", "one"}, {"A", "1", "1", "1", "", "two"},
                                            {"A", "1", "1", "1", "", "three"}, {"A", "1", "1", "1", "", "4"},
                                            {"A", "1", "1", "1", "", "5"}, {"A", "1", "1", "1", "", "6"},
                                            {"A", "1", "1", "1", "", "7"}, {"A", "1", "1", "1", "", "8"},
                                            {"A", "1", "1", "1", "", "9"}, {"A", "1", "1", "1", "", "ten"}};
    auto doc = documentWith(rows);
    RecordingPrompt ok;
    sortData(*doc, ok);
    EXPECT_EQ(doc->table.cell(1, 6), QStringLiteral("one"));
    EXPECT_EQ(doc->table.cell(2, 6), QStringLiteral("ten"));
    EXPECT_EQ(doc->table.cell(3, 6), QStringLiteral("two"));
}

TEST(Recalculate, PartsBecomePercentages)
{
    auto doc = documentWith({{"A", "1", "1", "2"},        // upper: columns 2 to 4
                             {"A", "1", "", "1", "2"},    // lower: columns 2, 4, 5
                             {"Z", "1", "1", "2"},
                             {"", "1", "1", "2"}});       // no group label
    doc->table.setCell(3, 1, QStringLiteral("notagroup")); // typed after the groups were built
    RecordingPrompt ok;
    const RecalculateResult result = recalculate(*doc, ok);
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(rowTexts(*doc, 1, 4), (Rows{"A|25|25|50", "A|25||25|50", "notagroup|1|1|2", "|1|1|2"}));
    EXPECT_FALSE(doc->modified);
    EXPECT_TRUE(ok.warned.isEmpty());
}

TEST(Recalculate, StopsAtTheFirstRowItCannotConvert)
{
    struct Case
    {
        RowCells badRow;
        const char *error;
    };
    const Case cases[] = {
        {{"A", "abc", "1", "2"}, "'abc' is not a valid floating point value|Warning"},
        {{"A", "", "1", "2"}, "'' is not a valid floating point value|Warning"},
        {{"A", "0", "0", "0"}, "Invalid floating point operation|Warning"},
        {{"A", "-3", "1", "1"}, "Invalid floating point operation|Warning"},         // upper sum below 0
        {{"A", "2", "", "-1", "-1"}, "Floating point division by zero|Warning"},     // lower sum 0
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.error);
        auto doc = documentWith({{"A", "1", "1", "2"}, c.badRow, {"A", "2", "2", "4"}});
        const QString statusBefore = doc->table.cell(1, 0);
        RecordingPrompt ok;
        const RecalculateResult result = recalculate(*doc, ok);
        EXPECT_FALSE(result.completed);
        EXPECT_EQ(result.stoppedAtRow, 2);
        EXPECT_EQ(ok.warned, QStringList{QString::fromUtf8(c.error)});
        EXPECT_EQ(rowText(*doc, 1), "A|25|25|50"); // rows before keep their new values
        EXPECT_EQ(rowText(*doc, 3), "A|2|2|4");
        EXPECT_EQ(doc->table.cell(1, 0), statusBefore);
    }
    auto lowerNegative = documentWith({{"A", "-1", "", "1", "2"}}); // a lower sum below 0 is computed
    RecordingPrompt ok;
    EXPECT_TRUE(recalculate(*lowerNegative, ok).completed);
    EXPECT_EQ(rowText(*lowerNegative, 1), "A|-50||50|100");
}

TEST(MoveColumn, CellsTravelAndColumnPositionsFollowTheTitles)
{
    auto doc = documentWith({{"A", "20", "30", "50", "", "S1"}});
    moveColumn(*doc, 6, 2);
    EXPECT_EQ(doc->dataSettings.columnPositions, (std::array<std::int32_t, 6>{1, 3, 4, 5, 6, 2}));
    EXPECT_EQ(doc->table.cell(0, 2), QStringLiteral("Sample label"));
    EXPECT_EQ(rowText(*doc, 1), "A|S1|20|30|50");
    EXPECT_FALSE(doc->modified);
    doc->updateTriangle();
    ASSERT_EQ(doc->validSamples(), 1);
    EXPECT_EQ(doc->samples.size(), 1);
    moveColumn(*doc, 2, 6);
    EXPECT_EQ(doc->dataSettings.columnPositions, (std::array<std::int32_t, 6>{1, 2, 3, 4, 5, 6}));
}

TEST(MoveRow, OnlyTheOrderChanges)
{
    auto doc = documentWith({{"A", "1", "1", "1", "", "first"}, {"A", "2", "2", "2", "", "second"}});
    moveRow(*doc, 1, 2);
    EXPECT_EQ(doc->table.cell(1, 6), QStringLiteral("second"));
    EXPECT_FALSE(doc->modified);
    doc->updateTriangle();
    EXPECT_EQ(doc->table.cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(doc->table.cell(2, 0), QStringLiteral("2"));
}

TEST(SetCellText, MarksModifiedOnlyForAChange)
{
    auto doc = documentWith({{"A", "1"}});
    const QString status = doc->table.cell(1, 0);
    setCellText(*doc, 1, 2, QStringLiteral("1"));
    EXPECT_FALSE(doc->modified);
    setCellText(*doc, 1, 2, QStringLiteral("12,5"));
    EXPECT_TRUE(doc->modified);
    EXPECT_EQ(doc->table.cell(1, 2), QStringLiteral("12,5"));
    setCellText(*doc, 0, 2, QStringLiteral("title"));   // titles are not typed into
    setCellText(*doc, 1, 0, QStringLiteral("status"));  // nor is the status
    EXPECT_EQ(doc->table.cell(0, 2), QStringLiteral("Bottom"));
    EXPECT_EQ(doc->table.cell(1, 0), status);
}

#include "core/table_model.h"

#include "core/document_fixture.h"
#include "core/editing_fixture.h"
#include "core/table_editing.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace quarvel;
using namespace quarvel::test;

namespace {

QString shown(const TableModel &model, int gridRow, int gridColumn, int role = Qt::DisplayRole)
{
    return model.data(model.indexAt(gridRow, gridColumn), role).toString();
}

} // namespace

TEST(TableModel, TitlesAndStatusAreTheHeadersAndTheCellsAreTheData)
{
    auto doc = documentWith({{"A", "20", "30", "50"}, {"B"}});
    TableModel model(*doc);
    EXPECT_EQ(model.rowCount(), 101);
    EXPECT_EQ(model.columnCount(), 6);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Group label"));
    EXPECT_EQ(model.headerData(5, Qt::Horizontal).toString(), QStringLiteral("Sample label"));
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
    EXPECT_EQ(model.headerData(1, Qt::Vertical).toString(), QStringLiteral("Number error"));
    EXPECT_EQ(model.headerData(2, Qt::Vertical).toString(), QString());
    EXPECT_EQ(shown(model, 1, 1), QStringLiteral("A"));
    EXPECT_EQ(model.index(0, 1).data().toString(), QStringLiteral("20")); // model column 1 is grid column 2
    EXPECT_FALSE(model.indexAt(0, 1).isValid());
    EXPECT_FALSE(model.indexAt(1, 0).isValid());

    const QItemSelection selection = model.selectionOf({0, 0, 3, 2});
    ASSERT_EQ(selection.size(), 1);
    EXPECT_EQ(model.rangeOf(selection.first()), (CellRange{1, 1, 3, 2}));
}

TEST(TableModel, DataCellsShowTheirNumberInTheFormatAndKeepTheirText)
{
    struct Case
    {
        const char *text;
        int column;
        const char *displayed;
    };
    const Case cases[] = {
        {"3.14159", 2, "3.1416"}, {"12,5", 3, "12.5"}, {"abc", 4, "abc"}, {" 7 ", 5, "7"},
        {"12,5", 1, "12,5"},      {"3.14159", 6, "3.14159"}, // group and sample labels as typed
    };
    auto doc = documentWith({});
    TableModel model(*doc);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        setCellText(*doc, 1, c.column, QString::fromUtf8(c.text));
        EXPECT_EQ(shown(model, 1, c.column), QString::fromUtf8(c.displayed));
        EXPECT_EQ(shown(model, 1, c.column, Qt::EditRole), QString::fromUtf8(c.text));
    }
    // The display follows the column map: a moved data column still shows its numbers.
    moveColumn(*doc, 2, 6);
    EXPECT_EQ(shown(model, 1, 6), QStringLiteral("3.1416"));
    EXPECT_EQ(shown(model, 1, 5), QStringLiteral("3.14159")); // the sample label, now at column 5

    auto comma = documentWith({{"A", "12.5"}}, UserLocale::comma());
    TableModel commaModel(*comma);
    EXPECT_EQ(shown(commaModel, 1, 2), QStringLiteral("12,5"));
}

TEST(TableModel, TypedEditsMarkTheDocumentModified)
{
    auto doc = documentWith({{"A", "1"}});
    TableModel model(*doc);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(model.setData(model.indexAt(1, 2), QStringLiteral("1")));
    EXPECT_FALSE(doc->modified); // the same text
    EXPECT_EQ(changed.count(), 0);
    EXPECT_TRUE(model.setData(model.indexAt(1, 3), QStringLiteral("5")));
    EXPECT_TRUE(doc->modified);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().at(0).toModelIndex(), model.indexAt(1, 3));
    EXPECT_EQ(doc->table.cell(1, 3), QStringLiteral("5"));
    EXPECT_TRUE(model.flags(model.indexAt(1, 3)) & Qt::ItemIsEditable);
}

TEST(TableModel, FollowsEveryCommandWithinTheModelRules)
{
    auto doc = documentWith({{"A", "1", "1", "1"}, {"B", "2", "2", "2"}});
    TableModel model(*doc);
    // Fails the test at once on any inconsistency between the model's reports and its answers.
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy status(&model, &QAbstractItemModel::headerDataChanged);

    insertRowAtCursor(*doc, 2);
    EXPECT_EQ(model.rowCount(), doc->table.rowCount() - 1);
    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(inserted.at(1).at(1).toInt(), TableModel::modelRow(2)); // the new empty row at the cursor
    EXPECT_GT(status.count(), 0);                                     // the status column was rewritten

    pasteText(*doc, QStringLiteral("C\t3\t3\t3\rD\t4\t4\t4\r"), CellRange::cell(1, 1), PasteMode::Insert);
    deleteRows(*doc, {1, 1, 1, 3}, 1);
    EXPECT_GT(removed.count(), 0);
    cutSelection(*doc, {1, 1, 6, 1});
    RecordingPrompt ok;
    sortData(*doc, ok);
    moveColumn(*doc, 1, 4);
    moveRow(*doc, 1, 3);
    EXPECT_EQ(model.rowCount(), doc->table.rowCount() - 1);

    // A table that grew or shrank without a report of its own (an import, a reader) is caught up
    // at the next report.
    doc->table.setRowCount(5000);
    doc->evaluateSamples();
    EXPECT_EQ(model.rowCount(), 4999);
    doc->table.setRowCount(200);
    doc->updateTriangle();
    EXPECT_EQ(model.rowCount(), 199);
    EXPECT_EQ(shown(model, 150, 1), QString());
}

TEST(TableModel, TitlesFollowTheDataSettings)
{
    auto doc = documentWith({});
    TableModel model(*doc);
    QSignalSpy titles(&model, &QAbstractItemModel::headerDataChanged);
    std::strcpy(doc->dataSettings.columnTitles[0].data(), "Rock");
    doc->applyDataSettings();
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.first().at(0).value<Qt::Orientation>(), Qt::Horizontal);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Rock"));
}

#include "core/table.h"

#include <gtest/gtest.h>

using namespace quarvel;

TEST(Table, CellsKeepTheirTextsIndependently)
{
    Table t(3);
    t.setCell(1, 3, QStringLiteral("30"));
    t.setCell(1, 1, QStringLiteral("Grès à biotite"));
    t.setCell(1, 6, QString(300, QLatin1Char('x'))); // longer than one length byte
    t.setCell(1, 3, QString());
    EXPECT_EQ(t.cell(1, 1), QStringLiteral("Grès à biotite"));
    EXPECT_EQ(t.cell(1, 6).size(), 300);
    EXPECT_TRUE(t.isEmpty(1, 3));
    EXPECT_TRUE(t.isEmpty(2, 1));
    t.setCell(1, 1, QString());
    t.setCell(1, 6, QString());
    EXPECT_EQ(t.memoryUse(), t.rowCount() * sizeof(void *) * 2); // all blocks released
}

TEST(Table, StatusColumnHoldsEvaluationTextsAndOthers)
{
    Table t(2);
    const std::pair<std::int32_t, const char *> statuses[] = {
        {Table::NoStatus, ""}, {Table::NoGroup, "No group"}, {Table::Ambiguous, "Ambiguous"},
        {Table::NumberError, "Number error"}, {17, "17"}};
    for (const auto &[status, text] : statuses) {
        t.setStatus(1, status);
        EXPECT_EQ(t.cell(1, 0), QString::fromLatin1(text));
    }
    t.setCell(1, 2, QStringLiteral("5"));
    t.setCell(1, 0, QStringLiteral("typed"));
    EXPECT_EQ(t.cell(1, 0), QStringLiteral("typed"));
    EXPECT_EQ(t.cell(1, 2), QStringLiteral("5"));
    t.setStatus(1, 3);
    EXPECT_EQ(t.cell(1, 0), QStringLiteral("3"));
    EXPECT_EQ(t.cell(1, 2), QStringLiteral("5"));
}

TEST(Table, RowsAndColumnsMove)
{
    Table t(4);
    for (int r = 0; r < 4; ++r) {
        for (int c = 1; c < 7; ++c)
            t.setCell(r, c, QStringLiteral("%1%2").arg(r).arg(c));
    }
    t.moveColumn(6, 2);
    EXPECT_EQ(t.cell(0, 2), QStringLiteral("06"));
    EXPECT_EQ(t.cell(3, 3), QStringLiteral("32"));
    EXPECT_EQ(t.cell(3, 6), QStringLiteral("35"));
    t.moveColumn(2, 6);
    EXPECT_EQ(t.cell(3, 6), QStringLiteral("36"));
    EXPECT_EQ(t.cell(3, 2), QStringLiteral("32"));

    t.moveRow(1, 3);
    EXPECT_EQ(t.cell(3, 1), QStringLiteral("11"));
    EXPECT_EQ(t.cell(1, 1), QStringLiteral("21"));
    t.insertRows(1, 2);
    EXPECT_EQ(t.rowCount(), 6);
    EXPECT_TRUE(t.isEmpty(2, 1));
    EXPECT_EQ(t.cell(3, 1), QStringLiteral("21"));
    t.removeRows(1, 3);
    EXPECT_EQ(t.rowCount(), 3);
    EXPECT_EQ(t.cell(1, 1), QStringLiteral("31"));
}

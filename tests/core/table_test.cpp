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

TEST(Table, EditsKeepEveryTextAndTheWasteBounded)
{
    // Enough rows that growing their cells leaves megabytes of replaced blocks behind, so the
    // blocks are packed again on the way.
    const int rows = 20000;
    Table t(rows + 1);
    auto expected = [](int r, int round) { return std::string(static_cast<std::size_t>(r % 40 + round), 'a' + round % 26); };
    for (int round = 0; round < 12; ++round) {
        for (int r = 1; r <= rows; ++r) {
            const std::string text = expected(r, round);
            t.setCellUtf8(r, 1 + r % 6, text);
            if (round == 0)
                t.setCellUtf8(r, 6 - r % 3, "kept");
        }
    }
    std::size_t live = 0;
    for (int r = 1; r <= rows; ++r) {
        ASSERT_EQ(t.cellUtf8(r, 1 + r % 6), expected(r, 11)) << r;
        if (6 - r % 3 != 1 + r % 6) {
            ASSERT_EQ(t.cellUtf8(r, 6 - r % 3), "kept") << r;
        }
        for (int c = 0; c < Table::kColumns; ++c)
            live += t.cellUtf8(r, c).size();
    }
    EXPECT_LT(t.memoryUse(), rows * sizeof(void *) * 2 + 3 * live + (std::size_t(3) << 20));
}

TEST(Table, RowSetFromItsOwnTexts)
{
    // Texts that point into the row's own block, rearranged: the new block must not be written
    // over the texts it is made from.
    Table t(2);
    t.setRowUtf8(1, {"", "Basalt", "12.5", "30", "57.5", "", "S-1"});
    const Table::RowTexts own = t.rowUtf8(1);
    t.setRowUtf8(1, {"", own[6], own[4], own[3], own[2], own[5], own[1]});
    const Table::RowTexts back = t.rowUtf8(1);
    const char *want[] = {"", "S-1", "57.5", "30", "12.5", "", "Basalt"};
    for (int c = 0; c < Table::kColumns; ++c)
        EXPECT_EQ(back[static_cast<std::size_t>(c)], want[c]) << c;
    t.setCellUtf8(1, 2, "5.75"); // same size: written in place
    t.setCellUtf8(1, 4, "1");    // smaller
    EXPECT_EQ(t.cell(1, 2), QStringLiteral("5.75"));
    EXPECT_EQ(t.cell(1, 4), QStringLiteral("1"));
    EXPECT_EQ(t.cell(1, 6), QStringLiteral("Basalt"));
}

TEST(Table, MovedTablesKeepTheirTexts)
{
    // A table moved from and used again must cut its blocks from chunks of its own.
    Table a(3);
    a.setCell(1, 1, QStringLiteral("Basalt"));
    Table b = std::move(a);
    a.setRowCount(3);
    a.setCell(1, 1, QStringLiteral("Andesite"));
    b.setCell(2, 1, QStringLiteral("Rhyolite"));
    Table c(2);
    c = std::move(b);
    b.setRowCount(3);
    b.setCell(1, 1, QStringLiteral("Dacite"));
    c.setCell(2, 2, QStringLiteral("12.5"));
    EXPECT_EQ(a.cell(1, 1), QStringLiteral("Andesite"));
    EXPECT_EQ(b.cell(1, 1), QStringLiteral("Dacite"));
    EXPECT_EQ(c.cell(1, 1), QStringLiteral("Basalt"));
    EXPECT_EQ(c.cell(2, 1), QStringLiteral("Rhyolite"));
    EXPECT_EQ(c.cell(2, 2), QStringLiteral("12.5"));
}

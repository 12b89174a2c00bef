#include "document_fixture.h"

#include <gtest/gtest.h>

using namespace quarvel;
using quarvel::test::documentWith;
using quarvel::test::RowCells;

namespace {

struct StatusCase
{
    const char *name;
    RowCells cells;
    const char *status;
};

class RowStatus : public testing::TestWithParam<StatusCase> {};

} // namespace

TEST_P(RowStatus, IsWrittenIntoColumnZero)
{
    // Row 1 defines group A so that the row under test can refer to it.
    auto doc = documentWith({{"A", "1", "1", "1"}, GetParam().cells});
    EXPECT_EQ(doc->table.cell(2, 0), QString::fromLatin1(GetParam().status));
}

INSTANTIATE_TEST_SUITE_P(Rows, RowStatus, testing::Values(
    StatusCase{"Empty", {"", "", "", "", "", ""}, ""},
    StatusCase{"OnlyLabel", {"", "", "", "", "", "S1"}, "No group"},
    StatusCase{"OnlyNumbers", {"", "1", "2", "3"}, "No group"},
    StatusCase{"GroupOtherCase", {"a", "1", "2", "3"}, "2"},
    StatusCase{"AllFourParts", {"A", "1", "2", "3", "4"}, "Ambiguous"},
    StatusCase{"AllFourEvenNotNumbers", {"A", "x", "y", "z", "w"}, "Ambiguous"},
    StatusCase{"OnlyBottomAndRight", {"A", "1", "", "3"}, "Number error"},
    StatusCase{"Upper", {"A", "20", "30", "50"}, "2"},
    StatusCase{"Lower", {"A", "20", "", "30", "50"}, "2"},
    StatusCase{"AllZero", {"A", "0", "0", "0"}, "Number error"},
    StatusCase{"Negative", {"A", "-5", "30", "50"}, "Number error"},
    StatusCase{"NotRepairable", {"A", "abc", "30", "50"}, "Number error"},
    StatusCase{"TooLargeForSingle", {"A", "1e300", "30", "50"}, "Number error"},
    StatusCase{"GroupOnly", {"A"}, "Number error"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(evaluateSamples, EmptyDocumentHasNoSamples)
{
    Document doc(UserLocale::point());
    EXPECT_EQ(doc.validSamples(), 0);
    EXPECT_EQ(doc.statusText(), QStringLiteral("Number of valid samples = 0"));
    EXPECT_TRUE(doc.samples.empty());
    for (int r = 1; r < doc.table.rowCount(); ++r)
        ASSERT_TRUE(doc.table.isEmpty(r, 0));
}

TEST(evaluateSamples, UpperAndLowerSamplesWithPercents)
{
    auto doc = documentWith({{"A", "20", "30", "50", "", "first"},
                             {"A", "x"},
                             {"B", "1", "", "1", "2", "second"}});
    ASSERT_EQ(doc->samples.size(), 2);
    const Sample &upper = doc->samples[0];
    EXPECT_EQ(upper.kind, 't');
    EXPECT_EQ(upper.parts, (std::array<float, 4>{20, 30, 50, 0}));
    EXPECT_EQ(upper.percents, (std::array<float, 4>{20, 30, 50, 0}));
    EXPECT_EQ(upper.total, 100);
    EXPECT_EQ(doc->samples.label(upper), QStringLiteral("first"));
    EXPECT_EQ(upper.row, 1);

    const Sample &lower = doc->samples[1];
    EXPECT_EQ(lower.kind, 'd');
    EXPECT_EQ(lower.parts, (std::array<float, 4>{1, 0, 1, 2}));
    EXPECT_EQ(lower.percents, (std::array<float, 4>{25, 0, 25, 50}));
    EXPECT_EQ(lower.total, 4);
    EXPECT_EQ(doc->diagramSettings.hasLowerSamples, 1);

    // Numbering skips the error row.
    EXPECT_EQ(doc->table.cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(doc->table.cell(2, 0), QStringLiteral("Number error"));
    EXPECT_EQ(doc->table.cell(3, 0), QStringLiteral("2"));
    EXPECT_EQ(doc->statusText(), QStringLiteral("Number of valid samples = 2"));
}

TEST(evaluateSamples, HasLowerSamplesIsClearedByTheNextEvaluation)
{
    auto doc = documentWith({{"A", "1", "", "1", "2"}});
    EXPECT_EQ(doc->diagramSettings.hasLowerSamples, 1);
    doc->table.setCell(1, 3, QStringLiteral("5"));
    doc->table.setCell(1, 5, QString());
    doc->evaluateSamples();
    EXPECT_EQ(doc->diagramSettings.hasLowerSamples, 0);
    EXPECT_EQ(doc->samples[0].kind, 't');
}

TEST(evaluateSamples, SamplesCarryTheirGroupsSettings)
{
    auto doc = documentWith({{"A", "1", "1", "1"}});
    Group &a = doc->groupList.group(0);
    a.color = 255;
    a.symbol = 110;
    a.symbolSize = 20;
    a.visible = 0;
    a.showLabels = 0;
    doc->evaluateSamples();
    const Sample &s = doc->samples[0];
    EXPECT_EQ(s.color, 255);
    EXPECT_EQ(s.symbol, 110);
    EXPECT_EQ(s.symbolSize, 20);
    EXPECT_EQ(s.visible, 0);
    EXPECT_EQ(s.showLabel, 0);
}

TEST(evaluateSamples, RepairsTheWholeRowInThePointLocale)
{
    auto doc = documentWith({{"A", "12,5", "30", "57.5"}, {"A", "12,5", "30", "3.14159265"}, {"A", "1", "2", "3,5"}});
    EXPECT_EQ(doc->table.cell(1, 2), QStringLiteral("12.5"));
    EXPECT_EQ(doc->table.cell(1, 4), QStringLiteral("57.5"));
    EXPECT_EQ(doc->table.cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(doc->table.cell(2, 4), QStringLiteral("3.1416"));
    EXPECT_EQ(doc->samples[1].parts[2], 3.14159265f); // the part keeps the parsed value
    EXPECT_EQ(doc->table.cell(3, 4), QStringLiteral("3.5"));
}

TEST(evaluateSamples, RepairsTheWholeRowInTheCommaLocale)
{
    auto doc = documentWith({{"A", "12.5", "30", "57,5", "", "label"}}, UserLocale::comma());
    EXPECT_EQ(doc->table.cell(1, 2), QStringLiteral("12,5"));
    EXPECT_EQ(doc->table.cell(1, 4), QStringLiteral("57,5"));
    EXPECT_EQ(doc->samples[0].parts[0], 12.5f);
    EXPECT_EQ(doc->samples.label(doc->samples[0]), QStringLiteral("label"));
}

TEST(evaluateSamples, FailedRepairStillRewritesTheGoodCells)
{
    auto doc = documentWith({{"A", "1,25", "abc", "2.123456"}});
    EXPECT_EQ(doc->table.cell(1, 0), QStringLiteral("Number error"));
    EXPECT_EQ(doc->table.cell(1, 2), QStringLiteral("1.25"));
    EXPECT_EQ(doc->table.cell(1, 3), QStringLiteral("abc"));
    EXPECT_EQ(doc->table.cell(1, 4), QStringLiteral("2.1235"));
    EXPECT_TRUE(doc->samples.empty());
    EXPECT_FALSE(doc->modified);
}

TEST(evaluateSamples, ColumnAxisPutsColumnsOnOtherAxes)
{
    auto doc = documentWith({{"A", "10", "20", "70"}, {"A", "30", "40", "30"}}, UserLocale::point(),
                            [](Document &d) { d.diagramSettings.columnAxis = {1, 0, 2, 3}; });
    const Sample &s = doc->samples[0];
    EXPECT_EQ(s.parts, (std::array<float, 4>{20, 10, 70, 0})); // bottom, left, right, down
    const Group &a = doc->groupList.group(0);
    EXPECT_EQ(a.means, (std::array<double, 4>{30, 20, 50, 0}));

    // Data column 4 on the left axis: columns 1, 3 and 4 make an upper sample.
    auto swapped = documentWith({{"A", "10", "", "20", "70"}}, UserLocale::point(),
                                [](Document &d) { d.diagramSettings.columnAxis = {0, 3, 2, 1}; });
    ASSERT_EQ(swapped->samples.size(), 1);
    EXPECT_EQ(swapped->samples[0].kind, 't');
    EXPECT_EQ(swapped->samples[0].parts, (std::array<float, 4>{10, 70, 20, 0}));
}

TEST(evaluateSamples, StatisticsPerGroup)
{
    auto doc = documentWith({{"A", "20", "30", "50"}, {"A", "40", "30", "30"}, {"B", "1", "", "2", "3"},
                             {"A", "-1", "1", "1"}});
    const Group &a = doc->groupList.group(0);
    EXPECT_EQ(a.count, 2);
    EXPECT_EQ(a.sums, (std::array<double, 4>{60, 60, 80, 0}));
    EXPECT_EQ(a.means, (std::array<double, 4>{30, 30, 40, 0}));
    const Group &b = doc->groupList.group(1);
    EXPECT_EQ(b.count, 1);
    EXPECT_EQ(b.means, (std::array<double, 4>{1, 0, 2, 3}));

    // A rebuild clears the statistics before the next evaluation adds them again.
    doc->buildGroups();
    doc->evaluateSamples();
    EXPECT_EQ(doc->groupList.group(0).count, 2);
}

TEST(evaluateSamples, ColumnsAreFoundByTheirTitles)
{
    auto doc = documentWith({{"A", "20", "30", "50", "", "S"}});
    doc->table.moveColumn(6, 2); // sample label now in grid column 2, data columns move right
    doc->dataSettings.columnPositions = {1, 3, 4, 5, 6, 2};
    EXPECT_EQ(doc->findColumn(QStringLiteral("Sample label")), 2);
    EXPECT_EQ(doc->findColumn(QStringLiteral("sample label")), -1);
    doc->buildGroups();
    doc->evaluateSamples();
    ASSERT_EQ(doc->samples.size(), 1);
    EXPECT_EQ(doc->samples[0].parts, (std::array<float, 4>{20, 30, 50, 0}));
    EXPECT_EQ(doc->samples.label(doc->samples[0]), QStringLiteral("S"));

    // A title no header carries reads as an empty column.
    doc->table.setCell(0, 4, QStringLiteral("Renamed"));
    doc->evaluateSamples();
    EXPECT_EQ(doc->table.cell(1, 0), QStringLiteral("Number error"));
}

TEST(evaluateSamples, LongLabelsAreCut)
{
    const std::string label(80, 'L');
    auto doc = documentWith({{"A", "1", "1", "1", "", label.c_str()}});
    EXPECT_EQ(doc->samples.label(doc->samples[0]), QString(49, QLatin1Char('L')));
}

TEST(parseNumber, TakesEitherSeparator)
{
    Document point(UserLocale::point());
    Document comma(UserLocale::comma());
    struct Case
    {
        const char *text;
        double value;
        bool ok;
    };
    const Case cases[] = {{"12,5", 12.5, true}, {"12.5", 12.5, true}, {"7", 7, true},
                          {"1.5,5", -1, false}, {"abc", -1, false}, {"", -1, false}};
    for (const Case &c : cases) {
        for (const Document *doc : {&point, &comma}) {
            const ParsedNumber n = doc->parseNumber(std::string_view(c.text));
            EXPECT_EQ(n.ok, c.ok) << c.text;
            EXPECT_EQ(n.value, c.value) << c.text;
        }
    }
}

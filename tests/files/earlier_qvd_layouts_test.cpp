#include "files/document_file.h"
#include "files/open_save_commands.h"
#include "files/field_values.h"
#include "files/layout_fixtures.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <limits>

namespace quarvel {
namespace {

std::unique_ptr<Document> open(const test::Bytes &bytes, OpenFileType type = OpenFileType::Current,
                               const UserLocale &locale = UserLocale::point())
{
    QTemporaryDir dir;
    const QString path = test::writeTestFile(dir.filePath(QStringLiteral("f")), bytes.str());
    return openDocumentFile(path, type, locale).document;
}

TEST(Version30Reader, ReadsSettingsOverlayGroupsAndRows)
{
    const auto doc = open(test::version30File({{"A", 20, 30, 50, "s1"}, {"A", 12.5, 1e-7, 1e20, "s2"}}));
    ASSERT_TRUE(doc);
    const DiagramSettings &s = doc->diagramSettings;
    EXPECT_EQ(s.axisDivisions, 8);
    EXPECT_EQ(s.borderWidth, 2);
    EXPECT_EQ(s.gridColor, 0x0000FF);
    EXPECT_EQ(s.overlayPenColor, 0x0000FF);
    EXPECT_EQ(s.numberDecimals, 1);
    EXPECT_EQ(s.reserved24, 7);
    EXPECT_EQ(s.axisLabelFont.face(), QStringLiteral("Times"));
    EXPECT_EQ(s.numberFont.face(), QStringLiteral("Courier"));
    EXPECT_EQ(s.legendFont.face(), QStringLiteral("Verdana"));
    EXPECT_EQ(s.symbolFont.face(), QStringLiteral("Symbol"));
    EXPECT_EQ(s.sampleLabelFont.face(), QStringLiteral("Tahoma"));
    EXPECT_EQ(s.axisLabelFont.faceName[6], '\0') << "the rest of the face name field is zero";
    EXPECT_EQ(s.symbolFont.size, 14);
    EXPECT_EQ(s.axisLabelFont.size, 11);
    EXPECT_EQ(s.numberFont.size, 8);
    EXPECT_EQ(s.legendFont.size, 12);
    EXPECT_EQ(s.sampleLabelFont.size, 7);
    EXPECT_EQ(s.drawGrid, 0);
    EXPECT_EQ(s.ticksBottom, 0);
    EXPECT_EQ(s.ticksLeft, 1);
    EXPECT_EQ(s.drawLegend, 0);
    EXPECT_EQ(s.symbolsFirst, 1);
    EXPECT_EQ(s.sortLegend, 1);
    EXPECT_EQ(s.axisLabelsCentered, 1);
    EXPECT_EQ(s.matchPointColor, 1);
    EXPECT_EQ(s.innerTicks, 0);
    EXPECT_EQ(s.drawClippingLine, 1);
    EXPECT_EQ(s.clockwise, 1) << "not carried: keeps its default";
    const DataSettings &d = doc->dataSettings;
    const char *titles[6] = {"Group label", "Na", "Ca", "Mg", "Down", "Sample label"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(d.title(i), QString::fromUtf8(titles[i]));

    ASSERT_EQ(doc->overlayList.size(), 1u);
    EXPECT_EQ(doc->overlayList[0].kind, 'b');
    EXPECT_EQ(doc->overlayList[0].ternCtrl2, (Weights{10, 11, 12}));
    ASSERT_EQ(doc->groupList.size(), 1);
    EXPECT_EQ(doc->groupList.group(0).symbol, 65);
    EXPECT_EQ(doc->groupList.group(0).color, 0x00FF00);
    EXPECT_EQ(doc->groupList.group(0).symbolSize, 14) << "the symbol font's size";
    EXPECT_EQ(doc->fileInfo, QStringLiteral("old"));
    EXPECT_EQ(doc->geometry.clipCorners[3], (Weights{10, 11, 12}));

    const char *row1[7] = {"1", "A", "20", "30", "50", "", "s1"};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(doc->table.cell(1, c), QString::fromUtf8(row1[c])) << c;
    EXPECT_EQ(doc->table.cell(2, 2), QStringLiteral("12.5"));
    EXPECT_EQ(doc->table.cell(2, 3), QStringLiteral("1E-7"));
    EXPECT_EQ(doc->table.cell(2, 4), QStringLiteral("1E20"));
    EXPECT_EQ(doc->samples[0].kind, 't');
    EXPECT_EQ(doc->table.rowCount(), kMinimumGridRows);
}

TEST(Version30Reader, WritesValuesWithTheUsersDecimalSeparator)
{
    const auto doc = open(test::version30File({{"A", 12.5, 30, 57.5, ""}}), OpenFileType::Current, UserLocale::comma());
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->table.cell(1, 2), QStringLiteral("12,5"));
    EXPECT_EQ(doc->table.cell(1, 4), QStringLiteral("57,5"));
    EXPECT_EQ(doc->table.cell(1, 0), QStringLiteral("1")) << "the row is a sample";
}

TEST(Version30Reader, LosesOnlyAPartialLastRow)
{
    const std::string bytes = test::version30File({{"A", 1, 1, 2, ""}, {"A", 1, 2, 3, ""}}).str();
    Document doc(UserLocale::point());
    ASSERT_TRUE(readDocument(doc, std::string_view(bytes).substr(0, bytes.size() - 1)).ok);
    EXPECT_EQ(doc.table.cell(1, 3), QStringLiteral("1"));
    EXPECT_EQ(doc.table.cell(2, 3), QString());
}

TEST(GeneralNumberText, ShortestFormWithFifteenDigits)
{
    const struct
    {
        double value;
        const char *text;
    } cases[] = {{0, "0"},
                 {20, "20"},
                 {-12.5, "-12.5"},
                 {0.1, "0.1"},
                 {1.0 / 3, "0.333333333333333"},
                 {2.0 / 3, "0.666666666666667"},
                 {123456789012345, "123456789012345"},
                 {1234567890123456, "1.23456789012346E15"},
                 {0.00001, "0.00001"},
                 {0.000001234, "1.234E-6"},
                 {1e100, "1E100"},
                 {std::numeric_limits<double>::infinity(), "INF"},
                 {std::nan(""), "NAN"}};
    for (const auto &c : cases)
        EXPECT_EQ(generalNumberText(c.value, '.'), c.text) << c.text;
    EXPECT_EQ(generalNumberText(0.25, ','), "0,25");
}

TEST(Version40Reader, ReadsTheBlockAndSetsWhatItDoesNotCarry)
{
    const auto doc = open(test::version40File({{"A", "10", "", "20", "70", "x"}, {"B", "1", "2", "3", "", "y"}}));
    ASSERT_TRUE(doc);
    const DiagramSettings &s = doc->diagramSettings;
    EXPECT_EQ(s.axisDivisions, 12);
    EXPECT_EQ(s.borderWidth, 3);
    EXPECT_EQ(s.gridColor, 0xAA);
    EXPECT_EQ(s.overlayPenColor, 0xBB);
    EXPECT_EQ(s.reserved16, 5);
    EXPECT_EQ(s.numberDecimals, 2);
    EXPECT_EQ(s.reserved24, 9);
    EXPECT_EQ(s.drawGrid, 1);
    EXPECT_EQ(s.ticksBottom, 0);
    EXPECT_EQ(s.sortLegend, 1);
    EXPECT_EQ(s.fullTriangle, 1);
    EXPECT_EQ(s.numbersAligned, 1);
    EXPECT_EQ(s.tickLength, -2);
    EXPECT_EQ(s.baseSize, 3);
    EXPECT_EQ(s.drawClippingLine, 0);
    EXPECT_EQ(s.hideOverlay, 1);
    EXPECT_EQ(s.snapToInteger, 1);
    EXPECT_EQ(s.adjustToWindow, 0);
    EXPECT_EQ(s.legendColumns, 1);
    EXPECT_EQ(s.showClippingArea, 0);
    EXPECT_EQ(s.diagramKind, 0);
    EXPECT_EQ(s.legendX, 0.5f);
    EXPECT_EQ(s.legendY, 0.25f);
    EXPECT_EQ(s.overlayTextFont.face(), QStringLiteral("Font5"));
    EXPECT_EQ(s.symbolFont.size, 23);
    EXPECT_EQ(s.axisLabelFont.charset, 2);
    EXPECT_EQ(s.axisLabelFont.style, 8);
    EXPECT_EQ(s.clockwise, 0);
    EXPECT_EQ(s.columnAxis, (std::array<std::int32_t, 4>{0, 1, 2, 3}));
    const DataSettings &d = doc->dataSettings;
    const char *titles[6] = {"Group label", "SiO2", "Al2O3", "FeO", "MgO", "Sample label"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(d.title(i), QString::fromUtf8(titles[i]));
        EXPECT_EQ(doc->table.cell(0, i + 1), QString::fromUtf8(titles[i]));
    }
    EXPECT_EQ(d.precision, 4);
    EXPECT_STREQ(d.numberFormat.data(), "##0.####");
    EXPECT_EQ(d.dataFont.face(), QStringLiteral("Arial"));

    ASSERT_EQ(doc->overlayList.size(), 1u);
    EXPECT_EQ(doc->overlayList[0].text, QStringLiteral("Label")) << "trimmed";
    EXPECT_EQ(doc->overlayList[0].angle, 90);
    ASSERT_EQ(doc->groupList.size(), 2);
    EXPECT_EQ(doc->groupList.group(doc->groupList.indexOf(u"A")).symbolSize, 23) << "the symbol font's size";
    EXPECT_EQ(doc->groupList.group(doc->groupList.indexOf(u"B")).symbolSize, 12) << "not stored: a default group";
    EXPECT_EQ(doc->table.cell(1, 5), QStringLiteral("70"));
    EXPECT_EQ(doc->table.cell(2, 6), QStringLiteral("y"));
    EXPECT_EQ(doc->table.cell(1, 0), QStringLiteral("1")) << "a lower-triangle sample";
    EXPECT_EQ(doc->diagramSettings.hasLowerSamples, 1);
}

TEST(OlderLayouts, EveryTruncationFailsOrKeepsTheWholeRowsBeforeIt)
{
    const std::string files[2] = {test::version30File({{"A", 1, 1, 2, "a"}, {"A", 1, 2, 3, "b"}}).str(),
                                  test::version40File({{"A", "1", "1", "2", "", "a"}, {"A", "1", "2", "3", "", "b"}}).str()};
    const std::size_t rowSize[2] = {88, 140};
    for (int f = 0; f < 2; ++f) {
        const std::string &bytes = files[f];
        const std::size_t rowsStart = bytes.size() - 2 * rowSize[f];
        for (std::size_t size = 0; size < bytes.size(); ++size) {
            Document doc(UserLocale::point());
            const ReadResult result = readDocument(doc, std::string_view(bytes).substr(0, size));
            ASSERT_EQ(result.ok, size >= rowsStart) << "file " << f << " cut at " << size;
        }
    }
}

} // namespace
} // namespace quarvel

#include "files/open_save_commands.h"
#include "files/layout_fixtures.h"
#include "files/qvo_ter_files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace quarvel {
namespace {

using test::TextRow;

std::unique_ptr<Document> open(const test::Bytes &bytes, OpenFileType type)
{
    QTemporaryDir dir;
    const QString path = test::writeTestFile(dir.filePath(QStringLiteral("f")), bytes.str());
    return openDocumentFile(path, type, UserLocale::point()).document;
}

const std::vector<TextRow> kRowsWithGaps = {
    {"A", "20", "30", "50", "", "s1"}, {"", "", "", "", "", ""}, {"", "", "", "", "", ""}, {"A", "1", "1", "2", "", "s2"}};

TEST(TaggedSecondVersion, ReadsSettingsOverlayGroupsAndPacksTheRows)
{
    const auto doc = open(test::taggedFile(kRowsWithGaps), OpenFileType::SecondVersion);
    ASSERT_TRUE(doc);
    const DiagramSettings &s = doc->diagramSettings;
    EXPECT_EQ(s.axisDivisions, 6);
    EXPECT_EQ(s.overlayPenColor, 0x0000FF);
    EXPECT_EQ(s.numberDecimals, 2);
    EXPECT_EQ(s.sampleLabelFont.face(), QStringLiteral("Tahoma"));
    EXPECT_EQ(s.sampleLabelFont.size, 7);
    EXPECT_EQ(s.legendFont.face(), QStringLiteral("Verdana"));
    EXPECT_EQ(s.axisLabelsCentered, 1);
    EXPECT_EQ(s.matchPointColor, 1);
    EXPECT_EQ(s.symbolsFirst, 1);
    EXPECT_EQ(doc->dataSettings.title(1), QStringLiteral("K"));
    EXPECT_EQ(doc->dataSettings.title(3), QStringLiteral("Li"));
    EXPECT_EQ(doc->dataSettings.title(4), QStringLiteral("Down"));

    ASSERT_EQ(doc->overlayList.size(), 1u);
    const VectorLine &v = doc->overlayList[0];
    EXPECT_EQ(v.kind, 'e');
    EXPECT_EQ(v.lineStyle, 3);
    const std::array<Weights, 4> points = {v.ternOrigin, v.ternDest, v.ternCtrl1, v.ternCtrl2};
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_EQ(points[i / 3][i % 3], test::kNumberValues[i]) << "number field " << i;
    EXPECT_EQ(v.text, QStringLiteral("oval"));
    EXPECT_EQ(v.width, 1) << "not stored: the new object's default";

    ASSERT_EQ(doc->groupList.size(), 1);
    EXPECT_EQ(doc->groupList.group(0).symbol, 66);
    EXPECT_EQ(doc->groupList.group(0).symbolSize, 16);
    EXPECT_EQ(doc->table.cell(1, 6), QStringLiteral("s1"));
    EXPECT_EQ(doc->table.cell(2, 6), QStringLiteral("s2")) << "empty records dropped";
    EXPECT_EQ(doc->table.cell(2, 0), QStringLiteral("2"));
    EXPECT_EQ(doc->table.rowCount(), kMinimumGridRows);
}

TEST(TaggedSecondVersion, AnyOneLetterOfTheMagicMakesItTaggedAndItsWordsMustMatch)
{
    const struct
    {
        std::string magic;
        std::int32_t first, second;
        bool ok;
    } cases[] = {{std::string("qvo\0", 4), 2, 9, true},
                 {std::string("qvx\0", 4), 2, 9, true},
                 {std::string("qvx\0", 4), 2, 8, false},
                 {std::string("xxo\0", 4), 3, 9, false}};
    for (const auto &c : cases) {
        Document doc(UserLocale::point());
        const ReadResult result = readOlderDocument(doc, test::taggedFile({}, c.magic, c.first, c.second).str());
        EXPECT_EQ(result.ok, c.ok) << c.magic << ' ' << c.first << ' ' << c.second;
        EXPECT_EQ(result.layout, DocumentLayout::Tagged);
    }
}

TEST(UntaggedSecondVersion, ReadsBothOverlayForms)
{
    const auto simple = open(test::untaggedFile(kRowsWithGaps, false), OpenFileType::SecondVersion);
    ASSERT_TRUE(simple);
    const DiagramSettings &s = simple->diagramSettings;
    EXPECT_EQ(s.axisDivisions, 5);
    EXPECT_EQ(s.gridColor, 0x11);
    EXPECT_EQ(s.overlayPenColor, 0x22);
    EXPECT_EQ(s.symbolFont.size, 18);
    EXPECT_EQ(s.symbolFont.face(), QStringLiteral("Symbol"));
    EXPECT_EQ(s.legendFont.size, 12);
    EXPECT_EQ(s.ticksLeft, 1);
    EXPECT_EQ(s.sortLegend, 1);
    EXPECT_EQ(simple->dataSettings.title(3), QStringLiteral("Na+K"));
    ASSERT_EQ(simple->overlayList.size(), 1u);
    const VectorLine &line = simple->overlayList[0];
    EXPECT_EQ(line.kind, 'r');
    EXPECT_EQ(line.lineStyle, 3);
    EXPECT_EQ(line.ternOrigin, (Weights{10, 70, 20}));
    EXPECT_EQ(line.ternDest, (Weights{30, 30, 40}));
    EXPECT_EQ(simple->groupList.group(0).symbolSize, 18);
    EXPECT_EQ(simple->table.cell(2, 2), QStringLiteral("1")) << "empty records dropped";
    EXPECT_EQ(simple->table.cell(1, 6), QString()) << "no sample labels in this form";

    const auto extended = open(test::untaggedFile({}, true), OpenFileType::SecondVersion);
    ASSERT_TRUE(extended);
    ASSERT_EQ(extended->overlayList.size(), 1u);
    EXPECT_EQ(extended->overlayList[0].kind, 'b');
    EXPECT_EQ(extended->overlayList[0].ternCtrl2[2], 12345678.f);
    EXPECT_EQ(extended->overlayList[0].text, QStringLiteral("-"));
}

TEST(UntaggedSecondVersion, RefusesBorderWidthsAndDecimalsTheProgramNeverWrote)
{
    const struct
    {
        std::int32_t border, decimals;
        bool ok;
    } cases[] = {{1, 2, true}, {3, 0, true}, {0, 1, false}, {4, 1, false}, {2, 3, false}};
    for (const auto &c : cases) {
        Document doc(UserLocale::point());
        const ReadResult result = readOlderDocument(doc, test::untaggedFile({}, false, c.border, c.decimals).str());
        EXPECT_EQ(result.ok, c.ok) << c.border << ' ' << c.decimals;
        EXPECT_EQ(result.layout, DocumentLayout::Untagged);
    }
}

TEST(FirstVersion, ReadsTitlesLinesAndEveryRow)
{
    std::vector<TextRow> rows;
    for (int i = 0; i < 150; ++i)
        rows.push_back({"G", std::to_string(i + 1), "10", "10", "", ""});
    const auto doc = open(test::firstFormatFile({{"c", {"10", "20", "70", "30", "30", "40"}},
                                                 {"A", {"1", "2", "3", "4", "5", "6"}},
                                                 {"B", {"1", "2", "3", "4", "5", "6"}},
                                                 {"d", {"1", "2", "3", "4", "5", "6"}},
                                                 {"x", {"1", "2", "3", "4", "5", "6"}}},
                                                rows),
                          OpenFileType::FirstVersion);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->dataSettings.title(1), QStringLiteral("Cl"));
    EXPECT_EQ(doc->dataSettings.title(3), QStringLiteral("HCO3"));
    EXPECT_EQ(doc->table.cell(0, 6), QStringLiteral("Sample label"));
    ASSERT_EQ(doc->overlayList.size(), 5u);
    const std::uint8_t styles[5] = {1, 2, 0, 3, 0};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(doc->overlayList[i].kind, 'r');
        EXPECT_EQ(doc->overlayList[i].lineStyle, styles[i]) << i;
    }
    EXPECT_EQ(doc->overlayList[0].ternOrigin, (Weights{10, 20, 70}));
    EXPECT_EQ(doc->overlayList[0].ternDest, (Weights{30, 30, 40}));
    EXPECT_EQ(doc->table.rowCount(), 152);
    EXPECT_EQ(doc->table.cell(150, 2), QStringLiteral("150"));
    EXPECT_EQ(doc->table.cell(1, 5), QString());
    EXPECT_EQ(doc->validSamples(), 150);
}

TEST(FirstVersion, KeepsTheRowMinimumAndRefusesBadLineRecords)
{
    const auto small = open(test::firstFormatFile({}, {{"G", "1", "2", "3", "", ""}}), OpenFileType::FirstVersion);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->table.rowCount(), kMinimumGridRows);

    for (const test::FirstLine &bad : {test::FirstLine{"", {"1", "2", "3", "4", "5", "6"}},
                                       test::FirstLine{"B", {"1", "2", "x", "4", "5", "6"}}}) {
        Document doc(UserLocale::point());
        EXPECT_FALSE(readFirstFormat(doc, test::firstFormatFile({bad}, {}).str()).ok) << bad.style;
    }
}

TEST(OlderDocuments, EveryTruncationFailsOrKeepsTheWholeRowsBeforeIt)
{
    const std::vector<TextRow> rows = {{"A", "1", "1", "2", "", "a"}, {"A", "1", "2", "3", "", "b"}};
    const struct
    {
        std::string bytes;
        std::size_t rowSize;
        bool first;
    } files[] = {{test::taggedFile(rows).str(), 160, false},
                 {test::untaggedFile(rows, false).str(), 160, false},
                 {test::untaggedFile(rows, true).str(), 160, false},
                 {test::firstFormatFile({{"A", {"1", "2", "3", "4", "5", "6"}}}, rows).str(), 151, true}};
    for (const auto &f : files) {
        // The first-version reader also passes over the 20 unread records when the file ends in them.
        const std::size_t needed = f.bytes.size() - 2 * f.rowSize - (f.first ? 20 * 151 : 0);
        for (std::size_t size = 0; size < f.bytes.size(); ++size) {
            Document doc(UserLocale::point());
            const std::string_view cut = std::string_view(f.bytes).substr(0, size);
            const bool ok = f.first ? readFirstFormat(doc, cut).ok : readOlderDocument(doc, cut).ok;
            ASSERT_EQ(ok, size >= needed) << "cut at " << size << " of " << f.bytes.size();
        }
    }
}

} // namespace
} // namespace quarvel

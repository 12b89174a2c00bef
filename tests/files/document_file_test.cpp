#include "files/document_file.h"
#include "files/open_save_commands.h"
#include "files/layout_fixtures.h"

#include "core/codepage.h"
#include "core/overlay_fixture.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <csignal>
#include <cstring>

namespace quarvel {
namespace {

using test::Bytes;
using test::Record;

constexpr std::size_t kFixedPart = 12 + 372 + 728 + 16 + 144 + 255 + 48;

std::string bytesOf(const Document &doc, std::vector<ChangedText> *changes = nullptr)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    std::vector<ChangedText> ignored;
    EXPECT_TRUE(writeDocument(doc, buffer, changes ? *changes : ignored));
    return buffer.data().toStdString();
}

std::unique_ptr<Document> reopen(const std::string &bytes, const UserLocale &locale = UserLocale::point())
{
    QTemporaryDir dir;
    const QString path = test::writeTestFile(dir.filePath(QStringLiteral("d.qvd")), bytes);
    OpenOutcome outcome = openDocumentFile(path, OpenFileType::Current, locale);
    EXPECT_TRUE(outcome.document) << "the file did not open";
    return std::move(outcome.document);
}

template <typename T>
std::string blockOf(const T &block)
{
    return std::string(reinterpret_cast<const char *>(&block), sizeof block);
}

void setRow(Document &doc, int row, const std::array<const char *, 6> &cells)
{
    for (int i = 0; i < 6; ++i)
        doc.table.setCell(row, doc.dataSettings.columnPositions[static_cast<std::size_t>(i)], QString::fromUtf8(cells[static_cast<std::size_t>(i)]));
}

VectorLine textLabel(const char *text, const char *font)
{
    return test::overlayLabel(QString::fromUtf8(text), QString::fromUtf8(font), {10, 20, 70}, 14, 45, 0x00FF00);
}

TEST(DocumentFile, WriterProducesTheStoredLayout)
{
    Document doc(UserLocale::point());
    setRow(doc, 1, {"A", "20", "30", "50", "", "s1"});
    doc.overlayList.push_back(textLabel("Hi", "Arial"));
    doc.fileInfo = QStringLiteral("Note");
    doc.buildGroups();
    doc.groupList.group(0).symbol = 120;
    doc.groupList.group(0).color = 0x0000FF;
    doc.groupList.group(0).symbolSize = 16;

    Bytes expected;
    expected.raw(std::string_view("qvd\0", 4)).i32(4).i32(5);
    expected.raw(blockOf(doc.diagramSettings)).raw(blockOf(doc.dataSettings));
    expected.append(test::overlayHeader(4, 0, 1));
    expected << test::overlayRecord('t', 0, 0x00FF00, 0, 1, 14, 45, {10, 20, 70}, "Arial", "Hi");
    expected << Record(144).i32(132, 1);
    expected << Record(144).text(0, "A").i32(132, 120).i32(136, 0x0000FF).i32(140, 16);
    expected.text("Note", 255);
    for (const Weights &corner : doc.geometry.clipCorners)
        expected.f32(corner[0]).f32(corner[1]).f32(corner[2]);
    expected << Record(144).text(0, "A").text(30, "20").text(50, "30").text(70, "50").text(110, "s1");
    for (int row = 2; row <= 101; ++row)
        expected << Record(144);

    EXPECT_EQ(bytesOf(doc), expected.str());
}

TEST(DocumentFile, SaveAndReopenKeepEverything)
{
    Document doc(UserLocale::point());
    DiagramSettings &s = doc.diagramSettings;
    s.axisDivisions = 7;
    s.borderWidth = 9; // out of range, kept as stored
    s.reserved16 = 0x5A5A;
    s.padding53 = {1, 2, 3};
    s.baseSize = -4;
    s.legendX = 0.33f;
    s.fullTriangle = 0;
    s.snapToInteger = 1;
    s.sortLegend = 1;
    s.axisLabelFont.faceName[20] = 'x'; // behind the NUL
    s.columnAxis = {1, 0, 2, 3};
    DataSettings &d = doc.dataSettings;
    d.columnTitles[1][50] = 'q'; // behind the NUL
    d.numberFormat[11] = 7;
    d.setPrecision(2);

    // Group label moved to grid column 3, data columns 1 and 2 shift left.
    doc.table.moveColumn(1, 3);
    d.columnPositions = {3, 1, 2, 4, 5, 6};
    setRow(doc, 1, {"Granite", "20", "30", "50", "", "G-1 \xC3\xA9\xE2\x82\xAC"});
    setRow(doc, 2, {"basalt", "", "10", "60", "30", "B-1"});
    setRow(doc, 5, {"Granite", "1", "1", "2", "", ""});

    doc.overlayList.push_back(textLabel("fifty characters of text ........................!", "Times New Roman"));
    for (char kind : {'r', 'b', 'e'}) {
        VectorLine v;
        v.kind = kind;
        v.lineStyle = 3;
        v.fill = 6;
        v.width = 2;
        v.color = 0x010203;
        v.ternOrigin = {1.5f, 2, 3};
        v.ternDest = {4, -5, 600};
        v.ternCtrl1 = {7, 8, 9};
        v.ternCtrl2 = {10, 11, 12.25f};
        doc.overlayList.push_back(v);
    }
    doc.fileInfo = QString(254, QChar(0xE9));
    doc.geometry.clipCorners = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}};
    doc.buildGroups();
    doc.evaluateSamples();
    Group &stored = doc.groupList.group(doc.groupList.indexOf(u"Granite"));
    stored.symbol = 200;
    stored.color = 0x00ABCDEF;
    stored.symbolSize = 30;
    doc.groupList.group(doc.groupList.indexOf(u"basalt")).visible = 0;

    std::vector<ChangedText> changes;
    const std::string bytes = bytesOf(doc, &changes);
    EXPECT_TRUE(changes.empty());
    // Rows are stored by table column wherever the grid shows them.
    EXPECT_EQ(bytes.substr(kFixedPart - 144 + 4 * 160 + 144 + 2 * 144, 8), std::string("Granite\0", 8))
        << "first row record starts with the group label";

    const auto back = reopen(bytes);
    EXPECT_EQ(blockOf(back->diagramSettings), blockOf(doc.diagramSettings));
    EXPECT_EQ(blockOf(back->dataSettings), blockOf(doc.dataSettings));
    for (int row = 0; row <= 5; ++row) {
        for (int column = 1; column < 7; ++column)
            EXPECT_EQ(back->table.cell(row, column), doc.table.cell(row, column)) << row << ',' << column;
    }
    EXPECT_EQ(back->fileInfo, doc.fileInfo);
    EXPECT_EQ(back->geometry.clipCorners, doc.geometry.clipCorners);
    ASSERT_EQ(back->overlayList.size(), 4u);
    EXPECT_EQ(back->overlayList[0].text, doc.overlayList[0].text);
    EXPECT_EQ(back->overlayList[0].fontName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(back->overlayList[0].fontSize, 14);
    EXPECT_EQ(back->overlayList[0].angle, 45);
    for (std::size_t i = 1; i < 4; ++i) {
        const VectorLine &v = back->overlayList[i];
        EXPECT_EQ(v.kind, doc.overlayList[i].kind);
        EXPECT_EQ(v.lineStyle, 3);
        EXPECT_EQ(v.fill, 6);
        EXPECT_EQ(v.width, 2);
        EXPECT_EQ(v.color, 0x010203);
        EXPECT_EQ(v.ternOrigin, doc.overlayList[i].ternOrigin);
        EXPECT_EQ(v.ternDest, doc.overlayList[i].ternDest);
        EXPECT_EQ(v.ternCtrl1, doc.overlayList[i].ternCtrl1);
        EXPECT_EQ(v.ternCtrl2, doc.overlayList[i].ternCtrl2);
        EXPECT_EQ(v.fontSize, 0) << "only labels store a font size";
        EXPECT_EQ(v.text, QString()) << "only labels store a text";
    }
    ASSERT_EQ(back->groupList.size(), 2);
    EXPECT_EQ(back->groupList.name(0), QStringLiteral("basalt")) << "sorted legend";
    const Group &granite = back->groupList.group(1);
    EXPECT_EQ(granite.symbol, 200);
    EXPECT_EQ(granite.color, 0x00ABCDEF);
    EXPECT_EQ(granite.symbolSize, 30);
    EXPECT_EQ(granite.count, 2);
    EXPECT_EQ(back->groupList.group(0).visible, 1) << "visibility is not stored";
    EXPECT_EQ(back->validSamples(), doc.validSamples());
    EXPECT_FALSE(back->modified);
}

TEST(DocumentFile, NewDocumentStoresItsEmptyRows)
{
    Document doc(UserLocale::point());
    const std::string bytes = bytesOf(doc);
    EXPECT_EQ(bytes.size(), kFixedPart + 101 * 144);
    const auto back = reopen(bytes);
    EXPECT_TRUE(back->overlayList.empty());
    EXPECT_EQ(back->groupList.size(), 0);
    EXPECT_EQ(back->table.rowCount(), 103) << "title row, 101 rows read and one empty row";
    EXPECT_EQ(blockOf(back->diagramSettings), blockOf(doc.diagramSettings));
}

TEST(DocumentFile, StoredGroupsOnlyLendTheirSettingsToGroupsInUse)
{
    Document doc(UserLocale::point());
    setRow(doc, 1, {"a", "20", "30", "50", "", ""});
    doc.buildGroups();
    std::string bytes = bytesOf(doc);
    // Replace the one stored group by "A" and the unused "Z".
    const std::size_t groups = 12 + 372 + 728 + 16;
    Bytes section;
    section << Record(144).i32(132, 2);
    section << Record(144).text(0, "A").i32(132, 77).i32(136, 0xFF).i32(140, 21);
    section << Record(144).text(0, "Z").i32(132, 78).i32(136, 0xFF00).i32(140, 22);
    bytes.replace(groups, 2 * 144, section.str());

    const auto back = reopen(bytes);
    ASSERT_EQ(back->groupList.size(), 1);
    EXPECT_EQ(back->groupList.name(0), QStringLiteral("a"));
    EXPECT_EQ(back->groupList.group(0).symbol, 77);
    EXPECT_EQ(back->groupList.group(0).color, 0xFF);
    EXPECT_EQ(back->groupList.group(0).symbolSize, 21);
}

TEST(DocumentFile, ColumnPositionsThatNoGridCanHavePlaceTheColumnsInTheirOwnOrder)
{
    Document doc(UserLocale::point());
    setRow(doc, 1, {"A", "20", "30", "50", "", "s"});
    doc.buildGroups();
    std::string bytes = bytesOf(doc);
    Bytes positions;
    for (std::int32_t p : {7, -1, 1, 1, 2, 2000000000})
        positions.i32(p);
    bytes.replace(12 + 372 + 600, 24, positions.str());

    const auto back = reopen(bytes);
    for (int c = 1; c < 7; ++c)
        EXPECT_EQ(back->table.cell(1, c), doc.table.cell(1, c)) << c;
    EXPECT_EQ(back->dataSettings.columnPositions[5], 2000000000) << "the stored block is kept as it was";
}

struct DispatchCase
{
    const char *name;
    std::string magic;
    std::int32_t first, second;
    bool ok;
    DocumentLayout layout;
};

class DocumentDispatch : public testing::TestWithParam<DispatchCase> {};

TEST_P(DocumentDispatch, ChoosesTheReaderByMagicAndVersionWords)
{
    const DispatchCase &c = GetParam();
    // A body that each of the three readers accepts once the header is replaced.
    std::string bytes;
    if (c.first == 3 && c.second == 0)
        bytes = test::version30File({}).str();
    else if (c.first == 4 && c.second == 0)
        bytes = test::version40File({}).str();
    else
        bytes = bytesOf(Document(UserLocale::point()));
    Bytes header;
    header.raw(c.magic).i32(c.first).i32(c.second);
    bytes.replace(0, 12, header.str());

    Document doc(UserLocale::point());
    const ReadResult result = readDocument(doc, bytes);
    EXPECT_EQ(result.ok, c.ok);
    if (c.ok) {
        EXPECT_EQ(result.layout, c.layout);
    }
}

INSTANTIATE_TEST_SUITE_P(Headers, DocumentDispatch,
    testing::Values(
        DispatchCase{"Current", std::string("qvd\0", 4), 4, 5, true, DocumentLayout::Current},
        DispatchCase{"Version40", std::string("qvd\0", 4), 4, 0, true, DocumentLayout::Version40},
        DispatchCase{"Version30", std::string("qvd\0", 4), 3, 0, true, DocumentLayout::Version30},
        DispatchCase{"OnlyFirstLetter", std::string("qxx\0", 4), 4, 5, true, DocumentLayout::Current},
        DispatchCase{"OnlySecondLetter", std::string("xvx\0", 4), 4, 5, true, DocumentLayout::Current},
        DispatchCase{"OnlyThirdLetter", std::string("xxd\0", 4), 4, 5, true, DocumentLayout::Current},
        DispatchCase{"NoLetter", std::string("abc\0", 4), 4, 5, false, DocumentLayout::Current},
        DispatchCase{"UnknownSecondWord", std::string("qvd\0", 4), 4, 6, false, DocumentLayout::Current},
        DispatchCase{"SecondVersionWords", std::string("qvd\0", 4), 2, 9, false, DocumentLayout::Current}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DocumentFile, TruncatedFileFailsBeforeTheRowsAndLosesOnlyThePartialRowAfter)
{
    Document doc(UserLocale::point());
    setRow(doc, 1, {"A", "20", "30", "50", "", ""});
    doc.table.setRowCount(4); // three stored rows
    doc.overlayList.push_back(textLabel("x", "y"));
    doc.buildGroups();
    const std::string bytes = bytesOf(doc);
    const std::size_t rowsStart = bytes.size() - 3 * 144;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        Document read(UserLocale::point());
        const ReadResult result = readDocument(read, std::string_view(bytes).substr(0, size));
        ASSERT_EQ(result.ok, size >= rowsStart) << "cut at " << size;
        if (result.ok) {
            const int whole = static_cast<int>((size - rowsStart) / 144);
            EXPECT_EQ(read.table.rowCount(), std::max(whole + 2, kMinimumGridRows)) << "cut at " << size;
        }
    }
}

TEST(DocumentFile, CountsBeyondTheFileEndTheReadingWithoutAllocating)
{
    const std::string good = bytesOf(Document(UserLocale::point()));
    for (const std::size_t countAt : {12 + 372 + 728 + 12, 12 + 372 + 728 + 16 + 132}) {
        std::string bytes = good;
        Bytes huge;
        huge.i32(2000000000);
        bytes.replace(countAt, 4, huge.str());
        Document doc(UserLocale::point());
        EXPECT_FALSE(readDocument(doc, bytes.substr(0, 2048)).ok);
    }
}

struct NameCase
{
    const char *chosen;
    const char *written;
};

TEST(DocumentFile, SaveAppendsTheExtensionUnlessTheNameEndsInIt)
{
    const NameCase cases[] = {{"rocks", "rocks.qvd"},      {"rocks.qvd", "rocks.qvd"}, {"rocks.QVD", "rocks.QVD"},
                              {"rocks.Qvd", "rocks.Qvd.qvd"}, {"rocks.txt", "rocks.txt.qvd"}};
    for (const NameCase &c : cases)
        EXPECT_EQ(documentFileName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.written)) << c.chosen;
}

TEST(DocumentFile, SaveReportsEveryTextItHadToCut)
{
    Document doc(UserLocale::point());
    const QString group29 = QString(29, QLatin1Char('g'));
    setRow(doc, 1, {"gggggggggggggggggggggggggggggX", "1234567890123456789", "12345678901234567890", "5", "",
                    "label-of-22-characters"});
    setRow(doc, 2, {"ok", "1", "2", "3", "", "label-of-23-characters!"});
    setRow(doc, 3, {"\xD0\xB6", "1", "2", "3", "", ""}); // a letter the code page lacks
    doc.overlayList.push_back(textLabel("fifty-two characters of text.......................!", "Arial"));
    doc.overlayList.push_back(textLabel("short", "a font name of thirty-two chars."));
    doc.fileInfo = QString(255, QLatin1Char('i'));
    doc.buildGroups();

    std::vector<ChangedText> changes;
    const std::string bytes = bytesOf(doc, &changes);
    using P = ChangedText::Place;
    const std::vector<ChangedText> expected = {
        {P::OverlayText, 0, 0}, {P::OverlayFontName, 1, 0}, {P::GroupName, 2, 0},
        {P::FileInfo, 0, 0},    {P::Cell, 1, 1},            {P::Cell, 1, 3},      {P::Cell, 2, 6},
        {P::Cell, 3, 1}};
    EXPECT_EQ(changes, expected);

    const auto back = reopen(bytes);
    EXPECT_EQ(back->table.cell(1, 1), group29);
    EXPECT_EQ(back->table.cell(1, 2), QStringLiteral("1234567890123456789"));
    EXPECT_EQ(back->table.cell(1, 3), QStringLiteral("1234567890123456789"));
    EXPECT_EQ(back->table.cell(1, 6), QStringLiteral("label-of-22-characters"));
    EXPECT_EQ(back->table.cell(2, 6), QStringLiteral("label-of-23-characters"));
    EXPECT_EQ(back->table.cell(3, 1), QStringLiteral("?"));
    EXPECT_EQ(back->overlayList[0].text.size(), 51);
    EXPECT_EQ(back->overlayList[1].fontName.size(), 31);
    EXPECT_EQ(back->fileInfo.size(), 254);
}

// Runs in a child process: exits with 0 when the save reported the failure.
void saveUnderSizeLimit(const QString &path)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64 * 1024, 64 * 1024};
    setrlimit(RLIMIT_FSIZE, &limit);
    Document doc(UserLocale::point());
    doc.table.setRowCount(20000);
    for (int row = 1; row < 20000; ++row)
        doc.table.setCell(row, 1, QStringLiteral("new"));
    std::_Exit(saveDocument(doc, path).ok ? 1 : 0);
}

class DocumentSave : public testing::Test
{
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("kept.qvd"));
    std::string oldBytes;

    void SetUp() override
    {
        Document old(UserLocale::point());
        setRow(old, 1, {"old", "1", "2", "3", "", ""});
        ASSERT_TRUE(saveDocument(old, path).ok);
        oldBytes = test::readTestFile(path);
    }

    void expectOldFileUntouched()
    {
        EXPECT_EQ(test::readTestFile(path), oldBytes);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.qvd")})
            << "no temporary file is left behind";
    }
};

TEST_F(DocumentSave, ReplacesTheOldFileWhenComplete)
{
    Document doc(UserLocale::point());
    setRow(doc, 1, {"new", "1", "2", "3", "", ""});
    const SaveResult result = saveDocument(doc, path);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.fileName, path);
    EXPECT_EQ(test::readTestFile(path), bytesOf(doc));
}

TEST_F(DocumentSave, FailingHalfWayLeavesTheOldFileByteForByte)
{
    // A file size limit makes the writes fail part of the way through, as a full disk does.
    EXPECT_EXIT(saveUnderSizeLimit(path), testing::ExitedWithCode(0), "");
    expectOldFileUntouched();
}

TEST_F(DocumentSave, FailingToCreateTheFileReportsFailure)
{
    const SaveResult result = saveDocument(Document(UserLocale::point()), dir.filePath(QStringLiteral("no/such/dir/x")));
    EXPECT_FALSE(result.ok);
    expectOldFileUntouched();
}

} // namespace
} // namespace quarvel

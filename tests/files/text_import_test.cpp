#include "files/text_import.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace quarvel;

namespace {

ImportResult import(Document &doc, const std::string &bytes)
{
    return importText(doc, bytes);
}

QStringList rowOf(const Document &doc, int row)
{
    QStringList cells;
    for (int c = 1; c < 7; ++c)
        cells << doc.table.cell(row, c);
    return cells;
}

struct LineCase
{
    const char *name;
    std::string line;
    bool accepted;
    QStringList cells; // columns 1 to 6 when accepted
};

class ImportLine : public testing::TestWithParam<LineCase> {};

} // namespace

TEST_P(ImportLine, SplitsIntoSixFieldsOrRejects)
{
    Document doc(UserLocale::point());
    const ImportResult result = import(doc, GetParam().line);
    EXPECT_EQ(result.ok, GetParam().accepted);
    if (GetParam().accepted) {
        EXPECT_EQ(result.rowsImported, 1);
        EXPECT_EQ(rowOf(doc, 1), GetParam().cells);
    } else {
        EXPECT_EQ(result.rowsImported, 0);
        EXPECT_EQ(rowOf(doc, 1), QStringList(6, QString()));
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, ImportLine, testing::Values(
    LineCase{"FourFields", "A\t1\t2\t3\n", true, {"A", "1", "2", "3", "", ""}},
    LineCase{"FiveFields", "A\t1\t2\t3\t4\n", true, {"A", "1", "2", "3", "4", ""}},
    LineCase{"SixFields", "A\t1\t2\t3\t4\tS 1\n", true, {"A", "1", "2", "3", "4", "S 1"}},
    LineCase{"SevenFieldsGoIntoTheLabel", "A\t1\t2\t3\t4\tS\tx\t\n", true, {"A", "1", "2", "3", "4", "S\tx\t"}},
    LineCase{"EmptyFieldsKept", "\t\t\t\n", true, {"", "", "", "", "", ""}},
    LineCase{"NoTrimming", " A \t 1\t2 \t3\n", true, {" A ", " 1", "2 ", "3", "", ""}},
    LineCase{"CrLf", "A\t1\t2\t3\r\n", true, {"A", "1", "2", "3", "", ""}},
    LineCase{"LoneCrIsACharacter", "A\t1\t2\t3\r\r\n", true, {"A", "1", "2", "3\r", "", ""}},
    LineCase{"WindowsCodePage", "Gr\xe8s \x80\t1\t2\t3\n", true, {"Grès €", "1", "2", "3", "", ""}},
    LineCase{"TwoTabs", "A\t1\t2\n", false, {}},
    LineCase{"EmptyLine", "\n", false, {}},
    LineCase{"NoLineEnd", "A\t1\t2\t3", false, {}},
    LineCase{"NoLineEndAfterFifth", "A\t1\t2\t3\t4", false, {}},
    LineCase{"NoLineEndAfterLabel", "A\t1\t2\t3\t4\tS", false, {}},
    LineCase{"LongerThanALine", std::string(600, 'x') + "\tA\t1\t2\t3\n", false, {}},
    // 499 characters with the LF; CR LF counts as one.
    LineCase{"LongestLine", "A\t1\t2\t" + std::string(492, '3') + "\n", true,
             {"A", "1", "2", QString(492, QLatin1Char('3')), "", ""}},
    LineCase{"LongestLineWithCrLf", "A\t1\t2\t" + std::string(492, '3') + "\r\n", true,
             {"A", "1", "2", QString(492, QLatin1Char('3')), "", ""}},
    LineCase{"OneCharacterTooLong", "A\t1\t2\t" + std::string(493, '3') + "\n", false, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ImportText, RejectedLineKeepsTheRowsBefore)
{
    Document doc(UserLocale::point());
    const ImportResult result = import(doc, "A\t1\t2\t3\nB\t4\t5\t6\n\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.rowsImported, 2);
    EXPECT_EQ(doc.table.cell(2, 1), QStringLiteral("B"));
    // The evaluation still runs after a failure.
    EXPECT_EQ(doc.validSamples(), 2);
    EXPECT_EQ(doc.table.cell(2, 0), QStringLiteral("2"));
    EXPECT_FALSE(doc.modified);
}

TEST(ImportText, LineOfTenThousandCharactersIsRejectedInPieces)
{
    Document doc(UserLocale::point());
    const std::string longLine = "A\t1\t2\t" + std::string(10000, '7') + "\n";
    const ImportResult result = import(doc, "G\t1\t1\t1\n" + longLine + "H\t1\t1\t1\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.rowsImported, 1);
    EXPECT_TRUE(doc.table.isEmpty(2, 1));
}

TEST(ImportText, GrowsTheGridOnlyPastItsLastRow)
{
    std::string lines;
    for (int i = 0; i < 101; ++i)
        lines += "A\t1\t1\t1\n";
    Document doc(UserLocale::point());
    EXPECT_TRUE(import(doc, lines).ok);
    EXPECT_EQ(doc.table.rowCount(), 102);
    Document more(UserLocale::point());
    EXPECT_TRUE(import(more, lines + "B\t1\t1\t1\n" + "C\t1\t1\t1\n").ok);
    EXPECT_EQ(more.table.rowCount(), 104);
    EXPECT_EQ(more.table.cell(103, 1), QStringLiteral("C"));
    EXPECT_EQ(more.validSamples(), 103);
}

TEST(ImportText, OverwritesFromRowOneAndKeepsTheRest)
{
    Document doc(UserLocale::point());
    for (int r = 1; r <= 10; ++r)
        doc.table.setCell(r, 1, QStringLiteral("old%1").arg(r));
    doc.table.setCell(2, 6, QStringLiteral("old label"));
    EXPECT_TRUE(import(doc, "A\t1\t1\t1\nB\t1\t1\t1\nC\t1\t1\t1\n").ok);
    EXPECT_EQ(doc.table.cell(2, 1), QStringLiteral("B"));
    EXPECT_TRUE(doc.table.isEmpty(2, 6)); // the line's missing fields clear their cells
    EXPECT_EQ(doc.table.cell(4, 1), QStringLiteral("old4"));
    EXPECT_EQ(doc.table.cell(10, 1), QStringLiteral("old10"));
}

TEST(ImportText, EmptyOrUnreadableFilesFail)
{
    Document doc(UserLocale::point());
    EXPECT_FALSE(import(doc, "").ok);
    EXPECT_FALSE(importTextFile(doc, QStringLiteral("/nonexistent/file.txt")).ok);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("A\t20\t30\t50\n");
    file.close();
    const ImportResult fromFile = importTextFile(doc, path);
    EXPECT_TRUE(fromFile.ok);
    EXPECT_EQ(doc.samples[0].percents[0], 20);
}

namespace {

// The leading lines an import must take, by the file's rules written out once more: a line ends
// at its LF (CR LF counts as LF) or after 499 characters, and it is taken when it ends with LF
// and holds at least three TABs; the first line that is not stops the import.
int leadingValidLines(const std::string &bytes)
{
    int lines = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::string line;
        while (at < bytes.size() && line.size() < 499) {
            if (bytes.compare(at, 2, "\r\n") == 0) {
                line += '\n';
                at += 2;
                break;
            }
            line += bytes[at++];
            if (line.back() == '\n')
                break;
        }
        if (line.back() != '\n' || std::count(line.begin(), line.end(), '\t') < 3)
            break;
        ++lines;
    }
    return lines;
}

} // namespace

// Random bytes, and random valid lines followed by a rejected line and random bytes: the rows
// imported are exactly the leading valid lines, with their first field in the group column.
TEST(ImportText, BinaryGarbageImportsTheLeadingValidLines)
{
    std::mt19937 random(7);
    int garbageWithRows = 0; // the oracle must see rows in pure garbage too
    auto randomByte = [&] { return static_cast<char>(random() % 8 == 0 ? '\t' : random() % 16 == 0 ? '\n' : random()); };
    for (int round = 0; round < 400; ++round) {
        std::string bytes;
        std::vector<std::string> groups;
        if (round % 2) {
            const int valid = static_cast<int>(random() % 6);
            for (int line = 0; line < valid; ++line) {
                std::string group(static_cast<std::size_t>(random() % 20), 'g');
                for (char &c : group)
                    c = static_cast<char>('A' + random() % 26);
                groups.push_back(group);
                bytes += group + "\t1\t2\t";
                for (int k = static_cast<int>(random() % 200); k > 0; --k) {
                    const char c = randomByte();
                    bytes += c == '\n' || c == '\r' ? 'x' : c;
                }
                bytes += '\n';
            }
            bytes += "broken\t1\n"; // two TABs: rejected
        }
        for (int k = static_cast<int>(random() % 3000); k > 0; --k)
            bytes += randomByte();
        SCOPED_TRACE(round);
        Document doc(UserLocale::point());
        const ImportResult result = import(doc, bytes);
        const int expected = leadingValidLines(bytes);
        EXPECT_EQ(result.rowsImported, expected);
        garbageWithRows += round % 2 == 0 && expected > 0;
        if (round % 2) {
            ASSERT_EQ(expected, static_cast<int>(groups.size()));
            EXPECT_FALSE(result.ok);
            for (std::size_t r = 0; r < groups.size(); ++r)
                EXPECT_EQ(doc.table.cell(static_cast<int>(r) + 1, 1), QString::fromStdString(groups[r]));
        }
    }
    EXPECT_GT(garbageWithRows, 20);
}

#include "files/text_import.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <random>
#include <string>

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

TEST(ImportText, BinaryGarbageNeverCrashes)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 3000), '\0');
        for (char &b : bytes)
            b = static_cast<char>(random() % 8 == 0 ? '\t' : random() % 16 == 0 ? '\n' : random());
        Document doc(UserLocale::point());
        const ImportResult result = import(doc, bytes);
        EXPECT_LE(result.rowsImported, static_cast<int>(bytes.size()));
    }
}

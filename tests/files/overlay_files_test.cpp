#include "core/overlay_fixture.h"
#include "files/layout_fixtures.h"
#include "files/overlay_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace quarvel {
namespace {

using test::Bytes;

VectorLine label(const QString &text, const QString &font)
{
    return test::overlayLabel(text, font, {20, 30, 50}, 12, 30, 0xFF);
}

TEST(OverlayFile, NameGetsTheExtensionUnlessItEndsInOneOfItsTwoSpellings)
{
    const struct
    {
        const char *chosen, *written;
    } cases[] = {{"lines", "lines.xvl"}, {"lines.xvl", "lines.xvl"}, {"lines.XVL", "lines.XVL"}, {"lines.Xvl", "lines.Xvl.xvl"}};
    for (const auto &c : cases)
        EXPECT_EQ(overlayFileName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.written));
}

TEST(OverlayFile, WritesVersionThreeAndReadsEveryKindBack)
{
    std::vector<VectorLine> overlay;
    overlay.push_back(label(QStringLiteral("fifty characters of label text ..................!"), QStringLiteral("Arial")));
    overlay.push_back(label(QStringLiteral("  padded  "), QStringLiteral(" Times ")));
    VectorLine ellipse;
    ellipse.kind = 'e';
    ellipse.fill = 7;
    ellipse.width = 3;
    ellipse.lineStyle = 2;
    ellipse.ternOrigin = {1, 2, 3};
    ellipse.ternDest = {4, 5, 6};
    ellipse.ternCtrl1 = {7, 8, 9};
    overlay.push_back(ellipse);

    QTemporaryDir dir;
    const OverlaySaveResult saved = saveOverlayFile(overlay, dir.filePath(QStringLiteral("o")));
    ASSERT_TRUE(saved.ok);
    EXPECT_TRUE(saved.changedTexts.empty());
    EXPECT_TRUE(saved.fileName.endsWith(QLatin1String("o.xvl")));
    const std::string bytes = test::readTestFile(saved.fileName);
    ASSERT_EQ(bytes.size(), 16u + 3 * 160);
    EXPECT_EQ(bytes.substr(0, 16), test::overlayHeader(3, 0, 3).str());
    EXPECT_EQ(bytes.substr(16 + 320, 160),
              std::string(test::overlayRecord('e', 2, 0, 7, 3, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9}).str()));

    std::vector<VectorLine> back;
    EXPECT_TRUE(readExtendedOverlay(back, bytes).ok);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].text.size(), 50);
    EXPECT_EQ(back[0].text, overlay[0].text);
    EXPECT_EQ(back[0].fontSize, 12);
    EXPECT_EQ(back[0].angle, 30);
    EXPECT_EQ(back[1].text, QStringLiteral("padded")) << "leading and trailing blanks are lost";
    EXPECT_EQ(back[1].fontName, QStringLiteral("Times"));
    EXPECT_EQ(back[2].fill, 7);
    EXPECT_EQ(back[2].ternCtrl1, (Weights{7, 8, 9}));
    EXPECT_EQ(back[2].text, QString());
}

TEST(OverlayFile, ReportsCutTextsAndKeepsTheOldFileWhenItCannotWrite)
{
    QTemporaryDir dir;
    std::vector<VectorLine> overlay{label(QString(60, QLatin1Char('t')), QStringLiteral("Arial"))};
    const OverlaySaveResult saved = saveOverlayFile(overlay, dir.filePath(QStringLiteral("a.xvl")));
    ASSERT_TRUE(saved.ok);
    ASSERT_EQ(saved.changedTexts.size(), 1u);
    EXPECT_FALSE(saved.changedTexts[0].fontName);

    const OverlaySaveResult failed = saveOverlayFile(overlay, dir.filePath(QStringLiteral("missing/a")));
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.message, QStringLiteral("Error writting file"));
}

struct ExtendedCase
{
    const char *name;
    std::string bytes;
    bool ok;
    std::size_t objects;
};

class ExtendedOverlayReader : public testing::TestWithParam<ExtendedCase> {};

TEST_P(ExtendedOverlayReader, AcceptsItsVariantsAndRefusesTheRest)
{
    std::vector<VectorLine> overlay;
    const OverlayResult result = readExtendedOverlay(overlay, GetParam().bytes);
    EXPECT_EQ(result.ok, GetParam().ok);
    EXPECT_EQ(result.message, GetParam().ok ? QString() : QStringLiteral("Wrong file"));
    EXPECT_EQ(overlay.size(), GetParam().objects);
}

std::string withRecords(Bytes header, std::size_t size, int count)
{
    for (int i = 0; i < count; ++i)
        header << (size == 160 ? test::overlayRecord('r', 0, 0, 0, 1, 0, 0, {1, 2, 3})
                               : test::numberOverlayRecord(size, 'b', 1, test::kNumberTexts, "  text "));
    return header.str();
}

INSTANTIATE_TEST_SUITE_P(Files, ExtendedOverlayReader,
    testing::Values(
        ExtendedCase{"EmptyOverlay", test::overlayHeader(3, 0, 0).str(), true, 0},
        ExtendedCase{"TwoRecords", withRecords(test::overlayHeader(3, 0, 2), 160, 2), true, 2},
        ExtendedCase{"DocumentFileHeader", withRecords(test::overlayHeader(4, 0, 1), 160, 1), false, 0},
        ExtendedCase{"UnknownVariant", withRecords(test::overlayHeader(3, 1, 1), 160, 1), false, 0},
        ExtendedCase{"Variant5AnyVersion", withRecords(test::overlayHeader(77, 5, 2), 98, 2), true, 2},
        ExtendedCase{"Variant9AnyVersion", withRecords(test::overlayHeader(-1, 9, 1), 353, 1), true, 1},
        ExtendedCase{"CountBeyondTheEnd", withRecords(test::overlayHeader(3, 0, 2000000000), 160, 3), true, 3},
        ExtendedCase{"ShortRecordEndsTheReading",
                     withRecords(test::overlayHeader(3, 0, 2), 160, 2).substr(0, 16 + 160 + 100), true, 1},
        ExtendedCase{"WrongMagic", std::string("XVX") + test::overlayHeader(3, 0, 0).str().substr(3), false, 0},
        ExtendedCase{"ShortHeader", test::overlayHeader(3, 0, 0).str().substr(0, 15), false, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ExtendedOverlayReader, OlderVariantsFillTheFieldsTheyLack)
{
    std::vector<VectorLine> overlay;
    ASSERT_TRUE(readExtendedOverlay(overlay, withRecords(test::overlayHeader(0, 9, 1), 353, 1)).ok);
    ASSERT_TRUE(readExtendedOverlay(overlay, withRecords(test::overlayHeader(0, 5, 1), 98, 1)).ok);
    ASSERT_EQ(overlay.size(), 2u);
    const VectorLine &v9 = overlay[0];
    EXPECT_EQ(v9.kind, 'b');
    EXPECT_EQ(v9.lineStyle, 1);
    EXPECT_EQ(v9.ternOrigin, (Weights{10.5f, 20, 30.25f}));
    EXPECT_EQ(v9.text, QStringLiteral("text"));
    EXPECT_EQ(v9.fontSize, 10);
    EXPECT_EQ(v9.fontName, QStringLiteral("-"));
    EXPECT_EQ(v9.width, 1);
    EXPECT_EQ(v9.color, 0);
    const VectorLine &v5 = overlay[1];
    EXPECT_EQ(v5.text, QString());
    EXPECT_EQ(v5.fontSize, 0);
    EXPECT_EQ(v5.ternCtrl2, (Weights{0, 0, 12345678}));
}

TEST(OverlayReaders, EveryTruncationKeepsTheWholeObjectsBeforeIt)
{
    const std::string xvl = withRecords(test::overlayHeader(3, 0, 3), 160, 3);
    for (std::size_t size = 0; size <= xvl.size(); ++size) {
        std::vector<VectorLine> overlay;
        const OverlayResult result = readExtendedOverlay(overlay, std::string_view(xvl).substr(0, size));
        ASSERT_EQ(result.ok, size >= 16) << "cut at " << size;
        EXPECT_EQ(overlay.size(), size >= 16 ? (size - 16) / 160 : 0) << "cut at " << size;
    }
    // A text line cut before its sixth number is no record; cut inside or behind it, it is a line.
    const std::string ovl = "C 10 20 70 30 40 30\nA 1 2 3 4 5 66\n";
    const std::size_t secondNumbersEnd = ovl.size() - 2;
    for (std::size_t size = 20; size <= ovl.size(); ++size) {
        std::vector<VectorLine> overlay;
        const OverlayResult result = readOverlayText(overlay, std::string_view(ovl).substr(0, size));
        const bool secondWhole = size >= secondNumbersEnd;
        EXPECT_EQ(overlay.size(), secondWhole ? 2u : 1u) << "cut at " << size;
        EXPECT_EQ(result.ok, secondWhole || size == 20) << "cut at " << size;
    }
}

TEST(OverlayTextReader, ReadsOneLinePerTextLine)
{
    std::vector<VectorLine> overlay;
    const OverlayResult result =
        readOverlayText(overlay, "C 10 20 70 30 40 30\na 1 2 3 4 5 6\r\nB\t-1 2 3 4 5 6  \n\nx 0 0 0 1 1 1\nD 7 8 9 10 11 12");
    EXPECT_TRUE(result.ok);
    ASSERT_EQ(overlay.size(), 5u) << "the last line needs no line end";
    EXPECT_EQ(overlay[0].kind, 'r');
    EXPECT_EQ(overlay[0].lineStyle, 1);
    EXPECT_EQ(overlay[0].ternOrigin, (Weights{10, 70, 20}));
    EXPECT_EQ(overlay[0].ternDest, (Weights{30, 30, 40}));
    EXPECT_EQ(overlay[0].text, QString());
    EXPECT_EQ(overlay[0].fontSize, 0);
    const std::uint8_t styles[5] = {1, 2, 0, 0, 3};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(overlay[i].lineStyle, styles[i]) << i;
    EXPECT_EQ(overlay[2].ternOrigin[0], -1);
}

TEST(OverlayTextReader, StopsAtALineThatIsNoRecordAndKeepsTheLinesBefore)
{
    for (const char *text : {"C 1 2 3 4 5 6\nC 1 2 3 4 5\nC 1 2 3 4 5 6\n", "C 1 2 3 4 5 6\nC 1 2 x 4 5 6\n",
                             "C 1 2 3 4 5 6\nC 99999999999 2 3 4 5 6\n"}) {
        std::vector<VectorLine> overlay;
        const OverlayResult result = readOverlayText(overlay, text);
        EXPECT_FALSE(result.ok) << text;
        EXPECT_EQ(result.message, QStringLiteral("Invalid file"));
        EXPECT_EQ(overlay.size(), 1u) << text;
    }
}

TEST(openOverlay, ReplacesTheOverlayAndMarksTheDocumentModifiedEvenOnFailure)
{
    QTemporaryDir dir;
    Document doc(UserLocale::point());
    doc.overlayList.resize(3);
    doc.selectedOverlay = 2;
    const QString good = test::writeTestFile(dir.filePath(QStringLiteral("a.ovl")), "C 10 20 70 30 40 30\n");
    // The type chosen in the dialog decides the reader, whatever the extension.
    EXPECT_TRUE(openOverlay(doc, good, OverlayFileType::Text).ok);
    EXPECT_EQ(doc.overlayList.size(), 1u);
    EXPECT_EQ(doc.selectedOverlay, -1);
    EXPECT_TRUE(doc.modified);

    doc.modified = false;
    const OverlayResult wrong = openOverlay(doc, good, OverlayFileType::Extended);
    EXPECT_EQ(wrong.message, QStringLiteral("Wrong file"));
    EXPECT_TRUE(doc.overlayList.empty());
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(openOverlay(doc, dir.filePath(QStringLiteral("none")), OverlayFileType::Text).message,
              QStringLiteral("Invalid file"));
}

} // namespace
} // namespace quarvel

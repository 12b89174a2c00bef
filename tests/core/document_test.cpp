#include "core/document.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace quarvel;

namespace {

class ScriptedPrompt : public UserPrompt
{
public:
    explicit ScriptedPrompt(bool answer) : m_answer(answer) {}
    bool askOkCancel(const QString &text, const QString &caption) override
    {
        asked << text + QLatin1Char('|') + caption;
        return m_answer;
    }
    void warn(const QString &, const QString &) override {}
    QStringList asked;

private:
    bool m_answer;
};

} // namespace

TEST(Document, NewDocumentState)
{
    Document doc(UserLocale::point());
    EXPECT_EQ(doc.caption, QStringLiteral("Untitled"));
    EXPECT_EQ(doc.table.rowCount(), 102);
    const QStringList titles{"", "Group label", "Bottom", "Left", "Right", "Down", "Sample label"};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(doc.table.cell(0, c), titles[c]);
    for (int r = 1; r < 102; ++r) {
        for (int c = 0; c < 7; ++c)
            ASSERT_TRUE(doc.table.isEmpty(r, c));
    }
    EXPECT_TRUE(doc.groupList.empty());
    EXPECT_TRUE(doc.samples.empty());
    EXPECT_TRUE(doc.overlayList.empty());
    EXPECT_EQ(doc.selectedOverlay, -1);
    EXPECT_FALSE(doc.modified);
    EXPECT_TRUE(doc.fileInfo.isEmpty());
    EXPECT_EQ(doc.statusText(), QStringLiteral("Number of valid samples = 0"));

    const DiagramSettings defaults = DiagramSettings::defaults();
    EXPECT_EQ(std::memcmp(&doc.diagramSettings, &defaults, sizeof defaults), 0);
    EXPECT_EQ(doc.geometry.clipCorners, DiagramGeometry::kDefaultClipCorners);
}

TEST(Document, ClosingAsksOnlyWhenModified)
{
    Document doc(UserLocale::point());
    ScriptedPrompt cancel(false);
    EXPECT_TRUE(doc.mayClose(cancel));
    EXPECT_TRUE(cancel.asked.isEmpty());

    doc.modified = true;
    EXPECT_FALSE(doc.mayClose(cancel));
    EXPECT_EQ(cancel.asked, QStringList{"Data not Saved. Close anyway?|Warning"});
    ScriptedPrompt ok(true);
    EXPECT_TRUE(doc.mayClose(ok));
}

TEST(Document, UpdateTriangleEvaluatesThenDrawsTheThumbnail)
{
    Document doc(UserLocale::point());
    doc.table.setCell(1, 1, QStringLiteral("A"));
    doc.table.setCell(1, 2, QStringLiteral("1"));
    doc.table.setCell(1, 3, QStringLiteral("1"));
    doc.table.setCell(1, 4, QStringLiteral("1"));
    int samplesSeenByThumbnail = -1;
    const auto connection = doc.changes.connect([&](const DocumentChange &change) {
        if (change.kind == DocumentChange::PictureChanged)
            samplesSeenByThumbnail = doc.samples.size();
    });
    doc.updateTriangle();
    EXPECT_EQ(samplesSeenByThumbnail, 1);
    EXPECT_EQ(doc.statusText(), QStringLiteral("Number of valid samples = 1"));
}

TEST(Document, ApplyDataSettingsWritesTitlesAtTheirPositions)
{
    Document doc(UserLocale::point());
    std::strcpy(doc.dataSettings.columnTitles[5].data(), "Sample");
    doc.dataSettings.columnPositions = {1, 3, 4, 5, 6, 2};
    doc.applyDataSettings();
    EXPECT_EQ(doc.table.cell(0, 2), QStringLiteral("Sample"));
    EXPECT_EQ(doc.table.cell(0, 3), QStringLiteral("Bottom"));
    EXPECT_EQ(doc.table.cell(0, 6), QStringLiteral("Down"));

    doc.dataSettings.columnPositions = {-1, 99, 4, 5, 6, 2}; // out of range positions are skipped
    doc.applyDataSettings();
    EXPECT_EQ(doc.table.cell(0, 1), QStringLiteral("Group label"));
}

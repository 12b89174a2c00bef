#include "core/document_changes.h"
#include "core/document.h"
#include "core/table_editing.h"

#include <gtest/gtest.h>

#include <memory>

using namespace quarvel;

namespace {

std::vector<DocumentChange::Kind> kinds(const std::vector<DocumentChange> &changes)
{
    std::vector<DocumentChange::Kind> result;
    for (const DocumentChange &c : changes)
        result.push_back(c.kind);
    return result;
}

} // namespace

TEST(DocumentChanges, ConnectionsEndWithTheirOwnerAndMayOutliveTheDocument)
{
    auto doc = std::make_unique<Document>(UserLocale::point());
    int heard = 0;
    DocumentChanges::Connection kept = doc->changes.connect([&](const DocumentChange &) { ++heard; });
    {
        const DocumentChanges::Connection shortLived = doc->changes.connect([&](const DocumentChange &) { heard += 100; });
    }
    doc->drawThumbnail();
    EXPECT_EQ(heard, 1);

    DocumentChanges::Connection moved = std::move(kept);
    EXPECT_FALSE(kept.connected());
    doc->drawThumbnail();
    EXPECT_EQ(heard, 2);

    doc.reset();
    EXPECT_FALSE(moved.connected());
    moved.disconnect(); // and its destruction: no document to reach
}

TEST(DocumentChanges, AListenerMayDisconnectItselfAndOthersWhileTold)
{
    Document doc(UserLocale::point());
    DocumentChanges::Connection first;
    DocumentChanges::Connection second;
    int firstHeard = 0;
    int secondHeard = 0;
    first = doc.changes.connect([&](const DocumentChange &) {
        ++firstHeard;
        first.disconnect();
        second.disconnect();
    });
    second = doc.changes.connect([&](const DocumentChange &) { ++secondHeard; });
    doc.drawThumbnail();
    doc.drawThumbnail();
    EXPECT_EQ(firstHeard, 1);
    EXPECT_EQ(secondHeard, 0);
}

TEST(DocumentChanges, TheModifiedFlagReportsOnlyRealChanges)
{
    Document doc(UserLocale::point());
    std::vector<bool> reported;
    const auto connection = doc.changes.connect([&](const DocumentChange &change) {
        if (change.kind == DocumentChange::ModifiedChanged)
            reported.push_back(change.modified);
    });
    doc.modified = true;
    doc.modified = true;
    doc.modified = false;
    doc.modified = false;
    EXPECT_EQ(reported, (std::vector<bool>{true, false}));
    EXPECT_FALSE(doc.modified);
}

TEST(DocumentChanges, UpdateTriangleReportsCellsThenCountThenPicture)
{
    Document doc(UserLocale::point());
    doc.table.setCell(1, 1, QStringLiteral("A"));
    for (int c = 2; c <= 4; ++c)
        doc.table.setCell(1, c, QStringLiteral("1"));
    std::vector<DocumentChange> heard;
    const auto connection = doc.changes.connect([&](const DocumentChange &change) { heard.push_back(change); });
    doc.updateTriangle();
    ASSERT_EQ(kinds(heard), (std::vector<DocumentChange::Kind>{DocumentChange::CellsChanged, DocumentChange::Evaluated,
                                                               DocumentChange::PictureChanged}));
    EXPECT_EQ(heard[0].cells, (CellRange{0, 1, 6, doc.table.rowCount() - 1}));
    EXPECT_EQ(heard[1].validSamples, 1);
}

TEST(DocumentChanges, EditingCommandsReportRowsBeforeAndAfterAndTheirCellsBeforeTheRefresh)
{
    Document doc(UserLocale::point());
    std::vector<DocumentChange> heard;
    const auto connection = doc.changes.connect([&](const DocumentChange &change) { heard.push_back(change); });
    pasteText(doc, QStringLiteral("a\rb\r"), CellRange::cell(3, 2), PasteMode::Insert);
    ASSERT_GE(heard.size(), 7u);
    for (int i : {0, 1}) {
        EXPECT_EQ(heard[i].kind, i == 0 ? DocumentChange::RowsAboutToBeInserted : DocumentChange::RowsInserted);
        EXPECT_EQ(heard[i].first, 3);
        EXPECT_EQ(heard[i].count, 2);
    }
    EXPECT_EQ(heard[2].kind, DocumentChange::CellsChanged);
    EXPECT_EQ(heard[2].cells, (CellRange{2, 3, 2, 4}));
    EXPECT_EQ(kinds({heard.end() - 4, heard.end()}),
              (std::vector<DocumentChange::Kind>{DocumentChange::CellsChanged, DocumentChange::Evaluated,
                                                 DocumentChange::PictureChanged, DocumentChange::ModifiedChanged}));
}

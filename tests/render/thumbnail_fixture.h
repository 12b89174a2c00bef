#pragma once

#include "core/document_fixture.h"
#include "core/overlay_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace quarvel::test {

// A document for the thumbnail: one red sample without a label, a 12-point label in the
// overlay, and the points, the overlay and the clipping area set against what the thumbnail
// draws. It keeps its settings as they were, for the check that a thumbnail leaves the document
// untouched.
struct ThumbnailDocument
{
    std::unique_ptr<Document> doc = documentWith({{"A", "20", "30", "50", "", ""}});
    DiagramSettings settings;
    DataSettings data;

    ThumbnailDocument()
    {
        doc->groupList.group(0).color = 0x0000FF;
        doc->overlayList = {overlayLabel(QStringLiteral("note"), QStringLiteral("Arial"), {10, 10, 80}, 12)};
        doc->diagramSettings.hidePoints = 1;
        doc->diagramSettings.hideOverlay = 1;
        doc->diagramSettings.showClippingArea = 1;
        doc->evaluateSamples();
        settings = doc->diagramSettings;
        data = doc->dataSettings;
    }

    void expectUntouched() const
    {
        EXPECT_EQ(std::memcmp(&settings, &doc->diagramSettings, sizeof settings), 0);
        EXPECT_EQ(std::memcmp(&data, &doc->dataSettings, sizeof data), 0);
        ASSERT_EQ(doc->overlayList.size(), 1u);
        EXPECT_EQ(doc->overlayList[0].fontSize, 12);
    }
};

} // namespace quarvel::test

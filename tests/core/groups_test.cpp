#include "document_fixture.h"

#include <gtest/gtest.h>

#include <type_traits>

using namespace quarvel;
using quarvel::test::documentWith;

namespace {

QStringList namesOf(const GroupList &groups)
{
    QStringList names;
    for (int i = 0; i < groups.size(); ++i)
        names << groups.name(i);
    return names;
}

} // namespace

// The locale decides the decimal separator and the letter-case rules of group names: a forgotten
// argument must not compile into the environment's or English rules.
static_assert(!std::is_default_constructible_v<Document>);
static_assert(!std::is_default_constructible_v<GroupList>);

TEST(buildGroups, OrderOfFirstOccurrenceOrSorted)
{
    auto doc = documentWith({{"B"}, {"a"}, {"B"}, {"A"}});
    EXPECT_EQ(namesOf(doc->groupList), (QStringList{"B", "a"}));

    doc->diagramSettings.sortLegend = 1;
    doc->buildGroups();
    EXPECT_EQ(namesOf(doc->groupList), (QStringList{"a", "B"}));
}

TEST(buildGroups, LetterCaseBeyondAscii)
{
    auto doc = documentWith({{"Éclogite", "1", "1", "1"}, {"éCLOGITE", "2", "2", "2"}, {"Straße"}, {"zircon"}});
    EXPECT_EQ(namesOf(doc->groupList), (QStringList{"Éclogite", "Straße", "zircon"}));
    EXPECT_EQ(doc->groupList.group(0).count, 2);

    doc->diagramSettings.sortLegend = 1;
    doc->buildGroups();
    EXPECT_EQ(namesOf(doc->groupList), (QStringList{"Éclogite", "Straße", "zircon"}));
}

TEST(buildGroups, SettingsSurviveARebuildUnderTheName)
{
    auto doc = documentWith({{"x", "1", "1", "1"}, {"y", "1", "1", "1"}});
    Group &x = doc->groupList.group(0);
    x.color = 255;
    x.symbol = 120;
    x.symbolSize = 30;
    x.visible = 0;

    // Every cell of x becomes X: same group, new spelling.
    doc->table.setCell(1, 1, QStringLiteral("X"));
    doc->buildGroups();
    ASSERT_EQ(doc->groupList.name(0), QStringLiteral("X"));
    const Group &kept = doc->groupList.group(0);
    EXPECT_EQ(kept.color, 255);
    EXPECT_EQ(kept.symbol, 120);
    EXPECT_EQ(kept.symbolSize, 30);
    EXPECT_EQ(kept.visible, 0);
    EXPECT_EQ(kept.count, 0); // statistics do not survive

    // A new name gives a group with defaults; the old one is gone.
    doc->table.setCell(1, 1, QStringLiteral("w"));
    doc->buildGroups();
    EXPECT_EQ(namesOf(doc->groupList), (QStringList{"w", "y"}));
    const Group &fresh = doc->groupList.group(0);
    EXPECT_EQ(fresh.color, 0);
    EXPECT_EQ(fresh.symbol, 109);
    EXPECT_EQ(fresh.symbolSize, 12);
    EXPECT_EQ(fresh.visible, 1);
    EXPECT_EQ(fresh.showLabels, 1);
}

TEST(buildGroups, ResetGroupsStartsFromDefaults)
{
    auto doc = documentWith({{"x"}});
    doc->groupList.group(0).color = 255;
    doc->resetGroups();
    EXPECT_EQ(doc->groupList.group(0).color, 0);
    doc->clearGroups();
    EXPECT_TRUE(doc->groupList.empty());
}

TEST(buildGroups, ReadsTheColumnOfTheFirstPosition)
{
    auto doc = documentWith({{"x", "1", "1", "1", "", "label"}});
    doc->dataSettings.columnPositions = {6, 2, 3, 4, 5, 1};
    doc->buildGroups();
    EXPECT_EQ(namesOf(doc->groupList), (QStringList{"label"}));
}

// Positions a damaged file can hold: the readers place the columns in table order, and the groups
// are found where the readers put the labels (they used to be looked for at the stored position,
// so the labels showed and no group formed).
TEST(buildGroups, DamagedPositionsMeanTableOrderAsForTheReaders)
{
    for (const std::array<std::int32_t, 6> damaged :
         {std::array<std::int32_t, 6>{-1, 2, 3, 4, 5, 6}, {6, 2, 3, 4, 5, 6}, {9, 9, 9, 9, 9, 9}, {0, 1, 2, 3, 4, 5}}) {
        auto doc = documentWith({{"Basalt", "20", "30", "50"}, {"Granite", "60", "10", "30"}}, UserLocale::point(),
                                [&](Document &d) { d.dataSettings.columnPositions = damaged; });
        EXPECT_EQ(namesOf(doc->groupList), (QStringList{"Basalt", "Granite"})) << damaged[0] << ' ' << damaged[5];
        EXPECT_EQ(doc->validSamples(), 2);
    }
}

#include "ui/groups_panel.h"

#include "core/document.h"
#include "ui/symbol_chooser.h"
#include "ui/symbol_list.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <optional>
#include <vector>

using namespace quarvel;

namespace {

struct Row
{
    const char *group;
    const char *bottom;
    const char *left;
    const char *right;
};

void fill(Document &document, const std::vector<Row> &rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        document.table.setCell(r, 1, QString::fromUtf8(rows[i].group));
        document.table.setCell(r, 2, QString::fromUtf8(rows[i].bottom));
        document.table.setCell(r, 3, QString::fromUtf8(rows[i].left));
        document.table.setCell(r, 4, QString::fromUtf8(rows[i].right));
        document.table.setCell(r, 6, QStringLiteral("s%1").arg(r));
    }
    document.updateTriangle();
}

int samplesOf(const Document &document, ColorRef color, bool visibleOnly)
{
    int n = 0;
    for (const Sample &sample : document.samples)
        n += sample.color == color && (!visibleOnly || sample.visible) ? 1 : 0;
    return n;
}

// A panel on the screen over a small document, with dialogs the test answers.
struct Fixture
{
    Document document{UserLocale::point()};
    std::vector<ColorRef> colourAsked;
    std::optional<ColorRef> colourAnswer;
    std::vector<int> symbolAsked;
    bool symbolAnswer = false;
    GroupsPanel panel{document, GroupsPanelServices{
                                    [this](ColorRef current) {
                                        colourAsked.push_back(current);
                                        return colourAnswer;
                                    },
                                    [this](Document &d, int group) {
                                        if (&d == &document)
                                            symbolAsked.push_back(group);
                                        return symbolAnswer;
                                    }}};

    explicit Fixture(const std::vector<Row> &rows)
    {
        fill(document, rows);
        panel.refresh();
        panel.resize(420, 640);
        panel.setDefaultColumnWidth(100);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
    }
    void click(int column, int row)
    {
        QTest::mouseClick(panel.viewport(), Qt::LeftButton, {}, panel.cellRect(column, row).center());
    }
};

const std::vector<Row> kThreeGroups{
    {"Basalt", "20", "30", "50"}, {"Granite", "40", "30", "30"}, {"Basalt", "10", "10", "80"}, {"Shale", "5", "5", "90"}};

} // namespace

class GroupsPanelTest : public QObject
{
    Q_OBJECT
private slots:
    void showsTheGroupsUnderTheHeaders();
    void rowCountFollowsTheGroups_data();
    void rowCountFollowsTheGroups();
    void togglesVisibilityAndLabelsWithoutMarkingModified_data();
    void togglesVisibilityAndLabelsWithoutMarkingModified();
    void statisticsTabShowsCountsAndMeansAlongTheAxes();
    void statisticsHeadersFollowTheAxisOfEachColumn();
    void clickOnANameAsksForTheGroupsFirstRow_data();
    void clickOnANameAsksForTheGroupsFirstRow();
    void rowJumpUsesTheMovedGroupColumn();
    void colourCellAsksTheColourDialog_data();
    void colourCellAsksTheColourDialog();
    void symbolCellOpensTheSymbolChooser_data();
    void symbolCellOpensTheSymbolChooser();
    void clickBelowTheGroupsOnlyRefreshes();
    void withoutServicesTheProgramsSymbolChooserOpens();
};

void GroupsPanelTest::showsTheGroupsUnderTheHeaders()
{
    Fixture f(kThreeGroups);
    QCOMPARE(f.panel.objectName(), QStringLiteral("groupsPanel"));
    QCOMPARE(f.panel.columnCount(), 4);
    const QStringList headers{f.panel.cellText(0, 0), f.panel.cellText(1, 0), f.panel.cellText(2, 0),
                              f.panel.cellText(3, 0)};
    QCOMPARE(headers, (QStringList{"Group", "Symbol", "Visible", "Sample labels"}));
    QCOMPARE(f.panel.cellText(0, 1), QStringLiteral("Basalt"));
    QCOMPARE(f.panel.cellText(0, 2), QStringLiteral("Granite"));
    QCOMPARE(f.panel.cellText(0, 3), QStringLiteral("Shale"));
    QCOMPARE(f.panel.cellText(0, 4), QString());
    // The "Color" tab shows the same cells.
    f.panel.setTab(GroupsPanel::ColorTab);
    QCOMPARE(f.panel.columnCount(), 4);
    QCOMPARE(f.panel.cellText(3, 0), QStringLiteral("Sample labels"));
    QCOMPARE(f.panel.cellText(0, 2), QStringLiteral("Granite"));
}

void GroupsPanelTest::rowCountFollowsTheGroups_data()
{
    QTest::addColumn<int>("groups");
    QTest::addColumn<int>("rows");
    QTest::newRow("none") << 0 << 20;
    QTest::newRow("five") << 5 << 20;
    QTest::newRow("nineteen") << 19 << 20;
    QTest::newRow("twenty-five") << 25 << 26;
}

void GroupsPanelTest::rowCountFollowsTheGroups()
{
    QFETCH(int, groups);
    QFETCH(int, rows);
    Fixture f({});
    for (int g = 0; g < groups; ++g)
        f.document.table.setCell(g + 1, 1, QStringLiteral("G%1").arg(g));
    f.document.updateTriangle();
    f.panel.refresh();
    QCOMPARE(f.panel.rowCount(), rows);
    // The last group can be scrolled into view and clicked.
    if (groups > 0) {
        f.panel.verticalScrollBar()->setValue(f.panel.verticalScrollBar()->maximum());
        const QRect last = f.panel.cellRect(2, groups);
        QVERIFY(f.panel.viewport()->rect().contains(last.center()));
        f.click(2, groups);
        QCOMPARE(f.document.groupList.group(groups - 1).visible, 0);
    }
}

void GroupsPanelTest::togglesVisibilityAndLabelsWithoutMarkingModified_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("column");
    QTest::newRow("Symbol: Visible") << int(GroupsPanel::SymbolTab) << 2;
    QTest::newRow("Symbol: Sample labels") << int(GroupsPanel::SymbolTab) << 3;
    QTest::newRow("Color: Visible") << int(GroupsPanel::ColorTab) << 2;
    QTest::newRow("Color: Sample labels") << int(GroupsPanel::ColorTab) << 3;
}

void GroupsPanelTest::togglesVisibilityAndLabelsWithoutMarkingModified()
{
    QFETCH(int, tab);
    QFETCH(int, column);
    Fixture f(kThreeGroups);
    f.panel.setTab(tab);
    f.document.groupList.group(0).color = 255;
    f.document.updateTriangle();
    auto flag = [&](int group) {
        const Group &g = f.document.groupList.group(group);
        return column == 2 ? g.visible : g.showLabels;
    };
    auto drawnFlag = [&](ColorRef color) {
        int on = 0;
        for (const Sample &sample : f.document.samples)
            on += sample.color == color && (column == 2 ? sample.visible : sample.showLabel) ? 1 : 0;
        return on;
    };
    QCOMPARE(drawnFlag(255), 2);

    f.click(column, 1);
    QCOMPARE(flag(0), 0);
    QCOMPARE(flag(1), 1);
    // The refresh sequence carried the switch to the samples of the group only.
    QCOMPARE(drawnFlag(255), 0);
    QCOMPARE(samplesOf(f.document, 0, false), 2);
    QVERIFY(!f.document.modified);

    f.click(column, 1);
    QCOMPARE(flag(0), 1);
    QCOMPARE(drawnFlag(255), 2);
    QVERIFY(!f.document.modified);
    QVERIFY(f.colourAsked.empty() && f.symbolAsked.empty());
}

void GroupsPanelTest::statisticsTabShowsCountsAndMeansAlongTheAxes()
{
    Fixture f({{"A", "20", "30", "50"}, {"B", "1", "1", "1"}, {"A", "40", "30", "30"}, {"A", "x", "1", "1"}});
    f.panel.setTab(GroupsPanel::StatisticsTab);
    QCOMPARE(f.panel.columnCount(), 6);
    const QStringList row{f.panel.cellText(0, 1), f.panel.cellText(1, 1), f.panel.cellText(2, 1),
                          f.panel.cellText(3, 1), f.panel.cellText(4, 1), f.panel.cellText(5, 1)};
    QCOMPARE(row, (QStringList{"A", "2", "30", "30", "40", "0"}));
    QCOMPARE(f.panel.cellText(1, 2), QStringLiteral("1"));
    QCOMPARE(f.panel.cellText(2, 2), QStringLiteral("1"));

    // The means use the document's number format.
    f.document.table.setCell(1, 2, QStringLiteral("21"));
    f.document.updateTriangle();
    QCOMPARE(f.panel.cellText(2, 1), QStringLiteral("30.5"));
    f.document.dataSettings.setPrecision(1);
    f.document.table.setCell(1, 2, QStringLiteral("20.15"));
    f.document.updateTriangle();
    QCOMPARE(f.panel.cellText(2, 1), QStringLiteral("30.1"));

    // Clicks on "Statistics" change no group.
    const Group before = f.document.groupList.group(0);
    for (int c = 0; c < 6; ++c)
        f.click(c, 1);
    QCOMPARE(f.document.groupList.group(0).visible, before.visible);
    QCOMPARE(f.document.groupList.group(0).showLabels, before.showLabels);
    QVERIFY(f.colourAsked.empty() && f.symbolAsked.empty());
    QVERIFY(!f.document.modified);

    // Back on "Symbol": four columns again.
    f.panel.setTab(GroupsPanel::SymbolTab);
    QCOMPARE(f.panel.columnCount(), 4);
}

void GroupsPanelTest::statisticsHeadersFollowTheAxisOfEachColumn()
{
    Fixture f({{"A", "20", "30", "50"}});
    f.panel.setTab(GroupsPanel::StatisticsTab);
    auto headers = [&] {
        return QStringList{f.panel.cellText(0, 0), f.panel.cellText(1, 0), f.panel.cellText(2, 0),
                           f.panel.cellText(3, 0), f.panel.cellText(4, 0), f.panel.cellText(5, 0)};
    };
    QCOMPARE(headers(), (QStringList{"Group", "Number ", "Mean Bottom", "Mean Left", "Mean Right", "Mean Down"}));

    // Data column 1 on the left axis, data column 2 on the bottom axis.
    f.document.diagramSettings.columnAxis = {1, 0, 2, 3};
    f.document.updateTriangle();
    QCOMPARE(headers(), (QStringList{"Group", "Number ", "Mean Left", "Mean Bottom", "Mean Right", "Mean Down"}));
    QCOMPARE(f.panel.cellText(2, 1), QStringLiteral("30"));
    QCOMPARE(f.panel.cellText(3, 1), QStringLiteral("20"));
}

void GroupsPanelTest::clickOnANameAsksForTheGroupsFirstRow_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("panelRow");
    QTest::addColumn<int>("tableRow");
    // B, a, B, A: the groups B and a; the row with A belongs to a.
    QTest::newRow("B on Symbol") << int(GroupsPanel::SymbolTab) << 1 << 2;
    QTest::newRow("a on Symbol") << int(GroupsPanel::SymbolTab) << 2 << 3;
    QTest::newRow("a on Color") << int(GroupsPanel::ColorTab) << 2 << 3;
}

void GroupsPanelTest::clickOnANameAsksForTheGroupsFirstRow()
{
    QFETCH(int, tab);
    QFETCH(int, panelRow);
    QFETCH(int, tableRow);
    Fixture f({{"", "", "", ""}, {"B", "1", "1", "1"}, {"a", "1", "1", "1"}, {"B", "1", "1", "1"}, {"A", "1", "1", "1"}});
    f.panel.setTab(tab);
    QSignalSpy jumps(&f.panel, &GroupsPanel::rowRequested);
    f.click(0, panelRow);
    QCOMPARE(jumps.count(), 1);
    QCOMPARE(jumps.at(0).at(0).toInt(), tableRow);
    QVERIFY(!f.document.modified);

    // Not on "Statistics".
    f.panel.setTab(GroupsPanel::StatisticsTab);
    f.click(0, panelRow);
    QCOMPARE(jumps.count(), 1);
}

void GroupsPanelTest::rowJumpUsesTheMovedGroupColumn()
{
    // The user moved the group label column to grid column 3: the groups come from there, and so
    // must the row of a group.
    Document document(UserLocale::point());
    const QStringList titles{"Bottom", "Left", "Group label", "Right", "Down", "Sample label"};
    for (int c = 0; c < 6; ++c)
        document.table.setCell(0, c + 1, titles[c]);
    document.dataSettings.columnPositions = {3, 1, 2, 4, 5, 6};
    const QStringList groups{"Quartz", "Mica", "Quartz"};
    for (int r = 0; r < 3; ++r) {
        document.table.setCell(r + 1, 1, groups[(r + 1) % 3]); // decoys in grid column 1
        document.table.setCell(r + 1, 3, groups[r]);
    }
    document.updateTriangle();
    GroupsPanel panel(document);
    panel.resize(400, 600);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QCOMPARE(panel.cellText(0, 2), QStringLiteral("Mica"));
    QSignalSpy jumps(&panel, &GroupsPanel::rowRequested);
    QTest::mouseClick(panel.viewport(), Qt::LeftButton, {}, panel.cellRect(0, 2).center());
    QCOMPARE(jumps.count(), 1);
    QCOMPARE(jumps.at(0).at(0).toInt(), 2);
}

void GroupsPanelTest::colourCellAsksTheColourDialog_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void GroupsPanelTest::colourCellAsksTheColourDialog()
{
    QFETCH(bool, confirmed);
    Fixture f(kThreeGroups);
    f.panel.setTab(GroupsPanel::ColorTab);
    f.document.groupList.group(1).color = rgbColor(1, 2, 3);
    f.colourAnswer = confirmed ? std::optional<ColorRef>(rgbColor(0, 0, 255)) : std::nullopt;
    f.click(1, 2);
    QCOMPARE(f.colourAsked, std::vector<ColorRef>{rgbColor(1, 2, 3)});
    QVERIFY(f.symbolAsked.empty());
    const ColorRef expected = confirmed ? rgbColor(0, 0, 255) : rgbColor(1, 2, 3);
    QCOMPARE(f.document.groupList.group(1).color, expected);
    QCOMPARE(f.document.groupList.group(0).color, 0);
    QCOMPARE(bool(f.document.modified), confirmed);
    // The samples of the group took the colour in the refresh sequence.
    QCOMPARE(samplesOf(f.document, expected, false), 1);
}

void GroupsPanelTest::symbolCellOpensTheSymbolChooser_data()
{
    QTest::addColumn<bool>("changed");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void GroupsPanelTest::symbolCellOpensTheSymbolChooser()
{
    QFETCH(bool, changed);
    Fixture f(kThreeGroups);
    f.symbolAnswer = changed;
    f.click(1, 3);
    QCOMPARE(f.symbolAsked, std::vector<int>{2});
    QCOMPARE(f.panel.currentRow(), 3);
    QVERIFY(f.colourAsked.empty());
    QCOMPARE(bool(f.document.modified), changed);
}

void GroupsPanelTest::clickBelowTheGroupsOnlyRefreshes()
{
    Fixture f(kThreeGroups);
    // A new row typed but not yet evaluated: the click's refresh sequence picks it up.
    f.document.table.setCell(5, 1, QStringLiteral("Tuff"));
    f.document.table.setCell(5, 2, QStringLiteral("1"));
    f.document.table.setCell(5, 3, QStringLiteral("1"));
    f.document.table.setCell(5, 4, QStringLiteral("1"));
    QCOMPARE(f.document.groupList.size(), 3);
    QSignalSpy jumps(&f.panel, &GroupsPanel::rowRequested);
    for (int c = 0; c < 4; ++c)
        f.click(c, 10);
    QCOMPARE(f.document.groupList.size(), 4);
    QCOMPARE(f.panel.cellText(0, 4), QStringLiteral("Tuff"));
    QCOMPARE(f.document.validSamples(), 5);
    QVERIFY(jumps.isEmpty() && f.colourAsked.empty() && f.symbolAsked.empty());
    QVERIFY(!f.document.modified);
    for (int g = 0; g < 4; ++g)
        QCOMPARE(f.document.groupList.group(g).visible, 1);
}

void GroupsPanelTest::withoutServicesTheProgramsSymbolChooserOpens()
{
    Document document(UserLocale::point());
    fill(document, kThreeGroups);
    GroupsPanel panel(document);
    panel.resize(400, 600);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    SymbolChooser &chooser = SymbolChooser::shared();
    bool shown = false;
    QTimer::singleShot(0, &chooser, [&] {
        shown = chooser.isVisible() && chooser.isModal();
        auto *symbols = chooser.findChild<SymbolList *>("symbolList");
        QTest::mouseClick(symbols, Qt::LeftButton, {}, symbols->entryRect(0).center());
        QTest::mouseClick(chooser.findChild<QPushButton *>("okButton"), Qt::LeftButton);
    });
    QTest::mouseClick(panel.viewport(), Qt::LeftButton, {}, panel.cellRect(1, 2).center());
    QVERIFY(shown);
    QCOMPARE(document.groupList.group(1).symbol, 31);
    QCOMPARE(document.groupList.group(0).symbol, 109);
    QVERIFY(document.modified);
    // The refresh sequence gave the group's samples the new symbol.
    int withNewSymbol = 0;
    for (const Sample &sample : document.samples)
        withNewSymbol += sample.symbol == 31 ? 1 : 0;
    QCOMPARE(withNewSymbol, 1);
}

QTEST_MAIN(GroupsPanelTest)
#include "groups_panel_test.moc"

#include "render/document_drawing.h"
#include "render/legend.h"
#include "render_fixture.h"
#include "thumbnail_fixture.h"

#include <algorithm>
#include <cstring>

using namespace quarvel;
using namespace quarvel::test;

namespace {

Sample sampleAt(float bottom, float left, float right, float down = 0, char kind = 't')
{
    Sample t;
    t.percents = {bottom, left, right, down};
    t.kind = kind;
    t.symbol = 109;
    t.color = 0x0000FF;
    t.symbolSize = 12;
    return t;
}

std::vector<Call> sampleTexts(const Drawing &d)
{
    std::vector<Call> found;
    bool after = false;
    for (const Call &call : d.canvas.calls()) {
        after = after || call.op == Op::CanvasFontSelected;
        if (after && call.op == Op::TextOut)
            found.push_back(call);
    }
    return found;
}

} // namespace

TEST(Samples, SymbolCentredOnItsPixelAndLabelBesideIt)
{
    for (const bool clockwise : {true, false}) {
        Drawing d;
        d.settings.clockwise = clockwise;
        d.samples.appendSample(sampleAt(0, 0, 100), "S-1");
        d.draw();
        const DiagramFrame &f = d.frame();
        const auto texts = sampleTexts(d);
        ASSERT_EQ(texts.size(), 2u);
        const int px = trunc(clockwise ? f.rightX : f.leftX);
        const int py = trunc(f.rightY);
        // WingDings 12 points: 16 pixels high, 8 wide on the recording canvas.
        EXPECT_EQ(texts[0].text, QString(QChar(109)));
        EXPECT_EQ(texts[0].args, (std::vector<int>{px - 4, py - 8}));
        EXPECT_EQ(texts[0].textColor, 0x0000FF);
        EXPECT_FALSE(texts[0].opaque);
        EXPECT_EQ(texts[1].text, QStringLiteral("S-1"));
        EXPECT_EQ(texts[1].args, (std::vector<int>{px + 4 + 1, py - 8}));
        EXPECT_EQ(texts[1].textColor, 0); // the label font's colour
    }
}

TEST(Samples, HiddenForcedAndHalvedSymbols)
{
    Drawing d;
    d.settings.diagramKind = 1;
    Sample hidden = sampleAt(30, 30, 40);
    hidden.visible = 0;
    d.samples.appendSample(hidden, "hidden");
    d.samples.appendSample(sampleAt(30, 0, 40, 30, 'd'), "lower");
    Sample odd = sampleAt(30, 30, 40);
    odd.symbolSize = 13;
    d.samples.appendSample(odd, "");
    RenderFlags flags;
    flags.halfSymbols = true;
    d.draw(flags);
    const auto texts = sampleTexts(d);
    ASSERT_EQ(texts.size(), 1u); // the symbol of the third sample, no empty label
    EXPECT_EQ(texts[0].fontHeight, fontPixelHeight(6, 96));
}

TEST(Samples, LabelColourFollowsMatchAndView)
{
    struct Case { bool match; bool full; ColorRef expected; };
    for (const Case c : {Case{true, true, 0x0000FF}, Case{false, true, 0x00AA00}, Case{false, false, 0},
                         Case{true, false, 0x0000FF}}) {
        Drawing d;
        d.settings.matchPointColor = c.match;
        d.settings.fullTriangle = c.full;
        d.settings.sampleLabelFont.color = 0x00AA00;
        d.samples.appendSample(sampleAt(33, 34, 33), "L");
        d.draw();
        const auto texts = sampleTexts(d);
        ASSERT_EQ(texts.size(), 2u) << c.match << c.full;
        EXPECT_EQ(texts[1].textColor, c.expected) << c.match << c.full;
    }
}

TEST(Samples, SubtriangleSkipsSamplesOutsideTheQuadrilateral)
{
    Drawing d;
    d.settings.fullTriangle = 0;
    d.samples.appendSample(sampleAt(0, 100, 0), "apex");
    d.samples.appendSample(sampleAt(33, 34, 33), "middle");
    d.draw();
    EXPECT_EQ(Drawing::textsOf(sampleTexts(d)), (std::vector<QString>{QString(QChar(109)), QStringLiteral("middle")}));
}

TEST(Samples, ConvertedSymbolsAreCopiedWithAnd)
{
    Drawing d;
    d.samples.appendSample(sampleAt(0, 0, 100), "");
    RenderFlags flags;
    flags.convertSymbols = true;
    d.draw(flags);
    const auto copies = d.canvas.callsOf(Op::CopyRect);
    ASSERT_EQ(copies.size(), 1u);
    const DiagramFrame &f = d.frame();
    const int sx = trunc(f.rightX) - 4, sy = trunc(f.rightY) - 8;
    EXPECT_EQ(copies[0].args, (std::vector<int>{sx, sy, sx + 8, sy + 16, 0, 0, 8, 16}));
    const auto modes = d.canvas.callsOf(Op::CopyMode);
    ASSERT_FALSE(modes.empty());
    EXPECT_EQ(modes.back().args[0], static_cast<int>(CopyMode::And));
    // The bitmap got the symbol at its corner, in the group's colour on an opaque white cell.
    const auto bitmapTexts = d.canvas.bitmaps().at(0)->texts();
    ASSERT_EQ(bitmapTexts.size(), 1u);
    EXPECT_EQ(bitmapTexts[0].args, (std::vector<int>{0, 0}));
    EXPECT_EQ(bitmapTexts[0].textColor, 0x0000FF);
    EXPECT_TRUE(bitmapTexts[0].opaque);
    EXPECT_TRUE(sampleTexts(d).empty());
}

TEST(Samples, HidePointsKeepsTheOverlayAndHideOverlayKeepsThePoints)
{
    VectorLine line;
    line.ternOrigin = {100, 0, 0};
    line.ternDest = {0, 100, 0};
    for (const bool hidePoints : {true, false}) {
        Drawing d;
        d.settings.hidePoints = hidePoints;
        d.settings.hideOverlay = !hidePoints;
        d.overlay = {line};
        d.samples.appendSample(sampleAt(0, 0, 100), "");
        d.draw();
        EXPECT_EQ(sampleTexts(d).empty(), hidePoints);
        const auto lines = Drawing::segmentsOf(d.laterCalls());
        EXPECT_EQ(lines.size(), hidePoints ? 1u : 0u);
    }
}

TEST(Overlay, ObjectsOnTheFrameWithTheirPens)
{
    Drawing d;
    d.settings.overlayPenColor = 0x123456;
    VectorLine line;
    line.ternOrigin = {100, 0, 0};
    line.ternDest = {0, 0, 100};
    line.lineStyle = 1;
    line.color = 0x00FF00;
    VectorLine curve;
    curve.kind = 'b';
    curve.ternOrigin = {100, 0, 0};
    curve.ternCtrl1 = {1, 1, 1};
    curve.ternDest = {0, 100, 0};
    curve.width = 3;
    VectorLine ellipse;
    ellipse.kind = 'e';
    ellipse.ternOrigin = {50, 50, 0};
    ellipse.ternDest = {0, 50, 50};
    ellipse.fill = 5;
    const VectorLine label = overlayLabel(QStringLiteral("Granite"), QStringLiteral("Arial"), {0, 0, 100}, 10, 30);
    d.overlay = {line, curve, ellipse, label};
    RenderFlags flags;
    flags.thinPenWidth = 1;
    d.draw(flags);
    const DiagramFrame &f = d.frame();
    const auto later = d.laterCalls();

    const auto segments = Drawing::segmentsOf(later);
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].args, (std::vector<int>{trunc(f.leftX), trunc(f.leftY), trunc(f.apexX), trunc(f.apexY)}));
    EXPECT_EQ(segments[0].penStyle, PenStyle::Dash);
    EXPECT_EQ(segments[0].penColor, 0x00FF00);
    EXPECT_EQ(segments[0].penWidth, 1);

    const auto curves = Drawing::only(later, Op::Bezier);
    ASSERT_EQ(curves.size(), 1u);
    const IntPoint centre = f.weightsToFramePixel(1, 1, 1);
    EXPECT_EQ(curves[0].args, (std::vector<int>{trunc(f.leftX), trunc(f.leftY), centre.x, centre.y, 0, 0,
                                                trunc(f.rightX), trunc(f.rightY)}));
    EXPECT_EQ(curves[0].penWidth, 3);

    const auto ellipses = Drawing::only(later, Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    const IntPoint eo = f.weightsToFramePixel(50, 50, 0), ed = f.weightsToFramePixel(0, 50, 50);
    EXPECT_EQ(ellipses[0].args, (std::vector<int>{eo.x, eo.y, ed.x, ed.y}));

    const auto fonts = Drawing::only(later, Op::CreatedFont);
    const Call &font = fonts.back();
    EXPECT_EQ(font.text, QStringLiteral("Arial"));
    EXPECT_EQ(font.args[0], -13); // 10 points at 96 dpi
    EXPECT_EQ(font.args[1], 300);
    const auto texts = Drawing::only(later, Op::TextOut);
    const Call &text = texts.back();
    EXPECT_EQ(text.text, QStringLiteral("Granite"));
    EXPECT_EQ(text.args, (std::vector<int>{trunc(f.apexX), trunc(f.apexY)}));
    EXPECT_TRUE(text.opaque);
    EXPECT_EQ(text.escapement, 300);

    // Afterwards the thin black pen and the white solid brush are back.
    const auto widths = Drawing::only(later, Op::PenWidth);
    EXPECT_EQ(widths.back().args[0], 1);
    const auto brushes = Drawing::only(later, Op::BrushColor);
    EXPECT_EQ(brushes.back().args[0], 0xFFFFFF);
}

TEST(LegendColumns, DistributionFillsTheFirstColumnsFirst)
{
    struct Case { int entries, columns; std::array<int, 4> expected; };
    const Case cases[] = {{5, 4, {2, 1, 1, 1}}, {7, 3, {3, 2, 2, 0}}, {3, 1, {3, 0, 0, 0}}, {3, 2, {2, 1, 0, 0}},
                          {1, 4, {1, 0, 0, 0}}, {6, 4, {2, 2, 1, 1}}, {4, 5, {0, 0, 0, 0}}, {4, 0, {0, 0, 0, 0}}};
    for (const Case &c : cases)
        EXPECT_EQ(Legend::distribute(c.entries, c.columns), c.expected) << c.entries << " in " << c.columns;
}

namespace {

GroupList groupsNamed(std::initializer_list<const char *> names)
{
    GroupList groups(UserLocale::point());
    for (const char *name : names) {
        Group g;
        g.color = 0x0000FF;
        groups.add(QString::fromLatin1(name), g);
    }
    return groups;
}

} // namespace

TEST(Legend, OneColumnNamesThenSymbolsAndTheFrame)
{
    RecordingCanvas canvas(800, 615, 96);
    DiagramSettings s = DiagramSettings::defaults();
    s.borderWidth = 3;
    const GroupList groups = groupsNamed({"A", "B", "C"});
    const Legend legend(canvas, 800, s, groups);
    EXPECT_EQ(legend.legendLeft(), 640);
    EXPECT_EQ(legend.legendTop(), 123);
    // Legend and symbol fonts of 9 points: 12 pixels high, 6 wide per character.
    EXPECT_EQ(canvas.texts().size(), 6u);
    const auto texts = canvas.texts();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(texts[2 * i].args, (std::vector<int>{640, 123 + 12 * i}));
        EXPECT_EQ(texts[2 * i + 1].args, (std::vector<int>{640 + 6 + 10, 123 + 12 * i}));
        EXPECT_EQ(texts[2 * i + 1].textColor, 0x0000FF);
        EXPECT_FALSE(texts[2 * i].opaque);
    }
    const auto frames = canvas.callsOf(Op::Polyline);
    ASSERT_EQ(frames.size(), 1u);
    // Width: 6 + 6 + 20; height: 3 rows of 12 with 2 pixels above and below them.
    EXPECT_EQ(frames[0].args, (std::vector<int>{638, 121, 670, 121, 670, 161, 638, 161, 638, 121}));
    EXPECT_EQ(frames[0].penWidth, 3);
}

TEST(Legend, SymbolsFirstHiddenGroupsAndNoBorder)
{
    RecordingCanvas canvas(800, 615, 96);
    DiagramSettings s = DiagramSettings::defaults();
    s.symbolsFirst = 1;
    s.legendBorder = 0;
    GroupList groups = groupsNamed({"Long name", "B", "C"});
    groups.group(1).visible = 0;
    const Legend legend(canvas, 800, s, groups);
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].args, (std::vector<int>{640 + 6 + 10, 123}));
    EXPECT_EQ(texts[1].args, (std::vector<int>{640, 123}));
    EXPECT_EQ(texts[2].text, QStringLiteral("C"));
    EXPECT_EQ(texts[2].args, (std::vector<int>{640 + 16, 135}));
    EXPECT_TRUE(canvas.callsOf(Op::Polyline).empty());
}

TEST(Legend, FiveGroupsInFourColumns)
{
    RecordingCanvas canvas(800, 615, 96);
    DiagramSettings s = DiagramSettings::defaults();
    s.legendColumns = 4;
    const Legend legend(canvas, 800, s, groupsNamed({"AA", "B", "CCC", "D", "E"}));
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 10u);
    // Column 0 holds AA and B (names 12 wide): column 1 starts 12 + 6 + 20 further right.
    EXPECT_EQ(texts[4].text, QStringLiteral("CCC"));
    EXPECT_EQ(texts[4].args, (std::vector<int>{640 + 38, 123}));
    EXPECT_EQ(texts[6].args, (std::vector<int>{640 + 38 + 44, 123}));
    // The frame is drawn after every column, each time the same.
    const auto frames = canvas.callsOf(Op::Polyline);
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0].args, frames[3].args);
    EXPECT_EQ(frames[0].args[2], 638 + 38 + 44 + 32 + 32);
    EXPECT_EQ(frames[0].args[5], 121 + 2 + 24 + 2);
}

// Fourteen groups in one and in two columns: the frame ends as far below the last row as it
// starts above the first.
TEST(Legend, FrameEnclosesEveryRowWithEqualMargins)
{
    std::vector<std::string> names;
    for (char c = 'A'; c < 'A' + 14; ++c)
        names.push_back(std::string("Group ") + c);
    for (const int columns : {1, 2}) {
        RecordingCanvas canvas(800, 615, 96);
        DiagramSettings s = DiagramSettings::defaults();
        s.legendColumns = columns;
        GroupList groups(UserLocale::point());
        for (const std::string &name : names)
            groups.add(QString::fromStdString(name), Group{});
        const Legend legend(canvas, 800, s, groups);
        int lowestRowEnd = 0;
        for (const Call &text : canvas.texts())
            lowestRowEnd = std::max(lowestRowEnd, text.args[1] + text.fontHeight);
        const auto frames = canvas.callsOf(Op::Polyline);
        ASSERT_EQ(frames.size(), static_cast<std::size_t>(columns));
        const int top = frames[0].args[1], bottom = frames[0].args[5];
        EXPECT_EQ(legend.legendTop() - top, 2) << columns;
        EXPECT_EQ(bottom - lowestRowEnd, 2) << columns;
        EXPECT_EQ(lowestRowEnd, 123 + 12 * (14 / columns)) << columns;
    }
}

TEST(Legend, NothingWithoutVisibleGroups)
{
    RecordingCanvas canvas(800, 615, 96);
    GroupList groups = groupsNamed({"A"});
    groups.group(0).visible = 0;
    Legend(canvas, 800, DiagramSettings::defaults(), groups);
    EXPECT_TRUE(canvas.calls().empty());
}

TEST(Overlay, PlacingMeasuresLabelsOnTheCanvas)
{
    Document doc(UserLocale::point());
    // 15 points are 20 pixels at 96 dpi: cells 20 high, 10 wide per character.
    const VectorLine label = overlayLabel(QStringLiteral("abcd"), QStringLiteral("-"), {0, 0, 100}, 15);
    VectorLine line;
    line.ternOrigin = {100, 0, 0};
    line.ternDest = {0, 100, 0};
    doc.overlayList = {label, line};
    RecordingCanvas canvas(800, 615, 96);
    const DrawnFrame frame = drawDocument(doc, canvas, 800, 615);
    placeOverlay(doc, frame, canvas);
    const VectorLine &placed = doc.overlayList[0];
    EXPECT_EQ(placed.pixOrigin, (IntPoint{trunc(frame.apexX), trunc(frame.apexY)}));
    EXPECT_EQ(placed.pixDest, (IntPoint{placed.pixOrigin.x + 40, placed.pixOrigin.y + 20}));
    EXPECT_EQ(doc.overlayList[1].pixDest, (IntPoint{trunc(frame.rightX), trunc(frame.rightY)}));
}

TEST(Thumbnail, SmallerFontsHalfSymbolsNoLegendAndTheDocumentUntouched)
{
    const ThumbnailDocument thumb;
    RecordingCanvas canvas(240, 184, 96);
    drawThumbnail(*thumb.doc, canvas, 240, 184);
    thumb.expectUntouched();

    std::vector<int> createdHeights;
    for (const Call &c : canvas.callsOf(Op::CreatedFont))
        createdHeights.push_back(c.args[0]);
    // Numbers 9 / 4 = 2 points, titles 9 / 2 = 4 points, the label 12 / 3 = 4 points, at 96 dpi.
    EXPECT_NE(std::find(createdHeights.begin(), createdHeights.end(), -3), createdHeights.end());
    EXPECT_NE(std::find(createdHeights.begin(), createdHeights.end(), -5), createdHeights.end());
    EXPECT_EQ(canvas.callsOf(Op::CreatedFont).back().text, QStringLiteral("Arial")); // the overlay was drawn
    const auto texts = canvas.texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, QString(QChar(109))); // the sample, drawn although hidden in the document
    EXPECT_EQ(texts.back().fontHeight, fontPixelHeight(6, 96));
    EXPECT_TRUE(canvas.callsOf(Op::Polyline).size() == 1u); // the outline only: no legend frame
}

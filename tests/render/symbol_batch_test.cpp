// Symbols drawn together on several threads must give the pixels of one thread drawing them one
// after another. (The GUI application comes from png_writer_test.cpp.)

#include "render/document_drawing.h"
#include "render/qpainter_canvas.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace quarvel;

namespace {

// Many overlapping samples in five groups of different colours and symbols, some on the edges of
// the diagram so that symbols are cut by the image border; one group shows its labels, so that
// text drawn by QPainter lies between the symbols.
std::unique_ptr<Document> crowdedDocument(int rows)
{
    auto doc = std::make_unique<Document>(UserLocale::point());
    const char *groups[] = {"A", "B", "C", "D", "E"};
    std::mt19937 random(11);
    doc->table.setRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) {
        std::string parts[3];
        for (auto &part : parts)
            part = std::to_string(random() % 4 == 0 ? 0 : random() % 100);
        if (parts[0] == "0" && parts[1] == "0" && parts[2] == "0")
            parts[0] = "1";
        // Built by appending: GCC 12 warns falsely (-Wrestrict) on "S" + std::string in Release.
        std::string label = "S";
        label += std::to_string(r);
        doc->table.setRowUtf8(r, {"", groups[random() % 5], parts[0], parts[1], parts[2], "", label});
    }
    doc->buildGroups();
    const ColorRef colours[] = {0x0000FF, 0x00A000, 0xFF0000, 0x00A0FF, 0x800080};
    const int symbols[] = {108, 109, 110, 117, 116};
    for (int i = 0; i < doc->groupList.size(); ++i) {
        Group &g = doc->groupList.group(i);
        g.color = colours[i];
        g.symbol = symbols[i];
        g.symbolSize = 10 + 4 * i;
        g.showLabels = i == 2;
    }
    doc->evaluateSamples();
    return doc;
}

QImage drawn(Document &doc, int threads)
{
    QImage image(640, 492, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainterCanvas canvas(image);
    canvas.setDrawingThreads(threads);
    drawDocument(doc, canvas, image.width(), image.height());
    return image;
}

} // namespace

TEST(SymbolBatch, ThreadsGiveThePixelsOfOneThread)
{
    auto doc = crowdedDocument(40000);
    ASSERT_GT(doc->validSamples(), 30000);
    const QImage one = drawn(*doc, 1);
    for (const int threads : {2, 3, 7}) {
        const QImage many = drawn(*doc, threads);
        EXPECT_TRUE(many == one) << threads << " threads";
    }
    // Without labels the symbols go in large batches.
    for (int i = 0; i < doc->groupList.size(); ++i)
        doc->groupList.group(i).showLabels = 0;
    doc->evaluateSamples();
    const QImage plain = drawn(*doc, 1);
    EXPECT_FALSE(plain == one);
    EXPECT_TRUE(drawn(*doc, 2) == plain);
}

TEST(SymbolBatch, PutOffSymbolsAreDrawnByTheEndAndBeforeOtherText)
{
    QImage batched(60, 40, QImage::Format_ARGB32_Premultiplied);
    QImage direct = batched;
    auto draw = [](QImage &image, bool batch) {
        image.fill(Qt::white);
        QPainterCanvas canvas(image);
        canvas.setTextBackground(false);
        CanvasFont font;
        font.face = QStringLiteral("DejaVu Sans");
        font.size = 20;
        font.color = 0x0000FF;
        canvas.setFont(font);
        if (batch)
            canvas.beginSymbols();
        canvas.textOut(5, 5, u"X");
        canvas.setTextColor(0x00FF00);
        canvas.textOut(8, 8, u"XX"); // drawn by QPainter: must cover the first X
        canvas.textOut(12, 5, u"O");
        if (batch)
            canvas.endSymbols();
    };
    draw(direct, false);
    draw(batched, true);
    EXPECT_TRUE(batched == direct);
    QImage white = direct;
    white.fill(Qt::white);
    EXPECT_FALSE(direct == white);
}

// Drawing a large document: evaluation, drawing and PNG writing timed separately, on a
// 1600 x 1230 image, 5 groups, sample labels off.
//   bench_render [rows ...] [--runs N]

#include "bench_common.h"
#include "bench_table.h"

#include "core/document.h"
#include "render/document_drawing.h"
#include "render/png_writer.h"
#include "render/qpainter_canvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <cstring>
#include <memory>
#include <random>
#include <string>

using namespace quarvel;

namespace {


void styleGroups(Document &doc)
{
    static const ColorRef colours[] = {0x0000FF, 0x00A000, 0xFF0000, 0x00A0FF, 0x800080};
    static const int symbols[] = {108, 109, 110, 117, 116};
    for (int i = 0; i < doc.groupList.size(); ++i) {
        Group &g = doc.groupList.group(i);
        g.color = colours[i % 5];
        g.symbol = symbols[i % 5];
        g.showLabels = 0;
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::vector<int> sizes;
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty())
        sizes = {10000, 100000, 1000000};
    const int width = 1600;
    const int height = imageHeightFor(width);

    std::printf("%10s %14s %14s %14s %14s   (medians of %d runs, %d x %d PNG)\n", "samples", "evaluation s",
                "drawing s", "drawing cpu s", "PNG write s", runs, width, height);
    for (const int rows : sizes) {
        Document doc(UserLocale::point());
        bench::fillTable(doc, rows, {});
        doc.buildGroups();
        styleGroups(doc);
        const double evaluation = bench::medianSeconds(runs, {}, [&] {
            doc.buildGroups();
            doc.evaluateSamples();
        });
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        const bench::Timing drawingTimes = bench::medianTimes(runs, [&] { image.fill(Qt::white); }, [&] {
            QPainterCanvas canvas(image);
            drawDocument(doc, canvas, width, height);
        });
        const double drawing = drawingTimes.wall, drawingCpu = drawingTimes.cpu;
        QByteArray png;
        const double writing = bench::medianSeconds(runs, [&] { png.clear(); }, [&] {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            writePng(image, buffer);
        });
        std::printf("%10d %14.3f %14.3f %14.3f %14.3f\n", doc.validSamples(), evaluation, drawing, drawingCpu,
                    writing);
    }
    return 0;
}

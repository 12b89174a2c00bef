// The image window at scale: a redraw of 100,000 visible samples at the first zoom step, the
// read-out on mouse moves and the point information search over 1,000,000 samples.
#include "bench_common.h"
#include "bench_table.h"
#include "ui/image_window.h"

#include <QApplication>
#include <QListWidget>
#include <QToolButton>
#include <QLabel>
#include <QMouseEvent>

#include <cstdio>
#include <random>

using namespace quarvel;

namespace {

std::unique_ptr<Document> documentOf(int rows)
{
    auto document = std::make_unique<Document>(UserLocale::point());
    bench::fillTable(*document, rows, {});
    document->updateTriangle();
    return document;
}

void sendMouse(QWidget *target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::unique_ptr<Document> document = documentOf(100000);
    Document *active = document.get();
    ImageWindowHost host;
    host.activeDocument = [&] { return active; };
    ImageWindow window(host);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.resize(1280, 900);
    window.show();
    QApplication::processEvents();
    window.controls().bbCenter->click();
    std::printf("redraw, %d visible samples, zoom step 1, %d x %d image: %.1f ms (median of 15)\n",
                active->samples.size(), window.imageWidth(), window.imageHeight(),
                1000 * bench::medianSeconds(15, {}, [&] { window.redraw(); }));

    // A drag in the overlay editor: each mouse move removes the object's outline and draws it at
    // the new place, both in not-xor, over the drawn diagram; nothing else is drawn until the release.
    VectorLine line;
    line.kind = 'e';
    line.ternOrigin = {60, 20, 20};
    line.ternDest = {20, 50, 30};
    active->overlayList.push_back(line);
    window.redraw();
    VectorLine moving = active->overlayList.back();
    {
        const QImage before = window.image().copy();
        window.drawOutline(moving, Qt::DotLine);
        long changed = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                changed += before.pixel(x, y) != window.image().pixel(x, y);
        window.drawOutline(moving, Qt::DotLine);
        std::printf("one outline changes %ld pixels; drawn twice the image is %s\n", changed,
                    window.image() == before ? "restored" : "NOT restored");
    }
    int dragStep = 0;
    const double drag = bench::medianSeconds(201, {}, [&] {
        window.drawOutline(moving, Qt::DotLine);
        moving.translateTo(moving.pixOrigin.x + (++dragStep % 2 ? 3 : -3), moving.pixOrigin.y + 2);
        window.drawOutline(moving, Qt::DotLine);
    });
    std::printf("overlay drag, one mouse move over %d visible samples (two not-xor outlines): %.3f ms "
                "(median of 201)\n",
                active->samples.size(), 1000 * drag);
    std::printf("redraw at the release, %d visible samples and the overlay: %.1f ms (median of 15)\n",
                active->samples.size(), 1000 * bench::medianSeconds(15, {}, [&] { window.redraw(); }));
    active->overlayList.clear();

    // A million samples: the read-out and the search never redraw the diagram.
    std::unique_ptr<Document> large = documentOf(1000000);
    active = large.get();
    window.redraw();
    QWidget *image = window.controls().imagen;
    const DrawnFrame &frame = window.frame();
    const QPoint centre(static_cast<int>(frame.apexX), static_cast<int>((frame.apexY + frame.leftY) / 2));
    int step = 0;
    const double move = bench::medianSeconds(201, {}, [&] {
        sendMouse(image, QEvent::MouseMove, centre + QPoint(step++ % 40, 0), Qt::NoButton, Qt::NoButton);
    });
    std::printf("read-out of one mouse move, %d samples: %.3f ms (median of 201)\n", large->samples.size(),
                1000 * move);

    const CursorPosition position = window.cursorPosition();
    std::size_t found = 0;
    const double search = bench::medianSeconds(11, {}, [&] { found = samplesNear(large->samples, position).size(); });
    std::printf("point information search, %d samples, %zu within 2 points: %.1f ms (median of 11)\n",
                large->samples.size(), found, 1000 * search);

    const std::vector<NearSample> near = samplesNear(large->samples, position);
    const std::array<QString, 4> captions{window.controls().marc[0]->text(), window.controls().marc[1]->text(),
                                          window.controls().marc[2]->text(), window.controls().marc[3]->text()};
    const double fill = bench::medianSeconds(5, [&] { window.pointInfo()->hide(); }, [&] {
        window.pointInfo()->showLines(pointInfoLines(large->samples, near, captions, large->locale()), QPoint(0, 0));
    });
    std::printf("point information lines and pop-up for %zu samples: %.1f ms (median of 5)\n", near.size(),
                1000 * fill);
    std::printf("redraw, %d visible samples, zoom step 1: %.1f ms (median of 5)\n", large->samples.size(),
                1000 * bench::medianSeconds(5, {}, [&] { window.redraw(); }));

    const double click = bench::medianSeconds(5, [&] { window.pointInfo()->hide(); }, [&] {
        sendMouse(image, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        sendMouse(image, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    });
    std::printf("click in view mode (search, %d lines in the pop-up, and the redraw of the release): %.1f ms "
                "(median of 5)\n",
                window.pointInfo()->list()->count(), 1000 * click);
    return 0;
}

#include "ui/cursors.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPixmap>

#include <array>

namespace quarvel {

namespace {

constexpr int kSize = 32;

class Pattern
{
public:
    Pattern() : m_image(kSize, kSize, QImage::Format_Mono)
    {
        m_image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        m_image.fill(0);
    }
    void set(int x, int y)
    {
        if (x >= 0 && x < kSize && y >= 0 && y < kSize)
            m_image.setPixel(x, y, 1);
    }
    void horizontal(int y, int x1, int x2)
    {
        for (int x = x1; x <= x2; ++x)
            set(x, y);
    }
    void vertical(int x, int y1, int y2)
    {
        for (int y = y1; y <= y2; ++y)
            set(x, y);
    }
    // Midpoint circle: one pixel per step, extreme pixels at exactly cx +- r and cy +- r.
    void circle(int cx, int cy, int r)
    {
        int x = r, y = 0, error = 1 - r;
        while (x >= y) {
            for (const auto &[dx, dy] : std::array<std::pair<int, int>, 8>{
                     {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}}})
                set(cx + dx, cy + dy);
            ++y;
            if (error < 0) {
                error += 2 * y + 1;
            } else {
                --x;
                error += 2 * (y - x) + 1;
            }
        }
    }
    QImage image() const { return m_image; }

private:
    QImage m_image;
};

bool drawnAt(const QImage &pattern, int x, int y)
{
    return x >= 0 && x < kSize && y >= 0 && y < kSize && pattern.pixelIndex(x, y) == 1;
}

} // namespace

QImage cursorPattern(DiagramCursor which)
{
    Pattern p;
    switch (which) {
    case DiagramCursor::Ring:
        p.circle(15, 15, 7);
        p.set(15, 15);
        break;
    case DiagramCursor::OpenCross:
        p.vertical(16, 7, 13);
        p.vertical(16, 19, 25);
        p.horizontal(16, 7, 13);
        p.horizontal(16, 19, 25);
        break;
    case DiagramCursor::Corner:
        p.horizontal(2, 2, 29);
        p.vertical(2, 2, 29);
        p.horizontal(4, 4, 29);
        p.vertical(4, 4, 29);
        p.horizontal(12, 9, 24);
        p.horizontal(20, 9, 24);
        p.vertical(9, 12, 20);
        p.vertical(24, 12, 20);
        break;
    }
    return p.image();
}

QPoint cursorHotSpot(DiagramCursor which)
{
    return which == DiagramCursor::Corner ? QPoint(0, 0) : QPoint(15, 15);
}

bool windowSystemInvertsCursors()
{
    return QGuiApplication::platformName() == QLatin1String("windows");
}

QCursor makeCursor(DiagramCursor which, bool invert)
{
    const QImage pattern = cursorPattern(which);
    const QPoint hot = cursorHotSpot(which);
    if (invert) {
        // Bitmap 1 with mask 0 is the inverting pixel of a monochrome cursor.
        QImage mask(kSize, kSize, QImage::Format_Mono);
        mask.setColorTable(pattern.colorTable());
        mask.fill(0);
        return QCursor(QBitmap::fromImage(pattern), QBitmap::fromImage(mask), hot.x(), hot.y());
    }
    QImage shape(kSize, kSize, QImage::Format_ARGB32);
    shape.fill(Qt::transparent);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (drawnAt(pattern, x, y)) {
                shape.setPixel(x, y, qRgba(0, 0, 0, 255));
                continue;
            }
            bool nextToDrawn = false;
            for (int dy = -1; dy <= 1 && !nextToDrawn; ++dy)
                for (int dx = -1; dx <= 1 && !nextToDrawn; ++dx)
                    nextToDrawn = drawnAt(pattern, x + dx, y + dy);
            if (nextToDrawn)
                shape.setPixel(x, y, qRgba(255, 255, 255, 255));
        }
    }
    return QCursor(QPixmap::fromImage(shape), hot.x(), hot.y());
}

const QCursor &diagramCursor(DiagramCursor which)
{
    static const std::array<QCursor, 3> cursors = [] {
        const bool invert = windowSystemInvertsCursors();
        return std::array<QCursor, 3>{makeCursor(DiagramCursor::Ring, invert),
                                      makeCursor(DiagramCursor::OpenCross, invert),
                                      makeCursor(DiagramCursor::Corner, invert)};
    }();
    return cursors[static_cast<std::size_t>(which)];
}

} // namespace quarvel

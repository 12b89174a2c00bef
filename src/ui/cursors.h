#pragma once

#include <QCursor>
#include <QImage>
#include <QPoint>

namespace quarvel {

// The image window's three pointers, 32 x 32 pixels.
enum class DiagramCursor {
    Ring,      // a circle of radius 7 with a dot at its centre, hot spot (15, 15)
    OpenCross, // a cross with an open centre, hot spot (15, 15)
    Corner,    // two nested right angles and a small frame, hot spot (0, 0)
};

// The drawn pixels of a cursor as a monochrome picture: pixel index 1 is drawn.
QImage cursorPattern(DiagramCursor which);
QPoint cursorHotSpot(DiagramCursor which);

// Drawn pixels invert the screen under them where the window system can do that (Windows);
// elsewhere they are black with a one-pixel white outline, visible on any background.
bool windowSystemInvertsCursors();
QCursor makeCursor(DiagramCursor which, bool invert);

// The cursor for this window system, made once.
const QCursor &diagramCursor(DiagramCursor which);

} // namespace quarvel

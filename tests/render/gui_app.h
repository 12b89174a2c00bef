#pragma once

#include <QGuiApplication>

namespace quarvel::test {

// Fonts and glyph drawing need a GUI application; the tests run on the offscreen platform.
inline void ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "render_pixel_tests";
    static char *argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

} // namespace quarvel::test

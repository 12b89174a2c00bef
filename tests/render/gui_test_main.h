#pragma once

#include <QGuiApplication>

#include <gtest/gtest.h>

// Fonts and glyph drawing need a GUI application. A test file that includes this gets a main that
// makes one on the offscreen platform for the whole run and destroys it at the end, so the font
// system is shut down cleanly before the leak check.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#pragma once

#include <QGuiApplication>

#include <cstdlib>

// The picture loader draws through QtGui (fonts for metafile text, pixmaps for pointers): one
// application for the whole run, on the offscreen platform, with its own arguments so that
// libFuzzer's are left alone.
inline void startGuiOnce() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(argc, argv);
}

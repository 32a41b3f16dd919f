#include "GuiOnce.h"

#include <QGuiApplication>

#include <cstdlib>

void startGuiOnce() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(argc, argv);
}

// Fontconfig keeps the patterns Qt's font lookups built for the whole process and frees them
// in no exit path; the leak check at the end of a run would report them as ours.
extern "C" const char *__lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

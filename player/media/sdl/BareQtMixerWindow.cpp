// The floor for the player's start-up: a Qt Widgets program linked with SDL_mixer that shows
// one empty window (the audio device is not opened, as the title window does not open it). With
// --button the window holds one push button, the "hello world" that pays for Qt's fonts as the
// title window's texts do.
// Built only for the start-up benchmark (bench/CMakeLists.txt).

#include <QApplication>
#include <QPushButton>
#include <QWidget>

#include <cstring>

#include <SDL_mixer.h>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    // Uses the library, so that it is linked and loaded however the linker is set up.
    const SDL_version *mixer = Mix_Linked_Version();
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare %1.%2").arg(mixer->major).arg(mixer->minor));
    window.resize(640, 480);
    if (argc > 1 && std::strcmp(argv[1], "--button") == 0)
        new QPushButton(QStringLiteral("Hello world!"), &window);
    window.show();
    return app.exec();
}

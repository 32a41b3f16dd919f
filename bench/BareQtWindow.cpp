// The floor for the editor's start-up: a Qt Widgets program that shows one empty window. With
// --button, the window holds one push button instead: what any window showing text costs more,
// Qt's font set-up (fontconfig) and the style's first drawing of a control.

#include <QApplication>
#include <QPushButton>
#include <QWidget>

#include <cstring>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(640, 480);
    if (argc > 1 && std::strcmp(argv[1], "--button") == 0)
        new QPushButton(QStringLiteral("Button"), &window);
    window.show();
    return app.exec();
}

// The floors for the editor's start-up: a Qt Widgets program that shows one empty window, or
// with --button the same window holding one push button, the "hello world" of Qt Widgets. The
// button is what any window showing text costs more: Qt's font set-up (fontconfig) and the
// style's first control.

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
        new QPushButton(QStringLiteral("Hello world!"), &window);
    window.show();
    return app.exec();
}

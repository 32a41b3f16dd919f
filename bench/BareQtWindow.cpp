// The floor for the editor's start-up: a Qt Widgets program that shows one empty window.

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.resize(640, 480);
    window.show();
    return app.exec();
}

#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;

// "Coordinates": a small window under the main panel that shows where the pointer is on the
// frame canvas and, while a new area is drawn, its position and size. All values in pixels.
class frmCoordinates : public QWidget {
    Q_OBJECT
public:
    // `anchor` is the main panel the window lies under (it must outlive this window).
    explicit frmCoordinates(QWidget *anchor, QWidget *parent = nullptr);

    // The caption becomes "Coordinates X=<x> Y=<y>".
    void Display(int x, int y);
    void DisplayAreaPosition(int x, int y);
    void DisplayAreaSize(int width, int height);
    // Directly under the main panel, as wide as it, tall enough that its inner area ends 480
    // pixels below the panel's top.
    void ResizeBig();
    // Only the title bar is left.
    void ResizeSmall();

    QLabel *lblLeft() const { return m_left; }
    QLabel *lblTop() const { return m_top; }
    QLabel *lblWidth() const { return m_width; }
    QLabel *lblHeight() const { return m_height; }
    bool isBig() const { return m_big; }

private:
    QWidget *m_anchor;
    QGroupBox *m_frame;
    QLabel *m_left, *m_top, *m_width, *m_height;
    bool m_big = false;
};

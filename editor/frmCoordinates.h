#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;

// "Coordinates": a small window under the main panel that shows where the pointer is on the
// frame canvas and, while a new area is drawn, its position and size. All values in pixels.
// The pointer position is shown in the window as well as in its caption, so that a window
// manager that shortens or hides captions leaves it readable.
class frmCoordinates : public QWidget {
    Q_OBJECT
public:
    // `anchor` is the main panel the window lies under (it must outlive this window).
    explicit frmCoordinates(QWidget *anchor, QWidget *parent = nullptr);

    // The caption becomes "Coordinates X=<x> Y=<y>"; the pointer line shows the same.
    void Display(int x, int y);
    void DisplayAreaPosition(int x, int y);
    void DisplayAreaSize(int width, int height);
    // Directly under the main panel, as wide as it, tall enough that its inner area ends 480
    // pixels below the panel's top, and never shorter than its contents.
    void ResizeBig();
    // Only the pointer line is left, at its own height.
    void ResizeSmall();

    QLabel *lblLeft() const { return m_left; }
    QLabel *lblTop() const { return m_top; }
    QLabel *lblWidth() const { return m_width; }
    QLabel *lblHeight() const { return m_height; }
    QLabel *lblPointer() const { return m_pointer; }
    bool isBig() const { return m_big; }

private:
    QWidget *m_anchor;
    // Places the window under the main panel with an inner height of at least `innerHeight`.
    void placeUnderPanel(int innerHeight);

    QGroupBox *m_frame;
    QLabel *m_pointer;
    QLabel *m_left, *m_top, *m_width, *m_height;
    bool m_big = false;
};

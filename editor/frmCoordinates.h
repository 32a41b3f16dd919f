#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;

// "Coordinates": where the pointer is on the frame canvas and, while a new area is drawn, its
// position and size, all in pixels of the game. It lies in the main window's status bar; the
// pointer position also stays in its caption for anyone who reads it from there.
class frmCoordinates : public QWidget {
    Q_OBJECT
public:
    explicit frmCoordinates(QWidget *parent = nullptr);

    // The caption becomes "Coordinates X=<x> Y=<y>"; the pointer line shows the same.
    void Display(int x, int y);
    void DisplayAreaPosition(int x, int y);
    void DisplayAreaSize(int width, int height);
    // The new area's position and size are shown beside the pointer (while an area is drawn).
    void ResizeBig();
    // Only the pointer line is left.
    void ResizeSmall();

    QLabel *lblLeft() const { return m_left; }
    QLabel *lblTop() const { return m_top; }
    QLabel *lblWidth() const { return m_width; }
    QLabel *lblHeight() const { return m_height; }
    QLabel *lblPointer() const { return m_pointer; }
    bool isBig() const { return m_big; }

private:
    QGroupBox *m_frame;
    QLabel *m_pointer;
    QLabel *m_left, *m_top, *m_width, *m_height;
    bool m_big = false;
};

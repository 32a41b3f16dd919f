#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

// The outline that follows the pointer while an area or a text is dragged on the frame canvas.
// It covers the part of the surface around the outline with a picture of it taken as the outline
// gets there, so a move repaints only the outline's old and new edges from that picture, however
// many areas and texts lie beneath (they are painted again only where the picture was shown).
class CanvasOutline : public QWidget {
    Q_OBJECT
public:
    // `surface` is the widget drawn under the outline (the frame canvas).
    explicit CanvasOutline(QWidget *surface);

    // Shows the outline at `rect` (pixels of the surface). The surface must show what stays
    // beneath (the dragged element hidden).
    void begin(const QRect &rect);
    // The outline's top-left corner at `topLeft`; its size stays.
    void moveOutline(const QPoint &topLeft);
    QRect outline() const { return m_rect; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // A new picture of the surface around `rect`, which this widget then covers.
    void cover(const QRect &rect);
    void updateEdges(const QRect &rect);

    QPixmap m_scene;
    QRect m_rect; // pixels of the surface
};

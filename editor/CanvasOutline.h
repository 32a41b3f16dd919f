#pragma once

#include <QPixmap>
#include <QRect>
#include <QWidget>

// The outline that follows the pointer while an area or a text is dragged on the frame canvas.
// It lies over the whole surface and shows a picture of the frame taken when the drag began, so
// a move repaints only the outline's old and new edges from that picture, however many areas
// and texts lie beneath (they are not painted again until the drop).
class CanvasOutline : public QWidget {
    Q_OBJECT
public:
    explicit CanvasOutline(QWidget *surface);

    // Shows `scene` (the surface as drawn, without the dragged element) and the outline at
    // `rect` (pixels of the surface).
    void begin(const QPixmap &scene, const QRect &rect);
    // The outline's top-left corner at `topLeft`; its size stays.
    void moveOutline(const QPoint &topLeft);
    QRect outline() const { return m_rect; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void updateEdges(const QRect &rect);

    QPixmap m_scene;
    QRect m_rect;
};

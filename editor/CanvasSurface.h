#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// `BackImage`, the drawing surface of the frame canvas ("Frame canvas"): paints the frame's
// background (a colour, a picture stretched over it, or a picture repeated from the top-left
// corner) and holds the areas and texts. Items dragged from the items list land here.
class CanvasSurface : public QWidget {
    Q_OBJECT
public:
    explicit CanvasSurface(QWidget *parent = nullptr);

    // A null stretched picture and a null tile leave the colour showing.
    void setBackground(const QColor &colour, const QImage &stretched, const QImage &tile);
    const QColor &colour() const { return m_colour; }
    const QImage &backImage() const { return m_back; }
    // `ImageTile`: the picture of a tiled background.
    const QImage &tileImage() const { return m_tile; }

    // The zoom the frame is drawn at (1 is the game's size): the tiles grow with it.
    void setZoom(double factor);
    // Faint grid lines every `step` pixels of this widget (a fraction when zoomed); 0 draws none.
    void setGridStep(double step);
    double gridStep() const { return m_gridStep; }

signals:
    // An item of the items list dropped at `pos` (pixels of this widget).
    void itemDropped(const QString &item, const QPoint &pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QColor m_colour = Qt::black;
    QImage m_back;
    QImage m_tile;
    double m_zoom = 1.0;
    double m_gridStep = 0;
};

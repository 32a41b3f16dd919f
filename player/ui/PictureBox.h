#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

// The play area: paints the frame's background (a colour, a picture stretched over the area or
// a picture repeated from the top-left corner) and holds every other control of the game.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // The stretched picture wins over the tiled one; a picture that cannot be read leaves the
    // colour showing.
    void setBackground(const QColor &colour, const QString &stretchedPicture,
                       const QString &tiledPicture);
    // The play area's scale: a tiled picture is repeated at this size.
    void setScale(double factor);
    const QImage &backImage() const { return m_back; }
    const QImage &tileImage() const { return m_tile; }

signals:
    // Button 1 left, 2 right, 4 middle.
    void pressed(int button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QColor m_colour = Qt::black;
    QString m_backPath;
    QString m_tilePath;
    QImage m_back;
    QImage m_tile;
    double m_factor = 1.0;
    QImage m_scaledTile; // m_tile at m_factor
};

// The button numbers the engine takes; 0 for buttons the game does not use.
int engineButton(Qt::MouseButton button);

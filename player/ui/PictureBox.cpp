#include "PictureBox.h"

#include "PictureLoader.h"

#include <QMouseEvent>
#include <QPainter>

int engineButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    case Qt::LeftButton:
        return 1;
    default:
        return 0;
    }
}

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PictureBox"));
    setAccessibleName(tr("Play area"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::setBackground(const QColor &colour, const QString &stretchedPicture,
                               const QString &tiledPicture) {
    bool changed = colour != m_colour;
    m_colour = colour;
    // Pictures are read again only when another file is named.
    if (stretchedPicture != m_backPath) {
        m_backPath = stretchedPicture;
        m_back = PictureLoader::load(stretchedPicture);
        changed = true;
    }
    if (tiledPicture != m_tilePath) {
        m_tilePath = tiledPicture;
        m_tile = PictureLoader::load(tiledPicture);
        m_scaledTile = QImage();
        changed = true;
    }
    if (changed)
        update();
}

void PictureBox::setScale(double factor) {
    if (factor == m_factor)
        return;
    m_factor = factor;
    m_scaledTile = QImage();
    update();
}

void PictureBox::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), m_colour);
    if (!m_back.isNull()) {
        painter.drawImage(rect(), m_back);
    } else if (!m_tile.isNull()) {
        if (m_scaledTile.isNull()) {
            const QSize size(qMax(1, qRound(m_tile.width() * m_factor)),
                             qMax(1, qRound(m_tile.height() * m_factor)));
            m_scaledTile = m_factor == 1.0 ? m_tile
                                           : m_tile.scaled(size, Qt::IgnoreAspectRatio,
                                                           Qt::SmoothTransformation);
        }
        const int w = m_scaledTile.width(), h = m_scaledTile.height();
        for (int y = 0; y <= height(); y += h) {
            for (int x = 0; x <= width(); x += w)
                painter.drawImage(x, y, m_scaledTile);
        }
    }
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    if (const int button = engineButton(event->button()))
        emit pressed(button);
}

#include "CanvasSurface.h"

#include "FrameEditState.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>

CanvasSurface::CanvasSurface(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BackImage"));
    setAccessibleName(QStringLiteral("Frame canvas"));
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void CanvasSurface::setBackground(const QColor &colour, const QImage &stretched,
                                  const QImage &tile) {
    m_colour = colour;
    m_back = stretched;
    m_tile = tile;
    update();
}

void CanvasSurface::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), m_colour);
    if (!m_back.isNull()) {
        painter.drawImage(rect(), m_back);
    } else if (!m_tile.isNull() && m_tile.width() > 0 && m_tile.height() > 0) {
        // The picture at every multiple of its own size, from the top-left corner.
        for (int y = 0; y < height(); y += m_tile.height())
            for (int x = 0; x < width(); x += m_tile.width())
                painter.drawImage(QPoint(x, y), m_tile);
    }
}

void CanvasSurface::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasFormat(QString::fromLatin1(kItemMimeType)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CanvasSurface::dragMoveEvent(QDragMoveEvent *event) {
    if (event->mimeData()->hasFormat(QString::fromLatin1(kItemMimeType)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CanvasSurface::dropEvent(QDropEvent *event) {
    const QMimeData *data = event->mimeData();
    if (!data->hasFormat(QString::fromLatin1(kItemMimeType))) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit itemDropped(QString::fromUtf8(data->data(QString::fromLatin1(kItemMimeType))),
                     event->position().toPoint());
}

#include "CanvasSurface.h"

#include "FrameEditState.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

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

void CanvasSurface::setZoom(double factor) {
    if (factor == m_zoom || factor <= 0)
        return;
    m_zoom = factor;
    update();
}

void CanvasSurface::setGridStep(double step) {
    step = step >= 2 ? step : 0; // closer lines would hide the frame
    if (step == m_gridStep)
        return;
    m_gridStep = step;
    update();
}

void CanvasSurface::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, m_colour);
    if (!m_back.isNull()) {
        painter.drawImage(rect(), m_back);
    } else if (!m_tile.isNull() && m_tile.width() > 0 && m_tile.height() > 0) {
        // The picture at every multiple of its own size, from the top-left corner.
        painter.save();
        painter.setClipRect(dirty);
        painter.scale(m_zoom, m_zoom);
        const int w = qCeil(width() / m_zoom);
        const int h = qCeil(height() / m_zoom);
        for (int y = 0; y < h; y += m_tile.height())
            for (int x = 0; x < w; x += m_tile.width())
                painter.drawImage(QPoint(x, y), m_tile);
        painter.restore();
    }
    if (m_gridStep > 0) {
        // Half-transparent grey: faint on light and on dark backgrounds alike.
        QPen pen(QColor(128, 128, 128, 90));
        pen.setCosmetic(true);
        painter.setPen(pen);
        const int first = int(dirty.left() / m_gridStep);
        for (double x = first * m_gridStep; x <= dirty.right(); x += m_gridStep)
            painter.drawLine(QPointF(x, dirty.top()), QPointF(x, dirty.bottom() + 1));
        const int top = int(dirty.top() / m_gridStep);
        for (double y = top * m_gridStep; y <= dirty.bottom(); y += m_gridStep)
            painter.drawLine(QPointF(dirty.left(), y), QPointF(dirty.right() + 1, y));
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

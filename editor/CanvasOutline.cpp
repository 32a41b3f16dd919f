#include "CanvasOutline.h"

#include <QPaintEvent>
#include <QPainter>

CanvasOutline::CanvasOutline(QWidget *surface) : QWidget(surface) {
    setObjectName(QStringLiteral("Outline"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Opaque: nothing beneath is painted while it shows.
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void CanvasOutline::begin(const QPixmap &scene, const QRect &rect) {
    m_scene = scene;
    m_rect = rect;
    setGeometry(parentWidget()->rect());
    show();
    raise();
    update();
}

void CanvasOutline::moveOutline(const QPoint &topLeft) {
    if (topLeft == m_rect.topLeft())
        return;
    updateEdges(m_rect);
    m_rect.moveTopLeft(topLeft);
    updateEdges(m_rect);
}

void CanvasOutline::updateEdges(const QRect &r) {
    update(QRect(r.left(), r.top(), r.width(), 1));
    update(QRect(r.left(), r.bottom(), r.width(), 1));
    update(QRect(r.left(), r.top(), 1, r.height()));
    update(QRect(r.right(), r.top(), 1, r.height()));
}

void CanvasOutline::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const double ratio = m_scene.devicePixelRatio();
    for (const QRect &r : event->region()) {
        const QRect source(QPointF(r.topLeft() * ratio).toPoint(),
                           QSizeF(r.size() * ratio).toSize());
        painter.drawPixmap(r, m_scene, source);
    }
    // As a plain one-pixel box frame draws it.
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(m_rect.adjusted(0, 0, -1, -1));
}

void CanvasOutline::hideEvent(QHideEvent *event) {
    m_scene = QPixmap();
    QWidget::hideEvent(event);
}

#include "CanvasOutline.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
// Room around the outline taken into the picture: a new picture is taken when the outline
// leaves it, so it is neither taken at every move nor of the whole frame.
constexpr int kRoom = 64;
} // namespace

CanvasOutline::CanvasOutline(QWidget *surface) : QWidget(surface) {
    setObjectName(QStringLiteral("Outline"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // Opaque: nothing beneath is painted while it shows.
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void CanvasOutline::begin(const QRect &rect) {
    m_rect = rect;
    cover(rect);
}

void CanvasOutline::cover(const QRect &rect) {
    hide();
    const QRect area = rect.adjusted(-kRoom, -kRoom, kRoom, kRoom) & parentWidget()->rect();
    m_scene = parentWidget()->grab(area);
    setGeometry(area);
    show();
    raise();
    update();
}

void CanvasOutline::moveOutline(const QPoint &topLeft) {
    if (topLeft == m_rect.topLeft())
        return;
    const QRect old = m_rect;
    m_rect.moveTopLeft(topLeft);
    // Dragged past the edge of the frame, only what lies on it needs a picture.
    const QRect shown = m_rect & parentWidget()->rect();
    if (!shown.isEmpty() && !geometry().contains(shown)) {
        cover(m_rect);
        return;
    }
    updateEdges(old);
    updateEdges(m_rect);
}

void CanvasOutline::updateEdges(const QRect &surfaceRect) {
    const QRect r = surfaceRect.translated(-pos());
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
    painter.drawRect(m_rect.translated(-pos()).adjusted(0, 0, -1, -1));
}

void CanvasOutline::hideEvent(QHideEvent *event) {
    m_scene = QPixmap();
    QWidget::hideEvent(event);
}

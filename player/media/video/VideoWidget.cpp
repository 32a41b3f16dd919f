#include "VideoWidget.h"

#include "FrameSlot.h"

#include <QEvent>
#include <QPainter>

VideoWidget::VideoWidget(QWidget *parent, std::shared_ptr<const FrameSlot> frames)
    : QWidget(parent), m_frames(std::move(frames)) {
    setObjectName(QStringLiteral("videoWindow"));
    setAccessibleName(QStringLiteral("Video"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(parent->rect());
    parent->installEventFilter(this);
}

void VideoWidget::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QImage image = m_frames->get();
    if (image.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // Stretched to the window, as the videos were always shown.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image);
}

bool VideoWidget::eventFilter(QObject *watched, QEvent *event) {
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

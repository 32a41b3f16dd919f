#include "AreaWidget.h"

#include "AreaFiles.h"

#include "TwipScale.h"

#include "GifControl.h"

#include "PickedObject.h"
#include "PictureBox.h"
#include "PictureLoader.h"
#include <QFileInfo>

#include <QDragEnterEvent>
#include <QMouseEvent>
#include <QMovie>

namespace {

// Everything but visibility and restarts: a change means the area looks different.
bool sameLook(const SceneArea &a, const SceneArea &b) {
    return a.number == b.number && a.rect == b.rect && a.hasPicture == b.hasPicture &&
           a.picture == b.picture && a.stretch == b.stretch && a.pointer == b.pointer &&
           a.animated == b.animated && a.animation == b.animation &&
           a.animationSpeed == b.animationSpeed && a.item == b.item;
}

QRect pixels(const QRect &twips, const TwipScale &scale) {
    const QRect r = scale.toPixels(twips);
    return QRect(r.topLeft(), QSize(qMax(1, r.width()), qMax(1, r.height())));
}

// A pointer drawn at the play area's scale, its hot spot on the same spot of the picture.
QCursor scaledPointer(const QCursor &pointer, const TwipScale &scale) {
    if (scale.isNormal() || pointer.shape() != Qt::BitmapCursor || pointer.pixmap().isNull())
        return pointer;
    const QPixmap pixmap = pointer.pixmap();
    const QSize size = scale.scalePixels(pixmap.size());
    const QPoint hot = pointer.hotSpot();
    return QCursor(pixmap.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                   scale.scalePixels(hot.x()), scale.scalePixels(hot.y()));
}

} // namespace

AreaWidget::AreaWidget(QWidget *parent) : QLabel(parent) {
    setObjectName(QStringLiteral("Area"));
    setAcceptDrops(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hide();
}

AreaWidget::~AreaWidget() = default;

bool AreaWidget::apply(const SceneArea &area, const TwipScale &scale) {
    const bool fresh = !m_applied || !sameLook(area, m_area) || scale != m_scale;
    const bool restarted = !fresh && area.restarts != m_area.restarts;
    const bool wasVisible = m_applied && m_area.visible;
    m_area = area;
    m_scale = scale;
    m_applied = true;
    if (fresh)
        setUp(area);
    if (m_gif) {
        if (!m_gifLoaded) {
            hide();
            return fresh;
        }
        // A box hidden stops; shown again (or restarted by the engine) it plays from the start.
        if (!area.visible)
            m_gif->stop();
        else if (fresh || restarted || !wasVisible)
            startAnimation();
    }
    setVisible(area.visible);
    return fresh;
}

void AreaWidget::retire() {
    if (!m_applied)
        return;
    setMovie(nullptr);
    m_gif.reset();
    m_gifLoaded = false;
    clear();
    m_applied = false;
    m_area = SceneArea();
    hide();
}

void AreaWidget::setUp(const SceneArea &area) {
    setMovie(nullptr);
    m_gif.reset();
    m_gifLoaded = false;
    clear();
    setScaledContents(false);
    const QRect rect = pixels(area.rect, m_scale);
    if (area.animated) {
        m_gif = std::make_unique<GifControl>();
        m_gif->setSpeed(area.animationSpeed);
        m_gifLoaded = m_gif->setFileName(area.animation);
        // A label shown before its movie runs stays tiny: size it from the first frame.
        setGeometry(QRect(rect.topLeft(), QSize(1, 1)));
        if (m_gifLoaded) {
            sizeAnimation();
            setMovie(m_gif->movie());
        } else if (QFileInfo::exists(area.animation))
            emit animationFailed(area.animation); // a missing file was reported when resolved
    } else {
        const QImage picture = area.hasPicture ? PictureLoader::load(area.picture) : QImage();
        if (picture.isNull()) {
            setGeometry(rect);
        } else {
            // A stretched picture fills the area; an unstretched one gives the area its own
            // size (at the play area's scale).
            setScaledContents(true);
            setGeometry(area.stretch ? rect
                                     : QRect(rect.topLeft(), m_scale.scalePixels(picture.size())));
            setPixmap(QPixmap::fromImage(picture));
        }
    }
    if (area.pointer.isEmpty())
        unsetCursor();
    else
        setCursor(scaledPointer(PictureLoader::pointer(area.pointer), m_scale));
    setAccessibleName(plainName());
}

QString AreaWidget::plainName() const {
    return areaPlainName(m_area.number, m_area.animated
                                            ? m_area.animation
                                            : (m_area.hasPicture ? m_area.picture : QString()));
}

void AreaWidget::sizeAnimation() {
    const QSize size = m_scale.scalePixels(m_gif->size());
    if (!m_scale.isNormal())
        m_gif->movie()->setScaledSize(size);
    resize(size.expandedTo(QSize(1, 1)));
}

void AreaWidget::startAnimation() {
    // QMovie cannot seek back, so the file is read again to play from the first frame.
    if (m_gif->isRunning() || m_gif->currentFrameNumber() > 0) {
        m_gif->stop();
        m_gif->setFileName(m_area.animation);
        sizeAnimation();
        setMovie(m_gif->movie());
    }
    m_gif->start();
}

void AreaWidget::mousePressEvent(QMouseEvent *event) {
    if (const int button = engineButton(event->button()))
        emit pressed(m_area.number, button);
}

void AreaWidget::dragEnterEvent(QDragEnterEvent *event) {
    if (PickedObject::slotOf(event->mimeData()) > 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void AreaWidget::dragMoveEvent(QDragMoveEvent *event) {
    if (PickedObject::slotOf(event->mimeData()) > 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void AreaWidget::dropEvent(QDropEvent *event) {
    if (PickedObject::slotOf(event->mimeData()) <= 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit itemDropped(m_area.number);
}

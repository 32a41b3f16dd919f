#include "PickedObject.h"

#include "PictureBox.h"
#include "PictureLoader.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QString kMimeType = QStringLiteral("application/x-quillmoor-inventory-slot");
} // namespace

const QColor PickedObject::CellColour(16, 16, 16, 150);
const QColor PickedObject::OutlineColour(235, 235, 235, 210);

PickedObject::PickedObject(QWidget *parent) : QLabel(parent) {
    setObjectName(QStringLiteral("PickedObject"));
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
    resize(CellSize, CellSize);
    hide();
}

QMimeData *PickedObject::mimeDataFor(int slot) {
    auto *data = new QMimeData;
    data->setData(kMimeType, QByteArray::number(slot));
    return data;
}

int PickedObject::slotOf(const QMimeData *data) {
    if (!data || !data->hasFormat(kMimeType))
        return 0;
    bool ok = false;
    const int slot = data->data(kMimeType).toInt(&ok);
    return ok && slot > 0 ? slot : 0;
}

void PickedObject::apply(int slot, const InventorySlot &item, const TwipScale &scale) {
    m_slot = slot;
    const int cell = scale.scalePixels(CellSize);
    setGeometry(scale.scalePixels(item.cell.x()), scale.scalePixels(item.cell.y()), cell, cell);
    if (!m_loaded || item.picture != m_picturePath || scale != m_scale) {
        if (!m_loaded || item.picture != m_picturePath)
            m_picture = PictureLoader::load(item.picture);
        m_picturePath = item.picture;
        m_scale = scale;
        m_loaded = true;
        showPicture();
    }
    if (item.name != toolTip() || !isVisible()) {
        setToolTip(item.name);
        setAccessibleName(item.name);
    }
    show();
}

void PickedObject::showPicture() {
    // At its own size (at the play area's scale), shrunk to fit its cell when larger.
    const int cell = m_scale.scalePixels(CellSize);
    QImage shown = m_picture;
    if (!shown.isNull()) {
        const QSize size = m_scale.scalePixels(shown.size());
        shown = shown.scaled(size.boundedTo(QSize(cell, cell)), Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    }
    if (shown.isNull())
        clear();
    else
        setPixmap(QPixmap::fromImage(shown));
}

void PickedObject::paintEvent(QPaintEvent *event) {
    {
        // A dark ground, and a light line inside a dark one: the cell stands out on light and
        // dark scenes alike.
        QPainter painter(this);
        painter.fillRect(rect(), CellColour);
        painter.setPen(QColor(0, 0, 0, 200));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(OutlineColour);
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    QLabel::paintEvent(event);
}

QDrag *PickedObject::makeDrag() {
    auto *drag = new QDrag(this);
    drag->setMimeData(mimeDataFor(m_slot));
    // The pointer is the item's picture (with its transparency, centred on the hot spot); the
    // drag shows nothing else, so no square hides what lies below.
    QPixmap nothing(1, 1);
    nothing.fill(Qt::transparent);
    drag->setPixmap(nothing);
    drag->setHotSpot(QPoint(0, 0));
    if (!m_picture.isNull()) {
        const QSize size = m_scale.scalePixels(m_picture.size())
                               .boundedTo(QSize(2 * CellSize, 2 * CellSize) * m_scale.factor());
        const QPixmap pointer = QPixmap::fromImage(
            m_picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        for (Qt::DropAction action : {Qt::MoveAction, Qt::CopyAction, Qt::IgnoreAction})
            drag->setDragCursor(pointer, action);
    }
    return drag;
}

void PickedObject::mousePressEvent(QMouseEvent *event) {
    m_dragArmed = false;
    m_pressAt = event->position().toPoint();
    if (const int button = engineButton(event->button()))
        emit pressed(m_slot, button);
}

void PickedObject::mouseMoveEvent(QMouseEvent *event) {
    if (!m_dragArmed || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - m_pressAt).manhattanLength() <
            QApplication::startDragDistance())
        return;
    m_dragArmed = false;
    makeDrag()->exec(Qt::MoveAction);
}

void PickedObject::mouseReleaseEvent(QMouseEvent *) {
    m_dragArmed = false;
}

void PickedObject::dragEnterEvent(QDragEnterEvent *event) {
    if (slotOf(event->mimeData()) > 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void PickedObject::dragMoveEvent(QDragMoveEvent *event) {
    if (slotOf(event->mimeData()) > 0)
        event->acceptProposedAction();
    else
        event->ignore();
}

void PickedObject::dropEvent(QDropEvent *event) {
    if (slotOf(event->mimeData()) <= 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit itemDropped(m_slot);
}

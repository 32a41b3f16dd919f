#include "PickedObject.h"

#include "PictureBox.h"
#include "PictureLoader.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace {
const QString kMimeType = QStringLiteral("application/x-quillmoor-inventory-slot");
} // namespace

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

void PickedObject::apply(int slot, const InventorySlot &item) {
    m_slot = slot;
    setGeometry(item.cell.x(), item.cell.y(), CellSize, CellSize);
    if (!m_loaded || item.picture != m_picturePath) {
        m_picturePath = item.picture;
        m_loaded = true;
        m_picture = PictureLoader::load(item.picture);
        QImage shown = m_picture;
        if (shown.width() > CellSize || shown.height() > CellSize)
            shown = shown.scaled(CellSize, CellSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (shown.isNull())
            clear();
        else
            setPixmap(QPixmap::fromImage(shown));
    }
    if (item.name != toolTip() || !isVisible()) {
        setToolTip(item.name);
        setAccessibleName(item.name);
    }
    show();
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
    auto *drag = new QDrag(this);
    drag->setMimeData(mimeDataFor(m_slot));
    if (!m_picture.isNull()) {
        drag->setPixmap(QPixmap::fromImage(m_picture));
        drag->setHotSpot(QPoint(m_picture.width() / 2, m_picture.height() / 2));
    }
    drag->exec(Qt::MoveAction);
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

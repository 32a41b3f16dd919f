#pragma once

#include "Scene.h"
#include "TwipScale.h"

#include <QImage>
#include <QLabel>
#include <QPoint>

class QDrag;
class QMimeData;

// One inventory slot: the item's picture in its 35 x 35 cell (at the play area's scale), drawn
// on a translucent cell with an outline so that it reads on any scene; the item's name as
// tooltip. A left press and a move drag the item, the pointer becoming the item's picture; items
// dropped on the slot go to the engine.
class PickedObject : public QLabel {
    Q_OBJECT
public:
    static constexpr int CellSize = 35;
    // The cell under the picture and the light line of its outline.
    static const QColor CellColour;
    static const QColor OutlineColour;

    explicit PickedObject(QWidget *parent = nullptr);

    void apply(int slot, const InventorySlot &item, const TwipScale &scale = TwipScale());
    int slot() const { return m_slot; }
    const QImage &picture() const { return m_picture; }
    // Set by the window when the engine took the press as the start of a drag.
    void armDrag(bool armed) { m_dragArmed = armed; }
    // The drag of this slot, ready to run: it carries the slot and shows no picture of its own,
    // the pointer itself being the item's picture.
    QDrag *makeDrag();

    // What a drag of slot k carries, and the slot a drag carries (0 for anything else).
    static QMimeData *mimeDataFor(int slot);
    static int slotOf(const QMimeData *data);

signals:
    void pressed(int slot, int button);
    void itemDropped(int slot);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void showPicture();

    int m_slot = 0;
    QString m_picturePath;
    QImage m_picture;
    TwipScale m_scale;
    bool m_loaded = false;
    bool m_dragArmed = false;
    QPoint m_pressAt;
};

// The inventory: items picked up, removed, dragged onto areas and onto each other.

#include "AreaFiles.h"
#include "GameEngine.h"
#include "GameRules.h"
#include "Items.h"
#include "MediaPlayers.h"
#include "RecordReader.h"

#include <QFileInfo>

void GameEngine::placeInventory() {
    const int perRow = qMax(1, m_scene.playWidth / 35);
    for (int k = 0; k < m_scene.inventory.size(); ++k)
        m_scene.inventory[k].cell = QPoint((k % perRow) * 35, (k / perRow) * 35);
}

void GameEngine::AddPickedObject(const QString &ObjectName) {
    ItemFile item;
    if (!Items(m_paths).read(ObjectName, item)) {
        reportError(QStringLiteral(" Unable to pick up '") + ObjectName + QStringLiteral("'."));
        return;
    }
    if (m_scene.inventory.size() >= GameRules::InventoryLimit) {
        reportError(QStringLiteral(" Unable to pick up '") + ObjectName + QStringLiteral("'."));
        return;
    }
    InventorySlot slot;
    slot.name = ObjectName;
    slot.picture = resolve(m_paths.AreasPath(), item.IconFile);
    m_scene.inventory.append(slot);
    placeInventory();
    m_host.sceneChanged();
}

void GameEngine::RemovePickedObject(int ObjectIndex) {
    if (ObjectIndex < 1 || ObjectIndex > m_scene.inventory.size()) {
        reportError(QStringLiteral(" Unable to remove the item from the inventory."));
        return;
    }
    m_scene.inventory.removeAt(ObjectIndex - 1);
    placeInventory();
    m_host.sceneChanged();
}

void GameEngine::PickOrNotPickObject(int area) {
    const AreaFiles areas(m_paths, soundMode(), m_scene.frame);
    const QString path = areas.path(area, QStringLiteral("c.dat"));
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    // Only the two values a pick-up needs are read: what follows them (the animation speed)
    // may be damaged without stopping it.
    RecordReader r = RecordReader::fromFile(path);
    int pick = 0;
    QString name;
    if (r.readInt16(pick) && pick == 1 && r.readString(name))
        AddPickedObject(name);
}

void GameEngine::slotPressed(int slot, int button) {
    if (pressReachesGame(button) && button == 1)
        m_draggedSlot = slot;
}

void GameEngine::dropOnArea(int area) {
    if (m_draggedSlot < 1 || m_draggedSlot > m_scene.inventory.size())
        return;
    const int result = MakeAction(area, m_draggedSlot);
    if (result == CloseGame)
        closeGame();
    else if (result != FrameChanged)
        ShowOrNotShowAreas();
}

void GameEngine::dropOnSlot(int slot) {
    const int a = m_draggedSlot;
    const int count = m_scene.inventory.size();
    if (a < 1 || a > count || slot < 1 || slot > count || slot == a)
        return;
    const Items items(m_paths);
    const QString first = m_scene.inventory[a - 1].name;
    const QString second = m_scene.inventory[slot - 1].name;
    if (!items.hasEvent(first, second))
        return;
    // Each value acts as soon as it is read, so an event file cut short still does what it
    // asked for before the cut, and then reports the failure.
    struct Event {
        GameEngine &e;
        int a, slot;
        RecordReader r;
        int removeFirst = 0, removeSecond = 0, addNew = 0;
        QString newItem;
        bool read(int k) {
            return k == 0   ? r.readInt16(removeFirst)
                   : k == 1 ? r.readInt16(removeSecond)
                            : r.readInt16(addNew) && r.readString(newItem);
        }
        bool removesFirst() const { return removeFirst == 1; }
        void takeFirst() { e.RemovePickedObject(a); }
        bool removesSecond() const { return removeSecond == 1; }
        // The second slot moved up when the first, before it, was removed.
        void takeSecond() { e.RemovePickedObject(removesFirst() && a < slot ? slot - 1 : slot); }
        bool adds() const { return addNew == 1; }
        void add() { e.AddPickedObject(newItem); }
    } event{*this, a, slot, RecordReader::fromFile(items.eventPath(first, second)), 0, 0, 0, {}};
    if (!GameRules::combineItems(event))
        reportError(QStringLiteral(" Unable to combine items."));
}

// The inventory: items picked up, removed, dragged onto areas and onto each other.

#include "AreaFiles.h"
#include "GameEngine.h"
#include "Items.h"
#include "MediaPlayers.h"

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
    if (m_scene.inventory.size() >= 32767) {
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
    AreaItem item;
    if (path.isEmpty() || !QFileInfo(path).isFile() || !readAreaItem(path, item))
        return;
    if (item.PickItem == 1)
        AddPickedObject(item.ItemName);
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
    ItemEvent e;
    if (!items.readEvent(first, second, e)) {
        reportError(QStringLiteral(" Unable to combine items."));
        return;
    }
    if (e.RemoveFirst == 1)
        RemovePickedObject(a);
    if (e.RemoveSecond == 1)
        RemovePickedObject(e.RemoveFirst == 1 && a < slot ? slot - 1 : slot);
    if (e.AddNew == 1)
        AddPickedObject(e.NewItem);
}

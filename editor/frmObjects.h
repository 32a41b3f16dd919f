#pragma once

#include "ProjectPaths.h"

#include <QListWidget>
#include <QWidget>

class QPushButton;

// The items list as a drag source: a drag carries the item's name (kItemMimeType) and shows its
// icon.
class ItemsDragList : public QListWidget {
public:
    explicit ItemsDragList(QWidget *parent = nullptr);
    void setPaths(const ProjectPaths &paths) { m_paths = paths; }
    // The drag data for the selected item (null without a selection).
    QMimeData *dragData() const;

protected:
    void startDrag(Qt::DropActions supportedActions) override;

private:
    ProjectPaths m_paths;
};

// "List of items": every item of the project, with "Create New Item..." and "Remove Selected";
// an item is renamed by editing its label. Ctrl+Z undoes the last change to the project's
// structure (ProjectHistory), Ctrl+Shift+Z or Ctrl+Y redoes it.
// It stays open beside the canvas; an item dragged from it onto an area of the canvas opens
// that area's event dialog.
class frmObjects : public QWidget {
    Q_OBJECT
public:
    explicit frmObjects(QWidget *parent = nullptr);

    void setProject(const ProjectPaths &paths);
    // Lists the .obj files of the areas folder again, keeping the selection when it remains.
    void Refresh();
    // "Create New Item...": the new-item dialogue, then the list refreshed.
    void CreateItem();
    // "Remove Selected": asks, listing the places that name the item, then deletes the item file
    // and, when the author chooses, clears those places (the icon stays).
    void RemoveSelected();
    // Editing an item's label (F2): the item renamed with every place that names it, the list
    // refreshed with the renamed (or, when refused, the old) item selected.
    bool RenameItem(const QString &oldName, const QString &newName);

    ItemsDragList *ObjectsList;
    QPushButton *Command1; // "Remove Selected"
    QPushButton *Command2; // "Create New Item..."

private:
    ProjectPaths m_paths;
};

#pragma once

#include "ProjectPaths.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QPixmap;
class QWidget;

// Tells the windows that show items (the items list) that the items may have changed.
class ItemsNotifier : public QObject {
    Q_OBJECT
signals:
    void itemsChanged();
};

// The item operations shared by the editor's windows: the items list, the area properties
// dialog and the item-on-item dialog. Questions go through EditorMessages.
namespace EditorItems {

// The open-file dialog that picks a new item's icon (tests answer it): the chosen path, or ""
// when none was chosen.
using IconChooser = std::function<QString(QWidget *parent)>;
void setIconChooser(IconChooser chooser);

// The new-item dialogue: the name asked for (again after a refused name or a declined
// replacement), the icon explained and chosen, the icon copied into the areas folder and the
// item file written. The item's name, or "" when the author gave up or it failed (the failure
// shown).
QString CreateItem(QWidget *parent, const ProjectPaths &paths);
// Writes the item file naming `iconFile`; false after "Unable to save item information.".
bool WriteItemFile(QWidget *parent, const ProjectPaths &paths, const QString &item,
                   const QString &iconFile);
// Removes `item` after `question` (asked with Yes/No; when other places name the item the
// question lists them and offers to clear them too, see ReferenceQuestions). A failure shows
// `failure` (title "Error") with the file that failed and why. True when it was removed.
bool RemoveItem(QWidget *parent, const ProjectPaths &paths, const QString &item,
                const QString &question, const QString &failure);
// Renames `oldName` to `newName` with every place that names it, after saying how many saved
// games keep the old name. A refusal or failure is shown. True when renamed.
bool RenameItem(QWidget *parent, const ProjectPaths &paths, const QString &oldName,
                const QString &newName);
// Every item of the project (the .obj files of the areas folder), without extension.
QStringList ItemNames(const ProjectPaths &paths);
// The item's icon, empty when it has none that can be read.
QPixmap ItemIcon(const ProjectPaths &paths, const QString &item);
// The item-on-item events (the .drg files of the areas folder) without extension.
QStringList ItemOnItemEvents(const ProjectPaths &paths);

// Emits itemsChanged() when an item was created or removed, or a dialog that may have done so
// closed.
ItemsNotifier &notifier();
void notifyItemsChanged();

} // namespace EditorItems

#pragma once

#include "ProjectPaths.h"
#include "Status.h"

#include <QString>
#include <QStringList>

// Areas/<item>.obj: an inventory item and its picture.
struct ItemFile {
    QString IconFile; // relative to Areas/
};

// Areas/<first>_on_<second>.drg: what happens when <first> is dropped on <second>.
struct ItemEvent {
    QString First;
    QString Second;
    int RemoveFirst = 0;
    int RemoveSecond = 0;
    int AddNew = 0;
    QString NewItem;
};

class Items {
public:
    explicit Items(const ProjectPaths &paths) : m_paths(paths) {}

    // Every *.obj of Areas/ (any case), without extension.
    QStringList list() const;
    QString itemPath(const QString &item) const;
    Status read(const QString &item, ItemFile &out) const;
    Status write(const QString &item, const ItemFile &file) const;
    // Copies the icon into Areas/ under its own name (a failed copy, onto an existing file for
    // instance, is ignored) and writes the item.
    Status create(const QString &item, const QString &iconSourcePath) const;
    Status remove(const QString &item) const;

    QString eventPath(const QString &first, const QString &second) const;
    bool hasEvent(const QString &first, const QString &second) const;
    Status readEvent(const QString &first, const QString &second, ItemEvent &out) const;
    Status writeEvent(const ItemEvent &event) const;
    // Every item-on-item event of the project, in file-name order.
    QList<ItemEvent> events(QStringList *unreadable = nullptr) const;

    // Splits an event file's base name "<first>_on_<second>". Item names may hold "_on_"
    // themselves: the split whose halves are both items of `items` wins, else the first one.
    // False when the name holds no "_on_" after its first character.
    static bool splitEventName(const QString &baseName, const QStringList &items, QString &first,
                               QString &second);

    // The editor's refusals before an event is created; success when it may be written.
    static Status checkEvent(const ItemEvent &event);

private:
    ProjectPaths m_paths;
};

Status readItemEventFile(const QString &path, ItemEvent &out);

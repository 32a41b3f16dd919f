#include "Items.h"

#include "DataFiles.h"
#include "NameRules.h"
#include "ProjectFiles.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QString kOn = QStringLiteral("_on_");
}

QStringList Items::list() const {
    QStringList items;
    for (const QString &i :
         ProjectFiles::baseNamesWithExtension(m_paths.AreasPath(), QStringLiteral("obj"))) {
        if (!itemPath(i).isEmpty())
            items.append(i); // a link out of the project is no item
    }
    return items;
}

QString Items::itemPath(const QString &item) const {
    if (!NameRules::isSafeComponent(item))
        return QString();
    const QString p =
        ProjectFiles::existingVariant(m_paths.AreasPath() + item + QStringLiteral(".obj"));
    return m_paths.holds(p) ? p : QString();
}

Status Items::read(const QString &item, ItemFile &out) const {
    const QString p = itemPath(item);
    RecordReader r = RecordReader::fromFile(p);
    ItemFile f;
    if (!r.readString(f.IconFile))
        return StoreMessages::unreadable(p.isEmpty() ? item : p, r);
    out = f;
    return Status::success();
}

Status Items::write(const QString &item, const ItemFile &file) const {
    const Status failure = Status::failure(QStringLiteral("Error"), QStringLiteral("Unable to create new item."));
    const QString p = itemPath(item);
    if (p.isEmpty())
        return failure;
    RecordWriter w;
    w.writeString(file.IconFile);
    return w.commit(p, failure);
}

Status Items::create(const QString &item, const QString &iconSourcePath) const {
    QString name = QFileInfo(iconSourcePath).fileName();
    // An icon already there stays; a copy that fails is not the item's failure.
    if (!name.isEmpty())
        DataFiles().copyInto(m_paths.AreasPath(), iconSourcePath, name);
    return write(item, ItemFile{name});
}

Status Items::remove(const QString &item) const {
    const QString p = itemPath(item);
    if (p.isEmpty() || (QFileInfo::exists(p) && !QFile::remove(p)))
        return Status::failure(QStringLiteral("Error"), QStringLiteral("Unable to remove the item."));
    return Status::success();
}

QString Items::eventPath(const QString &first, const QString &second) const {
    if (!NameRules::isSafeComponent(first) || !NameRules::isSafeComponent(second))
        return QString();
    const QString p = ProjectFiles::existingVariant(m_paths.AreasPath() + first + kOn + second +
                                                    QStringLiteral(".drg"));
    return m_paths.holds(p) ? p : QString();
}

bool Items::hasEvent(const QString &first, const QString &second) const {
    const QString p = eventPath(first, second);
    return !p.isEmpty() && QFileInfo(p).isFile();
}

Status readItemEventFile(const QString &path, ItemEvent &out) {
    RecordReader r = RecordReader::fromFile(path);
    ItemEvent e = out;
    r.readInt16(e.RemoveFirst);
    r.readInt16(e.RemoveSecond);
    r.readInt16(e.AddNew);
    r.readString(e.NewItem);
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    out = e;
    return Status::success();
}

Status Items::readEvent(const QString &first, const QString &second, ItemEvent &out) const {
    ItemEvent e;
    e.First = first;
    e.Second = second;
    const Status s = readItemEventFile(eventPath(first, second), e);
    if (s)
        out = e;
    return s;
}

Status Items::writeEvent(const ItemEvent &e) const {
    const Status failure =
        Status::failure(QStringLiteral("Error"), QStringLiteral("Unable to create new event."));
    const QString p = eventPath(e.First, e.Second);
    if (p.isEmpty())
        return failure;
    RecordWriter w;
    w.writeInt(e.RemoveFirst);
    w.writeInt(e.RemoveSecond);
    w.writeInt(e.AddNew);
    w.writeString(e.NewItem);
    return w.commit(p, failure);
}

bool Items::splitEventName(const QString &base, const QStringList &items, QString &first,
                           QString &second) {
    qsizetype split = -1;
    for (qsizetype at = base.indexOf(kOn, 0, Qt::CaseInsensitive); at > 0;
         at = base.indexOf(kOn, at + 1, Qt::CaseInsensitive)) {
        if (split < 0)
            split = at;
        if (items.contains(base.left(at), Qt::CaseInsensitive) &&
            items.contains(base.mid(at + kOn.size()), Qt::CaseInsensitive)) {
            split = at;
            break;
        }
    }
    if (split <= 0)
        return false;
    first = base.left(split);
    second = base.mid(split + kOn.size());
    return true;
}

QList<ItemEvent> Items::events(QStringList *unreadable) const {
    QList<ItemEvent> out;
    const QStringList items = list();
    for (const QString &file : ProjectFiles::filesWith(m_paths.AreasPath(), QString(), QStringLiteral(".drg"))) {
        ItemEvent e;
        if (!splitEventName(file.left(file.size() - 4), items, e.First, e.Second))
            continue;
        const QString path = m_paths.AreasPath() + file;
        if (!m_paths.holds(path) || !readItemEventFile(path, e)) {
            if (unreadable)
                unreadable->append(file);
            continue;
        }
        out.append(e);
    }
    return out;
}

Status Items::checkEvent(const ItemEvent &e) {
    const auto refuse = [](const char *text) {
        return Status::failure(QString(), QString::fromLatin1(text), Status::Icon::Information);
    };
    if (e.First.isEmpty() || e.Second.isEmpty())
        return refuse("You must select two items.");
    if (e.AddNew != 0 && e.NewItem.isEmpty())
        return refuse("You must select the new item.");
    if (e.First == e.Second)
        return refuse("The first item must be different from the second item. Users cannot use an "
                      "item on itself.");
    return Status::success();
}

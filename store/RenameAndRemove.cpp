#include "RenameAndRemove.h"

#include "FileAccess.h"
#include "FrameFiles.h"
#include "Items.h"
#include "NameRules.h"
#include "RecordValueEdit.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

namespace {

using Kind = Reference::Kind;
using Edits = QMap<QString, QMap<int, QByteArray>>; // by file: value number -> new value

bool isFrame(References::Target t) {
    return t == References::Target::Frame;
}

Status renameFailure(References::Target t) {
    return isFrame(t) ? Status::failure(QStringLiteral("Error"),
                                        QStringLiteral("Unable to rename frame areas."))
                      : Status::failure(QStringLiteral("Error"),
                                        QStringLiteral("Unable to rename the item."));
}

Status removeFailure(References::Target t, const QString &name) {
    return isFrame(t)
               ? Status::failure(QStringLiteral("Error Removing Frame"),
                                 QStringLiteral("Unable to completely remove '%1'.").arg(name))
               : Status::failure(QStringLiteral("Error"),
                                 QStringLiteral("Unable to remove the item."));
}

// Where the name and the switch that turns it on lie in each kind of file: value numbers.
struct Place {
    int onOff; // 0: none
    int name;
};

Place placeOf(Kind kind) {
    switch (kind) {
    case Kind::InitialFrame:
        return {0, 5}; // General line 5
    case Kind::GoToFrame:
        return {12, 13}; // action record lines 12 and 13
    case Kind::TimerFrame:
        return {6, 8}; // .fme lines 6 and 8
    case Kind::PickedUp:
        return {1, 2}; // c.dat lines 1 and 2
    case Kind::ItemEventGives:
        return {3, 4}; // item event lines 3 and 4
    default:
        return {0, 0};
    }
}

// The switch off, written the way its file writes it.
QByteArray switchedOff(Kind kind) {
    return kind == Kind::TimerFrame ? RecordValueEdit::boolean(false)
                                    : RecordValueEdit::check(false);
}

// The file name of an item event once `oldItem` is called `newItem` on the sides `refs` name.
QString renamedEvent(const QString &fileName, const QList<Reference> &refs,
                     const QString &newItem) {
    const QString base = fileName.left(fileName.size() - 4);
    const QString on = QStringLiteral("_on_");
    QString first, second;
    bool renameFirst = false, renameSecond = false;
    for (const Reference &r : refs) {
        if (r.field == QLatin1String("first item")) {
            first = r.value;
            renameFirst = true;
        } else {
            second = r.value;
            renameSecond = true;
        }
    }
    if (renameFirst)
        second = base.mid(first.size() + on.size());
    else
        first = base.left(base.size() - second.size() - on.size());
    return (renameFirst ? newItem : first) + on + (renameSecond ? newItem : second) +
           fileName.right(4);
}

} // namespace

RenameAndRemove::RenameAndRemove(const ProjectPaths &paths, SoundMode mode)
    : m_paths(paths), m_mode(mode) {}

QString RenameAndRemove::absolute(const QString &file) const {
    return QDir::cleanPath(m_paths.root() + file);
}

bool RenameAndRemove::checkNewName(Target target, const QString &oldName, const QString &newName) {
    const Status s = NameRules::checkName(newName);
    if (!s || newName.isEmpty() || !NameRules::isSafeComponent(newName))
        return fail(s ? NameRules::checkName(QStringLiteral("\"")) : s,
                    QStringLiteral("not a file name: ") + newName);
    const bool frame = isFrame(target);
    const QStringList all = frame ? FrameFiles(m_paths, m_mode).list() : Items(m_paths).list();
    bool found = false;
    for (const QString &n : all) {
        if (References::names(oldName, n, all))
            found = true;
        // A change of letter case only names the same frame (item).
        else if (n.compare(newName, Qt::CaseInsensitive) == 0)
            return fail(
                Status::failure(frame ? QStringLiteral("Error Renaming Frame")
                                      : QStringLiteral("Error Renaming Item"),
                                QStringLiteral("Cannot rename '%1': %2 with the name you specified "
                                               "already exists. Specify a different name.")
                                    .arg(newName, frame ? QStringLiteral("A frame")
                                                        : QStringLiteral("An item")),
                                Status::Icon::Information),
                QDir::toNativeSeparators(frame ? FrameFiles(m_paths, m_mode).fmePath(n)
                                               : Items(m_paths).itemPath(n)) +
                    QStringLiteral(": already exists"));
    }
    if (!found)
        return fail(renameFailure(target),
                    (frame ? QStringLiteral("no such frame: ") : QStringLiteral("no such item: ")) +
                        oldName);
    return true;
}

bool RenameAndRemove::edit(WriteBatch &batch, const QString &file,
                           const QMap<int, QByteArray> &values) {
    const QString path = absolute(file);
    QByteArray old, changed;
    QString why;
    if (!FileAccess::readFile(path, FileAccess::kMaxRecordFileSize, old, &why)) {
        m_stepReason = QDir::toNativeSeparators(path) + QStringLiteral(": ") + why;
        return false;
    }
    if (!RecordValueEdit::replaceValues(old, values, changed)) {
        m_stepReason = QDir::toNativeSeparators(path) + QStringLiteral(": Input past end of file");
        return false;
    }
    if (changed != old)
        batch.write(path, changed);
    return true;
}

bool RenameAndRemove::commit(WriteBatch &batch, const Status &failure) {
    if (!batch.commit())
        return fail(failure, batch.errorString());
    m_oldFiles = batch.oldFiles();
    m_renames = batch.renames();
    return succeed();
}

bool RenameAndRemove::rename(Target target, const QString &oldName, const QString &newName) {
    m_references.clear();
    m_oldFiles.clear();
    m_renames.clear();
    if (newName == oldName)
        return succeed();
    if (!checkNewName(target, oldName, newName))
        return false;
    m_references = References(m_paths).find(target, oldName);

    WriteBatch batch;
    Edits edits;
    QMap<QString, QList<Reference>> events; // item event files by file
    QList<QPair<QString, QString>> renames;
    for (const Reference &r : m_references) {
        const QString path = absolute(r.file);
        const QFileInfo info(path);
        switch (r.kind) {
        case Kind::FrameFile:
        case Kind::ItemFile:
            renames.append(
                {path, info.path() + QLatin1Char('/') + newName + info.fileName().right(4)});
            break;
        case Kind::AreaFolder: {
            const QString to = info.path() + QLatin1Char('/') + newName;
            // An empty folder left under the new name gives way.
            if (r.value.compare(newName, Qt::CaseInsensitive) != 0 && QFileInfo(to).isDir() &&
                !QFileInfo(to).isSymLink() &&
                QDir(to).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System |
                                 QDir::NoDotAndDotDot))
                batch.remove(to);
            // The folder moves after the files in it.
            renames.append({path, to});
            break;
        }
        case Kind::DropEvent:
        case Kind::DropSounds: {
            const QString name = info.fileName();
            renames.prepend({path, info.path() + QLatin1Char('/') +
                                       name.left(name.size() - r.value.size() - 4) + newName +
                                       name.right(4)});
            break;
        }
        case Kind::ItemEvent:
            events[r.file].append(r);
            break;
        case Kind::ItemIcon:
            break; // the item's file names it and goes on naming it
        default:
            edits[r.file][placeOf(r.kind).name] = RecordValueEdit::quoted(newName);
        }
    }
    for (auto it = events.begin(); it != events.end(); ++it) {
        const QString path = absolute(it.key());
        const QFileInfo info(path);
        renames.prepend({path, info.path() + QLatin1Char('/') +
                                   renamedEvent(info.fileName(), it.value(), newName)});
    }
    for (auto it = edits.begin(); it != edits.end(); ++it) {
        if (!edit(batch, it.key(), it.value()))
            return fail(renameFailure(target));
    }
    for (const auto &r : renames)
        batch.rename(r.first, r.second);
    return commit(batch, renameFailure(target));
}

bool RenameAndRemove::remove(Target target, const QString &name, bool clearReferences) {
    m_references.clear();
    m_oldFiles.clear();
    m_renames.clear();
    if (!NameRules::isSafeComponent(name))
        return fail(removeFailure(target, name), QStringLiteral("not a name: ") + name);
    m_references = References(m_paths).find(target, name);

    WriteBatch batch;
    QStringList removed; // files and folders that go, relative
    for (const Reference &r : m_references) {
        const bool goes =
            r.kind == Kind::FrameFile || r.kind == Kind::AreaFolder || r.kind == Kind::ItemFile ||
            (clearReferences && (r.kind == Kind::DropEvent || r.kind == Kind::DropSounds ||
                                 r.kind == Kind::ItemEvent));
        if (goes && !removed.contains(r.file)) {
            removed.append(r.file);
            batch.remove(absolute(r.file));
        }
    }
    if (removed.isEmpty())
        return fail(removeFailure(target, name),
                    (isFrame(target) ? QStringLiteral("no such frame: ")
                                     : QStringLiteral("no such item: ")) +
                        name);
    if (clearReferences) {
        const auto isRemoved = [&](const QString &file) {
            for (const QString &gone : removed) {
                if (file == gone || file.startsWith(gone + QLatin1Char('/')))
                    return true;
            }
            return false;
        };
        Edits edits;
        for (const Reference &r : m_references) {
            const Place place = placeOf(r.kind);
            if (place.name == 0 || isRemoved(r.file))
                continue;
            edits[r.file][place.name] = RecordValueEdit::quoted(QString());
            if (place.onOff != 0)
                edits[r.file][place.onOff] = switchedOff(r.kind);
        }
        for (auto it = edits.begin(); it != edits.end(); ++it) {
            if (!edit(batch, it.key(), it.value()))
                return fail(removeFailure(target, name));
        }
    }
    return commit(batch, removeFailure(target, name));
}

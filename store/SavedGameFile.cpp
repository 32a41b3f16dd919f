#include "SavedGameFile.h"

#include "FileAccess.h"
#include "NameRules.h"
#include "ProjectFiles.h"
#include "ProjectPaths.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

void readPairs(RecordReader &r, QList<QPair<QString, int>> &out) {
    int count = 0;
    if (!r.readCount(count, kMaxSavedEntries))
        return;
    for (int i = 0; i < count; ++i) {
        QString name;
        int value = 0;
        if (!r.readString(name) || !r.readInt16(value))
            return;
        out.append({name, value});
    }
}

void writePairs(RecordWriter &w, const QList<QPair<QString, int>> &pairs) {
    w.writeInt(pairs.size());
    for (const auto &p : pairs) {
        w.writeString(p.first);
        w.writeInt(p.second);
    }
}

} // namespace

Status readSavedGame(const QString &path, SavedGameFile &out) {
    RecordReader r = RecordReader::fromFile(path);
    SavedGameFile g;
    r.readString(g.SavedFrame);
    readPairs(r, g.Variables);
    readPairs(r, g.Disappear);
    r.readNameList(g.Items, kMaxSavedEntries);
    if (r.ok() && !r.atEnd()) {
        g.HasHistory = true;
        r.readNameList(g.History, kMaxSavedEntries);
    }
    out = g;
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    return Status::success();
}

Status writeSavedGame(const QString &path, const SavedGameFile &g) {
    RecordWriter w;
    w.writeString(g.SavedFrame);
    writePairs(w, g.Variables);
    writePairs(w, g.Disappear);
    w.writeInt(g.Items.size());
    for (const QString &i : g.Items)
        w.writeString(i);
    w.writeInt(g.History.size());
    for (const QString &h : g.History)
        w.writeString(h);
    return w.commit(path, StoreMessages::unreadable(path, QStringLiteral("write failed")));
}

namespace SavedGames {

bool isValidName(const QString &name) { return !name.isEmpty() && NameRules::isValidName(name); }

QStringList list(const QString &root) {
    struct Entry {
        QString name;
        QDateTime modified;
    };
    QList<Entry> entries;
    const ProjectPaths project(root);
    const QStringList files = ProjectFiles::filesWith(root, QString(), QStringLiteral(".sav"));
    for (const QString &f : files) {
        // Too short, a link out of the project, or nothing a saved game can be: a pipe, a
        // device, a folder or a file larger than any save.
        if (f.size() <= 4 || !project.holds(root + f) ||
            !FileAccess::checkReadable(root + f, FileAccess::kMaxRecordFileSize))
            continue;
        entries.append({f.left(f.size() - 4), QFileInfo(root + f).lastModified()});
    }
    // Stable: saves with the same time keep the order they were listed in.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.modified < b.modified; });
    QStringList names;
    for (const Entry &e : entries)
        names.append(e.name);
    return names;
}

QList<Entry> entries(const QString &root) {
    QList<Entry> out;
    for (const QString &name : list(root)) {
        const QString path = ProjectFiles::existingVariant(root + name + QStringLiteral(".sav"));
        Entry e{name, QString(), QFileInfo(path).lastModified()};
        // The frame is the file's first value: nothing more is read.
        RecordReader r = RecordReader::fromFile(path);
        if (!r.readString(e.frame))
            e.frame.clear();
        out.append(e);
    }
    return out;
}

} // namespace SavedGames

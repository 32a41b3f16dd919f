#pragma once

#include "ChannelFile.h"
#include "FileOperation.h"
#include "ProjectPaths.h"
#include "References.h"
#include "WriteBatch.h"

#include <QList>
#include <QString>

// Renaming and removing a frame or an item together with every place that names it
// (References). All the files one operation changes are written, renamed and removed as one
// WriteBatch: on any failure nothing has changed, status() holds the message to show and
// errorString() the file that failed and the system's reason. Saved games are never rewritten.
class RenameAndRemove : public FileOperation {
public:
    using Target = References::Target;
    RenameAndRemove(const ProjectPaths &paths, SoundMode mode = SoundMode::MultiChannel);

    // Renames the frame (its three files and its area folder) or the item (its file, its drop
    // events and item events), and rewrites every place that names it to the new name. A
    // change of letter case is a rename like any other. An unchanged name does nothing.
    // Refused, with nothing changed: a name with a refused character; a name another frame
    // (item) has, in any letter case: "Cannot rename '<new>': A frame (An item) with the name
    // you specified already exists. Specify a different name."; no such frame or item.
    bool rename(Target target, const QString &oldName, const QString &newName);

    // Removes the frame (its files and area folder; pictures and media stay) or the item (its
    // file; its icon stays). With `clearReferences` the places that name it are cleared in the
    // same step: areas and drop events that went to the frame go nowhere, a timer that went
    // there is switched off, the initial frame is emptied; areas that gave the item give
    // nothing, item events that gave it give nothing, its drop events and item events are
    // removed. Without it they are left as they are (the project check then lists them).
    bool remove(Target target, const QString &name, bool clearReferences);

    // The places the last operation found: rewritten, cleared or left.
    const QList<Reference> &references() const { return m_references; }
    // What the last successful operation changed, as it was before (see WriteBatch).
    const QList<WriteBatch::OldFile> &oldFiles() const { return m_oldFiles; }
    const QList<QPair<QString, QString>> &renames() const { return m_renames; }

private:
    bool checkNewName(Target target, const QString &oldName, const QString &newName);
    // Adds the value changes `values` of `file` (relative) to the batch.
    bool edit(WriteBatch &batch, const QString &file, const QMap<int, QByteArray> &values);
    bool commit(WriteBatch &batch, const Status &failure);
    QString absolute(const QString &file) const;

    ProjectPaths m_paths;
    SoundMode m_mode;
    QList<Reference> m_references;
    QList<WriteBatch::OldFile> m_oldFiles;
    QList<QPair<QString, QString>> m_renames;
};

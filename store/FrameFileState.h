#pragma once

#include "ProjectPaths.h"
#include "Status.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// One file changed by an edit: its bytes before and after; a file that did not exist is a state
// of its own (`existed` false), not an empty file.
struct FileChange {
    QString path;
    bool existedBefore = false;
    QByteArray before;
    bool existsAfter = false;
    QByteArray after;
};

// The bytes of every file that editing one frame on the canvas can change: the files of its
// area folder (areas, item drops, texts), its area count file and the project's variables list.
// Two states taken around an edit give the files the edit touched; those can be put back either
// way through the store's atomic writer.
class FrameFileState {
public:
    // Reads the files as they are now. Files that cannot be read (too large, not regular) are
    // left out and so count as unchanged.
    static FrameFileState capture(const ProjectPaths &paths, const QString &frame);

    // The files whose bytes or existence differ from `after`, in path order.
    QList<FileChange> changesTo(const FrameFileState &after) const;

    // Writes every file of `changes` back as it was before (`forward` false) or after
    // (`forward` true); a file that did not exist in that state is deleted, and an area folder
    // left empty by that is removed. Goes on past a failure and returns the first one
    // ("Unable to access project files. The project folder may be Read-Only.").
    static Status apply(const QList<FileChange> &changes, bool forward);

    int fileCount() const { return static_cast<int>(m_files.size()); }

private:
    QMap<QString, QByteArray> m_files;
};

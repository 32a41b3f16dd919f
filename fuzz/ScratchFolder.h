#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

// Where a target keeps the files it rewrites for every input: /dev/shm when it can, since a
// memory file system keeps the writes fast, else the temporary folder.
inline QString scratchParent() {
    const QString shm = QStringLiteral("/dev/shm");
    const QFileInfo info(shm);
    return info.isDir() && info.isWritable() ? shm : QDir::tempPath();
}

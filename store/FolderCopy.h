#pragma once

#include "FileOperation.h"

#include <QString>

// Copies a whole folder (a project, for instance) to a new place. Links, named pipes, sockets and
// devices are skipped, never followed or read.
class FolderCopy : public FileOperation {
public:
    // `to` must not exist yet. A failure part way removes what was copied.
    bool copy(const QString &from, const QString &to);

private:
    bool copyInto(const QString &from, const QString &to);
};

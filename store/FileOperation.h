#pragma once

#include "Status.h"

#include <QString>

// Base of the store's operations that touch several files or folders. Each public operation
// returns false on failure and keeps two things: status(), the message the user is shown, and
// errorString(), the system's reason ("<path>: <what the system said>") as a detail beside it.
class FileOperation {
public:
    const Status &status() const { return m_status; }
    const QString &errorString() const { return m_error; }

protected:
    bool succeed();
    // Keeps `message` and the reason of the last failed step (or `reason` when given).
    bool fail(const Status &message, const QString &reason = QString());

    // File system steps. On failure they keep the reason and return false; fail() then attaches
    // the message.
    // Each first tells a WriteJournal recording what it is about to change.
    bool removeFile(const QString &path);
    bool renameEntry(const QString &from, const QString &to);
    // Copies a regular file (FileAccess::copyFile); refuses to replace an existing file.
    bool copyFile(const QString &from, const QString &to);
    bool makeFolder(const QString &path);
    // Removes a folder and everything in it. A link is removed, never followed. A missing
    // folder is no error.
    bool removeTree(const QString &path);
    // Removes a folder with everything in it, or nothing: the folder is first renamed aside in
    // one step, and what could not be deleted goes back under its name. A missing folder is no
    // error.
    bool removeFolder(const QString &path);
    // The first step of removeFolder: `aside` receives the folder's temporary name (empty when
    // there was no folder; a link or file is removed at once). putBack() undoes it.
    bool moveAside(const QString &path, QString &aside);
    void putBack(const QString &aside, const QString &path);
    // Copies the files of `from` into the new folder `to` (no subfolders, no links).
    bool copyFolderFiles(const QString &from, const QString &to);

    QString m_stepReason;

private:
    Status m_status;
    QString m_error;
};

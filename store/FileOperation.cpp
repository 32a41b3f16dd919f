#include "FileOperation.h"

#include "FileAccess.h"
#include "WriteJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace {

QString reason(const QString &path, const QString &what) {
    return QDir::toNativeSeparators(path) + QStringLiteral(": ") + what;
}

} // namespace

bool FileOperation::succeed() {
    m_status = Status::success();
    m_error.clear();
    m_stepReason.clear();
    return true;
}

bool FileOperation::fail(const Status &message, const QString &why) {
    m_status = message;
    m_error = why.isEmpty() ? m_stepReason : why;
    return false;
}

bool FileOperation::removeFile(const QString &path) {
    WriteJournal::touching(path);
    QFile f(path);
    if (f.remove())
        return true;
    m_stepReason = reason(path, f.errorString());
    return false;
}

bool FileOperation::renameEntry(const QString &from, const QString &to) {
    WriteJournal::touching(from);
    WriteJournal::touching(to);
    // QFile::rename moves folders too, but copies a file across devices: a plain rename is
    // wanted here, so a folder goes through QDir.
    if (QFileInfo(from).isDir() && !QFileInfo(from).isSymLink()) {
        errno = 0;
        if (QDir().rename(from, to))
            return true;
        m_stepReason = reason(from, errno ? qt_error_string(errno)
                                          : QStringLiteral("cannot be renamed to ") +
                                                QDir::toNativeSeparators(to));
        return false;
    }
    QFile f(from);
    if (f.rename(to))
        return true;
    m_stepReason = reason(from, f.errorString());
    return false;
}

bool FileOperation::copyFile(const QString &from, const QString &to) {
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) {
        m_stepReason = reason(to, QStringLiteral("already exists"));
        return false;
    }
    // A named pipe or a device would block the copy or never end: only regular files are data.
    const QFileInfo source(from);
    if (!source.isFile() || source.isSymLink()) {
        m_stepReason = reason(from, QStringLiteral("Not a regular file"));
        return false;
    }
    QString why;
    if (FileAccess::copyFile(from, to, FileAccess::kMaxMediaFileSize, &why))
        return true;
    m_stepReason = reason(to, why);
    return false;
}

bool FileOperation::makeFolder(const QString &path) {
    WriteJournal::touching(path);
    errno = 0;
    if (QDir().mkdir(path))
        return true;
    m_stepReason = reason(path, errno ? qt_error_string(errno)
                                      : QStringLiteral("the folder cannot be created"));
    return false;
}

bool FileOperation::removeTree(const QString &path) {
    WriteJournal::touching(path);
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !info.isDir()))
        return removeFile(path);
    if (!info.exists())
        return true;
    const QFileInfoList entries = QDir(path).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                           QDir::Hidden | QDir::System);
    for (const QFileInfo &e : entries) {
        if (!removeTree(e.filePath()))
            return false;
    }
    errno = 0;
    if (QDir().rmdir(path))
        return true;
    m_stepReason = reason(path, errno ? qt_error_string(errno)
                                      : QStringLiteral("the folder cannot be removed"));
    return false;
}

bool FileOperation::copyFolderFiles(const QString &from, const QString &to) {
    if (!makeFolder(to))
        return false;
    const QFileInfoList files =
        QDir(from).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &f : files) {
        if (!copyFile(f.filePath(), QDir(to).filePath(f.fileName())))
            return false;
    }
    return true;
}

bool FileOperation::moveAside(const QString &path, QString &aside) {
    WriteJournal::touching(path);
    aside.clear();
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (info.isSymLink() || !info.isDir())
        return removeFile(path);
    const QFileInfo folder(QDir::cleanPath(path));
    QString candidate;
    for (int n = 0; candidate.isEmpty() || QFileInfo::exists(candidate); ++n)
        candidate = folder.path() + QStringLiteral("/.%1.removed%2").arg(folder.fileName()).arg(n);
    if (!renameEntry(folder.filePath(), candidate))
        return false;
    aside = candidate;
    return true;
}

void FileOperation::putBack(const QString &aside, const QString &path) {
    if (!aside.isEmpty())
        QDir().rename(aside, QDir::cleanPath(path));
}

bool FileOperation::removeFolder(const QString &path) {
    QString aside;
    if (!moveAside(path, aside))
        return false;
    if (aside.isEmpty() || removeTree(aside))
        return true;
    putBack(aside, path);
    return false;
}

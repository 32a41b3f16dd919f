#include "FolderCopy.h"

#include <QDir>
#include <QFileInfo>

bool FolderCopy::copy(const QString &from, const QString &to) {
    const Status failure =
        Status::failure(QStringLiteral("Error"),
                        QStringLiteral("Unable to copy '%1' to '%2'.")
                            .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
    if (!QFileInfo(from).isDir())
        return fail(failure, QDir::toNativeSeparators(from) + QStringLiteral(": no such folder"));
    if (QFileInfo::exists(to))
        return fail(failure, QDir::toNativeSeparators(to) + QStringLiteral(": already exists"));
    if (!copyInto(from, to)) {
        QDir(to).removeRecursively();
        return fail(failure);
    }
    return succeed();
}

bool FolderCopy::copyInto(const QString &from, const QString &to) {
    if (!makeFolder(to))
        return false;
    const QFileInfoList entries = QDir(from).entryInfoList(
        QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &e : entries) {
        const QString target = QDir(to).filePath(e.fileName());
        if (e.isDir() ? !copyInto(e.filePath(), target) : !copyFile(e.filePath(), target))
            return false;
    }
    return true;
}

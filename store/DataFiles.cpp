#include "DataFiles.h"

#include "NameRules.h"
#include "ProjectFiles.h"
#include "ProjectPaths.h"

#include <QDir>
#include <QFileInfo>

QStringList DataFiles::list(const QString &folder, const QStringList &extensions) {
    QStringList out;
    for (const QString &ext : extensions)
        out += ProjectFiles::filesWith(folder, QString(), ext);
    out.removeDuplicates();
    std::sort(out.begin(), out.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return out;
}

bool DataFiles::copyInto(const QString &folder, const QString &sourcePath, QString &fileName) {
    const QFileInfo source(sourcePath);
    const QString target =
        ProjectFiles::existingVariant(withTrailingSeparator(folder) + source.fileName());
    fileName = QFileInfo(target).fileName();
    if (QFileInfo(target).isFile())
        return succeed();
    if (!copyFile(source.absoluteFilePath(), target))
        return fail(
            Status::failure(QStringLiteral("Error"), QStringLiteral("Unable to copy '%1' to '%2'.")
                                                         .arg(QDir::toNativeSeparators(sourcePath),
                                                              QDir::toNativeSeparators(target))));
    return succeed();
}

bool DataFiles::remove(const QString &folder, const QString &fileName) {
    const Status failure = Status::failure(QStringLiteral("Error"),
                                           QStringLiteral("Unable to remove '%1'.").arg(fileName));
    if (!NameRules::isSafeComponent(fileName))
        return fail(failure, QStringLiteral("not a file name: ") + fileName);
    if (!removeFile(ProjectFiles::existingVariant(withTrailingSeparator(folder) + fileName)))
        return fail(failure);
    return succeed();
}

bool DataFiles::rename(const QString &folder, const QString &from, const QString &to) {
    const Status failure = Status::failure(
        QStringLiteral("Error Renaming Icon"),
        QStringLiteral("Unable to rename from '%1' to '%2'.").arg(from, to));
    if (!NameRules::isSafeComponent(from) || !NameRules::isSafeComponent(to))
        return fail(failure, QStringLiteral("not a file name: ") + to);
    const QString dir = withTrailingSeparator(folder);
    const QString source = ProjectFiles::existingVariant(dir + from);
    const QString target = ProjectFiles::existingVariant(dir + to);
    // A change of letter case only finds the file itself.
    if (QFileInfo::exists(target) && QFileInfo(target) != QFileInfo(source))
        return fail(Status::failure(QStringLiteral("Error Renaming File"),
                                    QStringLiteral("Cannot rename '%1': A file with the name you "
                                                   "specified already exists. Specify a "
                                                   "different name.")
                                        .arg(from)),
                    target);
    if (!renameEntry(source, dir + to))
        return fail(failure);
    return succeed();
}

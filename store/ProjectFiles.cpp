#include "ProjectFiles.h"

#include <QDir>
#include <QFileInfo>

#include "FileAccess.h"
#include "FolderListings.h"
#include "ProjectPaths.h"

#include <algorithm>

namespace {

QString findComponent(const QString &dirPath, const QString &component) {
    if (const FolderListings::Listing *l = FolderListings::listing(dirPath)) {
        const QStringList found = l->variants(component);
        return found.isEmpty() ? QString() : found.first();
    }
    QDir dir(dirPath);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &e : entries) {
        if (e.compare(component, Qt::CaseInsensitive) == 0)
            return e;
    }
    return QString();
}

void sortWithoutCase(QStringList &names) {
    const auto less = [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    };
    // Names taken from a listing, which is sorted so, mostly stay in order.
    if (!std::is_sorted(names.begin(), names.end(), less))
        std::sort(names.begin(), names.end(), less);
}

// Every entry of `folder` that is not a folder, from the operation's listing when one is open.
QStringList filesIn(const QString &folder) {
    if (const FolderListings::Listing *l = FolderListings::listing(folder))
        return l->files;
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

} // namespace

namespace ProjectFiles {

bool isSafeRelativeName(const QString &name) {
    if (name.isEmpty())
        return false;
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1Char('\\')))
        return false;
    if (name.size() >= 2 && name[1] == QLatin1Char(':'))
        return false; // drive prefix
    const QStringList parts = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'))
                                  .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return false;
    for (const QString &p : parts) {
        if (p == QLatin1String(".."))
            return false;
        if (p.contains(QChar(0)))
            return false;
    }
    return true;
}

QString resolve(const QString &folder, const QString &name) {
    if (!isSafeRelativeName(name))
        return QString();
    const QStringList parts = QString(name).replace(QLatin1Char('\\'), QLatin1Char('/'))
                                  .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString direct = folder + parts.join(QDir::separator());
    if (FolderListings::exists(direct))
        return direct;
    QString current = folder;
    for (int i = 0; i < parts.size(); ++i) {
        const QString found = findComponent(current, parts[i]);
        if (found.isEmpty())
            return direct;
        current += found;
        if (i + 1 < parts.size())
            current += QDir::separator();
    }
    return current;
}

QString existingVariant(const QString &path) {
    if (FolderListings::active() && !path.endsWith(QDir::separator())) {
        // Within an operation the folder's listing answers first: a name missing in every
        // letter case costs no call to the file system.
        const qsizetype slash = path.lastIndexOf(QDir::separator());
        const QString folder = slash < 0 ? QStringLiteral(".") : path.left(slash + 1);
        const QStringList found = FolderListings::listing(folder)->variants(path.mid(slash + 1));
        if (found.isEmpty())
            return path;
        // A dangling link in the exact case gives way to a variant that exists.
        if (found.contains(path.mid(slash + 1)) && (found.size() == 1 || QFileInfo::exists(path)))
            return path;
        return withTrailingSeparator(folder) + found.first();
    }
    if (QFileInfo::exists(path))
        return path;
    const QFileInfo info(path);
    const QString found = findComponent(info.path(), info.fileName());
    if (found.isEmpty())
        return path;
    return withTrailingSeparator(info.path()) + found;
}

bool exists(const QString &path) { return QFileInfo::exists(existingVariant(path)); }

QStringList baseNamesWithExtension(const QString &folder, const QString &extension) {
    QStringList names;
    const QString suffix = QLatin1Char('.') + extension;
    const QStringList files = filesIn(folder);
    for (const QString &f : files) {
        if (FileAccess::isLeftoverTemporary(f))
            continue;
        if (f.size() > suffix.size() && f.endsWith(suffix, Qt::CaseInsensitive))
            names.append(f.left(f.size() - suffix.size()));
    }
    sortWithoutCase(names);
    return names;
}

QStringList filesWith(const QString &folder, const QString &prefix, const QString &suffix) {
    QStringList out;
    const QStringList files = filesIn(folder);
    for (const QString &f : files) {
        if (FileAccess::isLeftoverTemporary(f))
            continue;
        if (f.size() >= prefix.size() + suffix.size() && f.startsWith(prefix, Qt::CaseInsensitive) &&
            f.endsWith(suffix, Qt::CaseInsensitive))
            out.append(f);
    }
    sortWithoutCase(out);
    return out;
}

} // namespace ProjectFiles

#include "WriteBatch.h"

#include "FileAccess.h"
#include "FolderListings.h"
#include "WriteJournal.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QString systemReason(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

bool entryStat(const QString &path, struct stat &st) {
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool entryExists(const QString &path) {
    struct stat st {};
    return entryStat(path, st);
}

bool sameEntry(const QString &a, const QString &b) {
    struct stat sa {
    }, sb{};
    return entryStat(a, sa) && entryStat(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// A name beside `path` that nothing has: ".<name>.<what><n>". The writer's temporary mark is not
// used: such an entry holds the only copy of something until the batch ends.
QString freeNameBeside(const QString &path, const char *what) {
    const QFileInfo info(QDir::cleanPath(path));
    for (int n = 0;; ++n) {
        const QString candidate =
            info.path() +
            QStringLiteral("/.%1.%2%3").arg(info.fileName(), QLatin1String(what)).arg(n);
        if (!entryExists(candidate))
            return candidate;
    }
}

// `path` after the renames made: an entry inside a renamed folder moved with it.
QString afterRenames(QString path, const QList<QPair<QString, QString>> &renames, int done) {
    for (int i = 0; i < done; ++i) {
        const QString from = QDir::cleanPath(renames[i].first);
        const QString to = QDir::cleanPath(renames[i].second);
        if (path == from)
            path = to;
        else if (path.startsWith(from + QLatin1Char('/')))
            path = to + path.mid(from.size());
    }
    return path;
}

// Deletes a file, a link or a folder with everything in it; false with the reason and the path
// that could not be deleted.
bool deleteEntry(const QString &path, QString &failedPath, QString &reason) {
    struct stat st {};
    if (!entryStat(path, st))
        return true;
    if (S_ISDIR(st.st_mode)) {
        const QStringList names = QDir(path).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
        for (const QString &name : names) {
            if (!deleteEntry(path + QLatin1Char('/') + name, failedPath, reason))
                return false;
        }
        if (::rmdir(QFile::encodeName(path).constData()) == 0)
            return true;
    } else if (::unlink(QFile::encodeName(path).constData()) == 0) {
        return true;
    }
    reason = systemReason(errno);
    failedPath = path;
    return false;
}

} // namespace

void WriteBatch::write(const QString &path, const QByteArray &bytes) {
    for (Write &w : m_writes) {
        if (w.path == path) {
            w.bytes = bytes;
            return;
        }
    }
    m_writes.append({path, bytes, QString(), false});
}

void WriteBatch::remove(const QString &path) {
    for (const Removal &r : m_removals) {
        if (r.path == path)
            return;
    }
    m_removals.append({path, QString()});
}

void WriteBatch::rename(const QString &from, const QString &to) {
    m_renames.append({from, to});
}

void WriteBatch::makeFolder(const QString &path) {
    if (!m_folders.contains(path))
        m_folders.append(path);
}

QString WriteBatch::errorString() const {
    if (m_reason.isEmpty())
        return QString();
    return QDir::toNativeSeparators(m_failedPath) + QStringLiteral(": ") + m_reason;
}

bool WriteBatch::fail(const QString &path, const QString &reason) {
    if (m_reason.isEmpty()) {
        m_failedPath = path;
        m_reason = reason;
    }
    return false;
}

bool WriteBatch::checkPlan() {
    for (const auto &r : m_renames) {
        if (!entryExists(r.first))
            return fail(r.first, QStringLiteral("File not found"));
        if (!entryExists(r.second) || sameEntry(r.first, r.second))
            continue;
        bool removed = false;
        for (const Removal &m : m_removals)
            removed = removed || QDir::cleanPath(m.path) == QDir::cleanPath(r.second);
        if (!removed)
            return fail(r.second, QStringLiteral("already exists"));
    }
    return true;
}

bool WriteBatch::keepFolder(const QString &folder) {
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (it.fileInfo().isSymLink() || !it.fileInfo().isFile())
            continue;
        OldFile old{path, true, QByteArray()};
        QString why;
        if (!FileAccess::readFile(path, FileAccess::kMaxMediaFileSize, old.bytes, &why))
            return fail(path, why);
        m_oldFiles.append(old);
    }
    return true;
}

bool WriteBatch::keepOldFiles() {
    m_oldFiles.clear();
    for (const Write &w : m_writes) {
        struct stat st {};
        OldFile old{w.path, entryStat(w.path, st), QByteArray()};
        if (old.existed && !S_ISREG(st.st_mode))
            return fail(w.path, QStringLiteral("Not a regular file"));
        QString why;
        if (old.existed &&
            !FileAccess::readFile(w.path, FileAccess::kMaxMediaFileSize, old.bytes, &why))
            return fail(w.path, why);
        m_oldFiles.append(old);
    }
    for (const Removal &r : m_removals) {
        struct stat st {};
        if (!entryStat(r.path, st) || S_ISLNK(st.st_mode))
            continue;
        if (S_ISDIR(st.st_mode)) {
            if (!keepFolder(r.path))
                return false;
            continue;
        }
        OldFile old{r.path, true, QByteArray()};
        QString why;
        if (S_ISREG(st.st_mode) &&
            !FileAccess::readFile(r.path, FileAccess::kMaxMediaFileSize, old.bytes, &why))
            return fail(r.path, why);
        if (S_ISREG(st.st_mode))
            m_oldFiles.append(old);
    }
    return true;
}

bool WriteBatch::makeFolders() {
    for (const QString &folder : std::as_const(m_folders)) {
        struct stat st {};
        if (entryStat(folder, st) && S_ISDIR(st.st_mode))
            continue;
        if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0)
            return fail(folder, systemReason(errno));
        m_madeFolders.append(folder);
    }
    return true;
}

bool WriteBatch::prepareWrites() {
    for (Write &w : m_writes) {
        QString why;
        if (!FileAccess::prepareReplacement(w.path, w.bytes, w.temporary, &why))
            return fail(w.path, why);
    }
    return true;
}

bool WriteBatch::applyWrites() {
    for (Write &w : m_writes) {
        QString why;
        const QString temporary = std::exchange(w.temporary, QString());
        if (!FileAccess::commitReplacement(temporary, w.path, &why))
            return fail(w.path, why);
        w.placed = true;
    }
    return true;
}

bool WriteBatch::renameEntry(const QString &from, const QString &to) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    return fail(from, systemReason(errno));
}

bool WriteBatch::moveAside() {
    for (Removal &r : m_removals) {
        if (!entryExists(r.path))
            continue;
        const QString aside = freeNameBeside(r.path, "removed");
        if (!renameEntry(r.path, aside))
            return false;
        r.aside = aside;
    }
    return true;
}

bool WriteBatch::applyRenames(int &done) {
    for (const auto &r : m_renames) {
        const QString from = QDir::cleanPath(r.first);
        const QString to = QDir::cleanPath(r.second);
        // A change of letter case alone: some file systems see one name, so go round it.
        if (from != to && from.compare(to, Qt::CaseInsensitive) == 0) {
            const QString between = freeNameBeside(from, "renaming");
            if (!renameEntry(from, between))
                return false;
            if (!renameEntry(between, to)) {
                ::rename(QFile::encodeName(between).constData(),
                         QFile::encodeName(from).constData());
                return false;
            }
        } else if (!renameEntry(from, to)) {
            return false;
        }
        ++done;
    }
    return true;
}

bool WriteBatch::deleteAside() {
    for (const Removal &r : m_removals) {
        if (r.aside.isEmpty())
            continue;
        QString failedPath, why;
        if (!deleteEntry(afterRenames(r.aside, m_renames, static_cast<int>(m_renames.size())),
                         failedPath, why))
            return fail(r.path, why);
    }
    return true;
}

void WriteBatch::restoreFolder(const QString &folder) {
    // What a failed deletion took from a folder is written back from the kept bytes.
    const QString prefix = QDir::cleanPath(folder) + QLatin1Char('/');
    for (const OldFile &old : m_oldFiles) {
        if (!old.path.startsWith(prefix) || entryExists(old.path))
            continue;
        QDir().mkpath(QFileInfo(old.path).path());
        FileAccess::replaceFile(old.path, old.bytes);
    }
}

void WriteBatch::undo(int renamesDone) {
    for (int i = renamesDone - 1; i >= 0; --i) {
        const QString from = QDir::cleanPath(m_renames[i].first);
        const QString to = QDir::cleanPath(m_renames[i].second);
        if (from.compare(to, Qt::CaseInsensitive) == 0) {
            const QString between = freeNameBeside(to, "renaming");
            ::rename(QFile::encodeName(to).constData(), QFile::encodeName(between).constData());
            ::rename(QFile::encodeName(between).constData(), QFile::encodeName(from).constData());
        } else {
            ::rename(QFile::encodeName(to).constData(), QFile::encodeName(from).constData());
        }
    }
    for (auto it = m_removals.rbegin(); it != m_removals.rend(); ++it) {
        if (it->aside.isEmpty())
            continue;
        if (entryExists(it->aside))
            ::rename(QFile::encodeName(it->aside).constData(),
                     QFile::encodeName(it->path).constData());
        restoreFolder(it->path);
        if (!entryExists(it->path)) {
            for (const OldFile &old : m_oldFiles) {
                if (old.path == it->path)
                    FileAccess::replaceFile(old.path, old.bytes);
            }
        }
        it->aside.clear();
    }
    for (int i = static_cast<int>(m_writes.size()) - 1; i >= 0; --i) {
        Write &w = m_writes[i];
        FileAccess::discardReplacement(std::exchange(w.temporary, QString()));
        if (!w.placed)
            continue;
        const OldFile &old = m_oldFiles[i];
        if (old.existed)
            FileAccess::replaceFile(w.path, old.bytes);
        else
            ::unlink(QFile::encodeName(w.path).constData());
        w.placed = false;
    }
    for (auto it = m_madeFolders.crbegin(); it != m_madeFolders.crend(); ++it)
        ::rmdir(QFile::encodeName(*it).constData());
    m_madeFolders.clear();
}

bool WriteBatch::commit() {
    // One operation: leftovers are looked for once per folder. The renames and removals below
    // change folders behind the listings, so an enclosing operation lists them again.
    const FolderListings::Scope scope;
    const struct ForgetListings {
        ~ForgetListings() { FolderListings::forgetAll(); }
    } forget;
    m_failedPath.clear();
    m_reason.clear();
    int renamesDone = 0;
    m_madeFolders.clear();
    if (!checkPlan())
        return false;
    // A history being recorded keeps what every path held before.
    for (const QString &folder : std::as_const(m_folders))
        WriteJournal::touching(folder);
    for (const Write &w : std::as_const(m_writes))
        WriteJournal::touching(w.path);
    for (const Removal &r : std::as_const(m_removals))
        WriteJournal::touching(r.path);
    for (const auto &r : std::as_const(m_renames)) {
        WriteJournal::touching(r.first);
        WriteJournal::touching(r.second);
    }
    if (!keepOldFiles())
        return false;
    const bool ok = makeFolders() && prepareWrites() && applyWrites() && moveAside() &&
                    applyRenames(renamesDone) && deleteAside();
    if (!ok) {
        undo(renamesDone);
        m_oldFiles.clear();
        return false;
    }
    for (Removal &r : m_removals)
        r.aside.clear();
    m_madeFolders.clear();
    return true;
}

#include "FileAccess.h"

#include "FolderListings.h"
#include "WriteJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <cstring>
#include <functional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemReason(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

bool fail(QString *error, const QString &reason) {
    if (error)
        *error = reason;
    return false;
}

QString typeOrSizeProblem(const struct stat &st, qint64 limit) {
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("Not a regular file");
    if (st.st_size > limit)
        return QStringLiteral("File too large");
    return QString();
}

// The names the writer gives files, whose interrupted temporaries may be removed: the project's
// record files and the extensionless files of Config/.
bool isWrittenFileName(const QString &name) {
    static const char *const kExtensions[] = {"sav", "fme", "chn", "lks", "dat", "drg",
                                              "lbl", "obj", "pre", "txt", "iss"};
    static const char *const kPlainNames[] = {"General", "Texts", "Variables", "Version",
                                              "Options"};
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0) {
        for (const char *n : kPlainNames) {
            if (name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }
    if (dot == 0)
        return false;
    const QString extension = name.mid(dot + 1);
    for (const char *e : kExtensions) {
        if (extension.compare(QLatin1String(e), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

constexpr int kTemporarySuffixLength = 6;
// What marks a temporary file of this writer: ".<name>.qmtmp-XXXXXX". No person names a file so,
// which is what lets an interrupted write's leftover be removed without asking.
const QLatin1String kTemporaryMark(".qmtmp-");
// Longest file name most file systems take, in bytes.
constexpr int kMaxFileNameBytes = 255;

QString randomSuffix() {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString s;
    for (int i = 0; i < kTemporarySuffixLength; ++i)
        s.append(QLatin1Char(kChars[QRandomGenerator::global()->bounded(62)]));
    return s;
}

bool isLetterOrDigit(QChar c) {
    return c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// True when `name` ends with exactly six letters or digits after position `from`.
bool endsWithSuffixFrom(const QString &name, qsizetype from) {
    if (name.size() - from != kTemporarySuffixLength)
        return false;
    for (qsizetype i = from; i < name.size(); ++i) {
        if (!isLetterOrDigit(name[i]))
            return false;
    }
    return true;
}

// The name an earlier version of the writer gave its temporaries, "Game.sav.a1B2c3". Files named
// so are never listed, but may be the user's own ("Real.sav.backup"), so they are never removed.
bool isOlderLeftover(const QString &fileName) {
    const qsizetype stemSize = fileName.size() - kTemporarySuffixLength - 1;
    if (stemSize < 1 || fileName[stemSize] != QLatin1Char('.') ||
        !endsWithSuffixFrom(fileName, stemSize + 1))
        return false;
    return isWrittenFileName(fileName.left(stemSize));
}

// The temporary file for a target named `name` in `folder`; the target's name is cut short when
// the whole would be longer than a file name may be.
QByteArray temporaryPath(const QString &folder, QString name) {
    const QString tail = kTemporaryMark + randomSuffix();
    while (!name.isEmpty() &&
           QFile::encodeName(QLatin1Char('.') + name + tail).size() > kMaxFileNameBytes)
        name.chop(name.size() > 1 && name.back().isLowSurrogate() ? 2 : 1);
    return QFile::encodeName(folder + QDir::separator() + QLatin1Char('.') + name + tail);
}

// Why an existing file must not be replaced: the user cannot write it. Root may write anything,
// so for root a file without any write permission counts as read-only too.
QString readOnlyReason(const QByteArray &path, const struct stat &st) {
    if (::faccessat(AT_FDCWD, path.constData(), W_OK, AT_EACCESS) != 0)
        return systemReason(errno);
    if (::geteuid() == 0 && (st.st_mode & 0222) == 0)
        return systemReason(EACCES);
    return QString();
}

// A writer only leaves temporaries behind when its process dies, so they are looked for once per
// folder in an operation (FolderListings::Scope), and once per folder and process for writes made
// outside any operation.
void removeLeftoversOnce(const QString &folder) {
    if (FolderListings::firstWriteIn(folder))
        FileAccess::removeLeftoverTemporaries(folder);
}

bool writeAll(int fd, const char *p, qint64 left, int &code) {
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            code = errno;
            return false;
        }
        if (n == 0) {
            code = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// Fills the open temporary file: false with `problem` set when it cannot.
using Filler = std::function<bool(int fd, QString &problem)>;

// Fills a temporary file with `bytes`, which must outlive the call.
Filler fillWith(const QByteArray &bytes) {
    return [&bytes](int fd, QString &problem) {
        int code = 0;
        if (writeAll(fd, bytes.constData(), bytes.size(), code))
            return true;
        problem = systemReason(code);
        return false;
    };
}

// The first half of the writer: a temporary file beside `path`, filled by `fill` and synced,
// not yet in place. `tempName` receives its name.
bool prepareWith(const QString &path, const Filler &fill, QByteArray &tempName, QString *error) {
    const QFileInfo target(path);
    const QString folder = target.path();
    const QString name = target.fileName();
    if (name.isEmpty())
        return fail(error, QStringLiteral("No file name"));
    removeLeftoversOnce(folder);

    const QByteArray finalName = QFile::encodeName(path);
    // An existing regular file keeps its permissions; a link is not looked through.
    mode_t mode = 0666;
    bool keepMode = false;
    struct stat old {};
    if (::lstat(finalName.constData(), &old) == 0 && S_ISREG(old.st_mode)) {
        const QString refusal = readOnlyReason(finalName, old);
        if (!refusal.isEmpty())
            return fail(error, refusal);
        mode = old.st_mode & 07777;
        keepMode = true;
    }

    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = temporaryPath(folder, name);
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                    mode);
        if (fd < 0 && errno != EEXIST)
            return fail(error, systemReason(errno));
    }
    if (fd < 0)
        return fail(error, systemReason(EEXIST));

    QString problem;
    bool ok = fill(fd, problem);
    if (ok && keepMode && ::fchmod(fd, mode) != 0) {
        problem = systemReason(errno);
        ok = false;
    }
    // The data must be on the disk before the name points at it; a file system that cannot
    // sync (EINVAL) has nothing more to write.
    if (ok && ::fsync(fd) != 0 && errno != EINVAL) {
        problem = systemReason(errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        problem = systemReason(errno);
        ok = false;
    }
    if (!ok) {
        ::unlink(tempName.constData());
        tempName.clear();
        return fail(error, problem);
    }
    return true;
}

// The second half: the prepared file renamed over `path`, and the rename made durable.
bool putInPlace(const QByteArray &tempName, const QString &path, QString *error) {
    if (::rename(tempName.constData(), QFile::encodeName(path).constData()) != 0) {
        const QString problem = systemReason(errno);
        ::unlink(tempName.constData());
        return fail(error, problem);
    }
    FolderListings::added(path);
    // A folder that cannot be synced changes nothing.
    const int dirFd = ::open(QFile::encodeName(QFileInfo(path).path()).constData(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

// The writer: a temporary file beside `path`, filled by `fill`, synced, then renamed over `path`.
bool replaceWith(const QString &path, const Filler &fill, QString *error) {
    QByteArray tempName;
    return prepareWith(path, fill, tempName, error) && putInPlace(tempName, path, error);
}

// Opens a regular file no larger than `limit` for reading, without blocking; -1 with `problem`.
int openRegularFile(const QString &path, qint64 limit, struct stat &st, QString &problem) {
    // The type is known before the file is opened (from the operation's listing of its folder, or
    // else asked for), and the open cannot block either: a pipe put in place between the two is
    // caught by the second check.
    if (!FolderListings::isRegularFile(path) && !FileAccess::checkReadable(path, limit, &problem))
        return -1;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        problem = errno == ENOENT ? QStringLiteral("File not found") : systemReason(errno);
        return -1;
    }
    problem = ::fstat(fd, &st) != 0 ? systemReason(errno) : typeOrSizeProblem(st, limit);
    if (!problem.isEmpty()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

namespace FileAccess {

bool checkReadable(const QString &path, qint64 limit, QString *error) {
    if (path.isEmpty())
        return fail(error, QStringLiteral("File not found"));
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return fail(error, errno == ENOENT || errno == ENOTDIR ? QStringLiteral("File not found")
                                                               : systemReason(errno));
    const QString problem = typeOrSizeProblem(st, limit);
    if (!problem.isEmpty())
        return fail(error, problem);
    return true;
}

bool readFile(const QString &path, qint64 limit, QByteArray &out, QString *error) {
    out.clear();
    struct stat st {};
    QString problem;
    const int fd = openRegularFile(path, limit, st, problem);
    if (fd < 0)
        return fail(error, problem);
    // Read up to one byte past the limit, so a file that grew since is refused too.
    QByteArray data(static_cast<qsizetype>(st.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    for (;;) {
        if (got == data.size()) {
            if (data.size() > limit) {
                problem = QStringLiteral("File too large");
                break;
            }
            data.resize(qMin<qint64>(limit + 1, data.size() * 2 + 4096));
        }
        const ssize_t n = ::read(fd, data.data() + got, static_cast<size_t>(data.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            problem = systemReason(errno);
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    if (problem.isEmpty() && got > limit)
        problem = QStringLiteral("File too large");
    ::close(fd);
    if (!problem.isEmpty())
        return fail(error, problem);
    data.truncate(got);
    out = data;
    return true;
}

bool isWriterTemporary(const QString &fileName) {
    if (!fileName.startsWith(QLatin1Char('.')))
        return false;
    const qsizetype mark = fileName.size() - kTemporarySuffixLength - kTemporaryMark.size();
    return mark >= 1 && QStringView(fileName).mid(mark, kTemporaryMark.size()) == kTemporaryMark &&
           endsWithSuffixFrom(fileName, mark + kTemporaryMark.size());
}

bool isLeftoverTemporary(const QString &fileName) {
    return isWriterTemporary(fileName) || isOlderLeftover(fileName);
}

void removeLeftoverTemporaries(const QString &folder) {
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return;
    QStringList found;
    while (const struct dirent *e = ::readdir(dir)) {
        // Temporaries are hidden files that are not folders; most names are passed over here.
        if (e->d_name[0] != '.' || e->d_type == DT_DIR)
            continue;
        const QString name = QFile::decodeName(e->d_name);
        if (isWriterTemporary(name))
            found << name;
    }
    ::closedir(dir);
    const QDir base(folder);
    bool removed = false;
    for (const QString &name : found) {
        struct stat st {};
        const QByteArray path = QFile::encodeName(base.filePath(name));
        if (::lstat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode))
            removed = ::unlink(path.constData()) == 0 || removed; // a link goes, never its target
    }
    if (removed)
        FolderListings::forget(folder);
}

bool replaceFile(const QString &path, const QByteArray &bytes, QString *error) {
    WriteJournal::touching(path);
    return replaceWith(
        path,
        fillWith(bytes),
        error);
}

bool prepareReplacement(const QString &path, const QByteArray &bytes, QString &temporary,
                        QString *error) {
    QByteArray tempName;
    temporary.clear();
    if (!prepareWith(
            path,
            fillWith(bytes),
            tempName, error))
        return false;
    temporary = QFile::decodeName(tempName);
    return true;
}

bool commitReplacement(const QString &temporary, const QString &path, QString *error) {
    return putInPlace(QFile::encodeName(temporary), path, error);
}

void discardReplacement(const QString &temporary) {
    if (!temporary.isEmpty() && isWriterTemporary(QFileInfo(temporary).fileName()))
        ::unlink(QFile::encodeName(temporary).constData());
}

bool makeFolder(const QString &path) {
    QString missing;
    for (QString p = QDir::cleanPath(path); !p.isEmpty() && !QFileInfo::exists(p);) {
        missing = p;
        const QString up = QFileInfo(p).path();
        if (up == p)
            break;
        p = up;
    }
    if (!missing.isEmpty())
        WriteJournal::touching(missing);
    return QDir().mkpath(path);
}

bool copyFile(const QString &from, const QString &to, qint64 limit, QString *error) {
    WriteJournal::touching(to);
    struct stat st {};
    QString problem;
    const int in = openRegularFile(from, limit, st, problem);
    if (in < 0)
        return fail(error, problem);
    const bool ok = replaceWith(
        to,
        [&](int fd, QString &why) {
            QByteArray buffer(256 * 1024, Qt::Uninitialized);
            qint64 total = 0;
            for (;;) {
                const ssize_t n = ::read(in, buffer.data(), static_cast<size_t>(buffer.size()));
                if (n < 0 && errno == EINTR)
                    continue;
                if (n < 0) {
                    why = systemReason(errno);
                    return false;
                }
                if (n == 0)
                    return true;
                total += n;
                if (total > limit) {
                    why = QStringLiteral("File too large");
                    return false;
                }
                int code = 0;
                if (!writeAll(fd, buffer.constData(), n, code)) {
                    why = systemReason(code);
                    return false;
                }
            }
        },
        error);
    ::close(in);
    return ok;
}

} // namespace FileAccess

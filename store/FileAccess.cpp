#include "FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
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

QString randomSuffix() {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString s;
    for (int i = 0; i < kTemporarySuffixLength; ++i)
        s.append(QLatin1Char(kChars[QRandomGenerator::global()->bounded(62)]));
    return s;
}

bool writeAll(int fd, const QByteArray &bytes, int &code) {
    const char *p = bytes.constData();
    qint64 left = bytes.size();
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
    // The type is known before the file is opened, and the open cannot block either: a pipe put
    // in place between the two is caught by the second check.
    if (!checkReadable(path, limit, error))
        return false;
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return fail(error, systemReason(errno));
    struct stat st {};
    QString problem = ::fstat(fd, &st) != 0 ? systemReason(errno) : typeOrSizeProblem(st, limit);
    if (problem.isEmpty()) {
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
        if (problem.isEmpty()) {
            data.truncate(got);
            out = data;
        }
    }
    ::close(fd);
    if (!problem.isEmpty())
        return fail(error, problem);
    return true;
}

bool isLeftoverTemporary(const QString &fileName) {
    const qsizetype stemSize = fileName.size() - kTemporarySuffixLength - 1;
    if (stemSize < 1 || fileName[stemSize] != QLatin1Char('.'))
        return false;
    for (qsizetype i = stemSize + 1; i < fileName.size(); ++i) {
        const QChar c = fileName[i];
        if (!(c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
              (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
            return false;
    }
    return isWrittenFileName(fileName.left(stemSize));
}

void removeLeftoverTemporaries(const QString &folder) {
    const QDir dir(folder);
    const QStringList names =
        dir.entryList(QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (isLeftoverTemporary(name))
            QFile::remove(dir.filePath(name)); // a link is removed, never what it names
    }
}

bool replaceFile(const QString &path, const QByteArray &bytes, QString *error) {
    const QFileInfo target(path);
    const QString folder = target.path();
    const QString name = target.fileName();
    if (name.isEmpty())
        return fail(error, QStringLiteral("No file name"));
    removeLeftoverTemporaries(folder);

    const QByteArray finalName = QFile::encodeName(path);
    // An existing regular file keeps its permissions; a link is not looked through.
    mode_t mode = 0666;
    bool keepMode = false;
    struct stat old {};
    if (::lstat(finalName.constData(), &old) == 0 && S_ISREG(old.st_mode)) {
        mode = old.st_mode & 07777;
        keepMode = true;
    }

    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = QFile::encodeName(folder + QDir::separator() + name + QLatin1Char('.') +
                                     randomSuffix());
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                    mode);
        if (fd < 0 && errno != EEXIST)
            return fail(error, systemReason(errno));
    }
    if (fd < 0)
        return fail(error, systemReason(EEXIST));

    int code = 0;
    bool ok = writeAll(fd, bytes, code);
    if (ok && keepMode && ::fchmod(fd, mode) != 0) {
        code = errno;
        ok = false;
    }
    // The data must be on the disk before the name points at it; a file system that cannot
    // sync (EINVAL) has nothing more to write.
    if (ok && ::fsync(fd) != 0 && errno != EINVAL) {
        code = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        code = errno;
        ok = false;
    }
    if (ok && ::rename(tempName.constData(), finalName.constData()) != 0) {
        code = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(tempName.constData());
        return fail(error, systemReason(code));
    }
    // Make the rename itself durable; a folder that cannot be synced changes nothing.
    const int dirFd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

} // namespace FileAccess

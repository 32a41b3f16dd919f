#include "ReadOnlyFolder.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

ReadOnlyFolder::ReadOnlyFolder(const QString &folder) : m_folder(folder) {
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (geteuid() == 0)
        m_immutable = setImmutable(true);
    QFile probe(folder + QStringLiteral("/.probe"));
    m_ok = !probe.open(QIODevice::WriteOnly);
    if (!m_ok)
        probe.remove();
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (m_immutable)
        setImmutable(false);
    QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool ReadOnlyFolder::setImmutable(bool on) {
    const int fd = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

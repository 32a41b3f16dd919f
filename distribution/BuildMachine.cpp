#include "BuildMachine.h"

#include <QFile>

#ifdef __GLIBC__
#include <gnu/libc-version.h>
#endif

namespace BuildMachine {

QString systemRelease() {
    for (const char *path : {"/etc/os-release", "/usr/lib/os-release"}) {
        QFile file{QString::fromLatin1(path)};
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // A small file of KEY=value lines; the value may be quoted.
        for (const QByteArray &line : file.read(64 * 1024).split('\n')) {
            if (!line.startsWith("PRETTY_NAME="))
                continue;
            QString value = QString::fromUtf8(line.mid(12)).trimmed();
            if (value.size() >= 2 &&
                (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\''))))
                value = value.mid(1, value.size() - 2);
            if (!value.isEmpty())
                return value;
        }
    }
    return QStringLiteral("this system");
}

QString glibcVersion() {
#ifdef __GLIBC__
    return QString::fromLatin1(gnu_get_libc_version());
#else
    return QString();
#endif
}

} // namespace BuildMachine

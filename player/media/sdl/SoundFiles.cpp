#include "SoundFiles.h"

#include "FileAccess.h"

#include <QFile>
#include <QFileInfo>

namespace SoundFiles {

QString fromEncodedName(const QByteArray &name) {
    return localPath(QFile::decodeName(name));
}

QString localPath(const QString &name) {
#ifndef Q_OS_WIN
    if (!QFileInfo::exists(name) && name.contains(QLatin1Char('\\'))) {
        QString slashed = name;
        slashed.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (QFileInfo::exists(slashed))
            return slashed;
    }
#endif
    return name;
}

QByteArray encoded(const QString &path) {
    return QFile::encodeName(path);
}

bool isReadable(const QString &path, QString *error) {
    const QFileInfo info(path);
    QString why;
    if (!FileAccess::checkReadable(path, FileAccess::kMaxMediaFileSize, &why)) {
        // Only a regular file of sane size is opened: a named pipe would block the open.
        if (error)
            *error = why == QLatin1String("File not found")
                         ? QStringLiteral("File not found: %1").arg(path)
                         : QStringLiteral("%1: %2").arg(why, path);
        return false;
    }
    if (!info.isReadable()) {
        if (error)
            *error = QStringLiteral("File cannot be read: %1").arg(path);
        return false;
    }
    return true;
}

bool isWaveFile(const QString &path, QString *error) {
    if (!isReadable(path, error))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("File cannot be read: %1").arg(path);
        return false;
    }
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") {
        if (error)
            *error = QStringLiteral("Not a wave file: %1").arg(path);
        return false;
    }
    return true;
}

} // namespace SoundFiles

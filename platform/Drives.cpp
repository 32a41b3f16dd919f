#include "Drives.h"

#include <QDir>
#include <QStorageInfo>

namespace {

class SystemDrives : public DriveProvider {
public:
    QList<Drive> drives() const override {
        QList<Drive> out;
        for (const QStorageInfo &v : QStorageInfo::mountedVolumes()) {
            if (!v.isValid() || !v.isReady())
                continue;
            const QByteArray fs = v.fileSystemType().toLower();
            const QByteArray device = v.device();
            Drive d;
            d.root = QDir::toNativeSeparators(v.rootPath());
            if (!d.root.endsWith(QDir::separator()))
                d.root.append(QDir::separator());
            d.label = v.name();
            if (fs == "iso9660" || fs == "udf" || device.startsWith("/dev/sr"))
                d.type = Drive::CdRom;
            else if (fs == "nfs" || fs == "nfs4" || fs == "cifs" || fs == "smbfs" || fs.startsWith("fuse.sshfs"))
                d.type = Drive::Remote;
            else if (fs == "tmpfs" || fs == "ramfs")
                d.type = Drive::RamDisk;
            else if (v.rootPath().startsWith(QLatin1String("/media")) || v.rootPath().startsWith(QLatin1String("/run/media")))
                d.type = Drive::Removable;
            else if (device.startsWith("/dev/"))
                d.type = Drive::Fixed;
            else
                continue; // proc, sysfs and other pseudo file systems are no drives
            out.append(d);
        }
        return out;
    }
};

} // namespace

std::unique_ptr<DriveProvider> createSystemDriveProvider() { return std::make_unique<SystemDrives>(); }

QString driveTypeText(Drive::Type type) {
    switch (type) {
    case Drive::Removable:
        return QStringLiteral("(Floppy Drive)");
    case Drive::Fixed:
        return QStringLiteral("(Hard Drive)");
    case Drive::Remote:
        return QStringLiteral("(Network Drive)");
    case Drive::CdRom:
        return QStringLiteral("(CD-ROM Drive)");
    case Drive::RamDisk:
        return QStringLiteral("(RAM Disk)");
    }
    return QString();
}

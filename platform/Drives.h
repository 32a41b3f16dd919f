#pragma once

#include <QList>
#include <QString>

#include <memory>

// A drive the CD drive dialog offers: on this system a mounted volume.
struct Drive {
    enum Type { Removable, Fixed, Remote, CdRom, RamDisk };
    QString root;  // the mount path, ending in a separator
    QString label; // the volume's name
    Type type = Fixed;
};

// Where the drives come from; tests give folders of their own.
class DriveProvider {
public:
    virtual ~DriveProvider() = default;
    virtual QList<Drive> drives() const = 0;
};

// The mounted volumes of this system: optical ones (iso9660 / udf file systems, /dev/sr*
// devices) are CD-ROM drives, network file systems remote, tmpfs RAM disks, the rest fixed.
std::unique_ptr<DriveProvider> createSystemDriveProvider();

// How the dialog names a drive type: "(CD-ROM Drive)", "(Hard Drive)", ...
QString driveTypeText(Drive::Type type);

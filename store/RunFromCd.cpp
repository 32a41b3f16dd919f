#include "RunFromCd.h"

#include "ProjectPaths.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

#include <QFileInfo>

namespace RunFromCd {

// Empty when the marker is a link out of the project: it is then neither read nor written.
QString markerPath(const QString &root) {
    return ProjectPaths(root).rootFile(QStringLiteral("RunFromCD.dat"));
}

bool isRunFromCd(const QString &root) { return QFileInfo(markerPath(root)).isFile(); }

QString readDrive(const QString &root) {
    RecordReader r = RecordReader::fromFile(markerPath(root));
    QString drive;
    if (r.atEnd() || !r.readString(drive))
        return QString();
    return drive;
}

Status writeDrive(const QString &root, const QString &drive) {
    RecordWriter w;
    w.writeString(drive);
    return w.commit(markerPath(root), StoreMessages::projectFilesReadOnly());
}

} // namespace RunFromCd

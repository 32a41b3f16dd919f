#include "UserDataFolder.h"

#include "NameRules.h"
#include "ProjectPaths.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "SavedGameFile.h"
#include "StoreMessages.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace UserDataFolder {

namespace {

// A name that can be one folder below the user's data folder, never a way out of it.
bool usableFolderName(const QString &name) {
    const QString t = name.trimmed();
    return !t.isEmpty() && t != QLatin1String(".") && t != QLatin1String("..") &&
           SavedGames::isValidName(t);
}

QString storedName(const QString &marker) {
    RecordReader r = RecordReader::fromFile(marker);
    QString name;
    if (r.atEnd() || !r.readString(name))
        return QString();
    return name.trimmed();
}

} // namespace

QString markerPath(const QString &root) {
    return ProjectPaths(root).rootFile(QStringLiteral("UserData.dat"));
}

Status writeMarker(const QString &root, const QString &gameName) {
    RecordWriter w;
    w.writeString(gameName);
    return w.commit(markerPath(root), StoreMessages::projectFilesReadOnly());
}

QString savedGamesFolder(const QString &root, const QString &fallbackName) {
    const QString own = withTrailingSeparator(root);
    const QString marker = markerPath(root);
    const bool installed = !marker.isEmpty() && QFileInfo(marker).isFile();
    if (!installed && QFileInfo(root).isWritable())
        return own;
    QString name = installed ? storedName(marker) : QString();
    if (!usableFolderName(name))
        name = fallbackName.trimmed();
    if (!usableFolderName(name))
        name = QStringLiteral("Game");
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return own; // no user folder known (no home): the game's folder is all there is
    return withTrailingSeparator(
        QDir::toNativeSeparators(data + QStringLiteral("/Quillmoor/Games/") + name));
}

bool make(const QString &folder) {
    return QDir().mkpath(folder);
}

} // namespace UserDataFolder

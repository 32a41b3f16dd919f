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

struct Marker {
    bool present = false;
    QString name;
    bool installed = true;
};

Marker readMarker(const QString &root) {
    Marker m;
    const QString path = markerPath(root);
    m.present = !path.isEmpty() && QFileInfo(path).isFile();
    if (!m.present)
        return m;
    RecordReader r = RecordReader::fromFile(path);
    if (r.atEnd() || !r.readString(m.name))
        return m;
    m.name = m.name.trimmed();
    bool installed = true;
    if (!r.atEnd() && r.readBool(installed))
        m.installed = installed;
    return m;
}

QString gamesFolder(const QString &name) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return QString();
    return withTrailingSeparator(
        QDir::toNativeSeparators(data + QStringLiteral("/Quillmoor/Games/") + name));
}

} // namespace

QString markerPath(const QString &root) {
    return ProjectPaths(root).rootFile(QStringLiteral("UserData.dat"));
}

Status writeMarker(const QString &root, const QString &gameName, bool installed) {
    RecordWriter w;
    w.writeString(gameName);
    w.writeBool(installed);
    return w.commit(markerPath(root), StoreMessages::projectFilesReadOnly());
}

QString savedGamesFolder(const QString &root, const QString &fallbackName) {
    const QString own = withTrailingSeparator(root);
    const Marker marker = readMarker(root);
    if (!(marker.present && marker.installed) && QFileInfo(root).isWritable())
        return own;
    QString name = marker.name;
    if (!usableFolderName(name))
        name = fallbackName.trimmed();
    if (!usableFolderName(name))
        name = QStringLiteral("Game");
    const QString folder = gamesFolder(name);
    return folder.isEmpty() ? own : folder; // no user folder known (no home): the game's own
}

QString olderSavedGamesFolder(const QString &root, const QString &projectName) {
    const QString current = savedGamesFolder(root, projectName);
    if (current == withTrailingSeparator(root) || !usableFolderName(projectName))
        return QString();
    const QString older = gamesFolder(projectName.trimmed());
    return older == current ? QString() : older;
}

bool make(const QString &folder) {
    return QDir().mkpath(folder);
}

} // namespace UserDataFolder

#include "GameFiles.h"

#include "FileAccess.h"
#include "GeneralInfo.h"
#include "HiddenNames.h"
#include "ProjectPaths.h"
#include "SchemeFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString slashFolder(const QString &path) {
    QString p = QDir::fromNativeSeparators(path);
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}

void addGroup(QVector<GameFileGroup> &groups, GameFileGroup::Role role, const QString &folder,
              const QString &target, bool hide) {
    GameFileGroup g;
    g.role = role;
    g.folder = slashFolder(folder);
    g.targetFolder = target;
    g.names = filesIn(g.folder);
    g.hideNames = hide;
    if (!g.names.isEmpty())
        groups.append(g);
}

} // namespace

QStringList filesIn(const QString &folder) {
    QStringList out;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::NoSymLinks, QDir::Name);
    for (const QFileInfo &f : entries) {
        if (!FileAccess::isLeftoverTemporary(f.fileName()))
            out << f.fileName();
    }
    return out;
}

QStringList subfoldersOf(const QString &folder) {
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
}

QVector<GameFileGroup> gameFileGroups(const QString &projectRoot, const QString &schemeFolder,
                                      const QString &schemeName, const GameFileOptions &options) {
    using Role = GameFileGroup::Role;
    const QString root = slashFolder(projectRoot);
    QVector<GameFileGroup> groups;
    if (!schemeFolder.isEmpty())
        addGroup(groups, Role::Scheme, schemeFolder, QStringLiteral("Schemes/") + schemeName,
                 false);
    if (options.letAnyoneEdit && QFileInfo(root + QStringLiteral("Project.dat")).isFile()) {
        GameFileGroup g;
        g.role = Role::ProjectFile;
        g.folder = root;
        g.names = QStringList{QStringLiteral("Project.dat")};
        groups.append(g);
    }
    addGroup(groups, Role::Config, root + QStringLiteral("Config"), QStringLiteral("Config"),
             false);
    if (options.runFromCd)
        return groups;
    const bool hide = !options.letAnyoneEdit;
    for (const char *folder : {"Frames", "Icons", "Areas"}) {
        const QString name = QLatin1String(folder);
        addGroup(groups, Role::Data, root + name, name, hide);
    }
    const QString areas = root + QStringLiteral("Areas/");
    for (const QString &sub : subfoldersOf(areas))
        addGroup(groups, Role::AreaSubfolder, areas + sub, QStringLiteral("Areas/") + sub, false);
    return groups;
}

QVector<GameFile> dataFolderFiles(const QString &projectRoot, const QString &folder,
                                  QStringList &subfolders) {
    GameFileOptions realNames;
    realNames.letAnyoneEdit = true;
    const QString inside = folder + QLatin1Char('/');
    QVector<GameFile> out;
    for (const GameFileGroup &g : gameFileGroups(projectRoot, QString(), QString(), realNames)) {
        if (g.role != GameFileGroup::Role::Data && g.role != GameFileGroup::Role::AreaSubfolder)
            continue;
        if (g.targetFolder != folder && !g.targetFolder.startsWith(inside))
            continue;
        const QString prefix = g.targetFolder.mid(folder.size() + 1);
        for (const QString &name : g.names)
            out.append({g.folder + name, prefix.isEmpty() ? name : prefix + '/' + name});
    }
    subfolders.clear();
    if (folder == QLatin1String("Areas"))
        subfolders = subfoldersOf(slashFolder(projectRoot) + inside);
    return out;
}

bool listGameFiles(const QString &projectRoot, const QString &schemesFolder, bool letAnyoneEdit,
                   QVector<GameFile> &out, QString *error) {
    GameFileOptions options;
    options.letAnyoneEdit = letAnyoneEdit;
    return listGameFiles(projectRoot, schemesFolder, options, out, error);
}

bool listGameFiles(const QString &projectRoot, const QString &schemesFolder,
                   const GameFileOptions &options, QVector<GameFile> &out, QString *error) {
    out.clear();
    const ProjectPaths paths(projectRoot);
    if (!paths.isValidProject()) {
        if (error)
            *error = QStringLiteral("The folder you have chosen does not contain a valid project.");
        return false;
    }
    GeneralInfo info;
    const QString general = paths.configFile(QStringLiteral("General"));
    const Status read = readGeneral(general, info, GeneralReader::Editor);
    if (!read) {
        if (error)
            *error = read.text();
        return false;
    }
    QString scheme;
    if (!info.SchemeName.isEmpty())
        scheme = SchemeFolders(schemesFolder).schemeFolder(info.SchemeName);
    for (const GameFileGroup &g : gameFileGroups(projectRoot, scheme, info.SchemeName, options)) {
        const QString prefix = g.targetFolder.isEmpty() ? QString() : g.targetFolder + '/';
        for (const QString &name : g.names)
            out.append(
                {g.folder + name, prefix + (g.hideNames ? HiddenNames::hiddenName(name) : name)});
    }
    return true;
}

#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One file of an installed game.
struct GameFile {
    QString source; // absolute path
    QString target; // path relative to the game folder, '/'-separated, hidden name applied
                    // unless letAnyoneEdit
};

// The same files as the installer script groups them: one group per [Files] entry kind, in the
// script's order. The script writer and listGameFiles both build on these.
struct GameFileGroup {
    enum class Role { Scheme, ProjectFile, Config, Data, AreaSubfolder };
    Role role = Role::Data;
    QString folder;         // absolute, ends in '/'
    QString targetFolder;   // relative to the game folder, '/'-separated ("" = the game folder)
    QStringList names;      // the files of the folder it installs, sorted
    bool hideNames = false; // each file goes under its hidden name (one script line each)
};

struct GameFileOptions {
    bool letAnyoneEdit = false; // CheckEnable: real names, Project.dat included
    bool runFromCd = false;     // Frames, Icons and Areas stay on the CD
};

// Every file of the project an installed game needs (frames, areas incl. per-frame subfolders,
// icons, config, the project's scheme folder), as the installer script's [Files] section lists
// them; with `options.runFromCd` only what the run-from-CD installer puts on the hard disk. The
// player itself and the system files are not among them. False with `error` set when the project
// cannot be read.
bool listGameFiles(const QString &projectRoot, const QString &schemesFolder,
                   const GameFileOptions &options, QVector<GameFile> &out, QString *error);
bool listGameFiles(const QString &projectRoot, const QString &schemesFolder, bool letAnyoneEdit,
                   QVector<GameFile> &out, QString *error);

// The groups of a project whose information (Config/General) has been read: `schemeFolder` is
// the folder of its scheme (empty for none), installed as Schemes/<schemeName>. Folders
// without files give no group (the [Dirs] section still makes them).
QVector<GameFileGroup> gameFileGroups(const QString &projectRoot, const QString &schemeFolder,
                                      const QString &schemeName, const GameFileOptions &options);

// The files of the project's data folder `folder` ("Frames", "Areas" or "Icons") that the
// installer lists, under their real names, each target relative to that folder ("door.bmp",
// "Start/click.wav"); `subfolders` gets the folders the installer makes inside it (the per-frame
// folders of Areas). The run-from-CD build copies these.
QVector<GameFile> dataFolderFiles(const QString &projectRoot, const QString &folder,
                                  QStringList &subfolders);

// The files directly in `folder` (no subfolders, no links, no leftover temporary files),
// sorted by name.
QStringList filesIn(const QString &folder);
// The subfolders of `folder` (no links), sorted by name.
QStringList subfoldersOf(const QString &folder);

#pragma once

#include "BuildOptions.h"
#include "DistributionFolders.h"
#include "GameFiles.h"
#include "GeneralInfo.h"
#include "ProjectPaths.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class BuildHost;

// How paths are written into the script: as this system writes them, or as wine shows this
// system's files to a Windows program (Z:\ and backslashes).
enum class PathForm { Native, Wine };
QString scriptPathOf(const QString &path, PathForm form);

// The name a data file is installed under when the project's resources are hidden.
QString ChangeFileNameForCompilation(const QString &name);
// True when `folder` holds at least one file matching `pattern` ("*.*": any file; the match
// ignores case, as the setup compiler's does).
bool AnyFile(const QString &folder, const QString &pattern = QStringLiteral("*.*"));
// True when the file exists; otherwise the author is told that it will not be distributed
// (when `host` is given) and the answer is false.
bool IsFile(const QString &path, BuildHost *host);

// The installer script of a project: `CreateFiles` builds its lines, write() saves them.
class InstallerScript {
public:
    struct Input {
        ProjectPaths paths;
        GeneralInfo general;
        QString editorFolder;
        BuildOptions options;
        PathForm form = PathForm::Native;
        // The player's copy (and the run-from-CD marker) count as present even when the build
        // has not made them yet: the script printed on its own is the one the build writes.
        bool assumeBuildFiles = false;
    };

    // `host` is told about system files that are missing; it may be null.
    InstallerScript(const Input &input, BuildHost *host);

    // The script's lines, in order.
    QStringList CreateFiles();
    // One [Files] line per file of `group`, each installed under its hidden name.
    QStringList PrintFileName(const GameFileGroup &group) const;

    // The file's bytes: CR LF lines; Windows-1252 for the older compiler, UTF-8 with a byte
    // order mark for version 6 (which reads names outside ASCII right only so).
    static QByteArray encode(const QStringList &lines, bool version6);
    // Writes the script to `path`, replacing it whole. False with `error` set on failure.
    bool write(const QString &path, QString *error);

private:
    QString path(const QString &p) const { return scriptPathOf(p, m_in.form); }
    QString source(const QString &p, const QString &dest, const QString &tail = QString()) const;
    void systemFiles(QStringList &lines);
    QString tail(const char *classic) const;

    Input m_in;
    BuildHost *m_host;
    DistributionFolders m_folders;
};

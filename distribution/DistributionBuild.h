#pragma once

#include "BuildOptions.h"
#include "DistributionFolders.h"
#include "GeneralInfo.h"
#include "ProjectPaths.h"

#include <QString>
#include <QStringList>

class BuildHost;
struct BuildMessage;
class SetupCompiler;

// The builds of the "Create .EXE" dialog: an installer made by the setup compiler, or a folder
// to write on a CD. Every question and message goes through the host; the builds wait for the
// compiler and for copies with the application's event loop, so windows stay responsive.
class DistributionBuild {
public:
    enum class Result { Completed, Stopped };

    DistributionBuild(const ProjectPaths &project, const QString &editorFolder, BuildHost &host);

    // The run-from-CD build when `options.CheckRunFromCD`, else the standard build. Both
    // refuse, before anything is written, a title or a location that BuildChecks refuses.
    Result start(const BuildOptions &options);
    Result StartStandardCompilation(const BuildOptions &options);
    Result StartRunFromCDCompilation(const BuildOptions &options);

    // The installer made by the last completed build; for a CD build, also the CD folder.
    const QString &installer() const { return m_installer; }
    const QString &cdFolder() const { return m_cdFolder; }

    // The script a build with `options` writes, without building anything. False (with the
    // message told to the host) when the project information cannot be read.
    bool scriptLines(const BuildOptions &options, QStringList &lines);

    // The folder name on the author's disk that holds what goes on the CD.
    static QString cdFolderName() { return QStringLiteral("Write_this_on_a_CD"); }
    // Renames every file directly in `folder` to its hidden name; subfolders are not entered.
    // A file whose hidden name is taken keeps its name. False when a rename failed.
    static bool RenameToHideFiles(const QString &folder);
    // The waiting page's two texts.
    static QString waitingText(bool runFromCd);

private:
    bool readProject();
    bool checkFileName(QString &name);
    // Tells why the outputs cannot go to `location` (BuildChecks::checkLocation) when they cannot.
    bool checkLocation(const QString &location);
    bool copyPlayer(bool withMarker);
    void cleanUp();
    // Writes the Config/ folder players get (DistributionFolders::playersConfig). False with
    // `error` (the file and the reason) when a file cannot be written.
    bool stageConfig(QString &error);
    bool writeScript(const BuildOptions &options, const SetupCompiler &compiler);
    bool compile(const SetupCompiler &compiler, bool runFromCd);
    void saveOptions(const BuildOptions &options);
    void operationAborted();
    // Tells `message`, then "Operation Aborted"; returns false.
    bool abortWith(const BuildMessage &message);
    // "File Not Found: <file>" with its advice, then "Operation Aborted"; returns false.
    bool fileMissing(const QString &file);
    // Moves the compiler's output to `target`. False when it cannot, after telling "Unable to
    // rename ..." ending in `closing` (each build words that end its own way).
    bool moveSetupOutput(const QString &target, const QString &closing);
    // The player for Linux and its start script on the CD (CdLinuxPlayer). False when they
    // cannot be made, after telling why and "Operation Aborted".
    bool makeLinuxPlayer(const QString &cd);
    // A build given up half-way: the temporary files go and the first page shows again.
    Result stopped();

    ProjectPaths m_paths;
    DistributionFolders m_folders;
    BuildHost &m_host;
    GeneralInfo m_general;
    QString m_root; // '/'-separated, ends in '/'
    QString m_installer, m_cdFolder;
};

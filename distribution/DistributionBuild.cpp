#include "DistributionBuild.h"

#include "AnimatedCopy.h"
#include "BuildChecks.h"
#include "BuildHost.h"
#include "CdLinuxPlayer.h"
#include "FileAccess.h"
#include "GameFiles.h"
#include "InstallerScript.h"
#include "NameRules.h"
#include "OptionsFile.h"
#include "PackageNames.h"
#include "PlayerCopy.h"
#include "SettingsStore.h"
#include "SetupCompiler.h"
#include "UserDataFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const Status::Icon Info = Status::Icon::Information;
const Status::Icon Warn = Status::Icon::Exclamation;
const Status::Icon Critical = Status::Icon::Critical;

QString native(const QString &path) {
    return QDir::toNativeSeparators(path);
}

QString slashFolder(const QString &path) {
    QString p = QDir::fromNativeSeparators(path);
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    return p;
}

// Where the setup compiler looks for its script.
const char *const kCompilerKey = "Software\\Tamberlyn\\Inno Setup\\Settings";

// What a build's script is made from.
InstallerScript::Input scriptInput(const ProjectPaths &paths, const GeneralInfo &general,
                                   const QString &editorFolder, const BuildOptions &options,
                                   const SetupCompiler &compiler) {
    InstallerScript::Input in;
    in.paths = paths;
    in.general = general;
    in.editorFolder = editorFolder;
    in.options = options;
    in.form = compiler.pathForm();
    return in;
}

} // namespace

DistributionBuild::DistributionBuild(const ProjectPaths &project, const QString &editorFolder,
                                     BuildHost &host)
    : m_paths(project), m_folders(editorFolder), m_host(host), m_root(slashFolder(project.root())) {
}

QString DistributionBuild::waitingText(bool runFromCd) {
    return runFromCd ? QStringLiteral("Waiting that you close the Setup Compiler window before "
                                      "copying the project files to the location you "
                                      "specified...")
                     : QStringLiteral("Waiting that you close the Setup Compiler window before "
                                      "completing the operation...");
}

DistributionBuild::Result DistributionBuild::start(const BuildOptions &options) {
    return options.CheckRunFromCD ? StartRunFromCDCompilation(options)
                                  : StartStandardCompilation(options);
}

bool DistributionBuild::readProject() {
    const QString general = m_paths.configFile(QStringLiteral("General"));
    if (general.isEmpty() || !readGeneral(general, m_general, GeneralReader::Editor)) {
        m_host.tell(
            {QStringLiteral("Error"), QStringLiteral("Error during compilation."), Critical});
        return false;
    }
    // The title names the player's copy and the game's folder on a CD, and fills one-line
    // settings of the script: one file name, or the build would write outside the folders it
    // means.
    const Status title = BuildChecks::checkTitle(m_general.SoftwareTitle);
    if (!title) {
        m_host.tell({title.title(), title.text(), title.icon()});
        return false;
    }
    if (!NameRules::isSafeComponent(m_general.ProjectName))
        m_general.ProjectName = QStringLiteral("Project");
    return true;
}

bool DistributionBuild::checkFileName(QString &name) {
    if (name.isEmpty()) {
        m_host.tell({QString(), QStringLiteral("Please enter a valid file name."), Info});
        return false;
    }
    const Status rule = NameRules::checkName(name);
    if (!rule) {
        m_host.tell({rule.title(), rule.text(), rule.icon()});
        return false;
    }
    if (!name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        name += QStringLiteral(".exe");
    const QString lower = name.toLower();
    if (lower == QLatin1String("quillmoor.exe") || lower == QLatin1String("run.exe")) {
        m_host.tell({QString(),
                     QStringLiteral("Sorry, the selected file is protected. Please enter another "
                                    "file."),
                     Info});
        return false;
    }
    return true;
}

bool DistributionBuild::checkLocation(const QString &location) {
    const Status where = BuildChecks::checkLocation(location, m_paths.root());
    if (!where)
        m_host.tell({where.title(), where.text(), where.icon()});
    return where.ok();
}

void DistributionBuild::operationAborted() {
    m_host.tell({QString(), QStringLiteral("Operation Aborted"), Warn});
}

bool DistributionBuild::abortWith(const BuildMessage &message) {
    m_host.tell(message);
    operationAborted();
    return false;
}

bool DistributionBuild::fileMissing(const QString &file) {
    return abortWith({QStringLiteral("Error"),
                      QStringLiteral("File Not Found: ") + native(file) +
                          QStringLiteral("\n\nPlease find this file and place it back to its "
                                         "original location, and then try again."),
                      Warn});
}

bool DistributionBuild::moveSetupOutput(const QString &target, const QString &closing) {
    if (QFile::rename(m_folders.setupOutput(), target))
        return true;
    m_host.tell({QString(),
                 QStringLiteral("Unable to rename '") + native(m_folders.setupOutput()) +
                     QStringLiteral("'  as  '") + native(target) + QStringLiteral("'.\n\n") +
                     closing,
                 Critical});
    return false;
}

DistributionBuild::Result DistributionBuild::stopped() {
    cleanUp();
    m_host.showFirstPage();
    return Result::Stopped;
}

// The player goes into the project root under the game's title; the other programs there are
// removed first, so that the script's "*.exe" line installs the player alone.
bool DistributionBuild::copyPlayer(bool withMarker) {
    const QString player = m_folders.player();
    if (!QFileInfo(player).isFile())
        return fileMissing(player);
    m_host.note(QStringLiteral("Copying the player to ") +
                native(m_root + m_general.SoftwareTitle + QStringLiteral(".exe")));
    for (const QString &name : filesIn(m_root)) {
        const QString suffix = name.right(4).toLower();
        if (suffix == QLatin1String(".exe") || suffix == QLatin1String(".com") ||
            suffix == QLatin1String(".bat"))
            QFile::remove(m_root + name);
    }
    const QString target = m_root + m_general.SoftwareTitle + QStringLiteral(".exe");
    QString why;
    if (!PlayerCopy::copyStripped(player, target, &why))
        return abortWith({QStringLiteral("Error"),
                          QStringLiteral("Unable to copy '%1' to '%2'.\n\n%3")
                              .arg(native(player), native(target), why),
                          Critical});
    // Its sound and video libraries go into lib/ beside it, where it looks for them, stripped
    // like the player.
    for (const QString &library : m_folders.mediaLibraries()) {
        const QString copy = m_root + QStringLiteral("lib/") + QFileInfo(library).fileName();
        if (!QDir().mkpath(m_root + QStringLiteral("lib")) ||
            !PlayerCopy::copyStripped(library, copy, &why)) {
            cleanUp();
            return abortWith({QStringLiteral("Error"),
                              QStringLiteral("Unable to copy '%1' to '%2'.\n\n%3")
                                  .arg(native(library), native(copy), why),
                              Critical});
        }
    }
    if (!stageConfig(why)) {
        cleanUp();
        return abortWith({QStringLiteral("Error"), why, Critical});
    }
    const QString marker = m_root + QStringLiteral("Temp.dat");
    if (withMarker && !FileAccess::replaceFile(marker, QByteArray(), &why)) {
        cleanUp();
        return abortWith({QStringLiteral("Error"),
                          QStringLiteral("Unable to write '%1'.\n\n%2").arg(native(marker), why),
                          Critical});
    }
    return true;
}

void DistributionBuild::cleanUp() {
    QFile::remove(m_root + m_general.SoftwareTitle + QStringLiteral(".exe"));
    for (const QString &library : m_folders.mediaLibraries())
        QFile::remove(m_root + QStringLiteral("lib/") + QFileInfo(library).fileName());
    QDir(m_root).rmdir(QStringLiteral("lib")); // only when nothing else is in it
    QFile::remove(m_root + QStringLiteral("Temp.dat"));
    QDir(m_folders.playersConfig()).removeRecursively();
    QDir(QFileInfo(m_folders.gameMarker()).path()).removeRecursively();
}

// The installer takes Config/ from the editor's output folder: the project's files, with the
// project information as PlayerCopy leaves it for players.
bool DistributionBuild::stageConfig(QString &error) {
    const QString staged = m_folders.playersConfig();
    QDir(staged).removeRecursively();
    if (!QDir().mkpath(staged)) {
        error = QStringLiteral("Unable to write '%1'.").arg(native(staged));
        return false;
    }
    const QString config = m_paths.ConfigPath();
    const QString general = QFileInfo(m_paths.configFile(QStringLiteral("General"))).fileName();
    // The installed game keeps its saved games in the user's data folder, under the name every
    // build kind gives it.
    const QString marker = QFileInfo(m_folders.gameMarker()).path();
    QDir(marker).removeRecursively();
    const QString name = PackageNames::gameName(m_general.SoftwareTitle, m_general.ProjectName);
    if (!QDir().mkpath(marker) || !UserDataFolder::writeMarker(marker, name)) {
        error = QStringLiteral("Unable to write '%1'.").arg(native(m_folders.gameMarker()));
        return false;
    }
    for (const QString &name : filesIn(config)) {
        const bool ok = name == general
                            ? PlayerCopy::writeForPlayers(config + name, staged + name, &error)
                            : FileAccess::copyFile(config + name, staged + name,
                                                   FileAccess::kMaxMediaFileSize, &error);
        if (!ok)
            return false;
    }
    return true;
}

bool DistributionBuild::writeScript(const BuildOptions &options, const SetupCompiler &compiler) {
    InstallerScript script(scriptInput(m_paths, m_general, m_folders.editor(), options, compiler),
                           &m_host);
    const QString file = m_folders.script(m_general.ProjectName);
    m_host.note(QStringLiteral("Writing the script ") + native(file));
    QString error;
    if (!script.write(file, &error)) {
        m_host.tell({QStringLiteral("Error"),
                     QStringLiteral("Error during compilation.") + QStringLiteral("\n\n") + error,
                     Critical});
        return false;
    }
    SettingsStore::SaveRegistryString(QLatin1String(kCompilerKey), QStringLiteral("ScriptFile"),
                                      scriptPathOf(file, compiler.pathForm()));
    return true;
}

bool DistributionBuild::scriptLines(const BuildOptions &options, QStringList &lines) {
    if (!readProject())
        return false;
    const SetupCompiler compiler(m_folders.editor());
    InstallerScript::Input in =
        scriptInput(m_paths, m_general, m_folders.editor(), options, compiler);
    in.assumeBuildFiles = true;
    lines = InstallerScript(in, &m_host).CreateFiles();
    return true;
}

bool DistributionBuild::compile(const SetupCompiler &compiler, bool runFromCd) {
    QFile::remove(m_folders.setupOutput());
    m_host.showWaitingPage(waitingText(runFromCd));
    if (!compiler.exists())
        return fileMissing(compiler.program());
    if (compiler.needsWine() && compiler.wine().isEmpty())
        return abortWith(
            {QStringLiteral("Error"),
             QStringLiteral("File Not Found: wine\n\n'") + native(compiler.program()) +
                 QStringLiteral("' is a Windows program: on this system it runs through "
                                "'wine'. Please install wine, and then try again."),
             Warn});
    m_host.note(QStringLiteral("Running the setup compiler ") + native(compiler.program()));
    QString error;
    if (!SetupCompiler(compiler).run(m_folders.script(m_general.ProjectName), m_folders.output(),
                                     m_host, &error)) {
        return abortWith({QStringLiteral("Error"),
                          QStringLiteral("Unable to run '") + native(compiler.program()) +
                              QStringLiteral("'.\n\n") + error,
                          Critical});
    }
    if (!QFileInfo(m_folders.setupOutput()).isFile()) {
        m_host.tell({QString(), QStringLiteral("Operation Canceled"), Info});
        return false;
    }
    return true;
}

void DistributionBuild::saveOptions(const BuildOptions &options) {
    OptionsFile o;
    o.ColorIndex = options.colorIndex;
    o.ColorName = options.colorName();
    o.CheckEnable = options.CheckEnable ? 1 : 0;
    o.CheckRunFromCD = options.CheckRunFromCD ? 1 : 0;
    o.Check1 = 0;
    o.Check2 = options.Check2 ? 1 : 0;
    const Status written = writeOptions(m_paths.ConfigPath() + QStringLiteral("Options"), o);
    if (!written)
        m_host.tell({written.title(), written.text(), written.icon()});
}

DistributionBuild::Result DistributionBuild::StartStandardCompilation(const BuildOptions &o) {
    m_installer.clear();
    m_cdFolder.clear();
    QString name = o.fileName;
    if (!checkFileName(name) || !checkLocation(o.location))
        return Result::Stopped;
    const QString target = slashFolder(o.location) + name;
    bool replace = false;
    if (QFileInfo::exists(target)) {
        if (!m_host.ask({QStringLiteral("Caution!"),
                         QStringLiteral("A file with the name you specified already exists. Do "
                                        "you want to replace it?"),
                         Warn}))
            return Result::Stopped;
        replace = true;
    }
    if (!readProject() || !copyPlayer(false))
        return Result::Stopped;
    const SetupCompiler compiler(m_folders.editor());
    if (!writeScript(o, compiler))
        return stopped();
    const QString instructions =
        compiler.isCommandLine()
            ? QStringLiteral("The Setup Compiler will now run by itself and create the "
                             "installation. Wait until it has finished.")
            : QStringLiteral("The Setup Compiler will now appear. Click 'Start', wait a few "
                             "moments and then click 'Exit'.");
    if (!m_host.ask({QStringLiteral("Instructions"), instructions, Info}))
        return stopped();
    if (!compile(compiler, false))
        return stopped();
    // The old file goes only now that the new one exists: a cancelled build leaves it alone.
    if (replace)
        QFile::remove(target);
    if (!moveSetupOutput(target, QStringLiteral("Operation Aborted.")))
        return stopped();
    m_host.note(QStringLiteral("Installer: ") + native(target));
    saveOptions(o);
    m_installer = target;
    cleanUp();
    m_host.showFirstPage();
    return Result::Completed;
}

DistributionBuild::Result
DistributionBuild::StartRunFromCDCompilation(const BuildOptions &options) {
    m_installer.clear();
    m_cdFolder.clear();
    BuildOptions o = options;
    o.CheckEnable = false; // the copies on the CD always use hidden names
    QString name = o.fileName;
    if (!checkFileName(name) || !checkLocation(o.location) || !readProject())
        return Result::Stopped;
    const QString location = slashFolder(o.location);
    const QString cd = location + cdFolderName() + QLatin1Char('/');
    const QString data = cd + QStringLiteral("Data/") + m_general.SoftwareTitle;
    if (QFileInfo::exists(data)) {
        m_host.tell({QString(),
                     QStringLiteral("The location you specified already contains a folder called "
                                    "'Write_this_on_a_CD', which contains all the files and "
                                    "folders needed to run this project from CD. Please remove "
                                    "that folder or select a different location."),
                     Info});
        return Result::Stopped;
    }
    if (QFileInfo::exists(location + cdFolderName()) &&
        !m_host.ask({QString(),
                     QStringLiteral("The location you specified already contains a folder called "
                                    "'Write_this_on_a_CD'. This folder probably contains one or "
                                    "more projects ready for distribution. Do you want to "
                                    "distribute the current project together with them?\n\n"
                                    "Note: If you don't want to distribute the current project "
                                    "together with other projects, you can either remove the "
                                    "folder called 'Write_this_on_a_CD' (that is in the location "
                                    "you specified) or select a different location."),
                     Status::Icon::Question}))
        return Result::Stopped;
    if (QFileInfo::exists(cd + name)) {
        m_host.tell({QString(),
                     QStringLiteral("A file with the name you specified already exists. Specify "
                                    "a different name."),
                     Info});
        return Result::Stopped;
    }
    if (!copyPlayer(true))
        return Result::Stopped;
    const SetupCompiler compiler(m_folders.editor());
    if (!writeScript(o, compiler))
        return stopped();
    // The CD also plays on Linux without being installed, when the player is a Linux program.
    const bool forLinux = CdLinuxPlayer::possible(m_folders.editor());
    const QString onLinux =
        forLinux ? QStringLiteral("On Linux the CD plays without being installed: run '") +
                       CdLinuxPlayer::scriptName(
                           PackageNames::gameName(m_general.SoftwareTitle, m_general.ProjectName)) +
                       QStringLiteral("' in the root of the CD. The setup program on the CD is "
                                      "for Windows: it needs a Windows build of the player, "
                                      "which this build does not make.\n\n")
                 : QString();
    if (!m_host.ask(
            {QStringLiteral("Instructions"),
             QStringLiteral("You have selected the option 'Run from CD'. This will create a "
                            "folder called 'Write_this_on_a_CD', which will be placed inside the "
                            "folder you specified under 'location'. The folder will contain a "
                            "file called '") +
                 name +
                 QStringLiteral("' and a sub-folder called 'Data'.\n\nYou just have to write the "
                                "file '") +
                 name +
                 QStringLiteral(
                     "' and the folder 'Data' to the root of a CD, using a CD-Writer. "
                     "Be sure not to modify them in any way and to place them in the "
                     "root of the CD. If the root of the CD doesn't contain the file '") +
                 name +
                 QStringLiteral("' and the folder 'Data', your program will not work properly."
                                "\n\nTo write more than one project on the same CD, repeat this "
                                "operation for each project and always specify the same "
                                "'location' (just change the 'File name').\n\nNote: The files "
                                "you are about to create will not work until you write them on a "
                                "CD. It is no use to run the file '") +
                 name + QStringLiteral("' from the hard-disk.\n\n") + onLinux +
                 QStringLiteral("Click 'OK' to continue..."),
             Info}))
        return stopped();
    const QString step1 =
        compiler.isCommandLine()
            ? QStringLiteral("The Setup Compiler will now run by itself and create the "
                             "installation. Wait until it has finished.")
            : QStringLiteral("The Setup Compiler will now appear. Click 'Start' and wait until a "
                             "message box appears. Then click 'No' and 'Exit'.");
    if (!m_host.ask(
            {QStringLiteral("Instructions"), QStringLiteral("Step 1 of 4\n\n") + step1, Info}))
        return stopped();
    if (!compile(compiler, true))
        return stopped();
    QDir().mkpath(data);
    const char *const folders[] = {"Frames", "Areas", "Icons"};
    for (int i = 0; i < 3; ++i) {
        const QString folder = QLatin1String(folders[i]);
        if (!m_host.ask({QStringLiteral("Instructions"),
                         QStringLiteral("Step %1 of 4\n\nQuillmoor will now copy the '%2' folder. "
                                        "The process may take a few minutes and may cause your "
                                        "computer to stop responding. Click 'OK' to continue")
                             .arg(i + 2)
                             .arg(folder),
                         Info})) {
            m_host.tell({QString(), QStringLiteral("Operation Canceled"), Info});
            return stopped();
        }
        const QString to = data + QLatin1Char('/') + folder;
        m_host.note(QStringLiteral("Copying ") + native(m_root + folder) + QStringLiteral(" to ") +
                    native(to));
        // The installer's list of the folder's files: what it leaves out (a writer's leftover
        // temporary file) stays off the CD too. A project without the folder gets an empty
        // one: the player looks for all three.
        QStringList subfolders;
        AnimatedCopy copy(to, dataFolderFiles(m_root, folder, subfolders), subfolders);
        m_host.copyStarted(copy);
        const bool copied = copy.run();
        m_host.copyFinished(copy);
        if (!copied) {
            m_host.tell({QString(), QStringLiteral("Operation Failed"), Warn});
            return stopped();
        }
    }
    for (const char *folder : folders)
        RenameToHideFiles(data + QLatin1Char('/') + QLatin1String(folder));
    if (forLinux && !makeLinuxPlayer(cd))
        return stopped();
    const QString target = cd + name;
    if (!moveSetupOutput(target, QStringLiteral("Operation Aborted")))
        return stopped();
    saveOptions(o);
    m_installer = target;
    m_cdFolder = cd;
    cleanUp();
    m_host.tell({QString(),
                 QStringLiteral("The operation was successfully completed.\n\nThe following "
                                "folder was successfully created and contains all the necessary "
                                "files and folders to run the project from CD: ") +
                     native(location + cdFolderName()) +
                     QStringLiteral("\n\nTo complete the process you just have to write the "
                                    "contents of that folder to the root of a CD, using a "
                                    "CD-Writer. Then you will be able to test the project by "
                                    "running the file '") +
                     name + QStringLiteral("' directly from the CD."),
                 Info});
    m_host.closeDialog();
    return Result::Completed;
}

bool DistributionBuild::makeLinuxPlayer(const QString &cd) {
    m_host.showWaitingPage(QStringLiteral("Preparing the player that plays the game from the CD "
                                          "on Linux..."));
    m_host.note(QStringLiteral("Copying the player for Linux to ") + native(cd));
    CdLinuxPlayer::Request request;
    request.projectRoot = m_paths.root();
    request.editorFolder = m_folders.editor();
    request.cdFolder = cd;
    BuildHost &host = m_host;
    request.writeIcon = [&host](const QString &picture, const QString &png) {
        return host.writeIcon(picture, png);
    };
    QString error;
    if (CdLinuxPlayer::make(request, &error))
        return true;
    return abortWith({QStringLiteral("Error"),
                      QStringLiteral("Unable to make the player for Linux on the CD.\n\n") + error,
                      Critical});
}

bool DistributionBuild::RenameToHideFiles(const QString &folder) {
    const QString f = slashFolder(folder);
    bool ok = true;
    for (const QString &name : filesIn(f)) {
        const QString hidden = ChangeFileNameForCompilation(name);
        if (hidden == name || QFileInfo::exists(f + hidden))
            continue;
        ok = QFile::rename(f + name, f + hidden) && ok;
    }
    return ok;
}

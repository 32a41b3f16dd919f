#include "LinuxPackage.h"

#include "BaseSystemLibraries.h"
#include "BuildChecks.h"
#include "DebianRenames.h"
#include "DistributionFolders.h"
#include "GameFiles.h"
#include "GeneralInfo.h"
#include "PackageNames.h"
#include "PlayerCopy.h"
#include "ProjectPaths.h"
#include "SharedLibraries.h"
#include "ToolRun.h"
#include "UserDataFolder.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>

namespace {

const QFile::Permissions ReadWrite = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                     QFile::ReadOther | QFile::ReadUser | QFile::WriteUser;
const QFile::Permissions Executable =
    ReadWrite | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther | QFile::ExeUser;

// The General MIDI soundfonts the player looks for on the system, in its order.
const char *const SoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/soundfonts/default.sf2",
};

bool makeParent(const QString &file) {
    return QDir().mkpath(QFileInfo(file).absolutePath());
}

// Writes `text` to `path` in UTF-8. On failure `error` (when given) names the file and the
// system's reason.
bool writeText(const QString &path, const QString &text, QString *error = nullptr) {
    makeParent(path); // when it fails, the file cannot be opened and says why
    QFile f(path);
    const QByteArray bytes = text.toUtf8();
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size() &&
        f.flush())
        return true;
    if (error)
        *error = QStringLiteral("Unable to write '%1': %2")
                     .arg(QDir::toNativeSeparators(path), f.errorString());
    return false;
}

// Copies `from` to `to`, replacing it. On failure `error` (when given) names the destination
// and the system's reason.
bool copyFile(const QString &from, const QString &to, QString *error = nullptr) {
    const QString shown = QDir::toNativeSeparators(to);
    if (!makeParent(to)) {
        if (error)
            *error = QStringLiteral("Unable to write '%1': the folder '%2' cannot be made.")
                         .arg(shown, QDir::toNativeSeparators(QFileInfo(to).absolutePath()));
        return false;
    }
    QFile::remove(to);
    QFile source(from);
    if (source.copy(to))
        return true;
    if (error)
        *error = QStringLiteral("Unable to write '%1': %2").arg(shown, source.errorString());
    return false;
}

// Dirs 0755, files 0644, and 0755 for the files named in `executables` (absolute paths).
void setPermissions(const QString &root, const QSet<QString> &executables) {
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        if (info.isSymLink())
            continue;
        QFile::setPermissions(path,
                              info.isDir() || executables.contains(path) ? Executable : ReadWrite);
    }
}

QStringList filesUnder(const QString &root) {
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    out.sort();
    return out;
}

QString architecture() {
    const ToolRun r = runTool(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")});
    if (r.ok && !r.output.trimmed().isEmpty())
        return r.output.trimmed();
    const QString cpu = QSysInfo::currentCpuArchitecture();
    if (cpu == QLatin1String("x86_64"))
        return QStringLiteral("amd64");
    if (cpu == QLatin1String("i386"))
        return QStringLiteral("i386");
    if (cpu == QLatin1String("arm64"))
        return QStringLiteral("arm64");
    return cpu;
}

// The Debian packages that own `files`: file -> package (without the ":arch" suffix).
QMap<QString, QString> owningPackages(const QStringList &files) {
    QMap<QString, QString> out;
    if (files.isEmpty())
        return out;
    const ToolRun r = runTool(QStringLiteral("dpkg"), QStringList{QStringLiteral("-S")} + files);
    // dpkg -S fails when one file has no package, yet prints the others.
    for (const QString &line : r.output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const int colon = line.indexOf(QStringLiteral(": "));
        if (colon < 0)
            continue;
        QString package = line.left(colon);
        if (package.contains(QLatin1Char(',')))
            continue; // a path several packages share (a folder)
        package = package.section(QLatin1Char(':'), 0, 0);
        out.insert(line.mid(colon + 2).trimmed(), package);
    }
    return out;
}

} // namespace

LinuxPackage::LinuxPackage(Request request) : m_request(std::move(request)) {}

QStringList LinuxPackage::qtPlugins() {
    return {
        QStringLiteral("platforms/libqxcb.so"),
        QStringLiteral("platforms/libqoffscreen.so"),
        QStringLiteral("xcbglintegrations/libqxcb-glx-integration.so"),
        QStringLiteral("platforminputcontexts/libcomposeplatforminputcontextplugin.so"),
        QStringLiteral("imageformats/libqgif.so"),
        QStringLiteral("imageformats/libqico.so"),
        QStringLiteral("imageformats/libqjpeg.so"),
        QStringLiteral("imageformats/libqsvg.so"),
        QStringLiteral("iconengines/libqsvgicon.so"),
    };
}

QString LinuxPackage::debPath(const QString &location, const LinuxGameInfo &game,
                              const QString &arch) {
    return QDir(location).filePath(game.name + QLatin1Char('_') + game.version + QLatin1Char('_') +
                                   arch + QStringLiteral(".deb"));
}

bool LinuxPackage::step(const QString &what) {
    if (m_cancelled)
        return fail(QStringLiteral("Cancelled."));
    if (m_progress)
        m_progress(what);
    return true;
}

bool LinuxPackage::fail(const QString &error) {
    if (m_result.error.isEmpty())
        m_result.error = error;
    return false;
}

LinuxPackage::Result LinuxPackage::build() {
    m_result = Result();
    bool ok = readProject() && (m_request.kind == Kind::Debian ? buildDebian() : buildPortable());
    // A tool may end well without writing what was asked of it: only what is there is reported.
    for (const QString &out : m_result.outputs) {
        if (ok && !QFileInfo::exists(out))
            ok = fail(QStringLiteral("Unable to write '%1'.").arg(QDir::toNativeSeparators(out)));
    }
    m_result.ok = ok;
    if (!ok)
        m_result.outputs.clear();
    return m_result;
}

bool LinuxPackage::readProject() {
    if (!step(QStringLiteral("Reading the project")))
        return false;
    const ProjectPaths paths(m_request.projectRoot);
    if (!paths.isValidProject())
        return fail(QStringLiteral("The folder you have chosen does not contain a valid project."));
    GeneralInfo info;
    const Status read =
        readGeneral(paths.configFile(QStringLiteral("General")), info, GeneralReader::Editor);
    if (!read)
        return fail(read.text().trimmed());
    LinuxGameInfo &game = m_result.game;
    game.title = info.SoftwareTitle.trimmed().isEmpty() ? info.ProjectName : info.SoftwareTitle;
    // The portable folder and its archive are named after the title.
    const Status title = BuildChecks::checkTitle(game.title);
    if (!title)
        return fail(title.text());
    const Status where = BuildChecks::checkLocation(m_request.location, m_request.projectRoot);
    if (!where)
        return fail(where.text());
    game.name = PackageNames::gameName(info.SoftwareTitle, info.ProjectName);
    game.version = PackageNames::versionFrom(info.CommentsAndVersion);
    game.comments = info.CommentsAndVersion;
    game.author = info.Author;
    game.email = info.Email;
    game.homepage = info.Homepage;
    return true;
}

bool LinuxPackage::stageGame(const QString &gameFolder, QStringList &executables) {
    if (!step(QStringLiteral("Copying the game's files")))
        return false;
    const DistributionFolders folders(m_request.editorFolder);
    QVector<GameFile> files;
    QString error;
    GameFileOptions options;
    options.letAnyoneEdit = m_request.letAnyoneEdit;
    options.runFromCd = m_request.kind == Kind::CdPlayer;
    if (!listGameFiles(m_request.projectRoot, folders.schemes(), options, files, &error))
        return fail(error);
    for (const GameFile &f : files) {
        if (!copyFile(f.source, gameFolder + QLatin1Char('/') + f.target, &error))
            return fail(error);
    }
    // The project information names the file's place on the author's machine: not for players.
    const QString general = gameFolder + QStringLiteral("/Config/General");
    if (QFileInfo(general).isFile() && !PlayerCopy::writeForPlayers(general, general, &error))
        return fail(error);
    if (!step(QStringLiteral("Copying the player")))
        return false;
    const QString player = folders.player();
    if (!QFileInfo(player).isFile())
        return fail(QStringLiteral("File Not Found: %1").arg(QDir::toNativeSeparators(player)));
    const QString target = gameFolder + QLatin1Char('/') + m_result.game.name;
    if (!PlayerCopy::copyStripped(player, target, &error))
        return fail(error);
    executables << target;
    // The player loads its sound and video libraries from lib/ beside it on first use.
    m_mediaLibraries.clear();
    m_mediaLicences.clear();
    for (QString library : folders.mediaLibraries()) {
        const QString name = QFileInfo(library).fileName();
        // A portable game brings every library it needs: the editor's lib/portable/ holds the
        // variants that need fewer (the video library with a decoder-only FFmpeg inside).
        const QString variant = QFileInfo(library).absolutePath() + QStringLiteral("/portable/");
        if (m_request.kind == Kind::Portable && QFileInfo(variant + name).isFile()) {
            library = variant + name;
            const QDir licences(variant + QStringLiteral("licences"));
            for (const QString &text : licences.entryList(QDir::Files, QDir::Name))
                m_mediaLicences << licences.filePath(text);
        }
        const QString staged = gameFolder + QStringLiteral("/lib/") + name;
        makeParent(staged);
        if (!PlayerCopy::copyStripped(library, staged, &error))
            return fail(error);
        m_mediaLibraries << staged;
    }
    return true;
}

bool LinuxPackage::writeIcon(const QString &png) {
    makeParent(png);
    const ProjectPaths paths(m_request.projectRoot);
    QStringList pointers = QDir(paths.IconsPath())
                               .entryList({QStringLiteral("*.ico"), QStringLiteral("*.cur")},
                                          QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (!pointers.isEmpty() && m_request.writeIcon &&
        m_request.writeIcon(paths.IconsPath() + pointers.first(), png))
        return true;
    const QString fallback =
        DistributionFolders(m_request.editorFolder).editor() + QStringLiteral("quillmoor.png");
    if (copyFile(fallback, png))
        return true;
    return fail(QStringLiteral("File Not Found: %1").arg(QDir::toNativeSeparators(fallback)));
}

QString LinuxPackage::debianDepends(const QString &player) {
    QTemporaryDir work;
    if (!work.isValid() || !writeText(work.filePath(QStringLiteral("debian/control")),
                                      QStringLiteral("Source: game\n\nPackage: game\n"
                                                     "Architecture: any\n"))) {
        fail(QStringLiteral("Unable to write a temporary file."));
        return QString();
    }
    QStringList arguments{QStringLiteral("-O"), QStringLiteral("-e") + player};
    for (const QString &library : m_mediaLibraries)
        arguments << QStringLiteral("-e") + library;
    const ToolRun r = runTool(QStringLiteral("dpkg-shlibdeps"), arguments, work.path());
    const int at = r.output.indexOf(QStringLiteral("shlibs:Depends="));
    if (!r.ok || at < 0) {
        fail(QStringLiteral("The player's dependencies could not be found (%1).").arg(r.error));
        return QString();
    }
    QStringList depends =
        r.output.mid(at + 15).trimmed().split(QStringLiteral(", "), Qt::SkipEmptyParts);
    QSet<QString> named;
    for (const QString &d : depends)
        named.insert(d.section(QLatin1Char(' '), 0, 0));
    // The Qt plugins the player loads come with packages of their own.
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath) + QLatin1Char('/');
    QStringList pluginFiles;
    for (const QString &p : qtPlugins())
        if (QFileInfo(plugins + p).isFile())
            pluginFiles << QFileInfo(plugins + p).canonicalFilePath();
    for (const QString &package : owningPackages(pluginFiles)) {
        if (!named.contains(package)) {
            named.insert(package);
            depends << package;
        }
    }
    depends << QStringLiteral("timgm6mb-soundfont | fluid-soundfont-gm");
    // Still for this release (a .deb is for the release that built it), but where a library's
    // package was only renamed the other name does as well.
    return DebianRenames::withAlternatives(depends.join(QStringLiteral(", ")));
}

bool LinuxPackage::buildDebian() {
    LinuxGameInfo &game = m_result.game;
    const QString arch = architecture();
    const QString deb = debPath(m_request.location, game, arch);
    if (QFileInfo::exists(deb) && !m_request.replace)
        return fail(QStringLiteral("A file with the name you specified already exists."));
    QTemporaryDir stage;
    if (!stage.isValid())
        return fail(QStringLiteral("Unable to make a temporary folder."));
    const QString root = stage.filePath(QStringLiteral("root"));
    const QString gameFolder = root + QStringLiteral("/usr/lib/games/") + game.name;
    QStringList executables;
    if (!stageGame(gameFolder, executables))
        return false;
    if (!UserDataFolder::writeMarker(gameFolder, game.name))
        return fail(QStringLiteral("Unable to write '%1'.").arg(gameFolder));

    if (!step(QStringLiteral("Writing the launcher, menu entry and documents")))
        return false;
    const QString launcher = root + QStringLiteral("/usr/games/") + game.name;
    const QString doc = root + QStringLiteral("/usr/share/doc/") + game.name;
    const QString man = root + QStringLiteral("/usr/share/man/man6/") + game.name + ".6";
    const QString date = QLocale::c().toString(QDateTime::currentDateTimeUtc(),
                                               QStringLiteral("ddd, dd MMM yyyy HH:mm:ss +0000"));
    QString error;
    if (!writeText(launcher, LinuxPackageTexts::launcher(game), &error) ||
        !writeText(root + QStringLiteral("/usr/share/applications/") + game.name + ".desktop",
                   LinuxPackageTexts::desktopEntry(game, game.name, game.name), &error) ||
        !writeText(doc + QStringLiteral("/copyright"),
                   LinuxPackageTexts::copyright(game, QDate::currentDate().year()), &error) ||
        !writeText(doc + QStringLiteral("/changelog"), LinuxPackageTexts::changelog(game, date),
                   &error) ||
        !writeText(man, LinuxPackageTexts::manPage(game), &error))
        return fail(error);
    executables << launcher;
    for (const QString &file : {doc + QStringLiteral("/changelog"), man}) {
        const ToolRun gz = runTool(QStringLiteral("gzip"), {QStringLiteral("-9n"), file});
        if (!gz.ok)
            return fail(gz.error);
    }
    if (!writeIcon(root + QStringLiteral("/usr/share/pixmaps/") + game.name + ".png"))
        return false;

    if (!step(QStringLiteral("Finding the packages the player needs")))
        return false;
    m_result.depends = debianDepends(gameFolder + QLatin1Char('/') + game.name);
    if (m_result.depends.isEmpty())
        return false;

    if (!step(QStringLiteral("Writing the package")))
        return false;
    setPermissions(root, QSet<QString>(executables.begin(), executables.end()));
    QString sums;
    qint64 kib = 0;
    for (const QString &file : filesUnder(root)) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("Unable to read '%1'.").arg(file));
        QCryptographicHash md5(QCryptographicHash::Md5);
        md5.addData(&f);
        sums += QString::fromLatin1(md5.result().toHex()) + QStringLiteral("  ") +
                file.mid(root.size() + 1) + QLatin1Char('\n');
        kib += (f.size() + 1023) / 1024;
    }
    const QString control = root + QStringLiteral("/DEBIAN/control");
    if (!writeText(control, LinuxPackageTexts::control(game, arch, kib, m_result.depends),
                   &error) ||
        !writeText(root + QStringLiteral("/DEBIAN/md5sums"), sums, &error))
        return fail(error);
    QFile::setPermissions(root + QStringLiteral("/DEBIAN"), Executable);
    QFile::setPermissions(control, ReadWrite);
    QFile::setPermissions(root + QStringLiteral("/DEBIAN/md5sums"), ReadWrite);
    QFile::remove(deb);
    const ToolRun pack = runTool(QStringLiteral("dpkg-deb"),
                                 {QStringLiteral("--root-owner-group"), QStringLiteral("-Zxz"),
                                  QStringLiteral("--build"), root, deb});
    if (!pack.ok)
        return fail(pack.error);
    m_result.outputs << deb;
    m_result.bytes = QFileInfo(deb).size();
    return true;
}

bool LinuxPackage::buildPortable() {
    LinuxGameInfo &game = m_result.game;
    const QString folder = QDir(m_request.location).filePath(game.title);
    const QString tarball = folder + QStringLiteral(".tar.xz");
    if (QFileInfo::exists(folder) || QFileInfo::exists(tarball)) {
        if (!m_request.replace)
            return fail(QStringLiteral("A file with the name you specified already exists."));
        // Only a folder this build made before is removed: it holds qt.conf.
        if (QFileInfo::exists(folder) &&
            !(QFileInfo(folder + QStringLiteral("/qt.conf")).isFile() &&
              QDir(folder).removeRecursively()))
            return fail(QStringLiteral("Unable to replace '%1'.").arg(folder));
        QFile::remove(tarball);
    }
    struct RemoveOnFailure {
        QString folder;
        bool keep = false;
        ~RemoveOnFailure() {
            if (!keep)
                QDir(folder).removeRecursively();
        }
    } cleanup{folder};

    QStringList executables;
    if (!stageGame(folder, executables))
        return false;
    // The game's name, for its saved games when the folder is read-only (always, on a CD).
    if (!UserDataFolder::writeMarker(folder, game.name, m_request.kind == Kind::CdPlayer))
        return fail(QStringLiteral("Unable to write '%1'.").arg(folder));
    const QString player = executables.first();

    if (!step(QStringLiteral("Copying the Qt plugins")))
        return false;
    const QString pluginSource = QLibraryInfo::path(QLibraryInfo::PluginsPath) + QLatin1Char('/');
    QStringList plugins;
    for (const QString &p : qtPlugins()) {
        if (!QFileInfo(pluginSource + p).isFile())
            continue;
        const QString target = folder + QStringLiteral("/plugins/") + p;
        QString error;
        if (!copyFile(pluginSource + p, target, &error))
            return fail(error);
        plugins << target;
    }
    if (!QFileInfo(folder + QStringLiteral("/plugins/platforms/libqxcb.so")).isFile())
        return fail(QStringLiteral("File Not Found: %1platforms/libqxcb.so").arg(pluginSource));

    if (!step(QStringLiteral("Copying the libraries")))
        return false;
    SharedLibraries libs;
    QString error;
    if (!libs.resolve(QStringList{player} + plugins + m_mediaLibraries, &error))
        return fail(error);
    if (!libs.missing.isEmpty())
        return fail(QStringLiteral("Libraries not found: %1").arg(libs.missing.join(", ")));
    const QMap<QString, QString> bundle = libs.toBundle();
    QStringList sources;
    for (auto it = bundle.begin(); it != bundle.end(); ++it) {
        // The player's own libraries are in lib/ already (the video one needs the sound one).
        if (m_mediaLibraries.contains(folder + QStringLiteral("/lib/") + it.key()))
            continue;
        const QString source = QFileInfo(it.value()).canonicalFilePath();
        if (!copyFile(source, folder + QStringLiteral("/lib/") + it.key(), &error))
            return fail(error);
        sources << source;
        m_result.bundled << it.key();
    }
    // Libraries left to the system that a plain desktop may lack: each in a folder of its own,
    // which the start script adds to the library path only where the system has none.
    QStringList fallbacks;
    for (auto it = libs.found.begin(); it != libs.found.end(); ++it) {
        if (!BaseSystemLibraries::hasFallback(it.key()))
            continue;
        const QString source = QFileInfo(it.value()).canonicalFilePath();
        const QString target =
            folder + QStringLiteral("/lib/fallback/") + it.key() + QLatin1Char('/') + it.key();
        if (!copyFile(source, target, &error))
            return fail(error);
        sources << source;
        fallbacks << target;
    }

    if (!step(QStringLiteral("Setting the run paths")))
        return false;
    struct RunPath {
        QString file, path;
    };
    QVector<RunPath> runPaths{{player, QStringLiteral("$ORIGIN/lib")}};
    for (const QString &p : plugins)
        runPaths.append({p, QStringLiteral("$ORIGIN/../../lib")});
    for (const QString &soname : m_result.bundled)
        runPaths.append({folder + QStringLiteral("/lib/") + soname, QStringLiteral("$ORIGIN")});
    for (const QString &library : m_mediaLibraries)
        runPaths.append({library, QStringLiteral("$ORIGIN")});
    for (const QString &library : fallbacks)
        runPaths.append({library, QStringLiteral("$ORIGIN/../..")}); // lib/
    for (const RunPath &r : runPaths) {
        QFile::setPermissions(r.file, Executable); // patchelf rewrites the file in place
        const ToolRun patch =
            runTool(QStringLiteral("patchelf"), {QStringLiteral("--set-rpath"), r.path, r.file});
        if (!patch.ok)
            return fail(patch.error);
    }

    if (!step(QStringLiteral("Writing the start script, menu entry and licences")))
        return false;
    const QString start = folder + QLatin1Char('/') + game.name + QStringLiteral(".sh");
    // The entry works wherever the folder is unpacked.
    const QString exec = LinuxPackageTexts::execBeside(game.name + QStringLiteral(".sh"));
    if (!writeText(start, LinuxPackageTexts::startScript(game), &error) ||
        !writeText(folder + QStringLiteral("/qt.conf"), LinuxPackageTexts::qtConf(), &error) ||
        !writeText(folder + QLatin1Char('/') + game.name + QStringLiteral(".desktop"),
                   LinuxPackageTexts::desktopEntry(game, exec, game.name), &error))
        return fail(error);
    executables << start;
    if (!writeIcon(folder + QLatin1Char('/') + game.name + QStringLiteral(".png")))
        return false;
    QString font;
    for (const char *f : SoundFonts) {
        if (QFileInfo(QString::fromLatin1(f)).isFile()) {
            font = QFileInfo(QString::fromLatin1(f)).canonicalFilePath();
            break;
        }
    }
    if (font.isEmpty() || !copyFile(font, folder + QStringLiteral("/soundfont.sf2")))
        return fail(QStringLiteral("No General MIDI soundfont was found."));
    sources << font;
    // The licences of what the folder brings, from the packages they came with, and of what
    // the media libraries hold inside.
    for (const QString &package : owningPackages(sources)) {
        const QString text = QStringLiteral("/usr/share/doc/%1/copyright").arg(package);
        if (QFileInfo(text).isFile())
            copyFile(text,
                     folder + QStringLiteral("/licences/") + package + QStringLiteral(".txt"));
    }
    for (const QString &text : m_mediaLicences) {
        if (!copyFile(text, folder + QStringLiteral("/licences/") + QFileInfo(text).fileName(),
                      &error))
            return fail(error);
    }
    QSet<QString> exec2(executables.begin(), executables.end());
    for (const QString &soname : m_result.bundled)
        exec2.insert(folder + QStringLiteral("/lib/") + soname);
    for (const QString &library : m_mediaLibraries + fallbacks)
        exec2.insert(library);
    setPermissions(folder, exec2);
    if (m_request.kind == Kind::CdPlayer) {
        cleanup.keep = true;
        m_result.outputs << folder;
        return true;
    }

    if (!step(QStringLiteral("Packing the folder")))
        return false;
    const ToolRun tar =
        runTool(QStringLiteral("tar"),
                {QStringLiteral("--sort=name"), QStringLiteral("--owner=0"),
                 QStringLiteral("--group=0"), QStringLiteral("--numeric-owner"),
                 // xz makes the archive a quarter smaller than gzip.
                 m_request.quickArchive ? QStringLiteral("--use-compress-program=xz -T0 -0")
                                        : QStringLiteral("--use-compress-program=xz -T0 -6"),
                 QStringLiteral("-cf"), tarball, QStringLiteral("-C"), m_request.location,
                 QStringLiteral("--"), game.title},
                QString(), 30 * 60 * 1000); // xz takes minutes for the libraries
    if (!tar.ok) {
        QFile::remove(tarball);
        return fail(tar.error);
    }
    cleanup.keep = true;
    m_result.outputs << folder << tarball;
    m_result.bytes = QFileInfo(tarball).size();
    for (const QString &file : filesUnder(folder)) {
        const QFileInfo info(file);
        m_result.unpackedBytes += info.size();
        if (info.dir().dirName() == QLatin1String("lib"))
            m_result.libraryBytes.insert(info.fileName(), info.size());
    }
    return true;
}

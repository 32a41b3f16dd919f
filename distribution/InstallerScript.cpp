#include "InstallerScript.h"

#include "BuildHost.h"
#include "Cp1252.h"
#include "FileAccess.h"
#include "HiddenNames.h"
#include "ProjectFiles.h"
#include "SchemeFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QChar Q = QLatin1Char('"');

QString quoted(const QString &s) {
    return Q + s + Q;
}

QString appFolder(const QString &target) {
    QString t = QStringLiteral("{app}");
    if (!target.isEmpty())
        t += QLatin1Char('\\') + QString(target).replace(QLatin1Char('/'), QLatin1Char('\\'));
    return t;
}

// The [Files] tails of the older compiler and what version 6 writes for them: CopyMode became
// a flag, and "alwaysskipifsameorolder" is now what happens without one.
const char *const kSharedOnlyIfMissing =
    "; CopyMode: onlyifdoesntexist; Flags: sharedfile uninsneveruninstall";
const char *const kShared = "; Flags: sharedfile uninsneveruninstall";
const char *const kRegisteredShared =
    "; CopyMode: alwaysskipifsameorolder; Flags: regserver sharedfile uninsneveruninstall";

struct SystemFile {
    const char *name;
    bool inSystemFolder; // else in the editor folder
    const char *dest;
    const char *tail;
};

const SystemFile kSystemFiles[] = {
    {"Oleaut32.dll", true, "{sys}", kSharedOnlyIfMissing},
    {"Olepro32.dll", true, "{sys}", kSharedOnlyIfMissing},
    {"Stdole2.tlb", true, "{sys}", kSharedOnlyIfMissing},
    {"ctl3d32.dll", true, "{sys}", kSharedOnlyIfMissing},
    {"Comcat.dll", true, "{sys}", kSharedOnlyIfMissing},
    {"Asycfilt.dll", true, "{sys}", kShared},
    {"Gif89.dll", true, "{sys}", kRegisteredShared},
    {"mp3.dll", true, "{sys}", kShared},
    {"Wavemix.ini", false, "{win}", kSharedOnlyIfMissing},
    {"WAVMIX32.dll", false, "{app}", ""},
};

} // namespace

QString scriptPathOf(const QString &path, PathForm form) {
    if (form == PathForm::Native)
        return QDir::toNativeSeparators(path);
    QString p = QDir::fromNativeSeparators(path);
    p.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return p.startsWith(QLatin1Char('\\')) ? QStringLiteral("Z:") + p : p;
}

QString ChangeFileNameForCompilation(const QString &name) {
    return HiddenNames::hiddenName(name);
}

bool AnyFile(const QString &folder, const QString &pattern) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                                QRegularExpression::CaseInsensitiveOption);
    for (const QString &name : filesIn(folder)) {
        if (pattern == QLatin1String("*.*") || re.match(name).hasMatch())
            return true;
    }
    return false;
}

bool IsFile(const QString &path, BuildHost *host) {
    if (QFileInfo(path).isFile())
        return true;
    if (host)
        host->tell({QStringLiteral("File Not Found"),
                    QStringLiteral("Unable to find '") + QDir::toNativeSeparators(path) +
                        QStringLiteral("'.\n\nQuillmoor will continue creating the installation, "
                                       "but this file will not be distributed.To get this "
                                       "file, try reinstalling Quillmoor."),
                    Status::Icon::Exclamation});
    return false;
}

InstallerScript::InstallerScript(const Input &input, BuildHost *host)
    : m_in(input), m_host(host), m_folders(input.editorFolder) {}

QString InstallerScript::tail(const char *classic) const {
    const QString t = QLatin1String(classic);
    if (!m_in.options.version6)
        return t;
    if (t == QLatin1String(kSharedOnlyIfMissing))
        return QStringLiteral("; Flags: onlyifdoesntexist sharedfile uninsneveruninstall");
    if (t == QLatin1String(kRegisteredShared))
        return QStringLiteral("; Flags: regserver sharedfile uninsneveruninstall");
    return t;
}

QString InstallerScript::source(const QString &p, const QString &dest, const QString &tail) const {
    return QStringLiteral("Source: ") + quoted(path(p)) + QStringLiteral("; DestDir: ") +
           quoted(dest) + tail;
}

void InstallerScript::systemFiles(QStringList &lines) {
    if (m_in.options.Check2)
        return;
    for (const SystemFile &f : kSystemFiles) {
        const QString folder = f.inSystemFolder ? m_folders.system() : m_folders.editor();
        const QString file = ProjectFiles::existingVariant(folder + QLatin1String(f.name));
        if (IsFile(file, m_host))
            lines << source(file, QLatin1String(f.dest), tail(f.tail));
    }
}

QStringList InstallerScript::PrintFileName(const GameFileGroup &group) const {
    QStringList lines;
    for (const QString &name : group.names)
        lines << source(group.folder + name, appFolder(group.targetFolder),
                        QStringLiteral("; DestName: ") +
                            quoted(ChangeFileNameForCompilation(name)));
    return lines;
}

QStringList InstallerScript::CreateFiles() {
    const GeneralInfo &g = m_in.general;
    const BuildOptions &o = m_in.options;
    const QString title = g.SoftwareTitle;
    const QString root = QDir::fromNativeSeparators(m_in.paths.root());
    QStringList l;
    l << QStringLiteral("[Setup]");
    if (!o.version6)
        l << QStringLiteral("Bits=32");
    l << QStringLiteral("AppName=") + title << QStringLiteral("AppVerName=") + title
      << QStringLiteral("AppCopyright=") + g.CommentsAndVersion;
    l << (o.version6 ? QStringLiteral("DefaultDirName={autopf}\\")
                     : QStringLiteral("DefaultDirName={pf}\\")) +
             title;
    l << QStringLiteral("DefaultGroupName=") + title;
    if (!o.version6)
        l << QStringLiteral("MinVersion=4,4") << QStringLiteral("AlwaysCreateUninstallIcon=1")
          << QStringLiteral("BackColor=cl") + o.colorName();
    l << QStringLiteral("SourceDir=") + path(root);
    if (o.version6)
        l << QStringLiteral("OutputDir=") + path(m_folders.output().chopped(1))
          << QStringLiteral("OutputBaseFilename=Setup");
    l << QString() << QStringLiteral("[Dirs]");
    auto dir = [&](const QString &target) {
        l << QStringLiteral("Name: ") + quoted(appFolder(target));
    };
    dir(QStringLiteral("Config"));
    dir(QStringLiteral("Schemes"));
    dir(QStringLiteral("Schemes/") + g.SchemeName);
    const QString areas = root + QStringLiteral("Areas/");
    if (!o.CheckRunFromCD) {
        dir(QStringLiteral("Frames"));
        dir(QStringLiteral("Icons"));
        dir(QStringLiteral("Areas"));
        for (const QString &sub : subfoldersOf(areas))
            dir(QStringLiteral("Areas/") + sub);
    }
    l << QString() << QStringLiteral("[Files]");
    systemFiles(l);

    QString scheme;
    if (!g.SchemeName.isEmpty())
        scheme = SchemeFolders(m_folders.schemes()).schemeFolder(g.SchemeName);
    GameFileOptions files;
    files.letAnyoneEdit = o.CheckEnable && !o.CheckRunFromCD;
    files.runFromCd = o.CheckRunFromCD;
    const QVector<GameFileGroup> groups = gameFileGroups(root, scheme, g.SchemeName, files);
    // The build ships the Config folder it made for players (no path of the author's disk) and
    // the marker that names the game's folder of saved games.
    const bool staged = m_in.assumeBuildFiles || QFileInfo(m_folders.playersConfig()).isDir();
    bool playerWritten = false;
    auto player = [&] {
        if (playerWritten)
            return;
        playerWritten = true;
        if (m_in.assumeBuildFiles || AnyFile(root, QStringLiteral("*.exe")))
            l << source(root + QStringLiteral("*.exe"), QStringLiteral("{app}"));
        // The player's sound and video libraries, copied beside it by the build.
        if (m_in.assumeBuildFiles
                ? !m_folders.mediaLibraries().isEmpty()
                : AnyFile(root + QStringLiteral("lib/"), QStringLiteral("libqm*.so")))
            l << source(root + QStringLiteral("lib/libqm*.so"), appFolder(QStringLiteral("lib")));
    };
    for (const GameFileGroup &group : groups) {
        if (group.role != GameFileGroup::Role::Scheme)
            player();
        if (group.role == GameFileGroup::Role::ProjectFile)
            l << source(group.folder + group.names.first(), QStringLiteral("{app}"));
        else if (group.hideNames)
            l << PrintFileName(group);
        else if (group.role == GameFileGroup::Role::Config && staged)
            l << source(m_folders.playersConfig() + QStringLiteral("*.*"),
                        appFolder(group.targetFolder));
        else
            l << source(group.folder + QStringLiteral("*.*"), appFolder(group.targetFolder));
    }
    player();
    if (staged)
        l << source(m_folders.gameMarker(), QStringLiteral("{app}"));
    const QString marker = root + QStringLiteral("Temp.dat");
    if (o.CheckRunFromCD && (m_in.assumeBuildFiles || QFileInfo(marker).isFile()))
        l << source(marker, QStringLiteral("{app}"),
                    QStringLiteral("; DestName: ") + quoted(QStringLiteral("RunFromCD.dat")));
    l << QString() << QStringLiteral("[Icons]");
    l << QStringLiteral("Name: ") + quoted(QStringLiteral("{group}\\") + title) +
             QStringLiteral("; Filename: ") +
             quoted(QStringLiteral("{app}\\") + title + QStringLiteral(".exe"));
    if (o.version6)
        l << QStringLiteral("Name: ") + quoted(QStringLiteral("{group}\\Uninstall ") + title) +
                 QStringLiteral("; Filename: ") + quoted(QStringLiteral("{uninstallexe}"));
    return l;
}

QByteArray InstallerScript::encode(const QStringList &lines, bool version6) {
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    if (version6)
        return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    return Cp1252::encode(text);
}

bool InstallerScript::write(const QString &file, QString *error) {
    return FileAccess::replaceFile(file, encode(CreateFiles(), m_in.options.version6), error);
}

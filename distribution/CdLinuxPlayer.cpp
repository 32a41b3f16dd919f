#include "CdLinuxPlayer.h"

#include "FileAccess.h"
#include "LinuxPackage.h"
#include "LinuxPackageTexts.h"
#include "WhileEventsFlow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The folder in the CD's root that holds the players, one folder per game.
const char *const kPlayers = "Linux";

} // namespace

bool CdLinuxPlayer::possible(const QString &editorFolder) {
    static const QByteArray elfMagic("\x7f"
                                     "ELF");
    QFile player(QDir(editorFolder).filePath(QStringLiteral("run.dat")));
    return player.open(QIODevice::ReadOnly) && player.read(4) == elfMagic;
}

QString CdLinuxPlayer::scriptName(const QString &gameName) {
    return gameName + QStringLiteral(".sh");
}

bool CdLinuxPlayer::make(const Request &request, QString *error) {
    const QString cd = QDir(request.cdFolder).absolutePath() + QLatin1Char('/');
    const QString players = cd + QLatin1String(kPlayers);
    if (!QDir().mkpath(players)) {
        *error = QStringLiteral("Unable to make the folder '%1'.")
                     .arg(QDir::toNativeSeparators(players));
        return false;
    }
    LinuxPackage::Request r;
    r.projectRoot = request.projectRoot;
    r.editorFolder = request.editorFolder;
    r.location = players;
    r.kind = LinuxPackage::Kind::CdPlayer;
    r.replace = true;
    r.writeIcon = request.writeIcon;
    LinuxPackage package(r);
    LinuxPackage::Result result;
    runWhileEventsFlow([&] { result = package.build(); });
    if (!result.ok) {
        QDir(cd).rmdir(QLatin1String(kPlayers)); // only when no other game's player is in it
        *error = result.error;
        return false;
    }

    const LinuxGameInfo &game = result.game;
    const QString script = cd + scriptName(game.name);
    const QString entry = cd + game.name + QStringLiteral(".desktop");
    const QString folder = QLatin1String(kPlayers) + QLatin1Char('/') + game.title;
    const QByteArray scriptText = LinuxPackageTexts::cdStartScript(game, folder).toUtf8();
    const QByteArray entryText =
        LinuxPackageTexts::desktopEntry(game, LinuxPackageTexts::execBeside(scriptName(game.name)),
                                        game.name)
            .toUtf8();
    if (!FileAccess::replaceFile(script, scriptText, error) ||
        !FileAccess::replaceFile(entry, entryText, error)) {
        QFile::remove(script);
        QFile::remove(entry);
        QDir(cd + folder).removeRecursively();
        return false;
    }
    const QFile::Permissions read = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                    QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(entry, read);
    QFile::setPermissions(script, read | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup |
                                      QFile::ExeOther);
    return true;
}

#pragma once

#include <QString>
#include <QStringList>

// The small text files of a Linux package of a game, made from the project's information.
struct LinuxGameInfo {
    QString name;     // package and program name (PackageNames::debianName)
    QString title;    // the software title
    QString version;  // PackageNames::versionFrom
    QString comments; // the comments-and-version text
    QString author;
    QString email;
    QString homepage;

    // "Author <e-mail>"; the title stands in for a missing author, and a made-up address in the
    // ".invalid" domain for a missing or malformed e-mail.
    QString maintainer() const;
};

namespace LinuxPackageTexts {

// DEBIAN/control. `installedSizeKiB` as dpkg counts it; `depends` already joined with ", ".
QString control(const LinuxGameInfo &game, const QString &architecture, qint64 installedSizeKiB,
                const QString &depends);
// The menu entry. `exec` and `icon` as they go into the file (a command line and an icon name or
// absolute path).
QString desktopEntry(const LinuxGameInfo &game, const QString &exec, const QString &icon);
// /usr/games/<name>: starts the installed player in /usr/lib/games/<name>/, found relative to
// the launcher's own place.
QString launcher(const LinuxGameInfo &game);
// The portable folder's start script: starts the player beside it from any working folder;
// with "--add-to-menu" it writes the menu entry, with the folder's own paths, into the user's
// applications folder.
QString startScript(const LinuxGameInfo &game);
// The start script in the root of a run-from-CD folder: runs the start script of the portable
// player in `playerFolder` (relative to the CD's root, '/'-separated) with the CD's root, found
// from the script's own place, as the player's CD; so the game plays wherever the CD is mounted.
QString cdStartScript(const LinuxGameInfo &game, const QString &playerFolder);
// A menu entry's Exec= value that runs the script `script` lying beside the entry, wherever the
// folder holding both is (the entry's own path, %k).
QString execBeside(const QString &script);
// qt.conf beside the portable player: plugins from plugins/ in its own folder.
QString qtConf();
// usr/share/doc/<name>/copyright.
QString copyright(const LinuxGameInfo &game, int year);
// usr/share/doc/<name>/changelog (before compression); `date` in RFC 2822 form.
QString changelog(const LinuxGameInfo &game, const QString &date);
// usr/share/man/man6/<name>.6 (before compression).
QString manPage(const LinuxGameInfo &game);

} // namespace LinuxPackageTexts

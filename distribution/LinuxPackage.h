#pragma once

#include "LinuxPackageTexts.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

// A finished game as a Linux package, built from the same pieces as the installer (the player,
// the project's files with hidden names unless anyone may edit it, its scheme):
// - a Debian package <name>_<version>_<arch>.deb: the game in /usr/lib/games/<name>/, a launcher
//   /usr/games/<name>, a menu entry, an icon, a copyright file, Depends: from the player's
//   libraries; saved games go to the user's data folder (UserData.dat);
// - a portable folder <Title>/ and <Title>.tar.xz: the player with the libraries and Qt plugins
//   it needs (less the base system, BaseSystemLibraries, of which lib/fallback/ holds the few a
//   plain desktop may lack), qt.conf, a soundfont, a start script, a menu entry and an icon, all
//   found relative to the folder. Where the editor folder holds a media library's portable
//   variant (lib/portable/, a video library with its own decoder-only FFmpeg), the folder brings
//   that one, and its licence.
class LinuxPackage {
public:
    // CdPlayer: the portable folder's player, libraries and start script for a run-from-CD
    // folder, without the game's Frames, Areas and Icons (they are on the CD under Data/) and
    // without the archive; its saved games always go to the user's data folder.
    enum class Kind { Debian, Portable, CdPlayer };

    struct Request {
        QString projectRoot;
        QString editorFolder; // holds run.dat, Schemes/ and the default icon quillmoor.png
        QString location;     // the folder the package goes to
        Kind kind = Kind::Debian;
        bool letAnyoneEdit = false; // real file names and Project.dat
        bool replace = false;       // an earlier package of the same name may be replaced
        // The portable archive at xz's quickest level (trials): a third larger, ten times faster.
        bool quickArchive = false;
        // Writes the picture (the project's first pointer) as a PNG file; false when it cannot.
        // Without it, or when it fails, the editor's icon stands in.
        std::function<bool(const QString &picture, const QString &png)> writeIcon;
    };

    struct Result {
        bool ok = false;
        QString error;                      // what went wrong, in a sentence
        QStringList outputs;                // the .deb; or the folder and the .tar.gz (the
                                            // folder alone for CdPlayer)
        qint64 bytes = 0;                   // size of the .deb or of the .tar.xz
        QStringList bundled;                // portable: the libraries in lib/, by soname
        qint64 unpackedBytes = 0;           // portable: the folder's files together
        QMap<QString, qint64> libraryBytes; // portable: the size of each file in lib/
        QString depends;                    // Debian: the Depends: field
        LinuxGameInfo game;
    };

    explicit LinuxPackage(Request request);

    // Called with a few words before each step (from the thread build() runs on).
    void setProgress(std::function<void(const QString &)> progress) {
        m_progress = std::move(progress);
    }
    // Asks a running build to stop at its next step (any thread); it then fails with "Cancelled".
    void cancel() { m_cancelled = true; }

    // Builds the package; may take a while (libraries, compression). A title or location that
    // BuildChecks refuses fails at once. Temporary files are removed on every way out; the
    // outputs reported exist.
    Result build();

    // The Qt plugins a portable player brings, relative to Qt's plugin folder.
    static QStringList qtPlugins();
    // The paths that package `name` would have in `location`, as build() writes them.
    static QString debPath(const QString &location, const LinuxGameInfo &game,
                           const QString &architecture);

private:
    bool step(const QString &what);
    bool fail(const QString &error);
    bool readProject();
    bool stageGame(const QString &gameFolder, QStringList &executables);
    bool buildDebian();
    bool buildPortable();
    bool writeIcon(const QString &png);
    QString debianDepends(const QString &player);

    Request m_request;
    Result m_result;
    std::function<void(const QString &)> m_progress;
    std::atomic<bool> m_cancelled{false};
    QStringList m_mediaLibraries; // staged: the player's sound and video libraries in lib/
    QStringList m_mediaLicences;  // staged variants' licences/ files: what they hold inside
};

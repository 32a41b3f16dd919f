#pragma once

#include <QString>

#include <functional>

// The Linux side of a run-from-CD folder. Beside the setup program and Data/, the CD carries the
// portable player (LinuxPackage's CdPlayer kind) in Linux/<title>/ and, in its root, a start
// script <name>.sh and a menu entry <name>.desktop that play the game from the CD wherever it is
// mounted. Every file is named after its game, so several games share one CD as they share Data/.
class CdLinuxPlayer {
public:
    struct Request {
        QString projectRoot;
        QString editorFolder;
        QString cdFolder; // the folder whose contents go on the CD
        // As LinuxPackage::Request::writeIcon.
        std::function<bool(const QString &picture, const QString &png)> writeIcon;
    };

    // True when the editor's player (run.dat) is a Linux program: only that one can go on the
    // CD for Linux.
    static bool possible(const QString &editorFolder);
    // The start script's name for the game called `gameName` (PackageNames::gameName).
    static QString scriptName(const QString &gameName);

    // Makes the player's folder and the two files in the CD's root, on a worker thread while the
    // caller's events run. Earlier files of the same game are replaced. False with `error` (a
    // sentence) when something could not be made; what was made is then removed.
    static bool make(const Request &request, QString *error);
};

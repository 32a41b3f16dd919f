#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// `qmtool distribute PROJECT --to FOLDER [options]`: the distribution build of the editor's
// "Create .EXE" dialog, every question answered OK, what it does printed. Exit code 0 only when
// the installer (and for --cd the CD folder) is in place, 1 when the build stopped, 2 for
// wrong arguments, a folder that holds no project, or a --to that is a file or lies inside the
// project (refused before anything is made).
// `writeIcon` draws the game's icon for the CD's player on Linux (as LinuxPackage's).
int runDistributeCommand(
    const QString &project, const QStringList &options,
    const std::function<bool(const QString &picture, const QString &png)> &writeIcon = {});

// `qmtool setup-script PROJECT [options]`: prints the script the build would write. Exit code 0,
// 1 when the project cannot be read, 2 for wrong arguments.
int runSetupScriptCommand(const QString &project, const QStringList &options);

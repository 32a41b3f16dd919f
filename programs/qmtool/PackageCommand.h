#pragma once

#include <QString>
#include <QStringList>

// qmtool package PROJECT --deb|--portable --to FOLDER [--enable] [--editor FOLDER] [--replace]:
// the game as a Debian package or a portable folder, built by the same code as the editor's
// "Create Linux package..." dialog. Prints each step and, at the end, the package's files and
// size. Returns the exit status: 0 built, 1 the build failed, 2 bad arguments.
int runPackageCommand(const QStringList &arguments);

// Writes the picture (.ico or .cur) as a PNG file; false when it cannot be read or written.
bool writePngIcon(const QString &picture, const QString &png);

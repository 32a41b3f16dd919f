#pragma once

#include "Status.h"

#include <QString>

// RunFromCD.dat in the project root: present in run-from-CD installations; after the player
// has asked for the drive it holds the drive (here the mount path) as one quoted value.
namespace RunFromCd {

QString markerPath(const QString &root);
bool isRunFromCd(const QString &root);
// The stored drive; empty when the file is empty or cannot be read.
QString readDrive(const QString &root);
Status writeDrive(const QString &root, const QString &drive);

} // namespace RunFromCd

#pragma once

#include <QString>
#include <QStringList>

// The libraries a portable game never brings along, each with the reason: the C library and its
// loader, the graphics driver stack (libGL, libEGL, libGLX, libOpenGL, libgbm, libdrm and what the
// drivers themselves load), and what a plain desktop (libgl1 libx11-6 libxcb1 libfontconfig1
// libfreetype6 libasound2 libpulse0 libglib2.0-0 fonts-dejavu-core) provides. Everything else the
// player loads goes into the folder; its start script checks that these are there.
// A few of them (hasFallback) the folder also carries in lib/fallback/, for systems that lack them.
namespace BaseSystemLibraries {

// The entries of the list, sorted: sonames (file names as the loader asks for them), and
// prefixes ending in '*' ("libnss_*").
QStringList names();
// True when the library with this soname stays with the user's system.
bool contains(const QString &soname);
// Why the library stays with the system; empty when the game brings it.
QString why(const QString &soname);
// True when the library stays with the system, yet the folder carries a copy in
// lib/fallback/<soname>/ that the start script uses only where the system has none.
bool hasFallback(const QString &soname);

} // namespace BaseSystemLibraries

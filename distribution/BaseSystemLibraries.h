#pragma once

#include <QString>
#include <QStringList>

// The libraries a portable game never brings along: every Linux desktop has them, and a copy from
// another system would clash with the machine's own (the C library and its loader, the graphics
// drivers' libGL, the X client libraries, the sound server clients, fonts and text layout). The
// list is the AppImage project's exclusion list (as linuxdeployqt uses it), plus the PulseAudio and
// PipeWire clients.
namespace BaseSystemLibraries {

// The sonames (file names as the loader asks for them) of the list, sorted.
QStringList names();
// True when the library with this soname (or a file name of one: "libc.so.6") stays with the
// user's system. Sound server clients are matched by prefix ("libpulse", "libpipewire-").
bool contains(const QString &soname);

} // namespace BaseSystemLibraries

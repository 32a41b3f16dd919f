#pragma once

#include <QString>

// What a package built here takes from the machine that builds it: a .deb depends on the
// packages of this system's release, a portable folder on this system's C library or a newer
// one.
namespace BuildMachine {

// The system's name and release as /etc/os-release gives them ("Debian GNU/Linux 12
// (bookworm)"); "this system" when it does not say.
QString systemRelease();
// The version of the C library (glibc) here, "2.36"; empty when the C library is not glibc.
QString glibcVersion();

} // namespace BuildMachine

#pragma once

#include <QString>

// What every build kind does to the files it ships so that nothing of the author's machine goes
// with them: the player without its debug information (which names the build machine's paths and
// makes it ten times larger), the project information without its place on the author's disk.
namespace PlayerCopy {

// Writes the player `from` to `to` without debug information (strip). A player that strip does
// not know (not an ELF file) is copied as it is. False with `error` (the file and the system's
// reason) when `to` cannot be written.
bool copyStripped(const QString &from, const QString &to, QString *error);

// Writes the project information `from` (a Config/General file) to `to` (may be the same file)
// with its project path line empty. False with `error` when it cannot be read or written.
bool writeForPlayers(const QString &from, const QString &to, QString *error);

} // namespace PlayerCopy

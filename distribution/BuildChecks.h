#pragma once

#include "Status.h"

#include <QString>

// The checks every build kind makes before it writes anything: the installer, the run-from-CD
// folder, the Debian package and the portable folder, whether the editor's dialogs or qmtool
// start it. A failure carries the message as the build shows it.
namespace BuildChecks {

// Longest software title in bytes (UTF-8, as file names are written here): room is left for
// what a build appends to it (".exe", ".tar.gz") within the file systems' 255-byte names.
constexpr int kMaxTitleBytes = 200;

// Success, or why `title` cannot name the files and folders a build makes from it (the player's
// copy, the folder on the CD, the portable folder and its archive) nor go into the installer's
// one-line settings: an empty title, "." or "..", a character a file name may not hold (among
// them / and \), a control character (a line break, a tab) or more than kMaxTitleBytes bytes.
Status checkTitle(const QString &title);

// Success, or why the builds of the project at `projectRoot` cannot write to `location`: it is
// missing (accepted when `mayBeMissing`, for a caller that makes it), it is not a folder, it is
// the project or lies inside it (the next build would ship this one's outputs), or nothing can be
// written in it.
Status checkLocation(const QString &location, const QString &projectRoot,
                     bool mayBeMissing = false);

} // namespace BuildChecks

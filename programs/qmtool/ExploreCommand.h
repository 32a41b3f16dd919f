#pragma once

#include <QStringList>

// `qmtool explore PROJECT [--max-states N] [--max-seconds S] [--json]`: plays every path of the
// game and prints what it found. Returns 0 when the end is reachable and nothing was found, 1 when
// something was (or the search stopped at a limit), 2 on a folder that is not a project or bad
// options.
int runExploreCommand(const QStringList &args);

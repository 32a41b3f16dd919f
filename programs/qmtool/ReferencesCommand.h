#pragma once

#include <QStringList>

// The author's renames and removals from a script, through the same store operations as the
// editor. Each takes the arguments after its command word and returns the exit code: 0 done,
// 1 refused (a name taken, nothing of that name, a file that could not be written: then nothing
// changed), 2 wrong arguments or a folder that is not a project.

// `qmtool usages PROJECT frame|item NAME [--json]`: every place that names it, its own files
// first, and the saved games that name it.
int runUsagesCommand(const QStringList &args);
// `qmtool rename PROJECT frame|item OLD NEW`: renamed, every place that names it following.
int runRenameCommand(const QStringList &args);
// `qmtool remove PROJECT frame|item NAME --clear-references|--keep-references`.
int runRemoveCommand(const QStringList &args);

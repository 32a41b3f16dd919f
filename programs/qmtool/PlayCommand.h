#pragma once

#include <QStringList>

// qmtool play PROJECT STEP...: runs the engine headless with recorded media and prints one JSON
// object per step. Returns the exit status.
int runPlayCommand(const QString &projectFolder, const QStringList &steps);

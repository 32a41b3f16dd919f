#pragma once

#include <QJsonObject>
#include <QStringList>

#include <functional>

// qmtool play PROJECT STEP...: runs the engine headless with recorded media and prints one JSON
// object per step. Returns the exit status.
int runPlayCommand(const QString &projectFolder, const QStringList &steps);

// The same play without printing: `onStep` gets each step's state as runPlayCommand prints it.
// Returns the exit status (2, after the steps before it, for a bad step or a folder that is not
// a project).
int playSteps(const QString &projectFolder, const QStringList &steps,
              const std::function<void(const QJsonObject &)> &onStep);

#pragma once

#include "GameExplorer.h"
#include "ProjectPaths.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// The explorer and the engine side by side on one game: the same steps played by both must
// leave the same game after every step.

// The state `qmtool play` prints after each of `steps`.
QList<QJsonObject> engineStates(const ProjectPaths &paths, const QStringList &steps);

// Plays `steps` in the engine as `qmtool play` does and in the explorer; empty when both hold the
// same frame, variables, areas hidden for good, items, shown areas, history and end after every
// step, otherwise what differs first.
QString engineDisagreement(const ProjectPaths &paths, const GameExplorer &explorer,
                           const QStringList &steps);

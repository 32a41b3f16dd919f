#pragma once

#include "GameExplorer.h"
#include "ProjectPaths.h"

#include <QString>
#include <QStringList>

#include <functional>

// The explorer and the engine side by side on one game: the same steps played by both must
// leave the same game after every step.

// Plays `steps` in the engine as `qmtool play` does and in the explorer; empty when both hold the
// same frame, variables, areas hidden for good, items, shown areas, history and end after every
// step, otherwise what differs first.
QString engineDisagreement(const ProjectPaths &paths, const GameExplorer &explorer,
                           const QStringList &steps);

// A walk of up to `length` moves through the engine, each chosen by `pick(n)` (0 to n-1) among
// what the game window offers in the state the engine is in: clicks on shown areas, drops of held
// items on them, items dropped on each other, waiting for the frame timer. Starts with "start".
QStringList engineRandomWalk(const ProjectPaths &paths, int length,
                             const std::function<int(int)> &pick);

// The walk replayed in the explorer: empty when every state it passes is one the search found
// and the two agree at every step.
QString walkOutsideSearch(const ProjectPaths &paths, const GameExplorer &explorer,
                          const QStringList &walk, const GameExplorer::Limits &limits);

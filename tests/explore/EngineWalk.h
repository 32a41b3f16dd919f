#pragma once

#include "GameExplorer.h"
#include "ProjectPaths.h"

#include <QString>
#include <QStringList>

#include <functional>

// Walks of the engine chosen at random, and the explorer's check of them (tests and fuzzing).

// A walk of up to `length` moves through the engine, each chosen by `pick(n)` (0 to n-1) among
// what the game window offers in the state the engine is in: clicks on shown areas, drops of held
// items on them, items dropped on each other, waiting for the frame timer. Starts with "start".
QStringList engineRandomWalk(const ProjectPaths &paths, int length,
                             const std::function<int(int)> &pick);

// The walk replayed in the explorer: empty when every state it passes is one the search found
// and the two agree at every step.
QString walkOutsideSearch(const ProjectPaths &paths, const GameExplorer &explorer,
                          const QStringList &walk, const GameExplorer::Limits &limits);

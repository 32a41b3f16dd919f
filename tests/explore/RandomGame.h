#pragma once

#include "ProjectPaths.h"

#include <functional>

// Writes a small game made of choices through the store into `paths` (an empty project folder
// with its four folders): up to 3 frames of up to 3 areas that show on variables, pick up items,
// change variables, hide, go to frames (some missing or spelled in other letter cases), go back
// or end the game, with drops, item combinations, messages and frame timers. `choose(lo, hi)`
// gives each choice, a number from lo to hi. Aborts when a file cannot be written.
void writeRandomGame(const ProjectPaths &paths, const std::function<int(int, int)> &choose);

#pragma once

#include "ExploreReport.h"
#include "GameModel.h"

#include <atomic>
#include <functional>

struct ProjectSnapshot;

// Plays every path of a game breadth first from "Start" and reports what it found: the shortest
// walkthrough, dead ends, broken links met in play, and what no path reaches. QtCore only and
// free of shared state, so a window may run it on a worker thread.
class GameExplorer {
public:
    struct Limits {
        qint64 maxStates = 1000000; // states kept; the search stops when it would keep more
        double maxSeconds = 60;     // wall-clock seconds
    };
    // Called now and then with the states and moves explored so far (on the searching thread).
    using Progress = std::function<void(qint64 states, qint64 moves)>;

    explicit GameExplorer(GameModel::Model model);
    static GameExplorer fromSnapshot(const ProjectSnapshot &project);

    // Searches until every state is explored, a limit is reached or `cancel` becomes true (the
    // report then says so and is incomplete).
    ExploreReport run(const Limits &limits, const Progress &progress = Progress(),
                      const std::atomic<bool> *cancel = nullptr) const;

    const GameModel::Model &model() const { return m_model; }

private:
    GameModel::Model m_model;
};

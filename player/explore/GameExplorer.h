#pragma once

#include "ExploreReport.h"
#include "GameModel.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>

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

    // The game after one step as the search plays it: what the engine must hold after the
    // same step (the agreement tests play both).
    struct StepState {
        QByteArray state;   // the search's own state
        QString frame;      // as the link names it
        bool opened = true; // false for a frame the game cannot open
        bool closed = false;
        QStringList variablesSet;
        QStringList hidden;       // "frame/area" of the areas hidden for good
        QMap<QString, int> items; // lower-case name -> how many held (the search counts 4 at most)
        QList<int> areasShown;
        QStringList history; // the part going back can reach, oldest first
    };
    // Plays the steps of `qmtool play` that the search makes ("start", "click N", "drop ITEM N",
    // "combine A B", "advance MS" for the frame timer); stops before a step it cannot play (an
    // area not shown, an item not held, a wait that is not the frame timer's, a closed game).
    QList<StepState> play(const QStringList &steps) const;
    // A bare breadth-first search over the same states and moves that keeps only the states
    // seen (no steps, edges or findings): the floor the search's speed and memory are measured
    // against. Returns the number of states.
    qint64 bareSearch(const Limits &limits) const;
    // The states a search within `limits` finds.
    QSet<QByteArray> statesFound(const Limits &limits) const;

private:
    GameModel::Model m_model;
};

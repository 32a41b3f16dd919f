#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// One thing the explorer found, with the steps of `qmtool play` that show it (empty when no
// path shows it, for what was never reached).
struct ExploreFinding {
    enum class Kind { DeadEnd, BrokenLink, NeverReached, NeverUsed };
    Kind kind = Kind::DeadEnd;
    QString frame; // the frame it happens on or is about; empty for items
    QString text;
    QStringList steps;
    int count = 1; // for dead ends: how many states this one cause leads to
};

// What a search over every path of a game found.
struct ExploreReport {
    qint64 states = 0;
    qint64 moves = 0;
    double seconds = 0;
    bool complete = false;
    QString limit; // why an incomplete search stopped: "states", "seconds" or "cancelled"
    bool endReachable = false;
    QStringList walkthrough; // steps from "start" to the game closing
    QList<ExploreFinding> deadEnds;
    QList<ExploreFinding> brokenLinks;
    QList<ExploreFinding> unreached; // never reached and never used

    // True when the search was complete, the end reachable and nothing else found.
    bool clean() const;
    QList<ExploreFinding> findings() const { return deadEnds + brokenLinks + unreached; }

    QJsonObject toJson() const;
    // The report as a person reads it, lines ending in '\n'.
    QString toText() const;
};

// A step list as one shell line: words holding spaces or quotes are quoted.
QString stepsAsCommandLine(const QStringList &steps);

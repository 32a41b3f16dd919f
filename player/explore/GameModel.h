#pragma once

#include "ProjectSnapshot.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// A project compiled for the explorer: what every click, drop, item combination and frame timer
// does to the game state, read once from a snapshot of the project. Frames, items and variables
// are numbered; the effects mirror the engine's (GameEngine, AreaActions, Inventory) in their
// order, without media, windows or files. Media are only checked for the files the player would
// miss.
namespace GameModel {

// A variable change: variable index and what it becomes (0, 1, or -1 to invert).
struct VariableChange {
    int variable = 0;
    int value = 0;
};

// What an action record (a click's b.dat or a drop's .drg) does.
struct Action {
    bool present = false;               // the file exists; a missing file does nothing
    std::vector<VariableChange> before; // the first form, before anything else
    bool hideOrRemove = false;          // hide the area for good, or use up the dropped item
    bool close = false;                 // the game ends; nothing after it runs
    std::vector<VariableChange> after;  // the three lists
    enum class Go { Stay, Frame, Back } go = Go::Stay;
    int target = -1;      // frame node for Go::Frame
    QStringList problems; // what the player reports when the action runs
};

struct Drop {
    int item = 0;
    QString itemName; // as the event file names it
    Action action;
};

struct Area {
    int number = 0;
    bool visibleIf = false;
    std::vector<int> mustBeZero, mustBeOne; // known variables only: a missing one never hides
    int hideBit = -1;    // the area's place among the areas that can be hidden for good
    int pickItem = -1;   // the item a click picks up
    QString pickProblem; // reported when the pick-up fails (no item file)
    Action click;
    std::vector<Drop> drops;
    bool doesSomething() const { return click.present || pickItem >= 0 || !pickProblem.isEmpty(); }
};

// A frame as the game opens it: a node per frame name that links name (names are compared
// exactly by the game; files are found without regard to case).
struct Frame {
    QString name;
    QString file;        // the frame file's base name, empty when there is none
    bool broken = false; // opening it fails: the areas of the frame before stay inert
    QStringList openProblems;
    bool timer = false; // a frame timer starts when the frame opens
    int timerMs = 0;
    enum class TimerGo { Frame, Back } timerGo = TimerGo::Frame;
    int timerTarget = -1;
    std::vector<Area> areas; // those the game loads, in order
    // An action or the timer of this frame goes back to the last visited frame.
    bool goesBack = false;
};

struct Combination {
    int first = 0, second = 0;
    bool removeFirst = false, removeSecond = false;
    int add = -1;
    QString problem;
};

struct Item {
    QString name;
    // The name the inventory holds it under: as the first pick-up or combination that gives
    // it spells it (names are found without regard to case, but shown as given).
    QString heldAs;
    bool exists = false; // has an item file the game can read
    QString pictureProblem;
};

struct Model {
    QStringList variables;     // unique names in file order
    std::vector<Frame> frames; // node 0 is the initial frame
    std::vector<Item> items;
    std::vector<Combination> events; // item on item
    int hideBits = 0;
    bool usesHistory = false;  // some action or timer goes back to the last visited frame
    QStringList startProblems; // reported at "Start" before the first frame opens
    QStringList frameFiles;    // every frame of the project, by its file
    // (frame node, area) of each hide bit, for the report.
    std::vector<std::pair<int, int>> hideAreas;

    int itemIndex(const QString &name) const { return m_items.value(name.toLower(), -1); }

    QHash<QString, int> m_items; // lower-case name -> index
};

// Compiles the snapshot. The initial frame is node 0 even when its file is missing.
Model compile(const ProjectSnapshot &project);

} // namespace GameModel

#pragma once

#include <QString>

// The rules of play, written once for the two that play a game: the engine (names, files read
// at each click, media and windows around each move) and the explorer (a compiled game, a state
// of a few bytes, every move of every state). A rule is a function or a template over the
// player's own state; each player supplies the few operations a rule calls and does what only it
// does (media, messages, windows, findings) in the hooks the rule calls in their place.
namespace GameRules {

// The frame history keeps this many of the most recent frames.
constexpr int HistoryLimit = 20;
// The most items the inventory holds.
constexpr int InventoryLimit = 32767;
// The longest frame timer, in milliseconds.
constexpr int FrameTimerLimitMs = 65535;
// The value of a variable the game does not know: it never hides an area.
constexpr int UnknownVariable = -1;
// A variable change that inverts the variable instead of setting it.
constexpr int InvertVariable = -1;

// The frame timer's target that goes back to the frame visited before.
const QString &lastVisitedFrame();
// True when `target` names the frame visited before (the game ignores letter case here).
bool isLastVisitedFrame(const QString &target);

// What a frame timer does when it elapses.
struct FrameTimer {
    enum class Go { Nothing, Frame, Back };
    bool valid = false; // the seconds are a number of 0 to 65.535 s; otherwise it is reported
    int ms = 0;         // 0 never fires
    Go go = Go::Nothing;
};
// The frame timer of a frame: its seconds as written and its target frame (empty: none).
FrameTimer frameTimer(const QString &seconds, const QString &target);

// A variable after a change to 0, to 1, or InvertVariable.
inline int changedValue(int old, int change) {
    return change == InvertVariable ? (old ^ 1) : change;
}

// An area is shown unless it was hidden for good; with its condition on, each variable of the
// first list must be 0 and each of the second 1. `valueOf(v)` gives a variable's value, or
// UnknownVariable for one the game does not know, which hides nothing.
template <class List, class ValueOf>
bool areaShown(bool hiddenForGood, bool visibleIf, const List &mustBeZero, const List &mustBeOne,
               ValueOf valueOf) {
    if (hiddenForGood)
        return false;
    if (!visibleIf)
        return true;
    for (const auto &v : mustBeZero) {
        const int value = valueOf(v);
        if (value != 0 && value != UnknownVariable)
            return false;
    }
    for (const auto &v : mustBeOne) {
        const int value = valueOf(v);
        if (value != 1 && value != UnknownVariable)
            return false;
    }
    return true;
}

// Opening a frame adds it to the history unless it is the last entry already; the oldest
// entries beyond HistoryLimit are dropped. `History` offers isEmpty(), last(), size(),
// append(frame) and removeFirst().
template <class History, class FrameId> void enterFrame(History &history, const FrameId &frame) {
    if (!history.isEmpty() && history.last() == frame)
        return;
    history.append(frame);
    while (history.size() > HistoryLimit)
        history.removeFirst();
}

// Going back to the last visited frame: possible with two entries or more; the current entry is
// dropped and history.last() is the frame to open (which enterFrame then does not add again).
// `History` offers size() and removeLast().
template <class History> bool leaveForLastVisited(History &history) {
    if (history.size() < 2)
        return false;
    history.removeLast();
    return true;
}

// How a click, a drop or a timer ends: the game stays on its frame, closes, opens a frame or
// goes back; or the action's record could not be read to the end.
enum class MoveEnd { Stay, Close, Frame, Back, Failed };

// The parts of an action record, read in this order; the engine reads each just before it acts,
// so what a damaged record asked for before the damage still happens.
enum class ActionPart { First, Hide, Close, GoTo, Media, Lists };

// An area's action (a click's or a drop's) in the game's fixed order: the first variable, the
// hiding of the area or the use of the dropped item, the end of the game (nothing after it
// runs), the media, the three variable lists, the sounds and message, then the frame it goes to,
// or the last visited one. `Action` offers:
//   bool read(ActionPart)            the part is there (always, for a compiled action)
//   void changeVariables(ActionPart) the first variable (First) or the three lists (Lists)
//   bool hidesOrRemoves(), void hideOrRemove()
//   bool closes()
//   bool media()                     plays (or checks) the media; false when a part is damaged
//   void afterward()                 sounds and message, before the frame changes
//   bool goesToFrame(), bool goesBack()
template <class Action> MoveEnd playAction(Action &a) {
    if (!a.read(ActionPart::First))
        return MoveEnd::Failed;
    a.changeVariables(ActionPart::First);
    if (!a.read(ActionPart::Hide))
        return MoveEnd::Failed;
    if (a.hidesOrRemoves())
        a.hideOrRemove();
    if (!a.read(ActionPart::Close))
        return MoveEnd::Failed;
    if (a.closes())
        return MoveEnd::Close;
    if (!a.read(ActionPart::GoTo) || !a.read(ActionPart::Media) || !a.media() ||
        !a.read(ActionPart::Lists))
        return MoveEnd::Failed;
    a.changeVariables(ActionPart::Lists);
    a.afterward();
    if (a.goesToFrame())
        return MoveEnd::Frame;
    return a.goesBack() ? MoveEnd::Back : MoveEnd::Stay;
}

// A click on a shown area: the item it gives is picked up first, then its action runs (an area
// without an action file does nothing more). `Click` offers pickUp(), hasAction() and the
// operations of playAction.
template <class Click> MoveEnd clickArea(Click &c) {
    c.pickUp();
    return c.hasAction() ? playAction(c) : MoveEnd::Stay;
}

// One item dropped on another with an event: the first is used up, then the second, then the
// new item is added, each as its value is read. `Event` offers read(k) for the values 0 to 2,
// removesFirst(), takeFirst(), removesSecond(), takeSecond(), adds(), add(). False when the
// event could not be read to the end.
template <class Event> bool combineItems(Event &e) {
    if (!e.read(0))
        return false;
    if (e.removesFirst())
        e.takeFirst();
    if (!e.read(1))
        return false;
    if (e.removesSecond())
        e.takeSecond();
    if (!e.read(2))
        return false;
    if (e.adds())
        e.add();
    return true;
}

} // namespace GameRules

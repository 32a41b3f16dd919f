#include "GameExplorer.h"

#include "GameRules.h"
#include "ProjectSnapshot.h"
#include "StateStore.h"

#include <QElapsedTimer>
#include <QHash>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

using GameModel::Action;
using GameModel::Drop;
using GameModel::Frame;
using GameModel::Model;
using GameModel::VariableChange;
using Area = GameModel::Area;
using Combination = GameModel::Combination;

// An item picked up again and again is counted up to this many copies; more change nothing
// the search can tell apart.
constexpr int kMaxCopies = 4;

struct Move {
    enum Kind : std::uint8_t { Start, Click, Drop, Combine, Timer } kind = Start;
    std::int32_t area = 0;  // index into the frame's areas
    std::int32_t index = 0; // drop of that area, or item event
};

// A state is a byte string: frame node (2 bytes), frame timer running (1), variable bits, bits
// of the areas hidden for good, one count per item, and when the game goes back anywhere the
// frame history (a length, then 2 bytes a frame). The inventory's order is left out: items are
// found by name, so only how many of each the player holds decides what happens next.
//
// Of the history only the part that going back can reach is kept: the current frame, and below
// each kept entry the one before it when the kept entry's frame can go back. Going back from a
// frame that cannot is impossible, so what lies below it is never opened again; the game's
// limit of GameRules::HistoryLimit entries cuts the kept part exactly as it cuts the whole.
struct Layout {
    int vars = 3, hides = 0, items = 0, history = 0, size = 0;
};

enum class Outcome { Stay, End };

class Search;

class Search {
public:
    Search(const Model &m, const GameExplorer::Limits &limits,
           const GameExplorer::Progress &progress, const std::atomic<bool> *cancel)
        : m(m), m_limits(limits), m_progress(progress), m_cancel(cancel) {
        L.hides = L.vars + (static_cast<int>(m.variables.size()) + 7) / 8;
        L.items = L.hides + (m.hideBits + 7) / 8;
        L.history = L.items + static_cast<int>(m.items.size());
        L.size = L.history + (m.usesHistory ? 1 : 0);
        m_shown.resize(m.frames.size());
        for (size_t f = 0; f < m.frames.size(); ++f)
            m_shown[f].assign(m.frames[f].areas.size(), 0);
        m_opened.assign(m.frames.size(), 0);
        m_held.assign(m.items.size(), 0);
        m_used.assign(m.items.size(), 0);
    }

    ExploreReport run();
    QList<GameExplorer::StepState> play(const QStringList &steps);
    qint64 bare();
    QSet<QByteArray> found() const {
        QSet<QByteArray> out;
        for (int id = 0; id < m_store.size(); ++id) {
            const std::string_view s = m_store.at(id);
            out.insert(QByteArray(s.data(), static_cast<qsizetype>(s.size())));
        }
        return out;
    }

private:
    // --- the state bytes
    int frameOf(std::string_view s) const {
        return static_cast<std::uint8_t>(s[0]) | (static_cast<std::uint8_t>(s[1]) << 8);
    }
    void setFrame(std::string &s, int node) const {
        s[0] = static_cast<char>(node & 0xff);
        s[1] = static_cast<char>((node >> 8) & 0xff);
    }
    bool bit(std::string_view s, int offset, int i) const {
        return (static_cast<std::uint8_t>(s[offset + i / 8]) >> (i % 8)) & 1;
    }
    void setBit(std::string &s, int offset, int i, bool on) const {
        auto &b = reinterpret_cast<std::uint8_t &>(s[offset + i / 8]);
        b = on ? (b | (1u << (i % 8))) : (b & ~(1u << (i % 8)));
    }
    int count(std::string_view s, int item) const {
        return static_cast<std::uint8_t>(s[L.items + item]);
    }
    void addItem(std::string &s, int item) const {
        if (count(s, item) < kMaxCopies)
            s[L.items + item] = static_cast<char>(count(s, item) + 1);
    }
    void removeItem(std::string &s, int item) const {
        if (count(s, item) > 0)
            s[L.items + item] = static_cast<char>(count(s, item) - 1);
    }
    int historySize(std::string_view s) const { return static_cast<std::uint8_t>(s[L.history]); }
    int historyAt(std::string_view s, int i) const {
        const int o = L.history + 1 + 2 * i;
        return static_cast<std::uint8_t>(s[o]) | (static_cast<std::uint8_t>(s[o + 1]) << 8);
    }

    bool visible(std::string_view s, const Area &a) const {
        return GameRules::areaShown(a.hideBit >= 0 && bit(s, L.hides, a.hideBit), a.visibleIf,
                                    a.mustBeZero, a.mustBeOne,
                                    [&](int v) { return bit(s, L.vars, v) ? 1 : 0; });
    }

    // --- what moves do
    void note(const QString &frame, const QString &problem) {
        if (m_replaying)
            return; // a move played again for a report was noted when the search played it
        // One report per problem and frame: the same missing file met on two frames is shown
        // on both, each with its shortest steps.
        const QString key = frame + QLatin1Char('\n') + problem;
        if (m_problems.contains(key))
            return;
        m_problems.insert(key, static_cast<int>(m_found.size()));
        m_found.push_back(Found{m_current, m_move, frame, problem});
    }
    void changeVariables(std::string &s, const std::vector<VariableChange> &changes) const {
        for (const VariableChange &c : changes)
            setBit(s, L.vars, c.variable,
                   GameRules::changedValue(bit(s, L.vars, c.variable), c.value) == 1);
    }

    // The kept part of the frame history in a state's bytes (see Layout), as GameRules::
    // enterFrame and leaveForLastVisited use it: a length, then 2 bytes a frame node.
    struct History {
        const Search &search;
        std::string &s;
        int size() const { return search.historySize(s); }
        bool isEmpty() const { return size() == 0; }
        int last() const { return search.historyAt(s, size() - 1); }
        void append(int node) {
            const size_t at = static_cast<size_t>(search.L.history);
            if (!search.m.frames[node].goesBack && size() > 0) {
                // Nothing below a frame that cannot go back is ever opened again.
                s.resize(at + 1);
                s[at] = 0;
            }
            s.push_back(static_cast<char>(node & 0xff));
            s.push_back(static_cast<char>((node >> 8) & 0xff));
            s[at] = static_cast<char>(size() + 1);
        }
        void removeFirst() {
            const size_t at = static_cast<size_t>(search.L.history);
            s.erase(at + 1, 2);
            s[at] = static_cast<char>(size() - 1);
        }
        void removeLast() {
            s.resize(s.size() - 2);
            s[static_cast<size_t>(search.L.history)] = static_cast<char>(size() - 1);
        }
    };

    void openFrame(std::string &s, int node) {
        const Frame &f = m.frames[node];
        setFrame(s, node);
        if (m.usesHistory) {
            History history{*this, s};
            GameRules::enterFrame(history, node);
        }
        s[2] = f.timer ? 1 : 0;
        m_opened[node] = 1;
        for (const QString &p : f.openProblems)
            note(f.name, p);
    }
    void goBack(std::string &s) {
        History history{*this, s};
        if (m.usesHistory && GameRules::leaveForLastVisited(history))
            openFrame(s, history.last());
    }

    // A compiled click or drop as GameRules::clickArea and playAction play it.
    struct ModelAction {
        Search &search;
        std::string &s;
        const Frame &f;
        const Area &area;
        const Action &a;
        int dropped; // the dropped item, -1 for a click

        void pickUp() { search.pickUp(s, f, area); }
        bool hasAction() const { return a.present; }
        bool read(GameRules::ActionPart) const { return true; }
        void changeVariables(GameRules::ActionPart part) {
            search.changeVariables(s, part == GameRules::ActionPart::First ? a.before : a.after);
        }
        bool hidesOrRemoves() const { return a.hideOrRemove; }
        void hideOrRemove() {
            if (dropped >= 0)
                search.removeItem(s, dropped);
            else
                search.setBit(s, search.L.hides, area.hideBit, true);
        }
        bool closes() const { return a.close; }
        bool media() const { return true; }
        void afterward() {
            for (const QString &p : a.problems)
                search.note(f.name, p);
        }
        bool goesToFrame() const { return a.go == Action::Go::Frame; }
        bool goesBack() const { return a.go == Action::Go::Back; }
    };
    Outcome finish(std::string &s, const Action &a, GameRules::MoveEnd end) {
        switch (end) {
        case GameRules::MoveEnd::Close:
            return Outcome::End;
        case GameRules::MoveEnd::Frame:
            openFrame(s, a.target);
            break;
        case GameRules::MoveEnd::Back:
            goBack(s);
            break;
        default:
            break;
        }
        return Outcome::Stay;
    }
    void pickUp(std::string &s, const Frame &f, const Area &a) {
        if (a.pickItem >= 0) {
            give(s, f, a.pickItem);
        } else if (!a.pickProblem.isEmpty()) {
            note(f.name, a.pickProblem);
        }
    }
    void give(std::string &s, const Frame &f, int item) {
        addItem(s, item);
        m_held[item] = 1;
        if (!m.items[item].pictureProblem.isEmpty())
            note(f.name, m.items[item].pictureProblem);
    }
    Outcome apply(std::string &s, const Move &mv) {
        m_move = mv;
        const Frame &f = m.frames[frameOf(s)];
        switch (mv.kind) {
        case Move::Start:
            for (const QString &p : m.startProblems)
                note(QString(), p);
            openFrame(s, 0);
            return Outcome::Stay;
        case Move::Click: {
            const Area &a = f.areas[mv.area];
            ModelAction click{*this, s, f, a, a.click, -1};
            return finish(s, a.click, GameRules::clickArea(click));
        }
        case Move::Drop: {
            const Area &a = f.areas[mv.area];
            const Drop &d = a.drops[mv.index];
            m_used[d.item] = 1;
            ModelAction drop{*this, s, f, a, d.action, d.item};
            return finish(s, d.action, GameRules::playAction(drop));
        }
        case Move::Combine: {
            const Combination &e = m.events[mv.index];
            m_used[e.first] = m_used[e.second] = 1;
            struct Event {
                Search &search;
                std::string &s;
                const Frame &f;
                const Combination &e;
                bool read(int) const { return true; }
                bool removesFirst() const { return e.removeFirst; }
                void takeFirst() { search.removeItem(s, e.first); }
                bool removesSecond() const { return e.removeSecond; }
                void takeSecond() { search.removeItem(s, e.second); }
                bool adds() const { return e.add >= 0; }
                void add() { search.give(s, f, e.add); }
            } event{*this, s, f, e};
            GameRules::combineItems(event);
            if (!e.problem.isEmpty())
                note(f.name, e.problem);
            return Outcome::Stay;
        }
        case Move::Timer:
            s[2] = 0;
            if (f.timerGo == Frame::TimerGo::Back)
                goBack(s);
            else
                openFrame(s, f.timerTarget);
            return Outcome::Stay;
        }
        return Outcome::Stay;
    }

    // --- the graph
    // The state's number, adding it when new; -1 when the state limit stops the search.
    int intern(const std::string &s, int parent) {
        const auto [id, added] = m_store.add(
            s, [&] { return static_cast<qint64>(m_store.size()) >= m_limits.maxStates; });
        if (added) {
            m_parent.push_back(parent);
            m_ends.push_back(0);
        }
        return id;
    }
    // Tries each move of a state in the game's order, telling `shown` of each area on show; false
    // as soon as `tryMove` is.
    template <class Shown, class Try>
    bool forEachMove(std::string_view from, Shown &&shown, Try &&tryMove) const {
        const Frame &f = m.frames[frameOf(from)];
        for (size_t ai = 0; ai < f.areas.size(); ++ai) {
            const Area &a = f.areas[ai];
            if (!visible(from, a))
                continue;
            shown(ai);
            // A right click only shows or hides the menu bar; a click on an area without action
            // or item, or a drop without an event, does nothing: they are counted, not played.
            if (a.doesSomething() && !tryMove(Move{Move::Click, static_cast<int>(ai), 0}))
                return false;
            for (size_t d = 0; d < a.drops.size(); ++d) {
                if (count(from, a.drops[d].item) > 0 && a.drops[d].action.present &&
                    !tryMove(Move{Move::Drop, static_cast<int>(ai), static_cast<int>(d)}))
                    return false;
            }
        }
        for (size_t e = 0; e < m.events.size(); ++e) {
            const Combination &ev = m.events[e];
            if (ev.first != ev.second && count(from, ev.first) > 0 && count(from, ev.second) > 0 &&
                !tryMove(Move{Move::Combine, 0, static_cast<int>(e)}))
                return false;
        }
        return !from[2] || tryMove(Move{Move::Timer, 0, 0});
    }
    // Explores the moves of state `id`; false when a limit stopped it halfway.
    bool expand(int id);
    // The edges of a state are its targets, each once, in the order of the first move that
    // leads there (firstMoves finds those moves again); they follow the edges of the state
    // before it.
    void addEdge(int from, int to, std::vector<int> &seen) {
        if (to == from)
            return;
        for (int t : seen) {
            if (t == to)
                return;
        }
        seen.push_back(to);
        m_edgeTo.push_back(to);
    }
    // The moves the search made are not kept: a report plays the moves of a state again, in the
    // same order and without noting anything, to find the first move that led to each state it
    // found (the state's edges), or to one state (the move that added it).
    std::vector<std::pair<int, Move>> firstMoves(int from);
    Move via(int state);

    // --- the report
    QStringList words(int fromState, const Move &mv) const;
    QStringList steps(int state);
    QString heldName(int item) const {
        return m.items[item].heldAs.isEmpty() ? m.items[item].name : m.items[item].heldAs;
    }
    QStringList stepsTo(int fromState, const Move &mv) {
        if (mv.kind == Move::Start)
            return words(-1, mv);
        return steps(fromState) + words(fromState, mv);
    }
    QString moveText(int fromState, const Move &mv) const;
    QString loss(int from, int to) const;
    void analyse(ExploreReport &r);

    struct Found {
        int state;
        Move move;
        QString frame;
        QString text;
    };

    const Model &m;
    GameExplorer::Limits m_limits;
    const GameExplorer::Progress &m_progress;
    const std::atomic<bool> *m_cancel;
    Layout L;

    // Per state, in blocks that never move, so that growing costs no copy: the parent (the
    // state whose move added it) and whether a move of it ends the game; per expanded state,
    // where its edges start in m_edgeTo (one more entry ends the last one's).
    StateStore m_store;
    std::deque<std::int32_t> m_parent;
    std::deque<char> m_ends;
    std::deque<std::uint32_t> m_edgeStart;
    std::deque<std::int32_t> m_edgeTo;
    bool m_replaying = false;
    int m_endState = -2; // the state whose move ends the game first (-1: "start" itself)
    Move m_endMove;
    qint64 m_moves = 0;
    int m_expanded = 0; // states 0 .. m_expanded - 1 had all their moves explored

    int m_current = -1; // the state being expanded
    Move m_move;
    QHash<QString, int> m_problems;
    std::vector<Found> m_found;
    std::vector<std::vector<char>> m_shown;
    std::vector<char> m_opened, m_held, m_used;
};

bool Search::expand(int id) {
    m_current = id;
    const std::string from(m_store.at(id));
    if (m_edgeStart.empty())
        m_edgeStart.push_back(0);
    std::vector<int> seen;
    int visibleCount = 0;
    int heldKinds = 0;
    for (size_t i = 0; i < m.items.size(); ++i)
        heldKinds += count(from, static_cast<int>(i)) > 0 ? 1 : 0;
    std::string to;
    const auto tryMove = [&](const Move &mv) {
        to = from;
        if (apply(to, mv) == Outcome::End) {
            m_ends[id] = 1;
            if (m_endState == -2) {
                m_endState = id;
                m_endMove = mv;
            }
            return true;
        }
        const int next = intern(to, id);
        if (next < 0)
            return false;
        addEdge(id, next, seen);
        return true;
    };
    const auto shown = [&](size_t area) {
        ++visibleCount;
        m_shown[frameOf(from)][area] = 1;
    };
    const bool done = forEachMove(from, shown, tryMove);
    m_edgeStart.push_back(static_cast<std::uint32_t>(m_edgeTo.size()));
    if (!done)
        return false;
    // Left and right clicks, drops, combinations, the timer, Escape, and "Exit" answered
    // either way (both leave the game without reaching its end, or change nothing).
    m_moves += 2 * visibleCount + static_cast<qint64>(heldKinds) * visibleCount +
               static_cast<qint64>(heldKinds) * (heldKinds - 1) + (from[2] ? 1 : 0) + 1 + 2;
    return true;
}

ExploreReport Search::run() {
    QElapsedTimer clock;
    clock.start();
    ExploreReport r;
    std::string start(static_cast<size_t>(L.size), '\0');
    m_current = -1;
    if (apply(start, Move{}) == Outcome::End)
        m_endState = -1;
    intern(start, -1);
    ++m_moves;
    r.complete = true;
    qint64 lastReport = 0;
    for (int id = 0; id < m_store.size(); ++id) {
        if ((id & 255) == 0) {
            if (m_cancel && m_cancel->load()) {
                r.complete = false;
                r.limit = QStringLiteral("cancelled");
                break;
            }
            if (clock.elapsed() > m_limits.maxSeconds * 1000) {
                r.complete = false;
                r.limit = QStringLiteral("seconds");
                break;
            }
            if (m_progress && clock.elapsed() - lastReport >= 100) {
                lastReport = clock.elapsed();
                m_progress(static_cast<qint64>(m_store.size()), m_moves);
            }
        }
        if (!expand(id)) {
            r.complete = false;
            r.limit = QStringLiteral("states");
            break;
        }
        m_expanded = id + 1;
    }
    r.states = static_cast<qint64>(m_store.size());
    r.moves = m_moves;
    if (m_progress)
        m_progress(r.states, r.moves);
    analyse(r);
    r.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    return r;
}

QStringList Search::words(int fromState, const Move &mv) const {
    if (mv.kind == Move::Start)
        return {QStringLiteral("start")};
    const Frame &f = m.frames[frameOf(m_store.at(fromState))];
    switch (mv.kind) {
    case Move::Click:
        return {QStringLiteral("click"), QString::number(f.areas[mv.area].number)};
    case Move::Drop: {
        const Drop &d = f.areas[mv.area].drops[mv.index];
        return {QStringLiteral("drop"), heldName(d.item), QString::number(f.areas[mv.area].number)};
    }
    case Move::Combine:
        return {QStringLiteral("combine"), heldName(m.events[mv.index].first),
                heldName(m.events[mv.index].second)};
    case Move::Timer:
        return {QStringLiteral("advance"), QString::number(f.timerMs)};
    default:
        return {};
    }
}

std::vector<std::pair<int, Move>> Search::firstMoves(int from) {
    const std::string state(m_store.at(from));
    std::vector<std::pair<int, Move>> out;
    std::string to;
    m_replaying = true;
    forEachMove(
        state, [](size_t) {},
        [&](const Move &mv) {
            to = state;
            if (apply(to, mv) == Outcome::End)
                return true;
            const int next = m_store.find(to);
            if (next < 0 || next == from)
                return true;
            for (const auto &known : out) {
                if (known.first == next)
                    return true;
            }
            out.emplace_back(next, mv);
            return true;
        });
    m_replaying = false;
    return out;
}

Move Search::via(int state) {
    const int parent = m_parent[static_cast<size_t>(state)];
    if (parent < 0)
        return Move{};
    const std::string from(m_store.at(parent));
    const std::string_view wanted = m_store.at(state);
    std::string to;
    Move found;
    m_replaying = true;
    forEachMove(
        from, [](size_t) {},
        [&](const Move &mv) {
            to = from;
            if (apply(to, mv) == Outcome::End || to != wanted)
                return true;
            found = mv;
            return false;
        });
    m_replaying = false;
    return found;
}

QStringList Search::steps(int state) {
    std::vector<int> chain;
    for (int s = state; s >= 0; s = m_parent[static_cast<size_t>(s)])
        chain.push_back(s);
    QStringList out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        out += words(m_parent[static_cast<size_t>(*it)], via(*it));
    return out;
}

QString Search::moveText(int fromState, const Move &mv) const {
    const QStringList w = words(fromState, mv);
    const QString frame =
        fromState >= 0 ? m.frames[frameOf(m_store.at(fromState))].name : QString();
    QString what;
    switch (mv.kind) {
    case Move::Click:
        what = QStringLiteral("clicking area %1").arg(w[1]);
        break;
    case Move::Drop:
        what = QStringLiteral("dropping '%1' on area %2").arg(w[1], w[2]);
        break;
    case Move::Combine:
        what = QStringLiteral("dropping '%1' on '%2'").arg(w[1], w[2]);
        break;
    case Move::Timer:
        what = QStringLiteral("waiting for the frame timer");
        break;
    case Move::Start:
        return QStringLiteral("At the start");
    }
    return QStringLiteral("On frame '%1', %2").arg(frame, what);
}

QString Search::loss(int from, int to) const {
    const std::string_view a = m_store.at(from);
    const std::string_view b = m_store.at(to);
    QStringList lost;
    for (size_t i = 0; i < m.items.size(); ++i) {
        const int item = static_cast<int>(i);
        if (count(b, item) < count(a, item))
            lost.append(QStringLiteral("item '%1' used up").arg(m.items[i].name));
    }
    for (int h = 0; h < m.hideBits; ++h) {
        if (bit(b, L.hides, h) && !bit(a, L.hides, h))
            lost.append(QStringLiteral("area %1 of frame '%2' hidden for good")
                            .arg(m.hideAreas[h].second)
                            .arg(m.frames[m.hideAreas[h].first].name));
    }
    for (int v = 0; v < m.variables.size(); ++v) {
        if (bit(a, L.vars, v) != bit(b, L.vars, v))
            lost.append(QStringLiteral("variable '%1' became %2")
                            .arg(m.variables[v])
                            .arg(bit(b, L.vars, v)));
    }
    if (frameOf(a) != frameOf(b))
        lost.append(QStringLiteral("went to frame '%1'").arg(m.frames[frameOf(b)].name));
    if (lost.isEmpty())
        lost.append(QStringLiteral("the frame timer no longer runs"));
    return lost.join(QStringLiteral(", "));
}

void Search::analyse(ExploreReport &r) {
    const int n = m_store.size();
    r.endReachable = m_endState != -2;
    if (r.endReachable)
        r.walkthrough = m_endState < 0 ? QStringList{QStringLiteral("start")}
                                       : steps(m_endState) + words(m_endState, m_endMove);

    // Backwards from the states whose move ends the game, and from the states not explored
    // (their future is unknown, so they count as able to reach the end).
    // The states with edges: those expanded, and the one a limit stopped halfway.
    const int withEdges = static_cast<int>(m_edgeStart.size()) - 1;
    const auto edges = [&](int from) {
        if (from >= withEdges)
            return std::pair<size_t, size_t>(0, 0);
        return std::pair<size_t, size_t>(m_edgeStart[static_cast<size_t>(from)],
                                         m_edgeStart[static_cast<size_t>(from) + 1]);
    };
    std::vector<int> first(static_cast<size_t>(n) + 1, 0), preds(m_edgeTo.size());
    for (int t : m_edgeTo)
        ++first[static_cast<size_t>(t) + 1];
    for (int i = 0; i < n; ++i)
        first[static_cast<size_t>(i) + 1] += first[static_cast<size_t>(i)];
    {
        std::vector<int> fill(first.begin(), first.end() - 1);
        for (int from = 0; from < withEdges; ++from) {
            const auto [begin, end] = edges(from);
            for (size_t e = begin; e < end; ++e)
                preds[static_cast<size_t>(fill[static_cast<size_t>(m_edgeTo[e])]++)] = from;
        }
    }
    std::vector<char> alive(static_cast<size_t>(n), 0);
    std::vector<int> queue;
    for (int i = 0; i < n; ++i) {
        if (m_ends[static_cast<size_t>(i)] || i >= m_expanded) {
            alive[static_cast<size_t>(i)] = 1;
            queue.push_back(i);
        }
    }
    for (size_t q = 0; q < queue.size(); ++q) {
        const int s = queue[q];
        for (int p = first[static_cast<size_t>(s)]; p < first[static_cast<size_t>(s) + 1]; ++p) {
            const int from = preds[static_cast<size_t>(p)];
            if (!alive[static_cast<size_t>(from)]) {
                alive[static_cast<size_t>(from)] = 1;
                queue.push_back(from);
            }
        }
    }

    // A dead end is met where a move leads from a state that can still end to one that cannot;
    // the same move and the same loss make one cause, shown with its shortest steps. Those met
    // before a limit stopped the search are kept, and say so: the unexplored states count as
    // able to end, so each one found is a real dead end, but there may be more.
    const QString within = r.complete ? QString() : QStringLiteral(" (within the search limit)");
    if (r.endReachable || !r.complete) {
        QHash<QString, int> causes;
        std::vector<char> counted(static_cast<size_t>(n), 0);
        for (int from = 0; from < withEdges; ++from) {
            if (!alive[static_cast<size_t>(from)])
                continue;
            std::vector<std::pair<int, Move>> moves; // played again for the first such edge
            const auto [begin, end] = edges(from);
            for (size_t e = begin; e < end; ++e) {
                const int to = m_edgeTo[e];
                if (alive[static_cast<size_t>(to)])
                    continue;
                if (moves.empty())
                    moves = firstMoves(from);
                Move mv;
                for (const auto &known : moves) {
                    if (known.first == to) {
                        mv = known.second;
                        break;
                    }
                }
                const QString text = QStringLiteral("%1 leaves no way to the end: %2%3.")
                                         .arg(moveText(from, mv), loss(from, to), within);
                auto it = causes.find(text);
                if (it == causes.end()) {
                    ExploreFinding f;
                    f.kind = ExploreFinding::Kind::DeadEnd;
                    f.frame = m.frames[frameOf(m_store.at(from))].name;
                    f.text = text;
                    f.steps = stepsTo(from, mv);
                    f.count = 0;
                    it = causes.insert(text, static_cast<int>(r.deadEnds.size()));
                    r.deadEnds.append(f);
                }
                if (!counted[static_cast<size_t>(to)]) {
                    counted[static_cast<size_t>(to)] = 1;
                    ++r.deadEnds[it.value()].count;
                }
            }
        }
    }

    for (const Found &f : m_found) {
        ExploreFinding x;
        x.kind = ExploreFinding::Kind::BrokenLink;
        x.frame = f.frame;
        x.text =
            f.frame.isEmpty() ? f.text : QStringLiteral("On frame '%1': %2").arg(f.frame, f.text);
        x.steps = stepsTo(f.state, f.move);
        r.brokenLinks.append(x);
    }

    // What no path reaches: frames (by their file), areas of frames reached, items.
    // A search stopped at a limit says so on each of these.
    const auto unreached = [&](ExploreFinding::Kind kind, const QString &frame,
                               const QString &text) {
        r.unreached.append(ExploreFinding{kind, frame, text + within + QLatin1Char('.'), {}, 1});
    };
    QHash<QString, bool> reachedFiles;
    for (size_t i = 0; i < m.frames.size(); ++i) {
        if (m_opened[i] && !m.frames[i].file.isEmpty())
            reachedFiles.insert(m.frames[i].file, true);
    }
    for (const QString &file : m.frameFiles) {
        if (!reachedFiles.contains(file))
            unreached(ExploreFinding::Kind::NeverReached, file,
                      QStringLiteral("Frame '%1' is never reached").arg(file));
    }
    for (size_t i = 0; i < m.frames.size(); ++i) {
        if (!m_opened[i])
            continue;
        for (size_t a = 0; a < m.frames[i].areas.size(); ++a) {
            if (!m_shown[i][a])
                unreached(ExploreFinding::Kind::NeverReached, m.frames[i].name,
                          QStringLiteral("Area %1 of frame '%2' is never shown")
                              .arg(m.frames[i].areas[a].number)
                              .arg(m.frames[i].name));
        }
    }
    for (size_t i = 0; i < m.items.size(); ++i) {
        if (!m.items[i].exists)
            continue;
        if (!m_held[i])
            unreached(ExploreFinding::Kind::NeverReached, QString(),
                      QStringLiteral("Item '%1' is never picked up").arg(m.items[i].name));
        else if (!m_used[i])
            unreached(ExploreFinding::Kind::NeverUsed, QString(),
                      QStringLiteral("Item '%1' is never used").arg(m.items[i].name));
    }
}

} // namespace

qint64 Search::bare() {
    std::unordered_set<std::string> seen;
    std::deque<const std::string *> queue;
    std::string start(static_cast<size_t>(L.size), '\0');
    apply(start, Move{});
    queue.push_back(&*seen.insert(start).first);
    std::string to;
    const auto tryMove = [&](const std::string &from, const Move &mv) {
        to = from;
        if (apply(to, mv) == Outcome::End)
            return true;
        const auto [it, added] = seen.insert(to);
        if (!added)
            return true;
        if (static_cast<qint64>(seen.size()) > m_limits.maxStates) {
            seen.erase(it); // the search keeps no more than the limit either
            return false;
        }
        queue.push_back(&*it);
        return true;
    };
    while (!queue.empty()) {
        const std::string &from = *queue.front();
        queue.pop_front();
        if (!forEachMove(
                from, [](size_t) {}, [&](const Move &mv) { return tryMove(from, mv); }))
            break;
    }
    return static_cast<qint64>(seen.size());
}

QList<GameExplorer::StepState> Search::play(const QStringList &steps) {
    QList<GameExplorer::StepState> out;
    std::string s(static_cast<size_t>(L.size), '\0');
    bool closed = false;
    for (int i = 0; i < steps.size() && !closed; ++i) {
        const QString &verb = steps[i];
        const auto arg = [&](int k) { return i + k < steps.size() ? steps[i + k] : QString(); };
        const Frame &f = m.frames[frameOf(s)];
        // A frame the game cannot open leaves the areas of the one before on show, and
        // pressing them does nothing.
        const bool inert = f.broken;
        const auto areaAt = [&](const QString &number) {
            for (size_t a = 0; a < f.areas.size(); ++a) {
                if (QString::number(f.areas[a].number) == number && visible(s, f.areas[a]))
                    return static_cast<int>(a);
            }
            return -1;
        };
        const auto held = [&](const QString &name) {
            const int item = m.itemIndex(name);
            return item >= 0 && count(s, item) > 0 ? item : -1;
        };
        std::optional<Move> mv;
        bool playable = true;
        if (verb == QLatin1String("start")) {
            if (i > 0)
                break;
            mv = Move{};
        } else if (i == 0) {
            break;
        } else if (verb == QLatin1String("click")) {
            const int a = areaAt(arg(1));
            playable = a >= 0 || inert;
            if (a >= 0 && f.areas[a].doesSomething())
                mv = Move{Move::Click, a, 0};
            i += 1;
        } else if (verb == QLatin1String("drop")) {
            const int a = areaAt(arg(2)), item = held(arg(1));
            playable = (a >= 0 || inert) && item >= 0;
            for (size_t d = 0; playable && a >= 0 && d < f.areas[a].drops.size(); ++d) {
                if (f.areas[a].drops[d].item == item && f.areas[a].drops[d].action.present)
                    mv = Move{Move::Drop, a, static_cast<int>(d)};
            }
            i += 2;
        } else if (verb == QLatin1String("combine")) {
            const int first = held(arg(1)), second = held(arg(2));
            playable = first >= 0 && second >= 0 && first != second;
            for (size_t e = 0; playable && e < m.events.size(); ++e) {
                if (m.events[e].first == first && m.events[e].second == second)
                    mv = Move{Move::Combine, 0, static_cast<int>(e)};
            }
            i += 2;
        } else if (verb == QLatin1String("advance")) {
            playable = s[2] && arg(1) == QString::number(f.timerMs);
            mv = Move{Move::Timer, 0, 0};
            i += 1;
        } else {
            playable = false;
        }
        if (!playable)
            break;
        if (mv && apply(s, *mv) == Outcome::End)
            closed = true;
        GameExplorer::StepState step;
        step.state = QByteArray(s.data(), static_cast<qsizetype>(s.size()));
        const int node = frameOf(s);
        const Frame &now = m.frames[node];
        step.frame = now.name;
        step.opened = !now.broken;
        step.closed = closed;
        for (int v = 0; v < m.variables.size(); ++v) {
            if (bit(s, L.vars, v))
                step.variablesSet.append(m.variables[v]);
        }
        for (int h = 0; h < m.hideBits; ++h) {
            if (bit(s, L.hides, h))
                step.hidden.append(QStringLiteral("%1/%2")
                                       .arg(m.frames[m.hideAreas[h].first].name)
                                       .arg(m.hideAreas[h].second));
        }
        for (size_t k = 0; k < m.items.size(); ++k) {
            if (count(s, static_cast<int>(k)) > 0)
                step.items.insert(m.items[k].name.toLower(), count(s, static_cast<int>(k)));
        }
        for (const Area &a : now.areas) {
            if (visible(s, a))
                step.areasShown.append(a.number);
        }
        for (int h = 0; m.usesHistory && h < historySize(s); ++h)
            step.history.append(m.frames[historyAt(s, h)].name);
        out.append(step);
    }
    return out;
}

GameExplorer::GameExplorer(GameModel::Model model) : m_model(std::move(model)) {}

GameExplorer GameExplorer::fromSnapshot(const ProjectSnapshot &project) {
    return GameExplorer(GameModel::compile(project));
}

ExploreReport GameExplorer::run(const Limits &limits, const Progress &progress,
                                const std::atomic<bool> *cancel) const {
    return Search(m_model, limits, progress, cancel).run();
}

QList<GameExplorer::StepState> GameExplorer::play(const QStringList &steps) const {
    const Progress none;
    return Search(m_model, Limits(), none, nullptr).play(steps);
}

qint64 GameExplorer::bareSearch(const Limits &limits) const {
    const Progress none;
    return Search(m_model, limits, none, nullptr).bare();
}

QSet<QByteArray> GameExplorer::statesFound(const Limits &limits) const {
    const Progress none;
    Search search(m_model, limits, none, nullptr);
    search.run();
    return search.found();
}

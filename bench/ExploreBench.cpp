// States per second of the explorer on the demo game and on a generated game of 100 frames,
// 10 variables and 8 items. The project is read once; each iteration is a whole search. On the
// generated game a bare breadth-first search over the same states (GameExplorer::bareSearch) is
// run in the same benchmark: the ratios of time and of peak heap bytes to it are counters.

#include "AreaFiles.h"
#include "FrameFiles.h"
#include "GameExplorer.h"
#include "GeneralInfo.h"
#include "Items.h"
#include "ProjectSnapshot.h"
#include "VariablesFile.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <new>

// Heap bytes in use and their peak, counted for the whole program (the benchmarks run one at a
// time on one thread; the atomics keep Qt's threads honest).
namespace {
std::atomic<long long> g_heapBytes{0};
std::atomic<long long> g_heapPeak{0};
} // namespace

void *operator new(std::size_t size) {
    void *p = std::malloc(size ? size : 1);
    if (!p)
        throw std::bad_alloc();
    const long long now = g_heapBytes += static_cast<long long>(malloc_usable_size(p));
    long long peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}
void operator delete(void *p) noexcept {
    if (p)
        g_heapBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

constexpr int kFrames = 100;
constexpr int kVariables = 10;
constexpr int kItems = 8;

QString frameName(int i) {
    return QStringLiteral("Room %1").arg((i + kFrames) % kFrames);
}

// A ring of rooms: each leads on and back and flips a variable; the first eight rooms give an
// item each (the area then hides for good), rooms 50 to 57 use one up to set a variable, items
// combine in pairs, and the last room ends the game once two variables are set.
class GeneratedGame {
public:
    GeneratedGame() {
        paths = ProjectPaths(dir.path());
        for (const QString &f :
             {paths.FramesPath(), paths.AreasPath(), paths.IconsPath(), paths.ConfigPath()})
            QDir().mkpath(f);
        GeneralInfo general;
        general.InitialFrame = frameName(0);
        QStringList variables;
        for (int i = 0; i < kVariables; ++i)
            variables.append(QStringLiteral("v%1").arg(i));
        bool ok =
            writeGeneral(paths.ConfigPath() + QStringLiteral("General"), general).ok() &&
            writeVariablesFile(paths.ConfigPath() + QStringLiteral("Variables"), variables).ok();
        const Items items(paths);
        for (int k = 0; k < kItems && ok; ++k)
            ok = items.write(item(k), ItemFile{QString()}).ok();
        for (int k = 0; k + 1 < kItems && ok; k += 2) {
            ItemEvent e;
            e.First = item(k);
            e.Second = item(k + 1);
            e.RemoveFirst = 1;
            e.AddNew = 1;
            e.NewItem = item(k + 1);
            ok = items.writeEvent(e).ok();
        }
        const FrameFiles frames(paths, SoundMode::MultiChannel);
        for (int i = 0; i < kFrames && ok; ++i) {
            FrameProperties f;
            f.Background = QStringLiteral("0");
            ok = frames.saveProperties(frameName(i), f, {}).ok();
            const AreaFiles areas(paths, SoundMode::MultiChannel, frameName(i));
            QList<Area> list;
            Area next, back, flip;
            next.action.GoToFrame = back.action.GoToFrame = 1;
            next.action.TargetFrame = frameName(i + 1);
            back.action.TargetFrame = frameName(i - 1);
            flip.action.ChangeVariables = 1;
            flip.action.InvertList = {variables[i % kVariables]};
            list << next << back << flip;
            if (i < kItems) {
                Area give;
                give.item.PickItem = 1;
                give.item.ItemName = item(i);
                give.action.HideOrRemove = 1;
                list << give;
            }
            if (i >= 50 && i < 50 + kItems)
                list << Area();
            if (i == kFrames - 1) {
                Area end;
                end.look.VisibleIf = 1;
                end.look.OneList = {variables[0], variables[1]};
                end.action.CloseProgram = 1;
                list << end;
            }
            for (int n = 1; n <= list.size() && ok; ++n)
                ok = areas.save(n, list[n - 1]).ok();
            ok = ok && frames.writeAreaCount(frameName(i), static_cast<int>(list.size())).ok();
            if (i >= 50 && i < 50 + kItems && ok) {
                DropEvent use;
                use.action.HideOrRemove = 1;
                use.action.ChangeVariables = 1;
                use.action.SetOneList = {variables[(i - 50) % kVariables]};
                ok = areas.saveDropEvent(4, item(i - 50), use).ok();
            }
        }
        if (!ok) {
            std::fputs("cannot write the generated game\n", stderr);
            std::abort();
        }
    }
    static QString item(int k) { return QStringLiteral("Item %1").arg(k); }

    QTemporaryDir dir;
    ProjectPaths paths;
};

void explore(benchmark::State &state, const ProjectPaths &paths, qint64 maxStates) {
    const GameExplorer explorer = GameExplorer::fromSnapshot(ProjectSnapshot::load(paths));
    GameExplorer::Limits limits;
    limits.maxStates = maxStates;
    limits.maxSeconds = 600;
    qint64 states = 0;
    for (auto _ : state) {
        const ExploreReport r = explorer.run(limits);
        if (r.states < 2) {
            state.SkipWithError("the game did not open");
            return;
        }
        states += r.states;
        benchmark::DoNotOptimize(r);
    }
    state.counters["states"] =
        static_cast<double>(states) / static_cast<double>(state.iterations());
    state.counters["states/s"] =
        benchmark::Counter(static_cast<double>(states), benchmark::Counter::kIsRate);
}

void BM_ExploreDemoGame(benchmark::State &state) {
    explore(state, ProjectPaths(QStringLiteral(DEMO_PROJECT)), 1000000);
}
BENCHMARK(BM_ExploreDemoGame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Peak heap bytes above what was in use before `run`, and its seconds.
template <class Run> std::pair<double, double> measured(Run &&run) {
    const long long before = g_heapBytes.load();
    g_heapPeak = before;
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {took.count(), static_cast<double>(g_heapPeak.load() - before)};
}

// Stopped at 200,000 states: the whole game has far more.
void BM_ExploreGeneratedGame(benchmark::State &state) {
    static GeneratedGame game;
    const GameExplorer explorer = GameExplorer::fromSnapshot(ProjectSnapshot::load(game.paths));
    GameExplorer::Limits limits;
    limits.maxStates = 200000;
    limits.maxSeconds = 600;
    double searchSeconds = 0, bareSeconds = 0, searchBytes = 0, bareBytes = 0;
    qint64 states = 0, bareStates = 0;
    for (auto _ : state) {
        const auto [s, b] = measured([&] {
            const ExploreReport r = explorer.run(limits);
            states += r.states;
            benchmark::DoNotOptimize(r);
        });
        state.PauseTiming();
        const auto [fs, fb] = measured([&] { bareStates += explorer.bareSearch(limits); });
        state.ResumeTiming();
        searchSeconds += s;
        searchBytes = std::max(searchBytes, b);
        bareSeconds += fs;
        bareBytes = std::max(bareBytes, fb);
    }
    if (states != bareStates)
        state.SkipWithError("the bare search found other states");
    state.counters["states"] =
        static_cast<double>(states) / static_cast<double>(state.iterations());
    state.counters["states/s"] =
        benchmark::Counter(static_cast<double>(states), benchmark::Counter::kIsRate);
    state.counters["bare states/s"] = static_cast<double>(bareStates) / bareSeconds;
    state.counters["time x bare"] = searchSeconds / bareSeconds;
    state.counters["bytes/state"] = searchBytes / static_cast<double>(states / state.iterations());
    state.counters["memory x bare"] = searchBytes / bareBytes;
}
BENCHMARK(BM_ExploreGeneratedGame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

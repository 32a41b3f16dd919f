// Start-up of the player and of the editor, each against a bare program measured in the same
// run: CPU time from the start to the first window mapped in a private X server, and the
// resident memory at that moment. The player shows the demo game's title window; its floor is
// a Qt Widgets program linked with SDL_mixer showing an empty window, and the same program
// showing one push button is measured too (its ratios printed beside). The editor's floor is the
// bare Qt Widgets program that shows text: a window with one push button ("hello world"), since
// any window with text pays for Qt's font set-up (fontconfig) and the style's first control; the
// empty window is measured too and its ratios printed beside. The iteration time is the
// program's CPU time; the counters give the means and the ratios (program / floor).

#include "WindowProbe.h"

#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Side {
    QString program;
    QStringList arguments;
    // Prefix of this floor's counters; empty for the floor the main ratios are taken against.
    std::string name;
    double cpuMs = 0, rssMb = 0;
};

void compare(benchmark::State &state, Side program, std::vector<Side> floors) {
    WindowProbe probe;
    if (!probe.error().isEmpty()) {
        state.SkipWithError(probe.error().toStdString().c_str());
        return;
    }
    int runs = 0;
    for (auto _ : state) {
        // Alternated, so that all see the same state of the machine and its caches.
        const WindowProbe::Start p = probe.measure(program.program, program.arguments);
        if (!p.ok) {
            state.SkipWithError(p.error.toStdString().c_str());
            return;
        }
        for (Side &floor : floors) {
            const WindowProbe::Start f = probe.measure(floor.program, floor.arguments);
            if (!f.ok) {
                state.SkipWithError(f.error.toStdString().c_str());
                return;
            }
            floor.cpuMs += f.cpuMs;
            floor.rssMb += f.rssMb;
        }
        state.SetIterationTime(p.cpuMs / 1e3);
        program.cpuMs += p.cpuMs;
        program.rssMb += p.rssMb;
        ++runs;
    }
    if (runs == 0)
        return;
    state.counters["cpu_ms"] = program.cpuMs / runs;
    state.counters["rss_mb"] = program.rssMb / runs;
    for (const Side &floor : floors) {
        const std::string prefix = floor.name.empty() ? std::string() : floor.name + "_";
        state.counters[prefix + "floor_cpu_ms"] = floor.cpuMs / runs;
        state.counters[prefix + "floor_rss_mb"] = floor.rssMb / runs;
        state.counters[prefix + "cpu_ratio"] = program.cpuMs / floor.cpuMs;
        state.counters[prefix + "rss_ratio"] = program.rssMb / floor.rssMb;
    }
}

void BM_PlayerTitleWindowVsBareQtAndMixer(benchmark::State &state) {
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("Demo"));
    if (QProcess::execute(QStringLiteral("cp"),
                          {QStringLiteral("-r"), QStringLiteral(DEMO_PROJECT), project}) != 0) {
        state.SkipWithError("the demo game could not be copied");
        return;
    }
    compare(state, Side{QStringLiteral(QM_RUN), {project}},
            {Side{QStringLiteral(QM_BARE_QT_MIXER), {}},
             Side{QStringLiteral(QM_BARE_QT_MIXER), {QStringLiteral("--button")}, "hello"}});
}
BENCHMARK(BM_PlayerTitleWindowVsBareQtAndMixer)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_EditorWindowVsBareQt(benchmark::State &state) {
    compare(state, Side{QStringLiteral(QM_QUILLMOOR), {}},
            {Side{QStringLiteral(QM_BARE_QT), {QStringLiteral("--button")}},
             Side{QStringLiteral(QM_BARE_QT), {}, "empty"}});
}
BENCHMARK(BM_EditorWindowVsBareQt)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

// What showing any text costs over the empty window: the hello-world program against the
// empty one. No window with text, the editor's included, has a lower ratio to the empty one.
void BM_BareQtButtonVsBareQt(benchmark::State &state) {
    compare(state, Side{QStringLiteral(QM_BARE_QT), {QStringLiteral("--button")}},
            {Side{QStringLiteral(QM_BARE_QT), {}}});
}
BENCHMARK(BM_BareQtButtonVsBareQt)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

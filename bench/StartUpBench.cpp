// Start-up of the player and of the editor, each against a bare program measured in the same
// run: CPU time from the start to the first window mapped in a private X server, and the
// resident memory at that moment. The player shows the demo game's title window; its floor is
// a Qt Widgets program linked with SDL_mixer showing an empty window. The editor's floor is a
// Qt Widgets program alone. The iteration time is the program's CPU time; the counters give
// both programs' means and their ratios (program / floor).

#include "WindowProbe.h"

#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct Side {
    QString program;
    QStringList arguments;
    double cpuMs = 0, rssMb = 0;
};

void compare(benchmark::State &state, Side program, Side floor) {
    WindowProbe probe;
    if (!probe.error().isEmpty()) {
        state.SkipWithError(probe.error().toStdString().c_str());
        return;
    }
    int runs = 0;
    for (auto _ : state) {
        // Alternated, so that both see the same state of the machine and its caches.
        const WindowProbe::Start p = probe.measure(program.program, program.arguments);
        const WindowProbe::Start f = probe.measure(floor.program, floor.arguments);
        if (!p.ok || !f.ok) {
            state.SkipWithError((p.ok ? f.error : p.error).toStdString().c_str());
            return;
        }
        state.SetIterationTime(p.cpuMs / 1e3);
        program.cpuMs += p.cpuMs;
        program.rssMb += p.rssMb;
        floor.cpuMs += f.cpuMs;
        floor.rssMb += f.rssMb;
        ++runs;
    }
    if (runs == 0)
        return;
    state.counters["cpu_ms"] = program.cpuMs / runs;
    state.counters["floor_cpu_ms"] = floor.cpuMs / runs;
    state.counters["cpu_ratio"] = program.cpuMs / floor.cpuMs;
    state.counters["rss_mb"] = program.rssMb / runs;
    state.counters["floor_rss_mb"] = floor.rssMb / runs;
    state.counters["rss_ratio"] = program.rssMb / floor.rssMb;
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
            Side{QStringLiteral(QM_BARE_QT_MIXER), {}});
}
BENCHMARK(BM_PlayerTitleWindowVsBareQtAndMixer)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_EditorWindowVsBareQt(benchmark::State &state) {
    compare(state, Side{QStringLiteral(QM_QUILLMOOR), {}}, Side{QStringLiteral(QM_BARE_QT), {}});
}
BENCHMARK(BM_EditorWindowVsBareQt)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// What showing any text costs over the empty window: the same bare program with one button,
// against the empty one. The editor's ratio above cannot be lower than this one.
void BM_BareQtButtonVsBareQt(benchmark::State &state) {
    compare(state, Side{QStringLiteral(QM_BARE_QT), {QStringLiteral("--button")}},
            Side{QStringLiteral(QM_BARE_QT), {}});
}
BENCHMARK(BM_BareQtButtonVsBareQt)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

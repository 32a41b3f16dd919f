#include <benchmark/benchmark.h>

#ifdef QM_BENCH_WIDGETS
#include <QApplication>
#include <cstdlib>
#else
#include <QCoreApplication>
#endif

int main(int argc, char **argv) {
    // Qt's file classes work without one, but the store is written for a running application;
    // the editor's benchmarks need widgets, drawn offscreen.
#ifdef QM_BENCH_WIDGETS
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

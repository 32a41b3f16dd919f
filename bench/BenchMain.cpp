#include <QCoreApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv) {
    // Qt's file classes work without one, but the store is written for a running application.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

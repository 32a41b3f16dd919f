// How fast a large project opens in the editor: a generated project of 1,000 frames is opened
// (every check of opening a project) and its frames list filled in the "Icons" style, offscreen,
// beside a plain listing of the same Frames/ folder. The list should take at most about twice
// the plain listing: the `ratio` counter (processor time; `ratio_real` by the wall clock) is
// measured against that listing in the same run.

#include "FrameFiles.h"
#include "GeneralInfo.h"
#include "ProjectIntegrity.h"
#include "ProjectLifecycle.h"
#include "ProjectVersion.h"
#include "VariablesFile.h"
#include "frmFrames.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QListView>
#include <QTemporaryDir>

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <time.h>

namespace {

int plainListing();

qint64 threadNanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Times what the loop body passed as `step` does, then the plain listing of Frames/ as many
// times, and reports the ratio of the two.
template <class Step> void measureAgainstListing(benchmark::State &state, Step step) {
    QElapsedTimer clock;
    qint64 spent = 0, spentCpu = 0;
    for (auto _ : state) {
        const qint64 cpu = threadNanoseconds();
        clock.start();
        step();
        spent += clock.nsecsElapsed();
        spentCpu += threadNanoseconds() - cpu;
    }
    const qint64 runs = qMax<qint64>(state.iterations(), 10);
    qint64 floor = 0, floorCpu = 0;
    for (qint64 i = 0; i < runs; ++i) {
        const qint64 cpu = threadNanoseconds();
        clock.start();
        benchmark::DoNotOptimize(plainListing());
        floor += clock.nsecsElapsed();
        floorCpu += threadNanoseconds() - cpu;
    }
    const double n = double(state.iterations());
    state.counters["ratio"] = (double(spentCpu) / n) / (double(floorCpu) / double(runs));
    state.counters["ratio_real"] = (double(spent) / n) / (double(floor) / double(runs));
}

constexpr int kFrames = 1000;

// Made once for every benchmark of the run.
const QString &bigProject() {
    static QTemporaryDir dir;
    static const QString root = [] {
        const ProjectPaths paths(dir.path());
        QDir().mkpath(paths.FramesPath());
        QDir().mkpath(paths.ConfigPath());
        GeneralInfo g;
        g.ProjectName = QStringLiteral("Big");
        g.InitialFrame = QStringLiteral("Frame 0000");
        writeGeneral(paths.ConfigPath() + QStringLiteral("General"), g);
        ProjectIntegrity::write(paths.root(), g.ProjectName);
        ProjectVersion::write(paths.ConfigPath() + QStringLiteral("Version"));
        writeVariablesFile(paths.ConfigPath() + QStringLiteral("Variables"), {});
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(paths.FramesPath() + QStringLiteral("room.bmp"));
        const FrameFiles frames(paths, SoundMode::MultiChannel);
        for (int i = 0; i < kFrames; ++i) {
            FrameProperties p;
            p.BackgroundKind = i % 2;
            p.Background = i % 2 ? QStringLiteral("room.bmp") : QString::number(i * 997);
            frames.writeNewFrame(QStringLiteral("Frame %1").arg(i, 4, 10, QLatin1Char('0')), p);
        }
        return paths.root();
    }();
    return root;
}

int plainListing() {
    static const QString frames = ProjectPaths(bigProject()).FramesPath();
    return int(QDir(frames).entryList({QStringLiteral("*.fme")}, QDir::Files, QDir::Name).size());
}

void BM_PlainListingOfFrames(benchmark::State &state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(plainListing());
}
BENCHMARK(BM_PlainListingOfFrames)->Unit(benchmark::kMillisecond);

void BM_OpenProjectAndFillFramesList(benchmark::State &state) {
    frmFrames window;
    window.resize(640, 480);
    window.show();
    for (auto _ : state) {
        EditorProject project;
        if (!ProjectLifecycle::LoadProject(nullptr, bigProject(), project)) {
            state.SkipWithError("the project did not open");
            break;
        }
        window.setProject(project);
        QCoreApplication::processEvents(); // the list lays out and shows
        benchmark::DoNotOptimize(window.LView()->model()->rowCount());
    }
    if (window.LView()->model()->rowCount() != kFrames)
        state.SkipWithError("the list does not hold every frame");
}
BENCHMARK(BM_OpenProjectAndFillFramesList)->Unit(benchmark::kMillisecond);

// What the list reads: the store's listing of the frames.
void BM_StoreFrameListing(benchmark::State &state) {
    const FrameFiles frames(ProjectPaths(bigProject()), SoundMode::MultiChannel);
    measureAgainstListing(state, [&] { benchmark::DoNotOptimize(frames.list().size()); });
}
BENCHMARK(BM_StoreFrameListing)->Unit(benchmark::kMillisecond);

// The list alone, on a project already open; with `runEvents`, until the window has laid out
// and drawn what is shown.
void fillFramesList(benchmark::State &state, bool runEvents) {
    frmFrames window;
    window.resize(640, 480);
    window.show();
    EditorProject project;
    project.paths = ProjectPaths(bigProject());
    measureAgainstListing(state, [&] {
        window.setProject(project);
        if (runEvents)
            QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.LView()->model()->rowCount());
    });
}
void BM_FillNoEvents(benchmark::State &state) {
    fillFramesList(state, false);
}
BENCHMARK(BM_FillNoEvents)->Unit(benchmark::kMillisecond);
void BM_FillFramesList(benchmark::State &state) {
    fillFramesList(state, true);
}
BENCHMARK(BM_FillFramesList)->Unit(benchmark::kMillisecond);

} // namespace

// How fast a large project opens in the editor: a generated project of 1,000 frames is opened
// (every check of opening a project) and its frames list filled in the "Icons" style, offscreen,
// beside a plain listing of the same Frames/ folder. The list should take at most about twice
// the plain listing.

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

#include <benchmark/benchmark.h>

namespace {

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

void BM_PlainListingOfFrames(benchmark::State &state) {
    const QString frames = ProjectPaths(bigProject()).FramesPath();
    for (auto _ : state) {
        const QStringList names =
            QDir(frames).entryList({QStringLiteral("*.fme")}, QDir::Files, QDir::Name);
        benchmark::DoNotOptimize(names.size());
    }
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
    for (auto _ : state)
        benchmark::DoNotOptimize(frames.list().size());
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
    for (auto _ : state) {
        window.setProject(project);
        if (runEvents)
            QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.LView()->model()->rowCount());
    }
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

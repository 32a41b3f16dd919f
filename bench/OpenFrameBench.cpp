// Opening a large frame in the engine (texts, areas, visibility) beside just reading its files.

#include "AreaFiles.h"
#include "CustomTexts.h"
#include "FrameFiles.h"
#include "GameEngine.h"
#include "GeneralInfo.h"
#include "RecordingMedia.h"
#include "ScriptHost.h"
#include "TextLabels.h"
#include "VariablesFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kAreas = 200;
constexpr int kTexts = 50;

// One frame with 200 areas (visibility conditions on variables) and 50 texts.
class BigFrame {
public:
    BigFrame() {
        paths = ProjectPaths(dir.path());
        for (const QString &f :
             {paths.FramesPath(), paths.AreasPath(), paths.IconsPath(), paths.ConfigPath()})
            QDir().mkpath(f);
        general.InitialFrame = QStringLiteral("Big");
        QStringList variables;
        for (int i = 0; i < 20; ++i)
            variables.append(QStringLiteral("v%1").arg(i));
        bool ok =
            writeGeneral(paths.ConfigPath() + QStringLiteral("General"), general).ok() &&
            writeVariablesFile(paths.ConfigPath() + QStringLiteral("Variables"), variables).ok();
        const FrameFiles frames(paths, SoundMode::MultiChannel);
        FrameProperties f;
        f.Background = QStringLiteral("8421504");
        ok = ok && frames.saveProperties(QStringLiteral("Big"), f, {}).ok() &&
             frames.writeAreaCount(QStringLiteral("Big"), kAreas).ok();
        const AreaFiles areas(paths, SoundMode::MultiChannel, QStringLiteral("Big"));
        for (int n = 1; n <= kAreas && ok; ++n) {
            Area a;
            a.look.Left = (n % 20) * 450;
            a.look.Top = (n / 20) * 600;
            a.look.Width = 400;
            a.look.Height = 500;
            a.look.VisibleIf = 1;
            a.look.ZeroList = {variables[n % 20]};
            a.look.OneList = {variables[(n + 7) % 20]};
            ok = areas.save(n, a).ok();
        }
        const QString folder = areas.folder();
        for (int t = 0; t < kTexts && ok; ++t) {
            TextLabel label;
            label.Caption = QStringLiteral("Text number %1").arg(t);
            label.Left = t * 100;
            label.Top = t * 120;
            ok = writeTextLabel(TextLabels::nextFree(folder), label).ok();
        }
        if (!ok) {
            std::fputs("cannot write the benchmark frame\n", stderr);
            std::abort();
        }
    }

    QTemporaryDir dir;
    ProjectPaths paths;
    GeneralInfo general;
};

BigFrame &frame() {
    static BigFrame f;
    return f;
}

// A new game started on the big frame, media recorded, messages answered by script.
struct OpenedGame {
    explicit OpenedGame(const BigFrame &f)
        : engine(f.paths, f.general, CustomTexts::builtIn(CustomTexts::Games), media, host) {
        host.setEngine(&engine);
        engine.ResetAll();
        engine.StartNewGame();
    }
    ScriptHost host;
    RecordingMediaBackend media{&host};
    GameEngine engine;
};

void BM_OpenFrameInEngine(benchmark::State &state) {
    OpenedGame game(frame());
    GameEngine &engine = game.engine;
    RecordingMediaBackend &media = game.media;
    ScriptHost &host = game.host;
    if (engine.scene().areas.size() != kAreas || engine.scene().texts.size() != kTexts) {
        state.SkipWithError("the frame did not open whole");
        return;
    }
    for (auto _ : state) {
        engine.OpenFrame(QStringLiteral("Big"));
        media.takeLog();
        host.takeReports();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OpenFrameInEngine)->Unit(benchmark::kMillisecond)->UseRealTime();

// The frame's files read once each, nothing else: the floor for opening the frame.
bool readFrameFilesOnce(const BigFrame &f) {
    const FrameFiles frames(f.paths, SoundMode::MultiChannel);
    const AreaFiles areas(f.paths, SoundMode::MultiChannel, QStringLiteral("Big"));
    FrameProperties p;
    int count = 0;
    bool ok = frames.readProperties(QStringLiteral("Big"), p).ok() &&
              frames.readAreaCount(QStringLiteral("Big"), count).ok();
    for (int n = 1; n <= count; ++n) {
        AreaLook look;
        ok = areas.readLook(n, look).ok() && ok;
    }
    for (const QString &file : TextLabels::list(areas.folder())) {
        TextLabel t;
        ok = readTextLabel(areas.folder() + file, t).ok() && ok;
    }
    return ok;
}

void BM_ReadFrameFilesOnly(benchmark::State &state) {
    BigFrame &f = frame();
    for (auto _ : state) {
        if (!readFrameFilesOnce(f)) {
            state.SkipWithError("a file could not be read");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadFrameFilesOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both in turn, so that they share the machine's state: the counter "ratio" is the time of an
// opening over the time of reading the files once (the goal is at most 1.5).
void BM_OpenFrameOverReadingFiles(benchmark::State &state) {
    OpenedGame game(frame());
    GameEngine &engine = game.engine;
    RecordingMediaBackend &media = game.media;
    ScriptHost &host = game.host;
    QElapsedTimer clock;
    qint64 openNs = 0, readNs = 0;
    for (auto _ : state) {
        clock.start();
        engine.OpenFrame(QStringLiteral("Big"));
        openNs += clock.nsecsElapsed();
        media.takeLog();
        host.takeReports();
        clock.start();
        const bool ok = readFrameFilesOnce(frame());
        readNs += clock.nsecsElapsed();
        if (!ok) {
            state.SkipWithError("a file could not be read");
            return;
        }
    }
    state.counters["ratio"] =
        readNs > 0 ? static_cast<double>(openNs) / static_cast<double>(readNs) : 0;
}
BENCHMARK(BM_OpenFrameOverReadingFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

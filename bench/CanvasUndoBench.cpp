// Undo on a crowded frame canvas: a frame of 500 areas, one area moved as the canvas moves a
// selection (a step that names no file beforehand) and the move undone. Each is measured beside
// its floor in the same run: that area's file written once through the store's writer
// (FileAccess::replaceFile, the same bytes). The `ratio` counter is the undo's (or the
// recording's) time over the floor's; the goal is at most 3 for the undo.

#include "AreaFiles.h"
#include "BenchFiles.h"
#include "FileAccess.h"
#include "FrameFiles.h"
#include "FrameUndo.h"
#include "GeneralInfo.h"
#include "ProjectPaths.h"
#include "VariablesFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kAreas = 500;
const QString kFrame = QStringLiteral("Crowded");
const SoundMode kMode = SoundMode::MultiChannel;

// A project whose frame "Crowded" has 500 areas of four files each, its area count and a
// variables list. Area 1 is written by the store; the others are plain copies of its files (no
// sync per file, so that the project is made in a moment).
struct CrowdedProject {
    CrowdedProject() {
        paths = ProjectPaths(dir.path());
        for (const QString &f : {paths.FramesPath(), paths.AreasPath(), paths.ConfigPath()})
            QDir().mkpath(f);
        const FrameFiles frames(paths, kMode);
        const AreaFiles areas(paths, kMode, kFrame);
        Area a;
        a.look.Left = a.look.Top = 450;
        a.look.Width = a.look.Height = 600;
        a.action.TextMessage = QStringLiteral("a crowded frame");
        bool ok = writeGeneral(paths.ConfigPath() + QStringLiteral("General"), GeneralInfo()) &&
                  writeVariablesFile(paths.ConfigPath() + QStringLiteral("Variables"),
                                     {QStringLiteral("lit"), QStringLiteral("open")}) &&
                  frames.saveProperties(kFrame, FrameProperties(), {}).ok() &&
                  frames.writeAreaCount(kFrame, kAreas).ok() && areas.save(1, a).ok();
        for (int n = 2; n <= kAreas && ok; ++n) {
            for (const char *f : {"a.dat", "b.dat", "c.dat", "d.dat"}) {
                const QString suffix = QString::fromLatin1(f);
                ok = ok &&
                     copyBytes(areas.path(1, suffix), areas.folder() + QString::number(n) + suffix);
            }
        }
        if (!ok) {
            std::fputs("cannot write the benchmark project\n", stderr);
            std::abort();
        }
    }
    QTemporaryDir dir;
    ProjectPaths paths;
};

CrowdedProject &crowdedProject() {
    static CrowdedProject p;
    return p;
}

// Area 1 moved by one grid step, right or back, as the canvas moves a selection: one step that
// names no file beforehand.
bool moveArea(FrameUndo &undo, bool back) {
    FrameUndoStep step(undo, QStringLiteral("Move Selection"));
    const AreaFiles areas(crowdedProject().paths, kMode, kFrame);
    AreaLook look;
    if (!areas.readLook(1, look).ok() ||
        !areas.savePosition(1, look.Left + (back ? -15 : 15), look.Top, look.Width, look.Height)
             .ok()) {
        step.fail();
        return false;
    }
    return true;
}

// The floor: area 1's position file written once, with the bytes it holds.
bool writeFloor() {
    const QString path = AreaFiles(crowdedProject().paths, kMode, kFrame).path(1, "a.dat");
    QByteArray bytes;
    return FileAccess::readFile(path, FileAccess::kMaxRecordFileSize, bytes) &&
           FileAccess::replaceFile(path, bytes);
}

// Times the undo of a move (`timeUndo`) or the move itself, and the floor beside it.
void undoBenchmark(benchmark::State &state, bool timeUndo) {
    FrameUndo undo;
    undo.open(crowdedProject().paths, kFrame);
    QElapsedTimer clock;
    qint64 timedNs = 0, floorNs = 0;
    bool back = false;
    for (auto _ : state) {
        clock.start();
        bool ok = moveArea(undo, back) && undo.stack()->count() > 0;
        const qint64 moveNs = clock.nsecsElapsed();
        clock.start();
        ok = ok && undo.undo();
        const qint64 undoNs = clock.nsecsElapsed();
        clock.start();
        ok = ok && writeFloor();
        floorNs += clock.nsecsElapsed();
        if (!ok) {
            state.SkipWithError("the move was not recorded or not undone");
            return;
        }
        const qint64 ns = timeUndo ? undoNs : moveNs;
        timedNs += ns;
        state.SetIterationTime(double(ns) / 1e9);
        back = !back;
    }
    const double n = double(state.iterations());
    state.counters["floor_ms"] = n > 0 ? floorNs / n / 1e6 : 0;
    state.counters["ratio"] = floorNs > 0 ? double(timedNs) / double(floorNs) : 0;
}

void BM_CanvasUndoMoveOnCrowdedFrame(benchmark::State &state) {
    undoBenchmark(state, true);
}
BENCHMARK(BM_CanvasUndoMoveOnCrowdedFrame)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_CanvasUndoRecordMoveOnCrowdedFrame(benchmark::State &state) {
    undoBenchmark(state, false);
}
BENCHMARK(BM_CanvasUndoRecordMoveOnCrowdedFrame)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

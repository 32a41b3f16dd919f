// Dragging an area on the editor's frame canvas (offscreen): a frame of 200 areas and 50 texts
// beside a frame holding only the dragged area. Each drag is a press on the area, 100 moves and
// the release, sent as mouse events to the widgets a person's drag reaches, the canvas painted
// after every move. The goal is a step (a move and its painting) within 1.5 times the empty
// frame's and under 16 ms.

#include "AreaFiles.h"
#include "CanvasSurface.h"
#include "EditorMessages.h"
#include "FrameFiles.h"
#include "GeneralInfo.h"
#include "ProjectLifecycle.h"
#include "TextLabels.h"
#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kAreas = 200;
constexpr int kTexts = 50;
constexpr int kSteps = 100;

// Frames "Big" (200 areas, 50 texts) and "Empty" (area 1 only) of a 640 x 480 project.
struct DragProject {
    DragProject() {
        project.paths = ProjectPaths(dir.path());
        const ProjectPaths &paths = project.paths;
        for (const QString &f : {paths.FramesPath(), paths.AreasPath(), paths.ConfigPath()})
            QDir().mkpath(f);
        bool ok =
            writeGeneral(paths.ConfigPath() + QStringLiteral("General"), project.general).ok();
        const FrameFiles frames(paths, SoundMode::MultiChannel);
        for (const QString &name : {QStringLiteral("Big"), QStringLiteral("Empty")}) {
            const bool big = name == QStringLiteral("Big");
            FrameProperties f;
            f.Background = QStringLiteral("8421504");
            const int count = big ? kAreas : 1;
            ok = ok && frames.saveProperties(name, f, {}).ok() &&
                 frames.writeAreaCount(name, count).ok();
            const AreaFiles areas(paths, SoundMode::MultiChannel, name);
            for (int n = 1; n <= count && ok; ++n) {
                // Area 1 lies at (30, 30) pixels; the others cover the frame in a 20 x 10 grid.
                Area a;
                a.look.Left = n == 1 ? 450 : (n % 20) * 480;
                a.look.Top = n == 1 ? 450 : (n / 20) * 720;
                a.look.Width = 600;
                a.look.Height = 600;
                a.action.TextMessage = QStringLiteral("area %1").arg(n);
                ok = areas.save(n, a).ok();
            }
            for (int t = 0; big && t < kTexts && ok; ++t) {
                TextLabel label;
                label.Caption = QStringLiteral("Text number %1").arg(t);
                label.Left = (t % 10) * 900;
                label.Top = (t / 10) * 1400 + 200;
                ok = writeTextLabel(TextLabels::nextFree(areas.folder()), label).ok();
            }
        }
        if (!ok) {
            std::fputs("cannot write the benchmark project\n", stderr);
            std::abort();
        }
    }
    QTemporaryDir dir;
    EditorProject project;
};

DragProject &dragProject() {
    static DragProject p;
    return p;
}

// A canvas window at the game's size with `frame` open; messages are answered OK.
struct OpenCanvas {
    explicit OpenCanvas(const QString &frame) {
        EditorMessages::setAnswerer([](const QString &, const QString &, Status::Icon,
                                       EngineHost::Buttons) { return EngineHost::Answer::Ok; });
        canvas.show();
        ok = canvas.OpenFrame(dragProject().project, frame) && canvas.area(1);
        QCoreApplication::processEvents();
    }
    frmMain canvas;
    bool ok = false;
};

void send(QWidget *to, QEvent::Type type, const QPoint &at, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(at), to->mapToGlobal(QPointF(at)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(to, &e);
}

// Area 1 dragged by 100 pixels right (or back left) in 100 moves, the canvas painted after
// each; false when the area did not land where it was dropped.
bool dragOnce(frmMain &canvas, bool back) {
    QLabel *area = canvas.area(1);
    QWidget *surface = canvas.BackImage();
    const QPoint grab(10, 10);
    const QPoint start = area->mapTo(surface, grab);
    send(area, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    QCoreApplication::processEvents();
    for (int i = 1; i <= kSteps; ++i) {
        send(surface, QEvent::MouseMove, start + QPoint(back ? -i : i, i % 2), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    const QPoint end = start + QPoint(back ? -kSteps : kSteps, 0);
    send(surface, QEvent::MouseButtonRelease, end, Qt::NoButton);
    QCoreApplication::processEvents();
    return canvas.area(1)->mapTo(surface, grab) == end;
}

void dragBenchmark(benchmark::State &state, const QString &frame) {
    OpenCanvas open(frame);
    if (!open.ok) {
        state.SkipWithError("the frame did not open");
        return;
    }
    bool back = false;
    for (auto _ : state) {
        if (!dragOnce(open.canvas, back)) {
            state.SkipWithError("the area did not move");
            return;
        }
        back = !back;
    }
    state.SetItemsProcessed(state.iterations() * kSteps);
}

void BM_DragAreaOnBigFrame(benchmark::State &state) {
    dragBenchmark(state, QStringLiteral("Big"));
}
BENCHMARK(BM_DragAreaOnBigFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DragAreaOnEmptyFrame(benchmark::State &state) {
    dragBenchmark(state, QStringLiteral("Empty"));
}
BENCHMARK(BM_DragAreaOnEmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both drags in turn, so that they share the machine's state: "ms_per_step" is a step on the
// big frame, "ratio" its time over the empty frame's (the goal is at most 1.5).
void BM_DragBigOverEmptyFrame(benchmark::State &state) {
    OpenCanvas big(QStringLiteral("Big"));
    OpenCanvas empty(QStringLiteral("Empty"));
    if (!big.ok || !empty.ok) {
        state.SkipWithError("a frame did not open");
        return;
    }
    QElapsedTimer clock;
    qint64 bigNs = 0, emptyNs = 0;
    bool back = false;
    for (auto _ : state) {
        clock.start();
        bool ok = dragOnce(big.canvas, back);
        bigNs += clock.nsecsElapsed();
        clock.start();
        ok = dragOnce(empty.canvas, back) && ok;
        emptyNs += clock.nsecsElapsed();
        if (!ok) {
            state.SkipWithError("an area did not move");
            return;
        }
        back = !back;
    }
    const double steps = double(state.iterations()) * kSteps;
    state.counters["ms_per_step"] = steps > 0 ? bigNs / steps / 1e6 : 0;
    state.counters["empty_ms_per_step"] = steps > 0 ? emptyNs / steps / 1e6 : 0;
    state.counters["ratio"] = emptyNs > 0 ? double(bigNs) / double(emptyNs) : 0;
}
BENCHMARK(BM_DragBigOverEmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

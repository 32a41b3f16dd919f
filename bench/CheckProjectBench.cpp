// How `qmtool check` and `qmtool dump` grow with a project: generated projects of frames as the
// editor's "new frame" writes them (a .fme alone) and of complete frames (.fme, .chn, .lks, areas
// and texts), each measured beside its floor: one pass reading every file of the project once.
// The `ratio` counter is the operation's processor time over the floor's, measured in the same
// run; it should stay at most about 2, and `us_per_frame` (processor time) flat as the project
// grows.

#include "AreaFiles.h"
#include "BenchFiles.h"
#include "FrameFiles.h"
#include "GeneralInfo.h"
#include "ProjectCheck.h"
#include "ProjectDump.h"
#include "ProjectIntegrity.h"
#include "ProjectPaths.h"
#include "ProjectSnapshot.h"
#include "ProjectVersion.h"
#include "TextLabels.h"
#include "VariablesFile.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QMap>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <time.h>

namespace {

constexpr int kAreas = 3;
const SoundMode kMode = SoundMode::MultiChannel;

QString frameName(int f) {
    return QStringLiteral("Room %1").arg(f, 5, 10, QLatin1Char('0'));
}

// A project of `frames` frames. The first frame is written by the store's writers; the others
// are plain copies of its files (no sync per file, so that thousands are made in seconds).
class Generated {
public:
    Generated(int frames, bool complete) : frames(frames) {
        paths = ProjectPaths(m_dir.path() + QStringLiteral("/P"));
        for (const QString &f :
             {paths.FramesPath(), paths.AreasPath(), paths.IconsPath(), paths.ConfigPath()})
            QDir().mkpath(f);
        GeneralInfo g;
        g.ProjectName = QStringLiteral("Grow");
        g.InitialFrame = frameName(0);
        const QStringList variables{QStringLiteral("lit"), QStringLiteral("open")};
        ok = writeGeneral(paths.ConfigPath() + QStringLiteral("General"), g) &&
             ProjectVersion::write(paths.ConfigPath() + QStringLiteral("Version")) &&
             writeVariablesFile(paths.ConfigPath() + QStringLiteral("Variables"), variables) &&
             ProjectIntegrity::write(paths.root(), g.ProjectName);
        const FrameFiles files(paths, kMode);
        const QString first = frameName(0);
        FrameProperties props;
        props.BackgroundKind = 0;
        props.Background = QStringLiteral("12632256");
        if (!complete) {
            ok = ok && files.writeNewFrame(first, props).ok();
        } else {
            props.TimerEnabled = true;
            props.TimerFrame = first;
            ok = ok &&
                 files.saveProperties(first, props, QList<ChannelRecord>(channelCount(kMode)))
                     .ok() &&
                 files.writeAreaCount(first, kAreas).ok();
            const AreaFiles areas(paths, kMode, first);
            for (int n = 1; ok && n <= kAreas; ++n) {
                Area a;
                a.look.Left = 300 * n;
                a.look.Width = 900;
                a.look.Height = 600;
                a.look.ZeroList = QStringList{QStringLiteral("lit")};
                a.action.GoToFrame = 1;
                a.action.TargetFrame = first;
                a.action.ShowText = 1;
                a.action.TextMessage = QStringLiteral("Nothing happens.");
                a.action.ChangeVariablesLists = 1;
                a.action.SetOneList = QStringList{QStringLiteral("open")};
                a.sounds = QList<ChannelRecord>(channelCount(kMode));
                ok = areas.save(n, a).ok();
            }
            TextLabel label;
            label.Caption = QStringLiteral("A sign");
            ok = ok && writeTextLabel(areas.folder() + TextLabels::fileName(1), label);
        }
        const QStringList frameFiles = QDir(paths.FramesPath()).entryList(QDir::Files);
        const QString areaFolder = paths.AreasPath() + first + QLatin1Char('/');
        const QStringList areaFiles = QDir(areaFolder).entryList(QDir::Files);
        for (int f = 1; ok && f < frames; ++f) {
            const QString name = frameName(f);
            for (const QString &file : frameFiles)
                ok = ok && copyBytes(paths.FramesPath() + file,
                                     paths.FramesPath() + name + file.mid(first.size()));
            if (areaFiles.isEmpty())
                continue;
            const QString to = paths.AreasPath() + name + QLatin1Char('/');
            ok = ok && QDir().mkpath(to);
            for (const QString &file : areaFiles)
                ok = ok && copyBytes(areaFolder + file, to + file);
        }
    }

    QTemporaryDir m_dir;
    ProjectPaths paths;
    int frames = 0;
    bool ok = true;
};

const Generated &project(int frames, bool complete) {
    static QMap<QPair<int, bool>, std::shared_ptr<Generated>> made;
    auto &p = made[qMakePair(frames, complete)];
    if (!p)
        p = std::make_shared<Generated>(frames, complete);
    return *p;
}

// The floor: every file of the project read once, in one pass over its folders.
qint64 readEveryFile(const QString &root) {
    qint64 bytes = 0;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            bytes += f.readAll().size();
    }
    return bytes;
}

// Time this thread has spent on the processor, in nanoseconds: on a busy machine the fairer
// clock for work that is all in memory and in the file system's cache.
qint64 threadNanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Runs `operation` under the benchmark's clock, then the floor as many times (at most 20), and
// reports their ratio: `ratio` by processor time, `ratio_real` by the wall clock.
template <class Operation>
void measureAgainstFloor(benchmark::State &state, const Generated &p, Operation operation) {
    if (!p.ok) {
        state.SkipWithError("the project could not be generated");
        return;
    }
    QElapsedTimer clock;
    qint64 spent = 0;
    qint64 spentCpu = 0;
    for (auto _ : state) {
        const qint64 cpu = threadNanoseconds();
        clock.start();
        operation();
        spent += clock.nsecsElapsed();
        spentCpu += threadNanoseconds() - cpu;
    }
    const qint64 runs = qMin<qint64>(qMax<qint64>(state.iterations(), 3), 20);
    qint64 floor = 0;
    qint64 floorCpu = 0;
    for (qint64 i = 0; i < runs; ++i) {
        const qint64 cpu = threadNanoseconds();
        clock.start();
        benchmark::DoNotOptimize(readEveryFile(p.paths.root()));
        floor += clock.nsecsElapsed();
        floorCpu += threadNanoseconds() - cpu;
    }
    const double n = double(state.iterations());
    state.counters["ratio"] = (double(spentCpu) / n) / (double(floorCpu) / double(runs));
    state.counters["ratio_real"] = (double(spent) / n) / (double(floor) / double(runs));
    state.counters["floor_ms"] = double(floorCpu) / double(runs) / 1e6;
    state.counters["us_per_frame"] = double(spentCpu) / n / 1e3 / p.frames;
}

void BM_CheckNewFrames(benchmark::State &state) {
    const Generated &p = project(int(state.range(0)), false);
    measureAgainstFloor(state, p,
                        [&] { benchmark::DoNotOptimize(checkProjectAt(p.paths).size()); });
}
BENCHMARK(BM_CheckNewFrames)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CheckCompleteFrames(benchmark::State &state) {
    const Generated &p = project(int(state.range(0)), true);
    measureAgainstFloor(state, p,
                        [&] { benchmark::DoNotOptimize(checkProjectAt(p.paths).size()); });
}
BENCHMARK(BM_CheckCompleteFrames)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_DumpCompleteFrames(benchmark::State &state) {
    const Generated &p = project(int(state.range(0)), true);
    measureAgainstFloor(state, p, [&] {
        qint64 bytes = 0;
        writeProjectJson(p.paths, [&](const QByteArray &json) { bytes += json.size(); });
        benchmark::DoNotOptimize(bytes);
    });
}
BENCHMARK(BM_DumpCompleteFrames)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

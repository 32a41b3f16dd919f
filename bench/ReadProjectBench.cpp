// How fast the store reads projects: a generated project of 500 frames with 20 areas each, read
// whole through ProjectSnapshot::load, and one full action record parsed from memory and read
// from disk.

#include "ActionRecord.h"
#include "AreaFiles.h"
#include "ChannelFile.h"
#include "FrameFiles.h"
#include "GeneralInfo.h"
#include "ProjectIntegrity.h"
#include "ProjectPaths.h"
#include "ProjectSnapshot.h"
#include "ProjectVersion.h"
#include "RecordReader.h"
#include "TextLabels.h"
#include "VariablesFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kFrames = 500;
constexpr int kAreasPerFrame = 20;
constexpr int kTextsPerFrame = 2;
constexpr int kVariables = 50;
const SoundMode kMode = SoundMode::MultiChannel;

QString frameName(int f) {
    return QStringLiteral("Room %1").arg(f, 3, 10, QLatin1Char('0'));
}
QString variableName(int v) {
    return QStringLiteral("flag %1").arg(v, 2, 10, QLatin1Char('0'));
}

QList<ChannelRecord> sounds(int seed) {
    QList<ChannelRecord> channels;
    for (int i = 0; i < channelCount(kMode); ++i) {
        ChannelRecord c;
        if (i == seed % 3) {
            c.NoAction = false;
            c.PlaySound = true;
            c.SoundFile = QStringLiteral("sound%1.wav").arg(seed % 7);
            c.Loop = 1;
        }
        channels.append(c);
    }
    return channels;
}

// Every field and list filled, so each read costs what a real one does.
ActionRecord fullAction(int f, int n) {
    ActionRecord a;
    a.ChangeVariables = 1;
    a.ShowText = 1;
    a.TextMessage = QStringLiteral("You look at thing %1 in room %2.").arg(n).arg(f);
    a.GoToFrame = 1;
    a.TargetFrame = frameName((f + 1) % kFrames);
    a.StopMidi = 1;
    a.PlayVideo = n % 2;
    a.VideoFile = QStringLiteral("scene.avi");
    a.VideoAtPosition = true;
    a.VideoLeft = 120.5;
    a.VideoTop = 240;
    a.VideoWidth = 3000;
    a.VideoHeight = 2250;
    a.PlayMidi = 1;
    a.MidiFile = QStringLiteral("theme.mid");
    a.Mp3File = QStringLiteral("walk.mp3");
    a.TextOnBackground = 1;
    a.ChangeVariablesLists = 1;
    a.SetZeroList = QStringList{variableName(n), variableName(n + 1)};
    a.SetOneList = QStringList{variableName(n + 2)};
    a.InvertList = QStringList{variableName(n + 3)};
    return a;
}

Area fullArea(int f, int n) {
    Area area;
    area.look.Left = 300 * n;
    area.look.Top = 150 * n;
    area.look.Width = 1500;
    area.look.Height = 1200;
    area.look.HasPicture = true;
    area.look.PictureFile = QStringLiteral("thing%1.bmp").arg(n);
    area.look.MousePointer = QStringLiteral("hand.cur");
    area.look.VisibleIf = 1;
    area.look.ZeroList = QStringList{variableName(n)};
    area.look.OneList = QStringList{variableName(n + 1), variableName(n + 2)};
    area.action = fullAction(f, n);
    area.item.PickItem = n % 2;
    area.item.ItemName = QStringLiteral("Thing %1").arg(n);
    area.sounds = sounds(f + n);
    return area;
}

// The project, written once per run with the store's own writers.
class GeneratedProject {
public:
    GeneratedProject() {
        QElapsedTimer timer;
        timer.start();
        m_error = generate();
        if (m_error.isEmpty())
            std::fprintf(stderr, "generated a project of %d frames x %d areas in %.1f s\n", kFrames,
                         kAreasPerFrame, timer.elapsed() / 1000.0);
    }

    const QString &error() const { return m_error; }
    const ProjectPaths &paths() const { return m_paths; }

private:
    QString generate() {
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        m_paths = ProjectPaths(m_dir.path() + QStringLiteral("/Bench"));
        for (const QString &folder : {m_paths.FramesPath(), m_paths.AreasPath(),
                                      m_paths.IconsPath(), m_paths.ConfigPath()}) {
            if (!QDir().mkpath(folder))
                return QStringLiteral("cannot create ") + folder;
        }

        GeneralInfo general;
        general.ProjectName = QStringLiteral("Bench");
        general.SoftwareTitle = QStringLiteral("The Benchmark Manor");
        general.InitialFrame = frameName(0);
        general.Author = QStringLiteral("Quillmoor");
        QStringList variables;
        for (int v = 0; v < kVariables; ++v)
            variables.append(variableName(v));
        if (!writeGeneral(m_paths.ConfigPath() + QStringLiteral("General"), general) ||
            !ProjectVersion::write(m_paths.ConfigPath() + QStringLiteral("Version")) ||
            !writeVariablesFile(m_paths.ConfigPath() + QStringLiteral("Variables"), variables) ||
            !ProjectIntegrity::write(m_paths.root(), general.ProjectName))
            return QStringLiteral("cannot write the project's configuration");

        const FrameFiles frames(m_paths, kMode);
        for (int f = 0; f < kFrames; ++f) {
            const QString frame = frameName(f);
            FrameProperties props;
            props.BackgroundKind = 1;
            props.Background = QStringLiteral("room%1.bmp").arg(f);
            props.MidiFile = QStringLiteral("theme.mid");
            props.TimerFrame = frameName((f + 1) % kFrames);
            if (!frames.saveProperties(frame, props, sounds(f)) ||
                !frames.writeAreaCount(frame, kAreasPerFrame))
                return QStringLiteral("cannot write frame ") + frame;
            const AreaFiles areas(m_paths, kMode, frame);
            for (int n = 1; n <= kAreasPerFrame; ++n) {
                if (!areas.save(n, fullArea(f, n)))
                    return QStringLiteral("cannot write the areas of ") + frame;
            }
            for (int t = 1; t <= kTextsPerFrame; ++t) {
                TextLabel label;
                label.Caption = QStringLiteral("Room %1, sign %2").arg(f).arg(t);
                label.Left = 600 * t;
                label.Top = 300;
                if (!writeTextLabel(areas.folder() + TextLabels::fileName(t), label))
                    return QStringLiteral("cannot write the texts of ") + frame;
            }
        }
        return QString();
    }

    QTemporaryDir m_dir;
    ProjectPaths m_paths;
    QString m_error;
};

const GeneratedProject &project() {
    static const GeneratedProject p;
    return p;
}

// The files a load read, and how many of them read without error.
struct FileTally {
    int read = 0;
    int usable = 0;
    template <class T> void add(const Loaded<T> &l) {
        if (!l.present)
            return;
        ++read;
        if (l.status.ok())
            ++usable;
    }
};

FileTally tally(const ProjectSnapshot &p) {
    FileTally t;
    t.add(p.general);
    t.add(p.version);
    t.add(p.projectDat);
    t.add(p.texts);
    t.add(p.variables);
    t.add(p.options);
    for (const FrameSnapshot &f : p.frames) {
        t.add(f.fme);
        t.add(f.chn);
        t.add(f.areaCount);
        for (const AreaSnapshot &a : f.areas) {
            t.add(a.a);
            t.add(a.b);
            t.add(a.c);
            t.add(a.d);
        }
        for (const Loaded<TextLabel> &l : f.texts)
            t.add(l);
    }
    return t;
}

void BM_LoadProject(benchmark::State &state) {
    const GeneratedProject &gen = project();
    if (!gen.error().isEmpty()) {
        state.SkipWithError(qPrintable(gen.error()));
        return;
    }
    // The project must read back whole, or the figure would measure a shortcut.
    const FileTally expected = tally(ProjectSnapshot::load(gen.paths()));
    const int wanted = 4 + kFrames * (3 + kAreasPerFrame * 4 + kTextsPerFrame);
    if (expected.read != wanted || expected.usable != wanted) {
        state.SkipWithError("the generated project did not read back whole");
        return;
    }
    for (auto _ : state) {
        ProjectSnapshot p = ProjectSnapshot::load(gen.paths());
        benchmark::DoNotOptimize(p);
    }
    state.counters["files"] = expected.read;
    state.counters["files_per_s"] = benchmark::Counter(
        double(expected.read) * double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5.0);

// readActionRecord's reads, from bytes already in memory.
bool parseActionRecord(const QByteArray &bytes, ActionRecord &a) {
    RecordReader r(bytes);
    return readActionRecordFrom(r, a);
}

// One full action record, written by the store's writer, for the micro benchmarks; kept apart
// from the large project so that they run without generating it.
struct SampleRecord {
    SampleRecord() {
        path = dir.path() + QStringLiteral("/1b.dat");
        if (!writeActionRecord(path, fullAction(1, 1), Status::failure(QStringLiteral("write"))))
            return;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
    }
    QTemporaryDir dir;
    QString path;
    QByteArray bytes;
};

const SampleRecord &sampleRecord() {
    static const SampleRecord r;
    return r;
}

void BM_ParseActionRecord(benchmark::State &state) {
    const QByteArray &bytes = sampleRecord().bytes;
    ActionRecord check;
    if (!parseActionRecord(bytes, check) || check.InvertList.size() != 1) {
        state.SkipWithError("the action record does not parse");
        return;
    }
    for (auto _ : state) {
        ActionRecord a;
        benchmark::DoNotOptimize(parseActionRecord(bytes, a));
        benchmark::DoNotOptimize(a);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ParseActionRecord);

void BM_ReadActionRecordFile(benchmark::State &state) {
    const QString &path = sampleRecord().path;
    ActionRecord check;
    if (path.isEmpty() || !readActionRecord(path, check)) {
        state.SkipWithError("the action record does not read");
        return;
    }
    for (auto _ : state) {
        ActionRecord a;
        benchmark::DoNotOptimize(readActionRecord(path, a).ok());
        benchmark::DoNotOptimize(a);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadActionRecordFile)->UseRealTime();

} // namespace

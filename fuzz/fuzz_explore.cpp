// The explorer over small games made from the input: frames, areas that show on variables, pick
// up items, change variables, hide, go to frames (some missing or spelled in other letter
// cases), go back or end the game, drops, item combinations and frame timers, all written through
// the store. The search must not crash, and every walkthrough it reports must end the game when
// the engine plays it as `qmtool play` does, at its last step and not before.

#include "ActionRecord.h"
#include "AreaFiles.h"
#include "FileAccess.h"
#include "FrameFiles.h"
#include "GameExplorer.h"
#include "GeneralInfo.h"
#include "Items.h"
#include "PlayCommand.h"
#include "ProjectIntegrity.h"
#include "ProjectPaths.h"
#include "ProjectSnapshot.h"
#include "ProjectVersion.h"
#include "ScratchFolder.h"
#include "VariablesFile.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QStringList kVariables = {QStringLiteral("v0"), QStringLiteral("v1"), QStringLiteral("v2")};
const QStringList kItems = {QStringLiteral("Key"), QStringLiteral("Lamp"), QStringLiteral("Coin")};
// Small enough that writing and reading the game back stays within a few milliseconds.
constexpr int kMaxFrames = 3;
constexpr int kMaxAreas = 3;

void require(const Status &status) {
    if (!status) {
        std::fprintf(stderr, "fuzz_explore: cannot write the game: %s\n",
                     qPrintable(status.text()));
        std::abort();
    }
}

// A project folder, emptied before each game.
class Scratch {
public:
    Scratch() : m_dir(scratchParent() + QStringLiteral("/qm-fuzz-explore-XXXXXX")) {
        if (!m_dir.isValid())
            std::abort();
        m_paths = ProjectPaths(m_dir.path());
    }

    const ProjectPaths &fresh() const {
        QDir(m_paths.root()).removeRecursively();
        for (const QString &folder : {m_paths.FramesPath(), m_paths.AreasPath(),
                                      m_paths.IconsPath(), m_paths.ConfigPath()}) {
            if (!QDir().mkpath(folder))
                std::abort();
        }
        return m_paths;
    }

private:
    QTemporaryDir m_dir;
    ProjectPaths m_paths;
};

class GameWriter {
public:
    GameWriter(FuzzedDataProvider &in, const ProjectPaths &paths)
        : in(in), m_paths(paths), m_frames(paths, SoundMode::MultiChannel) {}

    void write() {
        const QString name = QStringLiteral("Fuzz");
        GeneralInfo general;
        general.ProjectName = name;
        general.SoftwareTitle = name;
        general.InitialFrame = frameName(0);
        require(writeGeneral(m_paths.ConfigPath() + QStringLiteral("General"), general));
        require(ProjectVersion::write(m_paths.ConfigPath() + QStringLiteral("Version")));
        require(ProjectIntegrity::write(m_paths.root(), name));
        m_variableCount = in.ConsumeIntegralInRange(0, int(kVariables.size()));
        require(writeVariablesFile(m_paths.ConfigPath() + QStringLiteral("Variables"),
                                   kVariables.mid(0, m_variableCount)));
        const Items items(m_paths);
        const int itemCount = in.ConsumeIntegralInRange(0, int(kItems.size()));
        for (int i = 0; i < itemCount; ++i) {
            const QString picture = kItems[i] + QStringLiteral(".bmp");
            // A missing picture is one more thing the game reports.
            if (in.ConsumeIntegralInRange(0, 7) != 0 &&
                !FileAccess::replaceFile(m_paths.AreasPath() + picture, QByteArray()))
                std::abort();
            require(items.write(kItems[i], ItemFile{picture}));
        }
        const int frameCount = in.ConsumeIntegralInRange(1, kMaxFrames);
        for (int f = 0; f < frameCount; ++f)
            frame(frameName(f));
        const int events = in.ConsumeIntegralInRange(0, 2);
        for (int e = 0; e < events; ++e) {
            ItemEvent ev;
            ev.First = itemName();
            ev.Second = itemName();
            ev.RemoveFirst = in.ConsumeBool();
            ev.RemoveSecond = in.ConsumeBool();
            if (in.ConsumeBool()) {
                ev.AddNew = 1;
                ev.NewItem = itemName();
            }
            if (Items::checkEvent(ev))
                require(items.writeEvent(ev));
        }
    }

private:
    static QString frameName(int f) { return QStringLiteral("F%1").arg(f); }

    // A frame to go to: mostly one that exists, sometimes in other letters or missing.
    QString target() {
        switch (in.ConsumeIntegralInRange(0, 7)) {
        case 6:
            return QStringLiteral("f1");
        case 7:
            return QStringLiteral("Gone");
        default:
            return frameName(in.ConsumeIntegralInRange(0, kMaxFrames - 1));
        }
    }

    QString itemName() {
        const int i = in.ConsumeIntegralInRange(0, int(kItems.size()));
        if (i == kItems.size())
            return QStringLiteral("Ghost");
        return in.ConsumeIntegralInRange(0, 3) == 0 ? kItems[i].toUpper() : kItems[i];
    }

    // A few names of variables, now and then one the project does not declare.
    QStringList variables() {
        QStringList out;
        const int n = in.ConsumeIntegralInRange(0, 2);
        for (int i = 0; i < n; ++i) {
            const int v = in.ConsumeIntegralInRange(0, int(kVariables.size()));
            out.append(v == kVariables.size() ? QStringLiteral("stray") : kVariables[v]);
        }
        return out;
    }

    ActionRecord action() {
        ActionRecord a;
        const auto what = in.ConsumeIntegral<std::uint16_t>();
        if (what & 0x1) {
            a.ChangeVariables = 1; // line 40 is written from it
            a.SetZeroList = variables();
            a.SetOneList = variables();
            a.InvertList = variables();
        }
        if ((what & 0x2) && m_variableCount > 0) {
            a.LegacyVariable = kVariables[in.ConsumeIntegralInRange(0, m_variableCount - 1)];
            const int how = in.ConsumeIntegralInRange(0, 2);
            a.LegacySetZero = how == 0;
            a.LegacySetOne = how == 1;
            a.LegacyInvert = how == 2;
        }
        a.HideOrRemove = (what & 0x4) ? 1 : 0;
        a.CloseProgram = (what & 0x8) && in.ConsumeIntegralInRange(0, 3) == 0 ? 1 : 0;
        if (what & 0x10) {
            a.GoToFrame = 1;
            a.TargetFrame = target();
        }
        a.GoBack = (what & 0x20) ? 1 : 0;
        if (what & 0x40) {
            a.ShowText = 1;
            a.TextMessage = QStringLiteral("Hello");
            a.TextOnBackground = in.ConsumeBool();
        }
        if (what & 0x80) {
            a.PlayMidi = 1;
            a.MidiFile = QStringLiteral("missing.mid");
        }
        return a;
    }

    void frame(const QString &name) {
        FrameProperties props;
        if (in.ConsumeIntegralInRange(0, 3) == 0) {
            static const char *const seconds[] = {"0.5", "1.5", "3", "0", "70", "soon"};
            props.TimerEnabled = true;
            props.TimerSeconds = QString::fromLatin1(seconds[in.ConsumeIntegralInRange(0, 5)]);
            props.TimerFrame = in.ConsumeIntegralInRange(0, 4) == 0
                                   ? QStringLiteral("[last visited frame]")
                                   : target();
        }
        require(m_frames.saveProperties(name, props, {}));
        const AreaFiles files(m_paths, SoundMode::MultiChannel, name);
        const int count = in.ConsumeIntegralInRange(0, kMaxAreas);
        require(m_frames.writeAreaCount(name, count));
        if (!QDir().mkpath(files.folder()))
            std::abort();
        for (int n = 1; n <= count; ++n) {
            Area area;
            if (in.ConsumeIntegralInRange(0, 2) == 0) {
                area.look.VisibleIf = 1;
                area.look.ZeroList = variables();
                area.look.OneList = variables();
            }
            if (in.ConsumeIntegralInRange(0, 2) == 0) {
                area.item.PickItem = 1;
                area.item.ItemName = itemName();
            }
            if (in.ConsumeBool())
                area.action = action();
            require(files.save(n, area));
            if (in.ConsumeBool()) {
                DropEvent drop;
                drop.action = action();
                require(files.saveDropEvent(n, itemName(), drop));
            }
        }
    }

    FuzzedDataProvider &in;
    ProjectPaths m_paths;
    FrameFiles m_frames;
    int m_variableCount = 0;
};

// Plays the walkthrough as `qmtool play` does; aborts unless the game closes at its last step
// and not before.
void replay(const ProjectPaths &paths, const QStringList &walkthrough) {
    QList<QJsonObject> states;
    const int status = playSteps(paths.root(), walkthrough,
                                 [&](const QJsonObject &state) { states.append(state); });
    bool ends =
        status == 0 && !states.isEmpty() && states.last()[QStringLiteral("closed")].toBool();
    for (int i = 0; ends && i + 1 < states.size(); ++i)
        ends = !states[i][QStringLiteral("closed")].toBool();
    if (ends)
        return;
    std::fprintf(stderr, "fuzz_explore: the walkthrough does not end the game: %s\n",
                 qPrintable(walkthrough.join(QLatin1Char(' '))));
    for (const QJsonObject &state : states)
        std::fprintf(stderr, "  %s\n",
                     QJsonDocument(state).toJson(QJsonDocument::Compact).constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    static const Scratch scratch;
    const ProjectPaths &paths = scratch.fresh();
    FuzzedDataProvider in(data, size);
    GameWriter(in, paths).write();

    GameExplorer::Limits limits;
    limits.maxStates = 500;
    limits.maxSeconds = 0.5;
    const ExploreReport report =
        GameExplorer::fromSnapshot(ProjectSnapshot::load(paths)).run(limits);
    if (report.endReachable)
        replay(paths, report.walkthrough);
    return 0;
}

#include "RandomGame.h"

#include "ActionRecord.h"
#include "AreaFiles.h"
#include "FileAccess.h"
#include "FrameFiles.h"
#include "GeneralInfo.h"
#include "Items.h"
#include "ProjectIntegrity.h"
#include "ProjectVersion.h"
#include "VariablesFile.h"

#include <QDir>
#include <QStringList>

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
        std::fprintf(stderr, "random game: cannot write the game: %s\n", qPrintable(status.text()));
        std::abort();
    }
}

class GameWriter {
public:
    GameWriter(const std::function<int(int, int)> &choose, const ProjectPaths &paths)
        : choose(choose), m_paths(paths), m_frames(paths, SoundMode::MultiChannel) {}

    void write() {
        const QString name = QStringLiteral("Fuzz");
        GeneralInfo general;
        general.ProjectName = name;
        general.SoftwareTitle = name;
        general.InitialFrame = frameName(0);
        require(writeGeneral(m_paths.ConfigPath() + QStringLiteral("General"), general));
        require(ProjectVersion::write(m_paths.ConfigPath() + QStringLiteral("Version")));
        require(ProjectIntegrity::write(m_paths.root(), name));
        m_variableCount = choose(0, int(kVariables.size()));
        require(writeVariablesFile(m_paths.ConfigPath() + QStringLiteral("Variables"),
                                   kVariables.mid(0, m_variableCount)));
        const Items items(m_paths);
        const int itemCount = choose(0, int(kItems.size()));
        for (int i = 0; i < itemCount; ++i) {
            const QString picture = kItems[i] + QStringLiteral(".bmp");
            // A missing picture is one more thing the game reports.
            if (choose(0, 7) != 0 &&
                !FileAccess::replaceFile(m_paths.AreasPath() + picture, QByteArray()))
                std::abort();
            require(items.write(kItems[i], ItemFile{picture}));
        }
        const int frameCount = choose(1, kMaxFrames);
        for (int f = 0; f < frameCount; ++f)
            frame(frameName(f));
        const int events = choose(0, 2);
        for (int e = 0; e < events; ++e) {
            ItemEvent ev;
            ev.First = itemName();
            ev.Second = itemName();
            ev.RemoveFirst = choose(0, 1);
            ev.RemoveSecond = choose(0, 1);
            if (choose(0, 1)) {
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
        switch (choose(0, 7)) {
        case 6:
            return QStringLiteral("f1");
        case 7:
            return QStringLiteral("Gone");
        default:
            return frameName(choose(0, kMaxFrames - 1));
        }
    }

    QString itemName() {
        const int i = choose(0, int(kItems.size()));
        if (i == kItems.size())
            return QStringLiteral("Ghost");
        return choose(0, 3) == 0 ? kItems[i].toUpper() : kItems[i];
    }

    // A few names of variables, now and then one the project does not declare.
    QStringList variables() {
        QStringList out;
        const int n = choose(0, 2);
        for (int i = 0; i < n; ++i) {
            const int v = choose(0, int(kVariables.size()));
            out.append(v == kVariables.size() ? QStringLiteral("stray") : kVariables[v]);
        }
        return out;
    }

    ActionRecord action() {
        ActionRecord a;
        const auto what = choose(0, 0xffff);
        if (what & 0x1) {
            a.ChangeVariables = 1; // line 40 is written from it
            a.SetZeroList = variables();
            a.SetOneList = variables();
            a.InvertList = variables();
        }
        if ((what & 0x2) && m_variableCount > 0) {
            a.LegacyVariable = kVariables[choose(0, m_variableCount - 1)];
            const int how = choose(0, 2);
            a.LegacySetZero = how == 0;
            a.LegacySetOne = how == 1;
            a.LegacyInvert = how == 2;
        }
        a.HideOrRemove = (what & 0x4) ? 1 : 0;
        a.CloseProgram = (what & 0x8) && choose(0, 3) == 0 ? 1 : 0;
        if (what & 0x10) {
            a.GoToFrame = 1;
            a.TargetFrame = target();
        }
        a.GoBack = (what & 0x20) ? 1 : 0;
        if (what & 0x40) {
            a.ShowText = 1;
            a.TextMessage = QStringLiteral("Hello");
            a.TextOnBackground = choose(0, 1);
        }
        if (what & 0x80) {
            a.PlayMidi = 1;
            a.MidiFile = QStringLiteral("missing.mid");
        }
        return a;
    }

    void frame(const QString &name) {
        FrameProperties props;
        if (choose(0, 3) == 0) {
            static const char *const seconds[] = {"0.5", "1.5", "3", "0", "70", "soon"};
            props.TimerEnabled = true;
            props.TimerSeconds = QString::fromLatin1(seconds[choose(0, 5)]);
            props.TimerFrame =
                choose(0, 4) == 0 ? QStringLiteral("[last visited frame]") : target();
        }
        require(m_frames.saveProperties(name, props, {}));
        const AreaFiles files(m_paths, SoundMode::MultiChannel, name);
        const int count = choose(0, kMaxAreas);
        require(m_frames.writeAreaCount(name, count));
        if (!QDir().mkpath(files.folder()))
            std::abort();
        for (int n = 1; n <= count; ++n) {
            Area area;
            if (choose(0, 2) == 0) {
                area.look.VisibleIf = 1;
                area.look.ZeroList = variables();
                area.look.OneList = variables();
            }
            if (choose(0, 2) == 0) {
                area.item.PickItem = 1;
                area.item.ItemName = itemName();
            }
            if (choose(0, 1))
                area.action = action();
            require(files.save(n, area));
            if (choose(0, 1)) {
                DropEvent drop;
                drop.action = action();
                require(files.saveDropEvent(n, itemName(), drop));
            }
        }
    }

    const std::function<int(int, int)> &choose;
    ProjectPaths m_paths;
    FrameFiles m_frames;
    int m_variableCount = 0;
};

} // namespace

void writeRandomGame(const ProjectPaths &paths, const std::function<int(int, int)> &choose) {
    GameWriter(choose, paths).write();
}

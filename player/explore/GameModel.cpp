#include "GameModel.h"

#include "GameRules.h"

#include "HiddenNames.h"
#include "ProjectFiles.h"

#include <QDir>
#include <QFileInfo>

#include <deque>

namespace GameModel {

namespace {

class Compiler {
public:
    explicit Compiler(const ProjectSnapshot &p) : m_p(p), m_paths(p.paths) {
        for (auto it = p.frames.begin(); it != p.frames.end(); ++it) {
            m_frameFiles.insert(it.key().toLower(), it.key());
            m.frameFiles.append(it.key());
        }
    }

    Model run() {
        for (const QString &v : m_p.variables.value) {
            if (!m_variables.contains(v)) {
                m_variables.insert(v, m.variables.size());
                m.variables.append(v);
            }
        }
        if (m_p.variables.present && !m_p.variables.status.ok())
            m.startProblems.append(
                QStringLiteral("Unable to load variables list. (%1)").arg(m_p.variables.file));
        for (auto it = m_p.items.begin(); it != m_p.items.end(); ++it) {
            const int i = item(it.key());
            m.items[i].exists = it.value().usable();
            if (m.items[i].exists && missing(m_paths.AreasPath(), it.value().value.IconFile))
                m.items[i].pictureProblem =
                    missingText(m_paths.AreasPath(), it.value().value.IconFile);
        }
        QString initial;
        if (m_p.general.usable())
            initial = m_p.general.value.InitialFrame;
        else
            m.startProblems.append(QStringLiteral("Unable to load project information."));
        frameNode(initial);
        while (!m_pending.empty()) {
            const int node = m_pending.front();
            m_pending.pop_front();
            compileFrame(node);
        }
        for (const Loaded<ItemEvent> &e : m_p.itemEvents) {
            const int first = m.itemIndex(e.value.First), second = m.itemIndex(e.value.Second);
            if (first < 0 || second < 0)
                continue; // an event of items the game never has
            Combination ev;
            ev.first = first;
            ev.second = second;
            if (!e.status.ok()) {
                ev.problem = QStringLiteral("Unable to combine items. (%1)").arg(e.file);
            } else {
                ev.removeFirst = e.value.RemoveFirst == 1;
                ev.removeSecond = e.value.RemoveSecond == 1;
                if (e.value.AddNew == 1) {
                    const int add = item(e.value.NewItem);
                    if (m.items[add].exists) {
                        ev.add = add;
                        if (m.items[add].heldAs.isEmpty())
                            m.items[add].heldAs = e.value.NewItem;
                    } else
                        ev.problem = pickUpText(e.value.NewItem);
                }
            }
            m.events.push_back(ev);
        }
        for (Frame &f : m.frames) {
            f.goesBack = f.timer && f.timerGo == Frame::TimerGo::Back;
            for (const Area &a : f.areas) {
                f.goesBack = f.goesBack || a.click.go == Action::Go::Back;
                for (const Drop &d : a.drops)
                    f.goesBack = f.goesBack || d.action.go == Action::Go::Back;
            }
        }
        return std::move(m);
    }

private:
    int item(const QString &name) {
        const int found = m.itemIndex(name);
        if (found >= 0)
            return found;
        Item i;
        i.name = name;
        m.items.push_back(i);
        m.m_items.insert(name.toLower(), static_cast<int>(m.items.size()) - 1);
        return static_cast<int>(m.items.size()) - 1;
    }

    int frameNode(const QString &name) {
        const auto it = m_frameNodes.find(name);
        if (it != m_frameNodes.end())
            return it.value();
        Frame f;
        f.name = name;
        m.frames.push_back(f);
        const int node = static_cast<int>(m.frames.size()) - 1;
        m_frameNodes.insert(name, node);
        m_pending.push_back(node);
        return node;
    }

    QString relative(const QString &path) const {
        return QDir::fromNativeSeparators(QDir(m_paths.root()).relativeFilePath(path));
    }

    // As the player's data-file lookup: a file that exists under its name (any case) or its
    // hidden name is found; anything else is reported. A link out of the project is never read
    // and never reported.
    bool missing(const QString &folder, const QString &name) {
        if (name.isEmpty())
            return false;
        const QString key = folder + QLatin1Char('\n') + name;
        const auto cached = m_missing.find(key);
        if (cached != m_missing.end())
            return cached.value();
        bool result = false;
        const QString path = ProjectFiles::resolve(folder, name);
        if (path.isEmpty())
            result = true; // a name that would leave the project: reported as missing
        else if (path.size() >= 5 && m_paths.holds(path))
            result =
                !QFileInfo::exists(ProjectFiles::existingVariant(path)) &&
                !QFileInfo::exists(ProjectFiles::existingVariant(HiddenNames::hiddenName(path)));
        m_missing.insert(key, result);
        return result;
    }

    QString missingText(const QString &folder, const QString &name) const {
        return QStringLiteral("Missing file: ") + relative(folder) + QLatin1Char('/') + name;
    }

    static QString pickUpText(const QString &item) {
        return QStringLiteral("Unable to pick up '%1'.").arg(item);
    }

    void media(QStringList &out, const QString &folder, const QString &name) {
        if (missing(folder, name))
            out.append(missingText(folder, name));
    }

    void channels(QStringList &out, const Loaded<ChannelFile> &file) {
        if (!file.present)
            return;
        if (!file.status.ok())
            out.append(
                QStringLiteral("Unable to load sound channels information. (%1)").arg(file.file));
        for (const ChannelRecord &r : file.value.Channels) {
            if (r.PlaySound)
                media(out, m_paths.AreasPath(), r.SoundFile);
        }
    }

    std::vector<VariableChange> changes(const QStringList &names, int value) const {
        std::vector<VariableChange> out;
        for (const QString &n : names) {
            const auto it = m_variables.find(n);
            if (it != m_variables.end())
                out.push_back(VariableChange{it.value(), value});
        }
        return out;
    }

    Action action(const Loaded<ActionRecord> &file, const Loaded<ChannelFile> &sounds) {
        Action a;
        a.present = file.present;
        if (!a.present)
            return a;
        if (!file.status.ok()) {
            a.problems.append(
                QStringLiteral("Unable to make the action associated with the selected area. (%1)")
                    .arg(file.file));
            return a;
        }
        const ActionRecord &r = file.value;
        if (r.ChangeVariables != 0 && !r.LegacyVariable.isEmpty()) {
            const QStringList one{r.LegacyVariable};
            for (const auto &[set, value] : {std::pair{r.LegacySetZero, 0},
                                             {r.LegacySetOne, 1},
                                             {r.LegacyInvert, GameRules::InvertVariable}}) {
                if (set) {
                    const auto c = changes(one, value);
                    a.before.insert(a.before.end(), c.begin(), c.end());
                }
            }
        }
        a.hideOrRemove = r.HideOrRemove != 0;
        if (r.CloseProgram != 0) {
            a.close = true;
            return a;
        }
        if (r.ChangeVariablesLists != 0) {
            for (const auto &[names, value] : {std::pair{&r.SetZeroList, 0},
                                               {&r.SetOneList, 1},
                                               {&r.InvertList, GameRules::InvertVariable}}) {
                const auto c = changes(*names, value);
                a.after.insert(a.after.end(), c.begin(), c.end());
            }
        }
        const QString frames = m_paths.FramesPath();
        if (r.PlayVideo != 0)
            media(a.problems, frames, r.VideoFile);
        if (r.PlayMidi != 0)
            media(a.problems, frames, r.MidiFile);
        if (r.PlayMp3 != 0)
            media(a.problems, frames, r.Mp3File);
        if (r.StopWav == 0) {
            const QString single =
                r.LegacySoundFile.isEmpty()
                    ? QString()
                    : ProjectFiles::resolve(m_paths.AreasPath(), r.LegacySoundFile);
            if (!(r.LegacyPlaySound != 0 && !single.isEmpty() && QFileInfo(single).isFile()))
                channels(a.problems, sounds);
        }
        if (r.GoToFrame != 0) {
            a.go = Action::Go::Frame;
            a.target = frameNode(r.TargetFrame);
        } else if (r.GoBack != 0) {
            a.go = Action::Go::Back;
            m.usesHistory = true;
        }
        return a;
    }

    void compileFrame(int node) {
        // m.frames may grow while this frame links new ones: work on a copy, store it at the end.
        Frame f = m.frames[node];
        const QString file = m_frameFiles.value(f.name.toLower());
        const FrameSnapshot *s = file.isEmpty() ? nullptr : &m_p.frames.find(file).value();
        const QString loadText =
            QStringLiteral("Unable to load the frame called '%1'.").arg(f.name);
        if (!s) {
            f.broken = true;
            f.openProblems.append(
                QStringLiteral("A program link is broken: there is no frame '%1'.").arg(f.name));
            m.frames[node] = f;
            return;
        }
        f.file = file;
        if (!s->fme.usable() || (s->areaCount.present && !s->areaCount.status.ok())) {
            f.broken = true;
            f.openProblems.append(loadText);
            m.frames[node] = f;
            return;
        }
        const FrameProperties &p = s->fme.value;
        const QString frames = m_paths.FramesPath();
        media(f.openProblems, frames, p.MidiFile);
        media(f.openProblems, frames, p.VideoFile);
        media(f.openProblems, frames, p.Mp3File);
        if (!p.StopWav)
            channels(f.openProblems, s->chn);
        if (p.BackgroundKind != 0)
            media(f.openProblems, frames, p.Background);
        for (const Loaded<TextLabel> &t : s->texts) {
            if (!t.usable()) {
                f.openProblems.append(QStringLiteral("Unable to load texts. (%1)").arg(t.file));
                break;
            }
        }
        const int count = s->areaCount.usable() ? s->areaCount.value : 0;
        for (int n = 1; n <= count; ++n) {
            const AreaSnapshot a = s->areas.value(n);
            if (!a.a.usable()) {
                f.openProblems.append(
                    QStringLiteral("Unable to load area #%1 (out of %2).").arg(n).arg(count));
                break;
            }
            Area area;
            area.number = n;
            const AreaLook &look = a.a.value;
            if (look.HasPicture)
                media(f.openProblems, m_paths.AreasPath(), look.PictureFile);
            if (look.hasCustomPointer())
                media(f.openProblems, m_paths.IconsPath(), look.MousePointer);
            area.visibleIf = look.VisibleIf != 0;
            for (const QString &v : look.ZeroList) {
                if (m_variables.contains(v))
                    area.mustBeZero.push_back(m_variables.value(v));
            }
            for (const QString &v : look.OneList) {
                if (m_variables.contains(v))
                    area.mustBeOne.push_back(m_variables.value(v));
            }
            if (a.c.present && a.c.value.PickItem == 1) {
                const int i = item(a.c.value.ItemName);
                if (m.items[i].exists) {
                    area.pickItem = i;
                    if (m.items[i].heldAs.isEmpty())
                        m.items[i].heldAs = a.c.value.ItemName;
                } else
                    area.pickProblem = pickUpText(a.c.value.ItemName);
            }
            area.click = action(a.b, a.d);
            if (area.click.present && area.click.hideOrRemove) {
                area.hideBit = m.hideBits++;
                m.hideAreas.emplace_back(node, n);
            }
            for (auto d = a.drops.begin(); d != a.drops.end(); ++d) {
                Drop drop;
                drop.item = item(d.key());
                drop.itemName = d.key();
                drop.action = action(d.value().drg, d.value().chn);
                area.drops.push_back(drop);
            }
            f.areas.push_back(area);
        }
        if (p.TimerEnabled) {
            using Go = GameRules::FrameTimer::Go;
            const GameRules::FrameTimer timer = GameRules::frameTimer(p.TimerSeconds, p.TimerFrame);
            if (!timer.valid) {
                f.openProblems.append(QStringLiteral("Unable to load timer duration. (%1 seconds)")
                                          .arg(p.TimerSeconds));
            } else if (timer.ms > 0 && timer.go != Go::Nothing) {
                // A timer of 0 ms never fires.
                f.timer = true;
                f.timerMs = timer.ms;
                if (timer.go == Go::Back) {
                    f.timerGo = Frame::TimerGo::Back;
                    m.usesHistory = true;
                } else {
                    f.timerTarget = frameNode(p.TimerFrame);
                }
            }
        }
        m.frames[node] = f;
    }

    const ProjectSnapshot &m_p;
    ProjectPaths m_paths;
    Model m;
    QHash<QString, int> m_variables;
    QHash<QString, QString> m_frameFiles; // lower-case name -> the snapshot's name
    QHash<QString, int> m_frameNodes;
    QHash<QString, bool> m_missing;
    std::deque<int> m_pending;
};

} // namespace

Model compile(const ProjectSnapshot &project) {
    return Compiler(project).run();
}

} // namespace GameModel

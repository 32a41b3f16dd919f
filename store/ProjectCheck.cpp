#include "ProjectCheck.h"

#include "FolderListings.h"
#include "HiddenNames.h"
#include "ProjectFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

QString findDataFile(const QString &folder, const QString &name) {
    const QString path = ProjectFiles::resolve(folder, name);
    if (path.isEmpty())
        return QString();
    if (FolderListings::isFile(path))
        return path;
    const QString hidden = ProjectFiles::resolve(folder, HiddenNames::hiddenName(name));
    return !hidden.isEmpty() && FolderListings::isFile(hidden) ? hidden : QString();
}

bool dataFileExists(const QString &folder, const QString &name) {
    return !findDataFile(folder, name).isEmpty();
}

namespace {

class Checker {
public:
    explicit Checker(const ProjectSnapshot &p) : m_p(p) {
        if (p.variables.usable()) {
            for (const QString &v : p.variables.value)
                m_variables.insert(v);
        }
    }

    QList<ProjectProblem> run() {
        checkLinks();
        checkGeneral();
        for (auto it = m_p.items.begin(); it != m_p.items.end(); ++it) {
            if (readable(it.value()))
                file(it.value().file, m_p.paths.AreasPath(), it.value().value.IconFile);
        }
        for (const Loaded<ItemEvent> &e : m_p.itemEvents) {
            if (!readable(e))
                continue;
            item(e.file, e.value.First);
            item(e.file, e.value.Second);
            if (e.value.AddNew != 0)
                item(e.file, e.value.NewItem);
        }
        for (auto it = m_p.frames.begin(); it != m_p.frames.end(); ++it)
            checkFrame(it.value());
        return m_problems;
    }

private:
    void add(const QString &kind, const QString &file, const QString &name) {
        const QString key = kind + QChar(0) + file + QChar(0) + name;
        if (m_seen.contains(key))
            return;
        m_seen.insert(key);
        m_problems.append(ProjectProblem{kind, file, name});
    }

    template <class T> bool readable(const Loaded<T> &l) {
        if (l.file.isEmpty())
            return false; // a link out of the project, reported by checkLinks()
        if (l.present && !l.status.ok())
            add(QStringLiteral("unreadable-file"), l.file, l.status.text());
        else if (!l.present && !l.status.ok())
            add(QStringLiteral("unreadable-file"), l.file, QStringLiteral("missing"));
        return l.usable();
    }

    void frame(const QString &file, const QString &name) {
        if (name.toLower() == QLatin1String("[last visited frame]"))
            return;
        if (!containsWithoutCase(m_p.frames, name))
            add(QStringLiteral("missing-frame"), file, name);
    }

    // Names from files are looked up on disk without regard to case when the exact one is
    // missing, so a reference in another letter case is not broken.
    template <class Map> static bool containsWithoutCase(const Map &map, const QString &name) {
        if (map.contains(name))
            return true;
        for (auto it = map.begin(); it != map.end(); ++it) {
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }

    // A data file reached through a link out of the project is missing: the link itself is
    // reported by checkLinks().
    void file(const QString &file, const QString &folder, const QString &name) {
        if (name.isEmpty())
            return;
        if (!dataFileHeld(folder, name))
            add(QStringLiteral("missing-file"), file, name);
    }

    // Many areas name the same picture or sound: each is looked for once per check.
    bool dataFileHeld(const QString &folder, const QString &name) {
        const QString key = folder + QChar(0) + name;
        auto it = m_dataFiles.constFind(key);
        if (it != m_dataFiles.constEnd())
            return it.value();
        const QString found = findDataFile(folder, name);
        const bool held = !found.isEmpty() && m_p.paths.holds(found);
        m_dataFiles.insert(key, held);
        return held;
    }

    // Every symbolic link in the project's folders whose target lies outside the project. Links
    // are not followed into the folders they name.
    void checkLinks() {
        const ProjectPaths &paths = m_p.paths;
        QStringList folders{paths.root()};
        for (const QString &f : {paths.FramesPath(), paths.AreasPath(), paths.IconsPath()}) {
            if (!f.startsWith(paths.root()))
                folders.append(f); // data folders moved to a CD
        }
        for (const QString &folder : folders)
            checkLinksIn(folder);
    }

    // The walk of checkLinks() through `folder` and its subfolders, from the operation's
    // listings; links to folders are not entered.
    void checkLinksIn(const QString &folder) {
        const ProjectPaths &paths = m_p.paths;
        const FolderListings::Listing *listing = FolderListings::listing(folder);
        const QString base = withTrailingSeparator(folder);
        for (const QString &name : listing->entries) {
            const QString path = base + name;
            if (listing->links.contains(name)) {
                if (!paths.holds(path))
                    add(QStringLiteral("link-outside-project"),
                        QDir::fromNativeSeparators(QDir(paths.root()).relativeFilePath(path)),
                        QFileInfo(path).symLinkTarget());
            } else if (listing->folders.contains(name)) {
                checkLinksIn(path);
            }
        }
    }

    void item(const QString &file, const QString &name) {
        if (!name.isEmpty() && !containsWithoutCase(m_p.items, name))
            add(QStringLiteral("missing-item"), file, name);
    }

    void variables(const QString &file, const QStringList &names) {
        for (const QString &v : names) {
            if (!v.isEmpty() && !m_variables.contains(v))
                add(QStringLiteral("undeclared-variable"), file, v);
        }
    }

    void checkGeneral() {
        if (!readable(m_p.general))
            return;
        const QString initial = m_p.general.value.InitialFrame;
        if (initial.isEmpty() || !containsWithoutCase(m_p.frames, initial))
            add(QStringLiteral("missing-initial-frame"), m_p.general.file, initial);
        readable(m_p.variables);
        readable(m_p.texts);
    }

    void channels(const Loaded<ChannelFile> &c) {
        if (!readable(c))
            return;
        for (const ChannelRecord &r : c.value.Channels) {
            if (r.PlaySound)
                file(c.file, m_p.paths.AreasPath(), r.SoundFile);
        }
    }

    void action(const Loaded<ActionRecord> &l) {
        if (!readable(l))
            return;
        const ActionRecord &a = l.value;
        const QString &f = l.file;
        if (a.ChangeVariables != 0 && !a.LegacyVariable.isEmpty())
            variables(f, {a.LegacyVariable});
        if (a.LegacyPlaySound != 0)
            file(f, m_p.paths.AreasPath(), a.LegacySoundFile);
        if (a.GoToFrame != 0)
            frame(f, a.TargetFrame);
        if (a.PlayVideo != 0)
            file(f, m_p.paths.FramesPath(), a.VideoFile);
        if (a.PlayMidi != 0)
            file(f, m_p.paths.FramesPath(), a.MidiFile);
        if (a.PlayMp3 != 0)
            file(f, m_p.paths.FramesPath(), a.Mp3File);
        variables(f, a.SetZeroList);
        variables(f, a.SetOneList);
        variables(f, a.InvertList);
    }

    void checkFrame(const FrameSnapshot &fr) {
        if (readable(fr.fme)) {
            const FrameProperties &p = fr.fme.value;
            const QString &f = fr.fme.file;
            if (p.BackgroundKind == 1)
                file(f, m_p.paths.FramesPath(), p.Background);
            file(f, m_p.paths.FramesPath(), p.MidiFile);
            file(f, m_p.paths.FramesPath(), p.VideoFile);
            file(f, m_p.paths.FramesPath(), p.Mp3File);
            if (p.TimerEnabled)
                frame(f, p.TimerFrame);
        }
        channels(fr.chn);
        readable(fr.areaCount);
        for (auto it = fr.areas.begin(); it != fr.areas.end(); ++it) {
            const AreaSnapshot &a = it.value();
            if (readable(a.a)) {
                const AreaLook &look = a.a.value;
                if (look.HasPicture)
                    file(a.a.file, m_p.paths.AreasPath(), look.PictureFile);
                if (look.hasCustomPointer())
                    file(a.a.file, m_p.paths.IconsPath(), look.MousePointer);
                variables(a.a.file, look.ZeroList);
                variables(a.a.file, look.OneList);
            }
            action(a.b);
            if (readable(a.c) && a.c.value.PickItem != 0)
                item(a.c.file, a.c.value.ItemName);
            channels(a.d);
            for (auto d = a.drops.begin(); d != a.drops.end(); ++d) {
                item(d.value().drg.file, d.key());
                action(d.value().drg);
                channels(d.value().chn);
            }
        }
        for (auto t = fr.texts.begin(); t != fr.texts.end(); ++t)
            readable(t.value());
    }

    const ProjectSnapshot &m_p;
    QSet<QString> m_variables;
    QHash<QString, bool> m_dataFiles; // folder, NUL, name: found inside the project
    QList<ProjectProblem> m_problems;
    QSet<QString> m_seen;
};

} // namespace

QList<ProjectProblem> checkProject(const ProjectSnapshot &project) {
    const FolderListings::Scope scope; // the data folders listed once for every name
    return Checker(project).run();
}

QList<ProjectProblem> checkProjectAt(const ProjectPaths &paths) {
    const FolderListings::Scope scope; // shared by the load and the check
    return checkProject(ProjectSnapshot::load(paths));
}

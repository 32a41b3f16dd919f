#include "References.h"

#include "ProjectCheck.h"
#include "ProjectSnapshot.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

using Kind = Reference::Kind;

QString relative(const ProjectPaths &paths, const QString &path) {
    return QDir::fromNativeSeparators(QDir(paths.root()).relativeFilePath(path));
}

// The frames or items in the order they are listed, which decides between names that differ
// only in letter case.
QStringList listed(const ProjectSnapshot &p, References::Target target) {
    QStringList names = target == References::Target::Frame ? p.frames.keys() : p.items.keys();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

// The existing frame or item `name` stands for, or `name` itself when there is none.
QString resolved(const QString &name, const QStringList &all) {
    for (const QString &n : all) {
        if (References::names(name, n, all))
            return n;
    }
    return name;
}

class Finder {
public:
    Finder(const ProjectSnapshot &p, References::Target target, const QString &name)
        : m_p(p), m_target(target), m_all(listed(p, target)), m_name(resolved(name, m_all)) {}

    QList<Reference> run() {
        if (m_target == References::Target::Frame)
            frameReferences();
        else
            itemReferences();
        return m_out;
    }

private:
    bool named(const QString &value) const { return References::names(value, m_name, m_all); }

    void add(Kind kind, const QString &file, const QString &field, const QString &value) {
        m_out.append(Reference{kind, file, field, value});
    }

    void frameReferences() {
        const auto own = m_p.frames.constFind(m_name);
        if (own != m_p.frames.constEnd()) {
            const FrameSnapshot &f = own.value();
            for (const QString &file : {f.fme.file, f.chn.present ? f.chn.file : QString(),
                                        f.areaCount.present ? f.areaCount.file : QString()}) {
                if (!file.isEmpty())
                    add(Kind::FrameFile, file, QStringLiteral("file name"), m_name);
            }
            const QString folder = AreaFiles(m_p.paths, m_p.soundMode, m_name).folder();
            if (!folder.isEmpty() && QFileInfo(folder).isDir())
                add(Kind::AreaFolder, relative(m_p.paths, QDir::cleanPath(folder)),
                    QStringLiteral("folder name"), m_name);
        }
        if (m_p.general.usable() && named(m_p.general.value.InitialFrame))
            add(Kind::InitialFrame, m_p.general.file, QStringLiteral("InitialFrame"),
                m_p.general.value.InitialFrame);
        for (auto it = m_p.frames.begin(); it != m_p.frames.end(); ++it) {
            const FrameSnapshot &f = it.value();
            if (f.fme.usable() && f.fme.value.TimerEnabled && named(f.fme.value.TimerFrame))
                add(Kind::TimerFrame, f.fme.file, QStringLiteral("TimerFrame"),
                    f.fme.value.TimerFrame);
            for (const AreaSnapshot &a : f.areas) {
                goTo(a.b);
                for (const DropSnapshot &d : a.drops)
                    goTo(d.drg);
            }
        }
    }

    void goTo(const Loaded<ActionRecord> &l) {
        if (l.usable() && l.value.GoToFrame != 0 && named(l.value.TargetFrame))
            add(Kind::GoToFrame, l.file, QStringLiteral("TargetFrame"), l.value.TargetFrame);
    }

    void itemReferences() {
        const auto own = m_p.items.constFind(m_name);
        if (own != m_p.items.constEnd()) {
            add(Kind::ItemFile, own.value().file, QStringLiteral("file name"), m_name);
            const QString icon = own.value().usable()
                                     ? findDataFile(m_p.paths.AreasPath(), own->value.IconFile)
                                     : QString();
            if (!icon.isEmpty() && m_p.paths.holds(icon))
                add(Kind::ItemIcon, relative(m_p.paths, icon), QStringLiteral("IconFile"),
                    own->value.IconFile);
        }
        for (auto it = m_p.frames.begin(); it != m_p.frames.end(); ++it) {
            for (const AreaSnapshot &a : it.value().areas) {
                if (a.c.usable() && a.c.value.PickItem != 0 && named(a.c.value.ItemName))
                    add(Kind::PickedUp, a.c.file, QStringLiteral("ItemName"), a.c.value.ItemName);
                for (auto d = a.drops.begin(); d != a.drops.end(); ++d) {
                    if (!named(d.key()))
                        continue;
                    add(Kind::DropEvent, d.value().drg.file, QStringLiteral("file name"), d.key());
                    if (d.value().chn.present)
                        add(Kind::DropSounds, d.value().chn.file, QStringLiteral("file name"),
                            d.key());
                }
            }
        }
        for (const Loaded<ItemEvent> &e : m_p.itemEvents) {
            if (named(e.value.First))
                add(Kind::ItemEvent, e.file, QStringLiteral("first item"), e.value.First);
            if (named(e.value.Second))
                add(Kind::ItemEvent, e.file, QStringLiteral("second item"), e.value.Second);
            if (e.usable() && e.value.AddNew != 0 && named(e.value.NewItem))
                add(Kind::ItemEventGives, e.file, QStringLiteral("NewItem"), e.value.NewItem);
        }
    }

    const ProjectSnapshot &m_p;
    References::Target m_target;
    QStringList m_all;
    QString m_name;
    QList<Reference> m_out;
};

} // namespace

bool Reference::isOwn() const {
    return kind == Kind::FrameFile || kind == Kind::AreaFolder || kind == Kind::ItemFile ||
           kind == Kind::ItemIcon;
}

QString Reference::kindName() const {
    switch (kind) {
    case Kind::FrameFile:
        return QStringLiteral("frame-file");
    case Kind::AreaFolder:
        return QStringLiteral("area-folder");
    case Kind::InitialFrame:
        return QStringLiteral("initial-frame");
    case Kind::GoToFrame:
        return QStringLiteral("go-to-frame");
    case Kind::TimerFrame:
        return QStringLiteral("timer-frame");
    case Kind::ItemFile:
        return QStringLiteral("item-file");
    case Kind::ItemIcon:
        return QStringLiteral("item-icon");
    case Kind::PickedUp:
        return QStringLiteral("picked-up");
    case Kind::DropEvent:
        return QStringLiteral("drop-event");
    case Kind::DropSounds:
        return QStringLiteral("drop-sounds");
    case Kind::ItemEvent:
        return QStringLiteral("item-event");
    case Kind::ItemEventGives:
        return QStringLiteral("item-event-gives");
    }
    return QString();
}

bool References::names(const QString &value, const QString &name, const QStringList &all) {
    if (value == name)
        return true;
    if (value.isEmpty() || value.compare(name, Qt::CaseInsensitive) != 0 || all.contains(value))
        return false;
    // No exact match: the first variant in another letter case is the one found.
    for (const QString &n : all) {
        if (n.compare(value, Qt::CaseInsensitive) == 0)
            return n == name;
    }
    return true;
}

QList<Reference> References::find(Target target, const QString &name) const {
    if (name.isEmpty())
        return {};
    const ProjectSnapshot p = ProjectSnapshot::load(m_paths);
    return Finder(p, target, name).run();
}

QStringList References::savedGames(Target target, const QString &name) const {
    const ProjectSnapshot p = ProjectSnapshot::load(m_paths);
    const QStringList all = listed(p, target);
    const QString actual = resolved(name, all);
    const auto named = [&](const QString &v) { return names(v, actual, all); };
    QStringList out;
    for (auto it = p.savedGames.begin(); it != p.savedGames.end(); ++it) {
        const SavedGameFile &g = it.value().value;
        bool hit = false;
        if (target == Target::Frame) {
            hit = named(g.SavedFrame) || std::any_of(g.History.begin(), g.History.end(), named);
            for (const auto &d : g.Disappear)
                hit = hit || named(d.first);
        } else {
            hit = std::any_of(g.Items.begin(), g.Items.end(), named);
        }
        if (hit)
            out.append(it.key());
    }
    return out;
}

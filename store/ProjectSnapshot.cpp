#include "ProjectSnapshot.h"

#include "FolderListings.h"
#include "ProjectFiles.h"
#include "ProjectIntegrity.h"
#include "ProjectVersion.h"
#include "RunFromCd.h"
#include "StoreMessages.h"
#include "VariablesFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

class SnapshotLoader {
public:
    explicit SnapshotLoader(const ProjectPaths &paths) : m_paths(paths) {}

    QString relative(const QString &path) const {
        const QString &root = m_paths.root();
        if (path.startsWith(root) && !path.contains(QLatin1String("..")))
            return QDir::fromNativeSeparators(path.mid(root.size()));
        return QDir::fromNativeSeparators(QDir(root).relativeFilePath(path));
    }

    // Anything is at `path`, a link only when what it names exists; from the operation's
    // listing when it knows.
    static bool exists(QString path) {
        if (path.size() > 1 && path.endsWith(QDir::separator()))
            path.chop(1);
        const qsizetype slash = path.lastIndexOf(QDir::separator());
        if (slash >= 0 && slash + 1 < path.size()) {
            switch (FolderListings::entry(path.left(slash + 1), path.mid(slash + 1))) {
            case FolderListings::Entry::Missing:
                return false;
            case FolderListings::Entry::Plain:
                return true;
            default:
                break;
            }
        }
        return QFileInfo::exists(path);
    }

    // Reads `path` with `read` when the file exists inside the project; `optional` files that
    // are missing are simply absent, required ones are reported as unreadable.
    template <class T, class Read>
    Loaded<T> load(const QString &path, Read read, bool optional = false) const {
        Loaded<T> l;
        l.file = path.isEmpty() ? QString() : relative(path);
        // Anything at the name is present: a folder or a named pipe is then reported by its
        // reader as not a regular file.
        l.present = !path.isEmpty() && m_paths.holds(path) && exists(path);
        if (!l.present) {
            if (!optional)
                l.status = StoreMessages::unreadable(path, QStringLiteral("File not found"));
            return l;
        }
        l.status = read(path, l.value);
        return l;
    }

private:
    ProjectPaths m_paths;
};

} // namespace

ProjectSnapshot ProjectSnapshot::load(const ProjectPaths &paths) {
    return load(paths, nullptr);
}

ProjectSnapshot ProjectSnapshot::load(const ProjectPaths &paths, const FrameSink &sink) {
    const FolderListings::Scope scope; // every folder listed once
    ProjectSnapshot p;
    p.paths = paths;
    const SnapshotLoader loader(paths);
    const QString config = paths.ConfigPath();
    auto inConfig = [&](const char *name) {
        const QString path = ProjectFiles::existingVariant(config + QString::fromLatin1(name));
        return paths.holds(path) ? path : QString();
    };

    p.general = loader.load<GeneralInfo>(inConfig("General"), [](const QString &f, GeneralInfo &g) {
        return readGeneral(f, g, GeneralReader::Editor);
    });
    if (p.general.usable() && p.general.value.SingleChannelAudio)
        p.soundMode = SoundMode::SingleChannel;

    p.version = loader.load<QString>(
        inConfig("Version"),
        [](const QString &f, QString &v) {
            v = ProjectVersion::read(f);
            return Status::success();
        },
        true);
    p.projectDat = loader.load<int>(
        paths.rootFile(QStringLiteral("Project.dat")),
        [&](const QString &, int &v) {
            return ProjectIntegrity::read(paths.root(), v)
                       ? Status::success()
                       : StoreMessages::unreadable(QStringLiteral("Project.dat"),
                                                   QStringLiteral("not a number"));
        },
        true);
    p.integrityOk = ProjectIntegrity::check(paths).ok();
    p.texts = loader.load<TextsFile>(inConfig("Texts"), readTexts, true);
    p.variables = loader.load<QStringList>(inConfig("Variables"), readVariablesFile);
    p.options = loader.load<OptionsFile>(inConfig("Options"), readOptions, true);
    if (RunFromCd::isRunFromCd(paths.root())) {
        p.runFromCd.file = QStringLiteral("RunFromCD.dat");
        p.runFromCd.present = true;
        p.runFromCd.value = RunFromCd::readDrive(paths.root());
    }

    const Items items(paths);
    for (const QString &name : items.list()) {
        p.items.insert(
            name, loader.load<ItemFile>(items.itemPath(name), [&](const QString &, ItemFile &out) {
                return items.read(name, out);
            }));
    }
    const QStringList itemNames = items.list();
    for (const QString &file :
         ProjectFiles::filesWith(paths.AreasPath(), QString(), QStringLiteral(".drg"))) {
        Loaded<ItemEvent> e;
        e.file = loader.relative(paths.AreasPath() + file);
        e.present = paths.holds(paths.AreasPath() + file);
        if (!e.present || !Items::splitEventName(file.left(file.size() - 4), itemNames,
                                                 e.value.First, e.value.Second))
            continue;
        e.status = readItemEventFile(paths.AreasPath() + file, e.value);
        p.itemEvents.append(e);
    }

    const FrameFiles frames(paths, p.soundMode);
    const auto channels = [&](const QString &path, ChannelFile &out) {
        return readChannels(path, p.soundMode, out);
    };
    QStringList frameNames = frames.list();
    if (sink)
        std::sort(frameNames.begin(), frameNames.end()); // the order of the map they replace
    for (const QString &frame : std::as_const(frameNames)) {
        FrameSnapshot f;
        f.fme = loader.load<FrameProperties>(frames.fmePath(frame), FrameFiles::readPropertiesAt);
        f.chn = loader.load<ChannelFile>(frames.chnPath(frame), channels, true);
        f.areaCount = loader.load<int>(frames.lksPath(frame), FrameFiles::readAreaCountAt, true);
        const AreaFiles areas(paths, p.soundMode, frame);
        const int count = f.areaCount.usable() ? f.areaCount.value : 0;
        const QMap<int, QStringList> drops =
            count > 0 ? areas.allDropEvents() : QMap<int, QStringList>();
        for (int n = 1; n <= count; ++n) {
            AreaSnapshot a;
            a.a = loader.load<AreaLook>(areas.path(n, QStringLiteral("a.dat")), readAreaLook);
            a.b =
                loader.load<ActionRecord>(areas.path(n, QStringLiteral("b.dat")), readActionRecord);
            a.c = loader.load<AreaItem>(areas.path(n, QStringLiteral("c.dat")), readAreaItem);
            a.d = loader.load<ChannelFile>(areas.path(n, QStringLiteral("d.dat")), channels, true);
            for (const QString &item : drops.value(n)) {
                DropSnapshot d;
                d.drg = loader.load<ActionRecord>(areas.dropPath(n, item, QStringLiteral(".drg")),
                                                  readActionRecord);
                d.chn = loader.load<ChannelFile>(areas.dropPath(n, item, QStringLiteral(".chn")),
                                                 channels, true);
                a.drops.insert(item, d);
            }
            f.areas.insert(n, a);
        }
        if (!areas.folder().isEmpty() && SnapshotLoader::exists(areas.folder())) {
            for (const QString &file : TextLabels::list(areas.folder()))
                f.texts.insert(file, loader.load<TextLabel>(areas.folder() + file, readTextLabel));
        }
        if (sink) {
            sink(frame, f);
            if (!areas.folder().isEmpty())
                FolderListings::forget(areas.folder()); // read once, not needed again
        } else
            p.frames.insert(frame, f);
    }

    for (const QString &name : SavedGames::list(paths.root())) {
        p.savedGames.insert(
            name, loader.load<SavedGameFile>(paths.rootFile(name + QStringLiteral(".sav")),
                                             readSavedGame));
    }
    return p;
}

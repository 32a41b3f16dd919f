#include "ProjectSnapshot.h"

#include "FolderListings.h"
#include "NameRules.h"
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

    // load() of `folder` + `name` (`folder` held by the project and listed as `listing`), when
    // the listing alone tells what its look-ups would find: a regular file of exactly that name
    // (no link), or no entry in any letter case (the file is missing). False, with `l`
    // untouched, for anything else, which needs the whole way.
    template <class T, class Read>
    bool loadListed(const QString &folder, const FolderListings::Listing &listing,
                    const QString &name, Read read, bool optional, Loaded<T> &l) const {
        const bool present = listing.regular.contains(name);
        if (!present && !listing.variants(name).isEmpty())
            return false;
        const QString path = folder + name;
        l.file = relative(path);
        l.present = present;
        if (l.present)
            l.status = read(path, l.value);
        else if (!optional)
            l.status = StoreMessages::unreadable(path, QStringLiteral("File not found"));
        return true;
    }

private:
    ProjectPaths m_paths;
};

// The areas (1 .. `count`), their drop events and the texts of the frame of `areas`.
template <class Channels>
void loadAreas(const SnapshotLoader &loader, const AreaFiles &areas, int count,
               const Channels &channels, FrameSnapshot &f) {
    const QMap<int, QStringList> drops =
        count > 0 ? areas.allDropEvents() : QMap<int, QStringList>();
    for (int n = 1; n <= count; ++n) {
        AreaSnapshot a;
        a.a = loader.load<AreaLook>(areas.path(n, QStringLiteral("a.dat")), readAreaLook);
        a.b = loader.load<ActionRecord>(areas.path(n, QStringLiteral("b.dat")), readActionRecord);
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
}

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
    // A frame's three files are most often found by one look-up each in the listing of Frames/.
    const QString &framesFolder = paths.FramesPath();
    const bool framesInside = paths.holds(framesFolder);
    // Held across frames; asked for again after the sink, which may change what is listed.
    const FolderListings::Listing *framesListing = FolderListings::listing(framesFolder);
    const FolderListings::Listing *areasListing = FolderListings::listing(paths.AreasPath());
    for (const QString &frame : std::as_const(frameNames)) {
        FrameSnapshot f;
        const FolderListings::Listing *listed =
            framesInside && NameRules::isSafeComponent(frame) ? framesListing : nullptr;
        if (!listed || !loader.loadListed(framesFolder, *listed, frame + QStringLiteral(".fme"),
                                          FrameFiles::readPropertiesAt, false, f.fme))
            f.fme =
                loader.load<FrameProperties>(frames.fmePath(frame), FrameFiles::readPropertiesAt);
        if (!listed || !loader.loadListed(framesFolder, *listed, frame + QStringLiteral(".chn"),
                                          channels, true, f.chn))
            f.chn = loader.load<ChannelFile>(frames.chnPath(frame), channels, true);
        if (!listed || !loader.loadListed(framesFolder, *listed, frame + QStringLiteral(".lks"),
                                          FrameFiles::readAreaCountAt, true, f.areaCount))
            f.areaCount =
                loader.load<int>(frames.lksPath(frame), FrameFiles::readAreaCountAt, true);
        const int count = f.areaCount.usable() ? f.areaCount.value : 0;
        // A frame without areas and without a folder in any letter case has nothing more to
        // read.
        QString areaFolder;
        if (count > 0 || !areasListing->variants(frame).isEmpty()) {
            const AreaFiles areas(paths, p.soundMode, frame);
            areaFolder = areas.folder();
            loadAreas(loader, areas, count, channels, f);
        }
        if (sink) {
            sink(frame, f);
            if (!areaFolder.isEmpty())
                FolderListings::forget(areaFolder); // read once, not needed again
            framesListing = FolderListings::listing(framesFolder);
            areasListing = FolderListings::listing(paths.AreasPath());
        } else
            p.frames[frame] = std::move(f);
    }

    for (const QString &name : SavedGames::list(paths.root())) {
        p.savedGames.insert(
            name, loader.load<SavedGameFile>(paths.rootFile(name + QStringLiteral(".sav")),
                                             readSavedGame));
    }
    return p;
}

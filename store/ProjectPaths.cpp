#include "ProjectPaths.h"

#include "FolderListings.h"
#include "ProjectFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <cerrno>
#include <sys/stat.h>

namespace {

// The real path of `path` or of its nearest existing folder, links resolved.
QString resolvedPath(const QString &path) {
    QString p = QDir::cleanPath(QDir::fromNativeSeparators(path));
    for (;;) {
        const QString real = QFileInfo(p).canonicalFilePath();
        if (!real.isEmpty())
            return real;
        const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return QString();
        p.truncate(slash);
    }
}

bool isUnderReal(const QString &real, const QString &base) {
    if (base.isEmpty() || real.isEmpty())
        return false;
    if (!real.startsWith(base))
        return false;
    // Inside when nothing follows, or what follows starts a component below it.
    return real.size() == base.size() || base.endsWith(QLatin1Char('/')) ||
           real[base.size()] == QLatin1Char('/');
}

// What a path below a folder is, as far as leaving the project goes.
enum class Below { Plain, Unsure };

// Plain when no component of `rest` (a path relative to `folder`) is a link, judged with lstat
// up to the first component that does not exist; Unsure when one is a link, when a component is
// "." or "..", or when the file system does not say.
Below checkBelow(const QString &folder, const QString &rest) {
    QString p = folder;
    const QChar sep = QDir::separator();
    const bool listed = FolderListings::active();
    for (const QStringView part : QStringView(rest).split(sep, Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return Below::Unsure;
        if (!p.endsWith(sep))
            p.append(sep);
        if (listed) {
            // The operation's listings already say which entries are links.
            switch (FolderListings::entry(p, part.toString())) {
            case FolderListings::Entry::Missing:
                return Below::Plain;
            case FolderListings::Entry::Link:
                return Below::Unsure;
            default:
                break;
            }
            p.append(part);
            continue;
        }
        p.append(part);
        struct stat st {};
        if (::lstat(QFile::encodeName(p).constData(), &st) != 0)
            return errno == ENOENT || errno == ENOTDIR ? Below::Plain : Below::Unsure;
        if (S_ISLNK(st.st_mode))
            return Below::Unsure;
    }
    return Below::Plain;
}

} // namespace

// The real paths of the root and the folders, each found once it exists, and whether a path
// below each (without links) lies inside the project.
struct ProjectPaths::Resolved {
    QMutex mutex;
    QString root, frames, areas, icons, config;
};

QString withTrailingSeparator(const QString &path) {
    if (path.isEmpty())
        return path;
    QString p = QDir::toNativeSeparators(path);
    if (!p.endsWith(QDir::separator()))
        p.append(QDir::separator());
    return p;
}

ProjectPaths::ProjectPaths(const QString &root) : m_root(withTrailingSeparator(root)) {
    if (m_root.isEmpty())
        return;
    const QChar sep = QDir::separator();
    m_frames = m_root + QStringLiteral("Frames") + sep;
    m_areas = m_root + QStringLiteral("Areas") + sep;
    m_icons = m_root + QStringLiteral("Icons") + sep;
    m_config = m_root + QStringLiteral("Config") + sep;
    m_resolved = std::make_shared<Resolved>();
}

bool ProjectPaths::isValidProject() const {
    return !m_root.isEmpty() && ProjectFiles::exists(m_config + QStringLiteral("General"));
}

void ProjectPaths::setDataFolders(const QString &frames, const QString &areas,
                                  const QString &icons) {
    m_frames = withTrailingSeparator(frames);
    m_areas = withTrailingSeparator(areas);
    m_icons = withTrailingSeparator(icons);
    m_dataMoved = true;
    m_resolved = std::make_shared<Resolved>();
}

bool ProjectPaths::holds(const QString &path) const {
    if (m_root.isEmpty() || path.isEmpty() || !m_resolved)
        return false;
    Resolved &r = *m_resolved;
    QMutexLocker lock(&r.mutex);
    return holdsResolved(path, r);
}

bool ProjectPaths::holdsResolved(const QString &path, Resolved &r) const {
    const auto real = [](QString &cached, const QString &folder) -> const QString & {
        if (cached.isEmpty())
            cached = QFileInfo(folder).canonicalFilePath();
        return cached;
    };
    const QString &root = real(r.root, m_root);
    // A path below one of the folders, with no link on the way, is inside exactly when the
    // folder is.
    const struct {
        const QString &folder;
        QString &cached;
        bool dataFolder;
    } folders[] = {{m_frames, r.frames, true},
                   {m_areas, r.areas, true},
                   {m_icons, r.icons, true},
                   {m_config, r.config, false},
                   {m_root, r.root, false}};
    for (const auto &f : folders) {
        if (!path.startsWith(f.folder))
            continue;
        const QString &base = real(f.cached, f.folder);
        if (base.isEmpty() || !(isUnderReal(base, root) || (m_dataMoved && f.dataFolder)))
            break;
        if (checkBelow(f.folder, path.mid(f.folder.size())) == Below::Plain)
            return true;
        break;
    }
    const QString resolved = resolvedPath(path);
    if (isUnderReal(resolved, root))
        return true;
    return m_dataMoved && (isUnderReal(resolved, real(r.frames, m_frames)) ||
                           isUnderReal(resolved, real(r.areas, m_areas)) ||
                           isUnderReal(resolved, real(r.icons, m_icons)));
}

QString ProjectPaths::configFile(const QString &name) const {
    const QString p = ProjectFiles::existingVariant(m_config + name);
    return holds(p) ? p : QString();
}

QString ProjectPaths::rootFile(const QString &name) const {
    const QString p = ProjectFiles::existingVariant(m_root + name);
    return holds(p) ? p : QString();
}

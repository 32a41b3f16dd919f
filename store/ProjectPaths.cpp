#include "ProjectPaths.h"

#include "ProjectFiles.h"

#include <QDir>
#include <QFileInfo>

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

bool isUnder(const QString &real, const QString &folder) {
    const QString base = QFileInfo(folder).canonicalFilePath();
    if (base.isEmpty() || real.isEmpty())
        return false;
    return real == base ||
           real.startsWith(base.endsWith(QLatin1Char('/')) ? base : base + QLatin1Char('/'));
}

} // namespace

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
}

bool ProjectPaths::holds(const QString &path) const {
    if (m_root.isEmpty() || path.isEmpty())
        return false;
    const QString real = resolvedPath(path);
    if (isUnder(real, m_root))
        return true;
    return m_dataMoved &&
           (isUnder(real, m_frames) || isUnder(real, m_areas) || isUnder(real, m_icons));
}

QString ProjectPaths::configFile(const QString &name) const {
    const QString p = ProjectFiles::existingVariant(m_config + name);
    return holds(p) ? p : QString();
}

QString ProjectPaths::rootFile(const QString &name) const {
    const QString p = ProjectFiles::existingVariant(m_root + name);
    return holds(p) ? p : QString();
}

#include "ProjectPaths.h"

#include "ProjectFiles.h"

#include <QDir>

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
}

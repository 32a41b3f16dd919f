#pragma once

#include <QString>

#include <memory>

// The project root and the four folders derived from it. Every path ends in the native
// separator, so file names are appended directly.
class ProjectPaths {
public:
    ProjectPaths() = default;
    // A root given without a trailing separator gets one.
    explicit ProjectPaths(const QString &root);

    const QString &root() const { return m_root; }
    const QString &FramesPath() const { return m_frames; }
    const QString &AreasPath() const { return m_areas; }
    const QString &IconsPath() const { return m_icons; }
    const QString &ConfigPath() const { return m_config; }
    bool isEmpty() const { return m_root.isEmpty(); }

    // A folder is a project exactly when it holds Config/General.
    bool isValidProject() const;

    // True when `path`, with every symbolic link resolved, lies inside the project: under the
    // root, or under a data folder moved to a CD. A path that does not exist is judged by its
    // nearest existing folder. Names read from the project resolve only to such paths; anything
    // else counts as missing, and nothing outside is ever written. The root and the four
    // folders are resolved once (on first use, again while one does not exist); a path below
    // one of them is then checked for links component by component.
    bool holds(const QString &path) const;

    // The path of Config/<name> (any letter case), or an empty string when it lies outside.
    QString configFile(const QString &name) const;
    // The path of <root><name> (any letter case), or an empty string when it lies outside.
    QString rootFile(const QString &name) const;

    // The run-from-CD start moves the data folders to the CD while the root stays.
    void setDataFolders(const QString &frames, const QString &areas, const QString &icons);

    struct Resolved;

private:
    bool holdsResolved(const QString &path, Resolved &r) const;

    QString m_root, m_frames, m_areas, m_icons, m_config;
    bool m_dataMoved = false;
    // Shared by copies; made again when the folders change.
    std::shared_ptr<Resolved> m_resolved;
};

// Appends the native separator unless the path already ends in one.
QString withTrailingSeparator(const QString &path);

#pragma once

#include "ProjectPaths.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <initializer_list>
#include <variant>

// A project folder in a temporary directory, with helpers to write raw files exactly as an
// editor of any version would have left them.
class TestProject {
public:
    TestProject();
    const QString &root() const { return m_root; } // ends in a separator
    ProjectPaths paths() const { return ProjectPaths(m_root); }

    // Writes `bytes` to root + relative path (forward slashes), creating folders.
    QString writeRaw(const QString &relativePath, const QByteArray &bytes) const;
    // Writes one line per value, CR LF, Windows-1252, exactly as given (quote strings yourself).
    QString writeLines(const QString &relativePath, const QStringList &lines) const;
    QByteArray read(const QString &relativePath) const;
    bool exists(const QString &relativePath) const;
    QString path(const QString &relativePath) const;

    // The smallest valid project: General (22 lines) naming `initialFrame`, Version,
    // Variables, Project.dat.
    void writeMinimalProject(const QString &name = QStringLiteral("Test"),
                             const QString &initialFrame = QStringLiteral("Start")) const;

private:
    QTemporaryDir m_dir;
    QString m_root;
};

// Every file and folder under `root` (hidden ones too) by its relative path, with a file's bytes
// and "<dir>" for a folder: compared before and after, it shows any change, an empty folder left
// or lost included.
QMap<QString, QByteArray> folderTree(const QString &root);

// Quotes a string the way project files do.
QString q(const QString &s);

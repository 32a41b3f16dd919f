#include "EditorFolders.h"

#include "FolderCopy.h"
#include "ProjectPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

EditorFolders::EditorFolders(const QString &installFolder)
    : m_root(withTrailingSeparator(installFolder)) {}

EditorFolders EditorFolders::ofThisProgram() {
    return EditorFolders(QCoreApplication::applicationDirPath());
}

QString EditorFolders::schemes() const {
    return m_root + QStringLiteral("Schemes") + QDir::separator();
}
QString EditorFolders::presets() const {
    return m_root + QStringLiteral("Presets") + QDir::separator();
}
QString EditorFolders::icons() const {
    return m_root + QStringLiteral("Icons") + QDir::separator();
}
QString EditorFolders::projects() const {
    return m_root + QStringLiteral("Projects") + QDir::separator();
}
QString EditorFolders::compiler() const {
    return m_root + QStringLiteral("Compiler") + QDir::separator();
}
QString EditorFolders::readme() const {
    return m_root + QStringLiteral("Readme.txt");
}
QString EditorFolders::helpPage() const {
    return m_root + QStringLiteral("Help") + QDir::separator() + QStringLiteral("index.html");
}
QString EditorFolders::player() const {
    return m_root + QStringLiteral("run.dat");
}

namespace {

// A folder can be written when a file can be made in it (permissions alone do not say so for
// a read-only mount).
bool canWriteIn(const QString &folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    QFile probe(QDir(folder).filePath(QStringLiteral(".quillmoor-write-test")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

} // namespace

QString EditorFolders::projectsStart(const QString &documents) const {
    if (canWriteIn(projects()))
        return projects();
    QString docs = documents;
    if (docs.isEmpty())
        docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath();
    const QString own =
        withTrailingSeparator(QDir(docs).filePath(QStringLiteral("Quillmoor Projects")));
    if (QFileInfo(own).isDir())
        return own;
    if (!QDir().mkpath(own))
        return projects();
    const QString demo = projects() + QStringLiteral("Demo");
    if (QFileInfo(demo).isDir())
        FolderCopy().copy(demo, own + QStringLiteral("Demo"));
    return own;
}

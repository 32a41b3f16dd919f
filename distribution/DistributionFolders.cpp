#include "DistributionFolders.h"

#include <QDir>
#include <QFileInfo>

DistributionFolders::DistributionFolders(const QString &editorFolder)
    : m_editor(QDir::fromNativeSeparators(editorFolder)) {
    if (!m_editor.endsWith(QLatin1Char('/')))
        m_editor += QLatin1Char('/');
}

QString DistributionFolders::player() const {
    return m_editor + QStringLiteral("run.dat");
}
QStringList DistributionFolders::mediaLibraries() const {
    QStringList found;
    for (const char *name : {"libqmsound.so", "libqmvideo.so", "libqmmetafile.so"}) {
        const QString path = m_editor + QStringLiteral("lib/") + QLatin1String(name);
        if (QFileInfo(path).isFile())
            found << path;
    }
    return found;
}
QString DistributionFolders::compiler() const {
    return m_editor + QStringLiteral("Compiler/");
}
QString DistributionFolders::system() const {
    return m_editor + QStringLiteral("System/");
}
QString DistributionFolders::schemes() const {
    return m_editor + QStringLiteral("Schemes/");
}
QString DistributionFolders::output() const {
    return m_editor + QStringLiteral("Output/");
}
QString DistributionFolders::setupOutput() const {
    return output() + QStringLiteral("Setup.exe");
}
QString DistributionFolders::playersConfig() const {
    return output() + QStringLiteral("Config/");
}
QString DistributionFolders::gameMarker() const {
    return output() + QStringLiteral("Game/UserData.dat");
}
QString DistributionFolders::script(const QString &projectName) const {
    return m_editor + projectName + QStringLiteral(".iss");
}

#include "PluginLibraries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

namespace {

QString programFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

bool fail(QString *error, const QString &why) {
    if (error)
        *error = why;
    return false;
}

} // namespace

namespace PluginLibraries {

QStringList searchPath() {
    const QByteArray chosen = qgetenv("QM_MEDIA_PLUGIN_PATH");
    if (!chosen.isEmpty())
        return {QFile::decodeName(chosen)};
    QStringList folders{programFolder() + QStringLiteral("/lib")};
#ifdef QM_PLUGIN_DIR
    folders << QStringLiteral(QM_PLUGIN_DIR);
#endif
    return folders;
}

void *entry(const char *file, const char *entry, const QString &what, QString *error) {
    const QStringList folders = searchPath();
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(file));
        if (!QFileInfo(path).isFile())
            continue;
        void *library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            fail(error, QStringLiteral("The %1 could not be loaded: %2")
                            .arg(what, QString::fromLocal8Bit(dlerror())));
            return nullptr;
        }
        void *function = dlsym(library, entry);
        if (!function)
            fail(error, QStringLiteral("The %1 (%2) is from another version of the program.")
                            .arg(what, QDir::toNativeSeparators(path)));
        return function;
    }
    fail(error, QStringLiteral("The %1 (%2) was not found in: %3")
                    .arg(what, QString::fromLatin1(file),
                         QDir::toNativeSeparators(folders.join(QStringLiteral(", ")))));
    return nullptr;
}

} // namespace PluginLibraries

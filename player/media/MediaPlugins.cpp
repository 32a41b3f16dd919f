#include "MediaPlugins.h"

#include "MediaPlugin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <dlfcn.h>

#include <mutex>

namespace {

template <class Plugin> struct Loaded {
    bool tried = false;
    Plugin *object = nullptr;
    QString error;
};

std::mutex g_mutex;

QString programFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

// Loads `file` from the first folder of the search path that holds it and calls its entry.
template <class Plugin>
void load(Loaded<Plugin> &into, const char *file, const char *entry, const QString &what) {
    into.tried = true;
    QString tried;
    for (const QString &folder : MediaPlugins::searchPath()) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(file));
        if (!QFileInfo(path).isFile())
            continue;
        void *library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            into.error = QStringLiteral("The %1 could not be loaded: %2")
                             .arg(what, QString::fromLocal8Bit(dlerror()));
            return;
        }
        using Entry = Plugin *();
        auto *function = reinterpret_cast<Entry *>(dlsym(library, entry));
        if (!function) {
            into.error = QStringLiteral("The %1 (%2) is from another version of the program.")
                             .arg(what, QDir::toNativeSeparators(path));
            return;
        }
        into.object = function();
        return;
    }
    into.error = QStringLiteral("The %1 (%2) was not found in: %3")
                     .arg(what, QString::fromLatin1(file),
                          QDir::toNativeSeparators(MediaPlugins::searchPath().join(", ")));
}

template <class Plugin>
Plugin *get(Loaded<Plugin> &slot, const char *file, const char *entry, const QString &what,
            QString *error) {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!slot.tried)
        load(slot, file, entry, what);
    if (!slot.object && error)
        *error = slot.error;
    return slot.object;
}

} // namespace

namespace MediaPlugins {

QStringList searchPath() {
    const QByteArray chosen = qgetenv("QM_MEDIA_PLUGIN_PATH");
    if (!chosen.isEmpty())
        return {QFile::decodeName(chosen)};
    QStringList folders{programFolder() + QStringLiteral("/lib")};
#ifdef QM_MEDIA_PLUGIN_DIR
    folders << QStringLiteral(QM_MEDIA_PLUGIN_DIR);
#endif
    return folders;
}

SoundPlugin *sound(QString *error) {
    static Loaded<SoundPlugin> slot;
    return get(slot, QM_SOUND_PLUGIN_FILE, QM_SOUND_PLUGIN_ENTRY, QStringLiteral("sound library"),
               error);
}

VideoPlugin *video(QString *error) {
    static Loaded<VideoPlugin> slot;
    return get(slot, QM_VIDEO_PLUGIN_FILE, QM_VIDEO_PLUGIN_ENTRY, QStringLiteral("video library"),
               error);
}

} // namespace MediaPlugins

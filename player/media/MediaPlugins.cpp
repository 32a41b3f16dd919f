#include "MediaPlugins.h"

#include "MediaPlugin.h"
#include "PluginLibraries.h"

#include <mutex>

namespace {

template <class Plugin> struct Loaded {
    bool tried = false;
    Plugin *object = nullptr;
    QString error;
};

std::mutex g_mutex;

template <class Plugin>
void load(Loaded<Plugin> &into, const char *file, const char *entry, const QString &what) {
    into.tried = true;
    using Entry = Plugin *();
    if (auto *function =
            reinterpret_cast<Entry *>(PluginLibraries::entry(file, entry, what, &into.error)))
        into.object = function();
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
    return PluginLibraries::searchPath();
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

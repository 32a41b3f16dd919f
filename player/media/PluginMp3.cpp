#include "PluginMp3.h"

#include "MediaPlugin.h"

namespace {
constexpr int CannotOpen = 1;
}

PluginMp3::PluginMp3(std::function<SoundPlugin *()> sound) : m_sound(std::move(sound)) {}

PluginMp3::~PluginMp3() = default;

Mp3Library *PluginMp3::library(bool load) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_library && load) {
        if (SoundPlugin *plugin = m_sound())
            m_library = plugin->createMp3();
    }
    return m_library.get();
}

int PluginMp3::mp3gettime(const Mp3Request &request, qint32 &totalMilliseconds, qint32 &second) {
    Mp3Library *mp3 = library(true);
    return mp3 ? mp3->mp3gettime(request, totalMilliseconds, second) : CannotOpen;
}

int PluginMp3::mp3play(const Mp3Request &request) {
    // The library is called outside the lock: mp3play blocks while mp3stop must get through.
    Mp3Library *mp3 = library(true);
    return mp3 ? mp3->mp3play(request) : CannotOpen;
}

void PluginMp3::mp3stop() {
    if (Mp3Library *mp3 = library(false))
        mp3->mp3stop();
}

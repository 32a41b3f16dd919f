#include "PluginWaveMix.h"

#include "MediaPlugin.h"

namespace {
constexpr int Failed = 1; // any non-zero result is a failure
}

PluginWaveMix::PluginWaveMix(std::function<SoundPlugin *()> sound) : m_sound(std::move(sound)) {}

PluginWaveMix::~PluginWaveMix() = default;

WaveMixLibrary *PluginWaveMix::library() const {
    if (!m_library) {
        if (SoundPlugin *plugin = m_sound())
            m_library = plugin->createWaveMix();
    }
    return m_library.get();
}

bool PluginWaveMix::available() const {
    return library() && m_library->available();
}

quint32 PluginWaveMix::WaveMixConfigureInit(const QByteArray &config) {
    return library() ? m_library->WaveMixConfigureInit(config) : 0;
}

int PluginWaveMix::WaveMixActivate(quint32 session, bool activate) {
    return library() ? m_library->WaveMixActivate(session, activate) : Failed;
}

quint32 PluginWaveMix::WaveMixOpenWave(quint32 session, const QByteArray &fileName, int instance,
                                       int flags) {
    return library() ? m_library->WaveMixOpenWave(session, fileName, instance, flags) : 0;
}

int PluginWaveMix::WaveMixOpenChannel(quint32 session, int channel, int flags) {
    return library() ? m_library->WaveMixOpenChannel(session, channel, flags) : Failed;
}

int PluginWaveMix::WaveMixPlay(const QByteArray &playRecord) {
    return library() ? m_library->WaveMixPlay(playRecord) : Failed;
}

int PluginWaveMix::WaveMixFlushChannel(quint32 session, int channel, int flags) {
    return library() ? m_library->WaveMixFlushChannel(session, channel, flags) : Failed;
}

int PluginWaveMix::WaveMixFreeWave(quint32 session, quint32 wave) {
    return library() ? m_library->WaveMixFreeWave(session, wave) : Failed;
}

int PluginWaveMix::WaveMixCloseSession(quint32 session) {
    return library() ? m_library->WaveMixCloseSession(session) : Failed;
}

#pragma once

#include "WaveMixLibrary.h"

#include <functional>
#include <memory>

class SoundPlugin;

// The wave mixer of the sound library, made on the first call, so that a program loads the
// library only once a game uses wave channels. Without the library it is not available()
// (the "library is missing" case) and every call fails. Window thread only.
class PluginWaveMix : public WaveMixLibrary {
public:
    // `sound` loads the sound library; null when it cannot be loaded.
    explicit PluginWaveMix(std::function<SoundPlugin *()> sound);
    ~PluginWaveMix() override;

    bool available() const override;
    quint32 WaveMixConfigureInit(const QByteArray &config) override;
    int WaveMixActivate(quint32 session, bool activate) override;
    quint32 WaveMixOpenWave(quint32 session, const QByteArray &fileName, int instance,
                            int flags) override;
    int WaveMixOpenChannel(quint32 session, int channel, int flags) override;
    int WaveMixPlay(const QByteArray &playRecord) override;
    int WaveMixFlushChannel(quint32 session, int channel, int flags) override;
    int WaveMixFreeWave(quint32 session, quint32 wave) override;
    int WaveMixCloseSession(quint32 session) override;

private:
    WaveMixLibrary *library() const;

    std::function<SoundPlugin *()> m_sound;
    mutable std::unique_ptr<WaveMixLibrary> m_library;
};

#pragma once

#include "WaveMixLibrary.h"

#include <memory>

// The wave-mixing library over the program's audio output: channels 0 to 7 of the mixer, waves
// held in memory. Used from the window thread only.
class SdlWaveMix : public WaveMixLibrary {
public:
    static constexpr int Channels = 8;

    SdlWaveMix();
    ~SdlWaveMix() override;
    SdlWaveMix(const SdlWaveMix &) = delete;
    SdlWaveMix &operator=(const SdlWaveMix &) = delete;

    bool available() const override { return true; }
    quint32 WaveMixConfigureInit(const QByteArray &config) override;
    int WaveMixActivate(quint32 session, bool activate) override;
    quint32 WaveMixOpenWave(quint32 session, const QByteArray &fileName, int instance,
                            int flags) override;
    int WaveMixOpenChannel(quint32 session, int channel, int flags) override;
    int WaveMixPlay(const QByteArray &playRecord) override;
    int WaveMixFlushChannel(quint32 session, int channel, int flags) override;
    int WaveMixFreeWave(quint32 session, quint32 wave) override;
    int WaveMixCloseSession(quint32 session) override;

    // True while the mixer channel (0..7) is sounding.
    bool channelPlaying(int channel) const;
    // Why the last WaveMixOpenWave returned 0.
    QString lastError() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

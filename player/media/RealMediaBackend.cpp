#include "RealMediaBackend.h"

#include "AudioOutput.h"
#include "MciCommandDevice.h"
#include "MediaClock.h"
#include "SdlMp3.h"
#include "SdlWaveMix.h"
#include "SoundDrivers.h"
#include "VideoDrivers.h"

namespace {

class RealMediaBackend : public MediaBackend, MediaDriverFactory {
public:
    explicit RealMediaBackend(const MediaClock *clock) : m_clock(clock), m_mci(*this) {}

    MciDevice &mci() override { return m_mci; }
    WaveMixLibrary &waveMix() override { return m_waveMix; }
    Mp3Library &mp3() override { return m_mp3; }
    const MediaClock &clock() const override { return m_clock ? *m_clock : m_systemClock; }
    void setVolumes(int musicPercent, int soundPercent) override {
        MediaBackend::setVolumes(musicPercent, soundPercent);
        AudioOutput::setVolumes(musicVolume(), soundVolume());
    }

    std::unique_ptr<MediaDriver> open(Type type, const QString &file, quintptr parentWindow,
                                      QString *error) override {
        switch (type) {
        case Type::Sequencer:
            return openSequencer(file, error);
        case Type::Waveaudio:
            return openWaveaudio(file, error);
        case Type::AviVideo:
            return openAviVideo(file, parentWindow, error);
        }
        return nullptr;
    }

private:
    const MediaClock *m_clock;
    SystemMediaClock m_systemClock;
    SdlWaveMix m_waveMix;
    SdlMp3 m_mp3;
    MciCommandDevice m_mci; // last: its devices close before the libraries go
};

} // namespace

std::unique_ptr<MediaBackend> createRealMediaBackend(const MediaClock *clock) {
    return std::make_unique<RealMediaBackend>(clock);
}

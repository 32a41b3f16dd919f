#include "RealMediaBackend.h"

#include "MciCommandDevice.h"
#include "MediaClock.h"
#include "MediaPlugin.h"
#include "MediaPlugins.h"
#include "PluginMp3.h"
#include "PluginWaveMix.h"

#include <mutex>

namespace {

// Sound and video come from the back-end libraries, loaded when a game first needs them: a
// program showing only its windows never loads SDL_mixer, FluidSynth or FFmpeg. A missing
// library fails like a file that cannot be played, and the game goes on.
class RealMediaBackend : public MediaBackend, MediaDriverFactory {
public:
    explicit RealMediaBackend(const MediaClock *clock)
        : m_clock(clock), m_waveMix([this] { return sound(); }), m_mp3([this] { return sound(); }),
          m_mci(*this) {}

    MciDevice &mci() override { return m_mci; }
    WaveMixLibrary &waveMix() override { return m_waveMix; }
    Mp3Library &mp3() override { return m_mp3; }
    const MediaClock &clock() const override { return m_clock ? *m_clock : m_systemClock; }
    void setVolumes(int musicPercent, int soundPercent) override {
        MediaBackend::setVolumes(musicPercent, soundPercent);
        std::lock_guard<std::mutex> lock(m_soundMutex);
        m_volumesSet = true;
        if (m_sound)
            m_sound->setVolumes(musicVolume(), soundVolume());
    }

    std::unique_ptr<MediaDriver> open(Type type, const QString &file, quintptr parentWindow,
                                      QString *error) override {
        if (type == Type::AviVideo) {
            // The sound track plays through the sound library, which gets the volumes first.
            if (!sound(error))
                return nullptr;
            VideoPlugin *video = MediaPlugins::video(error);
            return video ? video->openAviVideo(file, parentWindow, error) : nullptr;
        }
        SoundPlugin *plugin = sound(error);
        if (!plugin)
            return nullptr;
        return type == Type::Sequencer ? plugin->openSequencer(file, error)
                                       : plugin->openWaveaudio(file, error);
    }

private:
    // Loads the sound library on the first call from any thread and gives it the volumes.
    SoundPlugin *sound(QString *error = nullptr) {
        std::lock_guard<std::mutex> lock(m_soundMutex);
        if (!m_sound) {
            m_sound = MediaPlugins::sound(error);
            if (m_sound && m_volumesSet)
                m_sound->setVolumes(musicVolume(), soundVolume());
        }
        return m_sound;
    }

    const MediaClock *m_clock;
    SystemMediaClock m_systemClock;
    std::mutex m_soundMutex;
    SoundPlugin *m_sound = nullptr;
    bool m_volumesSet = false;
    PluginWaveMix m_waveMix;
    PluginMp3 m_mp3;
    MciCommandDevice m_mci; // last: its devices close before the libraries go
};

} // namespace

std::unique_ptr<MediaBackend> createRealMediaBackend(const MediaClock *clock) {
    return std::make_unique<RealMediaBackend>(clock);
}

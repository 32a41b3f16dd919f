// libqmsound.so: the sound back end a program loads on its first sound.

#include "AudioOutput.h"
#include "MediaPlugin.h"
#include "SdlMp3.h"
#include "SdlWaveMix.h"
#include "SoundDrivers.h"

namespace {

class SdlSoundPlugin : public SoundPlugin {
public:
    std::unique_ptr<WaveMixLibrary> createWaveMix() override {
        return std::make_unique<SdlWaveMix>();
    }
    std::unique_ptr<Mp3Library> createMp3() override { return std::make_unique<SdlMp3>(); }
    std::unique_ptr<MediaDriver> openWaveaudio(const QString &file, QString *error) override {
        return ::openWaveaudio(file, error);
    }
    std::unique_ptr<MediaDriver> openSequencer(const QString &file, QString *error) override {
        return ::openSequencer(file, error);
    }
    void setVolumes(int musicPercent, int soundPercent) override {
        AudioOutput::setVolumes(musicPercent, soundPercent);
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) SoundPlugin *qmSoundPlugin1() {
    static SdlSoundPlugin plugin;
    return &plugin;
}

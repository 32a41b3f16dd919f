// The player's music and sound volumes, heard in what the output really carries.

#include "AudioOutput.h"
#include "DiskAudio.h"
#include "SdlWaveMix.h"
#include "SoundFixtures.h"
#include "TestHost.h"
#include "WAVEMIX.h"
#include "cWaveMix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Music mixed after the channels, as the synthesizer is: a steady 440 Hz tone.
class ToneSource : public PostMixSource {
public:
    bool isMusic() const override { return true; }
    void mixInto(qint16 *stereo, int frames) override {
        for (int i = 0; i < frames; ++i, ++m_frame) {
            const int v = static_cast<int>(
                8000 * std::sin(2 * M_PI * SoundFixtures::ToneHz * m_frame / DiskAudio::Rate));
            stereo[2 * i] = static_cast<qint16>(stereo[2 * i] + v);
            stereo[2 * i + 1] = static_cast<qint16>(stereo[2 * i + 1] + v);
        }
    }

private:
    qint64 m_frame = 0;
};

class VolumeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fixtures.ok()) << fixtures.error().toStdString(); }
    void TearDown() override {
        AudioOutput::setVolumes(100, 100);
        AudioOutput::shutdown();
    }
    const SoundFixtures &fixtures = SoundFixtures::get();
};

} // namespace

TEST_F(VolumeTest, SoundVolumeScalesTheChannelsAndMusicVolumeTheMusic) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();
    const qint64 span = DiskAudio::ms(300);
    struct Stretch {
        int music, sound;
        qint64 from = 0, to = 0;
    };
    // First the looping wave alone, then the music alone, each at three volumes.
    Stretch waves[] = {{100, 100}, {100, 50}, {100, 0}, {25, 100}};
    Stretch music[] = {{100, 100}, {25, 100}, {0, 100}, {100, 10}};
    auto listen = [&](Stretch &s) {
        AudioOutput::setVolumes(s.music, s.sound);
        ASSERT_TRUE(audio.waitFor(4 * AudioOutput::BufferFrames)); // the change reaches out
        s.from = audio.frames();
        ASSERT_TRUE(audio.waitFor(span));
        s.to = audio.frames();
    };
    SdlWaveMix mix;
    TestHost host;
    WAVEMIX session(mix, host);
    {
        cWaveMix channels(session, host);
        channels.CurrentChannel = 2;
        channels.setFileName(fixtures.path(QStringLiteral("loop.wav")));
        channels.setAutoLoop(-1);
        channels.Play();
        for (Stretch &s : waves)
            listen(s);
        channels.Quit();
    }
    ToneSource tone;
    AudioOutput::instance()->addPostMixSource(&tone);
    for (Stretch &s : music)
        listen(s);
    AudioOutput::instance()->removePostMixSource(&tone);
    EXPECT_TRUE(host.errors.isEmpty());
    audio.finish();
    ASSERT_TRUE(audio.error().isEmpty()) << audio.error().toStdString();

    auto level = [&](const Stretch &s) {
        return audio.toneLevel(s.from, s.to, SoundFixtures::ToneHz);
    };
    const double fullWaves = level(waves[0]), fullMusic = level(music[0]);
    ASSERT_GT(fullWaves, 1000.0);
    ASSERT_GT(fullMusic, 1000.0);
    EXPECT_NEAR(level(waves[1]) / fullWaves, 0.5, 0.08);
    EXPECT_LE(audio.peak(waves[2].from, waves[2].to), DiskAudio::SilentLevel);
    EXPECT_NEAR(level(waves[3]) / fullWaves, 1.0, 0.08) << "music volume leaves sounds alone";
    EXPECT_NEAR(level(music[1]) / fullMusic, 0.25, 0.05);
    EXPECT_LE(audio.peak(music[2].from, music[2].to), DiskAudio::SilentLevel);
    EXPECT_NEAR(level(music[3]) / fullMusic, 1.0, 0.05) << "sound volume leaves music alone";
}

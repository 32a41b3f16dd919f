// The Waveaudio device of the command-string layer: one wave on the single-sound channel.

#include "AudioOutput.h"
#include "DiskAudio.h"
#include "SdlWaveMix.h"
#include "SoundDrivers.h"
#include "SoundFixtures.h"
#include "WAVEMIX.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

class WaveaudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixtures.ok()) << fixtures.error().toStdString();
        useDummyAudio();
    }
    void TearDown() override { AudioOutput::shutdown(); }

    std::unique_ptr<MediaDriver> open(const char *file, QString *error = nullptr) const {
        QString why;
        auto driver = openWaveaudio(fixtures.path(QString::fromUtf8(file)), &why);
        if (error)
            *error = why;
        return driver;
    }

    // Waits until the device stops by itself; false when it never does.
    static bool waitForEnd(const MediaDriver &driver) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (driver.isPlaying()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }

    const SoundFixtures &fixtures = SoundFixtures::get();
};

} // namespace

TEST_F(WaveaudioTest, PlaysOnceThenStopsAtTheEnd) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();
    auto wave = open("tone.wav");
    ASSERT_TRUE(wave);
    EXPECT_EQ(wave->lengthMs(), SoundFixtures::ToneMs);
    EXPECT_EQ(wave->positionMs(), 0);
    EXPECT_FALSE(wave->isPlaying());
    const qint64 playAt = audio.frames();
    ASSERT_TRUE(wave->play());
    EXPECT_TRUE(wave->isPlaying());
    ASSERT_TRUE(waitForEnd(*wave));
    EXPECT_EQ(wave->positionMs(), wave->lengthMs());
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(100)));
    const qint64 againAt = audio.frames();
    // At the end, play starts from the beginning.
    ASSERT_TRUE(wave->play());
    EXPECT_TRUE(wave->isPlaying());
    EXPECT_LT(wave->positionMs(), wave->lengthMs() / 2);
    ASSERT_TRUE(waitForEnd(*wave));
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(100)));
    wave.reset();
    audio.finish();

    for (qint64 from : {playAt, againAt}) {
        const qint64 start = audio.firstLoud(from);
        ASSERT_GE(start, from);
        const qint64 end = audio.lastLoud(start, from == playAt ? againAt : audio.fileFrames());
        EXPECT_NEAR(double(end - start), double(DiskAudio::ms(SoundFixtures::ToneMs)),
                    double(DiskAudio::ms(5)));
        EXPECT_LE(audio.peak(end + DiskAudio::ms(5), from == playAt ? againAt : audio.fileFrames()),
                  DiskAudio::SilentLevel);
    }
}

TEST_F(WaveaudioTest, PauseStopSeekAndPosition) {
    auto wave = open("long.wav");
    ASSERT_TRUE(wave);
    ASSERT_EQ(wave->lengthMs(), SoundFixtures::LongToneMs);
    ASSERT_TRUE(wave->play());
    std::this_thread::sleep_for(300ms);
    wave->pause();
    EXPECT_FALSE(wave->isPlaying());
    const qint64 paused = wave->positionMs();
    EXPECT_GT(paused, 0);
    EXPECT_LT(paused, wave->lengthMs());
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(wave->positionMs(), paused);

    ASSERT_TRUE(wave->play());
    EXPECT_TRUE(wave->isPlaying());
    std::this_thread::sleep_for(100ms);
    wave->stop();
    const qint64 stopped = wave->positionMs();
    EXPECT_GT(stopped, paused);
    EXPECT_FALSE(wave->isPlaying());
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(wave->positionMs(), stopped);

    // Playing after a stop goes on from there.
    ASSERT_TRUE(wave->play());
    std::this_thread::sleep_for(50ms);
    EXPECT_GT(wave->positionMs(), stopped);
    wave->stop();

    EXPECT_FALSE(wave->seek(-1));
    EXPECT_FALSE(wave->seek(wave->lengthMs() + 1));
    ASSERT_TRUE(wave->seek(900));
    EXPECT_EQ(wave->positionMs(), 900);
    EXPECT_FALSE(wave->isPlaying());
    ASSERT_TRUE(wave->play());
    ASSERT_TRUE(waitForEnd(*wave));
    EXPECT_EQ(wave->positionMs(), wave->lengthMs());

    // Seeking while playing keeps playing from the new place.
    ASSERT_TRUE(wave->seek(0));
    ASSERT_TRUE(wave->play());
    ASSERT_TRUE(wave->seek(500));
    EXPECT_TRUE(wave->isPlaying());
    EXPECT_GE(wave->positionMs(), 500);
}

TEST_F(WaveaudioTest, OneSingleSoundAtATimeBesideTheWaveChannels) {
    auto first = open("long.wav");
    auto second = open("long.wav");
    ASSERT_TRUE(first && second);
    SdlWaveMix mix;
    const quint32 session = mix.WaveMixConfigureInit(WAVEMIX::configurationRecord());
    ASSERT_EQ(mix.WaveMixActivate(session, true), 0);
    const quint32 loop = mix.WaveMixOpenWave(
        session, QByteArray(fixtures.path(QStringLiteral("loop.wav")).toLatin1()), 0, 0);
    ASSERT_NE(loop, 0u);
    ASSERT_EQ(mix.WaveMixPlay(WAVEMIX::playRecord(session, 0, loop, -1)), 0);

    ASSERT_TRUE(first->play());
    std::this_thread::sleep_for(100ms);
    ASSERT_TRUE(second->play());
    EXPECT_FALSE(first->isPlaying());
    EXPECT_TRUE(second->isPlaying());
    const qint64 cutAt = first->positionMs();
    EXPECT_GT(cutAt, 0);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(first->positionMs(), cutAt);
    EXPECT_TRUE(mix.channelPlaying(0));

    // The wave channels and the single sound leave each other alone.
    EXPECT_EQ(mix.WaveMixCloseSession(session), 0);
    EXPECT_TRUE(second->isPlaying());
    second->stop();
    EXPECT_FALSE(second->isPlaying());

    // The first device takes the channel back where it was cut off.
    ASSERT_TRUE(first->play());
    EXPECT_TRUE(first->isPlaying());
    EXPECT_GE(first->positionMs(), cutAt);
}

TEST_F(WaveaudioTest, RefusesMissingAndBrokenFiles) {
    for (const char *file : {"missing.wav", "text.wav", "header-cut.wav", "mp3.wav", "notes.mid"}) {
        QString error;
        EXPECT_FALSE(open(file, &error)) << file;
        EXPECT_FALSE(error.isEmpty()) << file;
    }
}

TEST_F(WaveaudioTest, NoAudioDevice) {
    useNoAudioDevice();
    QString error;
    EXPECT_FALSE(open("tone.wav", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("audio device"))) << error.toStdString();
}

TEST_F(WaveaudioTest, OutlivesTheAudioOutput) {
    auto wave = open("long.wav");
    ASSERT_TRUE(wave);
    ASSERT_TRUE(wave->play());
    AudioOutput::shutdown();
    EXPECT_FALSE(wave->isPlaying());
    wave.reset();
}

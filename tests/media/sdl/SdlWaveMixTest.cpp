// The wave mixer over channels 0 to 7: handles and records as the session module writes them,
// and what the eight channels really put out.

#include "SdlWaveMix.h"
#include "AudioOutput.h"
#include <QFile>
#include "DiskAudio.h"
#include "SoundFixtures.h"
#include "TestHost.h"
#include "WAVEMIX.h"
#include "cWaveMix.h"

#include <gtest/gtest.h>

namespace {

class SdlWaveMixTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixtures.ok()) << fixtures.error().toStdString();
        useDummyAudio();
    }
    void TearDown() override { AudioOutput::shutdown(); }

    QByteArray name(const char *file) const {
        return QFile::encodeName(fixtures.path(QString::fromUtf8(file)));
    }

    // Channels sounding, as a set of numbers.
    std::vector<int> playing(const SdlWaveMix &mix) const {
        std::vector<int> out;
        for (int c = 0; c < SdlWaveMix::Channels; ++c) {
            if (mix.channelPlaying(c))
                out.push_back(c);
        }
        return out;
    }

    const SoundFixtures &fixtures = SoundFixtures::get();
};

using SdlWaveMixOutputTest = SdlWaveMixTest;

} // namespace

TEST_F(SdlWaveMixTest, SessionsChannelsAndPlayRecords) {
    SdlWaveMix mix;
    EXPECT_TRUE(mix.available());
    EXPECT_EQ(mix.WaveMixConfigureInit(QByteArray(4, '\0')), 0u);
    const quint32 session = mix.WaveMixConfigureInit(WAVEMIX::configurationRecord());
    ASSERT_NE(session, 0u);
    EXPECT_NE(mix.WaveMixActivate(0, true), 0);
    EXPECT_NE(mix.WaveMixActivate(session + 1, true), 0);
    ASSERT_EQ(mix.WaveMixActivate(session, true), 0);

    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(mix.WaveMixOpenChannel(session, c, 0), 0) << c;
    EXPECT_NE(mix.WaveMixOpenChannel(session, 8, 0), 0);
    EXPECT_NE(mix.WaveMixOpenChannel(session, -1, 0), 0);
    EXPECT_NE(mix.WaveMixOpenChannel(0, 1, 0), 0);

    const quint32 loop = mix.WaveMixOpenWave(session, name("loop.wav"), 0, 0);
    const quint32 tone = mix.WaveMixOpenWave(session, name("long.wav"), 0, 0);
    ASSERT_NE(loop, 0u) << mix.lastError().toStdString();
    ASSERT_NE(tone, 0u);
    EXPECT_NE(loop, tone);
    EXPECT_EQ(mix.WaveMixOpenWave(0, name("loop.wav"), 0, 0), 0u);

    // The channel named in the record is the one that sounds.
    EXPECT_EQ(mix.WaveMixPlay(WAVEMIX::playRecord(session, 3, loop, -1)), 0);
    EXPECT_EQ(playing(mix), std::vector<int>{3});
    EXPECT_EQ(mix.WaveMixPlay(WAVEMIX::playRecord(session, 6, tone, 0)), 0);
    EXPECT_EQ(playing(mix), (std::vector<int>{3, 6}));

    // Records that name nothing playable are refused and change nothing.
    EXPECT_NE(mix.WaveMixPlay(WAVEMIX::playRecord(session, 8, loop, 0)), 0);
    EXPECT_NE(mix.WaveMixPlay(WAVEMIX::playRecord(session, -1, loop, 0)), 0);
    EXPECT_NE(mix.WaveMixPlay(WAVEMIX::playRecord(session, 1, 0, 0)), 0);
    EXPECT_NE(mix.WaveMixPlay(WAVEMIX::playRecord(session, 1, tone + loop + 1, 0)), 0);
    EXPECT_NE(mix.WaveMixPlay(WAVEMIX::playRecord(session + 1, 1, loop, 0)), 0);
    EXPECT_NE(mix.WaveMixPlay(WAVEMIX::playRecord(session, 1, loop, 0).left(23)), 0);
    QByteArray wrongSize = WAVEMIX::playRecord(session, 1, loop, 0);
    wrongSize[0] = 20;
    EXPECT_NE(mix.WaveMixPlay(wrongSize), 0);
    EXPECT_EQ(playing(mix), (std::vector<int>{3, 6}));

    // 32-bit values are read low word first: with the session's halves swapped the record names
    // a session that does not exist.
    QByteArray swapped = WAVEMIX::playRecord(session, 1, loop, 0);
    std::swap(swapped[2], swapped[4]);
    std::swap(swapped[3], swapped[5]);
    EXPECT_NE(mix.WaveMixPlay(swapped), 0);

    EXPECT_EQ(mix.WaveMixFlushChannel(session, 3, 0), 0);
    EXPECT_EQ(playing(mix), std::vector<int>{6});
    EXPECT_NE(mix.WaveMixFlushChannel(session, 9, 0), 0);
    EXPECT_NE(mix.WaveMixFlushChannel(0, 6, 0), 0);

    // Freeing a wave that is playing stops it; the handle is gone afterwards.
    EXPECT_EQ(mix.WaveMixFreeWave(session, tone), 0);
    EXPECT_TRUE(playing(mix).empty());
    EXPECT_NE(mix.WaveMixFreeWave(session, tone), 0);
    EXPECT_NE(mix.WaveMixPlay(WAVEMIX::playRecord(session, 6, tone, 0)), 0);

    // Closing the session stops every channel and forgets it.
    EXPECT_EQ(mix.WaveMixPlay(WAVEMIX::playRecord(session, 0, loop, -1)), 0);
    EXPECT_EQ(mix.WaveMixPlay(WAVEMIX::playRecord(session, 7, loop, -1)), 0);
    EXPECT_EQ(playing(mix), (std::vector<int>{0, 7}));
    EXPECT_EQ(mix.WaveMixCloseSession(session), 0);
    EXPECT_TRUE(playing(mix).empty());
    EXPECT_NE(mix.WaveMixCloseSession(session), 0);
    EXPECT_NE(mix.WaveMixPlay(WAVEMIX::playRecord(session, 0, loop, -1)), 0);
}

TEST_F(SdlWaveMixTest, DeactivatedSessionDoesNotPlay) {
    SdlWaveMix mix;
    const quint32 session = mix.WaveMixConfigureInit(WAVEMIX::configurationRecord());
    ASSERT_NE(session, 0u);
    const quint32 wave = mix.WaveMixOpenWave(session, name("loop.wav"), 0, 0);
    ASSERT_NE(wave, 0u);
    EXPECT_NE(mix.WaveMixPlay(WAVEMIX::playRecord(session, 2, wave, -1)), 0);
    ASSERT_EQ(mix.WaveMixActivate(session, true), 0);
    EXPECT_EQ(mix.WaveMixPlay(WAVEMIX::playRecord(session, 2, wave, -1)), 0);
    EXPECT_EQ(mix.WaveMixActivate(session, false), 0);
    EXPECT_TRUE(playing(mix).empty());
    EXPECT_NE(mix.WaveMixPlay(WAVEMIX::playRecord(session, 2, wave, -1)), 0);
}

TEST_F(SdlWaveMixTest, BrokenOrMissingWavesGiveNoHandle) {
    SdlWaveMix mix;
    const quint32 session = mix.WaveMixConfigureInit(WAVEMIX::configurationRecord());
    ASSERT_NE(session, 0u);
    for (const char *file : {"missing.wav", "text.wav", "header-cut.wav", "mp3.wav", ""}) {
        EXPECT_EQ(mix.WaveMixOpenWave(session, name(file), 0, 0), 0u) << file;
        EXPECT_FALSE(mix.lastError().isEmpty()) << file;
    }
    // The folder itself is no wave either.
    EXPECT_EQ(mix.WaveMixOpenWave(session, QFile::encodeName(fixtures.path(QString())), 0, 0), 0u);
}

TEST_F(SdlWaveMixTest, NamesComeInTheFileSystemEncoding) {
    SdlWaveMix mix;
    const quint32 session = mix.WaveMixConfigureInit(WAVEMIX::configurationRecord());
    ASSERT_NE(session, 0u);
    // Letters outside any 8-bit code page reach the file as the file system spells them.
    const QByteArray name =
        QFile::encodeName(fixtures.path(QString::fromUtf8("T\xC3\xB6n \xE6\x97\xA5.wav")));
    EXPECT_NE(mix.WaveMixOpenWave(session, name, 0, 0), 0u) << mix.lastError().toStdString();
}

TEST_F(SdlWaveMixTest, NoAudioDeviceMeansNoSession) {
    useNoAudioDevice();
    SdlWaveMix mix;
    EXPECT_EQ(mix.WaveMixConfigureInit(WAVEMIX::configurationRecord()), 0u);
    EXPECT_FALSE(AudioOutput::lastError().isEmpty());

    // The wave channels then report the missing hardware and stay closed.
    TestHost host;
    WAVEMIX session(mix, host);
    {
        cWaveMix channels(session, host);
        EXPECT_EQ(session.session(), 0u);
        ASSERT_EQ(host.errors.size(), 1);
        EXPECT_TRUE(host.errors.front().contains(QStringLiteral("No audio hardware")));
        channels.CurrentChannel = 1;
        channels.setFileName(fixtures.path(QStringLiteral("loop.wav")));
        channels.setAutoLoop(-1);
        channels.Play();
        EXPECT_TRUE(playing(mix).empty());
    }
}

TEST_F(SdlWaveMixOutputTest, LoopingChannelSoundsUntilQuit) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();
    SdlWaveMix mix;
    TestHost host;
    WAVEMIX session(mix, host);
    qint64 playAt = 0, quitAt = 0;
    {
        cWaveMix channels(session, host);
        ASSERT_TRUE(host.errors.isEmpty());
        channels.CurrentChannel = 3;
        channels.setFileName(fixtures.path(QStringLiteral("loop.wav")));
        channels.setAutoLoop(-1);
        playAt = audio.frames();
        channels.Play();
        EXPECT_EQ(playing(mix), std::vector<int>{3});
        // Six times the wave's length.
        ASSERT_TRUE(audio.waitFor(DiskAudio::ms(6 * SoundFixtures::LoopMs)));
        EXPECT_EQ(playing(mix), std::vector<int>{3});
        quitAt = audio.frames();
        channels.Quit();
        EXPECT_TRUE(playing(mix).empty());
        ASSERT_TRUE(audio.waitFor(DiskAudio::ms(200)));
    }
    EXPECT_TRUE(host.errors.isEmpty());
    audio.finish();
    ASSERT_TRUE(audio.error().isEmpty()) << audio.error().toStdString();

    const qint64 start = audio.firstLoud(playAt);
    ASSERT_GE(start, playAt);
    // Sounding without a gap from the start to the Quit (the buffer being mixed at that moment
    // may still hold it), silent after.
    EXPECT_GT(audio.weakestWindow(start, quitAt, AudioOutput::BufferFrames), DiskAudio::LoudLevel);
    EXPECT_GE(quitAt - start, DiskAudio::ms(5 * SoundFixtures::LoopMs));
    const qint64 end = audio.lastLoud(start, audio.fileFrames());
    EXPECT_LE(end, quitAt + 2 * AudioOutput::BufferFrames);
    EXPECT_LE(audio.peak(quitAt + 2 * AudioOutput::BufferFrames, audio.fileFrames()),
              DiskAudio::SilentLevel);
    EXPECT_GT(audio.toneLevel(start, quitAt, SoundFixtures::ToneHz), 1000.0);
}

TEST_F(SdlWaveMixOutputTest, OneShotFallsSilentAfterItsLength) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();
    SdlWaveMix mix;
    TestHost host;
    WAVEMIX session(mix, host);
    qint64 playAt = 0;
    {
        cWaveMix channels(session, host);
        channels.CurrentChannel = 5;
        channels.setFileName(fixtures.path(QStringLiteral("tone.wav")));
        channels.setAutoLoop(0);
        playAt = audio.frames();
        channels.Play();
        EXPECT_EQ(playing(mix), std::vector<int>{5});
        ASSERT_TRUE(audio.waitFor(DiskAudio::ms(SoundFixtures::ToneMs + 300)));
        EXPECT_TRUE(playing(mix).empty());
    }
    audio.finish();
    ASSERT_TRUE(audio.error().isEmpty()) << audio.error().toStdString();

    const qint64 start = audio.firstLoud(playAt);
    ASSERT_GE(start, playAt);
    const qint64 end = audio.lastLoud(start, audio.fileFrames());
    // The loud part is the wave's length, give or take a few milliseconds of sine near zero.
    EXPECT_NEAR(double(end - start), double(DiskAudio::ms(SoundFixtures::ToneMs)),
                double(DiskAudio::ms(5)));
    // Past the last loud sample the sine still has a few milliseconds of low values to go.
    EXPECT_LE(audio.peak(end + DiskAudio::ms(5), audio.fileFrames()), DiskAudio::SilentLevel);
}

TEST_F(SdlWaveMixOutputTest, QuitOnOneChannelLeavesTheOthers) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();
    SdlWaveMix mix;
    TestHost host;
    WAVEMIX session(mix, host);
    qint64 bothAt = 0, firstQuitAt = 0, secondQuitAt = 0;
    {
        cWaveMix channels(session, host);
        for (int c : {2, 6}) {
            channels.CurrentChannel = c;
            channels.setFileName(fixtures.path(QStringLiteral("loop.wav")));
            channels.setAutoLoop(-1);
            channels.Play();
        }
        bothAt = audio.frames();
        EXPECT_EQ(playing(mix), (std::vector<int>{2, 6}));
        ASSERT_TRUE(audio.waitFor(DiskAudio::ms(200)));
        channels.CurrentChannel = 2;
        firstQuitAt = audio.frames();
        channels.Quit();
        EXPECT_EQ(playing(mix), std::vector<int>{6});
        ASSERT_TRUE(audio.waitFor(DiskAudio::ms(300)));
        channels.CurrentChannel = 6;
        secondQuitAt = audio.frames();
        channels.Quit();
        ASSERT_TRUE(audio.waitFor(DiskAudio::ms(100)));
    }
    audio.finish();
    ASSERT_TRUE(audio.error().isEmpty()) << audio.error().toStdString();
    const qint64 margin = 2 * AudioOutput::BufferFrames;
    // Two copies of the same wave, started together, add up; one alone is about half as loud.
    const int both = audio.peak(bothAt + margin, firstQuitAt);
    const int one =
        audio.weakestWindow(firstQuitAt + margin, secondQuitAt, AudioOutput::BufferFrames);
    EXPECT_GT(one, DiskAudio::LoudLevel);
    EXPECT_GT(both, one + one / 2);
    EXPECT_LE(audio.peak(secondQuitAt + margin, audio.fileFrames()), DiskAudio::SilentLevel);
}

TEST_F(SdlWaveMixOutputTest, WaveCutInsideItsSamplesPlaysWhatIsThere) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();
    SdlWaveMix mix;
    const quint32 session = mix.WaveMixConfigureInit(WAVEMIX::configurationRecord());
    ASSERT_EQ(mix.WaveMixActivate(session, true), 0);
    const quint32 wave = mix.WaveMixOpenWave(session, name("data-cut.wav"), 0, 0);
    ASSERT_NE(wave, 0u) << mix.lastError().toStdString();
    const qint64 playAt = audio.frames();
    ASSERT_EQ(mix.WaveMixPlay(WAVEMIX::playRecord(session, 0, wave, 0)), 0);
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(SoundFixtures::ToneMs + 200)));
    mix.WaveMixCloseSession(session);
    audio.finish();
    const qint64 start = audio.firstLoud(playAt);
    ASSERT_GE(start, playAt);
    const qint64 end = audio.lastLoud(start, audio.fileFrames());
    EXPECT_NEAR(double(end - start), double(DiskAudio::ms(SoundFixtures::ToneMs / 2)),
                double(DiskAudio::ms(10)));
}

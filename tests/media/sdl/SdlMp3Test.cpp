// The MP3 library over the music stream: length, blocking play, stop from another thread, and
// broken files.

#include "SdlMp3.h"
#include "AudioOutput.h"
#include <QFile>
#include "DiskAudio.h"
#include "SoundFixtures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace {

using namespace std::chrono_literals;

class SdlMp3Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixtures.ok()) << fixtures.error().toStdString();
        useDummyAudio();
    }
    void TearDown() override { AudioOutput::shutdown(); }

    Mp3Request request(const char *file) const {
        Mp3Request r;
        r.fileName = QFile::encodeName(fixtures.path(QString::fromUtf8(file)));
        return r;
    }

    std::future<int> playInBackground(const Mp3Request &r) {
        return std::async(std::launch::async, [this, r] { return mp3.mp3play(r); });
    }

    // Far longer than any of these files; only there so that a fault cannot hang the run.
    static constexpr auto Bound = 10s;

    const SoundFixtures &fixtures = SoundFixtures::get();
    SdlMp3 mp3;
};

} // namespace

TEST_F(SdlMp3Test, LengthOfAnEncodedFile) {
    qint32 total = -1, second = -1;
    ASSERT_EQ(mp3.mp3gettime(request("music.mp3"), total, second), 0)
        << mp3.lastError().toStdString();
    EXPECT_NEAR(total, SoundFixtures::MusicMs, 100);
    EXPECT_EQ(second, 0);
    ASSERT_EQ(mp3.mp3gettime(request("short.mp3"), total, second), 0);
    EXPECT_NEAR(total, SoundFixtures::ShortMusicMs, 100);
}

TEST_F(SdlMp3Test, BrokenFilesFailWithoutHanging) {
    for (const char *file : {"missing.mp3", "text.mp3", "wave.mp3", "empty.mp3", ""}) {
        qint32 total = 0, second = 0;
        EXPECT_NE(mp3.mp3gettime(request(file), total, second), 0) << file;
        EXPECT_FALSE(mp3.lastError().isEmpty()) << file;
        auto result = playInBackground(request(file));
        ASSERT_EQ(result.wait_for(Bound), std::future_status::ready) << file;
        EXPECT_NE(result.get(), 0) << file;
    }
}

TEST_F(SdlMp3Test, PlayBlocksUntilStoppedFromAnotherThread) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();
    const qint64 playAt = audio.frames();
    auto result = playInBackground(request("music.mp3"));
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(500)));
    EXPECT_EQ(result.wait_for(0s), std::future_status::timeout);
    const qint64 stopAt = audio.frames();
    mp3.mp3stop();
    ASSERT_EQ(result.wait_for(Bound), std::future_status::ready);
    EXPECT_EQ(result.get(), 0);
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(200)));
    audio.finish();
    ASSERT_TRUE(audio.error().isEmpty()) << audio.error().toStdString();

    const qint64 start = audio.firstLoud(playAt);
    ASSERT_GE(start, playAt);
    ASSERT_LT(start, stopAt);
    EXPECT_GT(audio.weakestWindow(start, stopAt, AudioOutput::BufferFrames), DiskAudio::LoudLevel);
    EXPECT_GT(audio.toneLevel(start, stopAt, SoundFixtures::ToneHz), 5000.0);
    EXPECT_LE(audio.peak(stopAt + 2 * AudioOutput::BufferFrames, audio.fileFrames()),
              DiskAudio::SilentLevel);
}

TEST_F(SdlMp3Test, PlayReturnsAtTheEndOfTheFile) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();
    // A stop with nothing playing does not stop the next file.
    mp3.mp3stop();
    const qint64 playAt = audio.frames();
    auto result = playInBackground(request("short.mp3"));
    ASSERT_EQ(result.wait_for(Bound), std::future_status::ready);
    EXPECT_EQ(result.get(), 0);
    const qint64 returnedAt = audio.frames();
    audio.finish();

    const qint64 start = audio.firstLoud(playAt);
    ASSERT_GE(start, playAt);
    const qint64 end = audio.lastLoud(start, audio.fileFrames());
    EXPECT_NEAR(double(end - start), double(DiskAudio::ms(SoundFixtures::ShortMusicMs)),
                double(DiskAudio::ms(30)));
    // It returned once the music had ended, not before.
    EXPECT_GE(returnedAt, end - AudioOutput::BufferFrames);
}

TEST_F(SdlMp3Test, CancelledRequestsStopOrNeverStart) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();

    Mp3Request early = request("music.mp3");
    early.cancelled->store(true);
    const qint64 earlyAt = audio.frames();
    auto never = playInBackground(early);
    ASSERT_EQ(never.wait_for(Bound), std::future_status::ready);
    EXPECT_EQ(never.get(), 0);
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(100)));

    Mp3Request late = request("music.mp3");
    const qint64 lateAt = audio.frames();
    auto running = playInBackground(late);
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(300)));
    EXPECT_EQ(running.wait_for(0s), std::future_status::timeout);
    const qint64 cancelAt = audio.frames();
    late.cancelled->store(true);
    ASSERT_EQ(running.wait_for(Bound), std::future_status::ready);
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(100)));
    audio.finish();

    EXPECT_LE(audio.peak(earlyAt, lateAt), DiskAudio::SilentLevel);
    const qint64 start = audio.firstLoud(lateAt);
    ASSERT_GE(start, lateAt);
    EXPECT_LT(start, cancelAt);
    // The worker notices within its polling interval and a buffer or two.
    EXPECT_LE(audio.lastLoud(start, audio.fileFrames()),
              cancelAt + DiskAudio::ms(SdlMp3::PollMilliseconds) + 3 * AudioOutput::BufferFrames);
}

TEST_F(SdlMp3Test, NewerPlayIsNotStoppedByTheOlderOneEnding) {
    useDummyAudio();
    auto older = playInBackground(request("music.mp3"));
    std::this_thread::sleep_for(100ms);
    // The newer one takes the music stream over; the older then returns without halting it.
    Mp3Request newerRequest = request("music.mp3");
    auto newer = playInBackground(newerRequest);
    ASSERT_EQ(older.wait_for(Bound), std::future_status::ready);
    EXPECT_EQ(older.get(), 0);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(newer.wait_for(0s), std::future_status::timeout);
    mp3.mp3stop();
    ASSERT_EQ(newer.wait_for(Bound), std::future_status::ready);
}

TEST_F(SdlMp3Test, NoAudioDevice) {
    useNoAudioDevice();
    qint32 total = 0, second = 0;
    EXPECT_EQ(mp3.mp3gettime(request("music.mp3"), total, second), SdlMp3::NoAudioDevice);
    auto result = playInBackground(request("music.mp3"));
    ASSERT_EQ(result.wait_for(Bound), std::future_status::ready);
    EXPECT_EQ(result.get(), SdlMp3::NoAudioDevice);
}

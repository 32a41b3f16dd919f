// A video's sound against the video clock: on-time sound is mixed in, late sound is dropped,
// early sound waits, gaps keep later sound in place.

#include "VideoSoundTrack.h"
#include "AudioOutput.h"
#include "PlaybackClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

constexpr int kRate = AudioOutput::SampleRate;

// Time that moves only when the test says so.
struct ManualTime {
    PlaybackClock::TimePoint now{};
    PlaybackClock::Source source() {
        return [this] { return now; };
    }
    void advanceUs(qint64 us) { now += std::chrono::microseconds(us); }
};

std::vector<qint16> constant(int frames, qint16 value) {
    return std::vector<qint16>(size_t(frames) * 2, value);
}

TEST(VideoSoundTrackTest, MixesOnTimeSoundIntoTheOutputOnlyWhileTheClockRuns) {
    ManualTime time;
    PlaybackClock clock(time.source());
    VideoSoundTrack track(clock);
    const std::vector<qint16> tone = constant(512, 1000);
    track.append(0, tone.data(), 512);
    EXPECT_EQ(track.bufferedFrames(), 512);

    std::vector<qint16> out(256 * 2, 100);
    track.mixInto(out.data(), 256);
    EXPECT_EQ(out, constant(256, 100)) << "stopped clock: nothing plays";
    EXPECT_EQ(track.bufferedFrames(), 512);

    clock.start();
    track.mixInto(out.data(), 256);
    EXPECT_EQ(out, constant(256, 1100));
    EXPECT_EQ(track.bufferedFrames(), 256);

    // Summed samples saturate instead of wrapping round.
    std::vector<qint16> loud(256 * 2, 32000);
    track.mixInto(loud.data(), 256);
    EXPECT_EQ(loud, constant(256, 32767));
    EXPECT_EQ(track.bufferedFrames(), 0);
}

TEST(VideoSoundTrackTest, DropsSoundTheClockHasPassed) {
    ManualTime time;
    PlaybackClock clock(time.source());
    VideoSoundTrack track(clock);
    // Two seconds whose samples tell their own position.
    std::vector<qint16> ramp(size_t(2 * kRate) * 2);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = qint16(i / 2 / 4);
    track.append(0, ramp.data(), 2 * kRate);
    clock.set(1000000);
    clock.start();

    std::vector<qint16> out(256 * 2, 0);
    track.mixInto(out.data(), 256);
    // Playing resumes at the clock's second, not at the start of the buffer.
    EXPECT_EQ(out[0], kRate / 4);
    EXPECT_EQ(out[511], (kRate + 255) / 4);
    EXPECT_EQ(track.bufferedFrames(), kRate - 256);

    // The output stalled for half a second: what it missed is dropped, not played late.
    time.advanceUs(500000);
    std::fill(out.begin(), out.end(), 0);
    track.mixInto(out.data(), 256);
    EXPECT_EQ(out[0], (kRate + kRate / 2) / 4);
}

TEST(VideoSoundTrackTest, EarlySoundWaitsAndASmallLeadPlaysOn) {
    ManualTime time;
    PlaybackClock clock(time.source());
    clock.start();
    VideoSoundTrack track(clock);
    const std::vector<qint16> tone = constant(512, 1000);
    track.append(1000000, tone.data(), 512);
    std::vector<qint16> out(256 * 2, 0);
    track.mixInto(out.data(), 256);
    EXPECT_EQ(out, constant(256, 0));
    EXPECT_EQ(track.bufferedFrames(), 512);
    // Its time comes.
    time.advanceUs(1000000);
    track.mixInto(out.data(), 256);
    EXPECT_EQ(out, constant(256, 1000));

    // The device plays what is mixed a little later: sound a few milliseconds ahead is on time.
    VideoSoundTrack near(clock);
    near.append(clock.nowUs() + 20000, tone.data(), 512);
    std::fill(out.begin(), out.end(), 0);
    near.mixInto(out.data(), 256);
    EXPECT_EQ(out, constant(256, 1000));
}

TEST(VideoSoundTrackTest, AGapInTheTrackKeepsLaterSoundInPlace) {
    ManualTime time;
    PlaybackClock clock(time.source());
    VideoSoundTrack track(clock);
    EXPECT_EQ(track.endUs(), 0);
    const std::vector<qint16> tone = constant(kRate / 10, 1000);
    track.append(0, tone.data(), kRate / 10);
    EXPECT_EQ(track.endUs(), 100000);
    track.append(500000, tone.data(), kRate / 10);
    EXPECT_EQ(track.endUs(), 600000);
    EXPECT_EQ(track.bufferedFrames(), 6 * kRate / 10);

    // Contiguous pieces just follow each other.
    track.append(600000, tone.data(), kRate / 10);
    EXPECT_EQ(track.endUs(), 700000);

    track.clear();
    EXPECT_EQ(track.bufferedFrames(), 0);
    EXPECT_EQ(track.endUs(), 0);
}

} // namespace

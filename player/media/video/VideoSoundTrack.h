#pragma once

#include "AudioOutput.h"

#include <mutex>
#include <vector>

class PlaybackClock;

// A video's sound, mixed into the program's audio output. The decoding thread appends samples
// with their media time; the audio thread plays them when the video clock reaches that time,
// dropping late ones and waiting for early ones, so the sound stays with the picture.
class VideoSoundTrack : public PostMixSource {
public:
    explicit VideoSoundTrack(const PlaybackClock &clock);

    // `stereo` holds `frames` interleaved 16-bit stereo frames at AudioOutput::SampleRate.
    void append(qint64 us, const qint16 *stereo, int frames);
    void clear();
    qint64 bufferedFrames() const;
    // Media time just after the last sample appended since the last clear(); 0 when none.
    qint64 endUs() const;

    void mixInto(qint16 *stereo, int frames) override;

private:
    void dropFront(qint64 frames);

    const PlaybackClock &m_clock;
    mutable std::mutex m_mutex;
    std::vector<qint16> m_samples;
    size_t m_read = 0;       // index of the next sample to play in m_samples
    qint64 m_firstFrame = 0; // media position, in output frames, of the sample at m_read
};

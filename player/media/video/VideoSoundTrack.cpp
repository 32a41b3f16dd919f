#include "VideoSoundTrack.h"

#include "PlaybackClock.h"

#include <algorithm>

namespace {

constexpr qint64 kRate = AudioOutput::SampleRate;
// The device plays a little after we mix, so sound a bit ahead of the clock is on time.
constexpr qint64 kLateFrames = kRate / 10;
constexpr qint64 kEarlyFrames = kRate / 5;
// A gap in the track longer than this is filled with silence to keep later sound in place.
constexpr qint64 kGapFrames = kRate / 10;
constexpr qint64 kMaxGapFrames = kRate;
// Badly interleaved files may deliver sound long before its picture; beyond this it is dropped.
constexpr qint64 kMaxBufferedFrames = 10 * kRate;

qint64 framesAt(qint64 us) {
    return us * kRate / 1000000;
}

} // namespace

VideoSoundTrack::VideoSoundTrack(const PlaybackClock &clock) : m_clock(clock) {}

void VideoSoundTrack::append(qint64 us, const qint16 *stereo, int frames) {
    if (frames <= 0)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    const qint64 available = qint64(m_samples.size() - m_read) / 2;
    const qint64 at = framesAt(us);
    if (available == 0) {
        m_samples.clear();
        m_read = 0;
        m_firstFrame = at;
    } else {
        const qint64 gap = at - (m_firstFrame + available);
        if (gap > kGapFrames)
            m_samples.insert(m_samples.end(), size_t(std::min(gap, kMaxGapFrames)) * 2, 0);
    }
    m_samples.insert(m_samples.end(), stereo, stereo + size_t(frames) * 2);
    const qint64 excess = qint64(m_samples.size() - m_read) / 2 - kMaxBufferedFrames;
    if (excess > 0)
        m_samples.resize(m_samples.size() - size_t(excess) * 2);
}

void VideoSoundTrack::clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_samples.clear();
    m_read = 0;
    m_firstFrame = 0;
}

qint64 VideoSoundTrack::bufferedFrames() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return qint64(m_samples.size() - m_read) / 2;
}

qint64 VideoSoundTrack::endUs() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const qint64 end = m_firstFrame + qint64(m_samples.size() - m_read) / 2;
    return end * 1000000 / kRate;
}

void VideoSoundTrack::dropFront(qint64 frames) {
    m_read += size_t(frames) * 2;
    m_firstFrame += frames;
    // Keep the end position (endUs) but release the memory once most of it is played.
    if (m_read > 65536 && m_read * 2 > m_samples.size()) {
        m_samples.erase(m_samples.begin(), m_samples.begin() + qint64(m_read));
        m_read = 0;
    }
}

void VideoSoundTrack::mixInto(qint16 *stereo, int frames) {
    if (!m_clock.isRunning())
        return;
    const qint64 expected = framesAt(m_clock.nowUs());
    std::lock_guard<std::mutex> lock(m_mutex);
    qint64 available = qint64(m_samples.size() - m_read) / 2;
    if (available == 0)
        return;
    if (m_firstFrame < expected - kLateFrames) {
        const qint64 late = std::min(expected - m_firstFrame, available);
        dropFront(late);
        available -= late;
        if (available == 0)
            return;
    }
    qint64 offset = 0;
    if (m_firstFrame > expected + kEarlyFrames) {
        offset = m_firstFrame - expected;
        if (offset >= frames)
            return;
    }
    const qint64 count = std::min(qint64(frames) - offset, available);
    const qint16 *src = m_samples.data() + m_read;
    qint16 *dst = stereo + offset * 2;
    for (qint64 i = 0; i < count * 2; ++i) {
        const int sum = int(dst[i]) + int(src[i]);
        dst[i] = qint16(std::clamp(sum, -32768, 32767));
    }
    dropFront(count);
}

#include "PlaybackClock.h"

using std::chrono::duration_cast;
using std::chrono::microseconds;

PlaybackClock::PlaybackClock(Source source) : m_source(std::move(source)) {}

qint64 PlaybackClock::nowLocked(TimePoint now) const {
    if (!m_running)
        return m_baseUs;
    return m_baseUs + duration_cast<microseconds>(now - m_startedAt).count();
}

qint64 PlaybackClock::nowUs() const {
    const TimePoint now = m_source();
    std::lock_guard<std::mutex> lock(m_mutex);
    return nowLocked(now);
}

bool PlaybackClock::isRunning() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_running;
}

void PlaybackClock::start() {
    const TimePoint now = m_source();
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_running)
        return;
    m_startedAt = now;
    m_running = true;
}

void PlaybackClock::stop() {
    const TimePoint now = m_source();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_baseUs = nowLocked(now);
    m_running = false;
}

void PlaybackClock::set(qint64 us) {
    const TimePoint now = m_source();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_baseUs = us;
    m_startedAt = now;
}

PlaybackClock::TimePoint PlaybackClock::when(qint64 us) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_startedAt + microseconds(us - m_baseUs);
}

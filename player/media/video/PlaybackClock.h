#pragma once

#include <QtGlobal>

#include <chrono>
#include <functional>
#include <mutex>

// The media time of one video, in microseconds: a steady clock that can be stopped and set.
// Pictures and sound are both timed against it. Thread-safe.
class PlaybackClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Source = std::function<TimePoint()>;

    // `source` gives the current instant; tests drive a clock of their own.
    explicit PlaybackClock(Source source = &std::chrono::steady_clock::now);

    qint64 nowUs() const;
    bool isRunning() const;
    // Runs on from the current media time.
    void start();
    // Freezes the media time where it is.
    void stop();
    void set(qint64 us);
    // The steady-clock instant at which the running clock reaches `us`.
    TimePoint when(qint64 us) const;

private:
    qint64 nowLocked(TimePoint now) const;

    const Source m_source;
    mutable std::mutex m_mutex;
    qint64 m_baseUs = 0;
    TimePoint m_startedAt;
    bool m_running = false;
};

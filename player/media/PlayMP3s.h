#pragma once

#include "Mp3Library.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class MediaClock;

// MP3 music: a worker thread per file measures it, records its length and start time, and plays
// it through the MP3 library. The window thread only reads the length and start time. A library
// that returns at once is called on the caller's thread instead, in the order of the requests.
class PlayMP3s {
public:
    PlayMP3s(Mp3Library &library, const MediaClock &clock);
    ~PlayMP3s();

    Mp3Request &request() { return m_request; }

    void StartMp3Thread();
    void StopMp3();
    bool IsMp3Playing() const;

    // Whole seconds; 0 when no MP3 is playing.
    qint16 length() const { return m_length.load(); }
    void setLength(qint16 seconds) { m_length.store(seconds); }
    QDateTime startTime() const;
    void setStartTime(const QDateTime &time);

    // Waits for finished workers (end of program, tests).
    void joinWorkers();

private:
    void worker(Mp3Request request, quint64 generation);
    // Joins the workers that have ended, so a long game does not keep one thread per MP3.
    void reapFinishedWorkers();

    Mp3Library &m_library;
    const MediaClock &m_clock;
    Mp3Request m_request;
    std::shared_ptr<std::atomic<bool>> m_running; // stop flag of the newest worker
    std::atomic<qint16> m_length{0};
    std::atomic<quint64> m_generation{0};
    std::atomic<qint64> m_startMs{0};
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::vector<Worker> m_workers;
};

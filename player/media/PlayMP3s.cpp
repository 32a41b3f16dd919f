#include "PlayMP3s.h"

#include "MediaClock.h"

PlayMP3s::PlayMP3s(Mp3Library &library, const MediaClock &clock)
    : m_library(library), m_clock(clock) {}

PlayMP3s::~PlayMP3s() {
    StopMp3();
    joinWorkers();
}

QDateTime PlayMP3s::startTime() const {
    return QDateTime::fromMSecsSinceEpoch(m_startMs.load());
}
void PlayMP3s::setStartTime(const QDateTime &time) {
    m_startMs.store(time.toMSecsSinceEpoch());
}

void PlayMP3s::StartMp3Thread() {
    // Each worker gets its own copy of the request with its own stop flag, so a new request
    // never changes a running one.
    Mp3Request request = m_request;
    request.cancelled = std::make_shared<std::atomic<bool>>(false);
    m_running = request.cancelled;
    reapFinishedWorkers();
    const quint64 generation = ++m_generation;
    if (m_library.returnsAtOnce()) {
        worker(request, generation);
        return;
    }
    auto done = std::make_shared<std::atomic<bool>>(false);
    m_workers.push_back(Worker{std::thread([this, request, generation, done] {
                                   worker(request, generation);
                                   done->store(true);
                               }),
                               done});
}

void PlayMP3s::reapFinishedWorkers() {
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}

void PlayMP3s::worker(Mp3Request request, quint64 generation) {
    qint32 total = 0, second = 0;
    m_library.mp3gettime(request, total, second);
    // Only the newest request may write the shared length and start time.
    if (request.isCancelled() || generation != m_generation.load())
        return;
    m_length.store(static_cast<qint16>(qBound<qint32>(0, total / 1000, 32767)));
    setStartTime(m_clock.now());
    // A stop that came while the length was being stored must win.
    if (request.isCancelled()) {
        if (generation == m_generation.load())
            m_length.store(0);
        return;
    }
    m_library.mp3play(request);
}

void PlayMP3s::StopMp3() {
    if (m_running)
        m_running->store(true);
    m_library.mp3stop();
    m_length.store(0);
}

bool PlayMP3s::IsMp3Playing() const {
    const qint16 length = m_length.load();
    if (length == 0)
        return false;
    const qint64 elapsed = startTime().secsTo(m_clock.now());
    return elapsed <= length + 5;
}

void PlayMP3s::joinWorkers() {
    for (Worker &w : m_workers) {
        if (w.thread.joinable())
            w.thread.join();
    }
    m_workers.clear();
}

#pragma once

#include <QEventLoop>
#include <QThread>

#include <functional>
#include <memory>

// Runs `work` on a thread of its own and returns when it is done, while the calling thread goes
// on handling its events (the waiting page animates, queued progress arrives).
inline void runWhileEventsFlow(const std::function<void()> &work) {
    std::unique_ptr<QThread> worker(QThread::create(work));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
}

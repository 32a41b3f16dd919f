#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <atomic>
#include <memory>

// The request handed to the MP3 library: the file name in the system's 8-bit encoding of file
// names (QFile::encodeName), and a flag set
// when the request is stopped, so a worker that has not reached mp3play yet never starts.
struct Mp3Request {
    QByteArray fileName;
    std::shared_ptr<std::atomic<bool>> cancelled = std::make_shared<std::atomic<bool>>(false);
    bool isCancelled() const { return cancelled && cancelled->load(); }
};

// The MP3 library. mp3play runs on the worker thread and blocks until the file ends, mp3stop is
// called from the window thread, or the request is cancelled.
class Mp3Library {
public:
    virtual ~Mp3Library() = default;
    // Total length in milliseconds; the second value is not used. 0 on success.
    virtual int mp3gettime(const Mp3Request &request, qint32 &totalMilliseconds, qint32 &second) = 0;
    virtual int mp3play(const Mp3Request &request) = 0;
    virtual void mp3stop() = 0;
    // True for a library whose mp3play returns at once (the recording one): its calls are then
    // made in turn on the caller's thread, so they keep their place among the other commands.
    virtual bool returnsAtOnce() const { return false; }
};

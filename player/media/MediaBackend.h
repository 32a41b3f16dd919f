#pragma once

#include <QStringList>

#include <memory>

class MciDevice;
class MediaClock;
class Mp3Library;
class WaveMixLibrary;

// The outside components the media layer drives. One switch chooses between the real ones
// (sound, music and video come out) and the recording ones (nothing plays; every command,
// library call and record is written to a log).
class MediaBackend {
public:
    virtual ~MediaBackend() = default;
    virtual MciDevice &mci() = 0;
    virtual WaveMixLibrary &waveMix() = 0;
    virtual Mp3Library &mp3() = 0;
    virtual const MediaClock &clock() const = 0;
    // The recording back end's log since the last call; empty for the real one.
    virtual QStringList takeLog() { return QStringList(); }
};

enum class MediaBackendKind { Real, Recording };

// `clock` may be null for the system clock; it must outlive the back end. Part of the real back
// end's library (qmmedia_real): programs that only record link the recording back end itself.
std::unique_ptr<MediaBackend> createMediaBackend(MediaBackendKind kind,
                                                 const MediaClock *clock = nullptr);

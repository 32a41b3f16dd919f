#pragma once

#include <QStringList>
#include <QtGlobal>

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

    // The player's volumes in percent (0 silent, 100 full): music (MIDI, MP3) and sounds (wave
    // channels, single sounds, the sound of videos). Values are kept within 0 to 100.
    virtual void setVolumes(int musicPercent, int soundPercent) {
        m_musicVolume = qBound(0, musicPercent, 100);
        m_soundVolume = qBound(0, soundPercent, 100);
    }
    int musicVolume() const { return m_musicVolume; }
    int soundVolume() const { return m_soundVolume; }

private:
    int m_musicVolume = 100;
    int m_soundVolume = 100;
};

enum class MediaBackendKind { Real, Recording };

// `clock` may be null for the system clock; it must outlive the back end. Part of the real back
// end's library (qmmedia_real): programs that only record link the recording back end itself.
std::unique_ptr<MediaBackend> createMediaBackend(MediaBackendKind kind,
                                                 const MediaClock *clock = nullptr);

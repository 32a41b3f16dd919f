#pragma once

#include "ChannelFile.h"
#include "Mmedia.h"
#include "PlayMP3s.h"
#include "WAVEMIX.h"
#include "cWaveMix.h"

#include <QString>

#include <memory>

class MediaBackend;
class MediaHost;

// The media operations of the game window: the music, sound and video players (each created on
// first use and kept), the wave channels switch, MP3 music and data-file name resolution.
class MediaPlayers {
public:
    MediaPlayers(MediaBackend &backend, MediaHost &host);
    ~MediaPlayers();

    Mmedia &music();
    Mmedia &sound();
    Mmedia &video();
    PlayMP3s &mp3() { return m_mp3; }
    WAVEMIX &mixerSession() { return m_session; }

    void StartWaveChannels();
    void StopWaveChannels();
    bool channelsActive() const { return m_waveMix != nullptr; }
    // The wave channels while they are active, else null.
    cWaveMix *waveMix() { return m_waveMix.get(); }

    void PlayMIDImusic(const QString &path);
    // Plays the sounds of a channel file (frame, area click or item drop). `areasPath` is the
    // project's Areas folder, which sound file names are relative to.
    void PlaySoundChannels(const QString &path, SoundMode mode, const QString &areasPath);
    void PlayMovieWithStop(const QString &path, quintptr windowHandle);
    bool PlayingMovieOrNot();

    // The engine's MP3 start step: stops wave channels and any MP3, reports the MP3 as playing
    // for a provisional 60 seconds and arms the MP3 timer with the path.
    void startMp3(const QString &resolvedPath);
    // The MP3 timer fired: hand the file to a worker thread.
    void mp3TimerTick();
    // The engine's MP3 stop step.
    void stopMp3();
    bool mp3TimerEnabled() const { return m_mp3TimerEnabled; }
    const QString &mp3TimerTag() const { return m_mp3TimerTag; }
    static constexpr int Mp3TimerInterval = 1000;

    // Every media and picture path the player opens passes through here: a missing file of a
    // distribution is looked up under its hidden name; a file missing under both names is
    // reported with the missing-file warning and the path is returned anyway.
    QString ResolveDataFileName(const QString &path);

private:
    MediaBackend &m_backend;
    MediaHost &m_host;
    std::unique_ptr<Mmedia> m_music, m_sound, m_video;
    WAVEMIX m_session;
    std::unique_ptr<cWaveMix> m_waveMix;
    PlayMP3s m_mp3;
    bool m_mp3TimerEnabled = false;
    QString m_mp3TimerTag;
};

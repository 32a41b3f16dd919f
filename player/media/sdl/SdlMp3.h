#pragma once

#include "Mp3Library.h"

#include <QString>

#include <mutex>

// The MP3 library over the music stream of the program's audio output. mp3play blocks the
// worker thread that calls it; mp3stop may be called from any other thread meanwhile.
class SdlMp3 : public Mp3Library {
public:
    // How often a blocked mp3play looks whether it should return.
    static constexpr int PollMilliseconds = 20;

    // Result codes; 0 is success.
    enum Result { Ok = 0, CannotOpen = 1, NoAudioDevice = 2, CannotPlay = 3 };

    int mp3gettime(const Mp3Request &request, qint32 &totalMilliseconds, qint32 &second) override;
    int mp3play(const Mp3Request &request) override;
    void mp3stop() override;

    // Why the last call that failed did so.
    QString lastError() const;

private:
    // The MP3 as SDL_mixer music, with the audio device open; null with `code` and the error
    // set when either fails.
    struct _Mix_Music *openMusic(const Mp3Request &request, int &code);
    void setError(const QString &error);

    mutable std::mutex m_mutex;
    // Which mp3play owns the music stream (0: none). Only the owner halts it, so a worker that
    // returns late never stops music that a newer one started.
    quint64 m_owner = 0;
    quint64 m_nextToken = 0;
    // Counts mp3stop calls: a play that sees it change since it started returns.
    quint64 m_stops = 0;
    QString m_error;
};

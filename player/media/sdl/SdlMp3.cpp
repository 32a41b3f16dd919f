#include "SdlMp3.h"

#include "AudioOutput.h"
#include "SoundFiles.h"

#include <SDL_mixer.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

// Loads the file as MP3 music; null with *error filled when it is missing or not an MP3.
Mix_Music *loadMp3(const QByteArray &name, QString *error) {
    const QString path = SoundFiles::fromEncodedName(name);
    if (!SoundFiles::isReadable(path, error))
        return nullptr;
    Mix_Music *music = Mix_LoadMUS(SoundFiles::encoded(path).constData());
    if (!music) {
        *error = QStringLiteral("Cannot load %1: %2").arg(path, QString::fromUtf8(Mix_GetError()));
        return nullptr;
    }
    if (Mix_GetMusicType(music) != MUS_MP3) {
        Mix_FreeMusic(music);
        *error = QStringLiteral("Not an MP3 file: %1").arg(path);
        return nullptr;
    }
    return music;
}

} // namespace

Mix_Music *SdlMp3::openMusic(const Mp3Request &request, int &code) {
    // The decoder needs the output format, so the device must be open.
    if (!AudioOutput::instance()) {
        setError(AudioOutput::lastError());
        code = NoAudioDevice;
        return nullptr;
    }
    QString error;
    Mix_Music *music = loadMp3(request.fileName, &error);
    if (!music) {
        setError(error);
        code = CannotOpen;
    }
    return music;
}

void SdlMp3::setError(const QString &error) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_error = error;
}

QString SdlMp3::lastError() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_error;
}

int SdlMp3::mp3gettime(const Mp3Request &request, qint32 &totalMilliseconds, qint32 &second) {
    second = 0;
    int code = Ok;
    Mix_Music *music = openMusic(request, code);
    if (!music)
        return code;
    const double seconds = Mix_MusicDuration(music);
    Mix_FreeMusic(music);
    if (seconds < 0) {
        setError(QStringLiteral("The length of the MP3 file is unknown"));
        return CannotOpen;
    }
    totalMilliseconds = static_cast<qint32>(std::lround(seconds * 1000.0));
    return Ok;
}

int SdlMp3::mp3play(const Mp3Request &request) {
    if (request.isCancelled())
        return Ok;
    quint64 stops;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        stops = m_stops;
    }
    int code = Ok;
    Mix_Music *music = openMusic(request, code);
    if (!music)
        return code;

    quint64 token = 0;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // Stopped while the file was loading.
        if (m_stops != stops || request.isCancelled()) {
            Mix_FreeMusic(music);
            return Ok;
        }
        if (Mix_PlayMusic(music, 0) != 0) {
            m_error = QString::fromUtf8(Mix_GetError());
            Mix_FreeMusic(music);
            return CannotPlay;
        }
        token = ++m_nextToken;
        m_owner = token;
    }

    // The music-finished hook would run with the audio lock held, so the end is found by
    // looking, at a pace that costs nothing.
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_owner != token || m_stops != stops || request.isCancelled() ||
                !Mix_PlayingMusic())
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(PollMilliseconds));
    }

    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_owner == token) {
            Mix_HaltMusic();
            m_owner = 0;
        }
    }
    // Not playing any more: either halted above, by mp3stop, or replaced by a newer play.
    Mix_FreeMusic(music);
    return Ok;
}

void SdlMp3::mp3stop() {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_stops;
    if (m_owner != 0) {
        Mix_HaltMusic();
        m_owner = 0;
    }
}

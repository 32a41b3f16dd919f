#include "SdlWaveMix.h"

#include "AudioOutput.h"
#include "SoundFiles.h"

#include <SDL_mixer.h>

#include <QString>

#include <map>
#include <set>

namespace {

// Result codes; any non-zero value is a failure to the caller.
enum Result { Ok = 0, BadSession = 1, BadChannel = 2, BadWave = 3, BadRecord = 4, NotPlayed = 5 };

quint16 le16(const QByteArray &b, int offset) {
    return static_cast<quint16>(static_cast<unsigned char>(b[offset]) |
                                (static_cast<unsigned char>(b[offset + 1]) << 8));
}

// 32-bit values are stored as their low 16-bit half followed by the high half.
quint32 le32(const QByteArray &b, int offset) {
    return le16(b, offset) | (quint32(le16(b, offset + 2)) << 16);
}

bool validChannel(int channel) {
    return channel >= 0 && channel < SdlWaveMix::Channels;
}

} // namespace

struct SdlWaveMix::Private {
    struct Wave {
        quint32 session;
        Mix_Chunk *chunk;
    };
    struct Session {
        bool active = false;
    };

    std::map<quint32, Session> sessions;
    std::map<quint32, Wave> waves;
    quint32 nextSession = 1;
    quint32 nextWave = 1;
    QString error;

    bool hasSession(quint32 session) const { return sessions.count(session) != 0; }

    void haltChannelsPlaying(Mix_Chunk *chunk) {
        for (int c = 0; c < Channels; ++c) {
            if (Mix_Playing(c) && Mix_GetChunk(c) == chunk)
                Mix_HaltChannel(c);
        }
    }

    void freeWave(std::map<quint32, Wave>::iterator it) {
        haltChannelsPlaying(it->second.chunk);
        Mix_FreeChunk(it->second.chunk);
        waves.erase(it);
    }

    void haltAll() {
        for (int c = 0; c < Channels; ++c)
            Mix_HaltChannel(c);
    }
};

SdlWaveMix::SdlWaveMix() : d(std::make_unique<Private>()) {}

SdlWaveMix::~SdlWaveMix() {
    while (!d->sessions.empty())
        WaveMixCloseSession(d->sessions.begin()->first);
}

quint32 SdlWaveMix::WaveMixConfigureInit(const QByteArray &config) {
    if (config.size() < 10 || le16(config, 0) != 10)
        return 0;
    if (!AudioOutput::instance())
        return 0;
    const quint32 session = d->nextSession++;
    d->sessions[session] = Private::Session{};
    return session;
}

int SdlWaveMix::WaveMixActivate(quint32 session, bool activate) {
    auto it = d->sessions.find(session);
    if (it == d->sessions.end())
        return BadSession;
    if (!activate && it->second.active)
        d->haltAll();
    it->second.active = activate;
    return Ok;
}

quint32 SdlWaveMix::WaveMixOpenWave(quint32 session, const QByteArray &fileName, int, int) {
    if (!d->hasSession(session)) {
        d->error = QStringLiteral("No mixer session is open");
        return 0;
    }
    const QString path = SoundFiles::fromEncodedName(fileName);
    if (!SoundFiles::isWaveFile(path, &d->error))
        return 0;
    Mix_Chunk *chunk = Mix_LoadWAV(SoundFiles::encoded(path).constData());
    if (!chunk) {
        d->error =
            QStringLiteral("Cannot load %1: %2").arg(path, QString::fromUtf8(Mix_GetError()));
        return 0;
    }
    const quint32 wave = d->nextWave++;
    d->waves[wave] = Private::Wave{session, chunk};
    d->error.clear();
    return wave;
}

int SdlWaveMix::WaveMixOpenChannel(quint32 session, int channel, int) {
    if (!d->hasSession(session))
        return BadSession;
    return validChannel(channel) ? Ok : BadChannel;
}

int SdlWaveMix::WaveMixPlay(const QByteArray &playRecord) {
    if (playRecord.size() < 24 || le16(playRecord, 0) != 24)
        return BadRecord;
    const quint32 session = le32(playRecord, 2);
    const qint32 channel = static_cast<qint32>(le32(playRecord, 6));
    const quint32 wave = le32(playRecord, 10);
    const quint16 loops = le16(playRecord, 22);

    auto s = d->sessions.find(session);
    if (s == d->sessions.end() || !s->second.active)
        return BadSession;
    if (!validChannel(channel))
        return BadChannel;
    auto w = d->waves.find(wave);
    if (w == d->waves.end() || w->second.session != session)
        return BadWave;
    const bool endless = loops == 0xFFFF;
    if (Mix_PlayChannel(channel, w->second.chunk, endless ? -1 : 0) != channel)
        return NotPlayed;
    return Ok;
}

int SdlWaveMix::WaveMixFlushChannel(quint32 session, int channel, int) {
    if (!d->hasSession(session))
        return BadSession;
    if (!validChannel(channel))
        return BadChannel;
    Mix_HaltChannel(channel);
    return Ok;
}

int SdlWaveMix::WaveMixFreeWave(quint32 session, quint32 wave) {
    if (!d->hasSession(session))
        return BadSession;
    auto it = d->waves.find(wave);
    if (it == d->waves.end() || it->second.session != session)
        return BadWave;
    d->freeWave(it);
    return Ok;
}

int SdlWaveMix::WaveMixCloseSession(quint32 session) {
    if (!d->hasSession(session))
        return BadSession;
    d->haltAll();
    for (auto it = d->waves.begin(); it != d->waves.end();) {
        if (it->second.session == session) {
            Mix_FreeChunk(it->second.chunk);
            it = d->waves.erase(it);
        } else {
            ++it;
        }
    }
    d->sessions.erase(session);
    return Ok;
}

bool SdlWaveMix::channelPlaying(int channel) const {
    return validChannel(channel) && AudioOutput::current() && Mix_Playing(channel) != 0;
}

QString SdlWaveMix::lastError() const {
    return d->error;
}

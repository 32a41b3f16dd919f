#pragma once

#include <QByteArray>
#include <QtGlobal>

// The wave-mixing library: one session, waves loaded from files, eight channels that play a
// wave once or in a loop. The configuration and play records are passed as their bytes.
class WaveMixLibrary {
public:
    virtual ~WaveMixLibrary() = default;

    // False when the library cannot be used at all (the "library is missing" case).
    virtual bool available() const = 0;
    // Takes the 10-byte configuration record; returns the session handle, 0 on failure.
    virtual quint32 WaveMixConfigureInit(const QByteArray &config) = 0;
    // 0 on success.
    virtual int WaveMixActivate(quint32 session, bool activate) = 0;
    // Loads a wave file (name in the system's 8-bit encoding of file names, QFile::encodeName);
    // returns its handle, 0 on failure.
    virtual quint32 WaveMixOpenWave(quint32 session, const QByteArray &fileName, int instance,
                                    int flags) = 0;
    virtual int WaveMixOpenChannel(quint32 session, int channel, int flags) = 0;
    // Takes the 24-byte play record.
    virtual int WaveMixPlay(const QByteArray &playRecord) = 0;
    virtual int WaveMixFlushChannel(quint32 session, int channel, int flags) = 0;
    virtual int WaveMixFreeWave(quint32 session, quint32 wave) = 0;
    virtual int WaveMixCloseSession(quint32 session) = 0;
};

#pragma once

#include "MciDevice.h"
#include "MediaBackend.h"
#include "MediaClock.h"
#include "Mp3Library.h"
#include "WaveMixLibrary.h"

#include <QMap>
#include <QStringList>

#include <mutex>

// The recording back end: plays nothing and logs every command string verbatim and every
// library call with its arguments (records as hexadecimal bytes). Devices answer as a real one
// that finished at once: "stopped", length and position 0.
class RecordingMediaBackend : public MediaBackend, MciDevice, WaveMixLibrary, Mp3Library {
public:
    explicit RecordingMediaBackend(const MediaClock *clock = nullptr);

    MciDevice &mci() override { return *this; }
    WaveMixLibrary &waveMix() override { return *this; }
    Mp3Library &mp3() override { return *this; }
    const MediaClock &clock() const override { return m_clock ? *m_clock : m_systemClock; }
    QStringList takeLog() override;

    // What mp3gettime answers (milliseconds), per file name.
    void setMp3Length(const QByteArray &fileName, qint32 milliseconds);
    // Makes every WaveMixConfigureInit fail (no audio device).
    void setNoAudioDevice(bool none) { m_noAudio = none; }
    // "open" fails for a file that is missing or not a regular file, as the real device does
    // (on unless turned off).
    void setOpenChecksFiles(bool check) { m_checkFiles = check; }

    int sendString(const QString &command, QString *reply = nullptr) override;

    bool available() const override { return true; }
    quint32 WaveMixConfigureInit(const QByteArray &config) override;
    int WaveMixActivate(quint32 session, bool activate) override;
    quint32 WaveMixOpenWave(quint32 session, const QByteArray &fileName, int instance, int flags) override;
    int WaveMixOpenChannel(quint32 session, int channel, int flags) override;
    int WaveMixPlay(const QByteArray &playRecord) override;
    int WaveMixFlushChannel(quint32 session, int channel, int flags) override;
    int WaveMixFreeWave(quint32 session, quint32 wave) override;
    int WaveMixCloseSession(quint32 session) override;

    int mp3gettime(const Mp3Request &request, qint32 &totalMilliseconds, qint32 &second) override;
    int mp3play(const Mp3Request &request) override;
    void mp3stop() override;
    bool returnsAtOnce() const override { return true; }

private:
    void log(const QString &line);

    const MediaClock *m_clock;
    SystemMediaClock m_systemClock;
    std::mutex m_mutex; // the MP3 worker logs from its own thread
    QStringList m_log;
    QMap<QByteArray, qint32> m_mp3Lengths;
    quint32 m_nextHandle = 1;
    bool m_noAudio = false;
    bool m_checkFiles = true;
    QStringList m_openAliases;
};

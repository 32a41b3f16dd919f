#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

class MediaHost;
class WaveMixLibrary;

// The wave-mixer session of the process: at most one open session and the wave loaded on each
// channel.
class WAVEMIX {
public:
    WAVEMIX(WaveMixLibrary &library, MediaHost &host);

    bool OpenMixerSession();
    void LoadChannelWave(const QString &file, int channel);
    void PlayChannelWave(int channel, qint32 loops);
    void FlushChannel(int channel);
    void CloseMixerSession();

    quint32 session() const { return m_session; }
    // Upper bound of the wave handle array (channels 0..upperBound).
    int upperBound() const { return static_cast<int>(m_waves.size()) - 1; }
    quint32 wave(int channel) const;

    // The 10-byte configuration record and the 24-byte play record, little-endian.
    static QByteArray configurationRecord();
    static QByteArray playRecord(quint32 session, qint32 channel, quint32 wave, qint32 loops);

private:
    void reportLibraryMissing();

    WaveMixLibrary &m_library;
    MediaHost &m_host;
    quint32 m_session = 0;
    QVector<quint32> m_waves{0};
};

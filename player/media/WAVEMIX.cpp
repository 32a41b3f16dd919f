#include "WAVEMIX.h"

#include "MediaHost.h"
#include "WaveMixLibrary.h"

#include <QFile>


namespace {

void put16(QByteArray &b, int offset, quint16 v) {
    b[offset] = static_cast<char>(v & 0xFF);
    b[offset + 1] = static_cast<char>(v >> 8);
}

// 32-bit values go in as their low 16-bit half followed by the high half.
void put32(QByteArray &b, int offset, quint32 v) {
    put16(b, offset, static_cast<quint16>(v & 0xFFFF));
    put16(b, offset + 2, static_cast<quint16>(v >> 16));
}

} // namespace

WAVEMIX::WAVEMIX(WaveMixLibrary &library, MediaHost &host) : m_library(library), m_host(host) {}

QByteArray WAVEMIX::configurationRecord() {
    QByteArray r(10, '\0');
    put16(r, 0, 10); // record size
    put16(r, 2, 0);  // flags, low word
    put16(r, 4, 1);  // flags, high word
    put16(r, 6, 2);  // channels
    put16(r, 8, 0);  // sampling rate
    return r;
}

QByteArray WAVEMIX::playRecord(quint32 session, qint32 channel, quint32 wave, qint32 loops) {
    QByteArray r(24, '\0');
    put16(r, 0, 24);
    put32(r, 2, session);
    put32(r, 6, static_cast<quint32>(channel));
    put32(r, 10, wave);
    put32(r, 14, 0); // notification window
    put16(r, 18, 0); // flags
    put16(r, 20, 5);
    put16(r, 22, static_cast<quint16>(loops & 0xFFFF));
    return r;
}

quint32 WAVEMIX::wave(int channel) const {
    return channel >= 0 && channel < m_waves.size() ? m_waves[channel] : 0;
}

void WAVEMIX::reportLibraryMissing() {
    m_host.reportError(QStringLiteral(
        " Unable to Initialize WaveMix DLL. The file WavMix32.dll is probably missing. Find it and "
        "place it in the root of the program directory."));
}

bool WAVEMIX::OpenMixerSession() {
    m_waves = QVector<quint32>{0};
    // Our mixer keeps no settings file, so the current folder is left alone.
    if (!m_library.available()) {
        reportLibraryMissing();
        return false;
    }
    m_session = m_library.WaveMixConfigureInit(configurationRecord());
    if (m_library.WaveMixActivate(m_session, true) != 0) {
        m_library.WaveMixCloseSession(m_session);
        m_session = 0;
        return false;
    }
    return true;
}

void WAVEMIX::LoadChannelWave(const QString &file, int channel) {
    if (channel < 0)
        return;
    if (!m_library.available()) {
        reportLibraryMissing();
        return;
    }
    if (upperBound() < channel)
        m_waves.resize(channel + 1);
    if (m_waves[channel] != 0) {
        FlushChannel(channel);
        m_library.WaveMixFreeWave(m_session, m_waves[channel]);
    }
    m_waves[channel] = m_library.WaveMixOpenWave(m_session, QFile::encodeName(file), 0, 0);
    m_library.WaveMixOpenChannel(m_session, channel, 0);
}

void WAVEMIX::PlayChannelWave(int channel, qint32 loops) {
    if (channel < 0 || channel > upperBound() || m_session == 0)
        return;
    m_library.WaveMixPlay(playRecord(m_session, channel, m_waves[channel], loops));
}

void WAVEMIX::FlushChannel(int channel) {
    if (m_session != 0)
        m_library.WaveMixFlushChannel(m_session, channel, 0);
}

void WAVEMIX::CloseMixerSession() {
    if (m_session == 0)
        return;
    for (int c = 0; c <= upperBound(); ++c) {
        if (m_waves[c] != 0) {
            FlushChannel(c);
            m_library.WaveMixFreeWave(m_session, m_waves[c]);
            m_waves[c] = 0;
        }
    }
    m_library.WaveMixCloseSession(m_session);
    m_session = 0;
}

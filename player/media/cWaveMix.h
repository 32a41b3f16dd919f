#pragma once

#include <QString>

#include <array>
#include <stdexcept>

class MediaHost;
class WAVEMIX;

// The eight wave channels, addressed through CurrentChannel. Creating it opens the mixer
// session, destroying it closes the session.
class cWaveMix {
public:
    cWaveMix(WAVEMIX &session, MediaHost &host);
    ~cWaveMix();
    cWaveMix(const cWaveMix &) = delete;
    cWaveMix &operator=(const cWaveMix &) = delete;

    // Any channel outside 0..7 makes the next member access throw std::out_of_range.
    qint32 CurrentChannel = 0;

    void setFileName(const QString &file);
    QString FileName() const;
    void setAutoLoop(qint32 loop);
    qint32 AutoLoop() const;
    void Play();
    void Quit();

private:
    struct Channel {
        qint32 AutoLoop = 0;
        QString FileName;
    };
    Channel &current();
    const Channel &current() const;

    WAVEMIX &m_session;
    std::array<Channel, 8> m_channels;
};

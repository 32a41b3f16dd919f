#pragma once

#include <QString>

class MciDevice;
class MediaClock;
class MediaHost;

// A media-control player: one open device (MIDI, wave or video) at a time, addressed by alias
// through command strings.
class Mmedia {
public:
    Mmedia(MciDevice &device, const MediaClock &clock, MediaHost &host);

    // Alias := last three characters of the file name + the minute of the current time.
    void mmOpen(const QString &file);
    void mmOpenWave(const QString &file);
    void mmClose();
    void mmPause();
    void mmPlay();
    void mmStop();
    void mmSeek(float position);

    QString FileName() const { return m_fileName; }
    void setFileName(const QString &file) { mmOpen(file); }
    bool Wait() const { return m_wait; }
    void setWait(bool wait) { m_wait = wait; }
    float Length();
    float Position();
    void setPosition(float position) { mmSeek(position); }
    QString Status();

    // Plays a video inside the window with the given handle; the alias is a random number from
    // 1 to 50.
    void PlayMovie(const QString &file, quintptr windowHandle);
    void StopMovie();

    const QString &alias() const { return m_alias; }

private:
    void open(const QString &file, const QString &type);
    float statusNumber(const QString &item);
    int send(const QString &command, QString *reply = nullptr);

    MciDevice &m_device;
    const MediaClock &m_clock;
    MediaHost &m_host;
    QString m_alias;
    QString m_fileName;
    bool m_wait = false;
};

// A reply cut at its first NUL character.
QString cutAtNul(const QString &reply);

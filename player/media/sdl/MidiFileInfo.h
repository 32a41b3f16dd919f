#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// What the sequencer needs to know about a standard MIDI file before the synthesizer plays it:
// that it is one the synthesizer can play, how many ticks it lasts, and its tempo map, to turn
// ticks into milliseconds and back. The synthesizer's player has no time base of its own.
class MidiFileInfo {
public:
    // Larger files are refused before they are read.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
    // The synthesizer's player takes no more tracks than this.
    static constexpr int MaxTracks = 128;

    // False when the bytes are not a complete MIDI file of format 0, 1 or 2 with a tick
    // division; errorString() says why.
    bool read(const QByteArray &data);
    QString errorString() const { return m_error; }

    int format() const { return m_format; }
    int trackCount() const { return m_trackCount; }
    int division() const { return m_division; }
    // The tick of the last event of the longest track (its end-of-track included).
    qint64 totalTicks() const { return m_totalTicks; }
    double lengthMs() const { return ticksToMs(m_totalTicks); }

    double ticksToMs(qint64 ticks) const;
    // The tick reached after `ms` milliseconds, rounded to the nearest tick.
    qint64 msToTicks(double ms) const;

private:
    struct Tempo {
        qint64 tick;
        qint64 microsPerQuarter;
        double ms; // time of `tick`
    };
    bool fail(const QString &why);
    bool readTrack(const char *data, qint64 size, int trackIndex);

    QString m_error;
    int m_format = 0;
    int m_trackCount = 0;
    int m_division = 0;
    qint64 m_totalTicks = 0;
    std::vector<Tempo> m_tempos;
};

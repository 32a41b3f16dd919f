#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <vector>

// Sound files for the tests, made once per test program: waves with sox, MP3s with lame from a
// sox wave, MIDI files written here byte by byte, and broken files of each kind.
class SoundFixtures {
public:
    // Made on first use; check ok() (and error()) before using the paths.
    static const SoundFixtures &get();

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    QString path(const QString &name) const;

    // Durations of the files below, in milliseconds.
    static constexpr int ToneMs = 300;       // tone.wav: 440 Hz
    static constexpr int LoopMs = 100;       // loop.wav: 440 Hz, looped by the tests
    static constexpr int LongToneMs = 1000;  // long.wav: 440 Hz
    static constexpr int MusicMs = 2000;     // music.mp3: 440 Hz, stereo
    static constexpr int ShortMusicMs = 400; // short.mp3
    static constexpr double ToneHz = 440.0;

    // notes.mid: four notes of a quarter each at 120 beats a minute.
    static constexpr int NoteCount = 4;
    static constexpr int Division = 96;
    static constexpr int MicrosPerQuarter = 250000;
    static constexpr int NotesMs = NoteCount * MicrosPerQuarter / 1000;
    // flute.mid: one long note, far from 440 Hz and its neighbours.
    static constexpr int FluteKey = 84;
    static constexpr int FluteMs = 1500;
    static double keyHz(int key);

    // A format-0 MIDI file: `keys` one after another, each `ticks` long, on `program`.
    static QByteArray midiFile(const std::vector<int> &keys, int ticks, int program,
                               int division = Division, int microsPerQuarter = MicrosPerQuarter);

private:
    SoundFixtures();
    bool run(const QString &program, const QStringList &arguments);
    void write(const QString &name, const QByteArray &bytes);

    QTemporaryDir m_dir;
    QString m_error;
};

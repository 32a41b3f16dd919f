#pragma once

#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <memory>
#include <vector>

class AudioOutput;

// The program's audio output written to a file by SDL's disk driver, for tests that listen to
// what really comes out. Frame numbers are positions in that file: frames() is how far the
// mixer has got, so a test notes it before and after an action and looks at the samples there
// once finish() has closed the device.
class DiskAudio {
public:
    static constexpr int Rate = 44100;
    // A window with a sample above this is sounding; waves in the tests peak far higher.
    static constexpr int LoudLevel = 1000;
    // Windows that stay at or below this are silent (the synthesizer dithers by one step).
    static constexpr int SilentLevel = 8;

    DiskAudio();
    ~DiskAudio();
    DiskAudio(const DiskAudio &) = delete;
    DiskAudio &operator=(const DiskAudio &) = delete;

    bool isOpen() const { return m_output != nullptr; }
    QString error() const { return m_error; }

    // Frames mixed so far, counted from the start of the file.
    qint64 frames() const;
    // Waits until `frames` have been mixed; false when that takes unreasonably long.
    bool waitUntil(qint64 frames) const;
    bool waitFor(qint64 moreFrames) const { return waitUntil(frames() + moreFrames); }

    // Closes the device and reads what was written.
    void finish();

    qint64 fileFrames() const { return static_cast<qint64>(m_samples.size() / 2); }
    // Largest absolute sample of both channels over frames [from, to).
    int peak(qint64 from, qint64 to) const;
    // First frame at or after `from` whose sample is above LoudLevel, -1 when none.
    qint64 firstLoud(qint64 from) const;
    // Last frame before `to` whose sample is above LoudLevel, -1 when none.
    qint64 lastLoud(qint64 from, qint64 to) const;
    // Smallest peak over consecutive windows of `window` frames in [from, to).
    int weakestWindow(qint64 from, qint64 to, qint64 window) const;
    // Amplitude of the sine at `hz` in the left channel over [from, to), averaged over windows
    // of 100 ms so that an instrument's vibrato does not smear it away.
    double toneLevel(qint64 from, qint64 to, double hz) const;

    static qint64 ms(qint64 milliseconds) { return milliseconds * Rate / 1000; }

private:
    class Marker;
    double singleToneLevel(qint64 from, qint64 to, double hz) const;

    QTemporaryDir m_dir;
    QString m_file;
    QString m_error;
    AudioOutput *m_output = nullptr;
    std::unique_ptr<Marker> m_marker;
    qint64 m_offset = 0; // file frame of the marker's first buffer
    std::vector<qint16> m_samples;
};

// Makes the next AudioOutput::instance() fail, as on a system without sound.
void useNoAudioDevice();
// Sound goes nowhere (the default of the test programs).
void useDummyAudio();

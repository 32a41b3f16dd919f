#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

// Reads a video file: its pictures one at a time and its sound as 16-bit stereo at
// AudioOutput::SampleRate. Times are in microseconds from the start of the file. Used by one
// thread at a time; FFmpeg stays inside the .cpp.
class AviDecoder {
public:
    enum class Result { Video, Audio, End };

    AviDecoder();
    ~AviDecoder();
    AviDecoder(const AviDecoder &) = delete;
    AviDecoder &operator=(const AviDecoder &) = delete;

    bool open(const QString &file);
    // Skips the sound track from now on (no audio device to play it).
    void dropSound();
    QString errorString() const;

    qint64 lengthUs() const; // 0 when the file does not say
    QSize frameSize() const;
    bool hasSound() const;

    // Decodes until a picture or a piece of sound is ready, or the file ends.
    Result next();

    // The picture last returned by next().
    qint64 videoTimeUs() const;
    qint64 videoDurationUs() const;
    QImage videoImage();

    // The sound last returned by next(): interleaved stereo frames.
    qint64 audioTimeUs() const;
    const std::vector<qint16> &audioSamples() const;
    int audioFrames() const;

    // Goes to the key frame at or before `us` (the start when the file cannot seek); next()
    // then decodes from there.
    bool seek(qint64 us);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

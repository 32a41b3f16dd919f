#pragma once

#include <QString>

// One open device of the command-string layer: a MIDI sequence, a wave sound or a video.
// Everything runs on the window thread; playback itself runs in the background.
class MediaDriver {
public:
    virtual ~MediaDriver() = default;
    virtual bool play() = 0; // false when it cannot start
    virtual void stop() = 0; // stops where it is
    // play() starts from the current position, or from the start when it is at the end.
    virtual void pause() = 0;
    virtual bool seek(qint64 milliseconds) = 0;
    virtual bool isPlaying() const = 0;
    virtual qint64 lengthMs() const = 0;
    virtual qint64 positionMs() const = 0;
};

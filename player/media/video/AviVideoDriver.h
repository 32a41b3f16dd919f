#pragma once

#include "MediaDriver.h"

#include <QImage>
#include <QSize>

#include <memory>

class QWidget;

// An open video: decoded on a worker thread, its pictures painted in a child window of the
// given parent, its sound mixed into the program's audio output. Timed by a steady clock that
// the sound follows. Owned and called on the window thread.
class AviVideoDriver : public MediaDriver {
public:
    // Null with *error when the file is missing or holds no picture that can be decoded.
    // `parentWindow` is the native id of a QWidget; 0 or an unknown id plays without a window.
    static std::unique_ptr<AviVideoDriver> open(const QString &file, quintptr parentWindow,
                                                QString *error);
    ~AviVideoDriver() override;

    // Playing shows the video's window; stopping, or reaching the end, hides it (pausing keeps
    // the picture on show).
    bool play() override;
    void stop() override;
    void pause() override;
    // Leaves the video stopped at the new position, showing the picture there.
    bool seek(qint64 milliseconds) override;
    bool isPlaying() const override;
    qint64 lengthMs() const override;
    qint64 positionMs() const override;

    QSize videoSize() const;
    bool hasSound() const;
    // The child window painting the video; null without a parent or once the parent is gone.
    QWidget *videoWidget() const;
    // The picture on show, at the video's own size.
    QImage currentFrame() const;
    // Pictures decoded and pictures shown since opening (late ones are decoded but not shown).
    int framesDecoded() const;
    int framesPresented() const;

private:
    AviVideoDriver();
    void halt();

    struct Private;
    std::unique_ptr<Private> d;
};

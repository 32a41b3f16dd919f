#pragma once

#include <QSize>
#include <QString>

#include <memory>

class QMovie;

// The animated picture of an area: a GIF played by QMovie, shown by the window in a QLabel
// (label->setMovie(control.movie())). Speed 50 is the GIF's own pace; lower is faster.
class GifControl {
public:
    static constexpr int NormalSpeed = 50;

    GifControl();
    ~GifControl();
    GifControl(const GifControl &) = delete;
    GifControl &operator=(const GifControl &) = delete;

    // False when the file is missing or not a readable GIF; the control then keeps what it had.
    // The file is read as a GIF whatever its extension (hidden data files).
    bool setFileName(const QString &path);
    QString fileName() const;
    QString errorString() const;

    // QMovie speed percent = 100 * 50 / speed, kept within 10 % to 1000 %; a speed below 1 is
    // normal speed.
    void setSpeed(int speed);
    int speed() const;
    static int speedPercent(int speed);

    void start();
    // Freezes the animation on the picture it shows; start() goes on from there.
    void stop();
    bool isRunning() const;

    // Size of the first frame, known as soon as the file is set: size the label from it, since
    // a label shown before its movie runs stays tiny.
    int width() const;
    int height() const;
    QSize size() const;
    int currentFrameNumber() const;
    int frameCount() const;

    // Null until a file is set.
    QMovie *movie() const;

private:
    std::unique_ptr<QMovie> m_movie;
    QString m_fileName;
    QString m_error;
    QSize m_size{0, 0};
    int m_speed = NormalSpeed;
};

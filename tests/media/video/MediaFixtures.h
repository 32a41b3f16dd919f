#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

// Video and GIF fixtures made once per test program with ffmpeg and ImageMagick, in a private
// temporary folder.
class MediaFixtures {
public:
    static const MediaFixtures &get();

    QString folder;
    QString clipAvi;      // mpeg4 160x120, 10 fps, 1 s, 440 Hz sine at 22050 Hz
    QString jpegAvi;      // mjpeg yuvj420p 160x120, 10 fps, 1 s, no sound
    QString soundOnlyAvi; // sound, no picture
    QString textAvi;      // a text file named .avi
    QString emptyAvi;     // zero bytes
    QString truncatedAvi; // the first 4 KB of clipAvi: the header only
    QString clipFrame0;   // ffmpeg's own decoding of clipAvi's frames 0 and 5, as PNG
    QString clipFrame5;
    QString jpegFrame0;
    QString animGif;    // 24x12, red, blue, green, 100 ms each, looping
    QString animHidden; // the same GIF named as a hidden data file (.006)
    QString textGif;    // a text file named .gif
    QString error;      // why making the fixtures failed; empty when they are all there

private:
    MediaFixtures();
    bool run(const QString &program, const QStringList &arguments);
};

// Lets events run until `done` or `timeoutMs`, sleeping between passes. True when done.
bool waitUntil(const std::function<bool()> &done, int timeoutMs);
// Lets events run for `ms`.
void runEventsFor(int ms);
// Mean absolute difference of the RGB channels of two images of the same size (0..255); -1 when
// the sizes differ.
double meanDifference(const QImage &a, const QImage &b);

#include "MediaFixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdlib>

namespace {
QTemporaryDir &fixtureDir() {
    static QTemporaryDir dir;
    return dir;
}
} // namespace

const MediaFixtures &MediaFixtures::get() {
    static const MediaFixtures fixtures;
    return fixtures;
}

bool MediaFixtures::run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        error = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) +
                QStringLiteral(": ") + QString::fromLocal8Bit(process.readAllStandardError()) +
                process.errorString();
        return false;
    }
    return true;
}

MediaFixtures::MediaFixtures() {
    folder = fixtureDir().path();
    const QDir dir(folder);
    clipAvi = dir.filePath(QStringLiteral("clip.avi"));
    jpegAvi = dir.filePath(QStringLiteral("jpeg.avi"));
    soundOnlyAvi = dir.filePath(QStringLiteral("sound.avi"));
    textAvi = dir.filePath(QStringLiteral("text.avi"));
    emptyAvi = dir.filePath(QStringLiteral("empty.avi"));
    truncatedAvi = dir.filePath(QStringLiteral("truncated.avi"));
    clipFrame0 = dir.filePath(QStringLiteral("clip0.png"));
    clipFrame5 = dir.filePath(QStringLiteral("clip5.png"));
    jpegFrame0 = dir.filePath(QStringLiteral("jpeg0.png"));
    animGif = dir.filePath(QStringLiteral("anim.gif"));
    animHidden = dir.filePath(QStringLiteral("anim.006"));
    textGif = dir.filePath(QStringLiteral("text.gif"));

    const QString ffmpeg = QStringLiteral("ffmpeg");
    const QStringList quiet = {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y")};
    const QStringList picture = {QStringLiteral("-f"), QStringLiteral("lavfi"),
                                 QStringLiteral("-i"),
                                 QStringLiteral("testsrc=size=160x120:rate=10")};
    const QStringList sine = {QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                              QStringLiteral("sine=frequency=440:sample_rate=22050")};
    const QStringList oneSecond = {QStringLiteral("-t"), QStringLiteral("1")};
    auto frame = [&](const QString &from, int n, const QString &to) {
        return run(ffmpeg,
                   quiet + QStringList{QStringLiteral("-i"), from, QStringLiteral("-vf"),
                                       QStringLiteral("select=eq(n\\,%1)").arg(n),
                                       QStringLiteral("-frames:v"), QStringLiteral("1"),
                                       QStringLiteral("-pix_fmt"), QStringLiteral("rgb24"), to});
    };
    const bool made =
        run(ffmpeg,
            quiet + picture + sine + oneSecond +
                QStringList{QStringLiteral("-c:v"), QStringLiteral("mpeg4"), QStringLiteral("-c:a"),
                            QStringLiteral("pcm_s16le"), clipAvi}) &&
        run(ffmpeg,
            quiet + picture + oneSecond +
                QStringList{QStringLiteral("-c:v"), QStringLiteral("mjpeg"),
                            QStringLiteral("-pix_fmt"), QStringLiteral("yuvj420p"), jpegAvi}) &&
        run(ffmpeg,
            quiet + sine + oneSecond +
                QStringList{QStringLiteral("-c:a"), QStringLiteral("pcm_s16le"), soundOnlyAvi}) &&
        frame(clipAvi, 0, clipFrame0) && frame(clipAvi, 5, clipFrame5) &&
        frame(jpegAvi, 0, jpegFrame0) &&
        run(QStringLiteral("convert"),
            {QStringLiteral("-delay"), QStringLiteral("10"), QStringLiteral("-size"),
             QStringLiteral("24x12"), QStringLiteral("xc:red"), QStringLiteral("xc:blue"),
             QStringLiteral("xc:lime"), QStringLiteral("-loop"), QStringLiteral("0"), animGif});
    if (!made)
        return;

    QFile::copy(animGif, animHidden);
    QFile clip(clipAvi);
    clip.open(QIODevice::ReadOnly);
    QFile truncated(truncatedAvi);
    truncated.open(QIODevice::WriteOnly);
    truncated.write(clip.read(4096));
    truncated.close();
    for (const QString &path : {textAvi, textGif}) {
        QFile text(path);
        text.open(QIODevice::WriteOnly);
        text.write("This is not a picture.\r\nJust some words.\r\n");
    }
    QFile empty(emptyAvi);
    empty.open(QIODevice::WriteOnly);
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

void runEventsFor(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

double meanDifference(const QImage &a, const QImage &b) {
    if (a.size() != b.size() || a.isNull())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            sum += std::abs(qRed(p[col]) - qRed(q[col])) +
                   std::abs(qGreen(p[col]) - qGreen(q[col])) +
                   std::abs(qBlue(p[col]) - qBlue(q[col]));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

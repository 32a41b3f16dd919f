#include "DemoMedia.h"

#include <QFile>
#include <QProcess>

#include <cstdio>

namespace DemoMedia {

bool run(const QString &program, const QStringList &arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     p.readAllStandardError().constData());
        return false;
    }
    return true;
}

namespace {
void put32(QByteArray &b, quint32 v) {
    for (int s = 24; s >= 0; s -= 8)
        b.append(static_cast<char>((v >> s) & 0xFF));
}
void putVarLen(QByteArray &b, quint32 v) {
    QByteArray bytes;
    bytes.prepend(static_cast<char>(v & 0x7F));
    while ((v >>= 7) != 0)
        bytes.prepend(static_cast<char>((v & 0x7F) | 0x80));
    b.append(bytes);
}
} // namespace

bool writeMidi(const QString &path, const QList<int> &notes, int ticksPerNote) {
    QByteArray track;
    // Program 74 (recorder): a soft tune.
    putVarLen(track, 0);
    track.append("\xC0\x49", 2);
    for (int note : notes) {
        putVarLen(track, 0);
        track.append(static_cast<char>(0x90));
        track.append(static_cast<char>(note));
        track.append(static_cast<char>(90));
        putVarLen(track, static_cast<quint32>(ticksPerNote));
        track.append(static_cast<char>(0x80));
        track.append(static_cast<char>(note));
        track.append(static_cast<char>(0));
    }
    putVarLen(track, 0);
    track.append("\xFF\x2F\x00", 3);
    QByteArray file("MThd", 4);
    put32(file, 6);
    file.append("\x00\x00\x00\x01\x00\x60", 6); // format 0, one track, 96 ticks a beat
    file.append("MTrk", 4);
    put32(file, static_cast<quint32>(track.size()));
    file.append(track);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(file) == file.size();
}

bool makeCursor(const QString &path, int hotX, int hotY) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite))
        return false;
    QByteArray data = f.readAll();
    if (data.size() < 22)
        return false;
    data[2] = 2; // type: cursor
    data[10] = static_cast<char>(hotX);
    data[11] = 0;
    data[12] = static_cast<char>(hotY);
    data[13] = 0;
    f.seek(0);
    return f.write(data) == data.size();
}

} // namespace DemoMedia

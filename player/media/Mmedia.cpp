#include "Mmedia.h"

#include "MciDevice.h"
#include "MediaClock.h"
#include "MediaHost.h"

#include <QRandomGenerator>
#include <QTime>

QString cutAtNul(const QString &reply) {
    const qsizetype nul = reply.indexOf(QChar(0));
    return nul < 0 ? reply : reply.left(nul);
}

Mmedia::Mmedia(MciDevice &device, const MediaClock &clock, MediaHost &host)
    : m_device(device), m_clock(clock), m_host(host) {}

int Mmedia::send(const QString &command, QString *reply) { return m_device.sendString(command, reply); }

void Mmedia::open(const QString &file, const QString &type) {
    if (!m_alias.isEmpty())
        mmClose();
    m_alias = file.right(3) + QString::number(m_clock.now().time().minute());
    m_fileName = file;
    send(QStringLiteral("Open \"") + file + QStringLiteral("\" ALIAS ") + m_alias +
         QStringLiteral(" TYPE ") + type + QStringLiteral(" wait"));
}

void Mmedia::mmOpen(const QString &file) { open(file, QStringLiteral("Sequencer")); }
void Mmedia::mmOpenWave(const QString &file) { open(file, QStringLiteral("Waveaudio")); }

void Mmedia::mmClose() {
    if (m_alias.isEmpty())
        return;
    send(QStringLiteral("Close ") + m_alias);
    m_alias.clear();
    m_fileName.clear();
}

void Mmedia::mmPause() {
    if (!m_alias.isEmpty())
        send(QStringLiteral("Pause ") + m_alias);
}

void Mmedia::mmPlay() {
    if (m_alias.isEmpty())
        return;
    send(QStringLiteral("Play ") + m_alias + (m_wait ? QStringLiteral(" wait") : QString()));
}

void Mmedia::mmStop() {
    if (!m_alias.isEmpty())
        send(QStringLiteral("Stop ") + m_alias);
}

void Mmedia::mmSeek(float position) {
    send(QStringLiteral("Seek ") + m_alias + QStringLiteral(" to ") +
         QString::number(static_cast<double>(position), 'g', 7));
}

float Mmedia::statusNumber(const QString &item) {
    if (m_alias.isEmpty())
        return 0;
    QString reply;
    send(QStringLiteral("Status ") + m_alias + QLatin1Char(' ') + item, &reply);
    bool ok = false;
    const float v = cutAtNul(reply).trimmed().toFloat(&ok);
    return ok ? v : 0;
}

float Mmedia::Length() { return statusNumber(QStringLiteral("length")); }
float Mmedia::Position() { return statusNumber(QStringLiteral("position")); }

QString Mmedia::Status() {
    QString reply;
    send(QStringLiteral("Status ") + m_alias + QStringLiteral(" mode"), &reply);
    return cutAtNul(reply);
}

void Mmedia::PlayMovie(const QString &file, quintptr windowHandle) {
    // The generator is seeded from the time of day of the media clock, so a scripted run with
    // its own clock opens its videos under the same aliases every time.
    QRandomGenerator random(static_cast<quint32>(m_clock.now().time().msecsSinceStartOfDay()));
    m_alias = QString::number(random.bounded(1, 51));
    const QString quoted = QLatin1Char('"') + file + QLatin1Char('"');
    const int code = send(QStringLiteral("Open ") + quoted + QStringLiteral(" ALIAS ") + m_alias +
                          QStringLiteral(" TYPE AviVideo wait") + QStringLiteral(" parent ") +
                          QString::number(windowHandle) + QStringLiteral(" style child"));
    if (code != 0)
        m_host.reportError(QStringLiteral(" Unable to play video. Probably file not found ('") +
                           quoted + QStringLiteral("')."));
    send(QStringLiteral("play ") + m_alias);
}

void Mmedia::StopMovie() {
    send(QStringLiteral("Stop ") + m_alias);
    send(QStringLiteral("Close ") + m_alias);
    m_host.processEvents();
}

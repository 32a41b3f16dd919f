#include "RecordingMedia.h"

#include "MciCommandDevice.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
QString hex(const QByteArray &bytes) { return QString::fromLatin1(bytes.toHex(' ')); }
QString quoted(const QByteArray &name) { return QLatin1Char('"') + QFile::decodeName(name) + QLatin1Char('"'); }
} // namespace

RecordingMediaBackend::RecordingMediaBackend(const MediaClock *clock) : m_clock(clock) {}

void RecordingMediaBackend::log(const QString &line) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_log.append(line);
}

QStringList RecordingMediaBackend::takeLog() {
    std::lock_guard<std::mutex> lock(m_mutex);
    QStringList out;
    out.swap(m_log);
    return out;
}

void RecordingMediaBackend::setMp3Length(const QByteArray &fileName, qint32 milliseconds) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mp3Lengths.insert(fileName, milliseconds);
}

int RecordingMediaBackend::sendString(const QString &command, QString *reply) {
    log(command);
    if (reply)
        reply->clear();
    const QStringList words = splitCommand(command);
    if (words.size() < 2)
        return MciCommandDevice::MissingParameter;
    const QString verb = words[0].toLower();
    if (verb == QLatin1String("open")) {
        // The open fails where the real device's would: an unknown type, or no file to read.
        const auto valueOf = [&words](const char *key) {
            const int at = words.indexOf(
                QRegularExpression(QLatin1Char('^') + QLatin1String(key) + QLatin1Char('$'),
                                   QRegularExpression::CaseInsensitiveOption));
            return at > 0 && at + 1 < words.size() ? words[at + 1] : QString();
        };
        static const QStringList types = {QStringLiteral("sequencer"), QStringLiteral("waveaudio"),
                                          QStringLiteral("avivideo")};
        const QString type = valueOf("type").toLower();
        if (!type.isEmpty() && !types.contains(type))
            return MciCommandDevice::UnsupportedType;
        if (m_checkFiles && !QFileInfo(words[1]).isFile())
            return MciCommandDevice::FileNotFound;
        const QString alias = valueOf("alias");
        m_openAliases.append((alias.isEmpty() ? words[1] : alias).toLower());
        return MciCommandDevice::Ok;
    }
    const QString alias = words[1].toLower();
    if (!m_openAliases.contains(alias))
        return MciCommandDevice::InvalidDeviceName;
    if (verb == QLatin1String("close"))
        m_openAliases.removeAll(alias);
    if (verb == QLatin1String("status") && reply && words.size() > 2)
        *reply = words[2].toLower() == QLatin1String("mode") ? QStringLiteral("stopped") : QStringLiteral("0");
    return MciCommandDevice::Ok;
}

quint32 RecordingMediaBackend::WaveMixConfigureInit(const QByteArray &config) {
    log(QStringLiteral("WaveMixConfigureInit ") + hex(config));
    return m_noAudio ? 0 : m_nextHandle++;
}

int RecordingMediaBackend::WaveMixActivate(quint32 session, bool activate) {
    log(QStringLiteral("WaveMixActivate %1 %2").arg(session).arg(activate ? 1 : 0));
    return session == 0 ? 1 : 0;
}

quint32 RecordingMediaBackend::WaveMixOpenWave(quint32 session, const QByteArray &fileName,
                                               int instance, int flags) {
    log(QStringLiteral("WaveMixOpenWave %1 %2 %3 %4").arg(session).arg(quoted(fileName)).arg(instance).arg(flags));
    return session == 0 ? 0 : m_nextHandle++;
}

int RecordingMediaBackend::WaveMixOpenChannel(quint32 session, int channel, int flags) {
    log(QStringLiteral("WaveMixOpenChannel %1 %2 %3").arg(session).arg(channel).arg(flags));
    return 0;
}

int RecordingMediaBackend::WaveMixPlay(const QByteArray &playRecord) {
    log(QStringLiteral("WaveMixPlay ") + hex(playRecord));
    return 0;
}

int RecordingMediaBackend::WaveMixFlushChannel(quint32 session, int channel, int flags) {
    log(QStringLiteral("WaveMixFlushChannel %1 %2 %3").arg(session).arg(channel).arg(flags));
    return 0;
}

int RecordingMediaBackend::WaveMixFreeWave(quint32 session, quint32 wave) {
    log(QStringLiteral("WaveMixFreeWave %1 %2").arg(session).arg(wave));
    return 0;
}

int RecordingMediaBackend::WaveMixCloseSession(quint32 session) {
    log(QStringLiteral("WaveMixCloseSession %1").arg(session));
    return 0;
}

int RecordingMediaBackend::mp3gettime(const Mp3Request &request, qint32 &totalMilliseconds,
                                      qint32 &second) {
    log(QStringLiteral("mp3gettime ") + quoted(request.fileName));
    std::lock_guard<std::mutex> lock(m_mutex);
    totalMilliseconds = m_mp3Lengths.value(request.fileName, 0);
    second = 0;
    return 0;
}

int RecordingMediaBackend::mp3play(const Mp3Request &request) {
    log(QStringLiteral("mp3play ") + quoted(request.fileName));
    return 0;
}

void RecordingMediaBackend::mp3stop() { log(QStringLiteral("mp3stop")); }

#include "MidiFileInfo.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 DefaultMicrosPerQuarter = 500000; // 120 beats a minute

quint32 be32(const char *p) {
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return (quint32(u[0]) << 24) | (quint32(u[1]) << 16) | (quint32(u[2]) << 8) | quint32(u[3]);
}

quint16 be16(const char *p) {
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return static_cast<quint16>((u[0] << 8) | u[1]);
}

// A variable-length quantity of at most four bytes; false when it runs past `end`.
bool readVarLen(const unsigned char *&p, const unsigned char *end, quint32 &value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        if (p >= end)
            return false;
        const unsigned char c = *p++;
        value = (value << 7) | (c & 0x7F);
        if (!(c & 0x80))
            return true;
    }
    return false;
}

} // namespace

bool MidiFileInfo::fail(const QString &why) {
    m_error = why;
    return false;
}

bool MidiFileInfo::read(const QByteArray &data) {
    m_error.clear();
    m_format = m_trackCount = m_division = 0;
    m_totalTicks = 0;
    m_tempos.clear();

    if (data.size() > MaxFileBytes)
        return fail(QStringLiteral("The MIDI file is too large"));
    // The header chunk must be exactly six bytes long, as the synthesizer's reader wants it.
    if (data.size() < 14 || !data.startsWith("MThd") || be32(data.constData() + 4) != 6)
        return fail(QStringLiteral("Not a MIDI file"));
    m_format = be16(data.constData() + 8);
    const int declaredTracks = be16(data.constData() + 10);
    const quint16 division = be16(data.constData() + 12);
    if (m_format > 2)
        return fail(QStringLiteral("Unknown MIDI file format %1").arg(m_format));
    if (division & 0x8000)
        return fail(QStringLiteral("MIDI files timed in SMPTE frames are not supported"));
    if (division == 0)
        return fail(QStringLiteral("The MIDI file has no tick division"));
    if (declaredTracks < 1 || declaredTracks > MaxTracks)
        return fail(QStringLiteral("The MIDI file declares %1 tracks").arg(declaredTracks));
    m_division = division;

    qint64 pos = 14;
    while (m_trackCount < declaredTracks) {
        if (data.size() - pos < 8)
            return fail(
                QStringLiteral("The MIDI file ends before its track %1").arg(m_trackCount + 1));
        const char *chunk = data.constData() + pos;
        const qint64 length = be32(chunk + 4);
        if (length > data.size() - pos - 8)
            return fail(QStringLiteral("The MIDI file is cut short"));
        // Chunks of other kinds are skipped, as the format allows.
        if (qstrncmp(chunk, "MTrk", 4) == 0) {
            if (!readTrack(chunk + 8, length, m_trackCount))
                return false;
            ++m_trackCount;
        }
        pos += 8 + length;
    }

    std::stable_sort(m_tempos.begin(), m_tempos.end(),
                     [](const Tempo &a, const Tempo &b) { return a.tick < b.tick; });
    if (m_tempos.empty() || m_tempos.front().tick != 0)
        m_tempos.insert(m_tempos.begin(), Tempo{0, DefaultMicrosPerQuarter, 0.0});
    for (size_t i = 1; i < m_tempos.size(); ++i) {
        const Tempo &prev = m_tempos[i - 1];
        m_tempos[i].ms = prev.ms + double(m_tempos[i].tick - prev.tick) *
                                       double(prev.microsPerQuarter) / m_division / 1000.0;
    }
    return true;
}

bool MidiFileInfo::readTrack(const char *data, qint64 size, int trackIndex) {
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    const unsigned char *end = p + size;
    const QString broken =
        QStringLiteral("Track %1 of the MIDI file is damaged").arg(trackIndex + 1);
    qint64 tick = 0;
    unsigned char status = 0;
    while (p < end) {
        quint32 delta = 0;
        if (!readVarLen(p, end, delta))
            return fail(broken);
        tick += delta;
        if (p >= end)
            return fail(broken);
        unsigned char byte = *p;
        if (byte & 0x80) {
            ++p;
            if (byte < 0xF0)
                status = byte; // running status applies to channel messages only
        } else {
            if (status == 0)
                return fail(broken);
            byte = status;
        }
        if (byte == 0xFF) {
            if (p >= end)
                return fail(broken);
            const unsigned char type = *p++;
            quint32 length = 0;
            if (!readVarLen(p, end, length) || length > quint32(end - p))
                return fail(broken);
            if (type == 0x51 && length == 3) {
                const qint64 micros = (qint64(p[0]) << 16) | (qint64(p[1]) << 8) | p[2];
                if (micros > 0)
                    m_tempos.push_back(Tempo{tick, micros, 0.0});
            }
            p += length;
            if (type == 0x2F)
                break; // end of track
        } else if (byte == 0xF0 || byte == 0xF7) {
            quint32 length = 0;
            if (!readVarLen(p, end, length) || length > quint32(end - p))
                return fail(broken);
            p += length;
        } else if (byte >= 0xF0) {
            return fail(broken); // system messages other than these never appear in files
        } else {
            const int dataBytes = ((byte & 0xF0) == 0xC0 || (byte & 0xF0) == 0xD0) ? 1 : 2;
            if (end - p < dataBytes)
                return fail(broken);
            for (int i = 0; i < dataBytes; ++i) {
                if (p[i] & 0x80)
                    return fail(broken);
            }
            p += dataBytes;
        }
    }
    m_totalTicks = std::max(m_totalTicks, tick);
    return true;
}

double MidiFileInfo::ticksToMs(qint64 ticks) const {
    if (m_tempos.empty() || m_division <= 0)
        return 0.0;
    auto it = std::upper_bound(m_tempos.begin(), m_tempos.end(), ticks,
                               [](qint64 t, const Tempo &tempo) { return t < tempo.tick; });
    const Tempo &tempo = (it == m_tempos.begin()) ? m_tempos.front() : *(it - 1);
    return tempo.ms +
           double(ticks - tempo.tick) * double(tempo.microsPerQuarter) / m_division / 1000.0;
}

qint64 MidiFileInfo::msToTicks(double ms) const {
    if (m_tempos.empty() || m_division <= 0)
        return 0;
    auto it = std::upper_bound(m_tempos.begin(), m_tempos.end(), ms,
                               [](double t, const Tempo &tempo) { return t < tempo.ms; });
    const Tempo &tempo = (it == m_tempos.begin()) ? m_tempos.front() : *(it - 1);
    return tempo.tick +
           qint64(std::llround((ms - tempo.ms) * 1000.0 * m_division / tempo.microsPerQuarter));
}

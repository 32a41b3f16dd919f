// The MIDI file reader decides whether a file reaches the synthesizer and turns its ticks into
// milliseconds through the tempo map.

#include "MidiFileInfo.h"
#include "SoundFixtures.h"

#include <gtest/gtest.h>

namespace {

QByteArray chunk(const char *id, const QByteArray &body) {
    QByteArray out(id, 4);
    const quint32 n = quint32(body.size());
    out += char(n >> 24);
    out += char(n >> 16);
    out += char(n >> 8);
    out += char(n);
    return out + body;
}

QByteArray header(int format, int tracks, int division, int length = 6) {
    QByteArray body;
    body += char(format >> 8);
    body += char(format);
    body += char(tracks >> 8);
    body += char(tracks);
    body += char(division >> 8);
    body += char(division);
    body += QByteArray(length - 6, '\0');
    return chunk("MThd", body);
}

// Format 1, division 96: a tempo track that goes from 500000 to 250000 microseconds a quarter
// at tick 96, and a note from tick 0 to 288 ended with running status (note-on, velocity 0).
QByteArray twoTempoFile() {
    const QByteArray tempoTrack = QByteArray::fromHex("00ff510307a120"
                                                      "60ff510303d090"
                                                      "60ff2f00");
    const QByteArray noteTrack = QByteArray::fromHex("00903c64"
                                                     "82203c00"
                                                     "00ff2f00");
    return header(1, 2, 96) + chunk("MTrk", tempoTrack) + chunk("MTrk", noteTrack);
}

} // namespace

TEST(MidiFileInfoTest, LengthFollowsTheTempoMap) {
    MidiFileInfo info;
    ASSERT_TRUE(info.read(twoTempoFile())) << info.errorString().toStdString();
    EXPECT_EQ(info.format(), 1);
    EXPECT_EQ(info.trackCount(), 2);
    EXPECT_EQ(info.division(), 96);
    EXPECT_EQ(info.totalTicks(), 288);
    // 96 ticks at 0.5 s a quarter, then 192 ticks at 0.25 s a quarter.
    EXPECT_DOUBLE_EQ(info.ticksToMs(96), 500.0);
    EXPECT_DOUBLE_EQ(info.ticksToMs(192), 750.0);
    EXPECT_DOUBLE_EQ(info.lengthMs(), 1000.0);
    EXPECT_DOUBLE_EQ(info.ticksToMs(48), 250.0);
    EXPECT_EQ(info.msToTicks(250.0), 48);
    EXPECT_EQ(info.msToTicks(750.0), 192);
    EXPECT_EQ(info.msToTicks(1000.0), 288);
    for (qint64 tick = 0; tick <= 288; tick += 7)
        EXPECT_EQ(info.msToTicks(info.ticksToMs(tick)), tick);
}

TEST(MidiFileInfoTest, FilesWithoutTempoPlayAtTheDefault) {
    MidiFileInfo info;
    const QByteArray track = QByteArray::fromHex("00903c64"
                                                 "8100803c00"
                                                 "00ff2f00");
    ASSERT_TRUE(info.read(header(0, 1, 480) + chunk("MTrk", track)));
    EXPECT_EQ(info.totalTicks(), 128);
    // 120 beats a minute.
    EXPECT_DOUBLE_EQ(info.lengthMs(), 128 * 500.0 / 480);
}

TEST(MidiFileInfoTest, FixtureFilesAgreeWithTheirMaking) {
    MidiFileInfo info;
    ASSERT_TRUE(info.read(SoundFixtures::midiFile({60, 62, 64}, 48, 5, 96, 400000)));
    EXPECT_EQ(info.totalTicks(), 3 * 48);
    EXPECT_DOUBLE_EQ(info.lengthMs(), 3 * 48 * 400.0 / 96);
}

TEST(MidiFileInfoTest, SkipsChunksOfOtherKindsAndSysEx) {
    MidiFileInfo info;
    const QByteArray track = QByteArray::fromHex("00f0057e7f0901f7" // sysex
                                                 "00ff0303414243"   // track name
                                                 "00c005"           // program change
                                                 "10e00040"         // pitch bend
                                                 "00ff2f00");
    ASSERT_TRUE(info.read(header(0, 1, 96) + chunk("XFIH", "abc") + chunk("MTrk", track)))
        << info.errorString().toStdString();
    EXPECT_EQ(info.trackCount(), 1);
    EXPECT_EQ(info.totalTicks(), 16);
}

TEST(MidiFileInfoTest, RefusesWhatTheSynthesizerCannotPlay) {
    const QByteArray good = QByteArray::fromHex("00903c6460803c0000ff2f00");
    struct Case {
        const char *what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty", QByteArray()},
        {"text", QByteArray("This is not a MIDI file at all.")},
        {"header only", header(0, 1, 96)},
        {"header of seven bytes", header(0, 1, 96, 7) + chunk("MTrk", good)},
        {"format 3", header(3, 1, 96) + chunk("MTrk", good)},
        {"SMPTE timing", header(0, 1, 0xE728) + chunk("MTrk", good)},
        {"division 0", header(0, 1, 0) + chunk("MTrk", good)},
        {"no tracks", header(0, 0, 96)},
        {"too many tracks", header(1, MidiFileInfo::MaxTracks + 1, 96)},
        {"missing second track", header(1, 2, 96) + chunk("MTrk", good)},
        {"track cut short", header(0, 1, 96) + chunk("MTrk", good).left(14)},
        {"data byte without status",
         header(0, 1, 96) + chunk("MTrk", QByteArray::fromHex("003c64"))},
        {"note cut inside", header(0, 1, 96) + chunk("MTrk", QByteArray::fromHex("00903c"))},
        {"delta too long",
         header(0, 1, 96) + chunk("MTrk", QByteArray::fromHex("ffffffff7f903c64"))},
        {"meta longer than the track",
         header(0, 1, 96) + chunk("MTrk", QByteArray::fromHex("00ff0320414243"))},
        {"system message", header(0, 1, 96) + chunk("MTrk", QByteArray::fromHex("00f2"))},
        {"data byte with the top bit set",
         header(0, 1, 96) + chunk("MTrk", QByteArray::fromHex("00903c90"))},
    };
    for (const Case &c : cases) {
        MidiFileInfo info;
        EXPECT_FALSE(info.read(c.bytes)) << c.what;
        EXPECT_FALSE(info.errorString().isEmpty()) << c.what;
    }
}

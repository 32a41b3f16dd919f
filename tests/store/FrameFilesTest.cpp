// Frame files: <frame>.fme, <frame>.chn and <frame>.lks.

#include "FrameFiles.h"
#include "ChannelFile.h"
#include "TestProject.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// The first ten lines of a frame file as an older editor wrote them.
QStringList tenLines() {
    return {
        QStringLiteral("1"),      q(QStringLiteral("room.bmp")),  QStringLiteral("#TRUE#"),
        QStringLiteral("#TRUE#"), q(QStringLiteral("music.mid")), QStringLiteral("#TRUE#"),
        q(QStringLiteral("0.5")), q(QStringLiteral("Hall")),      q(QStringLiteral("intro.avi")),
        QStringLiteral("#FALSE#")};
}

QStringList thirteenLines() {
    return tenLines() + QStringList{QStringLiteral("#TRUE#"), QStringLiteral("#TRUE#"),
                                    q(QStringLiteral("theme.mp3"))};
}

QStringList twentyTwoLines() {
    return thirteenLines() + QStringList{q(QString()),
                                         q(QString()),
                                         q(QString()),
                                         QStringLiteral("#FALSE#"),
                                         QStringLiteral("#TRUE#"),
                                         QStringLiteral("10"),
                                         QStringLiteral("20.5"),
                                         QStringLiteral("320"),
                                         QStringLiteral("240")};
}

QList<QByteArray> lines(const QByteArray &bytes) {
    QList<QByteArray> out = bytes.split('\n');
    EXPECT_TRUE(out.last().isEmpty()) << "the file must end with a line end";
    out.removeLast();
    for (QByteArray &l : out) {
        EXPECT_TRUE(l.endsWith('\r'));
        l.chop(1);
    }
    return out;
}

void expectFirstTen(const FrameProperties &f) {
    EXPECT_EQ(f.BackgroundKind, 1);
    EXPECT_EQ(f.Background, QStringLiteral("room.bmp"));
    EXPECT_TRUE(f.Tiled);
    EXPECT_TRUE(f.StopMidi);
    EXPECT_EQ(f.MidiFile, QStringLiteral("music.mid"));
    EXPECT_TRUE(f.TimerEnabled);
    EXPECT_EQ(f.TimerSeconds, QStringLiteral("0.5"));
    EXPECT_EQ(f.TimerFrame, QStringLiteral("Hall"));
    EXPECT_EQ(f.VideoFile, QStringLiteral("intro.avi"));
    EXPECT_FALSE(f.WaitVideo);
}

QList<ChannelRecord> eightChannels() {
    QList<ChannelRecord> channels;
    for (int i = 0; i < 8; ++i) {
        ChannelRecord c;
        if (i % 3 == 1) {
            c.NoAction = false;
            c.PlaySound = true;
            c.SoundFile = QStringLiteral("sound%1.wav").arg(i);
            c.Loop = i == 4 ? 1 : 0;
        } else if (i % 3 == 2) {
            c.NoAction = false;
            c.StopSound = true;
        }
        channels.append(c);
    }
    return channels;
}

void expectSameChannel(const ChannelRecord &a, const ChannelRecord &b) {
    EXPECT_EQ(a.NoAction, b.NoAction);
    EXPECT_EQ(a.StopSound, b.StopSound);
    EXPECT_EQ(a.PlaySound, b.PlaySound);
    EXPECT_EQ(a.SoundFile, b.SoundFile);
    EXPECT_EQ(a.Loop, b.Loop);
}

class FrameFilesTest : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(p.path(QStringLiteral("Frames"))); }
    FrameFiles frames(SoundMode mode = SoundMode::MultiChannel) const {
        return FrameFiles(p.paths(), mode);
    }
    FrameProperties read(const QString &frame) {
        FrameProperties f;
        const Status s = frames().readProperties(frame, f);
        EXPECT_TRUE(s.ok()) << s.text().toStdString();
        return f;
    }
    TestProject p;
};

} // namespace

TEST_F(FrameFilesTest, TenLineFileLoadsWithDefaults) {
    p.writeLines(QStringLiteral("Frames/Hall.fme"), tenLines());
    const FrameProperties f = read(QStringLiteral("Hall"));
    expectFirstTen(f);
    EXPECT_FALSE(f.StopWav);
    EXPECT_FALSE(f.StopMp3);
    EXPECT_EQ(f.Mp3File, QString());
    EXPECT_TRUE(f.VideoFullScreen);
    EXPECT_FALSE(f.VideoAtPosition);
}

TEST_F(FrameFilesTest, ThirteenLineFileLoadsMp3AndKeepsVideoDefaults) {
    p.writeLines(QStringLiteral("Frames/Hall.fme"), thirteenLines());
    const FrameProperties f = read(QStringLiteral("Hall"));
    expectFirstTen(f);
    EXPECT_TRUE(f.StopWav);
    EXPECT_TRUE(f.StopMp3);
    EXPECT_EQ(f.Mp3File, QStringLiteral("theme.mp3"));
    EXPECT_TRUE(f.VideoFullScreen);
    EXPECT_FALSE(f.VideoAtPosition);
}

TEST_F(FrameFilesTest, TwentyTwoLineFileLoadsEveryField) {
    p.writeLines(QStringLiteral("Frames/Hall.fme"), twentyTwoLines());
    const FrameProperties f = read(QStringLiteral("Hall"));
    expectFirstTen(f);
    EXPECT_EQ(f.Mp3File, QStringLiteral("theme.mp3"));
    EXPECT_FALSE(f.VideoFullScreen);
    EXPECT_TRUE(f.VideoAtPosition);
    EXPECT_DOUBLE_EQ(f.VideoLeft, 10);
    EXPECT_DOUBLE_EQ(f.VideoTop, 20.5);
    EXPECT_DOUBLE_EQ(f.VideoWidth, 320);
    EXPECT_DOUBLE_EQ(f.VideoHeight, 240);
}

TEST_F(FrameFilesTest, FileEndingInsideTheNewerFieldsIsUnreadable) {
    p.writeLines(QStringLiteral("Frames/Hall.fme"), thirteenLines().mid(0, 11));
    FrameProperties f;
    EXPECT_FALSE(frames().readProperties(QStringLiteral("Hall"), f).ok());
    p.writeLines(QStringLiteral("Frames/Hall.fme"), tenLines().mid(0, 9));
    EXPECT_FALSE(frames().readProperties(QStringLiteral("Hall"), f).ok());
    EXPECT_FALSE(frames().readProperties(QStringLiteral("Nowhere"), f).ok());
}

TEST_F(FrameFilesTest, NewColourFrameIsWrittenAsTenLinesWithQuotedBackground) {
    FrameProperties props;
    props.BackgroundKind = 0;
    props.Background = QStringLiteral("255");
    props.Tiled = true; // never stored for a colour
    ASSERT_TRUE(frames().writeNewFrame(QStringLiteral("Hall"), props).ok());
    EXPECT_EQ(p.read(QStringLiteral("Frames/Hall.fme")),
              QByteArray("0\r\n\"255\"\r\n#FALSE#\r\n#FALSE#\r\n\"\"\r\n#FALSE#\r\n4\r\n\"\"\r\n"
                         "\"\"\r\n#TRUE#\r\n"));
    EXPECT_FALSE(p.exists(QStringLiteral("Frames/Hall.chn")));
    EXPECT_FALSE(p.exists(QStringLiteral("Frames/Hall.lks")));

    const FrameProperties f = read(QStringLiteral("Hall"));
    EXPECT_EQ(f.BackgroundKind, 0);
    EXPECT_EQ(f.backgroundColor(), 255);
    EXPECT_FALSE(f.Tiled);
    EXPECT_EQ(f.TimerSeconds, QStringLiteral("4"));
    EXPECT_FALSE(f.TimerEnabled);
    EXPECT_TRUE(f.WaitVideo);
    EXPECT_TRUE(f.VideoFullScreen);
}

TEST_F(FrameFilesTest, NewPictureFrameKeepsItsTiling) {
    FrameProperties props;
    props.BackgroundKind = 1;
    props.Background = QStringLiteral("room one.bmp");
    props.Tiled = true;
    ASSERT_TRUE(frames().writeNewFrame(QStringLiteral("Hall"), props).ok());
    const QList<QByteArray> l = lines(p.read(QStringLiteral("Frames/Hall.fme")));
    ASSERT_EQ(l.size(), 10);
    EXPECT_EQ(l[0], QByteArray("1"));
    EXPECT_EQ(l[1], QByteArray("\"room one.bmp\""));
    EXPECT_EQ(l[2], QByteArray("#TRUE#"));
}

TEST_F(FrameFilesTest, SavedColourIsUnquotedAndPictureIsQuoted) {
    FrameProperties props;
    props.BackgroundKind = 0;
    props.Background = QStringLiteral("16711680");
    props.Tiled = true;
    props.TimerEnabled = true;
    props.TimerSeconds = QStringLiteral("0.5");
    props.TimerFrame = QStringLiteral("Garden");
    ASSERT_TRUE(frames().saveProperties(QStringLiteral("Hall"), props, {}).ok());
    QList<QByteArray> l = lines(p.read(QStringLiteral("Frames/Hall.fme")));
    ASSERT_EQ(l.size(), 22);
    EXPECT_EQ(l[0], QByteArray("0"));
    EXPECT_EQ(l[1], QByteArray("16711680"));
    EXPECT_EQ(l[2], QByteArray("#FALSE#"));
    EXPECT_EQ(l[6], QByteArray("\"0.5\"")); // the delay as typed
    EXPECT_EQ(l[7], QByteArray("\"Garden\""));
    EXPECT_EQ(l[13], QByteArray("\"\""));
    EXPECT_EQ(l[16], QByteArray("#TRUE#")); // full-screen video by default
    EXPECT_EQ(l[17], QByteArray("#FALSE#"));
    EXPECT_EQ(read(QStringLiteral("Hall")).backgroundColor(), 16711680);

    props.BackgroundKind = 1;
    props.Background = QStringLiteral("room.bmp");
    props.Tiled = false;
    ASSERT_TRUE(frames().saveProperties(QStringLiteral("Hall"), props, {}).ok());
    l = lines(p.read(QStringLiteral("Frames/Hall.fme")));
    ASSERT_EQ(l.size(), 22);
    EXPECT_EQ(l[0], QByteArray("1"));
    EXPECT_EQ(l[1], QByteArray("\"room.bmp\""));
    EXPECT_EQ(l[2], QByteArray("#FALSE#"));
}

TEST_F(FrameFilesTest, SavedPropertiesReadBack) {
    FrameProperties props;
    props.BackgroundKind = 1;
    props.Background = QStringLiteral("sky.jpg");
    props.Tiled = true;
    props.StopMidi = true;
    props.MidiFile = QStringLiteral("a.mid");
    props.TimerEnabled = true;
    props.TimerSeconds = QStringLiteral("2.75");
    props.TimerFrame = QStringLiteral("Next");
    props.VideoFile = QStringLiteral("v.avi");
    props.WaitVideo = false;
    props.StopWav = true;
    props.StopMp3 = true;
    props.Mp3File = QStringLiteral("m.mp3");
    props.VideoFullScreen = false;
    props.VideoAtPosition = true;
    props.VideoLeft = 1;
    props.VideoTop = 2;
    props.VideoWidth = 300.5;
    props.VideoHeight = 200;
    ASSERT_TRUE(frames().saveProperties(QStringLiteral("Hall"), props, eightChannels()).ok());
    const FrameProperties f = read(QStringLiteral("Hall"));
    EXPECT_EQ(f.BackgroundKind, 1);
    EXPECT_EQ(f.Background, props.Background);
    EXPECT_TRUE(f.Tiled);
    EXPECT_TRUE(f.StopMidi);
    EXPECT_EQ(f.MidiFile, props.MidiFile);
    EXPECT_TRUE(f.TimerEnabled);
    EXPECT_EQ(f.TimerSeconds, props.TimerSeconds);
    EXPECT_EQ(f.TimerFrame, props.TimerFrame);
    EXPECT_EQ(f.VideoFile, props.VideoFile);
    EXPECT_FALSE(f.WaitVideo);
    EXPECT_TRUE(f.StopWav);
    EXPECT_TRUE(f.StopMp3);
    EXPECT_EQ(f.Mp3File, props.Mp3File);
    EXPECT_FALSE(f.VideoFullScreen);
    EXPECT_TRUE(f.VideoAtPosition);
    EXPECT_DOUBLE_EQ(f.VideoLeft, 1);
    EXPECT_DOUBLE_EQ(f.VideoTop, 2);
    EXPECT_DOUBLE_EQ(f.VideoWidth, 300.5);
    EXPECT_DOUBLE_EQ(f.VideoHeight, 200);
}

TEST_F(FrameFilesTest, MultiChannelFileHoldsEightRecords) {
    const QList<ChannelRecord> channels = eightChannels();
    ASSERT_TRUE(frames().saveProperties(QStringLiteral("Hall"), FrameProperties(), channels).ok());
    const QList<QByteArray> l = lines(p.read(QStringLiteral("Frames/Hall.chn")));
    ASSERT_EQ(l.size(), 22 + 8 * 5);
    EXPECT_EQ(l[0], QByteArray("\"Version 2.06.01\""));
    for (int i = 1; i < 22; ++i)
        EXPECT_EQ(l[i], QByteArray("\"\"")) << "line " << i + 1;
    // Channel 1 plays sound1.wav.
    EXPECT_EQ(l[27], QByteArray("#FALSE#"));
    EXPECT_EQ(l[28], QByteArray("#FALSE#"));
    EXPECT_EQ(l[29], QByteArray("#TRUE#"));
    EXPECT_EQ(l[30], QByteArray("\"sound1.wav\""));
    EXPECT_EQ(l[31], QByteArray("0"));

    ChannelFile f;
    ASSERT_TRUE(frames().readChannels(QStringLiteral("Hall"), f).ok());
    EXPECT_EQ(f.WriterVersion, QStringLiteral("Version 2.06.01"));
    ASSERT_EQ(f.Channels.size(), 8);
    for (int i = 0; i < 8; ++i)
        expectSameChannel(f.Channels[i], channels[i]);
}

TEST_F(FrameFilesTest, SingleChannelFileHoldsOneRecordThatOnlyPlays) {
    ChannelRecord c;
    c.NoAction = false;
    c.StopSound = true;
    c.PlaySound = true;
    c.SoundFile = QStringLiteral("bell.wav");
    c.Loop = 1;
    const QString path = p.path(QStringLiteral("Frames/Hall.chn"));
    ASSERT_TRUE(writeChannels(path, SoundMode::SingleChannel, {c}).ok());
    const QList<QByteArray> l = lines(p.read(QStringLiteral("Frames/Hall.chn")));
    ASSERT_EQ(l.size(), 22 + 5);
    EXPECT_EQ(l.mid(22), (QList<QByteArray>{"#FALSE#", "#FALSE#", "#TRUE#", "\"bell.wav\"", "0"}));

    ChannelFile f;
    ASSERT_TRUE(readChannels(path, SoundMode::SingleChannel, f).ok());
    ASSERT_EQ(f.Channels.size(), 1);
    EXPECT_TRUE(f.Channels[0].PlaySound);
    EXPECT_FALSE(f.Channels[0].StopSound);
    EXPECT_EQ(f.Channels[0].Loop, 0);
    EXPECT_EQ(f.Channels[0].SoundFile, QStringLiteral("bell.wav"));
}

TEST_F(FrameFilesTest, EightRecordFileReadInSingleModeGivesChannelZero) {
    const QList<ChannelRecord> channels = eightChannels();
    const QString path = p.path(QStringLiteral("Frames/Hall.chn"));
    QList<ChannelRecord> withFirstPlaying = channels;
    withFirstPlaying[0].NoAction = false;
    withFirstPlaying[0].PlaySound = true;
    withFirstPlaying[0].SoundFile = QStringLiteral("first.wav");
    ASSERT_TRUE(writeChannels(path, SoundMode::MultiChannel, withFirstPlaying).ok());
    ChannelFile f;
    ASSERT_TRUE(frames(SoundMode::SingleChannel).readChannels(QStringLiteral("Hall"), f).ok());
    ASSERT_EQ(f.Channels.size(), 1);
    expectSameChannel(f.Channels[0], withFirstPlaying[0]);

    // The next save in single-channel mode writes one record.
    ASSERT_TRUE(writeChannels(path, SoundMode::SingleChannel, f.Channels).ok());
    EXPECT_EQ(lines(p.read(QStringLiteral("Frames/Hall.chn"))).size(), 27);
}

TEST_F(FrameFilesTest, MissingChannelFileIsAllNoAction) {
    for (SoundMode mode : {SoundMode::MultiChannel, SoundMode::SingleChannel}) {
        ChannelFile f;
        const Status s = frames(mode).readChannels(QStringLiteral("Hall"), f);
        EXPECT_TRUE(s.ok()) << s.text().toStdString();
        ASSERT_EQ(f.Channels.size(), channelCount(mode));
        for (const ChannelRecord &c : f.Channels) {
            EXPECT_TRUE(c.NoAction);
            EXPECT_FALSE(c.PlaySound);
            EXPECT_FALSE(c.StopSound);
        }
    }
}

TEST_F(FrameFilesTest, ChannelFileEndingAfterAWholeRecordKeepsTheRest) {
    QStringList l{q(QStringLiteral("Version 2.06.01"))};
    for (int i = 0; i < 21; ++i)
        l << q(QString());
    l << QStringLiteral("#FALSE#") << QStringLiteral("#FALSE#") << QStringLiteral("#TRUE#")
      << q(QStringLiteral("a.wav")) << QStringLiteral("1");
    p.writeLines(QStringLiteral("Frames/Hall.chn"), l);
    ChannelFile f;
    ASSERT_TRUE(frames().readChannels(QStringLiteral("Hall"), f).ok());
    ASSERT_EQ(f.Channels.size(), 8);
    EXPECT_TRUE(f.Channels[0].PlaySound);
    EXPECT_EQ(f.Channels[0].Loop, 1);
    for (int i = 1; i < 8; ++i)
        EXPECT_TRUE(f.Channels[i].NoAction);

    p.writeLines(QStringLiteral("Frames/Hall.chn"), l.mid(0, 25)); // inside the first record
    EXPECT_FALSE(frames().readChannels(QStringLiteral("Hall"), f).ok());
}

TEST_F(FrameFilesTest, AreaCountFile) {
    int n = -1;
    ASSERT_TRUE(frames().readAreaCount(QStringLiteral("Hall"), n).ok());
    EXPECT_EQ(n, 0); // no .lks: no areas
    ASSERT_TRUE(frames().writeAreaCount(QStringLiteral("Hall"), 3).ok());
    EXPECT_EQ(p.read(QStringLiteral("Frames/Hall.lks")), QByteArray("3\r\n"));
    ASSERT_TRUE(frames().readAreaCount(QStringLiteral("Hall"), n).ok());
    EXPECT_EQ(n, 3);

    p.writeLines(QStringLiteral("Frames/Hall.lks"), {QStringLiteral("99999999")});
    EXPECT_FALSE(frames().readAreaCount(QStringLiteral("Hall"), n).ok());
    p.writeLines(QStringLiteral("Frames/Hall.lks"), {QStringLiteral("-1")});
    EXPECT_FALSE(frames().readAreaCount(QStringLiteral("Hall"), n).ok());
}

TEST_F(FrameFilesTest, FramesListMatchesFmeInAnyCase) {
    for (const char *f : {"Frames/Kitchen.FME", "Frames/hall.fme", "Frames/Garden.Fme",
                          "Frames/notes.txt", "Frames/Hall.chn", "Frames/old.fme.bak"})
        p.writeRaw(QString::fromLatin1(f), "x");
    EXPECT_EQ(frames().list(), (QStringList{"Garden", "hall", "Kitchen"}));
    EXPECT_TRUE(frames().exists(QStringLiteral("Kitchen")));
    EXPECT_TRUE(frames().exists(QStringLiteral("KITCHEN")));
    EXPECT_FALSE(frames().exists(QStringLiteral("notes")));
}

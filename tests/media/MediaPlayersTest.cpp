#include "MediaPlayers.h"
#include "MediaTestSupport.h"
#include "RecordingMedia.h"
#include "TestProject.h"

#include <gtest/gtest.h>

namespace {

class MediaPlayersTest : public ::testing::Test {
protected:
    FakeClock clock;
    RecordingMediaBackend backend{&clock};
    RecordingHost host;
    MediaPlayers media{backend, host};
    TestProject project;

    QString areas() const { return project.paths().AreasPath(); }

    // A channel file: header, 21 reserved values, then the records given (5 values each).
    QString writeChannels(const QString &name, const QList<QStringList> &records) {
        QStringList lines{q(QStringLiteral("Version 2.06.01"))};
        for (int i = 0; i < 21; ++i)
            lines.append(q(QString()));
        for (const QStringList &r : records)
            lines += r;
        return project.writeLines(QStringLiteral("Areas/Hall/") + name, lines);
    }
    static QStringList none() { return {"#TRUE#", "#FALSE#", "#FALSE#", "\"\"", "0"}; }
    static QStringList play(const char *file, int loop) {
        return {"#FALSE#", "#FALSE#", "#TRUE#", q(QString::fromLatin1(file)), QString::number(loop)};
    }
    static QStringList stop() { return {"#FALSE#", "#TRUE#", "#FALSE#", "\"\"", "0"}; }
};

QStringList withPrefix(const QStringList &log, const QString &prefix) {
    QStringList out;
    for (const QString &l : log) {
        if (l.startsWith(prefix))
            out.append(l);
    }
    return out;
}

} // namespace

TEST_F(MediaPlayersTest, MultiChannelFilePlaysAndStopsItsChannels) {
    project.writeRaw(QStringLiteral("Areas/rain.wav"), "RIFF");
    project.writeRaw(QStringLiteral("Areas/bell.wav"), "RIFF");
    const QString file = writeChannels(QStringLiteral("1d.dat"),
                                       {none(), play("rain.wav", 1), stop(), none(), none(),
                                        play("bell.wav", 0), none(), none()});
    media.PlaySoundChannels(file, SoundMode::MultiChannel, areas());
    EXPECT_TRUE(host.errors.isEmpty());
    EXPECT_TRUE(media.channelsActive());
    const QStringList log = backend.takeLog();
    EXPECT_EQ(withPrefix(log, QStringLiteral("WaveMixOpenWave")),
              (QStringList{QStringLiteral("WaveMixOpenWave 1 \"") + areas() + QStringLiteral("rain.wav\" 0 0"),
                           QStringLiteral("WaveMixOpenWave 1 \"") + areas() + QStringLiteral("bell.wav\" 0 0")}));
    const QStringList plays = withPrefix(log, QStringLiteral("WaveMixPlay"));
    ASSERT_EQ(plays.size(), 2);
    EXPECT_TRUE(plays[0].contains(QStringLiteral("01 00 00 00 02 00 00 00"))); // channel 1, wave 2
    EXPECT_TRUE(plays[0].endsWith(QStringLiteral("ff ff")));                  // loops
    EXPECT_TRUE(plays[1].contains(QStringLiteral("05 00 00 00")));             // channel 5
    EXPECT_TRUE(plays[1].endsWith(QStringLiteral("00 00")));                  // once
    EXPECT_EQ(withPrefix(log, QStringLiteral("WaveMixFlushChannel")),
              QStringList{QStringLiteral("WaveMixFlushChannel 1 2 0")});
}

TEST_F(MediaPlayersTest, OneRecordFileStopsAfterChannelZeroWithoutError) {
    project.writeRaw(QStringLiteral("Areas/a.wav"), "RIFF");
    const QString file = writeChannels(QStringLiteral("2d.dat"), {play("a.wav", 0)});
    media.PlaySoundChannels(file, SoundMode::MultiChannel, areas());
    EXPECT_TRUE(host.errors.isEmpty());
    EXPECT_EQ(withPrefix(backend.takeLog(), QStringLiteral("WaveMixPlay")).size(), 1);
}

TEST_F(MediaPlayersTest, BrokenOrMissingChannelFiles) {
    media.PlaySoundChannels(project.path(QStringLiteral("Areas/Hall/9d.dat")),
                            SoundMode::MultiChannel, areas());
    EXPECT_TRUE(backend.takeLog().isEmpty());
    EXPECT_TRUE(host.errors.isEmpty());

    // A record cut in the middle: what came before plays, then the report.
    project.writeRaw(QStringLiteral("Areas/a.wav"), "RIFF");
    QStringList cut = play("a.wav", 0);
    cut.append(QStringLiteral("#FALSE#"));
    const QString file = writeChannels(QStringLiteral("3d.dat"), {cut});
    media.PlaySoundChannels(file, SoundMode::MultiChannel, areas());
    EXPECT_EQ(host.errors, QStringList{QStringLiteral(" Unable to load sound channels information.")});
    EXPECT_EQ(withPrefix(backend.takeLog(), QStringLiteral("WaveMixPlay")).size(), 1);
}

TEST_F(MediaPlayersTest, SingleChannelProjectsUseTheSoundPlayer) {
    project.writeRaw(QStringLiteral("Areas/voice.wav"), "RIFF");
    media.StartWaveChannels();
    backend.takeLog();
    const QString file = writeChannels(QStringLiteral("1d.dat"), {play("voice.wav", 1), none()});
    media.PlaySoundChannels(file, SoundMode::SingleChannel, areas());
    EXPECT_FALSE(media.channelsActive());
    const QStringList log = backend.takeLog();
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log[0], QStringLiteral("WaveMixCloseSession 1"));
    EXPECT_EQ(log[1], QStringLiteral("Open \"") + areas() +
                          QStringLiteral("voice.wav\" ALIAS wav7 TYPE Waveaudio wait"));
    EXPECT_EQ(log[2], QStringLiteral("Play wav7"));

    // A sound file that is missing under both names plays nothing there.
    const QString missing = writeChannels(QStringLiteral("2d.dat"), {play("gone.wav", 0)});
    media.PlaySoundChannels(missing, SoundMode::SingleChannel, areas());
    EXPECT_TRUE(withPrefix(backend.takeLog(), QStringLiteral("Open")).isEmpty());
    EXPECT_EQ(host.warnings.size(), 1);
}

TEST_F(MediaPlayersTest, StartingChannelsClosesTheSoundPlayerAndStopsMp3) {
    media.sound().mmOpenWave(QStringLiteral("x.wav"));
    backend.takeLog();
    media.StartWaveChannels();
    media.StartWaveChannels(); // already active: nothing more
    const QStringList log = backend.takeLog();
    EXPECT_EQ(log.mid(0, 2), (QStringList{QStringLiteral("Close wav7"), QStringLiteral("mp3stop")}));
    EXPECT_EQ(withPrefix(log, QStringLiteral("WaveMixConfigureInit")).size(), 1);
}

TEST_F(MediaPlayersTest, ResolveDataFileNameLooksForTheHiddenName) {
    project.writeRaw(QStringLiteral("Areas/pic.004"), "BM");
    EXPECT_EQ(media.ResolveDataFileName(areas() + QStringLiteral("pic.BMP")),
              areas() + QStringLiteral("pic.004"));
    EXPECT_TRUE(host.warnings.isEmpty());

    // An existing file, in another letter case too, is kept.
    project.writeRaw(QStringLiteral("Areas/Door.gif"), "GIF89a");
    EXPECT_EQ(media.ResolveDataFileName(areas() + QStringLiteral("door.GIF")),
              areas() + QStringLiteral("Door.gif"));

    // Missing under both names: the warning, and the path back.
    const QString missing = areas() + QStringLiteral("notes.txt");
    EXPECT_EQ(media.ResolveDataFileName(missing), missing);
    EXPECT_EQ(host.warnings,
              QStringList{QStringLiteral("T29|T33 ") + missing + QStringLiteral("\n\nT34")});

    // The editor's test run and short names keep the path as given, silently.
    host.fromEditor = true;
    EXPECT_EQ(media.ResolveDataFileName(areas() + QStringLiteral("pic.bmp")),
              areas() + QStringLiteral("pic.bmp"));
    host.fromEditor = false;
    EXPECT_EQ(media.ResolveDataFileName(QStringLiteral("a.b")), QStringLiteral("a.b"));
    EXPECT_EQ(host.warnings.size(), 1);
}

TEST_F(MediaPlayersTest, Mp3TimelineFromRequestToEnd) {
    project.writeRaw(QStringLiteral("Frames/theme.mp3"), "ID3");
    const QString path = project.path(QStringLiteral("Frames/theme.mp3"));
    backend.setMp3Length(QFile::encodeName(path), 100500);

    media.startMp3(path);
    EXPECT_TRUE(media.mp3TimerEnabled());
    EXPECT_EQ(media.mp3TimerTag(), path);
    // Until the worker measured the file, the provisional 60 seconds keep it "playing".
    EXPECT_TRUE(media.mp3().IsMp3Playing());
    clock.advanceSeconds(65);
    EXPECT_TRUE(media.mp3().IsMp3Playing());
    clock.advanceSeconds(1);
    EXPECT_FALSE(media.mp3().IsMp3Playing());

    // The timer hands the file to a worker, which measures it (100 s) and plays it.
    media.mp3TimerTick();
    EXPECT_FALSE(media.mp3TimerEnabled());
    media.mp3().joinWorkers();
    EXPECT_EQ(media.mp3().length(), 100);
    const QStringList log = backend.takeLog();
    EXPECT_EQ(withPrefix(log, QStringLiteral("mp3")),
              (QStringList{QStringLiteral("mp3stop"), QStringLiteral("mp3gettime \"") + path + QStringLiteral("\""),
                           QStringLiteral("mp3play \"") + path + QStringLiteral("\"")}));
    clock.advanceSeconds(105);
    EXPECT_TRUE(media.mp3().IsMp3Playing());
    clock.advanceSeconds(1);
    EXPECT_FALSE(media.mp3().IsMp3Playing());

    clock.advanceSeconds(-50);
    EXPECT_TRUE(media.mp3().IsMp3Playing());
    media.stopMp3();
    EXPECT_FALSE(media.mp3().IsMp3Playing());
    EXPECT_EQ(backend.takeLog(), QStringList{QStringLiteral("mp3stop")});
}

TEST_F(MediaPlayersTest, StopBeforeTheTimerFiresPlaysNothing) {
    media.startMp3(QStringLiteral("/g/Frames/a.mp3"));
    media.stopMp3();
    media.mp3TimerTick(); // the timer was disabled: nothing starts
    media.mp3().joinWorkers();
    EXPECT_TRUE(withPrefix(backend.takeLog(), QStringLiteral("mp3play")).isEmpty());
    EXPECT_FALSE(media.mp3().IsMp3Playing());
}

TEST_F(MediaPlayersTest, PlayMovieWithStopShowsTheWindowAndClearsTheRequest) {
    media.PlayMovieWithStop(QStringLiteral("/g/Frames/v.avi"), 77);
    EXPECT_EQ(host.calls, (QStringList{QStringLiteral("showGameWindow"),
                                       QStringLiteral("clearStopVideoRequest")}));
    EXPECT_FALSE(media.PlayingMovieOrNot());
    const QStringList log = backend.takeLog();
    ASSERT_GE(log.size(), 2);
    EXPECT_TRUE(log[0].endsWith(QStringLiteral(" TYPE AviVideo wait parent 77 style child")));
}

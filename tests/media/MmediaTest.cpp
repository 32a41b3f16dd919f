#include "MediaTestSupport.h"
#include "Mmedia.h"
#include "RecordingMedia.h"

#include <gtest/gtest.h>

namespace {

class MmediaTest : public ::testing::Test {
protected:
    // These tests are about the command strings: the device opens any name given.
    MmediaTest() { backend.setOpenChecksFiles(false); }

    FakeClock clock;
    RecordingMediaBackend backend{&clock};
    RecordingHost host;
    Mmedia player{backend.mci(), backend.clock(), host};
};

} // namespace

TEST_F(MmediaTest, OpenNamesTheAliasAfterExtensionAndMinute) {
    clock.set(QDateTime(QDate(2026, 1, 1), QTime(9, 7, 30)));
    player.mmOpen(QStringLiteral("/g/Frames/song.mid"));
    EXPECT_EQ(player.alias(), QStringLiteral("mid7"));
    clock.set(QDateTime(QDate(2026, 1, 1), QTime(9, 37, 0)));
    player.mmOpen(QStringLiteral("/g/Frames/song.mid"));
    EXPECT_EQ(player.alias(), QStringLiteral("mid37"));
    player.mmOpenWave(QStringLiteral("/g/Areas/bell.wav"));
    EXPECT_EQ(backend.takeLog(),
              (QStringList{QStringLiteral("Open \"/g/Frames/song.mid\" ALIAS mid7 TYPE Sequencer wait"),
                           QStringLiteral("Close mid7"),
                           QStringLiteral("Open \"/g/Frames/song.mid\" ALIAS mid37 TYPE Sequencer wait"),
                           QStringLiteral("Close mid37"),
                           QStringLiteral("Open \"/g/Areas/bell.wav\" ALIAS wav37 TYPE Waveaudio wait")}));
    EXPECT_EQ(player.FileName(), QStringLiteral("/g/Areas/bell.wav"));
}

TEST_F(MmediaTest, CommandsWithoutAnAliasSendNothing) {
    player.mmClose();
    player.mmPlay();
    player.mmStop();
    player.mmPause();
    EXPECT_EQ(player.Length(), 0);
    EXPECT_EQ(player.Position(), 0);
    EXPECT_TRUE(backend.takeLog().isEmpty());
    // Seek and Status make no alias check.
    player.mmSeek(2.5f);
    player.Status();
    EXPECT_EQ(backend.takeLog(),
              (QStringList{QStringLiteral("Seek  to 2.5"), QStringLiteral("Status  mode")}));
}

TEST_F(MmediaTest, PlayStopPauseCloseAndStatus) {
    player.mmOpen(QStringLiteral("a.mid"));
    backend.takeLog();
    player.mmPlay();
    player.setWait(true);
    player.mmPlay();
    player.mmPause();
    player.mmStop();
    EXPECT_EQ(player.Status(), QStringLiteral("stopped"));
    EXPECT_EQ(player.Length(), 0);
    player.mmClose();
    EXPECT_TRUE(player.alias().isEmpty());
    EXPECT_TRUE(player.FileName().isEmpty());
    EXPECT_EQ(backend.takeLog(),
              (QStringList{QStringLiteral("Play mid7"), QStringLiteral("Play mid7 wait"),
                           QStringLiteral("Pause mid7"), QStringLiteral("Stop mid7"),
                           QStringLiteral("Status mid7 mode"), QStringLiteral("Status mid7 length"),
                           QStringLiteral("Close mid7")}));
}

TEST_F(MmediaTest, StatusRepliesAreCutAtTheFirstNul) {
    EXPECT_EQ(cutAtNul(QStringLiteral("playing") + QChar(0) + QStringLiteral("junk")),
              QStringLiteral("playing"));
    EXPECT_EQ(cutAtNul(QStringLiteral("stopped")), QStringLiteral("stopped"));
}

TEST_F(MmediaTest, PlayMovieOpensInsideTheWindowAndReportsAFailedOpen) {
    player.PlayMovie(QStringLiteral("/g/Frames/intro.avi"), 4242);
    const QString alias = player.alias();
    const int n = alias.toInt();
    EXPECT_GE(n, 1);
    EXPECT_LE(n, 50);
    EXPECT_EQ(backend.takeLog(),
              (QStringList{QStringLiteral("Open \"/g/Frames/intro.avi\" ALIAS ") + alias +
                               QStringLiteral(" TYPE AviVideo wait parent 4242 style child"),
                           QStringLiteral("play ") + alias}));
    EXPECT_TRUE(host.errors.isEmpty());

    backend.setOpenChecksFiles(true);
    player.PlayMovie(QStringLiteral("/nowhere/missing.avi"), 1);
    ASSERT_EQ(host.errors.size(), 1);
    EXPECT_EQ(host.errors[0], QStringLiteral(" Unable to play video. Probably file not found "
                                             "('\"/nowhere/missing.avi\"')."));
    // "play" is sent whatever the open gave.
    EXPECT_TRUE(backend.takeLog().last().startsWith(QStringLiteral("play ")));

    player.StopMovie();
    EXPECT_EQ(backend.takeLog(), (QStringList{QStringLiteral("Stop ") + player.alias(),
                                              QStringLiteral("Close ") + player.alias()}));
    EXPECT_EQ(host.eventPasses, 1);
}

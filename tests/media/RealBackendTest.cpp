// The command strings the players send, through the real devices: sound, music and video
// actually play and their status follows.

#include "MediaBackend.h"
#include "MediaClock.h"
#include "MediaPlayers.h"
#include "MediaTestSupport.h"
#include "Mmedia.h"
#include "Mp3Library.h"
#include "WaveMixLibrary.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class RealBackendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new QTemporaryDir;
        const QString d = dir->path();
        ok = QProcess::execute(QStringLiteral("sox"), {"-n", "-r", "22050", "-c", "1", d + "/tone.wav",
                                                       "synth", "0.4", "sine", "440"}) == 0 &&
             QProcess::execute(QStringLiteral("ffmpeg"),
                               {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=64x48:rate=10",
                                "-t", "0.5", "-c:v", "mpeg4", d + "/clip.avi"}) == 0;
        // A tiny MIDI file: one note.
        const QByteArray midi = QByteArray::fromHex(
            "4d546864000000060000000100604d54726b0000000c00903c5a60803c0000ff2f00");
        QFile f(d + QStringLiteral("/note.mid"));
        ok = ok && f.open(QIODevice::WriteOnly) && f.write(midi) == midi.size();
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    void TearDown() override {
        media.reset();
        backend.reset();
    }
    QString path(const char *name) const { return dir->path() + QLatin1Char('/') + QLatin1String(name); }

    // Waits, letting events run, until the player's status is `mode` (or a generous bound).
    static bool waitFor(Mmedia &player, const QString &mode) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 10000) {
            if (player.Status() == mode)
                return true;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(10);
        }
        return false;
    }

    static QTemporaryDir *dir;
    static bool ok;
    RecordingHost host;
    std::unique_ptr<MediaBackend> backend = createMediaBackend(MediaBackendKind::Real);
    std::unique_ptr<MediaPlayers> media = std::make_unique<MediaPlayers>(*backend, host);
};

QTemporaryDir *RealBackendTest::dir = nullptr;
bool RealBackendTest::ok = false;

} // namespace

TEST_F(RealBackendTest, WaveSoundPlaysThroughTheCommandStrings) {
    ASSERT_TRUE(ok);
    Mmedia &sound = media->sound();
    sound.mmOpenWave(path("tone.wav"));
    EXPECT_EQ(sound.Status(), QStringLiteral("stopped"));
    EXPECT_NEAR(sound.Length(), 400, 30);
    sound.mmPlay();
    EXPECT_EQ(sound.Status(), QStringLiteral("playing"));
    EXPECT_TRUE(waitFor(sound, QStringLiteral("stopped")));
    sound.mmClose();
    EXPECT_EQ(sound.Status(), QString()); // no device under that alias any more
}

TEST_F(RealBackendTest, MidiMusicPlaysAndEnds) {
    ASSERT_TRUE(ok);
    media->PlayMIDImusic(path("note.mid"));
    EXPECT_EQ(media->music().Status(), QStringLiteral("playing"));
    EXPECT_GT(media->music().Length(), 0);
    EXPECT_TRUE(waitFor(media->music(), QStringLiteral("stopped")));
    EXPECT_TRUE(host.errors.isEmpty());
}

TEST_F(RealBackendTest, VideoPlaysInsideItsWindowAndStops) {
    ASSERT_TRUE(ok);
    QWidget window;
    window.resize(128, 96);
    window.show();
    media->PlayMovieWithStop(path("clip.avi"), window.winId());
    EXPECT_TRUE(host.errors.isEmpty()) << host.errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(media->PlayingMovieOrNot());
    EXPECT_FALSE(window.findChildren<QWidget *>().isEmpty()); // the video paints in a child
    EXPECT_TRUE(waitFor(media->video(), QStringLiteral("stopped")));
    EXPECT_FALSE(media->PlayingMovieOrNot());
    media->video().StopMovie();
}

TEST_F(RealBackendTest, MissingAndBrokenFilesFailWithoutHanging) {
    ASSERT_TRUE(ok);
    media->PlayMovieWithStop(path("nothing.avi"), 0);
    ASSERT_EQ(host.errors.size(), 1);
    EXPECT_TRUE(host.errors[0].startsWith(QStringLiteral(" Unable to play video. Probably file not found")));
    EXPECT_FALSE(media->PlayingMovieOrNot());
    // A text file dressed as MIDI: the open fails, nothing plays, no report (as for any MIDI).
    QFile f(path("text.mid"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not music");
    f.close();
    media->PlayMIDImusic(path("text.mid"));
    EXPECT_NE(media->music().Status(), QStringLiteral("playing"));
    EXPECT_EQ(host.errors.size(), 1);
}

// Without the back-end libraries (QM_MEDIA_PLUGIN_PATH names an empty folder), sound, music and
// video fail as files that cannot be played do, with the same reports, and the game goes on.
// Run in a child process: the libraries are looked for once per process.
TEST_F(RealBackendTest, WithoutTheBackEndLibrariesMediaFailsAndTheGameGoesOn) {
    ASSERT_TRUE(ok);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir empty;
    EXPECT_EXIT(
        {
            qputenv("QM_MEDIA_PLUGIN_PATH", QFile::encodeName(empty.path()));
            media->PlayMovieWithStop(path("clip.avi"), 0);
            media->PlayMIDImusic(path("note.mid"));
            media->sound().mmOpenWave(path("tone.wav"));
            Mp3Request request;
            request.fileName = QFile::encodeName(path("tone.wav"));
            const bool failedAsUnplayable =
                host.errors.size() == 1 &&
                host.errors[0].startsWith(
                    QStringLiteral(" Unable to play video. Probably file not found")) &&
                !media->PlayingMovieOrNot() &&
                media->music().Status() != QStringLiteral("playing") &&
                media->sound().Status().isEmpty() && !backend->waveMix().available() &&
                backend->mp3().mp3play(request) != 0;
            std::exit(failedAsUnplayable ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// The video driver: decoding and timing, the window it paints in, its sound, broken files.

#include "AviVideoDriver.h"
#include "AudioOutput.h"
#include "MediaFixtures.h"
#include "VideoDrivers.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kTimeoutMs = 15000;

class AviVideoDriverTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fx.error.isEmpty()) << fx.error.toStdString(); }
    // The audio device's thread must not run on into the program's exit.
    void TearDown() override { AudioOutput::shutdown(); }

    std::unique_ptr<AviVideoDriver> openClip(const QString &file, quintptr parent = 0) {
        QString error;
        auto driver = openAviVideoDriver(file, parent, &error);
        EXPECT_TRUE(driver) << error.toStdString();
        return driver;
    }

    static bool playToEnd(AviVideoDriver &driver) {
        return waitUntil([&] { return !driver.isPlaying(); }, kTimeoutMs);
    }

    const MediaFixtures &fx = MediaFixtures::get();
};

int distinctColours(const QImage &image) {
    QSet<QRgb> colours;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); y += 2) {
        for (int x = 0; x < rgb.width(); x += 2)
            colours.insert(rgb.pixel(x, y) & 0xf0f0f0);
    }
    return colours.size();
}

TEST_F(AviVideoDriverTest, PlaysEveryFrameOnceAndStopsAtTheEnd) {
    auto driver = openClip(fx.clipAvi);
    ASSERT_TRUE(driver);
    EXPECT_NEAR(driver->lengthMs(), 1000, 50);
    EXPECT_EQ(driver->videoSize(), QSize(160, 120));
    EXPECT_TRUE(driver->hasSound());
    EXPECT_FALSE(driver->isPlaying());
    EXPECT_EQ(driver->positionMs(), 0);

    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(driver->play());
    EXPECT_TRUE(driver->isPlaying());
    ASSERT_TRUE(playToEnd(*driver));
    // Played at the file's pace, not as fast as it decodes.
    EXPECT_GE(timer.elapsed(), 800);
    EXPECT_EQ(driver->framesDecoded(), 10);
    EXPECT_GE(driver->framesPresented(), 1);
    EXPECT_LE(driver->framesPresented(), 10);
    EXPECT_EQ(driver->positionMs(), driver->lengthMs());

    // Play at the end starts again from the beginning.
    ASSERT_TRUE(driver->play());
    EXPECT_TRUE(driver->isPlaying());
    EXPECT_LT(driver->positionMs(), 500);
    ASSERT_TRUE(playToEnd(*driver));
    EXPECT_EQ(driver->framesDecoded(), 20);
    EXPECT_EQ(driver->positionMs(), driver->lengthMs());
}

TEST_F(AviVideoDriverTest, StopHoldsThePositionAndPlayGoesOnFromThere) {
    auto driver = openClip(fx.clipAvi);
    ASSERT_TRUE(driver);
    ASSERT_TRUE(driver->play());
    ASSERT_TRUE(waitUntil([&] { return driver->positionMs() >= 300; }, kTimeoutMs));
    driver->stop();
    EXPECT_FALSE(driver->isPlaying());
    const qint64 stoppedAt = driver->positionMs();
    EXPECT_GE(stoppedAt, 300);
    EXPECT_LT(stoppedAt, driver->lengthMs());
    runEventsFor(100);
    const int presented = driver->framesPresented();
    runEventsFor(400);
    EXPECT_EQ(driver->positionMs(), stoppedAt);
    EXPECT_EQ(driver->framesPresented(), presented);
    EXPECT_FALSE(driver->isPlaying());

    ASSERT_TRUE(driver->play());
    EXPECT_GE(driver->positionMs(), stoppedAt);
    ASSERT_TRUE(playToEnd(*driver));
    // Only the rest was played: no picture was decoded twice.
    EXPECT_EQ(driver->framesDecoded(), 10);
}

TEST_F(AviVideoDriverTest, SeekShowsThePictureAtThatTimeAndStaysStopped) {
    const QImage frame0(fx.clipFrame0);
    const QImage frame5(fx.clipFrame5);
    ASSERT_FALSE(frame0.isNull());
    ASSERT_FALSE(frame5.isNull());
    ASSERT_GT(meanDifference(frame0, frame5), 5.0) << "the reference frames must differ";

    auto driver = openClip(fx.clipAvi);
    ASSERT_TRUE(driver);
    // The first picture is there before playing starts.
    EXPECT_LT(meanDifference(driver->currentFrame(), frame0), 3.0);

    ASSERT_TRUE(driver->seek(500));
    EXPECT_FALSE(driver->isPlaying());
    EXPECT_EQ(driver->positionMs(), 500);
    ASSERT_TRUE(
        waitUntil([&] { return meanDifference(driver->currentFrame(), frame5) < 3.0; }, kTimeoutMs))
        << "difference to frame 5: " << meanDifference(driver->currentFrame(), frame5);
    runEventsFor(200);
    EXPECT_FALSE(driver->isPlaying());
    EXPECT_EQ(driver->positionMs(), 500);

    ASSERT_TRUE(driver->play());
    EXPECT_GE(driver->positionMs(), 500);
    ASSERT_TRUE(playToEnd(*driver));
    EXPECT_EQ(driver->positionMs(), driver->lengthMs());

    // A seek past the end stops at the end.
    ASSERT_TRUE(driver->seek(5000));
    EXPECT_EQ(driver->positionMs(), driver->lengthMs());
}

TEST_F(AviVideoDriverTest, MotionJpegIsDecodedAtFullRange) {
    const QImage reference(fx.jpegFrame0);
    ASSERT_FALSE(reference.isNull());
    auto driver = openClip(fx.jpegAvi);
    ASSERT_TRUE(driver);
    EXPECT_FALSE(driver->hasSound());
    // Same decoder as the reference: equal but for rounding. Read as limited range, this
    // picture (mostly saturated colours) would be about two steps off on average.
    EXPECT_LT(meanDifference(driver->currentFrame(), reference), 0.75);
    ASSERT_TRUE(driver->play());
    ASSERT_TRUE(playToEnd(*driver));
    EXPECT_EQ(driver->framesDecoded(), 10);
}

TEST_F(AviVideoDriverTest, PaintsInAChildWindowFillingItsParent) {
    auto parent = std::make_unique<QWidget>();
    parent->resize(320, 240);
    parent->show();
    auto driver = openClip(fx.clipAvi, parent->winId());
    ASSERT_TRUE(driver);
    QWidget *window = driver->videoWidget();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->parentWidget(), parent.get());
    EXPECT_EQ(window->geometry(), parent->rect());
    EXPECT_FALSE(window->isVisible()) << "shown when playing starts";
    const int childrenBefore = parent->findChildren<QWidget *>().size();

    ASSERT_TRUE(driver->play());
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(waitUntil([&] { return driver->framesPresented() >= 4; }, kTimeoutMs));
    // A paused video keeps its picture on show.
    driver->pause();
    runEventsFor(50);
    EXPECT_TRUE(window->isVisible());

    const QImage shown = parent->grab().toImage();
    EXPECT_GT(distinctColours(shown), 8) << "the test picture is colourful";
    // The whole picture, stretched over the whole window.
    const QImage frame = driver->currentFrame();
    EXPECT_LT(
        meanDifference(shown.scaled(frame.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                       frame),
        12.0);

    parent->resize(200, 100);
    runEventsFor(20);
    EXPECT_EQ(window->geometry(), QRect(0, 0, 200, 100));

    // Stopped, or played to its end, the video leaves no picture over its parent.
    driver->stop();
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(driver->play());
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(playToEnd(*driver));
    EXPECT_TRUE(waitUntil([&] { return !window->isVisible(); }, kTimeoutMs));

    // Closing the video removes its window.
    driver.reset();
    EXPECT_EQ(parent->findChildren<QWidget *>().size(), childrenBefore - 1);
}

TEST_F(AviVideoDriverTest, OutlivesTheWindowItPaintsIn) {
    auto parent = std::make_unique<QWidget>();
    parent->resize(160, 120);
    parent->show();
    auto driver = openClip(fx.clipAvi, parent->winId());
    ASSERT_TRUE(driver);
    ASSERT_TRUE(driver->play());
    ASSERT_TRUE(waitUntil([&] { return driver->framesPresented() >= 2; }, kTimeoutMs));
    parent.reset();
    EXPECT_EQ(driver->videoWidget(), nullptr);
    // Still plays to the end, painting nowhere.
    EXPECT_TRUE(playToEnd(*driver));
    EXPECT_EQ(driver->framesDecoded(), 10);
}

TEST_F(AviVideoDriverTest, PlaysUnseenWithoutAKnownWindow) {
    QString error;
    const std::unique_ptr<MediaDriver> generic = openAviVideo(fx.clipAvi, 0, &error);
    ASSERT_TRUE(generic) << error.toStdString();
    EXPECT_NEAR(generic->lengthMs(), 1000, 50);

    for (quintptr parent : {quintptr(0), quintptr(0x7ffffff0)}) {
        auto driver = openClip(fx.clipAvi, parent);
        ASSERT_TRUE(driver);
        EXPECT_EQ(driver->videoWidget(), nullptr);
        ASSERT_TRUE(driver->play());
        ASSERT_TRUE(playToEnd(*driver));
        EXPECT_EQ(driver->framesDecoded(), 10);
    }
}

TEST_F(AviVideoDriverTest, PlaysSilentlyWithoutAnAudioDevice) {
    AudioOutput::shutdown();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_EQ(AudioOutput::instance(), nullptr);
    auto driver = openClip(fx.clipAvi);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(driver);
    EXPECT_FALSE(driver->hasSound());
    ASSERT_TRUE(driver->play());
    ASSERT_TRUE(playToEnd(*driver));
    EXPECT_EQ(driver->framesDecoded(), 10);
    EXPECT_EQ(driver->positionMs(), driver->lengthMs());
}

TEST_F(AviVideoDriverTest, ClosingWhilePlayingEndsPromptly) {
    QElapsedTimer timer;
    for (int wait : {0, 30, 250}) {
        auto driver = openClip(fx.clipAvi);
        ASSERT_TRUE(driver);
        ASSERT_TRUE(driver->play());
        runEventsFor(wait);
        EXPECT_TRUE(driver->isPlaying());
        timer.start();
        driver.reset();
        EXPECT_LT(timer.elapsed(), 2000);
    }
}

TEST_F(AviVideoDriverTest, RefusesFilesWithoutPlayablePictures) {
    const QString missing = fx.folder + QStringLiteral("/missing.avi");
    for (const QString &file :
         {missing, fx.textAvi, fx.emptyAvi, fx.truncatedAvi, fx.soundOnlyAvi, fx.folder}) {
        QString error;
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(openAviVideo(file, 0, &error), nullptr) << file.toStdString();
        EXPECT_TRUE(error.contains(file)) << error.toStdString();
        EXPECT_LT(timer.elapsed(), 5000) << file.toStdString();
    }
    // A null error pointer is allowed.
    EXPECT_EQ(openAviVideo(fx.textAvi, 0, nullptr), nullptr);
}

// The sound track, written by SDL's disk driver: one second of a 440 Hz tone on both sides.
TEST_F(AviVideoDriverTest, SoundTrackIsMixedIntoTheOutput) {
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("out.raw"));
    AudioOutput::shutdown();
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", QFile::encodeName(output).constData(), 1);
    {
        auto driver = openClip(fx.clipAvi);
        ASSERT_TRUE(driver);
        ASSERT_TRUE(driver->hasSound()) << AudioOutput::lastError().toStdString();
        ASSERT_TRUE(driver->play());
        ASSERT_TRUE(playToEnd(*driver));
        runEventsFor(200);
    }
    AudioOutput::shutdown();
    setenv("SDL_AUDIODRIVER", "dummy", 1);

    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto *samples = reinterpret_cast<const qint16 *>(bytes.constData());
    const qint64 frames = bytes.size() / 4;
    const int block = AudioOutput::SampleRate / 100;
    int soundingLeft = 0;
    int soundingRight = 0;
    int crossings = 0;
    for (qint64 start = 0; start + block <= frames; start += block) {
        double left = 0;
        double right = 0;
        for (qint64 i = start; i < start + block; ++i) {
            left += double(samples[2 * i]) * samples[2 * i];
            right += double(samples[2 * i + 1]) * samples[2 * i + 1];
        }
        const bool sounding = std::sqrt(left / block) > 500;
        soundingLeft += sounding;
        soundingRight += std::sqrt(right / block) > 500;
        if (!sounding)
            continue;
        for (qint64 i = start + 1; i < start + block; ++i)
            crossings += (samples[2 * i - 2] < 0) != (samples[2 * i] < 0);
    }
    // 10 ms blocks: about a hundred of them carry the tone.
    EXPECT_GE(soundingLeft, 60);
    EXPECT_LE(soundingLeft, 140);
    EXPECT_NEAR(soundingRight, soundingLeft, 3);
    ASSERT_GT(soundingLeft, 0);
    const double hertz = crossings / 2.0 / (soundingLeft / 100.0);
    EXPECT_NEAR(hertz, 440, 40);
}

} // namespace

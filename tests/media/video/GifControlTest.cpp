// The animated picture control: loading, size, frames over time, speed, stop and start.

#include "GifControl.h"
#include "MediaFixtures.h"

#include <QLabel>
#include <QMovie>

#include <gtest/gtest.h>

namespace {

constexpr int kTimeoutMs = 15000;

class GifControlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(fx.error.isEmpty()) << fx.error.toStdString(); }

    // Frames shown by the running movie during `ms` of wall-clock time.
    static int framesShownDuring(GifControl &gif, int ms) {
        int frames = 0;
        const auto connection =
            QObject::connect(gif.movie(), &QMovie::frameChanged, [&frames] { ++frames; });
        runEventsFor(ms);
        QObject::disconnect(connection);
        return frames;
    }

    const MediaFixtures &fx = MediaFixtures::get();
};

TEST_F(GifControlTest, LoadsAGifAndKnowsItsSizeBeforeItRuns) {
    GifControl gif;
    EXPECT_EQ(gif.movie(), nullptr);
    ASSERT_TRUE(gif.setFileName(fx.animGif)) << gif.errorString().toStdString();
    ASSERT_NE(gif.movie(), nullptr);
    EXPECT_EQ(gif.fileName(), fx.animGif);
    EXPECT_EQ(gif.width(), 24);
    EXPECT_EQ(gif.height(), 12);
    EXPECT_FALSE(gif.isRunning());

    // Hidden data files keep the picture under another extension.
    GifControl hidden;
    ASSERT_TRUE(hidden.setFileName(fx.animHidden)) << hidden.errorString().toStdString();
    EXPECT_EQ(hidden.size(), QSize(24, 12));
}

TEST_F(GifControlTest, RefusesMissingAndNonGifFilesKeepingWhatItHad) {
    GifControl gif;
    EXPECT_FALSE(gif.setFileName(fx.folder + QStringLiteral("/missing.gif")));
    EXPECT_FALSE(gif.errorString().isEmpty());
    EXPECT_EQ(gif.movie(), nullptr);
    EXPECT_FALSE(gif.setFileName(fx.textGif));
    EXPECT_FALSE(gif.setFileName(fx.folder));
    EXPECT_EQ(gif.movie(), nullptr);
    EXPECT_EQ(gif.width(), 0);

    ASSERT_TRUE(gif.setFileName(fx.animGif));
    QMovie *movie = gif.movie();
    EXPECT_FALSE(gif.setFileName(fx.textGif));
    EXPECT_EQ(gif.movie(), movie);
    EXPECT_EQ(gif.fileName(), fx.animGif);
    EXPECT_EQ(gif.size(), QSize(24, 12));
}

TEST_F(GifControlTest, SpeedFiftyIsNormalAndLowerIsFaster) {
    GifControl gif;
    ASSERT_TRUE(gif.setFileName(fx.animGif));
    EXPECT_EQ(gif.movie()->speed(), 100);
    gif.setSpeed(25);
    EXPECT_EQ(gif.movie()->speed(), 200);
    gif.setSpeed(100);
    EXPECT_EQ(gif.movie()->speed(), 50);
    // Below 1 is normal speed; the extremes are held to a pace a timer can keep.
    gif.setSpeed(0);
    EXPECT_EQ(gif.movie()->speed(), 100);
    gif.setSpeed(1);
    EXPECT_EQ(gif.movie()->speed(), 1000);
    gif.setSpeed(100000);
    EXPECT_EQ(gif.movie()->speed(), 10);

    // A speed set before the file applies to it.
    GifControl early;
    early.setSpeed(10);
    ASSERT_TRUE(early.setFileName(fx.animGif));
    EXPECT_EQ(early.movie()->speed(), 500);
}

TEST_F(GifControlTest, RunsThroughItsFramesFasterAtALowerSpeed) {
    GifControl gif;
    ASSERT_TRUE(gif.setFileName(fx.animGif));
    gif.start();
    EXPECT_TRUE(gif.isRunning());
    // 100 ms a frame: about ten in a second.
    const int normal = framesShownDuring(gif, 1000);
    EXPECT_GE(normal, 4);
    EXPECT_LE(normal, 14);
    EXPECT_GE(gif.currentFrameNumber(), 0);
    EXPECT_LE(gif.currentFrameNumber(), 2);

    // Five times faster: about fifty.
    gif.setSpeed(10);
    const int fast = framesShownDuring(gif, 1000);
    EXPECT_GT(fast, 2 * normal);
}

TEST_F(GifControlTest, StopFreezesThePictureAndStartGoesOn) {
    GifControl gif;
    ASSERT_TRUE(gif.setFileName(fx.animGif));
    gif.start();
    ASSERT_TRUE(waitUntil([&] { return gif.currentFrameNumber() == 2; }, kTimeoutMs));
    gif.stop();
    EXPECT_FALSE(gif.isRunning());
    const int frozen = gif.currentFrameNumber();
    EXPECT_EQ(framesShownDuring(gif, 400), 0);
    EXPECT_EQ(gif.currentFrameNumber(), frozen);
    gif.start();
    EXPECT_TRUE(gif.isRunning());
    EXPECT_TRUE(waitUntil([&] { return gif.currentFrameNumber() != frozen; }, kTimeoutMs));
}

TEST_F(GifControlTest, ShowsInALabel) {
    GifControl gif;
    ASSERT_TRUE(gif.setFileName(fx.animGif));
    QLabel label;
    label.setMovie(gif.movie());
    label.resize(gif.size());
    label.show();
    gif.start();
    const QRgb red = qRgb(255, 0, 0);
    const QRgb blue = qRgb(0, 0, 255);
    const QRgb lime = qRgb(0, 255, 0);
    QSet<QRgb> seen;
    waitUntil(
        [&] {
            const QImage image = label.grab().toImage();
            seen.insert(image.pixel(image.width() / 2, image.height() / 2) & 0xffffff);
            return seen.size() >= 3;
        },
        kTimeoutMs);
    EXPECT_EQ(seen, (QSet<QRgb>{red & 0xffffff, blue & 0xffffff, lime & 0xffffff}));
}

} // namespace

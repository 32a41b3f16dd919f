#include "MediaTestSupport.h"
#include "RecordingMedia.h"
#include "WAVEMIX.h"
#include "cWaveMix.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(WaveMixRecords, ConfigurationRecordIsTenBytes) {
    EXPECT_EQ(WAVEMIX::configurationRecord(), QByteArray::fromHex("0a00 0000 0100 0200 0000"));
}

TEST(WaveMixRecords, PlayRecordIsTwentyFourBytesLowWordFirst) {
    EXPECT_EQ(WAVEMIX::playRecord(0x00120034, 3, 0x00050006, -1),
              QByteArray::fromHex("1800 3400 1200 0300 0000 0600 0500 0000 0000 0000 0500 ffff"));
    // Play once: loop count 0.
    EXPECT_EQ(WAVEMIX::playRecord(1, 0, 2, 0).right(2), QByteArray::fromHex("0000"));
}

namespace {

class WaveMixSessionTest : public ::testing::Test {
protected:
    RecordingMediaBackend backend;
    RecordingHost host;
    WAVEMIX session{backend.waveMix(), host};
};

} // namespace

TEST_F(WaveMixSessionTest, ChannelsLoadPlayAndCloseThroughTheLibrary) {
    {
        cWaveMix mix(session, host);
        mix.CurrentChannel = 3;
        mix.setFileName(QStringLiteral("/g/Areas/rain.wav"));
        mix.setAutoLoop(-1);
        EXPECT_EQ(mix.FileName(), QStringLiteral("/g/Areas/rain.wav"));
        EXPECT_EQ(mix.AutoLoop(), -1);
        mix.Play();
        EXPECT_EQ(session.upperBound(), 3);
        // Loading again on the same channel flushes and frees the old wave first.
        mix.setFileName(QStringLiteral("/g/Areas/wind.wav"));
        mix.Quit();
    }
    EXPECT_TRUE(host.errors.isEmpty());
    EXPECT_EQ(backend.takeLog(),
              (QStringList{
                  QStringLiteral("WaveMixConfigureInit 0a 00 00 00 01 00 02 00 00 00"),
                  QStringLiteral("WaveMixActivate 1 1"),
                  QStringLiteral("WaveMixOpenWave 1 \"/g/Areas/rain.wav\" 0 0"),
                  QStringLiteral("WaveMixOpenChannel 1 3 0"),
                  QStringLiteral("WaveMixPlay 18 00 01 00 00 00 03 00 00 00 02 00 00 00 00 00 00 "
                                 "00 00 00 05 00 ff ff"),
                  QStringLiteral("WaveMixFlushChannel 1 3 0"),
                  QStringLiteral("WaveMixFreeWave 1 2"),
                  QStringLiteral("WaveMixOpenWave 1 \"/g/Areas/wind.wav\" 0 0"),
                  QStringLiteral("WaveMixOpenChannel 1 3 0"),
                  QStringLiteral("WaveMixFlushChannel 1 3 0"),
                  // Destruction closes the session: every loaded channel flushed and freed.
                  QStringLiteral("WaveMixFlushChannel 1 3 0"),
                  QStringLiteral("WaveMixFreeWave 1 3"),
                  QStringLiteral("WaveMixCloseSession 1"),
              }));
    EXPECT_EQ(session.session(), 0u);
}

TEST_F(WaveMixSessionTest, ChannelOutsideZeroToSevenIsARangeError) {
    cWaveMix mix(session, host);
    mix.CurrentChannel = 8;
    EXPECT_THROW(mix.Play(), std::out_of_range);
    EXPECT_THROW(mix.setFileName(QStringLiteral("x.wav")), std::out_of_range);
    mix.CurrentChannel = -1;
    EXPECT_THROW(mix.Quit(), std::out_of_range);
    mix.CurrentChannel = 7;
    EXPECT_NO_THROW(mix.Quit());
}

TEST_F(WaveMixSessionTest, PlayingAChannelNeverLoadedDoesNothing) {
    cWaveMix mix(session, host);
    backend.takeLog();
    mix.CurrentChannel = 5; // above the wave array's bound
    mix.Play();
    EXPECT_TRUE(backend.takeLog().isEmpty());
}

TEST_F(WaveMixSessionTest, NoAudioDeviceReportsAndLeavesTheSessionClosed) {
    backend.setNoAudioDevice(true);
    cWaveMix mix(session, host);
    ASSERT_EQ(host.errors.size(), 1);
    EXPECT_EQ(host.errors[0],
              QStringLiteral(" Unable to Initialize WaveMix DLL. No audio hardware is available, the "
                             "hardware is not responding, or another program is using hardware "
                             "resources. Quit the program, close any open program and run the "
                             "program again."));
    EXPECT_EQ(session.session(), 0u);
    backend.takeLog();
    mix.CurrentChannel = 0;
    mix.Play(); // no session: nothing is sent
    EXPECT_TRUE(backend.takeLog().isEmpty());
}

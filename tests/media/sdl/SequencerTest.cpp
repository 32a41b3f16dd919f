// The Sequencer device of the command-string layer: MIDI files through the synthesizer, mixed
// with the rest of the program's sound.

#include "AudioOutput.h"
#include <QFile>
#include "DiskAudio.h"
#include "SdlMp3.h"
#include "SoundDrivers.h"
#include "SoundFixtures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace {

using namespace std::chrono_literals;

class SequencerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixtures.ok()) << fixtures.error().toStdString();
        useDummyAudio();
    }
    void TearDown() override { AudioOutput::shutdown(); }

    std::unique_ptr<MediaDriver> open(const char *file, QString *error = nullptr) const {
        QString why;
        auto driver = openSequencer(fixtures.path(QString::fromUtf8(file)), &why);
        if (error)
            *error = why;
        return driver;
    }

    const SoundFixtures &fixtures = SoundFixtures::get();
};

} // namespace

TEST_F(SequencerTest, PlaysAndStopsSoonAfterTheLastNote) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();
    QString error;
    auto midi = open("notes.mid", &error);
    ASSERT_TRUE(midi) << error.toStdString();
    EXPECT_EQ(midi->lengthMs(), SoundFixtures::NotesMs);
    EXPECT_FALSE(midi->isPlaying());
    const qint64 playAt = audio.frames();
    ASSERT_TRUE(midi->play());
    EXPECT_TRUE(midi->isPlaying());
    // Watched in output frames: the synthesizer's own end report would come three seconds late.
    qint64 endAt = -1;
    while (audio.waitFor(256)) {
        if (!midi->isPlaying()) {
            endAt = audio.frames();
            break;
        }
        if (audio.frames() > playAt + DiskAudio::ms(SoundFixtures::NotesMs + 4000))
            break;
    }
    ASSERT_GE(endAt, 0) << "still playing long after the end";
    EXPECT_GE(endAt - playAt, DiskAudio::ms(SoundFixtures::NotesMs));
    EXPECT_LE(endAt - playAt, DiskAudio::ms(SoundFixtures::NotesMs + 1500));
    EXPECT_EQ(midi->positionMs(), midi->lengthMs());
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(100)));
    audio.finish();
    ASSERT_TRUE(audio.error().isEmpty()) << audio.error().toStdString();

    const qint64 start = audio.firstLoud(playAt);
    ASSERT_GE(start, playAt);
    // Each of the four notes sounds in its quarter of the file.
    const qint64 note = DiskAudio::ms(SoundFixtures::NotesMs / SoundFixtures::NoteCount);
    for (int n = 0; n < SoundFixtures::NoteCount; ++n)
        EXPECT_GT(audio.peak(start + n * note, start + (n + 1) * note), DiskAudio::LoudLevel) << n;
    // Once the device reports the end, nothing more is rendered.
    EXPECT_LE(audio.peak(endAt + 2 * AudioOutput::BufferFrames, audio.fileFrames()),
              DiskAudio::SilentLevel);
}

TEST_F(SequencerTest, StopPauseSeekAndPosition) {
    auto midi = open("notes.mid");
    ASSERT_TRUE(midi);
    const qint64 length = midi->lengthMs();
    ASSERT_TRUE(midi->play());
    std::this_thread::sleep_for(300ms);
    midi->stop();
    EXPECT_FALSE(midi->isPlaying());
    const qint64 stopped = midi->positionMs();
    EXPECT_GT(stopped, 0);
    EXPECT_LT(stopped, length);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(midi->positionMs(), stopped);

    ASSERT_TRUE(midi->play());
    EXPECT_TRUE(midi->isPlaying());
    EXPECT_GE(midi->positionMs(), stopped);
    std::this_thread::sleep_for(100ms);
    midi->pause();
    EXPECT_FALSE(midi->isPlaying());
    const qint64 paused = midi->positionMs();
    EXPECT_GT(paused, stopped);

    EXPECT_FALSE(midi->seek(-1));
    EXPECT_FALSE(midi->seek(length + 1));
    // The third note starts half-way through.
    ASSERT_TRUE(midi->seek(length / 2));
    EXPECT_EQ(midi->positionMs(), length / 2);
    EXPECT_FALSE(midi->isPlaying());
    ASSERT_TRUE(midi->play());
    std::this_thread::sleep_for(50ms);
    EXPECT_GE(midi->positionMs(), length / 2);

    // Seeking while playing goes on playing from there.
    ASSERT_TRUE(midi->seek(length / 4));
    EXPECT_TRUE(midi->isPlaying());
    EXPECT_GE(midi->positionMs(), length / 4);
    EXPECT_LT(midi->positionMs(), length / 2);

    // From the very end, play starts again at the beginning.
    ASSERT_TRUE(midi->seek(length));
    EXPECT_FALSE(midi->isPlaying());
    EXPECT_EQ(midi->positionMs(), length);
    ASSERT_TRUE(midi->play());
    EXPECT_TRUE(midi->isPlaying());
    EXPECT_LT(midi->positionMs(), length / 4);
}

TEST_F(SequencerTest, SoundsTogetherWithMp3Music) {
    DiskAudio audio;
    ASSERT_TRUE(audio.isOpen()) << audio.error().toStdString();
    auto midi = open("flute.mid");
    ASSERT_TRUE(midi);
    SdlMp3 mp3;
    Mp3Request request;
    request.fileName = QFile::encodeName(fixtures.path(QStringLiteral("music.mp3")));

    const qint64 midiAt = audio.frames();
    ASSERT_TRUE(midi->play());
    // The flute alone for a while, then the MP3 with it.
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(400)));
    const qint64 mp3At = audio.frames();
    auto music = std::async(std::launch::async, [&] { return mp3.mp3play(request); });
    ASSERT_TRUE(audio.waitFor(DiskAudio::ms(700)));
    const qint64 bothUntil = audio.frames();
    EXPECT_TRUE(midi->isPlaying());
    mp3.mp3stop();
    ASSERT_EQ(music.wait_for(10s), std::future_status::ready);
    EXPECT_EQ(music.get(), 0);
    midi->stop();
    audio.finish();
    ASSERT_TRUE(audio.error().isEmpty()) << audio.error().toStdString();

    const double flute = SoundFixtures::keyHz(SoundFixtures::FluteKey);
    const double tone = SoundFixtures::ToneHz;
    // A frequency where neither plays, for comparison.
    const double neither = 700.0;
    const qint64 margin = DiskAudio::ms(100);

    const qint64 fluteFrom = audio.firstLoud(midiAt);
    ASSERT_GE(fluteFrom, midiAt);
    ASSERT_LT(fluteFrom + margin, mp3At);
    const double fluteAlone = audio.toneLevel(fluteFrom + margin, mp3At, flute);
    EXPECT_GT(fluteAlone, 300.0);
    EXPECT_LT(audio.toneLevel(fluteFrom + margin, mp3At, tone), fluteAlone / 10);

    const qint64 bothFrom = mp3At + margin;
    ASSERT_LT(bothFrom + margin, bothUntil);
    const double fluteWithMusic = audio.toneLevel(bothFrom, bothUntil, flute);
    const double toneWithFlute = audio.toneLevel(bothFrom, bothUntil, tone);
    const double rest = audio.toneLevel(bothFrom, bothUntil, neither);
    EXPECT_GT(toneWithFlute, 5000.0);
    EXPECT_GT(fluteWithMusic, 300.0);
    EXPECT_LT(rest, fluteWithMusic / 20);
    EXPECT_LT(rest, toneWithFlute / 20);
}

TEST_F(SequencerTest, RefusesMissingAndBrokenFiles) {
    for (const char *file : {"missing.mid", "text.mid", "wave.mid", "cut.mid", "tone.wav"}) {
        QString error;
        EXPECT_FALSE(open(file, &error)) << file;
        EXPECT_FALSE(error.isEmpty()) << file;
    }
}

TEST_F(SequencerTest, NoAudioDevice) {
    useNoAudioDevice();
    QString error;
    EXPECT_FALSE(open("notes.mid", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("audio device"))) << error.toStdString();
}

TEST_F(SequencerTest, OutlivesTheAudioOutput) {
    auto midi = open("notes.mid");
    ASSERT_TRUE(midi);
    ASSERT_TRUE(midi->play());
    std::this_thread::sleep_for(50ms);
    AudioOutput::shutdown();
    midi->stop();
    EXPECT_FALSE(midi->isPlaying());
    midi.reset();
    // A new device after the output was reopened plays again.
    midi = open("notes.mid");
    ASSERT_TRUE(midi);
    EXPECT_TRUE(midi->play());
}

#include "MciCommandDevice.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A device that plays for a number of wait passes, then stops by itself.
class FakeDriver : public MediaDriver {
public:
    explicit FakeDriver(int passes) : m_passes(passes) {}
    bool play() override {
        m_playing = true;
        m_left = m_passes;
        return true;
    }
    void stop() override { m_playing = false; }
    void pause() override { m_playing = false; }
    bool seek(qint64 ms) override {
        m_position = ms;
        return ms >= 0 && ms <= 5000;
    }
    bool isPlaying() const override { return m_playing; }
    qint64 lengthMs() const override { return 5000; }
    qint64 positionMs() const override { return m_position; }
    // One pass of waiting.
    void tick() {
        if (m_playing && --m_left <= 0)
            m_playing = false;
    }

private:
    int m_passes;
    int m_left = 0;
    bool m_playing = false;
    qint64 m_position = 0;
};

class FakeFactory : public MediaDriverFactory {
public:
    std::unique_ptr<MediaDriver> open(Type type, const QString &file, quintptr parent,
                                      QString *error) override {
        opened.append(QStringLiteral("%1|%2|%3").arg(static_cast<int>(type)).arg(file).arg(parent));
        if (file.contains(QStringLiteral("missing"))) {
            *error = QStringLiteral("not found");
            return nullptr;
        }
        auto d = std::make_unique<FakeDriver>(3);
        last = d.get();
        return d;
    }
    QStringList opened;
    FakeDriver *last = nullptr;
};

class MciCommandDeviceTest : public ::testing::Test {
protected:
    FakeFactory factory;
    int waits = 0;
    MciCommandDevice device{factory, [this] {
                                ++waits;
                                if (factory.last)
                                    factory.last->tick();
                            }};
};

} // namespace

TEST(SplitCommand, QuotedPartsAreOneWord) {
    QList<bool> quoted;
    EXPECT_EQ(splitCommand(QStringLiteral("Open \"C:/My Games/a b.mid\"  ALIAS x"), &quoted),
              (QStringList{QStringLiteral("Open"), QStringLiteral("C:/My Games/a b.mid"),
                           QStringLiteral("ALIAS"), QStringLiteral("x")}));
    EXPECT_EQ(quoted, (QList<bool>{false, true, false, false}));
    EXPECT_EQ(splitCommand(QStringLiteral("open \"\" alias a")).size(), 4);
}

TEST_F(MciCommandDeviceTest, OpenParsesAliasTypeAndParentInAnyCase) {
    EXPECT_EQ(device.sendString(QStringLiteral("Open \"/g/My Song.mid\" ALIAS mid7 TYPE Sequencer wait")), 0);
    EXPECT_EQ(device.sendString(QStringLiteral("open \"/g/b.wav\" alias WAV7 type waveaudio wait")), 0);
    EXPECT_EQ(device.sendString(
                  QStringLiteral("OPEN \"/g/v.avi\" ALIAS 12 TYPE AviVideo wait parent 99 style child")),
              0);
    EXPECT_EQ(factory.opened, (QStringList{QStringLiteral("0|/g/My Song.mid|0"), QStringLiteral("1|/g/b.wav|0"),
                                           QStringLiteral("2|/g/v.avi|99")}));
    EXPECT_TRUE(device.isOpen(QStringLiteral("wav7")));
    EXPECT_EQ(device.sendString(QStringLiteral("Open \"x.mid\" ALIAS q TYPE Cdaudio")),
              MciCommandDevice::UnsupportedType);
    EXPECT_EQ(device.sendString(QStringLiteral("Open \"missing.mid\" ALIAS m TYPE Sequencer")),
              MciCommandDevice::FileNotFound);
    EXPECT_FALSE(device.isOpen(QStringLiteral("m")));
}

TEST_F(MciCommandDeviceTest, StatusAnswersModeLengthAndPosition) {
    device.sendString(QStringLiteral("Open \"a.mid\" ALIAS mid7 TYPE Sequencer wait"));
    QString reply;
    EXPECT_EQ(device.sendString(QStringLiteral("Status mid7 mode"), &reply), 0);
    EXPECT_EQ(reply, QStringLiteral("stopped"));
    device.sendString(QStringLiteral("Play mid7"));
    device.sendString(QStringLiteral("STATUS MID7 MODE"), &reply);
    EXPECT_EQ(reply, QStringLiteral("playing"));
    device.sendString(QStringLiteral("Status mid7 length"), &reply);
    EXPECT_EQ(reply, QStringLiteral("5000"));
    device.sendString(QStringLiteral("Seek mid7 to 1500"));
    device.sendString(QStringLiteral("Status mid7 position"), &reply);
    EXPECT_EQ(reply, QStringLiteral("1500"));
    device.sendString(QStringLiteral("Pause mid7"));
    device.sendString(QStringLiteral("Status mid7 mode"), &reply);
    EXPECT_EQ(reply, QStringLiteral("paused"));

    // An unknown alias: an error code and an empty reply.
    EXPECT_EQ(device.sendString(QStringLiteral("Status nothing mode"), &reply),
              MciCommandDevice::InvalidDeviceName);
    EXPECT_EQ(reply, QString());
    EXPECT_EQ(device.sendString(QStringLiteral("Play nothing")), MciCommandDevice::InvalidDeviceName);
    EXPECT_EQ(device.sendString(QStringLiteral("Dance mid7")), MciCommandDevice::UnrecognizedCommand);
    EXPECT_EQ(device.sendString(QString()), MciCommandDevice::UnrecognizedCommand);
}

TEST_F(MciCommandDeviceTest, PlayWaitReturnsWhenPlayingEnds) {
    device.sendString(QStringLiteral("Open \"a.wav\" ALIAS wav1 TYPE Waveaudio wait"));
    EXPECT_EQ(device.sendString(QStringLiteral("Play wav1 wait")), 0);
    EXPECT_EQ(waits, 3);
    EXPECT_FALSE(factory.last->isPlaying());
    waits = 0;
    device.sendString(QStringLiteral("Play wav1"));
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(factory.last->isPlaying());
}

TEST_F(MciCommandDeviceTest, CloseForgetsTheAliasAndReopeningTakesItOver) {
    device.sendString(QStringLiteral("Open \"a.mid\" ALIAS mid7 TYPE Sequencer wait"));
    device.sendString(QStringLiteral("Open \"b.mid\" ALIAS MID7 TYPE Sequencer wait"));
    EXPECT_EQ(factory.opened.size(), 2);
    EXPECT_TRUE(device.isOpen(QStringLiteral("mid7")));
    EXPECT_EQ(device.sendString(QStringLiteral("Close mid7")), 0);
    EXPECT_FALSE(device.isOpen(QStringLiteral("mid7")));
    EXPECT_EQ(device.sendString(QStringLiteral("Close mid7")), MciCommandDevice::InvalidDeviceName);
}

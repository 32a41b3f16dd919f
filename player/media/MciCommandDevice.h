#pragma once

#include "MciDevice.h"
#include "MediaDriver.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

// Opens the device a command names; the real one plays through SDL, FluidSynth and FFmpeg,
// tests give fakes.
class MediaDriverFactory {
public:
    enum class Type { Sequencer, Waveaudio, AviVideo };
    virtual ~MediaDriverFactory() = default;
    // Null (and `error` filled) when the file cannot be opened as that type.
    virtual std::unique_ptr<MediaDriver> open(Type type, const QString &file, quintptr parentWindow,
                                              QString *error) = 0;
};

// The command-string device layer: parses the commands ("open", "play", "stop", "pause",
// "resume", "close", "seek", "status"; keywords in any case), keeps the open devices by alias
// and answers with a result code and a reply.
class MciCommandDevice : public MciDevice {
public:
    // Result codes.
    enum Code {
        Ok = 0,
        UnrecognizedCommand = 261,
        InvalidDeviceName = 263, // no device open under that alias
        MissingParameter = 273,
        FileNotFound = 275,
        UnsupportedType = 266,
        BadArgument = 274,
    };

    // `waitStep` runs while a "wait" command waits for the end of playing; it must let pending
    // window events run without spinning the processor.
    explicit MciCommandDevice(MediaDriverFactory &factory,
                              std::function<void()> waitStep = std::function<void()>());
    ~MciCommandDevice() override;

    int sendString(const QString &command, QString *reply = nullptr) override;

    bool isOpen(const QString &alias) const;
    MediaDriver *driver(const QString &alias) const;

private:
    struct Device {
        std::unique_ptr<MediaDriver> driver;
        bool paused = false;
    };
    int open(const QStringList &words, const QString &file);
    int status(Device &device, const QStringList &words, QString *reply);
    void waitUntilStopped(const QString &alias);

    MediaDriverFactory &m_factory;
    std::function<void()> m_waitStep;
    std::map<QString, Device> m_devices; // by alias in lower case
};

// Splits a command into words; a double-quoted part is one word (without its quotes), and
// `quoted` tells which words were quoted.
QStringList splitCommand(const QString &command, QList<bool> *quoted = nullptr);

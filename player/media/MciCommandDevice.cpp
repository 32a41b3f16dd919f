#include "MciCommandDevice.h"

#include <QCoreApplication>
#include <QThread>

QStringList splitCommand(const QString &command, QList<bool> *quoted) {
    QStringList words;
    QString current;
    bool inQuotes = false, haveWord = false, wasQuoted = false;
    auto flush = [&] {
        if (haveWord) {
            words.append(current);
            if (quoted)
                quoted->append(wasQuoted);
        }
        current.clear();
        haveWord = wasQuoted = false;
    };
    for (QChar c : command) {
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
            haveWord = wasQuoted = true;
        } else if (!inQuotes && c.isSpace()) {
            flush();
        } else {
            current.append(c);
            haveWord = true;
        }
    }
    flush();
    return words;
}

MciCommandDevice::MciCommandDevice(MediaDriverFactory &factory, std::function<void()> waitStep)
    : m_factory(factory), m_waitStep(std::move(waitStep)) {
    if (!m_waitStep) {
        m_waitStep = [] {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(10);
        };
    }
}

MciCommandDevice::~MciCommandDevice() = default;

bool MciCommandDevice::isOpen(const QString &alias) const {
    return m_devices.count(alias.toLower()) != 0;
}

MediaDriver *MciCommandDevice::driver(const QString &alias) const {
    const auto it = m_devices.find(alias.toLower());
    return it == m_devices.end() ? nullptr : it->second.driver.get();
}

int MciCommandDevice::sendString(const QString &command, QString *reply) {
    if (reply)
        reply->clear();
    QList<bool> quoted;
    const QStringList words = splitCommand(command, &quoted);
    if (words.isEmpty())
        return UnrecognizedCommand;
    const QString verb = words[0].toLower();
    if (verb == QLatin1String("open")) {
        if (words.size() < 2)
            return MissingParameter;
        return open(words, words[1]);
    }
    if (words.size() < 2)
        return MissingParameter;
    const QString alias = words[1].toLower();
    if (verb == QLatin1String("close") && alias == QLatin1String("all")) {
        m_devices.clear();
        return Ok;
    }
    auto it = m_devices.find(alias);
    if (it == m_devices.end())
        return InvalidDeviceName;
    Device &device = it->second;
    bool wait = false;
    for (int i = 2; i < words.size(); ++i)
        wait = wait || words[i].compare(QLatin1String("wait"), Qt::CaseInsensitive) == 0;

    if (verb == QLatin1String("play") || verb == QLatin1String("resume")) {
        device.paused = false;
        if (!device.driver->play())
            return BadArgument;
        if (wait)
            waitUntilStopped(alias);
        return Ok;
    }
    if (verb == QLatin1String("stop")) {
        device.driver->stop();
        device.paused = false;
        return Ok;
    }
    if (verb == QLatin1String("pause")) {
        device.driver->pause();
        device.paused = true;
        return Ok;
    }
    if (verb == QLatin1String("close")) {
        m_devices.erase(it);
        return Ok;
    }
    if (verb == QLatin1String("seek")) {
        if (words.size() < 4 || words[2].compare(QLatin1String("to"), Qt::CaseInsensitive) != 0)
            return MissingParameter;
        const QString where = words[3].toLower();
        qint64 ms = 0;
        if (where == QLatin1String("end")) {
            ms = device.driver->lengthMs();
        } else if (where != QLatin1String("start")) {
            bool ok = false;
            ms = static_cast<qint64>(words[3].toDouble(&ok));
            if (!ok)
                return BadArgument;
        }
        device.paused = false;
        return device.driver->seek(ms) ? Ok : BadArgument;
    }
    if (verb == QLatin1String("status"))
        return status(device, words, reply);
    return UnrecognizedCommand;
}

int MciCommandDevice::open(const QStringList &words, const QString &file) {
    QString alias = file, typeName;
    quintptr parent = 0;
    for (int i = 2; i + 1 < words.size(); ++i) {
        const QString key = words[i].toLower();
        if (key == QLatin1String("alias"))
            alias = words[++i];
        else if (key == QLatin1String("type"))
            typeName = words[++i].toLower();
        else if (key == QLatin1String("parent"))
            parent = words[++i].toULongLong();
        else if (key == QLatin1String("style"))
            ++i;
    }
    if (typeName.isEmpty()) {
        // No type: take it from the extension, as the old interface did.
        const QString ext = file.right(4).toLower();
        typeName = ext == QLatin1String(".avi")   ? QStringLiteral("avivideo")
                   : ext == QLatin1String(".wav") ? QStringLiteral("waveaudio")
                                                  : QStringLiteral("sequencer");
    }
    MediaDriverFactory::Type type;
    if (typeName == QLatin1String("sequencer"))
        type = MediaDriverFactory::Type::Sequencer;
    else if (typeName == QLatin1String("waveaudio"))
        type = MediaDriverFactory::Type::Waveaudio;
    else if (typeName == QLatin1String("avivideo"))
        type = MediaDriverFactory::Type::AviVideo;
    else
        return UnsupportedType;
    // An alias still in use is taken over by the new device, so a player that forgot to close
    // its last file never blocks the next one.
    m_devices.erase(alias.toLower());
    QString error;
    std::unique_ptr<MediaDriver> driver = m_factory.open(type, file, parent, &error);
    if (!driver)
        return FileNotFound;
    m_devices[alias.toLower()] = Device{std::move(driver), false};
    return Ok;
}

int MciCommandDevice::status(Device &device, const QStringList &words, QString *reply) {
    if (words.size() < 3)
        return MissingParameter;
    const QString item = words[2].toLower();
    QString answer;
    if (item == QLatin1String("mode")) {
        answer = device.driver->isPlaying() ? QStringLiteral("playing")
                 : device.paused            ? QStringLiteral("paused")
                                            : QStringLiteral("stopped");
    } else if (item == QLatin1String("length")) {
        answer = QString::number(device.driver->lengthMs());
    } else if (item == QLatin1String("position")) {
        answer = QString::number(device.driver->positionMs());
    } else {
        return BadArgument;
    }
    if (reply)
        *reply = answer;
    return Ok;
}

void MciCommandDevice::waitUntilStopped(const QString &alias) {
    // The device is looked up again on every pass: the events that run while waiting may close
    // or replace it.
    for (;;) {
        const auto it = m_devices.find(alias);
        if (it == m_devices.end() || !it->second.driver->isPlaying())
            return;
        m_waitStep();
    }
}

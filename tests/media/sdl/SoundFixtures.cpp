#include "SoundFixtures.h"

#include <QFile>
#include <QProcess>

#include <cmath>

namespace {

void appendVarLen(QByteArray &out, quint32 value) {
    QByteArray bytes;
    bytes.prepend(char(value & 0x7F));
    while (value >>= 7)
        bytes.prepend(char((value & 0x7F) | 0x80));
    out += bytes;
}

void appendBe(QByteArray &out, quint32 value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out += char((value >> (8 * i)) & 0xFF);
}

} // namespace

const SoundFixtures &SoundFixtures::get() {
    static const SoundFixtures fixtures;
    return fixtures;
}

QString SoundFixtures::path(const QString &name) const {
    return m_dir.filePath(name);
}

double SoundFixtures::keyHz(int key) {
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

QByteArray SoundFixtures::midiFile(const std::vector<int> &keys, int ticks, int program,
                                   int division, int microsPerQuarter) {
    QByteArray track;
    appendVarLen(track, 0);
    track += QByteArray::fromHex("ff5103");
    appendBe(track, quint32(microsPerQuarter), 3);
    appendVarLen(track, 0);
    track += char(0xC0);
    track += char(program);
    for (int key : keys) {
        appendVarLen(track, 0);
        track += char(0x90);
        track += char(key);
        track += char(100);
        appendVarLen(track, quint32(ticks));
        track += char(0x80);
        track += char(key);
        track += char(0);
    }
    appendVarLen(track, 0);
    track += QByteArray::fromHex("ff2f00");

    QByteArray file("MThd");
    appendBe(file, 6, 4);
    appendBe(file, 0, 2); // format 0
    appendBe(file, 1, 2); // one track
    appendBe(file, quint32(division), 2);
    file += "MTrk";
    appendBe(file, quint32(track.size()), 4);
    file += track;
    return file;
}

bool SoundFixtures::run(const QString &program, const QStringList &arguments) {
    if (!m_error.isEmpty())
        return false;
    QProcess p;
    p.setWorkingDirectory(m_dir.path());
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        m_error = QStringLiteral("%1 %2 failed: %3")
                      .arg(program, arguments.join(QLatin1Char(' ')),
                           QString::fromLocal8Bit(p.readAllStandardError()));
        return false;
    }
    return true;
}

void SoundFixtures::write(const QString &name, const QByteArray &bytes) {
    QFile f(path(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        m_error = QStringLiteral("cannot write %1").arg(name);
}

SoundFixtures::SoundFixtures() {
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    auto seconds = [](int ms) { return QString::number(ms / 1000.0); };
    auto sine = [&](const QString &name, int ms, int channels) {
        run(QStringLiteral("sox"),
            {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"),
             QStringLiteral("-b"), QStringLiteral("16"), QStringLiteral("-c"),
             QString::number(channels), name, QStringLiteral("synth"), seconds(ms),
             QStringLiteral("sine"), QString::number(ToneHz), QStringLiteral("vol"),
             QStringLiteral("0.5")});
    };
    sine(QStringLiteral("tone.wav"), ToneMs, 1);
    sine(QStringLiteral("loop.wav"), LoopMs, 1);
    sine(QStringLiteral("long.wav"), LongToneMs, 1);
    sine(QStringLiteral("music.wav"), MusicMs, 2);
    sine(QStringLiteral("short.wav"), ShortMusicMs, 2);
    run(QStringLiteral("lame"),
        {QStringLiteral("--quiet"), QStringLiteral("music.wav"), QStringLiteral("music.mp3")});
    run(QStringLiteral("lame"),
        {QStringLiteral("--quiet"), QStringLiteral("short.wav"), QStringLiteral("short.mp3")});
    if (!ok())
        return;

    // A name outside ASCII, to be given in the 8-bit code page.
    QFile::copy(path(QStringLiteral("tone.wav")), path(QString::fromUtf8("T\xC3\xB6n \xE6\x97\xA5.wav")));

    const std::vector<int> keys{60, 64, 67, 72};
    write(QStringLiteral("notes.mid"), midiFile(keys, Division, 0));
    write(QStringLiteral("flute.mid"),
          midiFile({FluteKey}, Division * FluteMs * 1000 / MicrosPerQuarter, 73));

    // Broken files: text under each name, a wave cut inside its header, a wave cut inside its
    // samples, a MIDI file cut inside its track, and files of one kind named as another.
    const QByteArray text("This is not a sound file.\r\n");
    write(QStringLiteral("text.wav"), text);
    write(QStringLiteral("text.mid"), text);
    write(QStringLiteral("text.mp3"), text);
    QFile tone(path(QStringLiteral("tone.wav")));
    tone.open(QIODevice::ReadOnly);
    const QByteArray toneBytes = tone.readAll();
    write(QStringLiteral("header-cut.wav"), toneBytes.left(30));
    write(QStringLiteral("data-cut.wav"), toneBytes.left(toneBytes.size() / 2));
    const QByteArray notes = midiFile(keys, Division, 0);
    write(QStringLiteral("cut.mid"), notes.left(notes.size() - 6));
    write(QStringLiteral("wave.mid"), toneBytes);
    write(QStringLiteral("wave.mp3"), toneBytes);
    QFile music(path(QStringLiteral("music.mp3")));
    music.open(QIODevice::ReadOnly);
    write(QStringLiteral("mp3.wav"), music.readAll());
    write(QStringLiteral("empty.mp3"), QByteArray());
}

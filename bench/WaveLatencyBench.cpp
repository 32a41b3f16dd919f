// How long a wave takes to sound, in samples of the mixed output written by SDL's disk driver,
// against one mixer buffer: from the WaveMixPlay call (its moment turned into samples at the
// output rate) to the first non-silent sample, and where that sample lies in the stream
// relative to the mixer's position at the call.

#include "AudioOutput.h"
#include "SdlWaveMix.h"
#include "WAVEMIX.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace {

// Counts the frames mixed and notes the first loud one once armed. It runs on the audio
// thread after the channels were mixed, so it sees what the disk driver writes.
class LoudnessWatch : public PostMixSource {
public:
    void mixInto(qint16 *stereo, int frames) override {
        const qint64 base = m_frames.load();
        if (m_armed.load() && m_firstLoud.load() < 0) {
            for (int i = 0; i < frames; ++i) {
                if (std::abs(stereo[2 * i]) > 1000) {
                    m_mixedAt.store(std::chrono::steady_clock::now().time_since_epoch().count());
                    m_firstLoud.store(base + i);
                    break;
                }
            }
        }
        m_frames.fetch_add(frames);
    }
    qint64 frames() const { return m_frames.load(); }
    void arm() {
        m_firstLoud.store(-1);
        m_armed.store(true);
    }
    qint64 firstLoud() const { return m_firstLoud.load(); }
    // When the buffer holding the first loud sample was mixed.
    std::chrono::steady_clock::time_point mixedAt() const {
        return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(m_mixedAt.load()));
    }

private:
    std::atomic<std::chrono::steady_clock::rep> m_mixedAt{0};
    std::atomic<qint64> m_frames{0};
    std::atomic<qint64> m_firstLoud{-1};
    std::atomic<bool> m_armed{false};
};

// A 16-bit mono wave of a loud 440 Hz tone.
QByteArray toneWave(int milliseconds) {
    const int rate = 44100, samples = rate * milliseconds / 1000;
    QByteArray data;
    for (int i = 0; i < samples; ++i) {
        const qint16 s = static_cast<qint16>(20000 * std::sin(2 * M_PI * 440 * i / rate));
        data.append(static_cast<char>(s & 0xFF));
        data.append(static_cast<char>((s >> 8) & 0xFF));
    }
    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        for (int k = 0; k < 4; ++k)
            b[k] = static_cast<char>((v >> (8 * k)) & 0xFF);
        return b;
    };
    QByteArray wav("RIFF");
    wav += le32(36 + data.size());
    wav += "WAVEfmt ";
    wav += le32(16);
    wav += QByteArray::fromHex("01000100") + le32(rate) + le32(rate * 2) + QByteArray::fromHex("02001000");
    wav += "data";
    wav += le32(data.size());
    wav += data;
    return wav;
}

bool waitFor(const std::function<bool()> &done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void BM_WavePlayToFirstSound(benchmark::State &state) {
    QTemporaryDir dir;
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", QFile::encodeName(dir.filePath(QStringLiteral("out.raw"))).constData(), 1);
    const QString wavePath = dir.filePath(QStringLiteral("tone.wav"));
    QFile wave(wavePath);
    if (!wave.open(QIODevice::WriteOnly) || wave.write(toneWave(100)) < 0) {
        state.SkipWithError("cannot write the wave");
        return;
    }
    wave.close();
    {
        SdlWaveMix mix;
        const quint32 session = mix.WaveMixConfigureInit(WAVEMIX::configurationRecord());
        AudioOutput *output = AudioOutput::current();
        if (session == 0 || !output || mix.WaveMixActivate(session, true) != 0) {
            state.SkipWithError("no audio output");
            return;
        }
        const quint32 tone = mix.WaveMixOpenWave(session, QFile::encodeName(wavePath), 0, 0);
        mix.WaveMixOpenChannel(session, 0, 0);
        LoudnessWatch watch;
        output->addPostMixSource(&watch);
        double total = 0, streamTotal = 0;
        qint64 worst = 0, count = 0;
        for (auto _ : state) {
            mix.WaveMixFlushChannel(session, 0, 0);
            // A whole silent buffer first, so the tone of the last round is gone.
            const qint64 quiet = watch.frames() + 2 * AudioOutput::BufferFrames;
            waitFor([&] { return watch.frames() >= quiet; });
            // Calls land anywhere in a buffer's period, as a player's clicks do.
            std::this_thread::sleep_for(std::chrono::microseconds(
                (count * 7919) % (1000000 * AudioOutput::BufferFrames / AudioOutput::SampleRate)));
            watch.arm();
            const qint64 called = watch.frames();
            const auto calledAt = std::chrono::steady_clock::now();
            mix.WaveMixPlay(WAVEMIX::playRecord(session, 0, tone, 0));
            if (!waitFor([&] { return watch.firstLoud() >= 0; })) {
                state.SkipWithError("the wave never sounded");
                break;
            }
            // The buffer is mixed in one go: the loud sample sounds `index` samples after the
            // moment its buffer was mixed.
            const qint64 index = watch.firstLoud() % AudioOutput::BufferFrames;
            const double waited = std::chrono::duration<double>(watch.mixedAt() - calledAt).count();
            const double delay = std::max(0.0, waited) * AudioOutput::SampleRate + static_cast<double>(index);
            state.SetIterationTime(delay / AudioOutput::SampleRate);
            total += delay;
            worst = std::max(worst, static_cast<qint64>(delay));
            streamTotal += static_cast<double>(watch.firstLoud() - called);
            ++count;
        }
        output->removePostMixSource(&watch);
        if (count > 0) {
            state.counters["delay_samples"] = total / static_cast<double>(count);
            state.counters["worst_samples"] = static_cast<double>(worst);
            state.counters["in_buffers"] = total / static_cast<double>(count) / AudioOutput::BufferFrames;
            state.counters["stream_offset_samples"] = streamTotal / static_cast<double>(count);
        }
        mix.WaveMixCloseSession(session);
    }
    AudioOutput::shutdown();
}
BENCHMARK(BM_WavePlayToFirstSound)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);

} // namespace

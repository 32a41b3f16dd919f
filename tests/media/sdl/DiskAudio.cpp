#include "DiskAudio.h"

#include "AudioOutput.h"

#include <QFile>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

// Counts the frames mixed, and marks the first buffer it sees with one sample, because the
// device may have written buffers before the counter was added: the mark tells where counting
// began in the file.
class DiskAudio::Marker : public PostMixSource {
public:
    static constexpr qint16 Mark = 32767;

    void mixInto(qint16 *stereo, int frames) override {
        if (m_frames.load() == 0)
            stereo[0] = Mark;
        m_frames.fetch_add(frames);
    }
    qint64 frames() const { return m_frames.load(); }

private:
    std::atomic<qint64> m_frames{0};
};

DiskAudio::DiskAudio() {
    m_file = m_dir.filePath(QStringLiteral("output.raw"));
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_file).constData(), 1);
    m_output = AudioOutput::instance();
    if (!m_output) {
        m_error = AudioOutput::lastError();
        return;
    }
    m_marker = std::make_unique<Marker>();
    m_output->addPostMixSource(m_marker.get());
    // The first counted buffer must have been mixed for frames() to mean anything.
    waitUntil(1);
}

DiskAudio::~DiskAudio() {
    if (m_output)
        finish();
    useDummyAudio();
}

qint64 DiskAudio::frames() const {
    return m_marker ? m_marker->frames() : 0;
}

bool DiskAudio::waitUntil(qint64 target) const {
    // Real time plus a wide margin for a loaded machine.
    const qint64 needed = std::max<qint64>(0, target - frames());
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(3000 + 3 * needed * 1000 / Rate);
    while (frames() < target) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void DiskAudio::finish() {
    if (!m_output)
        return;
    m_output->removePostMixSource(m_marker.get());
    AudioOutput::shutdown();
    m_output = nullptr;
    QFile f(m_file);
    if (!f.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("The disk driver wrote no file");
        return;
    }
    const QByteArray bytes = f.readAll();
    std::vector<qint16> all(static_cast<size_t>(bytes.size()) / 2);
    memcpy(all.data(), bytes.constData(), all.size() * 2);
    // Frame numbers start at the marker; the mark itself is cleared.
    size_t first = 0;
    while (first < all.size() && all[first] != Marker::Mark)
        first += 2;
    if (first >= all.size()) {
        m_error = QStringLiteral("The start mark is missing from the output");
        return;
    }
    all[first] = 0;
    m_offset = static_cast<qint64>(first / 2);
    m_samples.assign(all.begin() + static_cast<std::ptrdiff_t>(first), all.end());
}

int DiskAudio::peak(qint64 from, qint64 to) const {
    from = std::max<qint64>(0, from);
    to = std::min(to, fileFrames());
    int best = 0;
    for (qint64 i = 2 * from; i < 2 * to; ++i)
        best = std::max(best, std::abs(int(m_samples[size_t(i)])));
    return best;
}

qint64 DiskAudio::firstLoud(qint64 from) const {
    for (qint64 f = std::max<qint64>(0, from); f < fileFrames(); ++f) {
        if (std::abs(int(m_samples[size_t(2 * f)])) > LoudLevel ||
            std::abs(int(m_samples[size_t(2 * f + 1)])) > LoudLevel)
            return f;
    }
    return -1;
}

qint64 DiskAudio::lastLoud(qint64 from, qint64 to) const {
    for (qint64 f = std::min(to, fileFrames()) - 1; f >= std::max<qint64>(0, from); --f) {
        if (std::abs(int(m_samples[size_t(2 * f)])) > LoudLevel ||
            std::abs(int(m_samples[size_t(2 * f + 1)])) > LoudLevel)
            return f;
    }
    return -1;
}

int DiskAudio::weakestWindow(qint64 from, qint64 to, qint64 window) const {
    int weakest = 32768;
    for (qint64 f = from; f + window <= to; f += window)
        weakest = std::min(weakest, peak(f, f + window));
    return weakest;
}

double DiskAudio::toneLevel(qint64 from, qint64 to, double hz) const {
    from = std::max<qint64>(0, from);
    to = std::min(to, fileFrames());
    const qint64 window = ms(100);
    if (to - from < window)
        return singleToneLevel(from, to, hz);
    double sum = 0;
    int count = 0;
    for (qint64 f = from; f + window <= to; f += window, ++count)
        sum += singleToneLevel(f, f + window, hz);
    return sum / count;
}

double DiskAudio::singleToneLevel(qint64 from, qint64 to, double hz) const {
    if (to <= from)
        return 0.0;
    // Correlation with a sine and a cosine, Hann-windowed so that nearby tones stay apart.
    const double pi = std::acos(-1.0);
    const double n = double(to - from);
    double re = 0, im = 0, weight = 0;
    for (qint64 f = from; f < to; ++f) {
        const double w = 0.5 - 0.5 * std::cos(2 * pi * double(f - from) / n);
        const double phase = 2 * pi * hz * double(f) / Rate;
        const double x = m_samples[size_t(2 * f)];
        re += w * x * std::cos(phase);
        im += w * x * std::sin(phase);
        weight += w;
    }
    return 2.0 * std::sqrt(re * re + im * im) / weight;
}

void useNoAudioDevice() {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
}

void useDummyAudio() {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

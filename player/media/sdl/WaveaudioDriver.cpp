// The Waveaudio device: a wave held in memory, played on the single-sound mixer channel.

#include "AudioOutput.h"
#include "SoundDrivers.h"
#include "SoundFiles.h"

#include <SDL_mixer.h>

#include <atomic>

namespace {

constexpr int Channel = AudioOutput::SingleSoundChannel;
constexpr qint64 FrameBytes = 4; // 16-bit stereo

class WaveaudioDriver final : public MediaDriver {
public:
    explicit WaveaudioDriver(Mix_Chunk *chunk) : m_chunk(chunk) {}

    ~WaveaudioDriver() override {
        if (ownsChannel())
            Mix_HaltChannel(Channel); // also drops the byte counter
        freePart();
        Mix_FreeChunk(m_chunk);
    }

    bool play() override {
        if (isPlaying())
            return true;
        if (totalBytes() == 0)
            return true; // nothing to play; the mixer refuses empty chunks
        const qint64 start = position() >= totalBytes() ? 0 : position();
        // The channel is taken whoever holds it; halting first also keeps the mixer from
        // dropping the counter registered below when the channel changes hands.
        Mix_HaltChannel(Channel);
        m_playing = nullptr;
        freePart();
        Mix_Chunk *chunk = m_chunk;
        if (start > 0) {
            // Playing from the middle: a chunk that borrows the tail of the loaded samples.
            m_part =
                Mix_QuickLoad_RAW(m_chunk->abuf + start, static_cast<Uint32>(totalBytes() - start));
            if (!m_part)
                return false;
            chunk = m_part;
        }
        m_start = start;
        m_played.store(0);
        // Registered before the channel starts, so no sample goes uncounted; the mixer drops it
        // when the channel ends or is halted.
        if (!Mix_RegisterEffect(Channel, &WaveaudioDriver::countBytes, nullptr, this))
            return false;
        if (Mix_PlayChannel(Channel, chunk, 0) != Channel) {
            Mix_UnregisterEffect(Channel, &WaveaudioDriver::countBytes);
            m_playing = nullptr;
            return false;
        }
        m_playing = chunk;
        return true;
    }

    void stop() override {
        // Halted first: the halt waits for the buffer being mixed, which still counts.
        haltIfOwned();
        m_start = position();
        m_played.store(0);
    }

    // The mixer's own pause does not wait for the buffer being mixed, so the position would
    // still move after it; stopping keeps it, and play() goes on from there all the same.
    void pause() override { stop(); }

    bool seek(qint64 milliseconds) override {
        if (milliseconds < 0 || milliseconds > lengthMs())
            return false;
        const bool wasPlaying = isPlaying();
        stop();
        m_start = qMin(totalBytes(), milliseconds * AudioOutput::SampleRate / 1000 * FrameBytes);
        return wasPlaying ? play() : true;
    }

    bool isPlaying() const override { return ownsChannel() && Mix_Playing(Channel) != 0; }

    qint64 lengthMs() const override { return bytesToMs(totalBytes()); }
    qint64 positionMs() const override { return bytesToMs(position()); }

private:
    static void countBytes(int, void *, int length, void *self) {
        static_cast<WaveaudioDriver *>(self)->m_played.fetch_add(length);
    }

    static qint64 bytesToMs(qint64 bytes) {
        return bytes / FrameBytes * 1000 / AudioOutput::SampleRate;
    }

    qint64 totalBytes() const { return m_chunk->alen; }
    qint64 position() const { return qMin(totalBytes(), m_start + m_played.load()); }

    // The channel still holds what this device last played (another device may have
    // replaced it since).
    bool ownsChannel() const {
        return m_playing && AudioOutput::current() && Mix_GetChunk(Channel) == m_playing;
    }

    void haltIfOwned() {
        if (ownsChannel())
            Mix_HaltChannel(Channel);
        m_playing = nullptr;
    }

    void freePart() {
        if (m_part) {
            Mix_FreeChunk(m_part); // borrowed samples stay with m_chunk
            m_part = nullptr;
        }
    }

    Mix_Chunk *m_chunk;
    Mix_Chunk *m_part = nullptr;     // m_chunk from m_start on, when not played from the start
    Mix_Chunk *m_playing = nullptr;  // the chunk last started on the channel
    qint64 m_start = 0;              // byte where the last run started
    std::atomic<qint64> m_played{0}; // bytes mixed since then (audio thread)
};

} // namespace

std::unique_ptr<MediaDriver> openWaveaudio(const QString &file, QString *error) {
    QString why;
    std::unique_ptr<MediaDriver> driver;
    const QString path = SoundFiles::localPath(file);
    if (SoundFiles::isWaveFile(path, &why)) {
        if (!AudioOutput::instance()) {
            why = QStringLiteral("No audio device: %1").arg(AudioOutput::lastError());
        } else if (Mix_Chunk *chunk = Mix_LoadWAV(SoundFiles::encoded(path).constData())) {
            driver = std::make_unique<WaveaudioDriver>(chunk);
        } else {
            why = QStringLiteral("Cannot load %1: %2").arg(path, QString::fromUtf8(Mix_GetError()));
        }
    }
    if (!driver && error)
        *error = why;
    return driver;
}

// The Sequencer device: a MIDI file played by FluidSynth's player into a synthesizer that the
// audio thread renders as a post-mix source, so MIDI sounds together with the MP3 music.

#include "AudioOutput.h"
#include "MidiFileInfo.h"
#include "SoundDrivers.h"
#include "SoundFiles.h"

#include <fluidsynth.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <vector>

namespace {

const char *const SoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/soundfonts/default.sf2",
};

// The synthesizer's own default (0.2) leaves General MIDI songs far quieter than waves and MP3.
constexpr double Gain = 0.5;
constexpr int RenderFrames = 1024;
// Release tails still sounding this long after a stop or the end are cut.
constexpr qint64 MaxReleaseFrames = AudioOutput::SampleRate;

class SequencerDriver final : public MediaDriver, public PostMixSource {
public:
    SequencerDriver(const QByteArray &data, const MidiFileInfo &info)
        : m_data(data), m_info(info), m_buffer(2 * RenderFrames) {}

    ~SequencerDriver() override {
        // Once removed, the audio thread never calls mixInto again.
        if (m_output && AudioOutput::current() == m_output)
            m_output->removePostMixSource(this);
        if (m_player)
            delete_fluid_player(m_player);
        if (m_synth)
            delete_fluid_synth(m_synth);
        if (m_settings)
            delete_fluid_settings(m_settings);
    }

    bool init(AudioOutput *output, QString *error) {
        m_settings = new_fluid_settings();
        if (!m_settings) {
            *error = QStringLiteral("The synthesizer cannot be created");
            return false;
        }
        fluid_settings_setnum(m_settings, "synth.sample-rate", AudioOutput::SampleRate);
        fluid_settings_setnum(m_settings, "synth.gain", Gain);
        // The player follows the samples rendered, not the wall clock.
        fluid_settings_setstr(m_settings, "player.timing-source", "sample");
        m_synth = new_fluid_synth(m_settings);
        if (!m_synth) {
            *error = QStringLiteral("The synthesizer cannot be created");
            return false;
        }
        bool loaded = false;
        // A game that brings its own soundfont (a portable folder) has it beside the player.
        QStringList fonts{QCoreApplication::applicationDirPath() +
                          QStringLiteral("/soundfont.sf2")};
        for (const char *font : SoundFonts)
            fonts.append(QString::fromLatin1(font));
        for (const QString &font : fonts) {
            if (QFileInfo(font).isFile() &&
                fluid_synth_sfload(m_synth, QFile::encodeName(font).constData(), 1) !=
                    FLUID_FAILED) {
                loaded = true;
                break;
            }
        }
        if (!loaded) {
            *error = QStringLiteral("No General MIDI soundfont was found");
            return false;
        }
        m_output = output;
        m_output->addPostMixSource(this);
        return true;
    }

    bool play() override {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_playing)
            return true;
        const qint64 from = m_position >= m_info.totalTicks() ? 0 : m_position;
        return startLocked(from);
    }

    void stop() override {
        std::lock_guard<std::mutex> lock(m_mutex);
        haltLocked();
    }

    // A sequence keeps its position when stopped, so pausing is stopping.
    void pause() override { stop(); }

    bool seek(qint64 milliseconds) override {
        if (milliseconds < 0 || milliseconds > lengthMs())
            return false;
        std::lock_guard<std::mutex> lock(m_mutex);
        const bool wasPlaying = m_playing;
        haltLocked();
        const qint64 tick =
            std::clamp<qint64>(m_info.msToTicks(double(milliseconds)), 0, m_info.totalTicks());
        m_position = tick;
        // At the very end, play() starts again from the beginning.
        if (wasPlaying && tick < m_info.totalTicks())
            return startLocked(tick);
        return true;
    }

    bool isPlaying() const override {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_playing || m_endTail;
    }

    qint64 lengthMs() const override { return std::llround(m_info.lengthMs()); }

    qint64 positionMs() const override {
        std::lock_guard<std::mutex> lock(m_mutex);
        return std::llround(m_info.ticksToMs(tickLocked()));
    }

    bool isMusic() const override { return true; }

    void mixInto(qint16 *stereo, int frames) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_playing && fluid_synth_get_active_voice_count(m_synth) == 0) {
            m_endTail = false;
            m_releaseFrames = -1;
            return;
        }
        for (int done = 0; done < frames;) {
            const int n = std::min(frames - done, RenderFrames);
            fluid_synth_write_s16(m_synth, n, m_buffer.data(), 0, 2, m_buffer.data(), 1, 2);
            qint16 *out = stereo + 2 * done;
            for (int i = 0; i < 2 * n; ++i)
                out[i] = static_cast<qint16>(
                    std::clamp(int(out[i]) + int(m_buffer[size_t(i)]), -32768, 32767));
            done += n;
        }

        // The player itself reports the end seconds late: the end is the last tick.
        if (m_playing && (tickLocked() >= m_info.totalTicks() ||
                          fluid_player_get_status(m_player) == FLUID_PLAYER_DONE)) {
            haltLocked();
            m_position = m_info.totalTicks();
            m_endTail = true;
        }
        if (m_releaseFrames >= 0) {
            m_releaseFrames += frames;
            if (fluid_synth_get_active_voice_count(m_synth) == 0) {
                m_releaseFrames = -1;
                m_endTail = false;
            } else if (m_releaseFrames >= MaxReleaseFrames) {
                // Held by a pedal or a sound that never decays.
                fluid_synth_all_sounds_off(m_synth, -1);
                m_releaseFrames = -1;
                m_endTail = false;
            }
        }
    }

private:
    // A fresh player for each run: the synthesizer's player cannot seek back onto notes that
    // start exactly at the seek tick, and it does not restart a finished file.
    bool startLocked(qint64 tick) {
        if (m_player) {
            delete_fluid_player(m_player);
            m_player = nullptr;
        }
        fluid_synth_system_reset(m_synth);
        m_player = new_fluid_player(m_synth);
        if (!m_player ||
            fluid_player_add_mem(m_player, m_data.constData(), size_t(m_data.size())) != FLUID_OK)
            return false;
        // Seeking to one tick before makes the events of `tick` itself play.
        if (tick > 0)
            fluid_player_seek(m_player, int(tick - 1));
        if (fluid_player_play(m_player) != FLUID_OK)
            return false;
        m_startTick = tick;
        m_position = tick;
        m_playing = true;
        m_endTail = false;
        m_releaseFrames = -1;
        return true;
    }

    // Stops the player where it is and lets the notes sounding fade out.
    void haltLocked() {
        if (m_playing) {
            m_position = tickLocked();
            m_playing = false;
            fluid_player_stop(m_player);
            fluid_synth_all_notes_off(m_synth, -1);
            m_releaseFrames = 0;
        }
        m_endTail = false;
    }

    qint64 tickLocked() const {
        if (!m_playing)
            return m_position;
        const qint64 tick = std::max<qint64>(m_startTick, fluid_player_get_current_tick(m_player));
        return std::min(tick, m_info.totalTicks());
    }

    const QByteArray m_data;
    const MidiFileInfo m_info;
    AudioOutput *m_output = nullptr;
    fluid_settings_t *m_settings = nullptr;
    fluid_synth_t *m_synth = nullptr;
    fluid_player_t *m_player = nullptr;

    // Guards everything below and the synthesizer, which the audio thread renders.
    mutable std::mutex m_mutex;
    bool m_playing = false;
    bool m_endTail = false;      // the end was reached and its last notes still sound
    qint64 m_releaseFrames = -1; // frames since notes were released, -1 when none are
    qint64 m_startTick = 0;      // where the current run started
    qint64 m_position = 0;       // the tick, while not playing
    std::vector<qint16> m_buffer;
};

} // namespace

std::unique_ptr<MediaDriver> openSequencer(const QString &file, QString *error) {
    QString why;
    const QString path = SoundFiles::localPath(file);
    auto fail = [&](const QString &message) {
        if (error)
            *error = message;
        return std::unique_ptr<MediaDriver>();
    };
    if (!SoundFiles::isReadable(path, &why))
        return fail(why);
    QFile f(path);
    if (f.size() > MidiFileInfo::MaxFileBytes)
        return fail(QStringLiteral("The MIDI file is too large: %1").arg(path));
    if (!f.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("File cannot be read: %1").arg(path));
    const QByteArray data = f.readAll();
    MidiFileInfo info;
    if (!info.read(data))
        return fail(QStringLiteral("%1: %2").arg(path, info.errorString()));
    AudioOutput *output = AudioOutput::instance();
    if (!output)
        return fail(QStringLiteral("No audio device: %1").arg(AudioOutput::lastError()));
    auto driver = std::make_unique<SequencerDriver>(data, info);
    if (!driver->init(output, &why))
        return fail(why);
    return driver;
}

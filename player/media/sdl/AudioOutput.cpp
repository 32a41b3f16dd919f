#include "AudioOutput.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdlib>
#include <atomic>
#include <memory>

namespace {
std::mutex g_openMutex;
std::unique_ptr<AudioOutput> g_output;
std::atomic<AudioOutput *> g_current{nullptr};
QString g_error;
std::atomic<int> g_musicVolume{100};
std::atomic<int> g_soundVolume{100};

// Adds `from` at `percent` to `to`, saturating.
void addScaled(qint16 *to, const qint16 *from, int samples, int percent) {
    for (int i = 0; i < samples; ++i) {
        const int v = to[i] + from[i] * percent / 100;
        to[i] = static_cast<qint16>(std::clamp(v, -32768, 32767));
    }
}
} // namespace

AudioOutput *AudioOutput::instance() {
    std::lock_guard<std::mutex> lock(g_openMutex);
    if (g_output)
        return g_output.get();
    // Made before the audio thread starts, which then reads it.
    std::unique_ptr<AudioOutput> output(new AudioOutput());
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        g_error = QString::fromUtf8(SDL_GetError());
        return nullptr;
    }
    Mix_Init(MIX_INIT_MP3);
    // No format change allowed: SDL converts for the hardware, so every source can mix at
    // SampleRate in 16-bit stereo whatever the device really runs at.
    if (Mix_OpenAudioDevice(SampleRate, AUDIO_S16SYS, 2, BufferFrames, nullptr, 0) != 0) {
        g_error = QString::fromUtf8(Mix_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    Mix_AllocateChannels(ChannelCount);
    applyMixerVolumes();
    Mix_SetPostMix(&AudioOutput::postMix, output.get());
    g_output = std::move(output);
    g_current.store(g_output.get());
    // The audio thread must stop before the object goes away at the end of the program.
    static bool closesAtExit = false;
    if (!closesAtExit) {
        closesAtExit = true;
        std::atexit(&AudioOutput::shutdown);
    }
    return g_output.get();
}

AudioOutput *AudioOutput::current() {
    return g_current.load();
}

QString AudioOutput::lastError() {
    std::lock_guard<std::mutex> lock(g_openMutex);
    return g_error;
}

void AudioOutput::shutdown() {
    std::lock_guard<std::mutex> lock(g_openMutex);
    if (!g_output)
        return;
    g_current.store(nullptr);
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    g_output.reset();
}

void AudioOutput::addPostMixSource(PostMixSource *source) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sources.push_back(source);
}

void AudioOutput::removePostMixSource(PostMixSource *source) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sources.erase(std::remove(m_sources.begin(), m_sources.end(), source), m_sources.end());
}

void AudioOutput::setVolumes(int musicPercent, int soundPercent) {
    g_musicVolume = std::clamp(musicPercent, 0, 100);
    g_soundVolume = std::clamp(soundPercent, 0, 100);
    std::lock_guard<std::mutex> lock(g_openMutex);
    if (g_output)
        applyMixerVolumes();
}

void AudioOutput::applyMixerVolumes() {
    // Channels are summed and saturate: at full volume they still play at half, so that eight
    // loud waves do not clip.
    Mix_Volume(-1, MIX_MAX_VOLUME / 2 * g_soundVolume / 100);
    Mix_VolumeMusic(MIX_MAX_VOLUME * g_musicVolume / 100);
}

void AudioOutput::postMix(void *self, unsigned char *stream, int bytes) {
    auto *out = static_cast<AudioOutput *>(self);
    std::lock_guard<std::mutex> lock(out->m_mutex);
    const int frames = bytes / 4;
    auto *samples = reinterpret_cast<qint16 *>(stream);
    for (PostMixSource *s : out->m_sources) {
        const int percent = s->isMusic() ? g_musicVolume.load() : g_soundVolume.load();
        if (percent >= 100) {
            s->mixInto(samples, frames);
            continue;
        }
        // Mixed on its own first, then added at its volume.
        out->m_scratch.assign(static_cast<size_t>(frames) * 2, 0);
        s->mixInto(out->m_scratch.data(), frames);
        addScaled(samples, out->m_scratch.data(), frames * 2, percent);
    }
}

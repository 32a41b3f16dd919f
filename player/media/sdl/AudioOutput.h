#pragma once

#include <QString>

#include <mutex>
#include <vector>

// Something mixed into the output after the wave channels and the music: the MIDI synthesizer,
// the sound track of a video. mixInto runs on the audio thread and adds its samples; the device
// is locked meanwhile, so it must not call the mixer nor wait for a thread that may be calling it.
class PostMixSource {
public:
    virtual ~PostMixSource() = default;
    // `stereo` holds `frames` interleaved 16-bit stereo frames at AudioOutput::SampleRate.
    virtual void mixInto(qint16 *stereo, int frames) = 0;
    // Music follows the music volume, everything else the sound volume.
    virtual bool isMusic() const { return false; }
};

// The one audio device of the program, opened on first use and shared by every kind of sound:
// channels 0 to 7 are the wave mixer's, channel 8 the single sound's, the music stream plays
// MP3, and post-mix sources add MIDI and video sound.
class AudioOutput {
public:
    static constexpr int SampleRate = 44100;
    static constexpr int BufferFrames = 512;
    static constexpr int SingleSoundChannel = 8;
    static constexpr int ChannelCount = 9;

    // Opens the device when it is not open yet; null when there is no audio device. Safe to call
    // from any thread (the MP3 worker opens it too).
    static AudioOutput *instance();
    // The open device, or null; never opens it. Sources that outlive a shutdown check it before
    // removing themselves.
    static AudioOutput *current();
    static QString lastError();
    // Closes the device (end of program, tests).
    static void shutdown();

    void addPostMixSource(PostMixSource *source);
    void removePostMixSource(PostMixSource *source);

    // The player's volumes in percent: music (the MP3 stream and music post-mix sources) and
    // sounds (the channels and the other sources). Kept for a device opened later.
    static void setVolumes(int musicPercent, int soundPercent);

private:
    AudioOutput() = default;
    static void postMix(void *self, unsigned char *stream, int bytes);
    static void applyMixerVolumes();

    std::mutex m_mutex;
    std::vector<PostMixSource *> m_sources;
    std::vector<qint16> m_scratch; // audio thread
};

#pragma once

#include "Mp3Library.h"

#include <functional>
#include <memory>
#include <mutex>

class SoundPlugin;

// The MP3 library of the sound library, made on the first mp3gettime or mp3play (on the MP3
// worker), so that a program loads the library only once a game plays MP3 music. Without the
// library those calls fail with 1, as for a file that cannot be opened; mp3stop never loads it.
class PluginMp3 : public Mp3Library {
public:
    // `sound` loads the sound library; null when it cannot be loaded.
    explicit PluginMp3(std::function<SoundPlugin *()> sound);
    ~PluginMp3() override;

    int mp3gettime(const Mp3Request &request, qint32 &totalMilliseconds, qint32 &second) override;
    int mp3play(const Mp3Request &request) override;
    void mp3stop() override;

private:
    Mp3Library *library(bool load);

    std::function<SoundPlugin *()> m_sound;
    std::mutex m_mutex;
    std::unique_ptr<Mp3Library> m_library; // once made, kept until the end
};

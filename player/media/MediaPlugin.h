#pragma once

#include "MediaDriver.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class Mp3Library;
class WaveMixLibrary;

// The two back-end libraries a program loads on first use, so that one that never plays sound
// or video never loads SDL_mixer, FluidSynth or FFmpeg: libqmsound.so (wave channels, single
// sounds, MP3 and MIDI music) and libqmvideo.so (video, which needs the sound library for its
// sound track). Each exports one C function, named below, that returns its object; the object
// lives until the program ends. Both are built with the program by the same compiler.

// The sound back end over SDL_mixer and FluidSynth.
class SoundPlugin {
public:
    virtual ~SoundPlugin() = default;
    // A fresh wave mixer and MP3 library for one back end; they play through the one audio
    // output of the program.
    virtual std::unique_ptr<WaveMixLibrary> createWaveMix() = 0;
    virtual std::unique_ptr<Mp3Library> createMp3() = 0;
    // Null, with *error filled, when the file cannot be played or there is no audio device.
    virtual std::unique_ptr<MediaDriver> openWaveaudio(const QString &file, QString *error) = 0;
    virtual std::unique_ptr<MediaDriver> openSequencer(const QString &file, QString *error) = 0;
    // Music and sound volumes in percent (0 to 100).
    virtual void setVolumes(int musicPercent, int soundPercent) = 0;
};

// The video back end over FFmpeg.
class VideoPlugin {
public:
    virtual ~VideoPlugin() = default;
    // Plays inside the window with native id `parentWindow` (0: no window). Null, with *error
    // filled, when the file cannot be played.
    virtual std::unique_ptr<MediaDriver> openAviVideo(const QString &file, quintptr parentWindow,
                                                      QString *error) = 0;
};

// The entry points. The number changes whenever the classes above change, so that a library
// left from another build is refused instead of called.
#define QM_SOUND_PLUGIN_ENTRY "qmSoundPlugin1"
#define QM_VIDEO_PLUGIN_ENTRY "qmVideoPlugin1"
#define QM_SOUND_PLUGIN_FILE "libqmsound.so"
#define QM_VIDEO_PLUGIN_FILE "libqmvideo.so"

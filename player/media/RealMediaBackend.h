#pragma once

#include "MediaBackend.h"

#include <memory>

// Sound through SDL_mixer and FluidSynth, video through FFmpeg.
std::unique_ptr<MediaBackend> createRealMediaBackend(const MediaClock *clock);

#pragma once

#include "MediaBackend.h"

#include <memory>

// Sound through SDL_mixer and FluidSynth, video through FFmpeg, each from its back-end library
// loaded on first use (MediaPlugins).
std::unique_ptr<MediaBackend> createRealMediaBackend(const MediaClock *clock);

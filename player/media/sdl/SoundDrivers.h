#pragma once

#include "MediaDriver.h"

#include <QString>

#include <memory>

// The sound devices of the command-string layer. Both play through the program's audio output
// and return null, with *error filled, when the file is missing, unreadable or not of the kind
// the device plays, or when there is no audio device.

// One wave file on the single-sound channel. Opening another wave device and playing it cuts
// this one off, as there is one such channel.
std::unique_ptr<MediaDriver> openWaveaudio(const QString &file, QString *error);

// A standard MIDI file played by the General MIDI synthesizer, mixed with everything else
// (MP3 music included). seek() keeps the device playing or stopped as it was.
std::unique_ptr<MediaDriver> openSequencer(const QString &file, QString *error);

#pragma once

#include <QString>
#include <QStringList>

// The demo's pictures, sounds, music and videos, made with the command-line tools.
namespace DemoMedia {

// Runs a tool; false (with its error output on stderr) when it fails.
bool run(const QString &program, const QStringList &arguments);
// A small format-0 MIDI file playing `notes` (MIDI note numbers) one after another.
bool writeMidi(const QString &path, const QList<int> &notes, int ticksPerNote);
// Turns an icon made by ImageMagick into a true cursor with its hot spot at (x, y).
bool makeCursor(const QString &path, int hotX, int hotY);

} // namespace DemoMedia

#pragma once

#include <QString>
#include <QStringList>

class SoundPlugin;
class VideoPlugin;

// Finds and loads the back-end libraries (see MediaPlugin.h) the first time they are asked
// for; they stay loaded until the program ends. Safe to call from any thread (the MP3 worker
// may be the first to need sound).
namespace MediaPlugins {

// Null, with *error saying why (missing, refused, wrong build), when the library cannot be
// loaded; the answer is kept, so a missing library is looked for once.
SoundPlugin *sound(QString *error = nullptr);
// Loading video loads sound too: the sound track plays through the same output.
VideoPlugin *video(QString *error = nullptr);

// The folders looked in, in order: the folder named by QM_MEDIA_PLUGIN_PATH alone when it is
// set; otherwise lib/ beside the program, then the build's own library folder.
QStringList searchPath();

} // namespace MediaPlugins

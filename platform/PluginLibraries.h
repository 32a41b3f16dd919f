#pragma once

#include <QString>
#include <QStringList>

// Finds and loads the program's own plug-in libraries: the sound, video and metafile back ends
// in lib/ beside the program. What they link (SDL, FFmpeg, the metafile converters) is then
// loaded only when a program first needs it, not at its start.
namespace PluginLibraries {

// The folders looked in, in order: the folder named by QM_MEDIA_PLUGIN_PATH alone when it is
// set; otherwise lib/ beside the program, then the build's own library folder.
QStringList searchPath();

// Loads `file` from the first folder of searchPath() that holds it and returns its function
// `entry`. Null when the library is missing, cannot be loaded or lacks the function, with
// *error saying which, naming the library as `what` ("sound library"). Not synchronised:
// callers that may race keep their own lock and ask once.
void *entry(const char *file, const char *entry, const QString &what, QString *error);

} // namespace PluginLibraries

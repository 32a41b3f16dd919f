#pragma once

#include <QByteArray>
#include <QString>

// File checks shared by the wave mixer, the MP3 player and the sound devices: a name as the
// players give it becomes a local path, and a file is looked at before a decoder gets it, so a
// wrong or broken file fails with a message instead of reaching the decoder.
namespace SoundFiles {

// A name in the file system's 8-bit encoding (QFile::encodeName), as the wave-mixer and MP3
// calls receive it.
QString fromEncodedName(const QByteArray &name);

// The path to open: the name as given when it exists; else, off Windows, the name with its
// backslashes read as separators (names written by the old editors).
QString localPath(const QString &name);

// The path in the file system's encoding, for the C libraries.
QByteArray encoded(const QString &path);

// True when the file exists, can be read and starts like a RIFF WAVE file.
bool isWaveFile(const QString &path, QString *error);

// True when the file exists and can be read; otherwise fills *error.
bool isReadable(const QString &path, QString *error);

} // namespace SoundFiles

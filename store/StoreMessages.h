#pragma once

#include "Status.h"

class RecordReader;

// Messages shared by several file formats.
namespace StoreMessages {

// A file that could not be read: its path and what went wrong. The Part that reads the file
// decides what the user sees; this text serves tools and logs. An empty path stands for a name
// that leads out of the project.
Status unreadable(const QString &path, const RecordReader &reader);
Status unreadable(const QString &path, const QString &reason);

// "Unable to access project files. The project folder may be Read-Only."
Status projectFilesReadOnly();

} // namespace StoreMessages

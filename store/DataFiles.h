#pragma once

#include "FileOperation.h"

#include <QString>
#include <QStringList>

// The media files of a project: pictures, music and videos in Frames/, sounds in Areas/.
class DataFiles : public FileOperation {
public:
    // The file names in `folder` whose extension is one of `extensions` (".mid", any letter
    // case), sorted without regard to case.
    static QStringList list(const QString &folder, const QStringList &extensions);

    // Copies a file into `folder` under its own name; a file of that name already there is
    // kept (it is usually the same file). `fileName` receives the name.
    bool copyInto(const QString &folder, const QString &sourcePath, QString &fileName);
    // Deletes `fileName` from `folder`: "Unable to remove '<name>'." on failure.
    bool remove(const QString &folder, const QString &fileName);
};

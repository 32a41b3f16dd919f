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
    // Renames `from` to `to` in `folder`. Refused when `to` is not a file name or a file of that
    // name (in any letter case, other than `from` itself) is there: "Cannot rename '<from>': A
    // file with the name you specified already exists. Specify a different name." (title "Error
    // Renaming File"); a failed rename: "Unable to rename from '<from>' to '<to>'." (title
    // "Error Renaming Icon").
    bool rename(const QString &folder, const QString &from, const QString &to);
};

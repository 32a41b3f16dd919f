#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The shared libraries programs and plugins load, as this system's loader finds them.
struct SharedLibraries {
    QMap<QString, QString> found; // soname -> the file the loader takes
    QStringList missing;          // sonames the loader cannot find

    // Every library `files` need, directly or through other libraries (ldd). False with `error`
    // set when ldd cannot be run on one of them.
    bool resolve(const QStringList &files, QString *error);
    // `found` less the base system libraries (BaseSystemLibraries): what a portable game brings.
    QMap<QString, QString> toBundle() const;
};

// Reads ldd's output into `found` and `missing`.
void parseLddOutput(const QString &output, SharedLibraries &into);

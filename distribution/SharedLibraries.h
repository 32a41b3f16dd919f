#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// The shared libraries programs and plugins load, as this system's loader finds them.
struct SharedLibraries {
    QMap<QString, QString> found; // soname -> the file the loader takes
    QStringList missing;          // sonames the loader cannot find
    // Found sonames that only base system libraries ask for: the system that has those has
    // these too.
    QSet<QString> onlyForTheBase;

    // Every library `files` need, directly or through other libraries (ldd), and what each asks
    // for by name (readelf). False with `error` set when ldd or readelf cannot be run on one.
    bool resolve(const QStringList &files, QString *error);
    // Fills `onlyForTheBase`: the found sonames that cannot be reached from `asked` (what the
    // files themselves ask for) without passing through a base system library (one with a
    // fallback copy in lib/fallback/ is passed through: it may be the one loaded). `needs` maps a
    // soname to the sonames it asks for.
    void noteWhatOnlyTheBaseNeeds(const QStringList &asked,
                                  const QMap<QString, QStringList> &needs);
    // `found` less the base system libraries (BaseSystemLibraries) and less what only they
    // need: what a portable game brings.
    QMap<QString, QString> toBundle() const;
};

// Reads ldd's output into `found` and `missing`.
void parseLddOutput(const QString &output, SharedLibraries &into);
// The sonames in the NEEDED entries of `readelf -d` output, in order.
QStringList parseNeeded(const QString &readelfOutput);

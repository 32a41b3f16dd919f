#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// Listings of folders shared by every look-up of one operation (a load, a check, a dump, a
// write batch), so that a name missing as written costs a hash look-up instead of a listing of
// its folder. An operation opens a Scope; while one is open on a thread, the store's look-ups on
// that thread list each folder once (nested scopes share the outermost one). Files the writer
// puts in place join their folder's listing; other changes to a folder made inside a scope
// must call forget().
namespace FolderListings {

// A name compared and hashed without regard to case (no folded copy is made).
struct NameWithoutCase {
    QString name;
    bool operator==(const NameWithoutCase &o) const {
        return name.compare(o.name, Qt::CaseInsensitive) == 0;
    }
};
size_t qHash(const NameWithoutCase &key, size_t seed = 0) noexcept;

// One folder as it was listed: every entry except "." and "..", sorted without regard to case.
struct Listing {
    QStringList entries;
    QStringList files;                          // entries that are not folders (links followed)
    QHash<NameWithoutCase, QStringList> byName; // entries of each name, any letter case
    QSet<QString> links;                        // entries that are symbolic links
    QSet<QString> folders;                      // entries that are folders, links left out
    QSet<QString> regular;                      // entries that are regular files, links left out

    // The entries named `name` in any letter case, in listing order; empty when none.
    QStringList variants(const QString &name) const { return byName.value({name}); }
};

class Scope {
public:
    Scope();
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;
};

// True while a scope is open on this thread.
bool active();

// The listing of `folder` (any spelling of a folder path, with or without a trailing separator)
// for the open scope, made on first use; null when no scope is open. An unreadable or missing
// folder lists as empty.
const Listing *listing(const QString &folder);

// The open scope's listing of `folder` when one was made already; null otherwise (never lists).
const Listing *madeListing(const QString &folder);

// What the open scope's listing of `folder` says of the entry named exactly `name`: Unknown when
// no scope is open.
enum class Entry { Unknown, Missing, Plain, Link };
Entry entry(const QString &folder, const QString &name);

// Whether `path` exists (links followed): from the open scope's listing of its folder when one
// was made and it tells, else from the file system.
bool exists(const QString &path);
// True when a listing of its folder the open scope made already shows `path` as a regular file,
// not a link; false when there is none or it shows anything else.
bool isRegularFile(const QString &path);
// Whether `path` is a file (links followed), as QFileInfo::isFile() answers: from a listing of
// its folder the open scope made already when that tells, else from the file system.
bool isFile(const QString &path);

// The writer put a file at `path` in place: it joins its folder's listing, if there is one.
void added(const QString &path);
// Something in `folder` changed other than through the writer: its listing is made again.
void forget(const QString &folder);
// Forgets every listing of the open scope.
void forgetAll();

// True the first time it is called for `folder` in the open scope (or, with no scope open, in
// the process): the writer then looks for its leftover temporaries there.
bool firstWriteIn(const QString &folder);

} // namespace FolderListings

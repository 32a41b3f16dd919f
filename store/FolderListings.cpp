#include "FolderListings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <vector>

namespace {

struct ScopeData {
    // By cleaned folder path; held by pointer so that a listing in use stays where it is while
    // others are added.
    QHash<QString, std::shared_ptr<FolderListings::Listing>> listings;
    // The folder asked for last, as it was spelled, and its listing.
    QString lastFolder;
    FolderListings::Listing *lastListing = nullptr;
    QSet<QString> written; // folders the writer has visited
};

thread_local ScopeData *t_scope = nullptr;
thread_local int t_depth = 0;

// Folders visited by writes made outside any scope: leftovers are only left behind when a
// process dies, so once per folder and process is enough there.
QMutex processMutex;
QSet<QString> processWritten;

// The folder's path without a trailing separator; only paths with "." or ".." components or
// doubled separators need the costlier cleaning.
QString key(const QString &folder) {
    QString k = QDir::fromNativeSeparators(folder);
    if (k.contains(QLatin1String("//")) || k.contains(QLatin1String("/.")) ||
        k.startsWith(QLatin1Char('.')))
        return QDir::cleanPath(k);
    if (k.size() > 1 && k.endsWith(QLatin1Char('/')))
        k.chop(1);
    return k;
}

bool lessWithoutCase(const QString &a, const QString &b) {
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

void insertSorted(QStringList &list, const QString &name) {
    list.insert(std::lower_bound(list.begin(), list.end(), name, lessWithoutCase), name);
}

FolderListings::Listing list(const QString &folder) {
    FolderListings::Listing l;
    struct Scanned {
        QString name;
        bool isFolder; // links to folders included
    };
    std::vector<Scanned> scanned;
    const QByteArray encoded = QFile::encodeName(folder);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return l;
    const int dirFd = ::dirfd(dir);
    while (const struct dirent *e = ::readdir(dir)) {
        const char *n = e->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        bool isFolder = e->d_type == DT_DIR;
        bool isLink = e->d_type == DT_LNK;
        bool isRegular = e->d_type == DT_REG;
        if (e->d_type == DT_UNKNOWN) {
            struct stat st {};
            isLink = ::fstatat(dirFd, n, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode);
            isFolder = S_ISDIR(st.st_mode);
            isRegular = S_ISREG(st.st_mode);
        }
        if (isLink) {
            struct stat st {};
            isFolder = ::fstatat(dirFd, n, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        const QString name = QFile::decodeName(n);
        if (isLink)
            l.links.insert(name);
        else if (isFolder)
            l.folders.insert(name);
        else if (isRegular)
            l.regular.insert(name);
        scanned.push_back({name, isFolder});
    }
    ::closedir(dir);
    // One sort for all three views: the files keep the entries' order.
    std::sort(scanned.begin(), scanned.end(),
              [](const Scanned &a, const Scanned &b) { return lessWithoutCase(a.name, b.name); });
    l.entries.reserve(qsizetype(scanned.size()));
    l.byName.reserve(qsizetype(scanned.size()));
    for (const Scanned &e : scanned) {
        l.entries.append(e.name);
        if (!e.isFolder)
            l.files.append(e.name);
        l.byName[{e.name}].append(e.name);
    }
    return l;
}

} // namespace

namespace FolderListings {

size_t qHash(const NameWithoutCase &key, size_t seed) noexcept {
    // Letters are folded one by one; most names are plain ASCII.
    size_t h = seed;
    for (const QChar c : key.name) {
        const char16_t u = c.unicode();
        if (QChar::isSurrogate(u))
            continue; // compared folded as whole code points: left out of the hash
        const char16_t folded =
            u < 0x80 ? (u >= 'A' && u <= 'Z' ? u + 32 : u) : QChar::toCaseFolded(u);
        h = h * 31 + folded;
    }
    return h;
}

Scope::Scope() {
    if (t_depth++ == 0)
        t_scope = new ScopeData;
}

Scope::~Scope() {
    if (--t_depth == 0) {
        delete t_scope;
        t_scope = nullptr;
    }
}

bool active() {
    return t_scope != nullptr;
}

const Listing *madeListing(const QString &folder) {
    if (!t_scope)
        return nullptr;
    if (t_scope->lastListing && folder == t_scope->lastFolder)
        return t_scope->lastListing;
    const auto it = t_scope->listings.constFind(key(folder));
    if (it == t_scope->listings.constEnd())
        return nullptr;
    t_scope->lastFolder = folder;
    t_scope->lastListing = it.value().get();
    return t_scope->lastListing;
}

const Listing *listing(const QString &folder) {
    if (!t_scope)
        return nullptr;
    if (const Listing *made = madeListing(folder))
        return made;
    const QString k = key(folder);
    const auto it = t_scope->listings.insert(k, std::make_shared<Listing>(list(k)));
    t_scope->lastFolder = folder;
    t_scope->lastListing = it.value().get();
    return t_scope->lastListing;
}

Entry entry(const QString &folder, const QString &name) {
    const Listing *l = listing(folder);
    if (!l)
        return Entry::Unknown;
    if (l->links.contains(name))
        return Entry::Link;
    return l->variants(name).contains(name) ? Entry::Plain : Entry::Missing;
}

namespace {

// The listing of the folder of `path` the open scope made already, and the entry's name; null
// without one: a look-up of one name is not worth listing a crowded folder for.
const Listing *listingOf(const QString &path, QString &name) {
    if (!t_scope)
        return nullptr;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0 || slash + 1 == path.size())
        return nullptr;
    name = path.mid(slash + 1);
    return madeListing(path.left(slash + 1));
}

} // namespace

bool exists(const QString &path) {
    QString name;
    if (const Listing *l = listingOf(path, name)) {
        if (l->regular.contains(name) || l->folders.contains(name))
            return true;
        if (!l->links.contains(name) && !l->variants(name).contains(name))
            return false;
    }
    return QFileInfo::exists(path);
}

bool isRegularFile(const QString &path) {
    QString name;
    const Listing *l = listingOf(path, name);
    return l && l->regular.contains(name);
}

bool isFile(const QString &path) {
    QString name;
    if (const Listing *l = listingOf(path, name)) {
        if (l->regular.contains(name))
            return true;
        if (l->folders.contains(name) || !l->variants(name).contains(name))
            return false;
    }
    return QFileInfo(path).isFile();
}

void added(const QString &path) {
    if (!t_scope)
        return;
    const QString p = key(path);
    const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return;
    auto it = t_scope->listings.find(p.left(qMax<qsizetype>(slash, 1)));
    if (it == t_scope->listings.end())
        return;
    const QString name = p.mid(slash + 1);
    Listing &l = *it.value();
    l.links.remove(name); // a link at the name is replaced, never followed
    l.regular.insert(name);
    QStringList &same = l.byName[{name}];
    if (same.contains(name))
        return;
    insertSorted(same, name);
    insertSorted(l.entries, name);
    insertSorted(l.files, name);
}

void forget(const QString &folder) {
    if (!t_scope)
        return;
    t_scope->lastListing = nullptr;
    t_scope->listings.remove(key(folder));
}

void forgetAll() {
    if (!t_scope)
        return;
    t_scope->lastListing = nullptr;
    t_scope->listings.clear();
}

bool firstWriteIn(const QString &folder) {
    const QString k = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (t_scope) {
        if (t_scope->written.contains(k))
            return false;
        t_scope->written.insert(k);
        return true;
    }
    QMutexLocker lock(&processMutex);
    if (processWritten.contains(k))
        return false;
    processWritten.insert(k);
    return true;
}

} // namespace FolderListings

#include "WriteJournal.h"

#include "FileAccess.h"
#include "WriteBatch.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <vector>

#include <sys/stat.h>

namespace {

// The recordings open on this thread, innermost last; each is the outermost of its journal's.
thread_local std::vector<WriteJournal::Recording *> t_open;

// True when `path` is one of `roots` or lies inside one: looked up by its folders, so a step
// that touches thousands of files stays linear.
bool underAny(QString path, const std::set<QString> &roots) {
    if (roots.empty())
        return false;
    for (;;) {
        if (roots.count(path))
            return true;
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            return false;
        if (slash == 0)
            return roots.count(QStringLiteral("/")) > 0;
        path.truncate(slash);
    }
}

// Reads one entry into `into`; false when a regular file could not be read.
bool keepEntry(const QString &path, QMap<QString, WriteJournal::Entry> &into) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return true;
    if (S_ISDIR(st.st_mode)) {
        into.insert(path, WriteJournal::Entry{true, QByteArray()});
        return true;
    }
    // Links, pipes and devices are not the project's data; the writer's temporaries are gone
    // once a change ends.
    if (!S_ISREG(st.st_mode) || FileAccess::isWriterTemporary(QFileInfo(path).fileName()))
        return true;
    WriteJournal::Entry e;
    if (!FileAccess::readFile(path, FileAccess::kMaxMediaFileSize, e.bytes))
        return false;
    into.insert(path, e);
    return true;
}

// Everything `root` holds (itself included), except what lies under `skip`.
bool keepTree(const QString &root, const std::set<QString> &skip,
              QMap<QString, WriteJournal::Entry> &into) {
    bool ok = underAny(root, skip) || keepEntry(root, into);
    if (!into.value(root).folder)
        return ok;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!underAny(path, skip))
            ok = keepEntry(path, into) && ok;
    }
    return ok;
}

} // namespace

WriteJournal::Recording::Recording(WriteJournal &journal, QString text)
    : m_journal(journal), m_text(std::move(text)) {
    if (t_open.empty() || &t_open.back()->m_journal != &journal) {
        t_open.push_back(this);
        m_outermost = true;
    }
}

WriteJournal::Recording::~Recording() {
    finish();
}

bool WriteJournal::Recording::finish() {
    std::optional<Step> step = take();
    if (!step)
        return false;
    m_journal.add(std::move(*step));
    return true;
}

std::optional<WriteJournal::Step> WriteJournal::Recording::take() {
    if (m_finished || !m_outermost)
        return std::nullopt;
    m_finished = true;
    t_open.erase(std::remove(t_open.begin(), t_open.end(), this), t_open.end());
    if (m_incomplete) {
        // Earlier steps may depend on files this one changed without keeping them.
        m_journal.clear();
        return std::nullopt;
    }
    QMap<QString, Entry> after;
    for (const QString &root : m_roots)
        keepTree(root, {}, after);
    QStringList paths = m_before.keys() + after.keys();
    paths.sort();
    paths.removeDuplicates();
    Step step{m_text, {}};
    for (const QString &path : std::as_const(paths)) {
        Change c{path, std::nullopt, std::nullopt};
        if (m_before.contains(path))
            c.before = m_before.value(path);
        if (after.contains(path))
            c.after = after.value(path);
        if (c.before != c.after)
            step.changes.append(c);
    }
    if (step.changes.isEmpty())
        return std::nullopt;
    return step;
}

void WriteJournal::touching(const QString &path) {
    if (t_open.empty() || path.isEmpty())
        return;
    Recording *r = t_open.back();
    const QString clean = QDir::cleanPath(path);
    if (underAny(clean, r->m_roots))
        return;
    // A folder touched after something in it: what was kept first stays.
    if (!keepTree(clean, r->m_roots, r->m_before))
        r->m_incomplete = true;
    // The roots inside it sort from "<clean>/" up to "<clean>0" ('0' follows '/').
    r->m_roots.erase(r->m_roots.lower_bound(clean + QLatin1Char('/')),
                     r->m_roots.lower_bound(clean + QLatin1Char('0')));
    r->m_roots.insert(clean);
}

void WriteJournal::add(Step step) {
    m_steps.resize(m_index);
    m_steps.append(std::move(step));
    if (m_steps.size() > kMaxSteps)
        m_steps.removeFirst();
    m_index = m_steps.size();
}

void WriteJournal::clear() {
    m_steps.clear();
    m_index = 0;
    m_error.clear();
}

bool WriteJournal::undo() {
    return canUndo() && move(false);
}

bool WriteJournal::redo() {
    return canRedo() && move(true);
}

bool WriteJournal::move(bool forward) {
    WriteBatch batch;
    if (!writeBack(m_steps[forward ? m_index : m_index - 1].changes, forward, batch)) {
        m_error = batch.errorString();
        return false;
    }
    m_error.clear();
    m_index += forward ? 1 : -1;
    return true;
}

bool WriteJournal::writeBack(const QList<Change> &changes, bool forward, WriteBatch &batch) {
    std::set<QString> removedFolders;
    // Changes are in path order: a folder comes before what it holds.
    for (const Change &c : changes) {
        const std::optional<Entry> &target = forward ? c.after : c.before;
        const std::optional<Entry> &other = forward ? c.before : c.after;
        if (target && target->folder) {
            batch.makeFolder(c.path);
        } else if (target) {
            batch.write(c.path, target->bytes);
        } else if (!underAny(c.path, removedFolders)) {
            batch.remove(c.path);
            if (other && other->folder)
                removedFolders.insert(c.path);
        }
    }
    return batch.commit();
}

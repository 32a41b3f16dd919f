#include "WriteJournal.h"

#include "FileAccess.h"
#include "WriteBatch.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

struct Open {
    WriteJournal::Recording *recording = nullptr;
    bool incomplete = false; // a touched file could not be read: the step cannot be undone
};
thread_local Open t_open;

bool isUnder(const QString &path, const QString &root) {
    return path == root || path.startsWith(root + QLatin1Char('/'));
}

bool underAny(const QString &path, const QStringList &roots) {
    for (const QString &root : roots) {
        if (isUnder(path, root))
            return true;
    }
    return false;
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
bool keepTree(const QString &root, const QStringList &skip,
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
    if (!t_open.recording) {
        t_open = Open{this, false};
        m_outermost = true;
    }
}

WriteJournal::Recording::~Recording() {
    finish();
}

bool WriteJournal::Recording::finish() {
    if (m_finished || !m_outermost)
        return false;
    m_finished = true;
    const bool incomplete = t_open.incomplete;
    t_open = Open{};
    if (incomplete) {
        // Earlier steps may depend on files this one changed without keeping them.
        m_journal.clear();
        return false;
    }
    QMap<QString, Entry> after;
    for (const QString &root : std::as_const(m_roots))
        keepTree(root, QStringList(), after);
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
        return false;
    m_journal.add(std::move(step));
    return true;
}

void WriteJournal::touching(const QString &path) {
    Recording *r = t_open.recording;
    if (!r || path.isEmpty())
        return;
    const QString clean = QDir::cleanPath(path);
    if (underAny(clean, r->m_roots))
        return;
    // A folder touched after something in it: what was kept first stays.
    if (!keepTree(clean, r->m_roots, r->m_before))
        t_open.incomplete = true;
    QStringList roots;
    for (const QString &root : std::as_const(r->m_roots)) {
        if (!isUnder(root, clean))
            roots.append(root);
    }
    roots.append(clean);
    r->m_roots = roots;
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
    const Step &step = m_steps[forward ? m_index : m_index - 1];
    WriteBatch batch;
    QStringList removedFolders;
    // Changes are in path order: a folder comes before what it holds.
    for (const Change &c : step.changes) {
        const std::optional<Entry> &target = forward ? c.after : c.before;
        const std::optional<Entry> &other = forward ? c.before : c.after;
        if (target && target->folder) {
            batch.makeFolder(c.path);
        } else if (target) {
            batch.write(c.path, target->bytes);
        } else if (!underAny(c.path, removedFolders)) {
            batch.remove(c.path);
            if (other && other->folder)
                removedFolders.append(c.path);
        }
    }
    if (!batch.commit()) {
        m_error = batch.errorString();
        return false;
    }
    m_error.clear();
    m_index += forward ? 1 : -1;
    return true;
}

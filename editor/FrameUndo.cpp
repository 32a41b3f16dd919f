#include "FrameUndo.h"

#include "FileAccess.h"
#include "FrameFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

// FrameUndo writes the files before it moves the stack: moving is all a command does.
class FileChangesCommand : public QUndoCommand {
public:
    FileChangesCommand(const QString &text, QList<FileChange> changes, QString mergeKey = QString())
        : QUndoCommand(text), m_changes(std::move(changes)), m_mergeKey(std::move(mergeKey)) {}

    const QList<FileChange> &changes() const { return m_changes; }
    void undo() override {}
    void redo() override {}
    int id() const override { return m_mergeKey.isEmpty() ? -1 : 1; }
    // The files as they were before this step and as they are after `other`.
    bool mergeWith(const QUndoCommand *other) override {
        const auto *next = dynamic_cast<const FileChangesCommand *>(other);
        if (!next || next->m_mergeKey != m_mergeKey)
            return false;
        QMap<QString, FileChange> byPath;
        for (const FileChange &c : std::as_const(m_changes))
            byPath.insert(c.path, c);
        for (const FileChange &c : next->m_changes) {
            auto it = byPath.find(c.path);
            if (it == byPath.end()) {
                byPath.insert(c.path, c);
                continue;
            }
            it->existsAfter = c.existsAfter;
            it->after = c.after;
        }
        m_changes.clear();
        for (const FileChange &c : std::as_const(byPath)) {
            if (c.existedBefore != c.existsAfter || c.before != c.after)
                m_changes.append(c);
        }
        setObsolete(m_changes.isEmpty());
        return true;
    }

private:
    QList<FileChange> m_changes;
    QString m_mergeKey;
};

// Removals first: on a full disk they make room for the writes.
QList<FileChange> removalsFirst(const QList<FileChange> &changes, bool forward) {
    QList<FileChange> out;
    for (const FileChange &c : changes) {
        if (forward ? c.existsAfter : c.existedBefore)
            out.append(c);
        else
            out.prepend(c);
    }
    return out;
}

// The bytes of those of `paths` that are regular files and can be read, as the whole-frame
// capture takes them.
QMap<QString, QByteArray> readFiles(const QStringList &paths) {
    QMap<QString, QByteArray> out;
    for (const QString &path : paths) {
        QByteArray bytes;
        if (QFileInfo(path).isFile() &&
            FileAccess::readFile(path, FileAccess::kMaxRecordFileSize, bytes))
            out.insert(path, bytes);
    }
    return out;
}

QString areaFolder(const ProjectPaths &paths, const QString &frame) {
    return frame.isEmpty() ? QString()
                           : FrameFiles(paths, SoundMode::MultiChannel).areaFolder(frame);
}

} // namespace

FrameUndo::FrameUndo(QObject *parent) : QObject(parent), m_stack(new QUndoStack(this)) {}

FrameUndo::~FrameUndo() = default;

void FrameUndo::open(const ProjectPaths &paths, const QString &frame) {
    keep();
    if (paths.root() != m_paths.root())
        m_kept.clear();
    m_paths = paths;
    restore(frame);
}

void FrameUndo::close() {
    keep();
    restore(QString());
}

void FrameUndo::forget(const QString &frame) {
    m_kept.remove(frame);
    if (frame == m_frame)
        m_stack->clear();
}

void FrameUndo::forgetAll() {
    m_kept.clear();
    m_stack->clear();
}

void FrameUndo::keep() {
    if (m_frame.isEmpty())
        return;
    Kept kept;
    for (int i = 0; i < m_stack->count(); ++i) {
        const auto *c = dynamic_cast<const FileChangesCommand *>(m_stack->command(i));
        if (c)
            kept.steps.append({c->text(), c->changes()});
    }
    kept.index = m_stack->index();
    if (kept.steps.isEmpty())
        m_kept.remove(m_frame);
    else
        m_kept.insert(m_frame, kept);
}

void FrameUndo::restore(const QString &frame) {
    m_stack->clear();
    m_frame = frame;
    m_depth = 0;
    m_failed = false;
    m_before.reset();
    if (frame.isEmpty() || !m_kept.contains(frame))
        return;
    const Kept kept = m_kept.take(frame);
    // Pushing and moving the index run the commands, which write nothing.
    for (const auto &step : kept.steps)
        m_stack->push(new FileChangesCommand(step.first, step.second));
    m_stack->setIndex(kept.index);
}

void FrameUndo::begin(const QStringList &only) {
    if (m_depth++ > 0 || m_frame.isEmpty())
        return;
    Before before;
    before.only = only;
    if (only.isEmpty())
        before.whole = FrameFileState::capture(m_paths, m_frame);
    else
        before.files = readFiles(only);
    m_before = std::move(before);
    m_failed = false;
    const QString folder = areaFolder(m_paths, m_frame);
    m_folderExisted = !folder.isEmpty() && QFileInfo(folder).isDir();
}

QList<FileChange> FrameUndo::changesSince(const Before &before) const {
    if (before.only.isEmpty())
        return before.whole.changesTo(FrameFileState::capture(m_paths, m_frame));
    const QMap<QString, QByteArray> now = readFiles(before.only);
    QList<FileChange> out;
    for (const QString &path : before.only) {
        FileChange c;
        c.path = path;
        c.existedBefore = before.files.contains(path);
        c.before = before.files.value(path);
        c.existsAfter = now.contains(path);
        c.after = now.value(path);
        if (c.existedBefore != c.existsAfter || c.before != c.after)
            out.append(c);
    }
    return out;
}

bool FrameUndo::commit(const QString &text, bool failed, const QString &mergeKey) {
    if (m_depth == 0)
        return false;
    m_failed = m_failed || failed;
    if (--m_depth > 0 || !m_before)
        return false;
    const Before before = *m_before;
    m_before.reset();
    QList<FileChange> changes = changesSince(before);
    if (m_failed) {
        m_failed = false;
        putBack(changes);
        // What could not be put back stays recorded: the history and the files agree.
        changes = changesSince(before);
        if (abandoned)
            abandoned();
    }
    if (changes.isEmpty())
        return false;
    m_stack->push(new FileChangesCommand(text, std::move(changes), mergeKey));
    return true;
}

void FrameUndo::putBack(const QList<FileChange> &changes) {
    const Status s = FrameFileState::apply(removalsFirst(changes, false), false);
    // A folder made for the change's files goes with them.
    const QString folder = areaFolder(m_paths, m_frame);
    if (!m_folderExisted && !folder.isEmpty())
        QDir().rmdir(folder);
    if (!s.ok() && failed)
        failed(s);
}

bool FrameUndo::undo() {
    return move(false);
}

bool FrameUndo::redo() {
    return move(true);
}

bool FrameUndo::move(bool forward) {
    const int index = m_stack->index() - (forward ? 0 : 1);
    const auto *command = dynamic_cast<const FileChangesCommand *>(m_stack->command(index));
    if (!command)
        return false;
    QList<FileChange> written;
    Status s;
    for (const FileChange &c : removalsFirst(command->changes(), forward)) {
        s = FrameFileState::apply({c}, forward);
        if (!s.ok())
            break;
        written.append(c);
    }
    if (s.ok()) {
        if (forward)
            m_stack->redo();
        else
            m_stack->undo();
        if (restored)
            restored();
        return true;
    }
    FrameFileState::apply(written, !forward);
    if (failed)
        failed(s);
    if (abandoned)
        abandoned();
    return false;
}

#include "FrameUndo.h"

#include "StoreMessages.h"
#include "WriteBatch.h"

#include <QMap>
#include <QUndoCommand>
#include <QUndoStack>

namespace {

using Change = WriteJournal::Change;

// FrameUndo writes the files before it moves the stack: moving is all a command does.
class FileChangesCommand : public QUndoCommand {
public:
    FileChangesCommand(const QString &text, QList<Change> changes, QString mergeKey = QString())
        : QUndoCommand(text), m_changes(std::move(changes)), m_mergeKey(std::move(mergeKey)) {}

    const QList<Change> &changes() const { return m_changes; }
    void undo() override {}
    void redo() override {}
    int id() const override { return m_mergeKey.isEmpty() ? -1 : 1; }
    // The files as they were before this step and as they are after `other`, in path order.
    bool mergeWith(const QUndoCommand *other) override {
        const auto *next = dynamic_cast<const FileChangesCommand *>(other);
        if (!next || next->m_mergeKey != m_mergeKey)
            return false;
        QMap<QString, Change> byPath;
        for (const Change &c : std::as_const(m_changes))
            byPath.insert(c.path, c);
        for (const Change &c : next->m_changes) {
            auto it = byPath.find(c.path);
            if (it == byPath.end())
                byPath.insert(c.path, c);
            else
                it->after = c.after;
        }
        m_changes.clear();
        for (const Change &c : std::as_const(byPath)) {
            if (c.before != c.after)
                m_changes.append(c);
        }
        setObsolete(m_changes.isEmpty());
        return true;
    }

private:
    QList<Change> m_changes;
    QString m_mergeKey;
};

Status writeFailure(const WriteBatch &batch) {
    return StoreMessages::projectFilesReadOnly().withDetail(batch.reason());
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
    endRecording();
    m_depth = 0;
    m_failed = false;
    if (frame.isEmpty() || !m_kept.contains(frame))
        return;
    const Kept kept = m_kept.take(frame);
    // Pushing and moving the index run the commands, which write nothing.
    for (const auto &step : kept.steps)
        m_stack->push(new FileChangesCommand(step.first, step.second));
    m_stack->setIndex(kept.index);
}

void FrameUndo::begin() {
    if (m_depth++ > 0 || m_frame.isEmpty())
        return;
    m_failed = false;
    m_recording.emplace(m_journal, QString());
}

void FrameUndo::endRecording() {
    if (m_recording)
        m_recording->take();
    m_recording.reset();
}

bool FrameUndo::commit(const QString &text, bool failed, const QString &mergeKey) {
    if (m_depth == 0)
        return false;
    m_failed = m_failed || failed;
    if (--m_depth > 0 || !m_recording)
        return false;
    std::optional<WriteJournal::Step> step = m_recording->take();
    m_recording.reset();
    if (m_failed) {
        m_failed = false;
        WriteBatch batch;
        if (step && WriteJournal::writeBack(step->changes, false, batch))
            step.reset();
        else if (step && this->failed)
            this->failed(writeFailure(batch));
        // What could not be put back stays recorded: the history and the files agree.
        if (abandoned)
            abandoned();
    }
    if (!step)
        return false;
    m_stack->push(new FileChangesCommand(text, std::move(step->changes), mergeKey));
    return true;
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
    WriteBatch batch;
    if (WriteJournal::writeBack(command->changes(), forward, batch)) {
        if (forward)
            m_stack->redo();
        else
            m_stack->undo();
        if (restored)
            restored();
        return true;
    }
    if (failed)
        failed(writeFailure(batch));
    if (abandoned)
        abandoned();
    return false;
}

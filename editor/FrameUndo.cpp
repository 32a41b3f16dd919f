#include "FrameUndo.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {

class FileChangesCommand : public QUndoCommand {
public:
    FileChangesCommand(const QString &text, QList<FileChange> changes, FrameUndo &owner)
        : QUndoCommand(text), m_changes(std::move(changes)), m_owner(owner) {}

    void undo() override { put(false); }
    void redo() override {
        // The change itself already wrote the files when it was pushed.
        if (m_pushed)
            put(true);
        m_pushed = true;
    }

private:
    void put(bool forward) {
        const Status s = FrameFileState::apply(m_changes, forward);
        if (!s.ok() && m_owner.failed)
            m_owner.failed(s);
        if (m_owner.restored)
            m_owner.restored();
    }

    QList<FileChange> m_changes;
    FrameUndo &m_owner;
    bool m_pushed = false;
};

} // namespace

FrameUndo::FrameUndo(QObject *parent) : QObject(parent), m_stack(new QUndoStack(this)) {}

FrameUndo::~FrameUndo() {
    // Commands refer to this object: they go first.
    m_stack->clear();
}

void FrameUndo::reset(const ProjectPaths &paths, const QString &frame) {
    m_stack->clear();
    m_paths = paths;
    m_frame = frame;
    m_depth = 0;
    m_before.reset();
}

void FrameUndo::begin() {
    if (m_depth++ == 0 && !m_frame.isEmpty())
        m_before = FrameFileState::capture(m_paths, m_frame);
}

bool FrameUndo::commit(const QString &text) {
    if (m_depth == 0 || --m_depth > 0 || !m_before)
        return false;
    const FrameFileState before = *m_before;
    m_before.reset();
    QList<FileChange> changes = before.changesTo(FrameFileState::capture(m_paths, m_frame));
    if (changes.isEmpty())
        return false;
    m_stack->push(new FileChangesCommand(text, std::move(changes), *this));
    return true;
}

#pragma once

#include "FrameFileState.h"
#include "ProjectPaths.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QUndoStack;

// The undo history of the frame open on the canvas. Each change is recorded as the files it
// touched, before and after (FrameFileState); undo and redo write them back through the store
// and then let the canvas redraw. A change whose files could not all be written is put back
// instead of recorded. The history ends when the frame is closed.
class FrameUndo : public QObject {
    Q_OBJECT
public:
    explicit FrameUndo(QObject *parent = nullptr);
    ~FrameUndo() override;

    // The steps and their texts. Move through the history with undo() and redo() only: the
    // stack's own undo and redo move its index without writing a file.
    QUndoStack *stack() const { return m_stack; }

    // A new history for `frame` of the project at `paths`; an empty frame ends it.
    void reset(const ProjectPaths &paths, const QString &frame);

    // Takes the files as they are before a change. Calls nest: only the outermost pair records.
    void begin();
    // Takes the files again and records what changed under `text` ("Move Area"...). A change
    // that left every file as it was records nothing. With `failed` (at any depth) the files are
    // put back as they were at begin() instead, and `abandoned` is called. False when nothing
    // was recorded.
    bool commit(const QString &text, bool failed = false);

    // Writes the files of the step before (undo) or after (redo) the current one back and moves
    // there. All or nothing: when one file cannot be written, those already written go back,
    // the history stays where it was and `failed` is called. False then.
    bool undo();
    bool redo();

    // Called after an undo or a redo wrote the files back (the canvas redraws).
    std::function<void()> restored;
    // Called after a failed change was put back (the canvas shows the files as they are).
    std::function<void()> abandoned;
    // Called when a file could not be written back.
    std::function<void(const Status &)> failed;

private:
    bool move(bool forward);
    void putBack(const QList<FileChange> &changes);

    QUndoStack *m_stack;
    ProjectPaths m_paths;
    QString m_frame;
    int m_depth = 0;
    bool m_failed = false;
    bool m_folderExisted = false;
    std::optional<FrameFileState> m_before;
};

// Records one change for as long as it lives; a change marked failed is put back instead.
class FrameUndoStep {
public:
    FrameUndoStep(FrameUndo &undo, QString text) : m_undo(undo), m_text(std::move(text)) {
        m_undo.begin();
    }
    ~FrameUndoStep() { m_undo.commit(m_text, m_failed); }
    FrameUndoStep(const FrameUndoStep &) = delete;
    FrameUndoStep &operator=(const FrameUndoStep &) = delete;

    // A file of the change could not be written: every file goes back as it was and nothing is
    // recorded.
    void fail() { m_failed = true; }

private:
    FrameUndo &m_undo;
    QString m_text;
    bool m_failed = false;
};

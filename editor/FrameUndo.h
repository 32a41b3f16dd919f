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
// and then let the canvas redraw. The history ends when the frame is closed.
class FrameUndo : public QObject {
    Q_OBJECT
public:
    explicit FrameUndo(QObject *parent = nullptr);
    ~FrameUndo() override;

    QUndoStack *stack() const { return m_stack; }

    // A new history for `frame` of the project at `paths`; an empty frame ends it.
    void reset(const ProjectPaths &paths, const QString &frame);

    // Takes the files as they are before a change. Calls nest: only the outermost pair records.
    void begin();
    // Takes the files again and records what changed under `text` ("Move Area"...). A change
    // that left every file as it was records nothing. False when nothing was recorded.
    bool commit(const QString &text);

    // Called after an undo or a redo wrote the files back (the canvas redraws).
    std::function<void()> restored;
    // Called when a file could not be written back.
    std::function<void(const Status &)> failed;

private:
    QUndoStack *m_stack;
    ProjectPaths m_paths;
    QString m_frame;
    int m_depth = 0;
    std::optional<FrameFileState> m_before;
};

// Records one change for as long as it lives.
class FrameUndoStep {
public:
    FrameUndoStep(FrameUndo &undo, QString text) : m_undo(undo), m_text(std::move(text)) {
        m_undo.begin();
    }
    ~FrameUndoStep() { m_undo.commit(m_text); }
    FrameUndoStep(const FrameUndoStep &) = delete;
    FrameUndoStep &operator=(const FrameUndoStep &) = delete;

private:
    FrameUndo &m_undo;
    QString m_text;
};

#pragma once

#include "ProjectPaths.h"
#include "Status.h"
#include "WriteJournal.h"

#include <QHash>
#include <QObject>
#include <QPair>
#include <QString>

#include <functional>
#include <optional>

class QUndoStack;

// The undo histories of the frames edited on the canvas, one per frame, kept for the whole
// editing session: leaving a frame and opening it again finds its history where it was. Each
// change is recorded through its own WriteJournal as the files the store wrote or removed,
// before and after, so a step costs what its files cost however crowded the frame; undo and
// redo write them back through one WriteBatch and then let the canvas redraw. A change whose
// files could not all be written is put back instead of recorded. A frame's history is dropped when
// its files are moved or replaced by a change to the project's structure (forget()), and every
// history when the project closes.
class FrameUndo : public QObject {
    Q_OBJECT
public:
    explicit FrameUndo(QObject *parent = nullptr);
    ~FrameUndo() override;

    // The steps and their texts. Move through the history with undo() and redo() only: the
    // stack's own undo and redo move its index without writing a file.
    QUndoStack *stack() const { return m_stack; }

    // The history of `frame` of the project at `paths` becomes the one shown and added to: the
    // one it had when it was last left, or a new one. Another project drops every history.
    void open(const ProjectPaths &paths, const QString &frame);
    // No frame open: the stack is empty, the frame's history is kept.
    void close();
    // Drops the history of `frame` (exact name), also when it is open.
    void forget(const QString &frame);
    // Drops every history (the project closed).
    void forgetAll();

    // Starts recording a change: from here the store's writers keep each file as it was the
    // first time they change it. Calls nest: only the outermost pair records.
    void begin();
    // Records what the change wrote under `text` ("Move Area"...). A change that left every file
    // as it was records nothing. With `failed` (at any depth) the files are put back as they
    // were at begin() instead and `abandoned` is called; when they cannot be put back, `failed`
    // is called and the change is recorded, so that the history and the files agree. A change
    // with a `mergeKey` joins the step on top of the history when that step has the same key (a
    // run of arrow-key moves is one step; a run that brings every file back drops it). False
    // when nothing was recorded.
    bool commit(const QString &text, bool failed = false, const QString &mergeKey = QString());

    // Writes the files of the step before (undo) or after (redo) the current one back and moves
    // there. All or nothing: when one file cannot be written, no file changes, the history stays
    // where it was and `failed` is called. False then.
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
    // The open frame's history into m_kept, and back onto the stack.
    void keep();
    void restore(const QString &frame);
    void endRecording();

    QUndoStack *m_stack;
    ProjectPaths m_paths;
    QString m_frame;
    int m_depth = 0;
    bool m_failed = false;
    // Only records: each step is taken from it into the stack. Its own, so that a change of the
    // project's structure made during a canvas change stays in the project's history.
    WriteJournal m_journal;
    std::optional<WriteJournal::Recording> m_recording;
    struct Kept {
        QList<QPair<QString, QList<WriteJournal::Change>>> steps; // text and files of each change
        int index = 0;
    };
    QHash<QString, Kept> m_kept;
};

// Records one change for as long as it lives; a change marked failed is put back instead.
class FrameUndoStep {
public:
    // `mergeKey`: see FrameUndo::commit().
    FrameUndoStep(FrameUndo &undo, QString text, QString mergeKey = QString())
        : m_undo(undo), m_text(std::move(text)), m_mergeKey(std::move(mergeKey)) {
        m_undo.begin();
    }
    ~FrameUndoStep() { m_undo.commit(m_text, m_failed, m_mergeKey); }
    FrameUndoStep(const FrameUndoStep &) = delete;
    FrameUndoStep &operator=(const FrameUndoStep &) = delete;

    // A file of the change could not be written: every file goes back as it was and nothing is
    // recorded.
    void fail() { m_failed = true; }

private:
    FrameUndo &m_undo;
    QString m_text;
    QString m_mergeKey;
    bool m_failed = false;
};

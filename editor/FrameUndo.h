#pragma once

#include "FrameFileState.h"
#include "ProjectPaths.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QUndoStack;

// The undo histories of the frames edited on the canvas, one per frame, kept for the whole
// editing session: leaving a frame and opening it again finds its history where it was. Each
// change is recorded as the files it touched, before and after (FrameFileState); undo and redo
// write them back through the store and then let the canvas redraw. A change whose files could
// not all be written is put back instead of recorded. A frame's history is dropped when its files
// are moved or replaced by a change to the project's structure (forget()), and every history when
// the project closes.
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

    // Takes the files as they are before a change. Calls nest: only the outermost pair records.
    // With `only`, just those files are taken and recorded: for a change known to touch no
    // other file (an area moved), which on a crowded frame costs far less than every file.
    void begin(const QStringList &only = QStringList());
    // Takes the files again and records what changed under `text` ("Move Area"...). A change
    // that left every file as it was records nothing. With `failed` (at any depth) the files are
    // put back as they were at begin() instead, and `abandoned` is called. A change with a
    // `mergeKey` joins the step on top of the history when that step has the same key (a run
    // of arrow-key moves is one step; a run that brings every file back drops it). False when
    // nothing was recorded.
    bool commit(const QString &text, bool failed = false, const QString &mergeKey = QString());

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
    // The open frame's history into m_kept, and back onto the stack.
    void keep();
    void restore(const QString &frame);
    void putBack(const QList<FileChange> &changes);
    // The files as they are before a change: every file of the frame, or those `only` names.
    struct Before {
        FrameFileState whole;
        QStringList only;
        QMap<QString, QByteArray> files; // of `only`, those that exist
    };
    QList<FileChange> changesSince(const Before &before) const;

    QUndoStack *m_stack;
    ProjectPaths m_paths;
    QString m_frame;
    int m_depth = 0;
    bool m_failed = false;
    bool m_folderExisted = false;
    std::optional<Before> m_before;
    struct Kept {
        QList<QPair<QString, QList<FileChange>>> steps; // text and files of each change
        int index = 0;
    };
    QHash<QString, Kept> m_kept;
};

// Records one change for as long as it lives; a change marked failed is put back instead.
class FrameUndoStep {
public:
    // `only` and `mergeKey`: see FrameUndo::begin() and commit().
    FrameUndoStep(FrameUndo &undo, QString text, const QStringList &only = QStringList(),
                  QString mergeKey = QString())
        : m_undo(undo), m_text(std::move(text)), m_mergeKey(std::move(mergeKey)) {
        m_undo.begin(only);
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

#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>
#include <set>

class WriteBatch;

// A history of changes to a project's files, each step undone and redone as a whole.
//
// A step is recorded while a Recording lives: the store's writers (FileAccess, WriteBatch and
// the file steps of FileOperation) tell the journal about every path they are about to change
// through touching(), and the first time a path is touched the journal keeps what it holds
// (a file's bytes, or a folder with everything in it, or that nothing is there). When the
// recording ends, the same paths are read again and the step keeps each entry that differs.
// Undo writes the earlier contents back and redo the later ones, through one WriteBatch: all or
// nothing. Links and other entries that are not regular files or folders are not kept.
class WriteJournal {
public:
    // What one path held: a folder, or a regular file with its bytes.
    struct Entry {
        bool folder = false;
        QByteArray bytes;
        bool operator==(const Entry &o) const { return folder == o.folder && bytes == o.bytes; }
        bool operator!=(const Entry &o) const { return !(*this == o); }
    };
    // One path changed by a step; no value where nothing was there.
    struct Change {
        QString path;
        std::optional<Entry> before;
        std::optional<Entry> after;
    };
    struct Step {
        QString text;
        QList<Change> changes;
    };

    // Records one step named `text` ("Rename Frame") for as long as it lives. While a recording
    // of the same journal is open on this thread, another one only adds to it. A recording of
    // another journal opened inside it takes every change made until it ends: each history
    // keeps its own changes and none is kept by two.
    class Recording {
    public:
        Recording(WriteJournal &journal, QString text);
        ~Recording();
        Recording(const Recording &) = delete;
        Recording &operator=(const Recording &) = delete;

        // Ends the recording: a step is added when any touched path changed (the steps after
        // the current position are dropped). True when a step was added. Called by the
        // destructor when not called before.
        bool finish();
        // Ends the recording as finish() does but hands the step to the caller instead of adding
        // it. No value when nothing changed, when this recording only adds to another, or when a
        // touched file could not be read (the journal is then emptied, as by finish()).
        std::optional<Step> take();

    private:
        friend class WriteJournal;
        WriteJournal &m_journal;
        QString m_text;
        bool m_outermost = false;
        bool m_finished = false;
        bool m_incomplete = false; // a touched file could not be read: the step cannot be undone
        std::set<QString> m_roots; // the paths touched; nothing under one is touched again
        QMap<QString, Entry> m_before;
    };

    // `path` (a file or a folder) is about to change: the innermost recording open on this
    // thread, if any, keeps what it holds now unless it was touched before. Does nothing
    // otherwise.
    static void touching(const QString &path);

    // Most steps kept; the oldest goes first.
    static constexpr int kMaxSteps = 100;

    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < m_steps.size(); }
    // The step undo() (redo()) would move over; null when there is none.
    const Step *stepToUndo() const { return canUndo() ? &m_steps[m_index - 1] : nullptr; }
    const Step *stepToRedo() const { return canRedo() ? &m_steps[m_index] : nullptr; }
    int index() const { return static_cast<int>(m_index); }
    int count() const { return static_cast<int>(m_steps.size()); }

    // Puts every path of the step before the current position back as it was before it (undo)
    // or as the step left it (redo), and moves over it. All or nothing: false when a file could
    // not be written, and then no file and not the position has changed; errorString() says
    // which file and why.
    bool undo();
    bool redo();
    // "<path>: <reason>" after a failed undo or redo.
    const QString &errorString() const { return m_error; }

    // Puts every path of `changes` (in path order, as a step holds them) as it was before them
    // (`forward` false) or as they left it, through `batch`. All or nothing: false when a file
    // could not be written, and then nothing has changed; the batch says which file and why.
    static bool writeBack(const QList<Change> &changes, bool forward, WriteBatch &batch);

    void clear();

private:
    bool move(bool forward);
    void add(Step step);

    QList<Step> m_steps;
    qsizetype m_index = 0;
    QString m_error;
};

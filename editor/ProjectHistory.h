#pragma once

#include "ProjectPaths.h"
#include "WriteJournal.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QWidget;

// The editor's history of the project's structure: frames renamed, duplicated, removed and
// made, items made, renamed and removed, item events made and removed. One per editor, shared by
// the frames list, the items window, the item dialogs and the Edit menu; it belongs to the
// project open and is emptied when another one opens or the project closes.
class ProjectHistory : public QObject {
    Q_OBJECT
public:
    static ProjectHistory &instance();

    // Runs `operation` (the store calls only, no question) as one step named `text` ("Rename
    // Frame") of the project at `paths`, and returns what it returned. Every file it changed is
    // kept as it was; a step that changed nothing is not recorded.
    bool record(const ProjectPaths &paths, const QString &text,
                const std::function<bool()> &operation);

    // Undo and redo of the step beside the current position, all or nothing. A failure is
    // shown to the author over `parent` ("Unable to access project files..." with the file and
    // the system's reason) and the history stays where it was. False then, or when there is no
    // step.
    bool undo(QWidget *parent);
    bool redo(QWidget *parent);

    // "Undo Rename Frame", or "Undo" when there is nothing to undo; the same for redo.
    QString undoText() const;
    QString redoText() const;
    bool canUndo() const { return m_journal.canUndo(); }
    bool canRedo() const { return m_journal.canRedo(); }

    // Empties the history (a project closed or another opened).
    void clear();

    // Undo and redo for the window `window`, following the history's texts and state, shown
    // over it when they fail. With `shortcuts` they answer Ctrl+Z (undo), Ctrl+Shift+Z and
    // Ctrl+Y (redo) while the window is active. The actions belong to `window`.
    static QList<QAction *> addActions(QWidget *window, bool shortcuts = true);

signals:
    // The history moved, grew or was emptied.
    void changed();
    // A step was made, undone or redone: the files of these frames (names as in the project)
    // changed under the windows that show them.
    void framesChanged(const QStringList &frames);
    // An undo or a redo wrote files back: the windows list them again.
    void restored();

private:
    ProjectHistory() = default;
    bool move(QWidget *parent, bool forward);
    QStringList framesOf(const WriteJournal::Step &step) const;

    WriteJournal m_journal;
    ProjectPaths m_paths;
};

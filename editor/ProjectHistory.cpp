#include "ProjectHistory.h"

#include "EditorMessages.h"
#include "StoreMessages.h"

#include <QAction>
#include <QDir>
#include <QWidget>

ProjectHistory &ProjectHistory::instance() {
    static ProjectHistory *history = new ProjectHistory;
    return *history;
}

bool ProjectHistory::record(const ProjectPaths &paths, const QString &text,
                            const std::function<bool()> &operation) {
    if (paths.root() != m_paths.root()) {
        clear();
        m_paths = paths;
    }
    WriteJournal::Recording step(m_journal, text);
    const bool done = operation();
    const bool recorded = step.finish();
    if (recorded)
        emit framesChanged(framesOf(*m_journal.stepToUndo()));
    emit changed();
    return done;
}

bool ProjectHistory::undo(QWidget *parent) {
    return move(parent, false);
}

bool ProjectHistory::redo(QWidget *parent) {
    return move(parent, true);
}

bool ProjectHistory::move(QWidget *parent, bool forward) {
    const WriteJournal::Step *step = forward ? m_journal.stepToRedo() : m_journal.stepToUndo();
    if (!step)
        return false;
    const QStringList frames = framesOf(*step);
    if (!(forward ? m_journal.redo() : m_journal.undo())) {
        EditorMessages::show(
            parent, StoreMessages::projectFilesReadOnly().withDetail(m_journal.errorString()));
        return false;
    }
    emit framesChanged(frames);
    emit restored();
    emit changed();
    return true;
}

QString ProjectHistory::undoText() const {
    const WriteJournal::Step *step = m_journal.stepToUndo();
    return step ? QStringLiteral("Undo ") + step->text : QStringLiteral("Undo");
}

QString ProjectHistory::redoText() const {
    const WriteJournal::Step *step = m_journal.stepToRedo();
    return step ? QStringLiteral("Redo ") + step->text : QStringLiteral("Redo");
}

void ProjectHistory::clear() {
    m_journal.clear();
    m_paths = ProjectPaths();
    emit changed();
}

QStringList ProjectHistory::framesOf(const WriteJournal::Step &step) const {
    // A frame's files: Frames/<frame>.fme, .chn, .lks and everything in Areas/<frame>/.
    const QString frames = QDir::cleanPath(m_paths.FramesPath()) + QLatin1Char('/');
    const QString areas = QDir::cleanPath(m_paths.AreasPath()) + QLatin1Char('/');
    QStringList out;
    for (const WriteJournal::Change &c : step.changes) {
        QString frame;
        if (c.path.startsWith(frames)) {
            const QString name = c.path.mid(frames.size());
            for (const char *ext : {".fme", ".chn", ".lks"}) {
                if (name.endsWith(QLatin1String(ext), Qt::CaseInsensitive))
                    frame = name.chopped(4);
            }
        } else if (c.path.startsWith(areas)) {
            const QString rest = c.path.mid(areas.size());
            const bool folder = (c.before && c.before->folder) || (c.after && c.after->folder);
            if (rest.contains(QLatin1Char('/')) || folder)
                frame = rest.section(QLatin1Char('/'), 0, 0);
        }
        if (!frame.isEmpty() && !out.contains(frame))
            out.append(frame);
    }
    return out;
}

QList<QAction *> ProjectHistory::addActions(QWidget *window, bool shortcuts) {
    ProjectHistory &history = instance();
    auto *undo = new QAction(history.undoText(), window);
    auto *redo = new QAction(history.redoText(), window);
    if (shortcuts) {
        undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
        redo->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    }
    auto follow = [undo, redo] {
        const ProjectHistory &h = instance();
        undo->setText(h.undoText());
        undo->setEnabled(h.canUndo());
        redo->setText(h.redoText());
        redo->setEnabled(h.canRedo());
    };
    follow();
    connect(&history, &ProjectHistory::changed, undo, follow);
    connect(undo, &QAction::triggered, window, [window] { instance().undo(window); });
    connect(redo, &QAction::triggered, window, [window] { instance().redo(window); });
    window->addAction(undo);
    window->addAction(redo);
    return {undo, redo};
}

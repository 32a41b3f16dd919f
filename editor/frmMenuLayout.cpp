// The main window's arrangement: the guide dock, the centre (frames list or frame canvas), the
// items dock, the status bar, the View menu, and which view takes Ctrl+Z.

#include "frmMenu.h"

#include "FrameOutline.h"
#include "ProjectHistory.h"
#include "frmCoordinates.h"
#include "frmFrames.h"
#include "frmMain.h"
#include "frmObjects.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {

// A view's own Ctrl+Z and Ctrl+Shift+Z (or Ctrl+Y) answer only while the focus is inside it: in
// one window, several views with the same keys would otherwise cancel each other out.
void keepKeysInside(QWidget *view, const QList<QAction *> &actions) {
    for (QAction *a : actions) {
        if (!a->shortcuts().isEmpty())
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    view->addActions(actions);
}

// A dock's contents that ask for at most `chars` average characters of width: word-wrapped
// captions and a tree's columns would otherwise ask for most of the window and leave the frame a
// sliver. The author can still widen the dock.
class DockContents : public QWidget {
public:
    DockContents(QWidget *content, int chars) : m_chars(chars) {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        if (content)
            layout->addWidget(content);
    }
    QSize sizeHint() const override {
        const QSize wanted = QWidget::sizeHint();
        return QSize(qMin(wanted.width(), m_chars * fontMetrics().averageCharWidth()),
                     wanted.height());
    }

private:
    int m_chars;
};

QDockWidget *dock(QMainWindow *window, const QString &title, const QString &name, QWidget *w,
                  int chars) {
    auto *d = new QDockWidget(title, window);
    d->setObjectName(name);
    d->setAccessibleName(title);
    d->setWidget(new DockContents(w, chars));
    return d;
}

} // namespace

void frmMenu::addDocks(QWidget *guide) {
    m_centre = new QStackedWidget(this);
    m_centre->setObjectName(QStringLiteral("centre"));
    m_home = new QWidget(m_centre);
    auto *homeLayout = new QVBoxLayout(m_home);
    m_homeTitle = new QLabel(m_home);
    m_homeTitle->setAlignment(Qt::AlignCenter);
    m_homeTitle->setWordWrap(true);
    QFont large = m_homeTitle->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    m_homeTitle->setFont(large);
    homeLayout->addWidget(m_homeTitle);
    m_centre->addWidget(m_home);
    m_centre->addWidget(m_frames.get());
    m_centre->addWidget(m_canvas.get());
    setCentralWidget(m_centre);

    m_guideDock = dock(this, QStringLiteral("Guide"), QStringLiteral("guideDock"), guide, 34);
    addDockWidget(Qt::LeftDockWidgetArea, m_guideDock);
    m_outline = new FrameOutline(m_canvas.get());
    m_outlineDock = dock(this, QStringLiteral("Areas and texts"), QStringLiteral("outlineDock"),
                         m_outline, 32);
    addDockWidget(Qt::RightDockWidgetArea, m_outlineDock);
    m_outlineDock->hide();
    m_itemsDock = dock(this, QStringLiteral("List of items"), QStringLiteral("itemsDock"),
                       m_objects.get(), 32);
    addDockWidget(Qt::RightDockWidgetArea, m_itemsDock);
    m_itemsDock->hide();

    statusBar()->addPermanentWidget(m_canvas->coordinates());
    m_canvas->coordinates()->hide();

    keepKeysInside(m_canvas.get(), {m_canvas->undoAction(), m_canvas->redoAction(),
                                     m_canvas->copyAction(), m_canvas->cutAction(),
                                     m_canvas->pasteAction()});
    keepKeysInside(m_frames.get(), m_frames->actions());
    keepKeysInside(m_objects.get(), m_objects->actions());
    // In the guide, the keys undo what the centre shows: the frame's changes while a frame is
    // edited, the project's structure otherwise.
    auto *undo = new QAction(QStringLiteral("Undo"), m_guideDock);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto *redo = new QAction(QStringLiteral("Redo"), m_guideDock);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(undo, &QAction::triggered, this, [this] {
        if (m_centre->currentWidget() == m_canvas.get())
            m_canvas->undoAction()->trigger();
        else
            ProjectHistory::instance().undo(this);
    });
    connect(redo, &QAction::triggered, this, [this] {
        if (m_centre->currentWidget() == m_canvas.get())
            m_canvas->redoAction()->trigger();
        else
            ProjectHistory::instance().redo(this);
    });
    keepKeysInside(m_guideDock, {undo, redo});
}

void frmMenu::addViewMenu() {
    m_mnuView = menuBar()->addMenu(QStringLiteral("&View"));
    m_mnuView->addAction(m_guideDock->toggleViewAction());
    m_mnuView->addAction(m_outlineDock->toggleViewAction());
    m_mnuView->addAction(m_itemsDock->toggleViewAction());
    m_mnuView->addSeparator();
    // The canvas's own, working while a frame is edited.
    m_mnuView->addActions({m_canvas->zoomInAction(), m_canvas->zoomOutAction(),
                           m_canvas->zoomFitAction()});
    m_mnuView->addSeparator();
    m_mnuView->addActions({m_canvas->gridAction(), m_canvas->gridSizeAction()});
    m_mnuView->addSeparator();
    connect(m_mnuView->addAction(QStringLiteral("Reset Layout")), &QAction::triggered, this,
            &frmMenu::ResetLayout);
}

void frmMenu::ResetLayout() {
    restoreState(m_defaultLayout);
    // Every dock back in its place, then shown as the current page wants it, as on arrival.
    m_guideDock->show();
    m_centre->setCurrentWidget(m_home);
    ShowMenu(m_current);
}

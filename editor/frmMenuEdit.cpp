// The main window's "Edit" menu: undo and redo of the project's structure, and what follows a
// step of that history in the windows that show the project.

#include "frmMenu.h"

#include "FrameFiles.h"
#include "FrameUndo.h"
#include "ProjectHistory.h"
#include "frmFrames.h"
#include "frmMain.h"

#include <QMenu>
#include <QMenuBar>

void frmMenu::addEditMenu() {
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    // The keys belong to the view that has the focus (the canvas, the frames list, the items
    // list, the guide): the entries here are chosen from the menu.
    edit->addActions(ProjectHistory::addActions(this, false));
    // The canvas's own: its shortcuts answer while the canvas has the focus.
    edit->addSeparator();
    edit->addActions({m_canvas->copyAction(), m_canvas->cutAction(), m_canvas->pasteAction()});

    ProjectHistory &history = ProjectHistory::instance();
    connect(&history, &ProjectHistory::framesChanged, this, [this](const QStringList &frames) {
        // A frame's files moved or were replaced: its canvas history no longer fits them.
        for (const QString &frame : frames)
            m_canvas->undo()->forget(frame);
    });
    connect(&history, &ProjectHistory::restored, this, [this] {
        reloadGeneral();
        RefreshDropEvents();
        RefreshItemEvents();
        if (!m_canvas->isFrameOpen())
            return;
        const SoundMode mode = m_project.general.SingleChannelAudio ? SoundMode::SingleChannel
                                                                    : SoundMode::MultiChannel;
        if (FrameFiles(m_project.paths, mode).exists(m_canvas->state().frameName))
            m_canvas->Redraw();
        else
            ShowMenu(2); // the frame is gone: back to the frames list
    });
}

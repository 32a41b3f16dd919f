// The main window's "Edit" menu: undo and redo of the project's structure, and what follows a
// step of that history in the windows that show the project.

#include "frmMenu.h"

#include "FrameFiles.h"
#include "FrameUndo.h"
#include "ProjectHistory.h"
#include "frmFrames.h"
#include "frmMain.h"

#include <QLayout>
#include <QMenu>
#include <QMenuBar>

void frmMenu::addEditMenu() {
    auto *bar = qobject_cast<QMenuBar *>(layout()->menuBar());
    if (!bar) {
        bar = new QMenuBar(this);
        layout()->setMenuBar(bar);
    }
    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    // Ctrl+Z in this window belongs to the canvas while a frame is edited: the entries here
    // are chosen from the menu, the frames list and the items window take the keys.
    edit->addActions(ProjectHistory::addActions(this, false));

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

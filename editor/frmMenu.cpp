#include "frmMenu.h"

#include "DialogControls.h"
#include "DocumentViewer.h"
#include "EditorMessages.h"
#include "FrameOperations.h"
#include "FrameUndo.h"
#include "ProjectHistory.h"
#include "ProjectVersion.h"
#include "RecentProjects.h"
#include "SettingsStore.h"
#include "WindowPlacement.h"
#include "frmAreaProperties.h"
#include "frmCheckProject.h"
#include "frmCompile.h"
#include "frmCoordinates.h"
#include "frmExploreGame.h"
#include "frmFrames.h"
#include "frmLinuxPackage.h"
#include "frmLoadProject.h"
#include "frmMain.h"
#include "frmNewProject.h"
#include "frmObjects.h"
#include "frmProjectProperties.h"
#include "frmWelcome.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDockWidget>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QUndoStack>
#include <QUrl>
#include <QVBoxLayout>

namespace {

using Buttons = EngineHost::Buttons;
using Answer = EngineHost::Answer;

// Fonts taller than this (in logical pixels) are the large-fonts setting.
constexpr int kLargeFontPixels = 16;

QString setting(const QString &key, const QString &fallback = QString()) {
    return SettingsStore::GetSetting(QStringLiteral("A"), QStringLiteral("Settings"), key,
                                     fallback);
}
void saveSetting(const QString &key, const QString &value) {
    SettingsStore::SaveSetting(QStringLiteral("A"), QStringLiteral("Settings"), key, value);
}

const QString kCustomize = QStringLiteral("[Customize...]");

} // namespace

frmMenu::frmMenu(const EditorFolders &folders, MediaBackend &media, DriveProvider *drives,
                 QWidget *parent)
    : QMainWindow(parent), m_folders(folders), m_media(media), m_drives(drives) {
    setObjectName(QStringLiteral("mainWindow"));
    auto *guide = new QWidget;
    auto *layout = new QVBoxLayout(guide);
    m_stack = new QStackedWidget(guide);
    layout->addWidget(m_stack);

    addPanel(0, QString(),
             {"Edit Project...", "Run Project (Start)", "Run from the selected frame",
              "Project Properties...", "Check Project...", "Explore the Game",
              "Distribute... (Create .exe)",
              "External Programs...", "Quit project"});
    QWidget *close = addPanel(1, QStringLiteral("Close Project"), {"Yes, Close", "Cancel"},
                              QStringLiteral("Do you really want to close the current project? "
                                             "(The project is automatically saved each time you "
                                             "make changes to it.)"));
    m_chkDoNotShow = new QCheckBox(QStringLiteral("Do not show this message again."), close);
    static_cast<QVBoxLayout *>(close->layout())->insertWidget(1, m_chkDoNotShow);
    QWidget *frames = addPanel(2, QString(), {"Add New Frame (Scene)...", "Back"});
    auto *style = new QGroupBox(QStringLiteral("Display style"), frames);
    auto *styleLayout = new QHBoxLayout(style);
    m_viewOption[0] = new QRadioButton(QStringLiteral("Icons"), style);
    m_viewOption[1] = new QRadioButton(QStringLiteral("List"), style);
    styleLayout->addWidget(m_viewOption[0]);
    styleLayout->addWidget(m_viewOption[1]);
    static_cast<QVBoxLayout *>(frames->layout())->insertWidget(1, style);
    QWidget *about = addPanel(6, QStringLiteral("About Quillmoor"),
                              {"Go to Web site...", "Reset Program Settings", "Back"},
                              QStringLiteral("Quillmoor: picture-based point-and-click games "
                                             "without writing code."));
    m_lblVersion = new QLabel(ProjectVersion::versionLabel(), about);
    m_lblRevision = new QLabel(ProjectVersion::revisionLabel(), about);
    auto *versions = new QHBoxLayout;
    versions->addWidget(m_lblVersion);
    versions->addWidget(m_lblRevision);
    versions->addStretch();
    static_cast<QVBoxLayout *>(about->layout())->insertLayout(1, versions);
    addPanel(7, QStringLiteral("Distribute"),
             {"Create stand-alone installation...", "Create Linux package...",
              "Visit the Quillmoor Web site...",
              "Write to the authors...", "Cancel"});
    QWidget *external = addPanel(8, QStringLiteral("External Programs"),
                                 {"Icon Editor...", "MS Paint...", "Cancel"});
    for (int n = 0; n < 5; ++n) {
        m_external[n] = new QPushButton(kCustomize, external);
        m_external[n]->installEventFilter(this);
        static_cast<QVBoxLayout *>(external->layout())->insertWidget(n, m_external[n]);
        connect(m_external[n], &QPushButton::clicked, this,
                [this, n] { ExternalProgramClicked(n); });
    }
    QWidget *start = addPanel(9, QStringLiteral("Quillmoor"),
                              {"New Project", "Load Project", "Help (Tutorials, FAQ...)",
                               "Read Me...", "About...", "Quit"});
    auto *recentLabel = new QLabel(QStringLiteral("&Recent projects:"), start);
    m_lstRecent = new QListWidget(start);
    m_lstRecent->setAccessibleName(QStringLiteral("Recent projects"));
    recentLabel->setBuddy(m_lstRecent);
    m_lstRecent->setMaximumHeight(m_lstRecent->fontMetrics().height() * RecentProjects::kMost + 8);
    auto *startLayout = static_cast<QVBoxLayout *>(start->layout());
    startLayout->insertWidget(startLayout->count() - 1, recentLabel);
    startLayout->insertWidget(startLayout->count() - 1, m_lstRecent);
    connect(m_lstRecent, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        OpenRecentProject(item->data(Qt::UserRole).toString());
    });
    addPanel(10, QStringLiteral("New Frame"),
             {"Picture (resized to fit window)...", "Picture (tiled to fit window)...",
              "Solid Color...", "Cancel"});
    addPanel(14, QStringLiteral("Quillmoor"), {"Back"});
    QWidget *editing =
        addPanel(3, QStringLiteral("Edit Frame"),
                 {"Done", "Items and Events...", "Undo", "Redo", "Reshape an Area..."},
                 QStringLiteral("To create a new clickable area, create a rectangle on the frame "
                                "background. To add some text, right-click on the background."));
    auto *modify = new QLabel(QStringLiteral("To remove or modify the properties of an area or a "
                                             "text, right-click on it."),
                              editing);
    modify->setWordWrap(true);
    static_cast<QVBoxLayout *>(editing->layout())->insertWidget(1, modify);
    addPanel(4, QStringLiteral("Reshape Area"), {"Cancel"},
             QStringLiteral("Click on the new top-left corner and then on the new bottom-right "
                            "corner."));
    QWidget *links = addPanel(5, QStringLiteral("Reshape Area"), {"Cancel"},
                              QStringLiteral("Click on the link you want to modify..."));
    auto *then = new QLabel(QStringLiteral("...then click on the new top-left corner and then on "
                                           "the new bottom-right corner."),
                            links);
    then->setWordWrap(true);
    static_cast<QVBoxLayout *>(links->layout())->insertWidget(1, then);
    addItemsPanels();
    m_frames = std::make_unique<frmFrames>();
    m_frames->setMedia(&m_media);
    connect(m_frames.get(), &frmFrames::editRequested, this, &frmMenu::EditFrame);
    m_canvas = std::make_unique<frmMain>();
    m_canvas->setAreaDialog([this](FrameEditState &state, FrameCanvas *canvas, int type,
                                   bool load) { runAreaDialog(state, canvas, type, load); });
    connect(m_canvas.get(), &frmMain::doneRequested, this, [this] { ShowMenu(2); });
    connect(m_canvas.get(), &frmMain::reshapeFinished, this, [this] { ShowMenu(3); });
    connect(m_canvas.get(), &frmMain::itemEventsChanged, this, [this] {
        if (m_itemsFrame == m_canvas->state().frameName)
            RefreshDropEvents();
    });
    m_cmdFrameProperties = new QPushButton(QStringLiteral("Change Frame Properties..."), guide);
    layout->addWidget(m_cmdFrameProperties);
    connect(m_cmdFrameProperties, &QPushButton::clicked, this, [this] {
        m_frames->setProject(m_project);
        m_frames->showProperties();
    });
    connectCommands();
    addDocks(guide);
    addMenuBar();
    addEditMenu();
    addViewMenu();
    // The layout "Reset Layout" goes back to.
    m_defaultLayout = saveState();
    resize(defaultSize());
}

frmMenu::~frmMenu() = default;

QSize frmMenu::defaultSize() {
    // Large enough for the guide, a 640 x 480 frame and a list beside it, within the screen.
    const QScreen *screen = QApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    return QSize(qMin(1600, room.width() * 19 / 20), qMin(1000, room.height() * 19 / 20));
}

void frmMenu::addMenuBar() {
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    m_mnuRecent = file->addMenu(QStringLiteral("Open &Recent"));
    // Listed when opened, so that it always says what the settings hold.
    connect(m_mnuRecent, &QMenu::aboutToShow, this, &frmMenu::refreshRecent);
    refreshRecent();
}

void frmMenu::refreshRecent() {
    const QStringList roots = RecentProjects::list();
    m_lstRecent->clear();
    m_mnuRecent->clear();
    for (int i = 0; i < roots.size(); ++i) {
        const QString shown = QDir::toNativeSeparators(QDir::cleanPath(roots[i]));
        auto *item = new QListWidgetItem(QDir(roots[i]).dirName(), m_lstRecent);
        item->setData(Qt::UserRole, roots[i]);
        item->setToolTip(shown);
        QAction *a = m_mnuRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        connect(a, &QAction::triggered, this, [this, root = roots[i]] { OpenRecentProject(root); });
    }
    m_mnuRecent->setEnabled(!roots.isEmpty());
}

QString frmMenu::loadProjectFolder() const {
    const QStringList roots = RecentProjects::list();
    if (!roots.isEmpty() && QFileInfo(roots.first()).isDir())
        return roots.first();
    return projectsFolder();
}

bool frmMenu::OpenRecentProject(const QString &root) {
    if (!ProjectPaths(root).isValidProject()) {
        RecentProjects::remove(root);
        refreshRecent();
        EditorMessages::ask(this, QString(),
                            QStringLiteral("The project '") +
                                QDir::toNativeSeparators(QDir::cleanPath(root)) +
                                QStringLiteral("' was not found: it may have been moved, renamed "
                                               "or removed. It has been taken off the list of "
                                               "recent projects."),
                            Status::Icon::Exclamation);
        return false;
    }
    return openProject(root);
}

QWidget *frmMenu::addPanel(int p, const QString &title, const QStringList &captions,
                           const QString &text) {
    auto *panel = new QWidget(m_stack);
    panel->setAccessibleName(title);
    auto *layout = new QVBoxLayout(panel);
    if (!text.isEmpty()) {
        auto *label = new QLabel(text, panel);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    for (const QString &caption : captions) {
        auto *b = new QPushButton(caption, panel);
        b->setAccessibleName(caption);
        layout->addWidget(b);
        m_buttons[p][caption] = b;
    }
    layout->addStretch();
    m_stack->addWidget(panel);
    m_panels[p] = panel;
    m_titles[p] = title;
    return panel;
}

QPushButton *frmMenu::button(int panel, const QString &caption) const {
    return m_buttons.value(panel).value(caption, nullptr);
}

void frmMenu::connectCommands() {
    auto on = [this](int p, const char *caption, auto &&f) {
        connect(m_buttons[p][QString::fromUtf8(caption)], &QPushButton::clicked, this, f);
    };
    auto show = [this](int p) { return [this, p] { ShowMenu(p); }; };
    on(9, "New Project", [this] { NewProject(); });
    on(9, "Load Project", [this] { LoadProject(); });
    // Where the system has no program to open a page, the editor shows it itself.
    auto view = [this](const QString &title, const QString &path) {
        auto *viewer = new DocumentViewer(title, path, this);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->show();
    };
    on(9, "Help (Tutorials, FAQ...)", [this, view] {
        EditorMessages::ask(this, QStringLiteral("Quillmoor Help"),
                            QStringLiteral("The help pages (a tutorial and answers to common "
                                           "questions) open in your web browser. They come with "
                                           "Quillmoor: no Internet connection is needed."),
                            Status::Icon::Information);
        const QString page = m_folders.helpPage();
        if (!EditorMessages::openUrl(QUrl::fromLocalFile(page)) && QFileInfo(page).isFile())
            view(QStringLiteral("Quillmoor Help"), page);
    });
    on(9, "Read Me...", [this, view] {
        if (!QFileInfo(m_folders.readme()).isFile())
            EditorMessages::ask(this, QStringLiteral("Error"),
                                QStringLiteral("Unable to open the file 'Readme.txt'."),
                                Status::Icon::Critical);
        else if (!EditorMessages::openUrl(QUrl::fromLocalFile(m_folders.readme())))
            view(QStringLiteral("Read Me"), m_folders.readme());
    });
    on(9, "About...", show(6));
    on(9, "Quit", [this] { close(); });
    on(0, "Edit Project...", show(2));
    on(0, "Run Project (Start)", [this] { RunProject(); });
    on(0, "Run from the selected frame", [this] { RunFromSelectedFrame(); });
    on(0, "Project Properties...", [this] { ProjectProperties(); });
    on(0, "Distribute... (Create .exe)", [this] {
        reloadGeneral();
        if (ProjectLifecycle::checkRunnable(this, m_project, true))
            ShowMenu(7);
    });
    on(0, "External Programs...", show(8));
    on(7, "Create Linux package...", [this] {
        frmLinuxPackage dialog(m_project.paths.root(), m_folders.install(), this);
        dialog.exec();
    });
    on(0, "Check Project...", [this] {
        frmCheckProject check(m_project, this);
        check.setMedia(&m_media);
        check.exec();
    });
    on(0, "Explore the Game", [this] {
        frmExploreGame explore(m_project, this);
        explore.setMedia(&m_media);
        explore.start();
        explore.exec();
    });
    on(0, "Quit project", [this] { QuitProject(); });
    on(1, "Yes, Close", [this] {
        if (m_chkDoNotShow->isChecked()) {
            EditorMessages::ask(this, QString(),
                                QStringLiteral("You have selected the option 'Do no show this "
                                               "message again'. To show it again, click 'About' "
                                               "from the Main Menu and then click 'Reset Program "
                                               "Settings'."),
                                Status::Icon::Information);
            saveSetting(QStringLiteral("ShowMessage1"), QStringLiteral("1"));
        }
        CloseProject();
    });
    on(1, "Cancel", show(0));
    on(2, "Add New Frame (Scene)...", show(10));
    on(2, "Back", show(0));
    for (int i = 0; i < 2; ++i) {
        connect(m_viewOption[i], &QRadioButton::toggled, this, [this](bool) {
            m_frames->setIconStyle(m_viewOption[0]->isChecked());
            saveSetting(QStringLiteral("ViewOption(0).Value"), m_viewOption[0]->isChecked()
                                                                   ? QStringLiteral("True")
                                                                   : QStringLiteral("False"));
            saveSetting(QStringLiteral("ViewOption(1).Value"), m_viewOption[1]->isChecked()
                                                                   ? QStringLiteral("True")
                                                                   : QStringLiteral("False"));
        });
    }
    auto pictureFrame = [this](bool tiled) {
        const QString file = EditorMessages::chooseFile(this, DialogControls::pictureFilter());
        if (!file.isEmpty())
            NewFrameFromPicture(file, tiled);
    };
    on(10, "Picture (resized to fit window)...", [pictureFrame] { pictureFrame(false); });
    on(10, "Picture (tiled to fit window)...", [pictureFrame] { pictureFrame(true); });
    on(10, "Solid Color...", [this] {
        const QColor c = QColorDialog::getColor(Qt::black, this);
        if (c.isValid())
            NewSolidFrame(c.red() | (c.green() << 8) | (c.blue() << 16));
    });
    on(10, "Cancel", show(2));
    on(6, "Go to Web site...",
       [this] { EditorMessages::openUrl(QUrl::fromLocalFile(m_folders.helpPage())); });
    on(6, "Reset Program Settings", [this] { ResetProgramSettings(); });
    on(6, "Back", show(9));
    on(7, "Create stand-alone installation...", [this] {
        reloadGeneral();
        if (!ProjectLifecycle::checkRunnable(this, m_project, true))
            return;
        frmCompile dialog(m_project, m_folders.install(), this);
        dialog.exec();
    });
    on(7, "Visit the Quillmoor Web site...",
       [this] { EditorMessages::openUrl(QUrl::fromLocalFile(m_folders.helpPage())); });
    on(7, "Write to the authors...", [this] {
        QUrl page = QUrl::fromLocalFile(m_folders.helpPage());
        page.setFragment(QStringLiteral("contact"));
        EditorMessages::openUrl(page);
    });
    on(7, "Cancel", show(0));
    on(8, "Icon Editor...", [this] { PaintProgram(true); });
    on(8, "MS Paint...", [this] { PaintProgram(false); });
    on(8, "Cancel", show(0));
    on(14, "Back", show(0));
    on(3, "Done", show(2));
    on(3, "Items and Events...", [this] { ShowItemsAndEvents(m_canvas->state().frameName); });
    QUndoStack *history = m_canvas->undo()->stack();
    on(3, "Undo", [this] { m_canvas->undoAction()->trigger(); });
    on(3, "Redo", [this] { m_canvas->redoAction()->trigger(); });
    m_buttons[3][QStringLiteral("Undo")]->setEnabled(false);
    m_buttons[3][QStringLiteral("Redo")]->setEnabled(false);
    connect(history, &QUndoStack::canUndoChanged, m_buttons[3][QStringLiteral("Undo")],
            &QPushButton::setEnabled);
    connect(history, &QUndoStack::canRedoChanged, m_buttons[3][QStringLiteral("Redo")],
            &QPushButton::setEnabled);
    // An area selected on the canvas is reshaped at once; otherwise the next click chooses it.
    on(3, "Reshape an Area...", [this] {
        const int n = m_canvas->SelectedAreaNumber();
        m_canvas->BeginReshape(n);
        ShowMenu(m_canvas->isReshaping() && n > 0 ? 4 : 5);
    });
    auto cancelReshape = [this] {
        m_canvas->CancelReshape();
        ShowMenu(3);
    };
    on(4, "Cancel", cancelReshape);
    on(5, "Cancel", cancelReshape);
}

bool frmMenu::start() {
    if (QFontInfo(QApplication::font()).pixelSize() > kLargeFontPixels &&
        EditorMessages::ask(
            this, QStringLiteral("Warning!"),
            QStringLiteral("Warning! Your system is set to use large fonts. Quillmoor will NOT "
                           "work properly if you don't change this setting.\n\nTo use small "
                           "fonts (which is the Windows default), just go to the 'Control Panel' "
                           "(from the 'Settings' menu of the Start Menu), double-click 'Display', "
                           "click the 'Settings' tab, click 'Advanced...' and select 'Small "
                           "Fonts' under 'Font size'. Click 'OK' and restart your "
                           "computer.\n\nDo you want to continue anyway? (not recommended)."),
            Status::Icon::Exclamation, Buttons::YesNo) != Answer::Yes)
        return false;
    bool leftOk = false, topOk = false;
    const int left = setting(QStringLiteral("frmMenu.Left")).toInt(&leftOk);
    const int top = setting(QStringLiteral("frmMenu.Top")).toInt(&topOk);
    const QByteArray geometry =
        QByteArray::fromBase64(setting(QStringLiteral("frmMenu.Geometry")).toLatin1());
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        resize(defaultSize());
        if (const QScreen *screen = QApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    if (leftOk && topOk)
        move(left, top);
    // Kept with another screen or another font size, the place may no longer fit.
    WindowPlacement::keepOnScreen(this);
    restoreState(QByteArray::fromBase64(setting(QStringLiteral("frmMenu.Layout")).toLatin1()));
    // A dock floated on a screen that is gone comes back onto this one.
    for (QDockWidget *d : findChildren<QDockWidget *>()) {
        if (d->isFloating())
            WindowPlacement::keepOnScreen(d);
    }
    ShowMenu(9);
    return true;
}

void frmMenu::ShowMenu(int p) {
    if (!m_panels.contains(p))
        return;
    m_current = p;
    m_stack->setCurrentWidget(m_panels[p]);
    QString caption = m_titles[p];
    if (p == 0)
        caption = QStringLiteral("Project '") + m_project.general.ProjectName + QLatin1Char('\'');
    if (p == 2) {
        caption =
            QStringLiteral("Edit project '") + m_project.general.ProjectName + QLatin1Char('\'');
        const bool icons = setting(QStringLiteral("ViewOption(0).Value"), QStringLiteral("True"))
                               .compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
        const bool list = setting(QStringLiteral("ViewOption(1).Value"), QStringLiteral("False"))
                              .compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0;
        QSignalBlocker b0(m_viewOption[0]), b1(m_viewOption[1]);
        m_viewOption[list && !icons ? 1 : 0]->setChecked(true);
    }
    if (p == 8)
        refreshExternalButtons();
    if (p == 9)
        refreshRecent();
    showItemsPanel(p);
    static const QList<int> kCanvasPanels{3, 4, 5, 11, 12, 15};
    const bool canvas = kCanvasPanels.contains(p) && m_canvas->isFrameOpen();
    if (p == 2 || p == 10) {
        m_frames->setIconStyle(m_viewOption[0]->isChecked());
        m_frames->setProject(m_project);
        m_centre->setCurrentWidget(m_frames.get());
    } else if (canvas) {
        if (m_centre->currentWidget() != m_canvas.get())
            m_outlineDock->show();
        m_centre->setCurrentWidget(m_canvas.get());
        m_canvas->coordinates()->ResizeSmall();
        m_canvas->coordinates()->show();
    } else {
        m_homeTitle->setText(caption.isEmpty() ? QStringLiteral("Quillmoor") : caption);
        m_centre->setCurrentWidget(m_home);
    }
    if (!canvas) {
        // Leaving the frame ends its editing; its undo history is kept for the session.
        m_canvas->CancelReshape();
        m_canvas->coordinates()->hide();
        m_outlineDock->hide();
        if (!kCanvasPanels.contains(p))
            m_canvas->CloseFrame();
    }
    setWindowTitle(caption);
    m_cmdFrameProperties->setVisible(m_project.isOpen());
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

QString frmMenu::projectsFolder() const {
    return m_folders.projectsStart();
}

bool frmMenu::openProject(const QString &root) {
    EditorProject opened;
    if (!ProjectLifecycle::LoadProject(this, root, opened))
        return false;
    m_project = opened;
    m_itemsFrame.clear();
    RecentProjects::add(m_project.paths.root());
    ShowMenu(0);
    return true;
}

void frmMenu::NewProject() {
    frmNewProject dialog(projectsFolder(), m_drives, this);
    // Cancelling the properties of the new project creates nothing and comes back here.
    while (dialog.exec() == QDialog::Accepted) {
        frmProjectProperties properties(dialog.root(), m_folders, this);
        if (properties.exec() == QDialog::Accepted) {
            m_project = properties.project();
            RecentProjects::add(m_project.paths.root());
            ShowMenu(0);
            return;
        }
    }
}

void frmMenu::ProjectProperties() {
    frmProjectProperties properties(m_project, m_folders, this);
    if (properties.exec() == QDialog::Accepted)
        m_project = properties.project();
    ShowMenu(0);
}

void frmMenu::LoadProject() {
    frmLoadProject dialog(loadProjectFolder(), m_drives, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_project = dialog.project();
    m_itemsFrame.clear();
    RecentProjects::add(m_project.paths.root());
    ShowMenu(0);
}

void frmMenu::RunFromSelectedFrame() {
    // The list may still show an earlier project: listed again, it keeps the selection only
    // when this project has that frame.
    m_frames->setProject(m_project);
    const QString frame = m_frames->selectedFrame();
    if (frame.isEmpty()) {
        EditorMessages::ask(this, QString(),
                            QStringLiteral("Select the frame you want to start from in the "
                                           "frames list (click 'Edit Project...'), then click "
                                           "'Run from the selected frame' again."),
                            Status::Icon::Information);
        return;
    }
    RunProject(frame);
}

void frmMenu::reloadGeneral() {
    GeneralInfo general;
    if (readGeneral(m_project.paths.ConfigPath() + QStringLiteral("General"), general,
                    GeneralReader::Editor))
        m_project.general = general;
}

void frmMenu::RunProject(const QString &startFrame) {
    // The project may have changed on disk since it was opened (frames removed or renamed, the
    // initial frame chosen again).
    reloadGeneral();
    // A run from a chosen frame needs no initial frame.
    if (startFrame.isEmpty() && !ProjectLifecycle::checkRunnable(this, m_project, false))
        return;
    m_testRun = std::make_unique<frmWelcome>(m_project.paths, m_folders.schemes(), m_media, true,
                                             nullptr, m_drives);
    m_testRun->setStartFrame(startFrame);
    if (EditorMessages::answerer())
        m_testRun->setMessageAnswerer(EditorMessages::answerer());
    connect(m_testRun.get(), &frmWelcome::closed, this, &frmMenu::testRunEnded,
            Qt::QueuedConnection);
    hide();
    if (!m_testRun->start())
        testRunEnded();
}

namespace {

SoundMode soundMode(const EditorProject &project) {
    return project.general.SingleChannelAudio ? SoundMode::SingleChannel : SoundMode::MultiChannel;
}

} // namespace

bool frmMenu::NewFrameFromPicture(const QString &source, bool tiled) {
    FrameOperations frames(m_project.paths, soundMode(m_project));
    QString frame;
    if (!ProjectHistory::instance().record(m_project.paths, QStringLiteral("New Frame"), [&] {
            return frames.createFromPicture(source, tiled, frame);
        })) {
        EditorMessages::show(this, frames.status());
        return false;
    }
    ShowMenu(2);
    return true;
}

bool frmMenu::NewSolidFrame(qint32 color) {
    FrameOperations frames(m_project.paths, soundMode(m_project));
    QString suggestion = frames.freeName(QStringLiteral("Solid"));
    for (;;) {
        const QString name =
            EditorMessages::input(this, QStringLiteral("New Frame Creation"),
                                  QStringLiteral("Give a name to the new frame:"), suggestion);
        if (name.isEmpty())
            return false;
        if (ProjectHistory::instance().record(m_project.paths, QStringLiteral("New Frame"),
                                              [&] { return frames.createSolid(name, color); }))
            break;
        EditorMessages::show(this, frames.status());
        // A refused or taken name is asked for again; a failed write ends here.
        if (frames.status().icon() == Status::Icon::Critical)
            return false;
        suggestion = name;
    }
    ShowMenu(2);
    return true;
}

void frmMenu::testRunEnded() {
    if (m_testRun)
        m_testRun.release()->deleteLater();
    show();
    ShowMenu(0);
}

void frmMenu::QuitProject() {
    if (setting(QStringLiteral("ShowMessage1"), QStringLiteral("0")) == QStringLiteral("1"))
        CloseProject();
    else
        ShowMenu(1);
}

void frmMenu::CloseProject() {
    m_project = EditorProject();
    ProjectHistory::instance().clear();
    m_canvas->undo()->forgetAll();
    m_itemsFrame.clear();
    ShowMenu(9);
}

void frmMenu::ResetProgramSettings() {
    if (EditorMessages::ask(this, QStringLiteral("Confirm Reset?"),
                            QStringLiteral("Warning! You are about to remove all the program "
                                           "settings and preferences (including windows position "
                                           "and size and custom External Programs links).\nClick "
                                           "'OK' to continue or 'Cancel' to abort."),
                            Status::Icon::Exclamation, Buttons::OkCancel) != Answer::Ok)
        return;
    SettingsStore::DeleteSetting(QStringLiteral("A"), QStringLiteral("Settings"));
    if (!setting(QStringLiteral("ShowMessage1")).isEmpty() ||
        !setting(QStringLiteral("frmMenu.Left")).isEmpty()) {
        EditorMessages::ask(this, QStringLiteral("Error Removing Settings"),
                            QStringLiteral("Unable to reset program settings."),
                            Status::Icon::Critical);
        return;
    }
    EditorMessages::ask(this, QString(),
                        QStringLiteral("Program settings and preferences were successfully "
                                       "removed."),
                        Status::Icon::Information);
}

void frmMenu::refreshExternalButtons() {
    for (int n = 0; n < 5; ++n) {
        m_externalCaption[n] = setting(QStringLiteral("ExternalProgram%1_Caption").arg(n));
        m_externalLink[n] = setting(QStringLiteral("ExternalProgram%1_Link").arg(n));
        if (m_externalCaption[n].isEmpty()) {
            m_externalCaption[n] = kCustomize;
            m_externalLink[n].clear();
        }
        m_external[n]->setText(m_externalCaption[n]);
        m_external[n]->setAccessibleName(m_externalCaption[n]);
    }
}

void frmMenu::saveExternalButtons() {
    for (int n = 0; n < 5; ++n) {
        const bool custom = m_externalCaption[n] != kCustomize;
        saveSetting(QStringLiteral("ExternalProgram%1_Caption").arg(n),
                    custom ? m_externalCaption[n] : QString());
        saveSetting(QStringLiteral("ExternalProgram%1_Link").arg(n),
                    custom ? m_externalLink[n] : QString());
    }
    refreshExternalButtons();
}

void frmMenu::ExternalProgramClicked(int n) {
    if (!m_externalLink[n].isEmpty()) {
        if (!EditorMessages::startProgram(m_externalLink[n]))
            EditorMessages::ask(this, QStringLiteral("Error"),
                                QStringLiteral("Unable to run '") + m_externalLink[n] +
                                    QLatin1Char('\''),
                                Status::Icon::Critical);
        else
            ShowMenu(0);
        return;
    }
    const QString program =
        QFileDialog::getOpenFileName(this, QStringLiteral("Create Link to an External Program"),
                                     QString(), QStringLiteral("Programs (*)"));
    if (!program.isEmpty())
        CustomizeExternalProgram(n, program);
}

void frmMenu::CustomizeExternalProgram(int n, const QString &program) {
    const QString caption = EditorMessages::input(
        this, QStringLiteral("Quillmoor"), QStringLiteral("Give a name to the custom button:"));
    if (caption.isEmpty())
        return;
    m_externalCaption[n] = caption;
    m_externalLink[n] = program;
    saveExternalButtons();
}

void frmMenu::ExternalProgramReset(int n) {
    m_externalCaption[n] = kCustomize;
    m_externalLink[n].clear();
    saveExternalButtons();
}

QStringList frmMenu::paintPrograms(bool iconEditor) {
    if (iconEditor)
        return {QStringLiteral("gimp"), QStringLiteral("kolourpaint"), QStringLiteral("mtpaint"),
                QStringLiteral("pinta"), QStringLiteral("krita")};
    return {QStringLiteral("kolourpaint"), QStringLiteral("pinta"), QStringLiteral("mtpaint"),
            QStringLiteral("gimp"), QStringLiteral("krita")};
}

void frmMenu::PaintProgram(bool iconEditor) {
    const QStringList tried = paintPrograms(iconEditor);
    for (const QString &name : tried) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty() && EditorMessages::startProgram(found))
            return;
    }
    EditorMessages::ask(this, QStringLiteral("Error"),
                        (iconEditor ? QStringLiteral("Unable to run an icon editor.")
                                    : QStringLiteral("Unable to run a paint program.")) +
                            QStringLiteral("\n\nNone of these programs was found: ") +
                            tried.join(QStringLiteral(", ")) + QLatin1Char('.'),
                        Status::Icon::Critical);
}

bool frmMenu::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
        for (int n = 0; n < 5; ++n) {
            if (watched == m_external[n]) {
                ExternalProgramReset(n);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmMenu::EditFrame(const QString &frame) {
    if (!m_canvas->OpenFrame(m_project, frame))
        return false;
    ShowMenu(3);
    return true;
}

void frmMenu::runAreaDialog(FrameEditState &state, FrameCanvas *canvas, int type, bool load) {
    frmAreaProperties dialog(state, canvas, m_media, m_canvas.get());
    dialog.SetType(type);
    if (load) {
        if (type == 0)
            dialog.LoadAreaProperties();
        else
            dialog.LoadObjectOnArea();
    }
    dialog.RefreshEnabled();
    dialog.exec();
}

void frmMenu::savePosition() {
    saveSetting(QStringLiteral("frmMenu.Left"), QString::number(x()));
    saveSetting(QStringLiteral("frmMenu.Top"), QString::number(y()));
    saveSetting(QStringLiteral("frmMenu.Geometry"), QString::fromLatin1(saveGeometry().toBase64()));
    saveSetting(QStringLiteral("frmMenu.Layout"), QString::fromLatin1(saveState().toBase64()));
}

void frmMenu::closeEvent(QCloseEvent *event) {
    savePosition();
    m_canvas->CloseFrame();
    event->accept();
    QApplication::quit();
}

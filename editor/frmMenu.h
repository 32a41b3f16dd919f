#pragma once

#include "EditorFolders.h"
#include "FrameEditState.h"
#include "ProjectLifecycle.h"

#include <QList>
#include <QMap>
#include <QMainWindow>

#include <memory>

class DriveProvider;
class FrameOutline;
class MediaBackend;
class QCheckBox;
class QDockWidget;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class frmFrames;
class frmMain;
class frmObjects;
class frmWelcome;

// The editor's main window (`frmMenu` of old, when it was only the guide panel). The guide panel
// on the left shows one page at a time (the start panel, the project panel, the frames panel,
// the about panel, the external programs...), each with its commands; the centre shows the
// frames list or the frame canvas as the page asks; the items list lies in a dock on the right
// while items and events are edited; the canvas's coordinates are in the status bar. Docks can
// be moved, floated and closed; the layout is kept in the settings store.
class frmMenu : public QMainWindow {
    Q_OBJECT
public:
    // `media` plays the test runs; `drives` serves the project windows (the system's when
    // null). Both must outlive the window.
    frmMenu(const EditorFolders &folders, MediaBackend &media, DriveProvider *drives = nullptr,
            QWidget *parent = nullptr);
    ~frmMenu() override;

    // Start-up: the large-fonts question, the window position, the start panel. False when the
    // user chose to stop.
    bool start();
    // Shows panel p and arranges what goes with it.
    void ShowMenu(int p);
    int currentPanel() const { return m_current; }

    // A button of panel p by its caption (null when there is none).
    QPushButton *button(int panel, const QString &caption) const;
    // The docks and the centre, for the View menu and tests.
    QDockWidget *guideDock() const { return m_guideDock; }
    QDockWidget *itemsDock() const { return m_itemsDock; }
    // "Areas and texts": the outline of the frame on the canvas, shown while a frame is edited.
    QDockWidget *outlineDock() const { return m_outlineDock; }
    FrameOutline *outline() const { return m_outline; }
    QStackedWidget *centre() const { return m_centre; }
    QMenu *viewMenu() const { return m_mnuView; }
    // The View menu's "Reset Layout": every dock back where it starts, none floating or closed.
    void ResetLayout();
    QCheckBox *doNotShowAgain() const { return m_chkDoNotShow; }
    QPushButton *frameProperties() const { return m_cmdFrameProperties; }
    QRadioButton *viewOption(int i) const { return m_viewOption[i]; }
    QPushButton *externalButton(int n) const { return m_external[n]; }
    QLabel *versionLabel() const { return m_lblVersion; }
    QLabel *revisionLabel() const { return m_lblRevision; }

    // Opens a project (every check of opening one); true when it is open.
    bool openProject(const QString &root);
    const EditorProject &project() const { return m_project; }
    // The player's title window of the running test run (null when none runs).
    frmWelcome *testRunWindow() const { return m_testRun.get(); }
    // The frames list, shown with the frames panel and the new-frame panel.
    frmFrames *framesWindow() const { return m_frames.get(); }
    // The frame canvas, shown with the frame-editing panels.
    frmMain *canvasWindow() const { return m_canvas.get(); }
    // "Edit frame": the frame on the canvas and the frame-editing panel; false when the frame
    // cannot be read.
    bool EditFrame(const QString &frame);
    // Where the new- and open-project windows start.
    QString projectsFolder() const;
    // Where "Load Project" opens: the last project opened while it is still there, otherwise
    // the projects folder.
    QString loadProjectFolder() const;
    // A project of the recent list (the start panel's list, "File", "Open Recent"). A project
    // no longer found is taken off the list, with a message; false then.
    bool OpenRecentProject(const QString &root);
    // The start panel's list of the projects opened last, and the "Open Recent" menu.
    QListWidget *recentList() const { return m_lstRecent; }
    QMenu *recentMenu() const { return m_mnuRecent; }

    // The commands, as their buttons call them.
    void NewProject();
    void LoadProject();
    void ProjectProperties();
    // The test run; with `startFrame` the game starts there instead of at the initial frame.
    void RunProject(const QString &startFrame = QString());
    // "Run from the selected frame": the test run from the frame selected in the frames list.
    void RunFromSelectedFrame();
    void QuitProject();
    void CloseProject();
    void ResetProgramSettings();
    void ExternalProgramClicked(int n);
    void ExternalProgramReset(int n);
    // Links button n to `program` under the name the user gives (an empty name changes nothing).
    void CustomizeExternalProgram(int n, const QString &program);
    void PaintProgram(bool iconEditor);
    // New frames from the new-frame panel: a picture (stretched or tiled), or one colour
    // (0x00BBGGRR) under a name asked for. True when a frame was made; the frames panel shows.
    bool NewFrameFromPicture(const QString &source, bool tiled);
    bool NewSolidFrame(qint32 color);

    // The painting programs looked for, in order, by "Icon Editor..." and "MS Paint...".
    static QStringList paintPrograms(bool iconEditor);

    // Items and events (panels 11, 12 and 15) for `frame`, the frame on the canvas: shows the
    // items-and-events page with the items list window.
    void ShowItemsAndEvents(const QString &frame);
    // The lists of the events pages, rebuilt from the files: the frame's item-on-area events
    // ("<area>_<item>") and the project's item-on-item events ("<first>_on_<second>").
    void RefreshDropEvents();
    void RefreshItemEvents();
    // "Remove Selected Event" of each events page; true when an event was removed.
    bool RemoveSelectedDropEvent();
    bool RemoveSelectedItemEvent();
    // "Create New Event...": the item-on-item dialog, then the list rebuilt.
    void CreateItemEvent();
    frmObjects *itemsWindow() const { return m_objects.get(); }
    QListWidget *dropEventsList() const { return m_lstDropEvents; }
    QListWidget *itemEventsList() const { return m_lstItemEvents; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *addPanel(int p, const QString &title, const QStringList &captions,
                      const QString &text = QString());
    void connectCommands();
    void refreshExternalButtons();
    void saveExternalButtons();
    void savePosition();
    static QSize defaultSize();
    // The docks, `guide` (the panels) in the one on the left.
    void addDocks(QWidget *guide);
    void addViewMenu();
    void refreshRecent();
    void addMenuBar();
    void runAreaDialog(FrameEditState &state, FrameCanvas *canvas, int type, bool load);
    void testRunEnded();
    // Reads Config/General again: the frames list may have renamed or removed the initial frame.
    void reloadGeneral();
    void addItemsPanels();
    // The menu bar's "Edit" menu: undo and redo of the project's structure (ProjectHistory).
    void addEditMenu();
    void showItemsPanel(int p);

    EditorFolders m_folders;
    MediaBackend &m_media;
    DriveProvider *m_drives;
    EditorProject m_project;
    QStackedWidget *m_stack;
    QStackedWidget *m_centre = nullptr;
    QWidget *m_home = nullptr;
    QLabel *m_homeTitle = nullptr;
    QDockWidget *m_guideDock = nullptr;
    QDockWidget *m_itemsDock = nullptr;
    QDockWidget *m_outlineDock = nullptr;
    FrameOutline *m_outline = nullptr;
    QMenu *m_mnuView = nullptr;
    QByteArray m_defaultLayout;
    QMap<int, QWidget *> m_panels;
    QMap<int, QString> m_titles;
    QMap<int, QMap<QString, QPushButton *>> m_buttons;
    int m_current = -1;
    QCheckBox *m_chkDoNotShow = nullptr;
    QRadioButton *m_viewOption[2] = {nullptr, nullptr};
    QPushButton *m_external[5] = {};
    QString m_externalCaption[5];
    QString m_externalLink[5];
    QPushButton *m_cmdFrameProperties = nullptr;
    QLabel *m_lblVersion = nullptr;
    QLabel *m_lblRevision = nullptr;
    QListWidget *m_lstRecent = nullptr;
    QMenu *m_mnuRecent = nullptr;
    std::unique_ptr<frmWelcome> m_testRun;
    std::unique_ptr<frmFrames> m_frames;
    std::unique_ptr<frmMain> m_canvas;
    // Items and events.
    std::unique_ptr<frmObjects> m_objects;
    QString m_itemsFrame;
    QListWidget *m_lstDropEvents = nullptr;
    QListWidget *m_lstItemEvents = nullptr;
};

#pragma once

#include "CustomTexts.h"
#include "DisplaySwitch.h"
#include "Game.h"
#include "ProjectPaths.h"
#include "TitleScreen.h"
#include "TitleView.h"

#include <QPoint>
#include <QWidget>

#include <memory>

class DisplayModes;
class DriveProvider;
class MediaBackend;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

// The title window: the game's title, version, author, e-mail and web site, the display-switch
// option and the Start, Load and Exit buttons, dressed by the project's scheme. Everything it
// shows comes from TitleScreen, drawn by a TitleView at normal size; the window adds what a
// window does (its place, staying on top, the display switch, the stored choice, questions).
// The game itself is the Game window's.
class frmWelcome : public QWidget {
    Q_OBJECT
public:
    using MessageAnswerer = ::MessageAnswerer;

    // `modes` and `drives` default to the system's; they must outlive the window. With
    // `runningFromEditor` closing the window emits `closed` and leaves the program running.
    frmWelcome(const ProjectPaths &paths, const QString &schemesFolder, MediaBackend &media,
               bool runningFromEditor = false, DisplayModes *modes = nullptr,
               DriveProvider *drives = nullptr, QWidget *parent = nullptr);
    ~frmWelcome() override;

    // Message boxes and questions go here instead of on screen (tests, scripts); the game
    // window gets the same answerer.
    void setMessageAnswerer(MessageAnswerer answerer);
    void setGameWindowMode(Game::WindowMode mode) { m_gameMode = mode; }

    // Reads the project and shows the window; false when it was closed on the way (Cancel on a
    // missing General, No on the large-fonts question).
    bool start();
    // True when start() found no game in the folder (no readable project information) and said
    // so; the player then ends with a failure status.
    bool foundNoGame() const { return m_noGame; }
    bool isClosed() const { return m_closed; }

    // The next Start begins at `frame` instead of the initial frame, once (the editor's test
    // run from a chosen frame).
    void setStartFrame(const QString &frame) { m_startFrame = frame; }
    // Plays as a run-from-CD installation with the CD at `drive` (a mount path): its
    // Data/<title>/ folders are used before the drive RunFromCD.dat names, and also when the
    // game has no RunFromCD.dat (a player that lies on the CD itself).
    void setCdDrive(const QString &drive) { m_cdDrive = drive; }

    // The three buttons: 0 Start, 1 Load, 2 Exit.
    void ClickButton(int index);

    const TitleScreen &title() const { return m_title; }
    Game *gameWindow() const { return m_game.get(); }
    DisplaySwitch &displaySwitch() { return *m_switch; }
    TitleView *view() const { return m_view; }
    QCheckBox *resolutionCheck() const { return m_view->resolutionCheck(); }
    QPushButton *pictureButton(int i) const { return m_view->pictureButton(i); }
    QPushButton *textButton(int i) const { return m_view->textButton(i); }
    QLabel *titleLabel() const { return m_view->titleLabel(); }
    QFrame *creditsPanel() const { return m_view->creditsPanel(); }
    QPushButton *playerSettingsButton() const { return m_view->settingsButton(); }

signals:
    // The window closed; the editor's test run goes on from here.
    void closed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    EngineHost::Answer ask(const QString &title, const QString &text, Status::Icon icon,
                           EngineHost::Buttons buttons, bool defaultNo = false);
    void reportError(const QString &specificMessage);
    void showTitle();
    // Closing: the display-switch choice is stored, then the program (or the test run) ends.
    void finish();
    void setOnTop(bool onTop);
    void centre();
    bool largeFontsCheck();
    // The run-from-CD check before Start and Load; false when the user cancelled.
    bool findCdData();
    Game &gameFor(const ProjectPaths &paths);
    void startGame();
    void loadGame();
    bool resolutionWanted() const;
    void onGameWindowClosed();
    // After a Start or a Load: when the frame the game was to show cannot be opened, the game
    // makes way for the title window again with one message that says so (true).
    bool returnWhenFrameMissing(Game &game, bool loaded);
    void mailClicked();
    void homepageClicked();

    ProjectPaths m_paths;
    ProjectPaths m_gamePaths;
    QString m_schemesFolder;
    QString m_startFrame; // empty: the initial frame
    QString m_cdDrive;    // given by whoever started the player; empty: none
    MediaBackend &m_media;
    bool m_fromEditor;
    std::unique_ptr<DisplayModes> m_ownModes;
    std::unique_ptr<DriveProvider> m_ownDrives;
    DisplayModes *m_modes;
    DriveProvider *m_drives;
    std::unique_ptr<DisplaySwitch> m_switch;
    MessageAnswerer m_answerer;
    Game::WindowMode m_gameMode = Game::WindowMode::FullScreen;
    TitleScreen m_title;
    bool m_closed = false;
    bool m_noGame = false;
    bool m_fontsAccepted = false;
    bool m_asking = false;
    bool m_released = false; // stay-on-top let go while a dialog is open
    QPoint m_dragStart; // the window's place when a drag began

    TitleView *m_view = nullptr;

    // Last, so that it goes first: it may still call back while it closes.
    std::unique_ptr<Game> m_game;
};

#pragma once

#include "ActionRecord.h"
#include "ChannelFile.h"
#include "CustomTexts.h"
#include "EngineHost.h"
#include "ErrorReporter.h"
#include "GameVariables.h"
#include "GeneralInfo.h"
#include "MediaHost.h"
#include "ProjectPaths.h"
#include "Scene.h"

#include <QString>
#include <QStringList>

#include <memory>

class MediaBackend;
class MediaPlayers;

// The game: the state of one game (variables, hidden areas, inventory, frame history), the
// opening of frames, what clicks, drops and timers do, and saved games. It computes and keeps
// the scene model; the window shows it and turns input into these calls.
class GameEngine : private MediaHost, private ErrorReporter {
public:
    // Results of MakeAction.
    enum ActionResult { Nothing = 0, CloseGame = 1, FrameChanged = 2 };

    GameEngine(const ProjectPaths &paths, const GeneralInfo &general, const CustomTexts &texts,
               MediaBackend &media, EngineHost &host);
    ~GameEngine() override;

    // The editor's test run skips the hidden-name lookup of data files.
    void setRunningFromEditor(bool fromEditor) { m_fromEditor = fromEditor; }

    // --- game session and frames
    void ResetAll();
    // A new game at the initial frame, or at `frame` when one is given (the editor's test run
    // from a chosen frame).
    void StartNewGame(const QString &frame = QString());
    void OpenFrame(const QString &CurrentFrame);
    void FramesHistoryAdd(const QString &FrameName);
    void ShowOrNotShowAreas();
    void ShowTextMessage(const QString &text, bool onBackground);
    void ShowMenus();
    void HideMenus();
    void timerElapsed(EngineTimer timer);
    // Closes the game window: media stop, the title screen comes back.
    void closeGame();

    // --- input from the window
    void AreaClick(int Index, int Button);
    int MakeAction(int area, int draggedSlot);
    // A press on the background or a text (button 1 left, 2 right).
    void backgroundPressed(int button);
    void escapePressed();
    void messageClicked();
    // "Exit" in the menu: asks, and closes the game window on Yes.
    void exitRequested();

    // --- inventory
    void AddPickedObject(const QString &ObjectName);
    void RemovePickedObject(int ObjectIndex);
    void PickOrNotPickObject(int area);
    // A press on inventory slot k (button 1 left starts a drag).
    void slotPressed(int slot, int button);
    void dropOnArea(int area);
    void dropOnSlot(int slot);
    int ObjectsCount() const { return m_scene.inventory.size(); }
    int draggedSlot() const { return m_draggedSlot; }

    // --- saved games (the dialogs' buttons); each returns true when the dialog should close
    bool saveGame(const QString &name);
    bool removeSavedGame(const QString &name);
    bool loadSavedGame(const QString &name);
    // Moves the saved games an earlier version kept under the project's name in the user's data
    // folder into savedGamesFolder(), where they are listed and loaded from now on. A saved game
    // of the same name already there wins; one that cannot be moved stays where it was.
    void adoptOlderSavedGames();
    QStringList LoadSaveGames() const;
    // The folder the saved games are in, ending in the separator: the project root, or the
    // user's own folder for an installed game (see UserDataFolder).
    const QString &savedGamesFolder() const { return m_savesFolder; }

    // --- state
    const Scene &scene() const { return m_scene; }
    const QString &currentFrame() const { return m_scene.frame; }
    const QStringList &FramesHistory() const { return m_history; }
    GameVariables &variables() { return m_vars; }
    const GameVariables &variables() const { return m_vars; }
    bool stopVideoRequest() const { return m_stopVideoRequest; }
    bool gameClosed() const { return m_closed; }
    const ProjectPaths &paths() const { return m_paths; }
    const GeneralInfo &general() const { return m_general; }
    const CustomTexts &texts() const { return m_texts; }
    MediaPlayers &media() { return *m_media; }
    // Frame timer: the target frame and interval while it runs.
    const QString &frameTimerTag() const { return m_frameTimerTag; }
    int frameTimerInterval() const { return m_frameTimerInterval; }
    int messageTimerInterval() const { return m_messageTimerInterval; }

    // The standard error report with a specific message (which begins with a space).
    void reportError(const QString &specificMessage) override;

private:
    class AreaAction; // a click's or a drop's action under the game's rules (AreaActions.cpp)

    // MediaHost
    void showWarning(const QString &title, const QString &text) override;
    QString customText(int slot) const override { return m_texts.text(slot); }
    void processEvents() override { m_host.processEvents(); }
    bool runningFromEditor() const override { return m_fromEditor; }
    void showGameWindow() override;
    void clearStopVideoRequest() override { m_stopVideoRequest = false; }

    void reportBare(); // the report with custom texts 29 and 30 only
    bool loadFrameHeader(const QString &name);
    void clearFrameHeader();
    void LoadTexts();
    void LoadAreas();
    void waitForVideo();
    void toggleMenus();
    // What every mouse press does first: it ends a video, and while one plays it does nothing
    // more; the right button toggles the menu bar, any other hides it. True when the press goes
    // on to the area or item it landed on.
    bool pressReachesGame(int button);
    // Starts a video over the whole play area or in its rectangle (in pixels).
    void startVideo(const QString &file, bool atPosition, double left, double top, double width,
                    double height);
    void startFrameTimer(const QString &seconds, const QString &target);
    QString resolve(const QString &folder, const QString &name);
    QString areaFolder() const;
    SoundMode soundMode() const;
    void placeInventory();
    void applyActionVariables(const ActionRecord &a);

    // When an area of the open frame is shown, as its area file said when the frame opened.
    struct AreaCondition {
        int visibleIf = 0;
        QStringList mustBeZero;
        QStringList mustBeOne;
    };

    ProjectPaths m_paths;
    QString m_savesFolder;
    GeneralInfo m_general;
    CustomTexts m_texts;
    EngineHost &m_host;
    std::unique_ptr<MediaPlayers> m_media;
    GameVariables m_vars;
    QStringList m_history;
    Scene m_scene;
    QList<AreaCondition> m_areaConditions; // areas 1..n at index n-1
    int m_areaCount = 0;
    int m_draggedSlot = 0;
    bool m_stopVideoRequest = true;
    bool m_fromEditor = false;
    bool m_closed = false;
    QString m_frameTimerTag;
    int m_frameTimerInterval = 0;
    bool m_frameTimerGoesBack = false;
    int m_messageTimerInterval = 0;
};

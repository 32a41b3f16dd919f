#pragma once

#include "EngineHost.h"
#include "MessageBoxes.h"
#include "PlayerSettings.h"
#include "Scene.h"
#include "TwipScale.h"

#include <QList>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class AreaWidget;
class CustomTexts;
class GameEngine;
class GeneralInfo;
class MediaBackend;
class PickedObject;
class PictureBox;
class ProjectPaths;
class QAction;
class QFrame;
class QLabel;
class QMenuBar;

// The game window: shows the engine's scene and turns mouse and keyboard input into engine
// calls. It holds no game state of its own; every decision is the engine's.
class Game : public QWidget, public EngineHost {
    Q_OBJECT
public:
    enum class WindowMode { FullScreen, Windowed };
    using MessageAnswerer = ::MessageAnswerer;

    Game(const ProjectPaths &paths, const GeneralInfo &general, const CustomTexts &texts,
         MediaBackend &media, WindowMode mode = WindowMode::FullScreen, QWidget *parent = nullptr);
    ~Game() override;

    GameEngine &engine() { return *m_engine; }
    void setMessageAnswerer(MessageAnswerer answerer) { m_answerer = std::move(answerer); }

    // The player's choices: how the play area fills the window, volumes, message speed. Read
    // again from the settings store each time the window is shown.
    void applySettings(const PlayerSettings &settings);
    const PlayerSettings &settings() const { return m_settings; }
    // Game pixels to window pixels: the play area is drawn at this scale, centred.
    const TwipScale &scale() const { return m_scale; }
    // How long the shown message stays, in milliseconds (the player's message speed applied).
    int messageTimerInterval() const { return m_messageTimer.interval(); }

    // The controls, by their names.
    PictureBox *playArea() const { return m_pictureBox; }
    // Area n (1-based) of the current frame; null when the frame has fewer areas.
    AreaWidget *area(int n) const;
    // Inventory slot k (1-based); null when the inventory holds fewer items.
    PickedObject *inventorySlot(int k) const;
    // The shown texts, in the frame's order.
    QList<QLabel *> texts() const;
    QFrame *messageFrame() const { return m_messageFrame; }
    QLabel *messageLabel() const { return m_messageLabel; }
    QWidget *cutSceneArea() const { return m_cutScene; }
    QMenuBar *menuBar() const { return m_menuBar; }
    QAction *exitAction() const { return m_mnuExit; }
    QAction *saveAction() const { return m_mnuSaveGame; }

    // "Save game" in the menu: the save dialog, modal.
    void openSaveDialog();

    // EngineHost
    void showErrorReport(const ErrorReport &report) override;
    Answer messageBox(const QString &title, const QString &text, Status::Icon icon,
                      Buttons buttons) override;
    void processEvents() override;
    void startTimer(EngineTimer timer, int intervalMs) override;
    void stopTimer(EngineTimer timer) override;
    quintptr playAreaWindow() override;
    quintptr cutSceneWindow() override;
    void sceneChanged() override;
    void showGameWindow() override;
    void gameClosed() override;

signals:
    // The game window closed (by Exit, by an area or by the system): the title screen returns.
    void gameWindowClosed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QTimer &timerFor(EngineTimer timer);
    void placePlayArea();
    bool syncTexts(const Scene &scene);
    bool syncAreas(const Scene &scene);
    bool syncInventory(const Scene &scene);
    void syncMessage(const Scene &scene);
    void syncMenus(const Scene &scene);
    void syncCutScene(const Scene &scene);
    void restack();
    // Names each area after what a sighted player sees there.
    void nameAreas();
    TwipScale fittingScale() const;

    void onAreaPressed(int area, int button);
    void onSlotPressed(int slot, int button);

    WindowMode m_mode;
    MediaBackend &m_media;
    MessageAnswerer m_answerer;
    PlayerSettings m_settings;
    TwipScale m_scale;
    PictureBox *m_pictureBox = nullptr;
    QMenuBar *m_menuBar = nullptr;
    QAction *m_mnuExit = nullptr;
    QAction *m_mnuSaveGame = nullptr;
    QFrame *m_messageFrame = nullptr;
    QLabel *m_messageLabel = nullptr;
    QWidget *m_cutScene = nullptr;
    // Controls are kept and reused rather than deleted: the engine may change the scene from
    // inside one of their own event handlers (a click that opens a frame, a drop that removes
    // the dragged item).
    QList<QLabel *> m_texts;
    QList<SceneText> m_shownTexts;
    int m_textCount = 0;
    QList<AreaWidget *> m_areas;
    int m_areaCount = 0;
    QList<PickedObject *> m_slots;
    int m_slotCount = 0;
    QString m_shownMessage;
    bool m_messageShown = false;
    QSize m_playSize;
    QTimer m_frameTimer;
    QTimer m_messageTimer;
    QTimer m_mp3Timer;
    // Last, so that it goes first: the engine may still call the host while it shuts down.
    std::unique_ptr<GameEngine> m_engine;
};

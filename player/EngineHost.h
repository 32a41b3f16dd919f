#pragma once

#include "ErrorReporter.h"
#include "Status.h"

#include <QString>

// The timers the game runs on; the host counts time and calls GameEngine::timerElapsed.
enum class EngineTimer { Frame, Message, Mp3 };

// What the engine asks of the window that shows it (or of a script that drives it): message
// boxes and questions, timers, letting events run, window handles for video, and the end of the
// game.
class EngineHost {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~EngineHost() = default;
    // The standard error report (critical icon).
    virtual void showErrorReport(const ErrorReport &report) = 0;
    // A message box; questions are answered by the player (or by the script).
    virtual Answer messageBox(const QString &title, const QString &text, Status::Icon icon,
                              Buttons buttons) = 0;
    // Lets pending window events run once, without spinning the processor.
    virtual void processEvents() = 0;
    // Starts (or restarts) a timer with an interval in milliseconds, or stops it.
    virtual void startTimer(EngineTimer timer, int intervalMs) = 0;
    virtual void stopTimer(EngineTimer timer) = 0;
    // The native window of the play area and of the video rectangle, where videos paint.
    virtual quintptr playAreaWindow() { return 0; }
    virtual quintptr cutSceneWindow() { return 0; }
    // The scene model changed: the window redraws what it shows.
    virtual void sceneChanged() {}
    virtual void showGameWindow() {}
    // The game window closed (media stopped); the title screen comes back.
    virtual void gameClosed() {}
};

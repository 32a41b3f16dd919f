#pragma once

#include <QString>

// What the media layer needs from the program around it: the standard error report, a message
// box, letting pending window events run, and the game window's side of video playback.
class MediaHost {
public:
    virtual ~MediaHost() = default;
    // The standard error report; `specificMessage` begins with a space.
    virtual void reportError(const QString &specificMessage) = 0;
    // A message box with the exclamation icon (the missing-file warning).
    virtual void showWarning(const QString &title, const QString &text) = 0;
    // The texts of the custom text table (slot numbers from 1).
    virtual QString customText(int slot) const = 0;
    // Lets pending window events run once (bounded wait, never a busy loop).
    virtual void processEvents() = 0;
    // True while the editor's test run is active (the start-up flag).
    virtual bool runningFromEditor() const = 0;
    // The game window's side of a video: shown before it plays, its stop-video request cleared
    // once it started.
    virtual void showGameWindow() {}
    virtual void clearStopVideoRequest() {}
};

#pragma once

#include <QSize>

#include <memory>

// The screen's display mode. On X11 it is changed through XRandR for the running session only;
// elsewhere the size is read and every change is refused ("mode not supported").
class DisplayModes {
public:
    virtual ~DisplayModes() = default;
    // The size of the desktop in pixels.
    virtual QSize currentSize() = 0;
    // False when the mode cannot be set.
    virtual bool setSize(const QSize &size) = 0;
    // Whether the display has a mode of that size to switch to (or already runs at it). By
    // default a display that sets any size asked.
    virtual bool offersSize(const QSize &) { return true; }
};

std::unique_ptr<DisplayModes> createSystemDisplayModes();

// Puts the screen back to the mode it had when the first change was made: called on every way
// out of the program (normal end, a fatal signal) by the handlers `installRestoreOnExit` sets.
void restoreDisplayAtExit();
void installRestoreOnExit();

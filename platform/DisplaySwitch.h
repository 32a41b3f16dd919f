#pragma once

#include <QSize>
#include <QString>

#include <functional>

class DisplayModes;

// The player's display switch: to 640 x 480 when the game starts with the option ticked, back
// to the remembered size when the game window closes.
class DisplaySwitch {
public:
    // `processEvents` lets pending window events run once; `reportError` shows the standard
    // error report with a specific message.
    DisplaySwitch(DisplayModes &modes, std::function<void()> processEvents,
                  std::function<void(const QString &)> reportError);

    // Reads the desktop size, remembers it, and tells whether it is 640 x 480.
    bool isDisplay640x480();
    // Changes to 640 x 480 unless the display already is, then waits one second letting events
    // run. Returns true when the mode was changed.
    bool switchTo640x480();
    // When the project offers the switch and the size differs from the remembered one, changes
    // back to the remembered size.
    void restore(bool showChangeResolution);
    bool changeDisplayMode(const QSize &size);

    QSize remembered() const { return m_remembered; }

private:
    DisplayModes &m_modes;
    std::function<void()> m_processEvents;
    std::function<void(const QString &)> m_reportError;
    QSize m_remembered;
};

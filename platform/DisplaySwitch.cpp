#include "DisplaySwitch.h"

#include "DisplayModes.h"

#include <QElapsedTimer>
#include <QThread>

DisplaySwitch::DisplaySwitch(DisplayModes &modes, std::function<void()> processEvents,
                             std::function<void(const QString &)> reportError)
    : m_modes(modes), m_processEvents(std::move(processEvents)),
      m_reportError(std::move(reportError)) {}

bool DisplaySwitch::isDisplay640x480() {
    m_remembered = m_modes.currentSize();
    return m_remembered == QSize(640, 480);
}

bool DisplaySwitch::changeDisplayMode(const QSize &size) {
    m_processEvents();
    const bool ok = m_modes.setSize(size);
    m_processEvents();
    if (!ok)
        m_reportError(QStringLiteral(" Unable to change display resolution. Mode not supported."));
    return ok;
}

bool DisplaySwitch::switchTo640x480() {
    if (isDisplay640x480())
        return false;
    if (!changeDisplayMode(QSize(640, 480)))
        return false;
    m_processEvents();
    // The screen settles while events keep flowing; a short sleep per pass keeps the processor
    // free.
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 1000) {
        m_processEvents();
        QThread::msleep(10);
    }
    return true;
}

void DisplaySwitch::restore(bool showChangeResolution) {
    if (!showChangeResolution || !m_remembered.isValid())
        return;
    if (m_modes.currentSize() != m_remembered)
        changeDisplayMode(m_remembered);
}

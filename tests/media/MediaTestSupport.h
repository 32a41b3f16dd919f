#pragma once

#include "MediaClock.h"
#include "MediaHost.h"

#include <QDateTime>
#include <QStringList>

// A clock the test moves by hand.
class FakeClock : public MediaClock {
public:
    explicit FakeClock(const QDateTime &start = QDateTime(QDate(2026, 1, 1), QTime(10, 7, 0)))
        : m_now(start) {}
    QDateTime now() const override { return m_now; }
    void set(const QDateTime &t) { m_now = t; }
    void advanceSeconds(int s) { m_now = m_now.addSecs(s); }

private:
    QDateTime m_now;
};

// Records what the media layer shows.
class RecordingHost : public MediaHost {
public:
    void reportError(const QString &specificMessage) override { errors.append(specificMessage); }
    void showWarning(const QString &title, const QString &text) override {
        warnings.append(title + QLatin1Char('|') + text);
    }
    QString customText(int slot) const override { return QStringLiteral("T%1").arg(slot); }
    void processEvents() override { ++eventPasses; }
    bool runningFromEditor() const override { return fromEditor; }
    void showGameWindow() override { calls.append(QStringLiteral("showGameWindow")); }
    void clearStopVideoRequest() override { calls.append(QStringLiteral("clearStopVideoRequest")); }

    QStringList errors, warnings, calls;
    int eventPasses = 0;
    bool fromEditor = false;
};

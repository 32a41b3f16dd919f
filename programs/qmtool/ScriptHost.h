#pragma once

#include "EngineHost.h"
#include "MediaClock.h"

#include <QDateTime>
#include <QJsonArray>
#include <QList>
#include <QMap>
#include <QStringList>

#include <atomic>

class GameEngine;

// Runs the engine without a window: time moves only when a script says so, message boxes are
// recorded and answered from a queue (unanswered ones take their default button).
class ScriptHost : public EngineHost, public MediaClock {
public:
    ScriptHost();

    void setEngine(GameEngine *engine) { m_engine = engine; }

    // EngineHost
    void showErrorReport(const ErrorReport &report) override;
    Answer messageBox(const QString &title, const QString &text, Status::Icon icon,
                      Buttons buttons) override;
    void processEvents() override {}
    void startTimer(EngineTimer timer, int intervalMs) override;
    void stopTimer(EngineTimer timer) override;

    // MediaClock
    QDateTime now() const override { return m_start.addMSecs(m_elapsedMs); }

    void queueAnswer(Answer answer) { m_answers.append(answer); }
    // Moves time on by `ms`; due timers fire in order of their due time.
    void advance(qint64 ms);
    // Notes that a step was not carried out because the game is closed.
    void reportClosedGame();
    // Notes that a step was not carried out because no game has started yet.
    void reportNotStarted();
    // Message boxes and error reports since the last call.
    QJsonArray takeReports();

private:
    GameEngine *m_engine = nullptr;
    QDateTime m_start;
    std::atomic<qint64> m_elapsedMs{0}; // read by the MP3 worker through now()
    QMap<EngineTimer, qint64> m_due; // timer -> due time in ms
    QList<Answer> m_answers;
    QJsonArray m_reports;
};

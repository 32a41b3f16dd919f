#include "ScriptHost.h"

#include "GameEngine.h"

#include <QJsonObject>

ScriptHost::ScriptHost() : m_start(QDate(2026, 1, 1), QTime(12, 0, 0)) {}

void ScriptHost::showErrorReport(const ErrorReport &report) {
    m_reports.append(QJsonObject{{"kind", "error"}, {"title", report.title}, {"text", report.text}});
}

EngineHost::Answer ScriptHost::messageBox(const QString &title, const QString &text,
                                          Status::Icon icon, Buttons buttons) {
    Answer answer = buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    if (!m_answers.isEmpty())
        answer = m_answers.takeFirst();
    static const char *const names[] = {"ok", "cancel", "yes", "no"};
    // The icon tells a popup text message (information) from a warning or a question.
    static const char *const icons[] = {"none", "critical", "information", "exclamation",
                                        "question"};
    m_reports.append(QJsonObject{{"kind", "message"},
                                 {"title", title},
                                 {"text", text},
                                 {"icon", icons[static_cast<int>(icon)]},
                                 {"answer", names[static_cast<int>(answer)]}});
    return answer;
}

void ScriptHost::startTimer(EngineTimer timer, int intervalMs) {
    m_due.insert(timer, m_elapsedMs.load() + qMax(1, intervalMs));
}

void ScriptHost::stopTimer(EngineTimer timer) { m_due.remove(timer); }

void ScriptHost::advance(qint64 ms) {
    const qint64 end = m_elapsedMs.load() + ms;
    for (;;) {
        // The earliest due timer within the step fires; timers are one-shot for the engine,
        // which restarts them itself when needed.
        EngineTimer next{};
        qint64 at = end + 1;
        for (auto it = m_due.begin(); it != m_due.end(); ++it) {
            if (it.value() < at) {
                at = it.value();
                next = it.key();
            }
        }
        if (at > end)
            break;
        m_elapsedMs = at;
        m_due.remove(next);
        if (m_engine)
            m_engine->timerElapsed(next);
    }
    m_elapsedMs = end;
}

void ScriptHost::reportClosedGame() {
    m_reports.append(QJsonObject{
        {"kind", "closed"},
        {"text", "The game is closed: only start and load act; the step changed nothing."}});
}

void ScriptHost::reportNotStarted() {
    m_reports.append(QJsonObject{
        {"kind", "not-started"},
        {"text", "The game has not started: only start and load act; the step changed nothing."}});
}

QJsonArray ScriptHost::takeReports() {
    QJsonArray out;
    std::swap(out, m_reports);
    return out;
}

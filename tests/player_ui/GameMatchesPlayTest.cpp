// The game window and `qmtool play` side by side: after each step the window shows the message
// strip and the popups that qmtool play reports for the same step.

#include "UiTestSupport.h"

#include "PlayCommand.h"

#include <QFrame>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QRegularExpression>

namespace {

// The frame, the strip's text ("-" when hidden) and the popups shown from box `firstBox` on.
QString windowShows(GameUnderTest &t, int firstBox) {
    static const QStringList icons = {"none", "critical", "information", "exclamation", "question"};
    QString line = t.engine().currentFrame() + QLatin1Char(' ') +
                   (t.game->messageFrame()->isVisible() ? t.game->messageLabel()->text()
                                                        : QStringLiteral("-"));
    for (int i = firstBox; i < t.boxes.size(); ++i)
        line += QStringLiteral(" popup ") + icons[static_cast<int>(t.boxes[i].icon)] +
                QStringLiteral(": ") + t.boxes[i].text;
    return line;
}

QString playShows(const QJsonObject &state) {
    const QJsonValue message = state[QStringLiteral("message")];
    QString line =
        state[QStringLiteral("frame")].toString() + QLatin1Char(' ') +
        (message.isNull() ? QStringLiteral("-") : message[QStringLiteral("text")].toString());
    for (const QJsonValue r : state[QStringLiteral("reports")].toArray()) {
        if (r[QStringLiteral("kind")].toString() == QLatin1String("message"))
            line += QStringLiteral(" popup ") + r[QStringLiteral("icon")].toString() +
                    QStringLiteral(": ") + r[QStringLiteral("text")].toString();
    }
    return line;
}

} // namespace

// Each point of a game is reached in the window by a start, a real click, or by waiting on the
// window's own timers until what it shows changes; and in qmtool play by the steps that reach
// the same point. A background message outlives a frame change by timer when its own time is
// longer, and ends first when it is shorter; closing the game takes it away.
TEST(GameMatchesPlay, TheWindowShowsTheMessagesPlayReportsAtEveryStep) {
    struct Case {
        const char *name;
        const char *timerSeconds;
        const char *text; // 30 characters stay 3100 ms, "Hi" 1140 ms
        bool onBackground;
        const char *window; // the points: "start", "click N" or "wait", between bars
        const char *play;   // the qmtool play steps of each point, between bars
    };
    const QList<Case> cases = {
        {"outlives the frame timer", "1.5", "A cold wind blows through here", true,
         "start|click 1|wait|wait", "start|click 1|advance 1500|advance 1600"},
        {"ends before the frame timer", "2.5", "Hi", true, "start|click 1|wait|wait",
         "start|click 1|advance 1140|advance 1360"},
        {"closed with the game", "0", "Hi", true, "start|click 1|click 2", "start|click 1|click 2"},
        {"popup", "1.5", "Hi", false, "start|click 1|wait", "start|click 1|advance 1500"},
    };
    const QList<QRect> areas = {QRect(100, 100, 50, 50), QRect(300, 100, 50, 50)};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        UiProject project;
        FrameProperties timed;
        timed.TimerEnabled = true;
        timed.TimerSeconds = QString::fromLatin1(c.timerSeconds);
        timed.TimerFrame = QStringLiteral("Room");
        project.frame(QStringLiteral("Start"), timed);
        project.frame(QStringLiteral("Room"));
        ActionRecord show = showsText(QString::fromLatin1(c.text));
        show.TextOnBackground = c.onBackground ? 1 : 0;
        project.area(QStringLiteral("Start"), 1, areaAt(areas[0], show));
        ActionRecord close;
        close.CloseProgram = 1;
        project.area(QStringLiteral("Start"), 2, areaAt(areas[1], close));

        QStringList played;
        playSteps(project.root(),
                  QString::fromLatin1(c.play).split(QRegularExpression(QStringLiteral("[| ]"))),
                  [&](const QJsonObject &state) { played.append(playShows(state)); });

        GameUnderTest t(project);
        QStringList shown;
        for (const QString &action : QString::fromLatin1(c.window).split(QLatin1Char('|'))) {
            const int firstBox = t.boxes.size();
            if (action == QLatin1String("start")) {
                t.start();
            } else if (action.startsWith(QLatin1String("click"))) {
                t.click(areas[action.mid(6).toInt() - 1].center());
            } else {
                const QString before = windowShows(t, firstBox);
                EXPECT_TRUE(waitUntil([&] { return windowShows(t, firstBox) != before; }));
            }
            shown.append(windowShows(t, firstBox));
        }
        EXPECT_EQ(shown, played);
    }
}

// The explorer on small games built through the store, each with a known answer, and on the
// demo game, whose walkthrough is replayed by `qmtool play`.

#include "EngineAgreement.h"
#include "EngineWalk.h"
#include "GameExplorer.h"
#include "GameProject.h"
#include "ProjectSnapshot.h"
#include "RandomGame.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

const QString kStart = QStringLiteral("Start");

QStringList words(const char *line) {
    return QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

Area closing() {
    Area a;
    a.action.CloseProgram = 1;
    return a;
}
Area goingTo(const QString &frame) {
    Area a;
    a.action.GoToFrame = 1;
    a.action.TargetFrame = frame;
    return a;
}
ActionRecord closes() {
    ActionRecord r;
    r.CloseProgram = 1;
    return r;
}

// The only key, picked up once, opens the right door (the game ends) or is used up on the wrong
// one.
void wrongDoor(GameProject &p) {
    p.frame(kStart);
    p.item(QStringLiteral("Key"));
    Area key;
    key.item.PickItem = 1;
    key.item.ItemName = QStringLiteral("Key");
    key.action.HideOrRemove = 1;
    p.area(kStart, 1, key);
    p.area(kStart, 2);
    p.area(kStart, 3);
    ActionRecord usedUp;
    usedUp.HideOrRemove = 1;
    p.dropEvent(kStart, 2, QStringLiteral("Key"), usedUp);
    p.dropEvent(kStart, 3, QStringLiteral("Key"), closes());
}

// The area gives "KEY", the item and its drop event are named "Key": the game finds files
// without regard to case, and the inventory shows the name as given.
void otherSpelling(GameProject &p) {
    p.frame(kStart);
    p.item(QStringLiteral("Key"));
    Area key;
    key.item.PickItem = 1;
    key.item.ItemName = QStringLiteral("KEY");
    p.area(kStart, 1, key);
    p.area(kStart, 2);
    p.dropEvent(kStart, 2, QStringLiteral("Key"), closes());
}

// The way out lies on a frame that only the timer of the first one opens.
void afterTimer(GameProject &p) {
    FrameProperties f;
    f.TimerEnabled = true;
    f.TimerSeconds = QStringLiteral("1.5");
    f.TimerFrame = QStringLiteral("Later");
    p.frame(kStart, f);
    p.frame(QStringLiteral("Later"));
    p.area(QStringLiteral("Later"), 1, closing());
}

void unreachedFrame(GameProject &p) {
    p.frame(kStart);
    p.area(kStart, 1, closing());
    p.frame(QStringLiteral("Attic"));
}

// Area 2 shows once "open" is set, and leads to a frame that does not exist.
void brokenAfterVariable(GameProject &p) {
    p.variables({QStringLiteral("open")});
    p.frame(kStart);
    Area lever;
    lever.action.ChangeVariables = 1; // line 40 is written from it
    lever.action.SetOneList = {QStringLiteral("open")};
    p.area(kStart, 1, lever);
    Area door = goingTo(QStringLiteral("Cellar"));
    door.look.VisibleIf = 1;
    door.look.OneList = {QStringLiteral("open")};
    p.area(kStart, 2, door);
    p.area(kStart, 3, closing());
}

// A click plays music whose file is missing.
void missingMusic(GameProject &p) {
    p.frame(kStart);
    Area music;
    music.action.PlayMidi = 1;
    music.action.MidiFile = QStringLiteral("theme.mid");
    p.area(kStart, 1, music);
    p.area(kStart, 2, closing());
}

// The way out shows on the first frame once a close-up, two frames on, was seen: the player
// goes back twice.
void goingBack(GameProject &p) {
    p.variables({QStringLiteral("seen")});
    p.frame(kStart);
    p.area(kStart, 1, goingTo(QStringLiteral("Hall")));
    Area out = closing();
    out.look.VisibleIf = 1;
    out.look.OneList = {QStringLiteral("seen")};
    p.area(kStart, 2, out);
    p.frame(QStringLiteral("Hall"));
    p.area(QStringLiteral("Hall"), 1, goingTo(QStringLiteral("Closeup")));
    Area back;
    back.action.GoBack = 1;
    p.area(QStringLiteral("Hall"), 2, back);
    p.frame(QStringLiteral("Closeup"));
    back.action.ChangeVariables = 1;
    back.action.SetOneList = {QStringLiteral("seen")};
    p.area(QStringLiteral("Closeup"), 1, back);
}

void withoutEnd(GameProject &p) {
    p.frame(kStart);
    p.area(kStart, 1, goingTo(QStringLiteral("Hall")));
    p.frame(QStringLiteral("Hall"));
    p.area(QStringLiteral("Hall"), 1, goingTo(kStart));
}

// Eight switches: 256 states, and an end everywhere.
void manySwitches(GameProject &p) {
    QStringList names;
    for (int i = 0; i < 8; ++i)
        names.append(QStringLiteral("s%1").arg(i));
    p.variables(names);
    p.frame(kStart);
    for (int i = 0; i < 8; ++i) {
        Area a;
        a.action.ChangeVariables = 1;
        a.action.InvertList = {names[i]};
        p.area(kStart, i + 1, a);
    }
    p.area(kStart, 9, closing());
}

// The switches again, but the way out shows only once all eight are on, far past a small
// limit; area 10 drops the player into a pit with no way out, met before the limit stops.
void pitBeforeTheLimit(GameProject &p) {
    manySwitches(p);
    Area out = closing();
    out.look.VisibleIf = 1;
    for (int i = 0; i < 8; ++i)
        out.look.OneList.append(QStringLiteral("s%1").arg(i));
    p.area(kStart, 9, out);
    p.area(kStart, 10, goingTo(QStringLiteral("Pit")));
    p.frame(QStringLiteral("Pit"));
}

// A key and a lamp picked up make a lantern when combined; the lantern opens the way out.
void combined(GameProject &p) {
    p.frame(kStart);
    for (const char *name : {"Key", "Lamp", "Lantern"})
        p.item(QString::fromLatin1(name));
    for (int n = 1; n <= 2; ++n) {
        Area give;
        give.item.PickItem = 1;
        give.item.ItemName = n == 1 ? QStringLiteral("Key") : QStringLiteral("Lamp");
        give.action.HideOrRemove = 1;
        p.area(kStart, n, give);
    }
    p.area(kStart, 3);
    p.itemEvent(QStringLiteral("Key"), QStringLiteral("Lamp"), true, true,
                QStringLiteral("Lantern"));
    p.dropEvent(kStart, 3, QStringLiteral("Lantern"), closes());
}

struct Case {
    const char *name;
    std::function<void(GameProject &)> build;
    qint64 maxStates;
    bool complete;
    const char *walkthrough; // empty: no end reachable
    const char *deadEnd;     // steps of the first dead end, "" for none
    const char *deadEndSays;
    const char *brokenLink; // steps of the first broken link, "" for none
    const char *brokenSays;
    const char *brokenShows; // what the player's report at the last of its steps holds
    const char *unreached;   // the first thing never reached, "" for none
};

const Case kCases[] = {
    {"key used up on the wrong door", wrongDoor, 1000, true, "start click 1 drop Key 3",
     "start click 1 drop Key 2", "item 'Key' used up", "", "", "", ""},
    {"item given under another spelling", otherSpelling, 1000, true, "start click 1 drop KEY 2", "",
     "", "", "", "", ""},
    {"frame reached only after a timer", afterTimer, 1000, true, "start advance 1500 click 1", "",
     "", "", "", "", ""},
    {"items combined", combined, 1000, true,
     "start click 1 click 2 combine Key Lamp drop Lantern 3", "", "", "", "", "", ""},
    {"frame no path reaches", unreachedFrame, 1000, true, "start click 1", "", "", "", "", "",
     "Frame 'Attic' is never reached."},
    {"link broken after a variable changes", brokenAfterVariable, 1000, true, "start click 3",
     "start click 1 click 2", "went to frame 'Cellar'", "start click 1 click 2", "Cellar",
     "A program link is broken", ""},
    {"missing file met on a click", missingMusic, 1000, true, "start click 2", "", "",
     "start click 1", "Missing file: Frames/theme.mid", "Frames/theme.mid", ""},
    {"going back to the last visited frame", goingBack, 1000, true,
     "start click 1 click 1 click 1 click 2 click 2", "", "", "", "", "", ""},
    {"game without an end", withoutEnd, 1000, true, "", "", "", "", "", "", ""},
    {"limit reached", manySwitches, 100, false, "start click 9", "", "", "", "", "", ""},
    {"dead end kept under a limit", pitBeforeTheLimit, 100, false, "", "start click 10",
     "went to frame 'Pit' (within the search limit).", "", "", "",
     "Area 9 of frame 'Start' is never shown (within the search limit)."},
    {"no limit reached", manySwitches, 100000, true, "start click 9", "", "", "", "", "", ""},
};

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
};

ToolRun qmtool(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(QMTOOL_PATH), args);
    ToolRun r;
    if (p.waitForFinished(60000)) {
        r.exitCode = p.exitCode();
        r.out = p.readAllStandardOutput();
    }
    return r;
}

// `qmtool play` with the steps; true when the game is closed after the last step and open
// before it.
bool closesAtLastStep(const QString &folder, const QStringList &steps) {
    const ToolRun play = qmtool(QStringList{QStringLiteral("play"), folder} + steps);
    const QList<QByteArray> lines = play.out.trimmed().split('\n');
    if (play.exitCode != 0 || lines.size() < 2)
        return false;
    return QJsonDocument::fromJson(lines.last()).object()[QStringLiteral("closed")].toBool() &&
           !QJsonDocument::fromJson(lines[lines.size() - 2])
                .object()[QStringLiteral("closed")]
                .toBool();
}

// `qmtool play` with the steps: the reports of the last step only (the player shows them then).
QString lastStepReports(const QString &folder, const QStringList &steps) {
    const ToolRun play = qmtool(QStringList{QStringLiteral("play"), folder} + steps);
    const QJsonArray reports = QJsonDocument::fromJson(play.out.trimmed().split('\n').last())
                                   .object()[QStringLiteral("reports")]
                                   .toArray();
    QStringList out;
    for (const QJsonValue &v : reports)
        out.append(v[QStringLiteral("text")].toString());
    return out.join(QLatin1Char('\n'));
}

class ExploreGames : public testing::TestWithParam<Case> {};

TEST_P(ExploreGames, FindsTheKnownAnswer) {
    const Case &c = GetParam();
    GameProject p;
    c.build(p);
    GameExplorer::Limits limits;
    limits.maxStates = c.maxStates;
    const ExploreReport r =
        GameExplorer::fromSnapshot(ProjectSnapshot::load(p.paths())).run(limits);
    SCOPED_TRACE(r.toText().toStdString());

    EXPECT_EQ(r.complete, c.complete);
    EXPECT_EQ(r.limit, c.complete ? QString() : QStringLiteral("states"));
    EXPECT_EQ(r.endReachable, *c.walkthrough != 0);
    EXPECT_EQ(r.walkthrough, words(c.walkthrough));
    if (r.endReachable) {
        EXPECT_TRUE(closesAtLastStep(p.root(), r.walkthrough)); // the engine agrees
    }
    if (*c.deadEnd) {
        ASSERT_FALSE(r.deadEnds.isEmpty());
        EXPECT_EQ(r.deadEnds.first().steps, words(c.deadEnd));
        EXPECT_TRUE(r.deadEnds.first().text.contains(QString::fromUtf8(c.deadEndSays)));
    } else {
        EXPECT_TRUE(r.deadEnds.isEmpty());
    }
    if (*c.brokenLink) {
        ASSERT_EQ(r.brokenLinks.size(), 1);
        EXPECT_EQ(r.brokenLinks.first().steps, words(c.brokenLink));
        EXPECT_TRUE(r.brokenLinks.first().text.contains(QString::fromUtf8(c.brokenSays)));
        // The player reports it at the last of those steps, naming the same thing.
        const QString shown = lastStepReports(p.root(), r.brokenLinks.first().steps);
        EXPECT_TRUE(shown.contains(QString::fromUtf8(c.brokenShows))) << shown.toStdString();
    } else {
        EXPECT_TRUE(r.brokenLinks.isEmpty());
    }
    if (*c.unreached) {
        ASSERT_FALSE(r.unreached.isEmpty());
        EXPECT_EQ(r.unreached.first().text, QString::fromUtf8(c.unreached));
    } else {
        EXPECT_TRUE(r.unreached.isEmpty());
    }
    // Only a complete search that reaches the end and finds nothing says "no problem".
    const bool clean =
        c.complete && *c.walkthrough && !*c.deadEnd && !*c.brokenLink && !*c.unreached;
    EXPECT_EQ(r.clean(), clean);
    EXPECT_EQ(r.toText().contains(QStringLiteral("No problem found.")), clean);
}

INSTANTIATE_TEST_SUITE_P(Games, ExploreGames, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case> &i) {
                             QString n = QString::fromUtf8(i.param.name);
                             n.replace(QLatin1Char(' '), QLatin1Char('_'));
                             return n.toStdString();
                         });

// Every step list the explorer reports, and a walk of the engine, give the same game after
// every step in the engine; the walk meets only states the search found.
void expectEngineAgrees(const ProjectPaths &paths, const GameExplorer::Limits &limits,
                        unsigned seed) {
    const GameExplorer explorer = GameExplorer::fromSnapshot(ProjectSnapshot::load(paths));
    const ExploreReport r = explorer.run(limits);
    QList<QStringList> reported;
    if (r.endReachable)
        reported.append(r.walkthrough);
    for (const ExploreFinding &f : r.deadEnds + r.brokenLinks)
        reported.append(f.steps);
    for (const QStringList &steps : reported)
        EXPECT_EQ(engineDisagreement(paths, explorer, steps).toStdString(), "")
            << steps.join(QLatin1Char(' ')).toStdString();
    if (!r.complete)
        return;
    std::mt19937 random(seed);
    const QStringList walk = engineRandomWalk(
        paths, 12, [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); });
    EXPECT_EQ(walkOutsideSearch(paths, explorer, walk, limits).toStdString(), "")
        << walk.join(QLatin1Char(' ')).toStdString();
}

TEST_P(ExploreGames, AgreesWithTheEngine) {
    GameProject p;
    GetParam().build(p);
    GameExplorer::Limits limits;
    limits.maxStates = GetParam().maxStates;
    expectEngineAgrees(p.paths(), limits, 1);
}

TEST(ExploreAgreement, RandomGamesPlayTheSameInTheEngine) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        QTemporaryDir dir;
        const ProjectPaths paths(dir.path());
        for (const QString &folder :
             {paths.FramesPath(), paths.AreasPath(), paths.IconsPath(), paths.ConfigPath()})
            ASSERT_TRUE(QDir().mkpath(folder));
        std::mt19937 random(seed);
        writeRandomGame(paths, [&](int lo, int hi) {
            return std::uniform_int_distribution<int>(lo, hi)(random);
        });
        GameExplorer::Limits limits;
        limits.maxStates = 2000;
        expectEngineAgrees(paths, limits, seed);
    }
}

// The demo game explored by the program, its walkthrough replayed step by step: the game closes
// at the last step and not before.
TEST(ExploreCommand, DemoWalkthroughEndsTheGameWhenReplayed) {
    const ToolRun explore =
        qmtool({QStringLiteral("explore"), QStringLiteral(DEMO_PROJECT), QStringLiteral("--json")});
    const QJsonObject report = QJsonDocument::fromJson(explore.out).object();
    EXPECT_EQ(explore.exitCode, report[QStringLiteral("clean")].toBool() ? 0 : 1);
    ASSERT_TRUE(report[QStringLiteral("complete")].toBool());
    QStringList steps;
    for (const QJsonValue &v : report[QStringLiteral("walkthrough")].toArray())
        steps.append(v.toString());
    ASSERT_FALSE(steps.isEmpty());

    EXPECT_TRUE(closesAtLastStep(QStringLiteral(DEMO_PROJECT), steps));
}

TEST(ExploreCommand, ExitStatusSaysWhatWasFound) {
    GameProject noEnd;
    withoutEnd(noEnd);
    GameProject many;
    manySwitches(many);
    const struct {
        QStringList args;
        int exitCode;
    } runs[] = {
        {{QStringLiteral("explore"), noEnd.root()}, 1},
        {{QStringLiteral("explore"), many.root(), QStringLiteral("--max-states"),
          QStringLiteral("50")},
         1},
        {{QStringLiteral("explore"), many.root()}, 0},
        {{QStringLiteral("explore"), noEnd.root() + QStringLiteral("Frames")}, 2},
        {{QStringLiteral("explore"), many.root(), QStringLiteral("--max-states"),
          QStringLiteral("x")},
         2},
    };
    for (const auto &run : runs)
        EXPECT_EQ(qmtool(run.args).exitCode, run.exitCode)
            << run.args.join(QLatin1Char(' ')).toStdString();
}

} // namespace

// qmtool run as a program on project folders of every layout the store reads.

#include "TestProject.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QJsonObject json;
    QByteArray out;
};

ToolRun qmtool(const QString &command, const QString &folder) {
    QProcess p;
    p.start(QStringLiteral(QMTOOL_PATH), {command, folder});
    ToolRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.json = QJsonDocument::fromJson(r.out).object();
    return r;
}

// `qmtool play FOLDER STEPS...`: the exit code, the raw output and one object per step.
struct PlayRun {
    int exitCode = -1;
    QByteArray out;
    QList<QJsonObject> steps;
};

PlayRun play(const QString &folder, const QStringList &steps) {
    QProcess p;
    p.start(QStringLiteral(QMTOOL_PATH), QStringList{QStringLiteral("play"), folder} + steps);
    PlayRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    r.out = p.readAllStandardOutput();
    for (const QByteArray &line : r.out.split('\n')) {
        if (!line.isEmpty())
            r.steps.append(QJsonDocument::fromJson(line).object());
    }
    return r;
}

// A copy of the demo game that a test may change.
class DemoCopy : public TestProject {
public:
    DemoCopy() {
        QProcess::execute(
            QStringLiteral("cp"),
            {QStringLiteral("-R"), QStringLiteral(DEMO_PROJECT) + QStringLiteral("/."), root()});
    }
};

// The texts of the reports of one step, each as "kind: text".
QStringList reportsOf(const QJsonObject &step) {
    QStringList out;
    for (const QJsonValue &v : step[QStringLiteral("reports")].toArray())
        out.append(v[QStringLiteral("kind")].toString() + QStringLiteral(": ") +
                   v[QStringLiteral("text")].toString());
    return out;
}

QStringList lines(std::initializer_list<const char *> values) {
    QStringList out;
    for (const char *v : values)
        out.append(QString::fromUtf8(v));
    return out;
}

// A project as an older editor on another system left it: an 11-line General, a 10-line frame
// quoted colour, a 13-line action record, a 4-line c.dat, file names in other letter cases, a
// Windows-1252 frame name and LF line ends in some files.
void writeOldProject(const TestProject &p) {
    p.writeLines(QStringLiteral("Config/General"),
                 lines({"\"Old\"", "\"C:\\Old\\Config\\General\"", "\"Old Game\"", "1",
                        "\"Caf\xc3\xa9\"", "\"v1\"", "320", "240", "\"Ann\"", "\"a@b.c\"",
                        "\"http://x\""}));
    p.writeLines(QStringLiteral("Config/VERSION"), {q(QStringLiteral("Version 2.03"))});
    p.writeLines(QStringLiteral("Config/Variables"), lines({"1", "\"seen\""}));
    p.writeLines(QStringLiteral("Project.dat"), {QStringLiteral("287")});
    // The frame "Café" (é is 0xE9 in the files, UTF-8 in the file name on disk).
    p.writeLines(QString::fromUtf8("Frames/CAF\xc3\x89.FME"),
                 lines({"0", "\"255\"", "#FALSE#", "#FALSE#", "\"\"", "#FALSE#", "4", "\"\"",
                        "\"\"", "#TRUE#"}));
    p.writeRaw(QString::fromUtf8("Frames/Caf\xc3\xa9.lks"), "1\n");
    p.writeLines(QString::fromUtf8("Areas/Caf\xc3\xa9/1A.DAT"),
                 lines({"15", "30.5", "600", ".5E+03", "0", "#FALSE#", "\"\"", "0", "\"default\"",
                        "1", "0", "1", "\"seen\""}));
    p.writeRaw(QString::fromUtf8("Areas/Caf\xc3\xa9/1b.dat"),
               "1,\"seen\",#FALSE#,#TRUE#,#FALSE#\n1,\"Hello, world\",0,\"\"\n0,0,1,\"Caf\xe9\"\n");
    p.writeLines(QString::fromUtf8("Areas/Caf\xc3\xa9/1c.dat"), lines({"0", "\"\"", "\"\"", "\"\""}));
}

} // namespace

TEST(QmtoolDump, ReadsOlderLayoutsWithDefaults) {
    TestProject p;
    writeOldProject(p);
    const ToolRun r = qmtool(QStringLiteral("dump"), p.root());
    ASSERT_EQ(r.exitCode, 0) << r.out.constData();

    const QJsonObject g = r.json[QStringLiteral("General")].toObject();
    EXPECT_EQ(g[QStringLiteral("ProjectName")].toString(), QStringLiteral("Old"));
    EXPECT_EQ(g[QStringLiteral("ScreenWidth")].toDouble(), 320);
    EXPECT_EQ(g[QStringLiteral("InitialFrame")].toString(), QString::fromUtf8("Caf\xc3\xa9"));
    EXPECT_EQ(g[QStringLiteral("ShowChangeResolution")].toDouble(), 0);
    EXPECT_EQ(g[QStringLiteral("SingleChannelAudio")].toBool(), false);
    EXPECT_EQ(r.json[QStringLiteral("Version")].toString(), QStringLiteral("Version 2.03"));
    EXPECT_EQ(r.json[QStringLiteral("ProjectDat")].toInt(), 287);
    EXPECT_TRUE(r.json[QStringLiteral("IntegrityOk")].toBool());

    const QJsonObject frames = r.json[QStringLiteral("Frames")].toObject();
    ASSERT_EQ(frames.keys(), QStringList{QString::fromUtf8("CAF\xc3\x89")});
    const QJsonObject frame = frames.begin()->toObject();
    const QJsonObject fme = frame[QStringLiteral("fme")].toObject();
    EXPECT_EQ(fme[QStringLiteral("Background")].toInt(), 255);
    EXPECT_EQ(fme[QStringLiteral("TimerSeconds")].toString(), QStringLiteral("4"));
    EXPECT_EQ(fme[QStringLiteral("Mp3File")].toString(), QString());
    EXPECT_TRUE(fme[QStringLiteral("VideoFullScreen")].toBool());
    EXPECT_EQ(frame[QStringLiteral("AreaCount")].toInt(), 1);

    const QJsonObject area = frame[QStringLiteral("Areas")].toObject()[QStringLiteral("1")].toObject();
    const QJsonObject a = area[QStringLiteral("a")].toObject();
    EXPECT_EQ(a[QStringLiteral("Top")].toDouble(), 30.5);
    EXPECT_EQ(a[QStringLiteral("Height")].toDouble(), 500);
    EXPECT_EQ(a[QStringLiteral("OneList")].toArray(), QJsonArray{QStringLiteral("seen")});
    const QJsonObject b = area[QStringLiteral("b")].toObject();
    EXPECT_EQ(b[QStringLiteral("TextMessage")].toString(), QStringLiteral("Hello, world"));
    EXPECT_EQ(b[QStringLiteral("LegacySetOne")].toBool(), true);
    EXPECT_EQ(b[QStringLiteral("TargetFrame")].toString(), QString::fromUtf8("Caf\xc3\xa9"));
    EXPECT_EQ(b[QStringLiteral("EndedAfter")].toInt(), 13);
    EXPECT_EQ(b[QStringLiteral("PlayMp3")].toInt(), 0);
    EXPECT_EQ(area[QStringLiteral("c")].toObject()[QStringLiteral("GifSpeed")].toInt(), 50);
    // No d.dat: the area's sounds are absent, not an error.
    EXPECT_TRUE(area[QStringLiteral("d")].isNull());
}

TEST(QmtoolDump, ShowsUnreadableFilesAndGoesOn) {
    TestProject p;
    p.writeMinimalProject(QStringLiteral("Test"), QStringLiteral("Start"));
    p.writeLines(QStringLiteral("Frames/Start.fme"), lines({"0", "\"0\"", "#FALSE#"})); // cut short
    p.writeLines(QStringLiteral("Frames/Next.fme"),
                 lines({"1", "\"a.bmp\"", "#FALSE#", "#FALSE#", "\"\"", "#FALSE#", "4", "\"\"",
                        "\"\"", "#TRUE#"}));
    p.writeLines(QStringLiteral("Frames/Next.lks"), lines({"many"}));
    p.writeLines(QStringLiteral("Areas/Key.obj"), QStringList());
    const ToolRun r = qmtool(QStringLiteral("dump"), p.root());
    ASSERT_EQ(r.exitCode, 0);
    const QJsonObject frames = r.json[QStringLiteral("Frames")].toObject();
    EXPECT_TRUE(frames[QStringLiteral("Start")][QStringLiteral("fme")][QStringLiteral("error")].isString());
    EXPECT_EQ(frames[QStringLiteral("Next")][QStringLiteral("fme")][QStringLiteral("Background")].toString(),
              QStringLiteral("a.bmp"));
    EXPECT_TRUE(frames[QStringLiteral("Next")][QStringLiteral("AreaCount")][QStringLiteral("error")].isString());
    EXPECT_TRUE(r.json[QStringLiteral("Items")][QStringLiteral("Key")][QStringLiteral("error")].isString());
}

TEST(QmtoolCheck, ReportsEveryKindOfBrokenLink) {
    TestProject p;
    p.writeMinimalProject(QStringLiteral("Test"), QStringLiteral("Nowhere"));
    p.writeLines(QStringLiteral("Config/Variables"), lines({"1", "\"known\""}));
    p.writeLines(QStringLiteral("Frames/Room.fme"),
                 lines({"1", "\"room.bmp\"", "#FALSE#", "#FALSE#", "\"tune.mid\"", "#TRUE#", "1",
                        "\"[Last Visited Frame]\"", "\"\"", "#TRUE#"}));
    p.writeRaw(QStringLiteral("Frames/room.004"), "BM"); // hidden name of room.bmp
    p.writeLines(QStringLiteral("Frames/Room.lks"), lines({"1"}));
    p.writeLines(QStringLiteral("Areas/Room/1a.dat"),
                 lines({"0", "0", "100", "100", "0", "#TRUE#", "\"gone.bmp\"", "0", "\"hand.cur\"",
                        "1", "1", "\"unknown\"", "1", "\"known\""}));
    p.writeLines(QStringLiteral("Areas/Room/1b.dat"),
                 lines({"0", "\"\"", "#FALSE#", "#FALSE#", "#FALSE#", "0", "\"\"", "0", "\"\"", "0",
                        "0", "1", "\"Attic\""}));
    p.writeLines(QStringLiteral("Areas/Room/1c.dat"), lines({"1", "\"Lamp\"", "\"\"", "\"\"", "50"}));
    p.writeLines(QStringLiteral("Areas/Room/2a.dat"), lines({"oops"}));
    const ToolRun r = qmtool(QStringLiteral("check"), p.root());
    EXPECT_EQ(r.exitCode, 1);
    QStringList found;
    for (const QJsonValue &v : r.json[QStringLiteral("problems")].toArray()) {
        const QJsonObject o = v.toObject();
        found.append(o[QStringLiteral("kind")].toString() + QLatin1Char('|') +
                     o[QStringLiteral("file")].toString() + QLatin1Char('|') +
                     o[QStringLiteral("name")].toString());
    }
    found.sort();
    const QStringList expected = {
        QStringLiteral("missing-file|Areas/Room/1a.dat|gone.bmp"),
        QStringLiteral("missing-file|Areas/Room/1a.dat|hand.cur"),
        QStringLiteral("missing-file|Frames/Room.fme|tune.mid"),
        QStringLiteral("missing-frame|Areas/Room/1b.dat|Attic"),
        QStringLiteral("missing-initial-frame|Config/General|Nowhere"),
        QStringLiteral("missing-item|Areas/Room/1c.dat|Lamp"),
        QStringLiteral("undeclared-variable|Areas/Room/1a.dat|unknown"),
    };
    EXPECT_EQ(found, expected);
}

TEST(QmtoolCheck, UnreadableFileAndExitCodes) {
    TestProject p;
    p.writeMinimalProject(QStringLiteral("Test"), QStringLiteral("Room"));
    p.writeLines(QStringLiteral("Frames/Room.fme"), lines({"0", "\"0\"", "#FALSE#"}));
    ToolRun r = qmtool(QStringLiteral("check"), p.root());
    EXPECT_EQ(r.exitCode, 1);
    const QJsonArray problems = r.json[QStringLiteral("problems")].toArray();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems[0][QStringLiteral("kind")].toString(), QStringLiteral("unreadable-file"));
    EXPECT_EQ(problems[0][QStringLiteral("file")].toString(), QStringLiteral("Frames/Room.fme"));

    TestProject notAProject;
    EXPECT_EQ(qmtool(QStringLiteral("check"), notAProject.root()).exitCode, 2);
    EXPECT_EQ(qmtool(QStringLiteral("frobnicate"), notAProject.root()).exitCode, 2);
}

TEST(QmtoolCheck, SampleProjectIsClean) {
    const ToolRun r = qmtool(QStringLiteral("check"), QStringLiteral(SAMPLE_PROJECT));
    EXPECT_EQ(r.exitCode, 0) << r.out.constData();
    EXPECT_EQ(r.json[QStringLiteral("problems")].toArray().size(), 0);
}

// Through the demo: the shore, the door with its MP3, the key, the lamp room and its video.
const QStringList kWalk = {"start", "click", "1",       "advance", "1000",  "click",
                           "3",     "drop",  "Key",     "2",       "click", "1",
                           "click", "2",     "advance", "3000"};

TEST(QmtoolPlay, TheSameStepsAlwaysPrintTheSameOutput) {
    const PlayRun first = play(QStringLiteral(DEMO_PROJECT), kWalk);
    ASSERT_EQ(first.exitCode, 0) << first.out.constData();
    ASSERT_EQ(first.steps.size(), 8);
    // The MP3 worker's calls are listed with the step that started them, in order.
    const QString mp3 =
        QDir(QStringLiteral(DEMO_PROJECT)).absoluteFilePath(QStringLiteral("Frames/door.mp3"));
    const QJsonArray media = first.steps[2][QStringLiteral("media")].toArray();
    EXPECT_EQ(media.size(), 2) << first.out.constData();
    EXPECT_EQ(media.at(0).toString(), QStringLiteral("mp3gettime \"") + mp3 + QLatin1Char('"'));
    EXPECT_EQ(media.at(1).toString(), QStringLiteral("mp3play \"") + mp3 + QLatin1Char('"'));
    for (int run = 1; run < 20; ++run) {
        const PlayRun again = play(QStringLiteral(DEMO_PROJECT), kWalk);
        ASSERT_EQ(again.out, first.out) << "run " << run;
    }
}

// The game finds items without regard to case: a drop naming the held "Key" as "kEY" does what
// the drop as shown does.
TEST(QmtoolPlay, DropFindsTheItemWithoutRegardToCase) {
    QStringList otherCase = kWalk.mid(0, 10);
    otherCase[8] = QStringLiteral("kEY");
    const PlayRun shown = play(QStringLiteral(DEMO_PROJECT), kWalk.mid(0, 10));
    const PlayRun other = play(QStringLiteral(DEMO_PROJECT), otherCase);
    ASSERT_EQ(shown.steps.size(), 5) << shown.out.constData();
    ASSERT_EQ(other.steps.size(), 5) << other.out.constData();
    QJsonObject dropped = shown.steps[4], droppedOtherCase = other.steps[4];
    EXPECT_EQ(dropped[QStringLiteral("inventory")].toArray(), QJsonArray());
    dropped.remove(QStringLiteral("step"));
    droppedOtherCase.remove(QStringLiteral("step"));
    EXPECT_EQ(droppedOtherCase, dropped);
}

TEST(QmtoolPlay, FilesThatCannotBeOpenedAreReportedAsInTheGame) {
    DemoCopy demo;
    QFile::remove(demo.path(QStringLiteral("Frames/lamp.avi")));
    const PlayRun r = play(demo.root(), kWalk.mid(0, 12));
    ASSERT_EQ(r.exitCode, 0) << r.out.constData();
    const QJsonObject lampRoom = r.steps.last();
    EXPECT_EQ(lampRoom[QStringLiteral("frame")].toString(), QStringLiteral("Lamp Room"));
    const QString quoted =
        QLatin1Char('"') + demo.path(QStringLiteral("Frames/lamp.avi")) + QLatin1Char('"');
    EXPECT_TRUE(reportsOf(lampRoom)
                    .filter(QStringLiteral("Unable to play video. Probably file not found ('") +
                            quoted + QStringLiteral("')."))
                    .size() == 1)
        << r.out.constData();
}

TEST(QmtoolPlay, DamagedGeneralKeepsWhatWasReadBeforeTheDamage) {
    DemoCopy demo;
    QStringList general = QString::fromLatin1(demo.read(QStringLiteral("Config/General")))
                              .split(QStringLiteral("\r\n"));
    general[7] = QStringLiteral("tall"); // the screen height
    demo.writeLines(QStringLiteral("Config/General"), general);
    const PlayRun r = play(demo.root(), {QStringLiteral("start")});
    ASSERT_EQ(r.exitCode, 0) << r.out.constData();
    ASSERT_EQ(r.steps.size(), 1);
    EXPECT_EQ(r.steps[0][QStringLiteral("frame")].toString(), QStringLiteral("Shore"));
    const QStringList reports = reportsOf(r.steps[0]);
    ASSERT_EQ(reports.size(), 1) << r.out.constData();
    EXPECT_TRUE(reports[0].endsWith(QStringLiteral(" Unable to load project information.")))
        << r.out.constData();
}

TEST(QmtoolPlay, OnceTheGameIsClosedOnlyStartAndLoadAct) {
    DemoCopy demo;
    const PlayRun r = play(demo.root(), {"start",   "click",  "1",    "click",  "3",     "save",
                                         "before",  "answer", "yes",  "exit",   "click", "1",
                                         "drop",    "Key",    "2",    "save",   "after", "esc",
                                         "advance", "5000",   "load", "before", "start"});
    ASSERT_EQ(r.exitCode, 0) << r.out.constData();
    ASSERT_EQ(r.steps.size(), 13);
    const auto withoutOutput = [](QJsonObject step) {
        for (const char *key : {"step", "media", "reports"})
            step.remove(QLatin1String(key));
        return step;
    };
    const QJsonObject closed = r.steps[5];
    ASSERT_TRUE(closed[QStringLiteral("closed")].toBool()) << r.out.constData();
    for (int i = 6; i <= 10; ++i) {
        const QJsonObject &step = r.steps[i];
        SCOPED_TRACE(step[QStringLiteral("step")].toString().toStdString());
        EXPECT_EQ(reportsOf(step),
                  QStringList{QStringLiteral("closed: The game is closed: only start and load act; "
                                             "the step changed nothing.")});
        EXPECT_EQ(step[QStringLiteral("media")].toArray(), QJsonArray());
        EXPECT_EQ(withoutOutput(step), withoutOutput(closed));
    }
    EXPECT_TRUE(demo.exists(QStringLiteral("before.sav")));
    EXPECT_FALSE(demo.exists(QStringLiteral("after.sav")));
    // Loading a saved game opens the game again, and so does a new game.
    EXPECT_FALSE(r.steps[11][QStringLiteral("closed")].toBool());
    EXPECT_EQ(r.steps[11][QStringLiteral("frame")].toString(), QStringLiteral("Door"));
    EXPECT_EQ(r.steps[11][QStringLiteral("inventory")].toArray(),
              QJsonArray{QStringLiteral("Key")});
    EXPECT_FALSE(r.steps[12][QStringLiteral("closed")].toBool());
    EXPECT_EQ(r.steps[12][QStringLiteral("frame")].toString(), QStringLiteral("Shore"));
}

// Before a start or load step nothing acts: no save file, no media, the same empty state.
TEST(QmtoolPlay, BeforeTheGameStartsOnlyStartAndLoadAct) {
    DemoCopy demo;
    const QList<QStringList> refused = {
        {"save", "Before click 1"}, {"click", "1"},    {"rclick", "2"}, {"drop", "Key", "2"},
        {"advance", "5000"},        {"answer", "yes"}, {"esc"},         {"exit"}};
    QStringList steps;
    for (const QStringList &step : refused)
        steps += step;
    const PlayRun r = play(demo.root(), steps + QStringList{"start"});
    ASSERT_EQ(r.exitCode, 0) << r.out.constData();
    ASSERT_EQ(r.steps.size(), refused.size() + 1) << r.out.constData();
    const auto withoutStep = [](QJsonObject step) {
        step.remove(QStringLiteral("step"));
        return step;
    };
    for (int i = 0; i < refused.size(); ++i) {
        const QJsonObject &step = r.steps[i];
        SCOPED_TRACE(step[QStringLiteral("step")].toString().toStdString());
        EXPECT_EQ(step[QStringLiteral("step")].toString(), refused[i].join(QLatin1Char(' ')));
        EXPECT_EQ(reportsOf(step), QStringList{QStringLiteral(
                                       "not-started: The game has not started: only start and "
                                       "load act; the step changed nothing.")});
        EXPECT_EQ(step[QStringLiteral("frame")].toString(), QString());
        EXPECT_EQ(withoutStep(step), withoutStep(r.steps[0]));
    }
    EXPECT_EQ(r.steps[0][QStringLiteral("media")].toArray(), QJsonArray());
    EXPECT_FALSE(demo.exists(QStringLiteral("Before click 1.sav")));
    EXPECT_EQ(QDir(demo.root()).entryList({QStringLiteral("*.sav")}), QStringList());
    EXPECT_EQ(r.steps.last()[QStringLiteral("frame")].toString(), QStringLiteral("Shore"));
    EXPECT_EQ(reportsOf(r.steps.last()), QStringList());
}

// A hostile project: links out of the project folder (an item file, the Frames folder of a
// second project, an area folder) and a named pipe in place of a frame file. Nothing outside is
// read, nothing blocks, and check names each link as its own kind of problem.
TEST(QmtoolCheck, LinksOutOfTheProjectAreMissingAndPipesNeverBlock) {
    TestProject outside;
    outside.writeLines(QStringLiteral("secret.obj"), {q(QStringLiteral("SECRET-CONTENT"))});
    outside.writeLines(QStringLiteral("Frames/Far.fme"), lines({"0", "\"0\"", "#FALSE#"}));
    outside.writeLines(QStringLiteral("Room/1a.dat"), lines({"0", "0", "9", "9"}));

    TestProject p;
    p.writeMinimalProject(QStringLiteral("Test"), QStringLiteral("Room"));
    p.writeLines(QStringLiteral("Frames/Room.fme"), lines({"0", "\"0\"", "#FALSE#"}));
    p.writeLines(QStringLiteral("Frames/Room.lks"), lines({"1"}));
    ASSERT_TRUE(QFile::link(outside.path(QStringLiteral("secret.obj")),
                            p.path(QStringLiteral("Areas/Key.obj"))));
    ASSERT_TRUE(
        QFile::link(outside.path(QStringLiteral("Room")), p.path(QStringLiteral("Areas/Room"))));
    ASSERT_EQ(
        mkfifo(QFile::encodeName(p.path(QStringLiteral("Frames/Pipe.fme"))).constData(), 0600), 0);

    const ToolRun dump = qmtool(QStringLiteral("dump"), p.root());
    ASSERT_EQ(dump.exitCode, 0) << dump.out.constData();
    EXPECT_FALSE(dump.out.contains("SECRET-CONTENT"));
    EXPECT_FALSE(dump.json[QStringLiteral("Items")].toObject().contains(QStringLiteral("Key")));
    const QJsonObject frames = dump.json[QStringLiteral("Frames")].toObject();
    EXPECT_TRUE(frames[QStringLiteral("Pipe")][QStringLiteral("fme")][QStringLiteral("error")]
                    .toString()
                    .contains(QStringLiteral("Not a regular file")))
        << dump.out.constData();
    // Area 1 of Room lives in the linked folder: it reads as missing.
    const QJsonValue look = frames[QStringLiteral("Room")][QStringLiteral("Areas")]
                                  [QStringLiteral("1")][QStringLiteral("a")];
    EXPECT_TRUE(
        look[QStringLiteral("error")].toString().contains(QStringLiteral("out of the project")))
        << dump.out.constData();
    EXPECT_TRUE(look[QStringLiteral("Width")].isUndefined());

    const ToolRun check = qmtool(QStringLiteral("check"), p.root());
    EXPECT_EQ(check.exitCode, 1);
    QStringList links;
    for (const QJsonValue &v : check.json[QStringLiteral("problems")].toArray()) {
        if (v[QStringLiteral("kind")].toString() == QLatin1String("link-outside-project"))
            links.append(v[QStringLiteral("file")].toString());
    }
    links.sort();
    EXPECT_EQ(links, QStringList({"Areas/Key.obj", "Areas/Room"})) << check.out.constData();

    // Moving the Frames folder out of the project takes every frame with it.
    TestProject linkedFrames;
    linkedFrames.writeMinimalProject(QStringLiteral("Test"), QStringLiteral("Far"));
    QDir(linkedFrames.path(QStringLiteral("Frames"))).removeRecursively();
    ASSERT_TRUE(QFile::link(outside.path(QStringLiteral("Frames")),
                            linkedFrames.path(QStringLiteral("Frames"))));
    const ToolRun farDump = qmtool(QStringLiteral("dump"), linkedFrames.root());
    EXPECT_TRUE(farDump.json[QStringLiteral("Frames")].toObject().isEmpty())
        << farDump.out.constData();
}

// qmtool lies in the editor's installation folder: without --editor it takes the player from
// there.
TEST(QmtoolPackage, FindsThePlayerInItsOwnFolder) {
    QTemporaryDir out;
    QProcess p;
    p.start(QStringLiteral(QMTOOL_PATH), {QStringLiteral("package"), QStringLiteral(DEMO_PROJECT),
                                          QStringLiteral("--deb"), QStringLiteral("--to"),
                                          out.path()});
    ASSERT_TRUE(p.waitForFinished(300000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().constData();
    EXPECT_EQ(QDir(out.path()).entryList({QStringLiteral("*.deb")}).size(), 1);
}

// qmtool usages, rename and remove on a game whose frame Cellar and item Key are named in every
// kind of place: exit codes, what the project check finds afterwards, and the game still played.

#include "ReferenceGame.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct Output {
    int exitCode = -1;
    QByteArray out;
};

Output qmtool(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(QMTOOL_PATH), args);
    Output r;
    if (p.waitForFinished(60000)) {
        r.exitCode = p.exitCode();
        r.out = p.readAllStandardOutput();
    }
    return r;
}

} // namespace

TEST(ReferenceCommandsTest, UsagesRenameAndRemoveFromTheCommandLine) {
    struct Case {
        QStringList args; // after the command word, the project first
        int exitCode;
        int checkExitCode; // of qmtool check afterwards
        const char *presentAfter;
        const char *absentAfter;
    };
    const Case cases[] = {
        {{"usages", "frame", "cellar"}, 0, 0, "Frames/Cellar.fme", ""},
        {{"usages", "item", "Anchor"}, 1, 0, "Areas/Key.obj", ""},
        {{"rename", "frame", "Cellar", "Vault"}, 0, 0, "Areas/Vault/1a.dat", "Frames/Cellar.fme"},
        {{"rename", "item", "Key", "Gold Key"},
         0,
         0,
         "Areas/Gold Key_on_Rope.drg",
         "Areas/Key.obj"},
        {{"rename", "frame", "Cellar", "attic"}, 1, 0, "Frames/Cellar.fme", "Frames/attic.fme"},
        {{"rename", "frame", "Cellar"}, 2, 0, "Frames/Cellar.fme", ""},
        {{"remove", "item", "Key", "--clear-references"},
         0,
         0,
         "Areas/Rope.obj",
         "Areas/Key_on_Rope.drg"},
        {{"remove", "frame", "Cellar", "--keep-references"},
         0,
         1,
         "Areas/Hall/1b.dat",
         "Areas/Cellar"},
        {{"remove", "frame", "Cellar"}, 2, 0, "Frames/Cellar.fme", ""},
        {{"remove", "frame", "Garden", "--clear-references"}, 1, 0, "Frames/Cellar.fme", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        ReferenceGame g;
        QStringList args = c.args;
        args.insert(1, g.root());
        EXPECT_EQ(qmtool(args).exitCode, c.exitCode);
        EXPECT_EQ(qmtool({"check", g.root()}).exitCode, c.checkExitCode);
        EXPECT_TRUE(g.exists(c.presentAfter));
        if (*c.absentAfter) {
            EXPECT_FALSE(g.exists(c.absentAfter));
        }
    }

    ReferenceGame g;
    const Output usages = qmtool({"usages", g.root(), "frame", "Cellar", "--json"});
    const QJsonObject o = QJsonDocument::fromJson(usages.out).object();
    EXPECT_EQ(o["references"].toArray().size(), 8);
    EXPECT_EQ(o["savedGames"].toArray(), QJsonArray{"Evening"});
    EXPECT_EQ(qmtool({"usages", g.path("Areas"), "frame", "Cellar"}).exitCode, 2);

    // The renamed frame is where the game goes.
    ASSERT_EQ(qmtool({"rename", g.root(), "frame", "Cellar", "Vault"}).exitCode, 0);
    const QList<QByteArray> steps =
        qmtool({"play", g.root(), "start", "click", "1"}).out.split('\n');
    ASSERT_GE(steps.size(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(steps[1]).object()["frame"].toString(), "Vault");
}

TEST(ReferenceCommandsTest, TheDemoGameStillReachesItsEndAfterRenames) {
    TestProject demo;
    QProcess::execute("cp", {"-R", QStringLiteral(DEMO_PROJECT) + "/.", demo.root()});
    ASSERT_EQ(qmtool({"rename", demo.root(), "frame", "Beacon", "Signal Fire"}).exitCode, 0);
    ASSERT_EQ(qmtool({"rename", demo.root(), "item", "Lit match", "Burning match"}).exitCode, 0);
    EXPECT_EQ(qmtool({"check", demo.root()}).exitCode, 0);
    const Output explored = qmtool({"explore", demo.root(), "--max-seconds", "30"});
    EXPECT_EQ(explored.exitCode, 0) << explored.out.toStdString();
    EXPECT_TRUE(explored.out.contains("drop 'Burning match'")) << explored.out.toStdString();
}

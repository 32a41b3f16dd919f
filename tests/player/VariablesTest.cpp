#include "CustomTexts.h"
#include "ErrorReporter.h"
#include "GameVariables.h"
#include "TestProject.h"
#include "VariablesCollection.h"

#include <gtest/gtest.h>

namespace {

class RecordingReporter : public ErrorReporter {
public:
    void reportError(const QString &specificMessage) override { messages.append(specificMessage); }
    QStringList messages;
};

QStringList names(const VariablesCollection &c) {
    QStringList out;
    for (const ClassVariable &v : c)
        out.append(v.Name + QLatin1Char('=') + QString::number(v.Value));
    return out;
}

} // namespace

TEST(VariablesCollection, KeepsInsertionOrderAndPositionsFromOne) {
    VariablesCollection c;
    ASSERT_NE(c.Add(QStringLiteral("a"), 0), nullptr);
    ASSERT_NE(c.Add(QStringLiteral("b"), 1, QStringLiteral("KeyB")), nullptr);
    c.Add(QStringLiteral("c"), 0);
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Item(1)->Name, QStringLiteral("a"));
    EXPECT_EQ(c.Item(3)->Name, QStringLiteral("c"));
    EXPECT_EQ(c.Item(0), nullptr);
    EXPECT_EQ(c.Item(4), nullptr);
    // Keys are found without regard to case and are unique.
    ASSERT_NE(c.Item(QStringLiteral("keyb")), nullptr);
    EXPECT_EQ(c.Item(QStringLiteral("keyb"))->Name, QStringLiteral("b"));
    EXPECT_EQ(c.Add(QStringLiteral("d"), 0, QStringLiteral("KEYB")), nullptr);
    EXPECT_EQ(c.Count(), 3);

    EXPECT_TRUE(c.Remove(1));
    EXPECT_EQ(names(c), (QStringList{QStringLiteral("b=1"), QStringLiteral("c=0")}));
    EXPECT_TRUE(c.Remove(QStringLiteral("KeyB")));
    EXPECT_EQ(names(c), QStringList{QStringLiteral("c=0")});
    EXPECT_FALSE(c.Remove(QStringLiteral("KeyB")));
    EXPECT_FALSE(c.Remove(5));
}

TEST(GameVariables, LoadsEveryNameAtZeroInFileOrderWithDuplicates) {
    TestProject p;
    p.writeMinimalProject();
    p.writeLines(QStringLiteral("Config/Variables"),
                 {QStringLiteral("3"), q(QStringLiteral("door")), q(QStringLiteral("lamp")),
                  q(QStringLiteral("door"))});
    GameVariables g;
    g.Variables.Add(QStringLiteral("left over"), 1);
    RecordingReporter r;
    g.LoadVariables(p.paths(), r);
    EXPECT_TRUE(r.messages.isEmpty());
    EXPECT_EQ(names(g.Variables), (QStringList{QStringLiteral("door=0"), QStringLiteral("lamp=0"),
                                               QStringLiteral("door=0")}));
}

TEST(GameVariables, EmptyListGivesEmptyCollectionWithoutMessage) {
    TestProject p;
    p.writeMinimalProject();
    GameVariables g;
    RecordingReporter r;
    g.LoadVariables(p.paths(), r);
    EXPECT_EQ(g.Variables.Count(), 0);
    EXPECT_TRUE(r.messages.isEmpty());
}

TEST(GameVariables, FailedLoadKeepsNamesReadAndReports) {
    TestProject p;
    p.writeMinimalProject();
    // The count promises three names, the file holds two.
    p.writeLines(QStringLiteral("Config/Variables"),
                 {QStringLiteral("3"), q(QStringLiteral("a")), q(QStringLiteral("b"))});
    GameVariables g;
    RecordingReporter r;
    g.LoadVariables(p.paths(), r);
    EXPECT_EQ(names(g.Variables), (QStringList{QStringLiteral("a=0"), QStringLiteral("b=0")}));
    EXPECT_EQ(r.messages, QStringList{QStringLiteral(" Unable to load variables list.")});

    // A missing file is a failure too.
    TestProject empty;
    GameVariables none;
    RecordingReporter r2;
    none.LoadVariables(empty.paths(), r2);
    EXPECT_EQ(none.Variables.Count(), 0);
    EXPECT_EQ(r2.messages.size(), 1);
}

TEST(GameVariables, GetAndChangeFollowTheNameRules) {
    GameVariables g;
    g.Variables.Add(QStringLiteral("Door"), 0);
    g.Variables.Add(QStringLiteral("lamp"), 1);
    g.Variables.Add(QStringLiteral("Door"), 1); // a hand-edited list with the name twice

    // The first entry of a name is the one read; letter case counts; unknown reads as -1.
    EXPECT_EQ(g.GetVariableValue(QStringLiteral("Door")), 0);
    EXPECT_EQ(g.GetVariableValue(QStringLiteral("door")), -1);
    EXPECT_EQ(g.GetVariableValue(QStringLiteral("nothing")), -1);

    // Every entry of the name changes.
    g.ChangeVariableValue(QStringLiteral("Door"), 1);
    EXPECT_EQ(g.Variables.Item(1)->Value, 1);
    EXPECT_EQ(g.Variables.Item(3)->Value, 1);

    // Inverting twice gives the first value back.
    g.ChangeVariableValue(QStringLiteral("lamp"), -1);
    EXPECT_EQ(g.GetVariableValue(QStringLiteral("lamp")), 0);
    g.ChangeVariableValue(QStringLiteral("lamp"), -1);
    EXPECT_EQ(g.GetVariableValue(QStringLiteral("lamp")), 1);

    // A removed variable changes nothing.
    const QStringList before = names(g.Variables);
    g.ChangeVariableValue(QStringLiteral("removed"), 1);
    g.ChangeVariableValue(QStringLiteral("DOOR"), 0);
    EXPECT_EQ(names(g.Variables), before);
}

TEST(GameVariables, ResetEmptiesVariablesAndHiddenAreas) {
    GameVariables g;
    g.Variables.Add(QStringLiteral("a"), 1);
    g.Disappear.Add(QStringLiteral("Hall"), 2);
    g.reset();
    EXPECT_EQ(g.Variables.Count(), 0);
    EXPECT_EQ(g.Disappear.Count(), 0);
}

TEST(StandardErrorReport, ComposesTitleAndTextFromCustomTexts) {
    const ErrorReport games =
        standardErrorReport(CustomTexts::builtIn(CustomTexts::Games), QStringLiteral(" Boom."));
    EXPECT_EQ(games.title, QStringLiteral("Error"));
    EXPECT_EQ(games.text,
              QStringLiteral("An error has occurred. This game may not work properly. Press 'Esc' "
                             "and the click 'Exit' to quit.\n\nError description: Boom."));

    CustomTexts custom;
    custom.setText(29, QStringLiteral("Fehler"));
    custom.setText(30, QStringLiteral("Etwas ging schief."));
    custom.setText(31, QStringLiteral("Beschreibung:"));
    const ErrorReport own = standardErrorReport(custom, QStringLiteral(" x"));
    EXPECT_EQ(own.title, QStringLiteral("Fehler"));
    EXPECT_EQ(own.text, QStringLiteral("Etwas ging schief.\n\nBeschreibung: x"));
}

// Texts placed on frames, inventory items, item-on-item events and the variables list.

#include "Items.h"
#include "TestProject.h"
#include "TextLabels.h"
#include "VariablesFile.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class FrameTextsTest : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(folder()); }
    QString folder() const { return p.path(QStringLiteral("Areas/Hall/")); }
    TestProject p;
};

class ItemsTest : public ::testing::Test {
protected:
    void SetUp() override { p.writeMinimalProject(); }
    Items items() const { return Items(p.paths()); }
    TestProject p;
};

ItemEvent event(const QString &first, const QString &second) {
    ItemEvent e;
    e.First = first;
    e.Second = second;
    return e;
}

} // namespace

// --- Texts on frames --------------------------------------------------------------------------

TEST_F(FrameTextsTest, NewTextTakesTheLowestFreeNumber) {
    EXPECT_EQ(TextLabels::nextFree(folder()), folder() + QStringLiteral("Text01.lbl"));
    p.writeRaw(QStringLiteral("Areas/Hall/Text01.lbl"), "x");
    p.writeRaw(QStringLiteral("Areas/Hall/Text03.lbl"), "x");
    EXPECT_EQ(TextLabels::nextFree(folder()), folder() + QStringLiteral("Text02.lbl"));
    // A file in another letter case takes its number too.
    p.writeRaw(QStringLiteral("Areas/Hall/TEXT02.LBL"), "x");
    EXPECT_EQ(TextLabels::nextFree(folder()), folder() + QStringLiteral("Text04.lbl"));
}

TEST_F(FrameTextsTest, NumbersHaveAtLeastTwoDigits) {
    EXPECT_EQ(TextLabels::fileName(1), QStringLiteral("Text01.lbl"));
    EXPECT_EQ(TextLabels::fileName(99), QStringLiteral("Text99.lbl"));
    EXPECT_EQ(TextLabels::fileName(100), QStringLiteral("Text100.lbl"));
    for (int n = 1; n <= 99; ++n)
        p.writeRaw(QStringLiteral("Areas/Hall/") + TextLabels::fileName(n), "x");
    EXPECT_EQ(TextLabels::nextFree(folder()), folder() + QStringLiteral("Text100.lbl"));
}

TEST_F(FrameTextsTest, ListIsAlphabeticalAndTakesEveryLblFile) {
    for (const char *f : {"Text10.lbl", "Text02.lbl", "text03.LBL", "1a.dat", "Text100.lbl"})
        p.writeRaw(QStringLiteral("Areas/Hall/") + QLatin1String(f), "x");
    EXPECT_EQ(TextLabels::list(folder()),
              (QStringList{"Text02.lbl", "text03.LBL", "Text10.lbl", "Text100.lbl"}));
    EXPECT_TRUE(TextLabels::list(p.path(QStringLiteral("Areas/None/"))).isEmpty());
}

TEST_F(FrameTextsTest, TextRoundTripAndRemove) {
    TextLabel t;
    t.Caption = QString::fromUtf8("Welcome, stranger — café");
    t.Left = 150;
    t.Top = 315.5;
    t.FontBold = true;
    t.FontItalic = false;
    t.FontName = QStringLiteral("Times New Roman");
    t.FontSize = 13.5;
    t.FontStrikethru = true;
    t.FontUnderline = true;
    t.ForeColor = 16711935;
    const QString path = TextLabels::nextFree(folder());
    ASSERT_TRUE(writeTextLabel(path, t).ok());
    EXPECT_EQ(
        p.read(QStringLiteral("Areas/Hall/Text01.lbl")),
        QByteArray("\"Welcome, stranger \x97 caf\xE9\"\r\n150\r\n315.5\r\n#TRUE#\r\n#FALSE#\r\n"
                   "\"Times New Roman\"\r\n13.5\r\n#TRUE#\r\n#TRUE#\r\n16711935\r\n"));
    TextLabel r;
    ASSERT_TRUE(readTextLabel(path, r).ok());
    EXPECT_EQ(r.Caption, t.Caption);
    EXPECT_DOUBLE_EQ(r.Left, 150);
    EXPECT_DOUBLE_EQ(r.Top, 315.5);
    EXPECT_TRUE(r.FontBold);
    EXPECT_FALSE(r.FontItalic);
    EXPECT_EQ(r.FontName, t.FontName);
    EXPECT_DOUBLE_EQ(r.FontSize, 13.5);
    EXPECT_TRUE(r.FontStrikethru);
    EXPECT_TRUE(r.FontUnderline);
    EXPECT_EQ(r.ForeColor, 16711935);

    ASSERT_TRUE(TextLabels::remove(path).ok());
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(TextLabels::nextFree(folder()), path);
}

TEST_F(FrameTextsTest, ShortTextFileIsUnreadable) {
    const QString path = p.writeLines(QStringLiteral("Areas/Hall/Text01.lbl"),
                                      {q(QStringLiteral("Hi")), QStringLiteral("0")});
    TextLabel r;
    EXPECT_FALSE(readTextLabel(path, r).ok());
}

// --- Items and item-on-item events ------------------------------------------------------------

TEST_F(ItemsTest, ItemsAreTheObjFilesInAnyCase) {
    for (const char *f : {"Areas/Key.obj", "Areas/lamp.OBJ", "Areas/Rope.Obj",
                          "Areas/Key_on_lamp.drg", "Areas/key.ico", "Areas/Hall/Inner.obj"})
        p.writeRaw(QString::fromLatin1(f), "\"x.ico\"\r\n");
    EXPECT_EQ(items().list(), (QStringList{"Key", "lamp", "Rope"}));
}

TEST_F(ItemsTest, CreateCopiesTheIconAndWritesItsName) {
    p.writeRaw(QStringLiteral("source/Key icon.ico"), "NEW");
    p.writeRaw(QStringLiteral("source/lamp.ico"), "LAMP");
    p.writeRaw(QStringLiteral("Areas/lamp.ico"), "OLD");
    ASSERT_TRUE(
        items().create(QStringLiteral("Key"), p.path(QStringLiteral("source/Key icon.ico"))).ok());
    EXPECT_EQ(p.read(QStringLiteral("Areas/Key icon.ico")), QByteArray("NEW"));
    EXPECT_EQ(p.read(QStringLiteral("Areas/Key.obj")), QByteArray("\"Key icon.ico\"\r\n"));
    // An icon already in Areas/ stays; the item is written all the same.
    ASSERT_TRUE(
        items().create(QStringLiteral("Lamp"), p.path(QStringLiteral("source/lamp.ico"))).ok());
    EXPECT_EQ(p.read(QStringLiteral("Areas/lamp.ico")), QByteArray("OLD"));
    ItemFile f;
    ASSERT_TRUE(items().read(QStringLiteral("Lamp"), f).ok());
    EXPECT_EQ(f.IconFile, QStringLiteral("lamp.ico"));

    ASSERT_TRUE(items().remove(QStringLiteral("Key")).ok());
    EXPECT_FALSE(p.exists(QStringLiteral("Areas/Key.obj")));
    EXPECT_FALSE(items().read(QStringLiteral("Key"), f).ok());
    EXPECT_FALSE(items().write(QStringLiteral("a/b"), f).ok());
}

TEST_F(ItemsTest, EventOfAOnBIsNotTheEventOfBOnA) {
    ItemEvent e = event(QStringLiteral("Key"), QStringLiteral("Box"));
    e.RemoveFirst = 1;
    e.AddNew = 1;
    e.NewItem = QStringLiteral("Open box");
    ASSERT_TRUE(items().writeEvent(e).ok());
    EXPECT_EQ(p.read(QStringLiteral("Areas/Key_on_Box.drg")),
              QByteArray("1\r\n0\r\n1\r\n\"Open box\"\r\n"));
    EXPECT_TRUE(items().hasEvent(QStringLiteral("Key"), QStringLiteral("Box")));
    EXPECT_FALSE(items().hasEvent(QStringLiteral("Box"), QStringLiteral("Key")));
    ItemEvent r;
    EXPECT_FALSE(items().readEvent(QStringLiteral("Box"), QStringLiteral("Key"), r).ok());
    ASSERT_TRUE(items().readEvent(QStringLiteral("Key"), QStringLiteral("Box"), r).ok());
    EXPECT_EQ(r.First, QStringLiteral("Key"));
    EXPECT_EQ(r.Second, QStringLiteral("Box"));
    EXPECT_EQ(r.RemoveFirst, 1);
    EXPECT_EQ(r.RemoveSecond, 0);
    EXPECT_EQ(r.AddNew, 1);
    EXPECT_EQ(r.NewItem, QStringLiteral("Open box"));
}

TEST_F(ItemsTest, EventListSplitsNamesHoldingOn) {
    for (const char *f : {"Areas/Red_on_key.obj", "Areas/Door.obj", "Areas/Key.obj"})
        p.writeRaw(QString::fromLatin1(f), "\"x.ico\"\r\n");
    p.writeLines(QStringLiteral("Areas/Red_on_key_on_Door.drg"),
                 {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"), q(QString())});
    p.writeLines(QStringLiteral("Areas/Key_on_Door.drg"),
                 {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"), q(QString())});
    p.writeRaw(QStringLiteral("Areas/Key_on_Door_bad.drg"), "oops\r\n");
    QStringList unreadable;
    const QList<ItemEvent> events = items().events(&unreadable);
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].First, QStringLiteral("Key"));
    EXPECT_EQ(events[0].Second, QStringLiteral("Door"));
    EXPECT_EQ(events[0].RemoveFirst, 1);
    EXPECT_EQ(events[1].First, QStringLiteral("Red_on_key"));
    EXPECT_EQ(events[1].Second, QStringLiteral("Door"));
    EXPECT_EQ(events[1].RemoveSecond, 1);
    EXPECT_EQ(unreadable, (QStringList{"Key_on_Door_bad.drg"}));

    QString first, second;
    EXPECT_FALSE(Items::splitEventName(QStringLiteral("_on_Door"), {}, first, second));
    EXPECT_FALSE(Items::splitEventName(QStringLiteral("KeyDoor"), {}, first, second));
    ASSERT_TRUE(Items::splitEventName(QStringLiteral("A_on_B_on_C"), {}, first, second));
    EXPECT_EQ(first, QStringLiteral("A"));
    EXPECT_EQ(second, QStringLiteral("B_on_C"));
}

TEST_F(ItemsTest, EditorRefusesIncompleteEvents) {
    const Status::Icon info = Status::Icon::Information;
    Status s = Items::checkEvent(event(QString(), QStringLiteral("Box")));
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.text(), QStringLiteral("You must select two items."));
    EXPECT_EQ(s.icon(), info);
    s = Items::checkEvent(event(QStringLiteral("Key"), QString()));
    EXPECT_EQ(s.text(), QStringLiteral("You must select two items."));

    ItemEvent e = event(QStringLiteral("Key"), QStringLiteral("Box"));
    e.AddNew = 1;
    s = Items::checkEvent(e);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.text(), QStringLiteral("You must select the new item."));

    s = Items::checkEvent(event(QStringLiteral("Key"), QStringLiteral("Key")));
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.text(), QStringLiteral("The first item must be different from the second item. "
                                       "Users cannot use an item on itself."));

    e.NewItem = QStringLiteral("Open box");
    EXPECT_TRUE(Items::checkEvent(e).ok());
    EXPECT_TRUE(Items::checkEvent(event(QStringLiteral("Key"), QStringLiteral("Box"))).ok());
}

// --- Config/Variables -------------------------------------------------------------------------

TEST(VariablesFileTest, CountOfZeroIsValid) {
    TestProject p;
    const QString path = p.writeLines(QStringLiteral("Config/Variables"), {QStringLiteral("0")});
    QStringList names{QStringLiteral("stale")};
    ASSERT_TRUE(readVariablesFile(path, names).ok());
    EXPECT_TRUE(names.isEmpty());
}

TEST(VariablesFileTest, RoundTripKeepsTheOrder) {
    TestProject p;
    QDir().mkpath(p.path(QStringLiteral("Config")));
    const QString path = p.path(QStringLiteral("Config/Variables"));
    const QStringList names{QStringLiteral("zebra"), QStringLiteral("door open"),
                            QString::fromUtf8("clé, rouillée"), QStringLiteral("a")};
    ASSERT_TRUE(writeVariablesFile(path, names).ok());
    EXPECT_EQ(
        p.read(QStringLiteral("Config/Variables")),
        QByteArray("4\r\n\"zebra\"\r\n\"door open\"\r\n\"cl\xE9, rouill\xE9\x65\"\r\n\"a\"\r\n"));
    QStringList r;
    ASSERT_TRUE(readVariablesFile(path, r).ok());
    EXPECT_EQ(r, names);

    const Status s = writeVariablesFile(path, {QStringLiteral("say \"x\"")});
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.title(), QStringLiteral("Error Saving Variables"));
    EXPECT_EQ(s.text(), QStringLiteral("Unable to save variables."));
    ASSERT_TRUE(readVariablesFile(path, r).ok());
    EXPECT_EQ(r, names);
}

TEST(VariablesFileTest, HugeOrNegativeCountIsRefused) {
    TestProject p;
    const QString path =
        p.writeLines(QStringLiteral("Config/Variables"), {QStringLiteral("99999999"), q("a")});
    QStringList r;
    EXPECT_FALSE(readVariablesFile(path, r).ok());
    EXPECT_TRUE(r.isEmpty());
    p.writeLines(QStringLiteral("Config/Variables"), {QStringLiteral("-3")});
    EXPECT_FALSE(readVariablesFile(path, r).ok());
}

TEST(VariablesFileTest, ShortFileKeepsTheNamesReadBeforeTheEnd) {
    TestProject p;
    const QString path =
        p.writeLines(QStringLiteral("Config/Variables"), {QStringLiteral("3"), q("a"), q("b")});
    QStringList r;
    EXPECT_FALSE(readVariablesFile(path, r).ok());
    EXPECT_EQ(r, (QStringList{"a", "b"}));
}

// The inventory: picking items up, where they sit, combining them and dropping them on areas.

#include "EngineTestSupport.h"

#include "MediaPlayers.h"
#include "RecordWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace {

const QString Start = QStringLiteral("Start");
const QString Room = QStringLiteral("Room");

class Inventory : public EngineTest {
protected:
    // A started game on an empty frame with the given items in the inventory, in order.
    void startWith(const QStringList &items) {
        for (const QString &item : items) {
            if (!QFile::exists(project.paths().AreasPath() + item + QStringLiteral(".obj")))
                project.item(item);
        }
        if (!project.frames().exists(Start))
            project.frame(Start);
        start();
        for (const QString &item : items)
            engine->AddPickedObject(item);
        ASSERT_EQ(inventory(), items);
    }
    // Drags slot `from` with the left button and drops it on slot `onto`.
    void combine(int from, int onto) {
        engine->slotPressed(from, 1);
        engine->dropOnSlot(onto);
    }
    void drop(int slot, int area) {
        engine->slotPressed(slot, 1);
        engine->dropOnArea(area);
    }
};

class ItemEvents : public Inventory {};
class DropEvents : public Inventory {};

} // namespace

TEST_F(Inventory, ItemsFillRowsOfThirtyFivePixelCells) {
    QStringList items;
    for (int i = 1; i <= 19; ++i)
        items.append(QStringLiteral("item%1").arg(i));
    startWith(items);
    const QList<InventorySlot> &cells = engine->scene().inventory;
    EXPECT_EQ(cells[0].cell, QPoint(0, 0));
    EXPECT_EQ(cells[1].cell, QPoint(35, 0));
    EXPECT_EQ(cells[17].cell, QPoint(595, 0)); // 640 / 35: 18 to a row
    EXPECT_EQ(cells[18].cell, QPoint(0, 35));
    EXPECT_EQ(cells[18].picture, project.paths().AreasPath() + QStringLiteral("item19.bmp"));

    // Removing an item moves the later ones one cell back.
    engine->RemovePickedObject(1);
    ASSERT_EQ(engine->ObjectsCount(), 18);
    EXPECT_EQ(engine->scene().inventory[17].name, QStringLiteral("item19"));
    EXPECT_EQ(engine->scene().inventory[17].cell, QPoint(595, 0));
    EXPECT_EQ(engine->scene().inventory[0].name, QStringLiteral("item2"));
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(Inventory, NarrowProjectHoldsFewerItemsToARow) {
    project.general.ScreenWidth = 320;
    project.general.ScreenHeight = 240;
    QStringList items;
    for (int i = 1; i <= 10; ++i)
        items.append(QStringLiteral("item%1").arg(i));
    startWith(items);
    EXPECT_EQ(engine->scene().inventory[8].cell, QPoint(280, 0)); // 320 / 35: 9 to a row
    EXPECT_EQ(engine->scene().inventory[9].cell, QPoint(0, 35));
}

TEST_F(Inventory, ClickingAnItemAreaTwiceAddsTheItemTwice) {
    project.item(QStringLiteral("coin"));
    project.frame(Start);
    Area a = areaWith();
    a.item.PickItem = 1;
    a.item.ItemName = QStringLiteral("coin");
    project.area(Start, 1, a);
    Area notAnItem = areaWith(ActionRecord(), 2);
    notAnItem.item.PickItem = 0;
    notAnItem.item.ItemName = QStringLiteral("coin");
    project.area(Start, 2, notAnItem);
    // A pick-up needs only the first two values: damage after them does not stop it.
    project.area(Start, 3, areaWith(ActionRecord(), 3));
    project.writeLines(QStringLiteral("Areas/Start/3c.dat"),
                       {QStringLiteral("1"), q(QStringLiteral("coin")), q(QString()), q(QString()),
                        QStringLiteral("fast")});
    project.area(Start, 4, areaWith(ActionRecord(), 4));
    project.writeLines(QStringLiteral("Areas/Start/4c.dat"),
                       {QStringLiteral("1"), q(QStringLiteral("coin"))});
    start();

    engine->AreaClick(1, 1);
    engine->AreaClick(1, 1);
    engine->AreaClick(2, 1);
    EXPECT_EQ(inventory(), (QStringList{QStringLiteral("coin"), QStringLiteral("coin")}));
    engine->AreaClick(3, 1);
    engine->AreaClick(4, 1);
    EXPECT_EQ(inventory().size(), 4);
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(Inventory, MissingItemFileIsReportedAndTheInventoryIsUnchanged) {
    project.variables({QStringLiteral("door")});
    project.frame(Start);
    ActionRecord open;
    open.ChangeVariables = 1;
    open.LegacyVariable = QStringLiteral("door");
    open.LegacySetOne = true;
    Area a = areaWith(open);
    a.item.PickItem = 1;
    a.item.ItemName = QStringLiteral("ghost");
    project.area(Start, 1, a);
    startWith({QStringLiteral("key")});

    engine->AreaClick(1, 1);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral(" Unable to pick up 'ghost'.")});
    EXPECT_EQ(inventory(), QStringList{QStringLiteral("key")});
    EXPECT_EQ(value(QStringLiteral("door")), 1); // the area's actions still run
}

TEST_F(Inventory, ItemNamesWithPathComponentsReadNothingOutsideTheProject) {
    // An item file one folder above the project: "..\..\name" from Areas/ would reach it.
    QTemporaryFile outside(QDir::cleanPath(project.root() + QStringLiteral("..")) +
                           QStringLiteral("/qm-sentinel-XXXXXX.obj"));
    ASSERT_TRUE(outside.open());
    outside.write("\"escaped.bmp\"\r\n");
    outside.close();
    const QString base = QFileInfo(outside.fileName()).completeBaseName();
    // And one in the project root, one folder above Areas/.
    project.writeLines(QStringLiteral("rooted.obj"), {q(QStringLiteral("escaped.bmp"))});
    project.touch(QStringLiteral("escaped.bmp"));

    startWith({});
    const QStringList names = {QStringLiteral("..\\..\\") + base, QStringLiteral("../../") + base,
                               QStringLiteral("../rooted"), QStringLiteral("..\\rooted"),
                               QStringLiteral("../../etc/passwd")};
    for (const QString &name : names) {
        engine->AddPickedObject(name);
        EXPECT_EQ(takeErrors(), QStringList{QStringLiteral(" Unable to pick up '") + name +
                                            QStringLiteral("'.")});
    }
    EXPECT_TRUE(inventory().isEmpty());
    EXPECT_TRUE(takeBoxes().isEmpty());
    EXPECT_EQ(media.indexOf(QStringLiteral("escaped")), -1);
}

TEST_F(Inventory, PressesOnSlotsToggleTheMenuOrStartADrag) {
    startWith({QStringLiteral("key"), QStringLiteral("rope")});
    engine->slotPressed(2, 2);
    EXPECT_TRUE(engine->scene().menuExitShown);
    EXPECT_EQ(engine->draggedSlot(), 0);
    engine->slotPressed(2, 2);
    EXPECT_FALSE(engine->scene().menuExitShown);
    engine->slotPressed(2, 2);
    engine->slotPressed(2, 1);
    EXPECT_FALSE(engine->scene().menuExitShown);
    EXPECT_EQ(engine->draggedSlot(), 2);
}

TEST_F(ItemEvents, FirstOntoALaterSlotRemovingBothAndAddingOne) {
    project.item(QStringLiteral("C"));
    project.itemEvent(QStringLiteral("A"), QStringLiteral("B"), true, true, QStringLiteral("C"));
    startWith({QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("B")});
    combine(1, 3);
    EXPECT_EQ(inventory(), (QStringList{QStringLiteral("X"), QStringLiteral("C")}));
    EXPECT_EQ(engine->scene().inventory[1].cell, QPoint(35, 0));
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(ItemEvents, LaterSlotOntoAnEarlierOneRemovingBoth) {
    project.itemEvent(QStringLiteral("B"), QStringLiteral("A"), true, true);
    startWith({QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("B")});
    combine(3, 1);
    EXPECT_EQ(inventory(), QStringList{QStringLiteral("X")});
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(ItemEvents, RemovingOnlyOneOfTheTwo) {
    project.itemEvent(QStringLiteral("A"), QStringLiteral("B"), false, true);
    project.itemEvent(QStringLiteral("B"), QStringLiteral("X"), true, false);
    startWith({QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("B")});
    combine(1, 3);
    EXPECT_EQ(inventory(), (QStringList{QStringLiteral("A"), QStringLiteral("X")}));
    engine->AddPickedObject(QStringLiteral("B"));
    combine(3, 2);
    EXPECT_EQ(inventory(), (QStringList{QStringLiteral("A"), QStringLiteral("X")}));
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(ItemEvents, OnlyTheEventForTheDraggedItemOnTheTargetCounts) {
    project.item(QStringLiteral("C"));
    project.itemEvent(QStringLiteral("A"), QStringLiteral("B"), true, true, QStringLiteral("C"));
    startWith({QStringLiteral("A"), QStringLiteral("B")});
    combine(2, 1);
    EXPECT_EQ(inventory(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    combine(1, 2);
    EXPECT_EQ(inventory(), QStringList{QStringLiteral("C")});
}

TEST_F(ItemEvents, DraggingAnItemOntoItselfDoesNothing) {
    project.item(QStringLiteral("C"));
    startWith({QStringLiteral("A"), QStringLiteral("B")});
    // The editor refuses such an event; a hand-made one must not fire either.
    project.writeLines(
        QStringLiteral("Areas/A_on_A.drg"),
        {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), q(QStringLiteral("C"))});
    combine(1, 1);
    EXPECT_EQ(inventory(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(takeErrors(), QStringList());

    // Two copies of one item are two slots: one dropped on the other is a combination.
    engine->AddPickedObject(QStringLiteral("A"));
    combine(1, 3);
    EXPECT_EQ(inventory(), (QStringList{QStringLiteral("B"), QStringLiteral("C")}));
}

TEST_F(ItemEvents, NewItemThatCannotBePickedUpIsReported) {
    project.itemEvent(QStringLiteral("A"), QStringLiteral("B"), true, false,
                      QStringLiteral("Lost"));
    startWith({QStringLiteral("A"), QStringLiteral("B")});
    combine(1, 2);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral(" Unable to pick up 'Lost'.")});
    EXPECT_EQ(inventory(), QStringList{QStringLiteral("B")});
}

TEST_F(ItemEvents, EventCutShortActsValueByValueThenReports) {
    // Each value acts as it is read; the failure is reported where the file gives out.
    const struct {
        QStringList file;
        QStringList left;
    } cases[] = {
        {{QStringLiteral("one")}, {QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("B")}},
        {{QStringLiteral("1")}, {QStringLiteral("X"), QStringLiteral("B")}},
        {{QStringLiteral("1"), QStringLiteral("1")}, {QStringLiteral("X")}},
        {{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1")},
         {QStringLiteral("A"), QStringLiteral("X")}},
        {{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("yes"), q(QStringLiteral("C"))},
         {QStringLiteral("X"), QStringLiteral("B")}},
    };
    project.item(QStringLiteral("C"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file.join(QLatin1Char(',')).toStdString());
        startWith({QStringLiteral("A"), QStringLiteral("X"), QStringLiteral("B")});
        project.writeLines(QStringLiteral("Areas/A_on_B.drg"), c.file);
        combine(1, 3);
        EXPECT_EQ(takeErrors(), QStringList{QStringLiteral(" Unable to combine items.")});
        EXPECT_EQ(inventory(), c.left);
    }
}

TEST_F(DropEvents, DropThatRemovesTheDraggedItemPlaysItsOwnSounds) {
    project.variables({QStringLiteral("door")});
    project.touch(QStringLiteral("Areas/splash.wav"));
    project.touch(QStringLiteral("Areas/bell.wav"));
    project.frame(Start);
    Area well = areaWith();
    well.sounds = onChannel(0, playing(QStringLiteral("bell.wav")));
    project.area(Start, 1, well);
    ActionRecord a;
    a.HideOrRemove = 1;
    a.ChangeVariables = 1;
    a.LegacyVariable = QStringLiteral("door");
    a.LegacySetOne = true;
    project.dropEvent(Start, 1, QStringLiteral("stone"), a,
                      onChannel(3, playing(QStringLiteral("splash.wav"))));
    startWith({QStringLiteral("key"), QStringLiteral("stone")});
    clearTimeline();

    drop(2, 1);
    EXPECT_EQ(inventory(), QStringList{QStringLiteral("key")});
    EXPECT_TRUE(hiddenAreas().isEmpty()); // removing the item, not hiding the area
    EXPECT_EQ(shownAreas(), QList<int>{1});
    EXPECT_EQ(value(QStringLiteral("door")), 1);
    EXPECT_GE(media.indexOf(QStringLiteral("WaveMixOpenWave ") + project.paths().AreasPath() +
                            QStringLiteral("splash.wav")),
              0);
    EXPECT_EQ(media.count(QStringLiteral("bell.wav")), 0);
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(DropEvents, DropWithoutAnEventDoesNothing) {
    project.variables({QStringLiteral("door")});
    project.frame(Start);
    ActionRecord click;
    click.ChangeVariables = 1;
    click.LegacyVariable = QStringLiteral("door");
    click.LegacySetOne = true;
    project.area(Start, 1, areaWith(click));
    project.dropEvent(Start, 1, QStringLiteral("stone"), ActionRecord());
    startWith({QStringLiteral("key"), QStringLiteral("stone")});

    drop(1, 1);
    EXPECT_EQ(value(QStringLiteral("door")), 0);
    EXPECT_EQ(inventory(), (QStringList{QStringLiteral("key"), QStringLiteral("stone")}));
    EXPECT_EQ(takeErrors(), QStringList());
    EXPECT_TRUE(takeBoxes().isEmpty());
}

TEST_F(DropEvents, DropThatClosesTheProgramClosesTheGame) {
    project.frame(Start);
    project.area(Start, 1);
    ActionRecord close;
    close.CloseProgram = 1;
    close.ShowText = 1;
    close.TextMessage = QStringLiteral("The end");
    project.dropEvent(Start, 1, QStringLiteral("key"), close);
    startWith({QStringLiteral("key")});
    takeBoxes();

    drop(1, 1);
    EXPECT_TRUE(engine->gameClosed());
    EXPECT_TRUE(takeBoxes().isEmpty());
}

TEST_F(DropEvents, DropThatChangesFrameKeepsTheInventory) {
    project.frame(Start);
    project.frame(Room);
    project.area(Start, 1);
    ActionRecord a;
    a.GoToFrame = 1;
    a.TargetFrame = Room;
    project.dropEvent(Start, 1, QStringLiteral("key"), a);
    startWith({QStringLiteral("key"), QStringLiteral("map")});

    drop(1, 1);
    EXPECT_EQ(engine->currentFrame(), Room);
    EXPECT_EQ(inventory(), (QStringList{QStringLiteral("key"), QStringLiteral("map")}));
    EXPECT_EQ(takeErrors(), QStringList());
}

// The game window on real projects: what it shows of the scene and which engine calls the mouse
// and the keyboard make.

#include "UiTestSupport.h"

#include "AreaWidget.h"
#include "GifControl.h"
#include "PickedObject.h"
#include "PictureBox.h"

#include <QAccessible>
#include <QAction>
#include <QDropEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMovie>
#include <QSignalSpy>
#include <QtTest/QTest>

#include <memory>

namespace {

QString accessibleName(QObject *object) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QColor pixel(const QImage &image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// Drag enter and drop of inventory slot `slot` on `target`, as the window system delivers them.
struct DropResult {
    bool enterAccepted = false;
    bool dropAccepted = false;
};

DropResult dropSlotOn(QWidget *target, int slot) {
    std::unique_ptr<QMimeData> data(PickedObject::mimeDataFor(slot));
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return DropResult{enter.isAccepted(), drop.isAccepted()};
}

class GameWindow : public ::testing::Test {
protected:
    UiProject project;

    void SetUp() override { project.variables({QStringLiteral("door")}); }
};

} // namespace

// --- clicks on areas

TEST_F(GameWindow, LeftClickOnAnAreaRunsItsActionAndShowsTheNextFrame) {
    ActionRecord open = setsVariable(QStringLiteral("door"));
    open.GoToFrame = 1;
    open.TargetFrame = QStringLiteral("Hall");
    project.frame(QStringLiteral("Start"));
    project.area(QStringLiteral("Start"), 1, areaAt(QRect(100, 100, 80, 60), open));
    project.area(QStringLiteral("Start"), 2, areaAt(QRect(300, 100, 40, 40)));
    project.frame(QStringLiteral("Hall"));
    project.area(QStringLiteral("Hall"), 1, areaAt(QRect(10, 300, 50, 50)));
    GameUnderTest t(project);
    t.start();

    AreaWidget *door = t.game->area(1);
    ASSERT_NE(door, nullptr);
    ASSERT_NE(t.game->area(2), nullptr);
    EXPECT_EQ(door->geometry(), QRect(100, 100, 80, 60));
    EXPECT_TRUE(door->isVisible());
    EXPECT_EQ(t.engine().variables().GetVariableValue(QStringLiteral("door")), 0);

    t.click(QPoint(140, 130));
    EXPECT_EQ(t.engine().currentFrame(), QStringLiteral("Hall"));
    EXPECT_EQ(t.engine().variables().GetVariableValue(QStringLiteral("door")), 1);
    // The window now shows the hall's single area where the first frame had two.
    ASSERT_NE(t.game->area(1), nullptr);
    EXPECT_EQ(t.game->area(1)->geometry(), QRect(10, 300, 50, 50));
    EXPECT_EQ(t.game->area(2), nullptr);
    int shown = 0;
    for (AreaWidget *w : t.game->playArea()->findChildren<AreaWidget *>())
        shown += w->isVisible() ? 1 : 0;
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(t.boxes.isEmpty());
}

TEST_F(GameWindow, RightClickOnAnAreaTogglesTheMenuWithoutTheAction) {
    project.frame(QStringLiteral("Start"));
    project.area(QStringLiteral("Start"), 1,
                 areaAt(QRect(100, 100, 80, 60), setsVariable(QStringLiteral("door"))));
    GameUnderTest t(project);
    t.start();

    t.click(QPoint(120, 120), Qt::RightButton);
    EXPECT_TRUE(t.game->exitAction()->isVisible());
    EXPECT_TRUE(t.game->menuBar()->isVisible());
    EXPECT_EQ(t.engine().variables().GetVariableValue(QStringLiteral("door")), 0);
    t.click(QPoint(120, 120), Qt::RightButton);
    EXPECT_FALSE(t.game->exitAction()->isVisible());
    EXPECT_FALSE(t.game->menuBar()->isVisible());
    EXPECT_EQ(t.engine().variables().GetVariableValue(QStringLiteral("door")), 0);
}

TEST_F(GameWindow, HiddenAreasAreNotShownAndTakeNoClicks) {
    Area hides = areaAt(QRect(100, 100, 80, 60), setsVariable(QStringLiteral("door")));
    hides.action.HideOrRemove = 1;
    project.frame(QStringLiteral("Start"));
    project.area(QStringLiteral("Start"), 1, hides);
    GameUnderTest t(project);
    t.start();

    t.click(QPoint(120, 120));
    ASSERT_NE(t.game->area(1), nullptr);
    EXPECT_FALSE(t.game->area(1)->isVisible());
    t.engine().variables().ChangeVariableValue(QStringLiteral("door"), 0);
    // The press now lands on the background: it only hides the (hidden) menu.
    t.click(QPoint(120, 120));
    EXPECT_EQ(t.engine().variables().GetVariableValue(QStringLiteral("door")), 0);
}

// --- the inventory and drops

TEST_F(GameWindow, DroppingAnItemOnAnAreaRunsTheAreasDropEvent) {
    ActionRecord unlock = showsText(QStringLiteral("The door opens"));
    unlock.HideOrRemove = 1; // the key leaves the inventory
    project.frame(QStringLiteral("Start"));
    project.area(QStringLiteral("Start"), 1, areaAt(QRect(200, 200, 100, 100)));
    project.item(QStringLiteral("key"));
    project.dropEvent(QStringLiteral("Start"), 1, QStringLiteral("key"), unlock);
    GameUnderTest t(project);
    t.start();
    t.engine().AddPickedObject(QStringLiteral("key"));

    PickedObject *key = t.game->inventorySlot(1);
    ASSERT_NE(key, nullptr);
    QTest::mousePress(key, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(key, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(t.engine().draggedSlot(), 1);

    const DropResult r = dropSlotOn(t.game->area(1), 1);
    EXPECT_TRUE(r.enterAccepted);
    EXPECT_TRUE(r.dropAccepted);
    EXPECT_TRUE(t.inventory().isEmpty());
    EXPECT_EQ(t.game->inventorySlot(1), nullptr);
    EXPECT_FALSE(key->isVisible());
    EXPECT_TRUE(t.game->messageFrame()->isVisible());
    EXPECT_EQ(t.game->messageLabel()->text(), QStringLiteral("The door opens"));
}

TEST_F(GameWindow, DroppingAnItemOnAnotherItemCombinesThem) {
    project.frame(QStringLiteral("Start"));
    project.item(QStringLiteral("rope"), Qt::red);
    project.item(QStringLiteral("hook"), Qt::green);
    project.item(QStringLiteral("grapnel"), Qt::blue);
    project.itemEvent(QStringLiteral("rope"), QStringLiteral("hook"), true, true,
                      QStringLiteral("grapnel"));
    GameUnderTest t(project);
    t.start();
    t.engine().AddPickedObject(QStringLiteral("rope"));
    t.engine().AddPickedObject(QStringLiteral("hook"));

    // Only "rope on hook" is an event: the other way round does nothing.
    QTest::mousePress(t.game->inventorySlot(2), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(t.game->inventorySlot(2), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    dropSlotOn(t.game->inventorySlot(1), 2);
    EXPECT_EQ(t.inventory(), QStringList({QStringLiteral("rope"), QStringLiteral("hook")}));

    QTest::mousePress(t.game->inventorySlot(1), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(t.game->inventorySlot(1), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    const DropResult r = dropSlotOn(t.game->inventorySlot(2), 1);
    EXPECT_TRUE(r.dropAccepted);
    EXPECT_EQ(t.inventory(), QStringList{QStringLiteral("grapnel")});
    PickedObject *slot = t.game->inventorySlot(1);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->toolTip(), QStringLiteral("grapnel"));
    EXPECT_EQ(accessibleName(slot), QStringLiteral("grapnel"));
    EXPECT_EQ(QColor(slot->picture().pixel(16, 16)), QColor(Qt::blue));
    EXPECT_EQ(t.game->inventorySlot(2), nullptr);
}

TEST_F(GameWindow, DropsElsewhereDoNothing) {
    TextLabel sign;
    sign.Caption = QStringLiteral("Keep out");
    sign.Left = 1500;
    sign.Top = 1500;
    project.frame(QStringLiteral("Start"));
    project.text(QStringLiteral("Start"), 1, sign);
    project.item(QStringLiteral("key"));
    GameUnderTest t(project);
    t.start();
    t.engine().AddPickedObject(QStringLiteral("key"));
    QTest::mousePress(t.game->inventorySlot(1), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(t.game->inventorySlot(1), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));

    EXPECT_FALSE(dropSlotOn(t.game->playArea(), 1).enterAccepted);
    ASSERT_EQ(t.game->texts().size(), 1);
    EXPECT_FALSE(dropSlotOn(t.game->texts()[0], 1).enterAccepted);
    EXPECT_EQ(t.inventory(), QStringList{QStringLiteral("key")});
    EXPECT_TRUE(t.boxes.isEmpty());
}

TEST_F(GameWindow, InventorySlotsFillRowsOf35PixelCells) {
    project.frame(QStringLiteral("Start"));
    project.item(QStringLiteral("coin"));
    GameUnderTest t(project);
    t.start();
    for (int i = 0; i < 19; ++i)
        t.engine().AddPickedObject(QStringLiteral("coin"));

    ASSERT_NE(t.game->inventorySlot(19), nullptr);
    EXPECT_EQ(t.game->inventorySlot(1)->geometry(), QRect(0, 0, 35, 35));
    EXPECT_EQ(t.game->inventorySlot(18)->geometry(), QRect(17 * 35, 0, 35, 35));
    EXPECT_EQ(t.game->inventorySlot(19)->geometry(), QRect(0, 35, 35, 35));
    EXPECT_EQ(t.game->inventorySlot(19)->toolTip(), QStringLiteral("coin"));
    const QImage shot = t.screenshot();
    EXPECT_EQ(pixel(shot, 17, 17), QColor(Qt::red));
    EXPECT_EQ(pixel(shot, 17, 35 + 17), QColor(Qt::red));
    EXPECT_EQ(pixel(shot, 35 + 17, 35 + 17), QColor(Qt::black));
}

TEST_F(GameWindow, ARightPressOnAnItemTogglesTheMenuAndStartsNoDrag) {
    project.frame(QStringLiteral("Start"));
    project.item(QStringLiteral("key"));
    GameUnderTest t(project);
    t.start();
    t.engine().AddPickedObject(QStringLiteral("key"));

    t.click(QPoint(10, 10), Qt::RightButton);
    EXPECT_TRUE(t.game->exitAction()->isVisible());
    EXPECT_EQ(t.engine().draggedSlot(), 0);
    t.click(QPoint(10, 10), Qt::LeftButton);
    EXPECT_FALSE(t.game->exitAction()->isVisible());
    EXPECT_EQ(t.engine().draggedSlot(), 1);
}

// --- menus and keys

TEST_F(GameWindow, EscapeAndTheRightButtonToggleTheMenuBar) {
    project.frame(QStringLiteral("Start"));
    GameUnderTest t(project);
    t.start();
    EXPECT_FALSE(t.game->menuBar()->isVisible());

    EXPECT_EQ(t.game->playArea()->pos(), QPoint(0, 0));

    // The play area has the keyboard; the key reaches the window through it.
    QTest::keyClick(t.game->playArea(), Qt::Key_Escape);
    EXPECT_TRUE(t.game->menuBar()->isVisible());
    EXPECT_TRUE(t.game->exitAction()->isVisible());
    EXPECT_TRUE(t.game->saveAction()->isVisible());
    // The menu bar pushes the play area down instead of covering it.
    EXPECT_GT(t.game->menuBar()->height(), 0);
    EXPECT_EQ(t.game->playArea()->pos(), QPoint(0, t.game->menuBar()->height()));
    QTest::keyClick(t.game.get(), Qt::Key_Escape);
    EXPECT_FALSE(t.game->menuBar()->isVisible());
    EXPECT_FALSE(t.game->exitAction()->isVisible());
    EXPECT_EQ(t.game->playArea()->pos(), QPoint(0, 0));

    t.click(QPoint(600, 400), Qt::RightButton);
    EXPECT_TRUE(t.game->menuBar()->isVisible());
    t.click(QPoint(600, 400), Qt::LeftButton);
    EXPECT_FALSE(t.game->menuBar()->isVisible());
}

TEST_F(GameWindow, MenuCaptionsComeFromTheCustomTextsAndSavingCanBeHidden) {
    project.general.HideSave = true;
    project.writeGeneralInfo();
    project.texts.setText(8, QStringLiteral("Keep progress"));
    project.texts.setText(12, QStringLiteral("Quit now"));
    project.frame(QStringLiteral("Start"));
    GameUnderTest t(project);
    t.start();

    EXPECT_EQ(t.game->exitAction()->text(), QStringLiteral("Quit now"));
    EXPECT_EQ(t.game->exitAction()->objectName(), QStringLiteral("mnuExit"));
    EXPECT_EQ(t.game->saveAction()->text(), QStringLiteral("Keep progress"));
    EXPECT_EQ(t.game->saveAction()->objectName(), QStringLiteral("mnuSaveGame"));
    QTest::keyClick(t.game.get(), Qt::Key_Escape);
    EXPECT_TRUE(t.game->exitAction()->isVisible());
    EXPECT_FALSE(t.game->saveAction()->isVisible());
}

TEST_F(GameWindow, ExitAsksAndClosesTheGameOnYesOnly) {
    project.frame(QStringLiteral("Start"));
    GameUnderTest t(project);
    t.start();
    QSignalSpy closed(t.game.get(), &Game::gameWindowClosed);
    QTest::keyClick(t.game.get(), Qt::Key_Escape);

    t.answers.append(EngineHost::Answer::No);
    t.game->exitAction()->trigger();
    ASSERT_EQ(t.boxes.size(), 1);
    EXPECT_EQ(t.boxes[0].title, QStringLiteral("Marsh Lights"));
    EXPECT_EQ(t.boxes[0].text, project.texts.text(10));
    EXPECT_EQ(t.boxes[0].icon, Status::Icon::Question);
    EXPECT_EQ(t.boxes[0].buttons, EngineHost::Buttons::YesNo);
    EXPECT_TRUE(t.game->isVisible());
    EXPECT_EQ(closed.count(), 0);

    t.answers.append(EngineHost::Answer::Yes);
    t.game->exitAction()->trigger();
    EXPECT_FALSE(t.game->isVisible());
    EXPECT_TRUE(t.engine().gameClosed());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(GameWindow, ClosingTheWindowClosesTheGame) {
    project.frame(QStringLiteral("Start"));
    GameUnderTest t(project);
    t.start();
    QSignalSpy closed(t.game.get(), &Game::gameWindowClosed);

    EXPECT_TRUE(t.game->close());
    EXPECT_TRUE(t.engine().gameClosed());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(t.game->isVisible());
}

// --- the message strip

TEST_F(GameWindow, TheMessageStripSitsAtTheBottomAndHidesOnClick) {
    project.frame(QStringLiteral("Start"));
    project.area(QStringLiteral("Start"), 1,
                 areaAt(QRect(100, 100, 50, 50), showsText(QStringLiteral("A cold wind blows"))));
    GameUnderTest t(project);
    t.start();
    EXPECT_FALSE(t.game->messageFrame()->isVisible());

    t.click(QPoint(120, 120));
    QFrame *strip = t.game->messageFrame();
    QLabel *label = t.game->messageLabel();
    ASSERT_TRUE(strip->isVisible());
    EXPECT_EQ(strip->objectName(), QStringLiteral("FrameMessageBox"));
    EXPECT_EQ(label->objectName(), QStringLiteral("LabelMessageBox"));
    EXPECT_EQ(label->text(), QStringLiteral("A cold wind blows"));
    EXPECT_EQ(strip->geometry().left(), 0);
    EXPECT_EQ(strip->width(), 640);
    EXPECT_EQ(strip->geometry().bottom(), 479);
    EXPECT_EQ(strip->height(), label->height() + 35);
    EXPECT_LE(qAbs(label->geometry().center().x() - 320), 1);

    t.click(label->mapTo(t.game->playArea(), label->rect().center()));
    EXPECT_FALSE(strip->isVisible());
    EXPECT_FALSE(t.engine().scene().messageVisible);

    // A click on the strip beside its label hides it too.
    t.click(QPoint(120, 120));
    ASSERT_TRUE(strip->isVisible());
    t.click(QPoint(5, 470));
    EXPECT_FALSE(strip->isVisible());
    EXPECT_FALSE(t.game->menuBar()->isVisible());
}

TEST_F(GameWindow, ALongMessageWrapsInsideTheStrip) {
    project.frame(QStringLiteral("Start"));
    GameUnderTest t(project);
    t.start();
    const QString text =
        QStringLiteral("The wind howls through the broken shutters and the candle gutters, "
                       "throwing long shadows over the dusty floor of the abandoned library.");
    t.engine().ShowTextMessage(text, true);

    QFrame *strip = t.game->messageFrame();
    QLabel *label = t.game->messageLabel();
    ASSERT_TRUE(strip->isVisible());
    EXPECT_TRUE(label->wordWrap());
    EXPECT_LE(label->width(), 640 - 2 * 35);
    EXPECT_GT(label->height(), label->fontMetrics().height());
    EXPECT_EQ(strip->height(), label->height() + 35);
    EXPECT_EQ(strip->geometry().bottom(), 479);
    EXPECT_EQ(label->text(), text);

    // A shorter message afterwards takes a single line again.
    t.engine().ShowTextMessage(QStringLiteral("Quiet."), true);
    EXPECT_FALSE(label->wordWrap());
    EXPECT_EQ(strip->height(), label->height() + 35);
    EXPECT_LE(qAbs(label->geometry().center().x() - 320), 1);
}

TEST_F(GameWindow, TimersRunOnTheWindowsClock) {
    FrameProperties timed;
    timed.TimerEnabled = true;
    timed.TimerSeconds = QStringLiteral("0.2");
    timed.TimerFrame = QStringLiteral("Later");
    project.frame(QStringLiteral("Start"), timed);
    project.frame(QStringLiteral("Later"));
    GameUnderTest t(project);
    t.start();
    EXPECT_EQ(t.engine().currentFrame(), QStringLiteral("Start"));
    EXPECT_TRUE(waitUntil([&] { return t.engine().currentFrame() == QLatin1String("Later"); }));

    t.engine().ShowTextMessage(QStringLiteral("Hi"), true);
    EXPECT_TRUE(t.game->messageFrame()->isVisible());
    EXPECT_TRUE(waitUntil([&] { return !t.game->messageFrame()->isVisible(); }));
}

// --- what is painted

TEST_F(GameWindow, AColourBackgroundIsPaintedInItsColour) {
    FrameProperties colour;
    colour.Background = QString::number(0x00336699); // 0x00BBGGRR
    project.frame(QStringLiteral("Start"), colour);
    FrameProperties blue;
    blue.Background = QString::number(0x00FF0000);
    project.frame(QStringLiteral("Blue"), blue);
    GameUnderTest t(project);
    t.start();

    QImage shot = t.screenshot();
    EXPECT_EQ(shot.size(), QSize(640, 480));
    EXPECT_EQ(pixel(shot, 0, 0), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(pixel(shot, 639, 479), QColor(0x99, 0x66, 0x33));
    t.engine().OpenFrame(QStringLiteral("Blue"));
    shot = t.screenshot();
    EXPECT_EQ(pixel(shot, 320, 240), QColor(0, 0, 255));
}

TEST_F(GameWindow, AStretchedPictureCoversThePlayArea) {
    QImage quarters(2, 2, QImage::Format_RGB32);
    quarters.setPixel(0, 0, qRgb(255, 0, 0));
    quarters.setPixel(1, 0, qRgb(0, 255, 0));
    quarters.setPixel(0, 1, qRgb(0, 0, 255));
    quarters.setPixel(1, 1, qRgb(255, 255, 0));
    project.picture(QStringLiteral("Frames/quarters.bmp"), quarters);
    FrameProperties props;
    props.BackgroundKind = 1;
    props.Background = QStringLiteral("quarters.bmp");
    project.frame(QStringLiteral("Start"), props);
    GameUnderTest t(project);
    t.start();

    const QImage shot = t.screenshot();
    EXPECT_EQ(pixel(shot, 5, 5), QColor(255, 0, 0));
    EXPECT_EQ(pixel(shot, 315, 235), QColor(255, 0, 0));
    EXPECT_EQ(pixel(shot, 325, 5), QColor(0, 255, 0));
    EXPECT_EQ(pixel(shot, 634, 234), QColor(0, 255, 0));
    EXPECT_EQ(pixel(shot, 5, 474), QColor(0, 0, 255));
    EXPECT_EQ(pixel(shot, 634, 474), QColor(255, 255, 0));
}

TEST_F(GameWindow, ATiledPictureRepeatsFromTheTopLeftCorner) {
    // 30 x 20: the left 15 columns red, the right ones blue, the last row green.
    QImage tile(30, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x)
            tile.setPixel(x, y,
                          y == 19  ? qRgb(0, 255, 0)
                          : x < 15 ? qRgb(255, 0, 0)
                                   : qRgb(0, 0, 255));
    }
    project.picture(QStringLiteral("Frames/tile.bmp"), tile);
    FrameProperties props;
    props.BackgroundKind = 1;
    props.Background = QStringLiteral("tile.bmp");
    props.Tiled = true;
    project.frame(QStringLiteral("Start"), props);
    GameUnderTest t(project);
    t.start();

    const QImage shot = t.screenshot();
    EXPECT_EQ(pixel(shot, 0, 0), QColor(255, 0, 0));
    EXPECT_EQ(pixel(shot, 14, 0), QColor(255, 0, 0));
    EXPECT_EQ(pixel(shot, 15, 0), QColor(0, 0, 255));
    EXPECT_EQ(pixel(shot, 29, 18), QColor(0, 0, 255));
    EXPECT_EQ(pixel(shot, 29, 19), QColor(0, 255, 0));
    EXPECT_EQ(pixel(shot, 30, 20), QColor(255, 0, 0));
    EXPECT_EQ(pixel(shot, 45, 39), QColor(0, 255, 0));
    // 640 = 21 x 30 + 10 and 480 = 24 x 20: the last column of tiles is cut.
    EXPECT_EQ(pixel(shot, 639, 0), QColor(255, 0, 0));
    EXPECT_EQ(pixel(shot, 629, 479), QColor(0, 255, 0));
    EXPECT_EQ(pixel(shot, 629, 478), QColor(0, 0, 255));
}

TEST_F(GameWindow, AreasShowTheirPicturesStretchedOrAtTheirOwnSize) {
    QImage green(20, 10, QImage::Format_RGB32);
    green.fill(Qt::green);
    project.picture(QStringLiteral("Areas/green.bmp"), green);
    Area stretched = areaAt(QRect(100, 100, 60, 40));
    stretched.look.HasPicture = true;
    stretched.look.PictureFile = QStringLiteral("green.bmp");
    stretched.look.Stretch = 1;
    Area natural = areaAt(QRect(300, 100, 60, 40));
    natural.look.HasPicture = true;
    natural.look.PictureFile = QStringLiteral("green.bmp");
    Area transparent = areaAt(QRect(500, 100, 60, 40));
    FrameProperties red;
    red.Background = QString::number(0x000000FF);
    project.frame(QStringLiteral("Start"), red);
    project.area(QStringLiteral("Start"), 1, stretched);
    project.area(QStringLiteral("Start"), 2, natural);
    project.area(QStringLiteral("Start"), 3, transparent);
    GameUnderTest t(project);
    t.start();

    EXPECT_EQ(t.game->area(1)->geometry(), QRect(100, 100, 60, 40));
    EXPECT_EQ(t.game->area(2)->geometry(), QRect(300, 100, 20, 10));
    EXPECT_EQ(t.game->area(3)->geometry(), QRect(500, 100, 60, 40));
    const QImage shot = t.screenshot();
    EXPECT_EQ(pixel(shot, 158, 138), QColor(Qt::green));
    EXPECT_EQ(pixel(shot, 305, 105), QColor(Qt::green));
    EXPECT_EQ(pixel(shot, 330, 120), QColor(Qt::red));
    EXPECT_EQ(pixel(shot, 530, 120), QColor(Qt::red));
    // The transparent area still takes the click.
    t.click(QPoint(530, 120), Qt::RightButton);
    EXPECT_TRUE(t.game->exitAction()->isVisible());
}

TEST_F(GameWindow, TextsShowWithTheirFontColourAndPlace) {
    TextLabel welcome;
    welcome.Caption = QStringLiteral("Welcome <home>");
    welcome.Left = 1500;
    welcome.Top = 750;
    welcome.FontName = QStringLiteral("Arial");
    welcome.FontSize = 14;
    welcome.FontBold = true;
    welcome.FontUnderline = true;
    welcome.ForeColor = 0x0000FF;
    TextLabel grey;
    grey.Caption = QStringLiteral("Exit this way");
    grey.Top = 3000;
    grey.ForeColor = static_cast<qint32>(0x8000000Fu); // the system's button face colour
    project.frame(QStringLiteral("Start"));
    project.text(QStringLiteral("Start"), 1, welcome);
    project.text(QStringLiteral("Start"), 2, grey);
    GameUnderTest t(project);
    t.start();

    ASSERT_EQ(t.game->texts().size(), 2);
    EXPECT_EQ(t.game->texts()[1]->text(), QStringLiteral("Exit this way"));
    EXPECT_EQ(t.game->texts()[1]->pos(), QPoint(0, 200));
    EXPECT_EQ(t.game->texts()[1]->palette().color(QPalette::WindowText), QColor(192, 192, 192));
    QLabel *label = t.game->texts()[0];
    EXPECT_EQ(label->text(), QStringLiteral("Welcome <home>"));
    EXPECT_EQ(label->pos(), QPoint(100, 50));
    EXPECT_EQ(label->size(), label->sizeHint());
    EXPECT_TRUE(label->font().bold());
    EXPECT_TRUE(label->font().underline());
    EXPECT_FALSE(label->font().italic());
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 14.0);
    EXPECT_EQ(label->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(accessibleName(label), QStringLiteral("Welcome <home>"));
    // A press on a text is a press on the background.
    t.click(label->geometry().center(), Qt::RightButton);
    EXPECT_TRUE(t.game->exitAction()->isVisible());
}

// --- pointers, names, animations

TEST_F(GameWindow, AreasTakeTheirPointerWithItsHotSpot) {
    project.writeRaw(QStringLiteral("Icons/hand.cur"), cursorFile(QPoint(5, 7)));
    project.writeRaw(QStringLiteral("Icons/eye.ico"), iconFile());
    Area hand = areaAt(QRect(100, 100, 50, 50));
    hand.look.MousePointer = QStringLiteral("hand.cur");
    Area eye = areaAt(QRect(200, 100, 50, 50));
    eye.look.MousePointer = QStringLiteral("eye.ico");
    project.frame(QStringLiteral("Start"));
    project.area(QStringLiteral("Start"), 1, hand);
    project.area(QStringLiteral("Start"), 2, eye);
    project.area(QStringLiteral("Start"), 3, areaAt(QRect(300, 100, 50, 50)));
    GameUnderTest t(project);
    t.start();

    const QCursor handCursor = t.game->area(1)->cursor();
    EXPECT_EQ(handCursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(handCursor.hotSpot(), QPoint(5, 7));
    EXPECT_EQ(handCursor.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(t.game->area(2)->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(t.game->area(2)->cursor().hotSpot(), QPoint(16, 16));
    EXPECT_FALSE(t.game->area(3)->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(t.game->area(3)->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(GameWindow, AreasAreNotNamedAfterTheItemTheyGive) {
    Area lamp = areaAt(QRect(100, 100, 50, 50));
    lamp.item.PickItem = 1;
    lamp.item.ItemName = QStringLiteral("oil lamp");
    Area offered = areaAt(QRect(200, 100, 50, 50));
    offered.item.PickItem = 0; // names an item but does not give it
    offered.item.ItemName = QStringLiteral("bell");
    project.frame(QStringLiteral("Start"));
    project.area(QStringLiteral("Start"), 1, lamp);
    project.area(QStringLiteral("Start"), 2, offered);
    project.item(QStringLiteral("oil lamp"));
    GameUnderTest t(project);
    t.start();

    // The item an area gives is the puzzle's answer: it never names the area.
    EXPECT_EQ(accessibleName(t.game->area(1)), QStringLiteral("Area 1"));
    EXPECT_EQ(accessibleName(t.game->area(2)), QStringLiteral("Area 2"));
    EXPECT_EQ(accessibleName(t.game->playArea()), QStringLiteral("Play area"));
    t.click(QPoint(110, 110));
    EXPECT_EQ(t.inventory(), QStringList{QStringLiteral("oil lamp")});
    EXPECT_EQ(accessibleName(t.game->inventorySlot(1)), QStringLiteral("oil lamp"));
}

TEST_F(GameWindow, AnimatedAreasPlayInABoxSizedAfterTheFirstFrame) {
    const QByteArray gif = animatedGif(QSize(24, 12));
    ASSERT_FALSE(gif.isEmpty()) << "ImageMagick's convert is needed for the GIF fixture";
    project.writeRaw(QStringLiteral("Areas/torch.gif"), gif);
    project.variables({QStringLiteral("dark")});
    Area torch = areaAt(QRect(100, 100, 80, 80));
    torch.look.IsAnimatedGif = 1;
    torch.look.HasPicture = true;
    torch.look.PictureFile = QStringLiteral("torch.gif");
    torch.look.VisibleIf = 1;
    torch.look.ZeroList = QStringList{QStringLiteral("dark")};
    project.frame(QStringLiteral("Start"));
    project.area(QStringLiteral("Start"), 1, torch);
    project.area(QStringLiteral("Start"), 2,
                 areaAt(QRect(300, 300, 40, 40), setsVariable(QStringLiteral("dark"))));
    GameUnderTest t(project);
    t.start();

    AreaWidget *box = t.game->area(1);
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->gif(), nullptr);
    ASSERT_NE(box->movie(), nullptr);
    EXPECT_EQ(box->geometry(), QRect(100, 100, 24, 12));
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->gif()->isRunning());
    // A press on the box is a press on its area.
    t.click(QPoint(105, 105), Qt::RightButton);
    EXPECT_TRUE(t.game->exitAction()->isVisible());

    t.click(QPoint(310, 310));
    EXPECT_FALSE(box->isVisible());
    EXPECT_FALSE(box->gif()->isRunning());
    t.engine().variables().ChangeVariableValue(QStringLiteral("dark"), 0);
    t.engine().ShowOrNotShowAreas();
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->gif()->isRunning());
}

TEST_F(GameWindow, VideosPlayInTheCutSceneAreaOrInThePlayArea) {
    project.writeRaw(QStringLiteral("Frames/intro.avi"), QByteArray());
    FrameProperties placed;
    placed.VideoFile = QStringLiteral("intro.avi");
    placed.VideoAtPosition = true;
    placed.VideoLeft = 40;
    placed.VideoTop = 30;
    placed.VideoWidth = 160;
    placed.VideoHeight = 120;
    project.frame(QStringLiteral("Start"), placed);
    FrameProperties full;
    full.VideoFile = QStringLiteral("intro.avi");
    project.frame(QStringLiteral("Full"), full);
    project.area(QStringLiteral("Full"), 1, areaAt(QRect(100, 100, 50, 50)));
    GameUnderTest t(project);

    // What the window looked like when the video was opened, and where it was told to paint.
    QString parent;
    QRect cutScene;
    bool cutSceneShown = false;
    t.media.onCommand = [&](const QString &command) {
        const QStringList words = command.split(QLatin1Char(' '));
        const int at = words.indexOf(QStringLiteral("parent"));
        if (at < 0 || at + 1 >= words.size())
            return;
        parent = words[at + 1];
        cutScene = t.game->cutSceneArea()->geometry();
        cutSceneShown = t.game->cutSceneArea()->isVisible();
    };
    t.start();
    EXPECT_EQ(t.game->cutSceneArea()->objectName(), QStringLiteral("CutSceneArea"));
    EXPECT_TRUE(cutSceneShown);
    EXPECT_EQ(cutScene, QRect(40, 30, 160, 120));
    EXPECT_EQ(parent, QString::number(t.game->cutSceneArea()->winId()));
    // The recorded video ends at once: the rectangle goes away again.
    EXPECT_FALSE(t.game->cutSceneArea()->isVisible());

    // A full-area video paints in a window of its own inside the play area (here a stand-in
    // for the video driver's); the frame's areas, loaded after it started, stay below it.
    parent.clear();
    QWidget *video = nullptr;
    t.media.onCommand = [&](const QString &command) {
        const QStringList words = command.split(QLatin1Char(' '));
        const int at = words.indexOf(QStringLiteral("parent"));
        if (at < 0 || at + 1 >= words.size())
            return;
        parent = words[at + 1];
        if (QWidget *owner = QWidget::find(WId(parent.toULongLong()))) {
            video = new QWidget(owner);
            video->setGeometry(owner->rect());
            video->show();
        }
    };
    t.engine().OpenFrame(QStringLiteral("Full"));
    EXPECT_EQ(parent, QString::number(t.game->playArea()->winId()));
    EXPECT_FALSE(t.game->cutSceneArea()->isVisible());
    ASSERT_NE(video, nullptr);
    ASSERT_NE(t.game->area(1), nullptr);
    EXPECT_EQ(t.game->playArea()->childAt(t.game->area(1)->geometry().center()), video);
    // The areas beside the native video windows stay alien, and so transparent.
    EXPECT_FALSE(t.game->messageFrame()->testAttribute(Qt::WA_NativeWindow));
}

TEST_F(GameWindow, AnAnimatedPictureThatCannotBeReadIsReported) {
    project.writeRaw(QStringLiteral("Areas/broken.gif"), "not a picture");
    Area broken = areaAt(QRect(100, 100, 80, 80));
    broken.look.IsAnimatedGif = 1;
    broken.look.HasPicture = true;
    broken.look.PictureFile = QStringLiteral("broken.gif");
    project.frame(QStringLiteral("Start"));
    project.area(QStringLiteral("Start"), 1, broken);
    GameUnderTest t(project);
    t.start();
    const QString expected = QStringLiteral(" Unable to load '") + project.paths().AreasPath() +
                             QStringLiteral("broken.gif'.");
    ASSERT_TRUE(waitUntil([&] {
        for (const ShownBox &b : t.boxes) {
            if (b.text.endsWith(expected))
                return true;
        }
        return false;
    }));
}

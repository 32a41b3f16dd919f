// The frame canvas driven by real mouse events: drawing, moving, reshaping and removing areas,
// texts, items dropped on areas, opening a frame with damaged or missing files, and the undo
// and redo of every kind of change.

#include "AreaFiles.h"
#include "BasicColor.h"
#include "CanvasSurface.h"
#include "DataFiles.h"
#include "EditorTestSupport.h"
#include "FrameFiles.h"
#include "FrameUndo.h"
#include "ReadOnlyFolder.h"
#include "RecordingMedia.h"
#include "TextLabels.h"
#include "VariablesFile.h"
#include "frmAreaProperties.h"
#include "TwipScale.h"
#include "frmCoordinates.h"
#include "frmFrames.h"
#include "frmMain.h"
#include "frmMenu.h"

#include <QDirIterator>
#include <QDockWidget>
#include <QLabel>
#include <QStackedWidget>
#include <QStatusBar>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

using Answer = EngineHost::Answer;

namespace {

const QString kFrame = QStringLiteral("Hall");

// Every file of the project by relative path: what an undo must give back byte for byte.
QMap<QString, QByteArray> projectFiles(const TestProject &p) {
    QMap<QString, QByteArray> out;
    QDirIterator it(p.root(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.insert(path.mid(p.root().size()), p.read(path.mid(p.root().size())));
    }
    return out;
}

// A canvas on a colour frame "Hall" of a 640 x 480 project, with a dialog that saves like the
// area properties dialog's OK (or cancels, as told) and adds a variable each time it saves.
struct Canvas {
    TestProject p;
    EditorProject project;
    AnsweredEditor answers;
    frmMain canvas;
    QList<bool> dialogAnswers; // true OK, false Cancel; OK when empty
    QStringList dialogCalls;   // "type/load/area/item"
    QStringList textEntries;   // answers of frmText
    bool fontOk = true;

    explicit Canvas(bool open = true) {
        writeProject(p, "Manor", kFrame, {kFrame});
        project.paths = p.paths();
        canvas.setAreaDialog([this](FrameEditState &s, FrameCanvas *c, int type, bool load) {
            dialogCalls.append(QStringLiteral("%1/%2/%3/%4")
                                   .arg(type)
                                   .arg(load)
                                   .arg(s.CurrentAreaNumber, s.DraggedItemName));
            if (!dialogAnswers.isEmpty() && !dialogAnswers.takeFirst()) {
                s.CurrentAreaNumber = QStringLiteral("cancel");
                return;
            }
            const int n = s.CurrentAreaNumber.toInt();
            const AreaFiles files = areaFiles();
            QStringList variables;
            readVariablesFile(p.path("Config/Variables"), variables);
            variables.append(QStringLiteral("v%1").arg(variables.size()));
            s.WriteFailed = !writeVariablesFile(p.path("Config/Variables"), variables);
            if (type == 1) {
                DropEvent e;
                e.action.ShowText = 1;
                e.action.TextMessage = QStringLiteral("dropped");
                s.WriteFailed |= !files.saveDropEvent(n, s.DraggedItemName, e);
            } else {
                Area a;
                if (load)
                    files.load(n, a);
                const QRect r = c->areaRectTwips(n);
                a.look.Left = r.left();
                a.look.Top = r.top();
                a.look.Width = r.width();
                a.look.Height = r.height();
                a.action.ShowText = 1;
                a.action.TextMessage = QStringLiteral("saved %1").arg(dialogCalls.size());
                s.WriteFailed |= !files.save(n, a);
                c->reloadArea(n, nullptr);
            }
            s.CurrentAreaNumber = QStringLiteral("0");
        });
        canvas.setTextEntry([this](int, const QString &) {
            return textEntries.isEmpty() ? QString() : textEntries.takeFirst();
        });
        canvas.setFontChooser([this](QFont &font, qint32 &color) {
            font.setBold(true);
            color = BasicPaletteColor(9);
            return fontOk;
        });
        canvas.setColorChooser([](qint32 &color) {
            color = 0x123456;
            return true;
        });
        if (open)
            this->open();
    }
    void open() {
        EXPECT_TRUE(canvas.OpenFrame(project, kFrame));
        canvas.show();
    }
    AreaFiles areaFiles() const { return AreaFiles(p.paths(), SoundMode::MultiChannel, kFrame); }
    FrameFiles frameFiles() const { return FrameFiles(p.paths(), SoundMode::MultiChannel); }
    int count() const {
        int n = -1;
        frameFiles().readAreaCount(kFrame, n);
        return n;
    }
    // An area saved with the store, with values after the fourth that a move must keep.
    void writeArea(int n, const QRect &twips, const QStringList &dropItems = {}) const {
        Area a;
        a.look.Left = twips.left();
        a.look.Top = twips.top();
        a.look.Width = twips.width();
        a.look.Height = twips.height();
        a.look.MousePointer = QStringLiteral("hand%1.cur").arg(n);
        a.look.VisibleIf = 1;
        a.look.OneList = {QStringLiteral("door%1").arg(n)};
        a.action.TextMessage = QStringLiteral("area %1").arg(n);
        ASSERT_TRUE(areaFiles().save(n, a));
        for (const QString &item : dropItems) {
            DropEvent e;
            e.action.TextMessage = QStringLiteral("%1 on %2").arg(item).arg(n);
            ASSERT_TRUE(areaFiles().saveDropEvent(n, item, e));
        }
    }
    AreaLook look(int n) const {
        AreaLook l;
        EXPECT_TRUE(areaFiles().readLook(n, l));
        return l;
    }
    QWidget *back() const { return canvas.BackImage(); }
    void drag(QWidget *from, const QPoint &at, const QPoint &to,
              Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(from, button, {}, at);
        const QPoint start = from->mapTo(back(), at);
        QTest::mouseMove(back(), (start + to) / 2);
        QTest::mouseMove(back(), to);
        QTest::mouseRelease(back(), button, {}, to);
    }
    void rightClick(QWidget *on, const QPoint &at = QPoint(5, 5)) {
        QTest::mousePress(on, Qt::RightButton, {}, at);
        QTest::mouseRelease(on, Qt::RightButton, {}, at);
    }
    static void choose(QMenu *menu, const QString &entry) {
        for (QAction *a : menu->actions()) {
            if (a->text() == entry) {
                menu->hide();
                a->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no menu entry " << entry.toStdString();
    }
    void dropItem(const QString &item, const QPoint &at) {
        QMimeData data;
        data.setData(QString::fromLatin1(kItemMimeType), item.toUtf8());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(back(), &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(back(), &drop);
    }
};

} // namespace

TEST(FrameCanvasTest, DrawingANewAreaKeepsOnlyRectanglesOfAtLeast45TwipsConfirmedWithOk) {
    struct Case {
        const char *name;
        QPoint move; // pixels from the press point at (100, 80)
        QList<bool> answers;
        int dialogs;
        bool saved;
    };
    const Case cases[] = {
        {"click without movement", {0, 0}, {}, 0, false},
        {"4 x 3 pixels, OK", {4, 3}, {true}, 1, true},
        {"4 x 3 pixels, Cancel", {4, 3}, {false}, 1, false},
        {"left of and above the press point", {-6, -2}, {}, 0, false},
        {"no height", {20, 0}, {}, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Canvas t;
        t.dialogAnswers = c.answers;
        const QPoint press(100, 80);
        t.drag(t.back(), press, press + c.move);
        EXPECT_EQ(t.dialogCalls.size(), c.dialogs);
        if (c.dialogs) {
            EXPECT_EQ(t.dialogCalls[0], "0/0/1/"); // area mode, no load step
        }
        EXPECT_EQ(t.canvas.state().CurrentAreaNumber, "0");
        EXPECT_EQ(t.p.exists("Areas/Hall/1a.dat"), c.saved);
        EXPECT_EQ(t.canvas.areaNumbers(), c.saved ? QList<int>{1} : QList<int>{});
        // The count is written only on OK: no .lks at all otherwise.
        EXPECT_EQ(t.p.exists("Frames/Hall.lks"), c.saved);
        if (!c.saved)
            continue;
        EXPECT_EQ(t.count(), 1);
        const AreaLook l = t.look(1);
        EXPECT_EQ(QRectF(l.Left, l.Top, l.Width, l.Height), QRectF(1470, 1170, 90, 75));
        EXPECT_EQ(t.canvas.area(1)->toolTip(), " Area #1  Pos:(100,80)  Size:(2x1) ");
    }
}

TEST(FrameCanvasTest, ANewAreaTakesTheFirstFreeNumberAndTheCoordinatesWindowFollows) {
    Canvas t(false);
    for (int n : {1, 2, 4})
        t.writeArea(n, QRect(150 * n, 150, 600, 450));
    ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 4));
    t.answers.answers = {Answer::No}; // area 3 cannot be read: skip it
    t.open();
    EXPECT_EQ(t.canvas.GetFreeAreaIndex(), 3);
    frmCoordinates *coords = t.canvas.coordinates();
    QTest::mousePress(t.back(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(t.canvas.state().CurrentAreaNumber, "3");
    EXPECT_TRUE(coords->isBig());
    EXPECT_EQ(coords->lblLeft()->text(), "300");
    QTest::mouseMove(t.back(), QPoint(340, 230));
    EXPECT_EQ(coords->windowTitle(), "Coordinates X=340 Y=230");
    EXPECT_EQ(coords->lblWidth()->text(), "42"); // (340 * 15 - (300 * 15 - 30)) / 15
    EXPECT_EQ(coords->lblHeight()->text(), "32");
    QTest::mouseRelease(t.back(), Qt::LeftButton, {}, QPoint(340, 230));
    EXPECT_FALSE(coords->isBig());
    EXPECT_EQ(t.count(), 4); // area 3 filled the gap
    EXPECT_EQ(t.look(3).Width, 630);
}

TEST(FrameCanvasTest, TheCoordinatesShowTheirValuesInTheStatusBarAtAReadableSize) {
    QMainWindow window;
    auto *coords = new frmCoordinates;
    window.statusBar()->addPermanentWidget(coords);
    window.resize(800, 600);
    window.show();
    coords->ResizeSmall();
    coords->Display(12, 34);
    coords->DisplayAreaPosition(5, 6);
    coords->DisplayAreaSize(70, 80);
    // Every value label shown lies wholly inside the window, at least a line tall.
    auto shown = [&window, coords] {
        QApplication::processEvents();
        QStringList texts;
        for (const QLabel *l : coords->findChildren<QLabel *>()) {
            const QRect r(l->mapTo(&window, QPoint(0, 0)), l->size());
            if (l->isVisibleTo(&window) && window.rect().contains(r) &&
                r.height() >= l->fontMetrics().height())
                texts.append(l->text());
        }
        return texts;
    };
    EXPECT_EQ(coords->windowTitle(), "Coordinates X=12 Y=34");
    EXPECT_EQ(shown(), QStringList{"X = 12   Y = 34"});
    coords->ResizeBig();
    EXPECT_EQ(shown(), (QStringList{"X = 12   Y = 34", "Left = ", "5", "Top = ", "6",
                                    "Width = ", "70", "Height = ", "80"}));
}

TEST(FrameCanvasTest, MovingAnAreaRewritesOnlyItsFirstFourLines) {
    Canvas t(false);
    t.writeArea(1, QRect(1500, 1500, 900, 600));
    ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 1));
    t.open();
    const QList<QByteArray> before = t.p.read("Areas/Hall/1a.dat").split('\n');
    QLabel *area = t.canvas.area(1);
    ASSERT_TRUE(area);
    // Pressed 7, 9 pixels inside the area, dropped 30 right and 12 lower.
    t.drag(area, QPoint(7, 9), QPoint(100 + 7 + 30, 100 + 9 + 12));
    const QList<QByteArray> after = t.p.read("Areas/Hall/1a.dat").split('\n');
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.mid(0, 4), (QList<QByteArray>{"1950\r", "1680\r", "900\r", "600\r"}));
    EXPECT_EQ(after.mid(4), before.mid(4));
    EXPECT_TRUE(area->isVisible());
    EXPECT_EQ(area->geometry(), QRect(130, 112, 60, 40));
    EXPECT_EQ(t.canvas.DraggedAreaNumber(), 0);
    // The arrow keys move the selected area by a pixel, with Shift by ten.
    QTest::keyClick(t.back(), Qt::Key_Left);
    QTest::keyClick(t.back(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(t.look(1).Left, 1935);
    EXPECT_EQ(t.look(1).Top, 1830);
    EXPECT_EQ(t.look(1).OneList, QStringList{"door1"});
}

TEST(FrameCanvasTest, RemovingArea2Of4RenumbersTheLaterAreasAndTheirDropEvents) {
    Canvas t(false);
    for (int n = 1; n <= 4; ++n)
        t.writeArea(n, QRect(1500 * n, 300, 900, 600), {QStringLiteral("Key%1").arg(n)});
    ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 4));
    const QByteArray third = t.p.read("Areas/Hall/3b.dat");
    const QByteArray fourthDrop = t.p.read("Areas/Hall/4_Key4.drg");
    t.open();
    t.rightClick(t.canvas.area(2));
    EXPECT_EQ(t.canvas.SelectedAreaNumber(), 2);
    QStringList entries;
    for (const QAction *a : t.canvas.areaMenu()->actions())
        entries.append(a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(entries, (QStringList{"Properties...", "-", "Remove!", "-", "Cancel"}));
    Canvas::choose(t.canvas.areaMenu(), "Remove!");
    EXPECT_EQ(t.count(), 3);
    EXPECT_EQ(t.p.read("Areas/Hall/2b.dat"), third);
    EXPECT_EQ(t.p.read("Areas/Hall/3_Key4.drg"), fourthDrop);
    EXPECT_FALSE(t.p.exists("Areas/Hall/4a.dat"));
    EXPECT_FALSE(t.p.exists("Areas/Hall/2_Key2.drg"));
    EXPECT_EQ(t.canvas.areaNumbers(), (QList<int>{1, 2, 3}));
    EXPECT_EQ(t.canvas.area(2)->x(), 300);  // old area 3
    EXPECT_TRUE(t.answers.boxes.isEmpty()); // no confirmation
}

TEST(FrameCanvasTest, TextsTakeTheFirstFreeFileAndChangeThroughTheirMenu) {
    Canvas t(false);
    TextLabel label;
    label.Caption = "one";
    ASSERT_TRUE(QDir().mkpath(t.p.path("Areas/Hall")));
    ASSERT_TRUE(writeTextLabel(t.p.path("Areas/Hall/Text01.lbl"), label));
    label.Caption = "three";
    label.Left = 3000;
    ASSERT_TRUE(writeTextLabel(t.p.path("Areas/Hall/Text03.lbl"), label));
    t.open();
    EXPECT_EQ(t.canvas.textNumbers(), (QList<int>{1, 2}));
    // Cancelling the font dialog adds nothing, even with a text entered.
    t.textEntries = {"Welcome"};
    t.fontOk = false;
    t.rightClick(t.back(), QPoint(40, 50));
    EXPECT_FALSE(t.p.exists("Areas/Hall/Text02.lbl"));
    t.textEntries = {"Welcome"};
    t.fontOk = true;
    t.rightClick(t.back(), QPoint(40, 50));
    TextLabel added;
    ASSERT_TRUE(readTextLabel(t.p.path("Areas/Hall/Text02.lbl"), added));
    EXPECT_EQ(added.Caption, "Welcome");
    EXPECT_EQ(QPointF(added.Left, added.Top), QPointF(600, 750));
    EXPECT_TRUE(added.FontBold);
    EXPECT_EQ(added.ForeColor, BasicPaletteColor(9));
    QLabel *shown = t.canvas.text(3);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->toolTip(), " Pos:(40,50)  Font: " + shown->font().family() + "  Size: 12 ");
    // The same or an empty text changes nothing; a new one is written.
    const QByteArray written = t.p.read("Areas/Hall/Text02.lbl");
    for (const QString &answer : {QString("Welcome"), QString()}) {
        t.textEntries = {answer};
        t.rightClick(shown);
        Canvas::choose(t.canvas.textMenu(), "Change text...");
        EXPECT_EQ(t.p.read("Areas/Hall/Text02.lbl"), written);
    }
    t.textEntries = {"Goodbye"};
    t.rightClick(shown);
    Canvas::choose(t.canvas.textMenu(), "Change text...");
    ASSERT_TRUE(readTextLabel(t.p.path("Areas/Hall/Text02.lbl"), added));
    EXPECT_EQ(added.Caption, "Goodbye");
    EXPECT_EQ(shown->text(), "Goodbye");
    // Leaving the basic colour the dialog showed keeps the exact colour.
    t.canvas.setFontChooser([](QFont &, qint32 &) { return true; });
    t.rightClick(shown);
    Canvas::choose(t.canvas.textMenu(), "Change color...");
    t.rightClick(shown);
    Canvas::choose(t.canvas.textMenu(), "Change font...");
    ASSERT_TRUE(readTextLabel(t.p.path("Areas/Hall/Text02.lbl"), added));
    EXPECT_EQ(added.ForeColor, 0x123456);
    t.rightClick(shown);
    Canvas::choose(t.canvas.textMenu(), "Remove!");
    EXPECT_FALSE(t.p.exists("Areas/Hall/Text02.lbl"));
    EXPECT_EQ(t.canvas.textNumbers(), (QList<int>{1, 2}));
}

TEST(FrameCanvasTest, BasicColorOfAColour) {
    const struct {
        QColor in;
        int index;
    } cases[] = {{QColor(255, 0, 0), 12}, {QColor(0, 0, 0), 0},       {QColor(255, 255, 255), 15},
                 {QColor(0, 0, 100), 1},  {QColor(128, 128, 128), 7}, {QColor(250, 240, 10), 14},
                 {QColor(30, 90, 40), 2}};
    for (const auto &c : cases) {
        const qint32 color = c.in.red() | (c.in.green() << 8) | (c.in.blue() << 16);
        EXPECT_EQ(BasicColor(color), BasicPaletteColor(c.index)) << c.in.name().toStdString();
    }
}

TEST(FrameCanvasTest, AnAreaThatCannotBeReadAsksWhatToDo) {
    struct Case {
        Answer answer;
        QList<int> loaded;
        int count;
    };
    for (const Case &c :
         {Case{Answer::Yes, {1}, 1}, Case{Answer::No, {1, 3}, 3}, Case{Answer::Cancel, {1}, 3}}) {
        Canvas t(false);
        t.writeArea(1, QRect(300, 300, 900, 900));
        t.p.writeRaw("Areas/Hall/2a.dat", "\"not a number\"\r\n");
        t.writeArea(3, QRect(1500, 300, 900, 900));
        ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 3));
        t.answers.answers = {c.answer};
        t.open();
        ASSERT_EQ(t.answers.boxes.size(), 1);
        EXPECT_TRUE(t.answers.boxes[0].text.startsWith(
            "Unable to load area #2 (out of 3).\nDo you want to remove it?"));
        EXPECT_EQ(t.answers.boxes[0].buttons, EngineHost::Buttons::YesNoCancel);
        EXPECT_EQ(t.canvas.areaNumbers(), c.loaded);
        EXPECT_EQ(t.count(), c.count);
    }
}

TEST(FrameCanvasTest, MissingPicturesAreReportedAndTheFrameStillOpens) {
    Canvas t(false);
    FrameProperties props;
    props.BackgroundKind = 1;
    props.Background = "gone.bmp";
    ASSERT_TRUE(t.frameFiles().writeNewFrame(kFrame, props));
    Area a;
    a.look.Width = a.look.Height = 900;
    a.look.HasPicture = true;
    a.look.PictureFile = "lost.gif";
    a.look.IsAnimatedGif = 1;
    ASSERT_TRUE(t.areaFiles().save(1, a));
    ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 1));
    t.open();
    ASSERT_EQ(t.answers.boxes.size(), 2);
    EXPECT_EQ(t.answers.boxes[0].title, "Missing File");
    EXPECT_TRUE(t.answers.boxes[0].text.startsWith("The following file is missing: gone.bmp"));
    EXPECT_TRUE(t.answers.boxes[1].text.endsWith("otherwise the editor may not work properly."));
    EXPECT_EQ(t.canvas.windowTitle(), "Edit frame 'Hall'");
    EXPECT_TRUE(t.canvas.area(1)->isVisible());
}

// Each kind of change, done, undone (every file as before) and redone (every file as after);
// first tried with a folder it writes locked: then it leaves the files, the canvas and the history
// as they were.
TEST(FrameCanvasTest, EveryChangeIsUndoneAndRedoneByteForByteOrPutBackWhenAWriteFails) {
    struct Case {
        const char *name;
        std::function<void(Canvas &)> change;
        const char *locked = "Areas/Hall";
    };
    const Case cases[] = {
        {"draw", // the area's files and the variables are written before the count

         [](Canvas &t) {
             t.drag(t.back(), {400, 300}, {460, 350});
         },
         "Frames"},
        {"move",
         [](Canvas &t) {
             t.drag(t.canvas.area(1), {5, 5}, {300, 300});
         }},
        {"arrow key",
         [](Canvas &t) {
             QTest::mouseClick(t.canvas.area(1), Qt::LeftButton, {}, {5, 5});
             QTest::keyClick(t.back(), Qt::Key_Right, Qt::ShiftModifier);
         }},
        {"reshape",
         [](Canvas &t) {
             t.canvas.BeginReshape(2);
             QTest::mouseClick(t.back(), Qt::LeftButton, {}, {10, 10});
             QTest::mouseClick(t.back(), Qt::LeftButton, {}, {50, 60});
         }},
        {"remove area",
         [](Canvas &t) {
             t.rightClick(t.canvas.area(1));
             Canvas::choose(t.canvas.areaMenu(), "Remove!");
         },
         "Frames"}, // the later areas are renumbered before the count is written
        {"properties",
         [](Canvas &t) {
             t.rightClick(t.canvas.area(2));
             Canvas::choose(t.canvas.areaMenu(), "Properties...");
         }},
        {"item dropped",
         [](Canvas &t) {
             t.dropItem("Lamp", {110, 110});
         }},
        {"add text",
         [](Canvas &t) {
             t.textEntries = {"Hi"};
             t.rightClick(t.back(), {500, 400});
         }},
        {"change text",
         [](Canvas &t) {
             t.textEntries = {"Bye"};
             t.rightClick(t.canvas.text(1));
             Canvas::choose(t.canvas.textMenu(), "Change text...");
         }},
        {"move text",
         [](Canvas &t) {
             t.drag(t.canvas.text(1), {2, 2}, {600, 20});
         }},
        {"remove text",
         [](Canvas &t) {
             t.rightClick(t.canvas.text(1));
             Canvas::choose(t.canvas.textMenu(), "Remove!");
         }},
        {"cut",
         [](Canvas &t) {
             QTest::mouseClick(t.canvas.area(1), Qt::LeftButton, {}, {5, 5});
             QTest::mouseClick(t.canvas.text(1), Qt::LeftButton, Qt::ControlModifier, {2, 2});
             t.canvas.cutAction()->trigger();
         }},
        {"copy and paste",
         [](Canvas &t) {
             QTest::mouseClick(t.canvas.area(1), Qt::LeftButton, {}, {5, 5});
             QTest::mouseClick(t.canvas.text(1), Qt::LeftButton, Qt::ControlModifier, {2, 2});
             t.canvas.copyAction()->trigger();
             t.canvas.pasteAction()->trigger();
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Canvas t(false);
        t.writeArea(1, QRect(1500, 1500, 900, 900), {"Key"});
        t.writeArea(2, QRect(4500, 1500, 900, 900));
        ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 2));
        TextLabel label;
        label.Caption = "Hello";
        ASSERT_TRUE(writeTextLabel(t.p.path("Areas/Hall/Text01.lbl"), label));
        t.open();
        const auto before = projectFiles(t.p);
        QUndoStack *stack = t.canvas.undo()->stack();
        {
            ReadOnlyFolder locked(t.p.path(c.locked));
            ASSERT_TRUE(locked.ok());
            c.change(t);
        }
        EXPECT_TRUE(projectFiles(t.p) == before);
        EXPECT_EQ(stack->count(), 0);
        EXPECT_EQ(t.canvas.areaCount(), 2);
        ASSERT_EQ(t.canvas.areaNumbers(), (QList<int>{1, 2}));
        EXPECT_EQ(t.canvas.area(1)->pos(), QPoint(100, 100));
        EXPECT_EQ(t.canvas.area(2)->geometry(), QRect(300, 100, 60, 60));
        ASSERT_EQ(t.canvas.textNumbers(), QList<int>{1});
        EXPECT_EQ(t.canvas.text(1)->text(), "Hello");
        EXPECT_EQ(t.canvas.text(1)->pos(), QPoint(0, 0));
        c.change(t);
        const auto after = projectFiles(t.p);
        ASSERT_FALSE(after == before);
        ASSERT_EQ(stack->count(), 1);
        t.canvas.undoAction()->trigger();
        EXPECT_TRUE(projectFiles(t.p) == before);
        t.canvas.redoAction()->trigger();
        EXPECT_TRUE(projectFiles(t.p) == after);
        t.canvas.undoAction()->trigger();
        // The canvas shows the files as they are again.
        EXPECT_EQ(t.canvas.areaNumbers(), (QList<int>{1, 2}));
        EXPECT_EQ(t.canvas.area(1)->pos(), QPoint(100, 100));
        EXPECT_EQ(t.canvas.text(1)->text(), "Hello");
    }
}

// Ctrl+click adds or takes away one element, a Shift+drag on the background selects what its
// band touches; a drag or an arrow key then moves the whole selection as one change.
TEST(FrameCanvasTest, SeveralSelectedElementsMoveTogetherAsOneChange) {
    const struct {
        const char *name;
        std::function<void(Canvas &)> gesture;
        QPoint areaOne, areaTwo, text; // how far each moved, in twips
    } cases[] = {
        {"Ctrl+click, drag",
         [](Canvas &t) {
             QTest::mouseClick(t.canvas.area(1), Qt::LeftButton, {}, {5, 5});
             QTest::mouseClick(t.canvas.text(1), Qt::LeftButton, Qt::ControlModifier, {2, 2});
             QTest::mouseClick(t.canvas.area(2), Qt::LeftButton, Qt::ControlModifier, {5, 5});
             t.drag(t.canvas.area(2), {5, 5}, {305 + 30, 105 + 12});
         },
         {450, 180},
         {450, 180},
         {450, 180}},
        {"Ctrl+click twice takes away",
         [](Canvas &t) {
             QTest::mouseClick(t.canvas.area(1), Qt::LeftButton, {}, {5, 5});
             for (int i = 0; i < 2; ++i)
                 QTest::mouseClick(t.canvas.area(2), Qt::LeftButton, Qt::ControlModifier, {5, 5});
             QTest::keyClick(t.back(), Qt::Key_Right);
         },
         {15, 0},
         {},
         {}},
        {"band over both areas",
         [](Canvas &t) {
             QTest::mousePress(t.back(), Qt::LeftButton, Qt::ShiftModifier, {90, 90});
             QTest::mouseMove(t.back(), {310, 110});
             QTest::mouseRelease(t.back(), Qt::LeftButton, Qt::ShiftModifier, {310, 110});
             QTest::keyClick(t.back(), Qt::Key_Right, Qt::ShiftModifier);
         },
         {150, 0},
         {150, 0},
         {}},
        {"band over the text",
         [](Canvas &t) {
             QTest::mousePress(t.back(), Qt::LeftButton, Qt::ShiftModifier, {250, 50});
             QTest::mouseMove(t.back(), {5, 5});
             QTest::mouseRelease(t.back(), Qt::LeftButton, Qt::ShiftModifier, {5, 5});
             QTest::keyClick(t.back(), Qt::Key_Down);
         },
         {},
         {},
         {0, 15}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Canvas t(false);
        t.writeArea(1, QRect(1500, 1500, 900, 900));
        t.writeArea(2, QRect(4500, 1500, 900, 900));
        ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 2));
        TextLabel label;
        label.Caption = "Hello";
        ASSERT_TRUE(writeTextLabel(t.p.path("Areas/Hall/Text01.lbl"), label));
        t.open();
        const auto before = projectFiles(t.p);
        c.gesture(t);
        TextLabel moved;
        ASSERT_TRUE(readTextLabel(t.p.path("Areas/Hall/Text01.lbl"), moved));
        EXPECT_EQ(QPointF(t.look(1).Left, t.look(1).Top), QPointF(1500, 1500) + c.areaOne);
        EXPECT_EQ(QPointF(t.look(2).Left, t.look(2).Top), QPointF(4500, 1500) + c.areaTwo);
        EXPECT_EQ(QPointF(moved.Left, moved.Top), QPointF(c.text));
        EXPECT_EQ(t.canvas.undo()->stack()->count(), 1);
        EXPECT_TRUE(t.dialogCalls.isEmpty()); // no area drawn
        t.canvas.undoAction()->trigger();
        EXPECT_TRUE(projectFiles(t.p) == before);
    }
}

// A copy keeps the area's four files and its item drop events; pasted into another frame they
// take the next free number there, pictures and sounds still named as they were.
TEST(FrameCanvasTest, CopiedAreasAndTextsArePastedIntoAnotherFrameUnderNewNumbers) {
    Canvas t(false);
    t.writeArea(1, QRect(1500, 1500, 900, 900), {"Key"});
    ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 1));
    TextLabel label;
    label.Caption = "Hello";
    ASSERT_TRUE(writeTextLabel(t.p.path("Areas/Hall/Text02.lbl"), label));
    FrameProperties cellar;
    ASSERT_TRUE(t.frameFiles().writeNewFrame("Cellar", cellar));
    ASSERT_TRUE(AreaFiles(t.p.paths(), SoundMode::MultiChannel, "Cellar").save(1, Area()));
    ASSERT_TRUE(t.frameFiles().writeAreaCount("Cellar", 1));
    t.open();
    t.canvas.setSelection({1}, {1});
    EXPECT_FALSE(t.canvas.pasteAction()->isEnabled());
    t.canvas.copyAction()->trigger();
    ASSERT_TRUE(t.canvas.OpenFrame(t.project, "Cellar"));
    const auto before = projectFiles(t.p);
    ASSERT_TRUE(t.canvas.pasteAction()->isEnabled());
    t.canvas.pasteAction()->trigger();
    const QStringList copied = {"a.dat", "b.dat", "c.dat", "d.dat", "_Key.drg", "_Key.chn"};
    for (const QString &file : copied)
        EXPECT_EQ(t.p.read("Areas/Cellar/2" + file), t.p.read("Areas/Hall/1" + file))
            << file.toStdString();
    EXPECT_EQ(t.p.read("Areas/Cellar/Text01.lbl"), t.p.read("Areas/Hall/Text02.lbl"));
    int count = 0;
    ASSERT_TRUE(t.frameFiles().readAreaCount("Cellar", count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(t.canvas.selectedAreas(), QList<int>{2});
    EXPECT_EQ(t.canvas.selectedTexts(), QList<int>{1});
    EXPECT_EQ(t.canvas.undo()->stack()->count(), 1);
    t.canvas.undoAction()->trigger();
    EXPECT_TRUE(projectFiles(t.p) == before);
    EXPECT_EQ(t.canvas.areaNumbers(), QList<int>{1});
}

// A change whose files cannot all be written back stays where it is in the history: the files
// written first go back, and the author is told.
TEST(FrameCanvasTest, AnUndoOrRedoThatCannotWriteEveryFileChangesNothing) {
    for (const bool redo : {false, true}) {
        SCOPED_TRACE(redo ? "redo" : "undo");
        Canvas t(false);
        t.writeArea(1, QRect(1500, 1500, 900, 900));
        ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 1));
        t.open();
        // The properties change the area's files and then the variables list.
        t.rightClick(t.canvas.area(1));
        Canvas::choose(t.canvas.areaMenu(), "Properties...");
        if (redo)
            t.canvas.undoAction()->trigger();
        const auto before = projectFiles(t.p);
        QUndoStack *stack = t.canvas.undo()->stack();
        QAction *action = redo ? t.canvas.redoAction() : t.canvas.undoAction();
        {
            ReadOnlyFolder locked(t.p.path("Config"));
            ASSERT_TRUE(locked.ok());
            action->trigger();
        }
        EXPECT_TRUE(projectFiles(t.p) == before);
        EXPECT_EQ(stack->index(), redo ? 0 : 1);
        EXPECT_TRUE(action->isEnabled());
        // The message, then the system's reason: a locked folder refuses root (immutable) and
        // others (permissions) in its own words.
        const QString message = QStringLiteral(
            "Unable to access project files. The project folder may be Read-Only.\n\n");
        const QStringList texts = t.answers.texts();
        EXPECT_TRUE(texts == QStringList{message + "Operation not permitted"} ||
                    texts == QStringList{message + "Permission denied"})
            << texts.join('|').toStdString();
        action->trigger();
        EXPECT_EQ(stack->index(), redo ? 1 : 0);
        EXPECT_FALSE(projectFiles(t.p) == before);
    }
}

// A change is undone and redone whole: a picture brought into the project during it, and the
// folders made for its area, go and come back with it.
TEST(FrameUndoTest, AStepPutsBackEveryFileAndFolderItWroteAlsoOutsideTheFrame) {
    TestProject p;
    writeProject(p, "Manor", kFrame, {kFrame});
    p.writeRaw("lamp.bmp", "BM picture");
    FrameUndo undo;
    undo.open(p.paths(), kFrame);
    const auto before = folderTree(p.root());
    {
        FrameUndoStep step(undo, "Area Properties");
        Area area;
        area.look.HasPicture = true;
        area.look.PictureFile = "lamp.bmp";
        ASSERT_TRUE(AreaFiles(p.paths(), SoundMode::MultiChannel, kFrame).save(1, area));
        QString copied;
        ASSERT_TRUE(DataFiles().copyInto(p.paths().AreasPath(), p.path("lamp.bmp"), copied));
    }
    const auto after = folderTree(p.root());
    ASSERT_TRUE(p.exists("Areas/lamp.bmp"));
    ASSERT_EQ(undo.stack()->count(), 1);
    ASSERT_TRUE(undo.undo());
    EXPECT_EQ(folderTree(p.root()), before);
    ASSERT_TRUE(undo.redo());
    EXPECT_EQ(folderTree(p.root()), after);
}

TEST(FrameCanvasTest, TheFramesListOpensTheCanvasAndItsHistoryOutlivesDone) {
    TestProject p;
    writeProject(p, "Manor", kFrame, {kFrame});
    AnsweredEditor answers;
    RecordingMediaBackend media;
    frmMenu menu(EditorFolders(QString()), media);
    menu.show();
    ASSERT_TRUE(menu.openProject(p.root()));
    menu.ShowMenu(2);
    menu.framesWindow()->selectFrame(kFrame);
    ASSERT_TRUE(menu.framesWindow()->editSelected());
    EXPECT_EQ(menu.currentPanel(), 3);
    frmMain *canvas = menu.canvasWindow();
    EXPECT_TRUE(canvas->isVisible());
    EXPECT_TRUE(canvas->coordinates()->isVisible());
    EXPECT_EQ(canvas->BackImage()->accessibleName(), "Frame canvas");
    // The frame fits the centre of the main window, at the game's proportions.
    QApplication::processEvents();
    EXPECT_TRUE(canvas->isFitToView());
    EXPECT_EQ(canvas->BackImage()->size(), TwipScale(canvas->zoom()).scalePixels(QSize(640, 480)));
    QWidget *viewport = canvas->scrollArea()->viewport();
    const QRect shown(canvas->BackImage()->mapTo(viewport, QPoint(0, 0)),
                      canvas->BackImage()->size());
    EXPECT_TRUE(viewport->rect().contains(shown)) << shown.x() << "," << shown.y() << " "
                                                  << viewport->width() << "x"
                                                  << viewport->height();
    canvas->setZoom(1.0);
    EXPECT_EQ(canvas->BackImage()->size(), QSize(640, 480));
    // In the main window's centre, with the coordinates in its status bar.
    EXPECT_EQ(menu.centre()->currentWidget(), canvas);
    EXPECT_EQ(canvas->window(), &menu);
    EXPECT_EQ(canvas->coordinates()->window(), &menu);
    EXPECT_FALSE(menu.button(3, "Undo")->isEnabled());
    canvas->setTextEntry([](int, const QString &) { return QStringLiteral("Hi"); });
    canvas->setFontChooser([](QFont &, qint32 &) { return true; });
    QTest::mouseClick(canvas->BackImage(), Qt::RightButton, {}, {20, 20});
    EXPECT_TRUE(p.exists("Areas/Hall/Text01.lbl"));
    EXPECT_TRUE(menu.button(3, "Undo")->isEnabled());
    menu.button(3, "Undo")->click();
    EXPECT_FALSE(p.exists("Areas/Hall/Text01.lbl"));
    menu.button(3, "Redo")->click();
    EXPECT_TRUE(p.exists("Areas/Hall/Text01.lbl"));
    // Backspace on the canvas is "Done": back to the frames list; the frame's history is kept
    // for when it opens again.
    QTest::keyClick(canvas->BackImage(), Qt::Key_Backspace);
    EXPECT_EQ(menu.currentPanel(), 2);
    EXPECT_FALSE(canvas->isVisible());
    EXPECT_FALSE(menu.button(3, "Undo")->isEnabled());
    ASSERT_TRUE(menu.framesWindow()->editSelected());
    EXPECT_EQ(canvas->undo()->stack()->undoText(), "Add Text");
    ASSERT_TRUE(menu.button(3, "Undo")->isEnabled());
    menu.button(3, "Undo")->click();
    EXPECT_FALSE(p.exists("Areas/Hall/Text01.lbl"));
}

TEST(FrameCanvasTest, AnItemDroppedOnAnAreaOpensItsEventAndNothingElsewhere) {
    Canvas t(false);
    t.writeArea(1, QRect(1500, 1500, 900, 900));
    ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 1));
    TextLabel label;
    label.Caption = "Sign";
    label.Left = label.Top = 4500;
    ASSERT_TRUE(writeTextLabel(t.p.path("Areas/Hall/Text01.lbl"), label));
    t.open();
    int changed = 0;
    QObject::connect(&t.canvas, &frmMain::itemEventsChanged, [&changed] { ++changed; });
    t.dropItem("Lamp", {20, 20});   // background
    t.dropItem("Lamp", {302, 302}); // the text
    EXPECT_TRUE(t.dialogCalls.isEmpty());
    t.dropItem("Lamp", {130, 130});
    EXPECT_EQ(t.dialogCalls, QStringList{"1/1/1/Lamp"});
    EXPECT_EQ(t.areaFiles().dropEvents(1), QStringList{"Lamp"});
    EXPECT_EQ(t.canvas.state().DraggedItemName, "");
    EXPECT_EQ(t.canvas.state().CurrentAreaNumber, "0");
    EXPECT_EQ(changed, 1);
}

TEST(FrameCanvasTest, TheMainWindowOpensTheAreaPropertiesDialogForANewArea) {
    TestProject p;
    writeProject(p, "Manor", kFrame, {kFrame});
    AnsweredEditor answers;
    RecordingMediaBackend media;
    frmMenu menu(EditorFolders(QString()), media);
    menu.show();
    ASSERT_TRUE(menu.openProject(p.root()));
    ASSERT_TRUE(menu.EditFrame(kFrame));
    frmMain *canvas = menu.canvasWindow();
    canvas->setZoom(1.0); // the pixels below are the game's
    // The dialog is modal: it is confirmed from the event loop it runs.
    QString seen;
    const auto draw = [&seen, canvas] {
        QTimer::singleShot(0, [&seen] {
            auto *dialog = qobject_cast<frmAreaProperties *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen = dialog->windowTitle();
            dialog->confirm();
        });
        QTest::mousePress(canvas->BackImage(), Qt::LeftButton, {}, {200, 150});
        QTest::mouseMove(canvas->BackImage(), {260, 200});
        QTest::mouseRelease(canvas->BackImage(), Qt::LeftButton, {}, {260, 200});
    };
    {
        // The area's files cannot be written: no area, no count and no step are left behind.
        ASSERT_TRUE(QDir().mkpath(p.path("Areas")));
        ReadOnlyFolder locked(p.path("Areas"));
        ASSERT_TRUE(locked.ok());
        draw();
        EXPECT_TRUE(canvas->areaNumbers().isEmpty());
        EXPECT_FALSE(p.exists("Frames/Hall.lks"));
        EXPECT_EQ(canvas->undo()->stack()->count(), 0);
    }
    draw(); // numbered 1 again
    EXPECT_EQ(seen, "Area Properties");
    AreaLook look;
    ASSERT_TRUE(AreaFiles(p.paths(), SoundMode::MultiChannel, kFrame).readLook(1, look));
    EXPECT_EQ(QRectF(look.Left, look.Top, look.Width, look.Height), QRectF(2970, 2220, 930, 780));
    int count = 0;
    ASSERT_TRUE(FrameFiles(p.paths(), SoundMode::MultiChannel).readAreaCount(kFrame, count));
    EXPECT_EQ(count, 1);
    menu.button(3, "Undo")->click();
    EXPECT_FALSE(p.exists("Areas/Hall/1a.dat"));
    EXPECT_FALSE(p.exists("Frames/Hall.lks"));
    EXPECT_TRUE(canvas->areaNumbers().isEmpty());
}

TEST(FrameCanvasTest, AnAnimatedAreaShowsInItsGifBoxWhichMovesAndTakesItemsLikeTheArea) {
    Canvas t(false);
    ASSERT_TRUE(QDir().mkpath(t.p.path("Areas")));
    QProcess convert;
    convert.start("convert", {"-delay", "10", "-size", "24x12", "xc:red", "xc:blue", "-loop", "0",
                              t.p.path("Areas/torch.gif")});
    ASSERT_TRUE(convert.waitForFinished(60000) && convert.exitCode() == 0)
        << "ImageMagick's convert makes the GIF";
    t.writeArea(1, QRect(1500, 1500, 900, 900));
    Area a;
    ASSERT_TRUE(t.areaFiles().load(1, a));
    a.look.HasPicture = true;
    a.look.IsAnimatedGif = 1;
    a.look.PictureFile = "torch.gif";
    a.item.GifSpeed = 25;
    ASSERT_TRUE(t.areaFiles().save(1, a));
    ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 1));
    t.open();
    QLabel *box = t.canvas.gifBox(1);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->geometry(), QRect(100, 100, 24, 12));
    EXPECT_FALSE(t.canvas.area(1)->isVisible());
    EXPECT_EQ(box->toolTip(), " Area #1  Pos:(102,102)  ANIMATED GIF ");
    t.drag(box, {4, 4}, {124, 114});
    EXPECT_EQ(box->pos(), QPoint(120, 110));
    EXPECT_TRUE(box->isVisible());
    const AreaLook moved = t.look(1);
    EXPECT_EQ(QRectF(moved.Left, moved.Top, moved.Width, moved.Height),
              QRectF(1800, 1650, 900, 900));
    EXPECT_EQ(moved.PictureFile, "torch.gif");
    t.rightClick(box);
    EXPECT_EQ(t.canvas.SelectedAreaNumber(), 1);
    t.canvas.areaMenu()->hide();
    t.dropItem("Lamp", {125, 115});
    EXPECT_EQ(t.dialogCalls, QStringList{"1/1/1/Lamp"});
    t.canvas.setZoom(2);
    EXPECT_EQ(box->geometry(), QRect(240, 220, 48, 24));
}

// A run of arrow moves of one selection is one undo step; Ctrl+Y redoes; Delete removes the
// selected area or text as the menus' "Remove!" does.
TEST(FrameCanvasTest, ArrowMovesUndoAsOneStepCtrlYRedoesAndDeleteRemoves) {
    Canvas t(false);
    t.writeArea(1, QRect(1500, 1500, 900, 900));
    t.writeArea(2, QRect(4500, 1500, 900, 900));
    ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 2));
    TextLabel label;
    label.Caption = "Hello";
    label.Top = 4500;
    ASSERT_TRUE(writeTextLabel(t.p.path("Areas/Hall/Text01.lbl"), label));
    t.open();
    QUndoStack *stack = t.canvas.undo()->stack();
    const auto before = projectFiles(t.p);
    QTest::mouseClick(t.canvas.area(1), Qt::LeftButton, {}, {5, 5});
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(t.back(), Qt::Key_Right);
    EXPECT_EQ(t.look(1).Left, 1545);
    EXPECT_EQ(stack->count(), 1);
    const auto moved = projectFiles(t.p);
    t.canvas.undoAction()->trigger();
    EXPECT_TRUE(projectFiles(t.p) == before);
    QTest::keyClick(t.back(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(projectFiles(t.p) == moved);
    // Another selection, or a new click, starts a new step.
    QTest::mouseClick(t.canvas.area(2), Qt::LeftButton, {}, {5, 5});
    QTest::keyClick(t.back(), Qt::Key_Left);
    QTest::mouseClick(t.canvas.area(2), Qt::LeftButton, {}, {5, 5});
    QTest::keyClick(t.back(), Qt::Key_Left);
    EXPECT_EQ(stack->count(), 3);
    QTest::keyClick(t.back(), Qt::Key_Delete); // area 2
    EXPECT_EQ(t.canvas.areaNumbers(), QList<int>{1});
    EXPECT_EQ(t.count(), 1);
    EXPECT_FALSE(t.p.exists("Areas/Hall/2a.dat"));
    QTest::mouseClick(t.canvas.text(1), Qt::LeftButton, {}, {2, 2});
    QTest::keyClick(t.back(), Qt::Key_Delete);
    EXPECT_FALSE(t.p.exists("Areas/Hall/Text01.lbl"));
    EXPECT_TRUE(t.canvas.textNumbers().isEmpty());
    EXPECT_EQ(stack->count(), 5);
    EXPECT_TRUE(t.answers.boxes.isEmpty());
}

// Every gesture is mapped back to twips through the zoom: the same person's gesture writes the
// same files at every zoom, and the 45-twip rule is counted in twips, not in pixels drawn.
TEST(FrameCanvasTest, GesturesWriteTheSameTwipsAtEveryZoom) {
    const struct {
        double zoom;
        bool onePixelDrawn; // 30 twips of border plus one pixel of the view
    } cases[] = {{1.0, true}, {2.0, false}, {0.5, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.zoom);
        Canvas t(false);
        t.writeArea(1, QRect(1500, 1500, 900, 600));
        ASSERT_TRUE(t.frameFiles().writeAreaCount(kFrame, 1));
        TextLabel label;
        label.Caption = "Sign";
        label.Left = 3000;
        ASSERT_TRUE(writeTextLabel(t.p.path("Areas/Hall/Text01.lbl"), label));
        t.open();
        EXPECT_TRUE(t.canvas.isFitToView());
        EXPECT_EQ(t.canvas.zoom(), 1.0); // the window at the game's size
        t.canvas.setZoom(c.zoom);
        const auto at = [&c](int x, int y) { return QPoint(x, y) * c.zoom; }; // game pixels
        EXPECT_EQ(t.back()->size(), QSize(640, 480) * c.zoom);
        EXPECT_EQ(t.canvas.text(1)->pos(), at(200, 0));
        EXPECT_EQ(t.canvas.text(1)->font().pointSizeF(), 12 * c.zoom);
        EXPECT_EQ(t.canvas.text(1)->toolTip().section("Size: ", 1), "12 ");
        t.drag(t.canvas.area(1), at(6, 8), at(136, 120));
        EXPECT_EQ(t.look(1).Left, 1950);
        EXPECT_EQ(t.look(1).Top, 1680);
        EXPECT_EQ(t.canvas.area(1)->geometry(), QRect(at(130, 112), QSize(60, 40) * c.zoom));
        QTest::mousePress(t.back(), Qt::LeftButton, {}, at(300, 200));
        QTest::mouseMove(t.back(), at(340, 230));
        EXPECT_EQ(t.canvas.coordinates()->windowTitle(), "Coordinates X=340 Y=230");
        EXPECT_EQ(t.canvas.coordinates()->lblWidth()->text(), "42");
        QTest::mouseRelease(t.back(), Qt::LeftButton, {}, at(340, 230));
        const AreaLook drawn = t.look(2);
        EXPECT_EQ(QRectF(drawn.Left, drawn.Top, drawn.Width, drawn.Height),
                  QRectF(4470, 2970, 630, 480));
        t.drag(t.back(), at(400, 300), at(400, 300) + QPoint(1, 1));
        EXPECT_EQ(t.p.exists("Areas/Hall/3a.dat"), c.onePixelDrawn);
        t.drag(t.back(), at(400, 400), at(400, 400) + QPoint(2, 2)); // at least 45 twips
        EXPECT_EQ(t.canvas.areaNumbers().size(), c.onePixelDrawn ? 4 : 3);
    }
}

TEST(FrameCanvasTest, CtrlWheelAndZoomKeysStayWithinAQuarterAndFourTimes) {
    Canvas t;
    const auto wheel = [&t](int notches, Qt::KeyboardModifiers modifiers) {
        QWheelEvent e(QPointF(320, 240), t.back()->mapToGlobal(QPointF(320, 240)), QPoint(),
                      QPoint(0, 120 * notches), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(t.back(), &e);
    };
    const struct {
        const char *name;
        std::function<void()> act;
        double zoom;
    } steps[] = {
        {"Ctrl++", [&t] { QTest::keyClick(t.back(), Qt::Key_Plus, Qt::ControlModifier); }, 1.25},
        {"Ctrl+=", [&t] { QTest::keyClick(t.back(), Qt::Key_Equal, Qt::ControlModifier); }, 1.5},
        {"10 notches with Ctrl", [&] { wheel(10, Qt::ControlModifier); }, 4.0},
        {"Ctrl+-", [&t] { QTest::keyClick(t.back(), Qt::Key_Minus, Qt::ControlModifier); }, 3.0},
        {"20 notches back with Ctrl", [&] { wheel(-20, Qt::ControlModifier); }, 0.25},
        {"the wheel alone", [&] { wheel(5, Qt::NoModifier); }, 0.25},
        {"Ctrl+0", [&t] { QTest::keyClick(t.back(), Qt::Key_0, Qt::ControlModifier); }, 1.0},
        {"setZoom(9)", [&t] { t.canvas.setZoom(9); }, 4.0},
        {"setZoom(0.1)", [&t] { t.canvas.setZoom(0.1); }, 0.25},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.name);
        s.act();
        EXPECT_EQ(t.canvas.zoom(), s.zoom);
        EXPECT_EQ(t.back()->size(), QSize(640, 480) * s.zoom);
    }
    EXPECT_FALSE(t.canvas.isFitToView());
    EXPECT_EQ(t.canvas.zoomInAction()->text(), "Zoom In");
    EXPECT_EQ(t.canvas.zoomFitAction()->text(), "Fit to Window");
    // Larger than the view, the frame scrolls.
    t.canvas.setZoom(2);
    QScrollBar *bar = t.canvas.scrollArea()->horizontalScrollBar();
    EXPECT_EQ(bar->maximum() - bar->minimum() + bar->pageStep(), 1280);
}

// The grid is off until turned on; then drawing and moving put the area's corners on it. Its
// size and state are kept per project.
TEST(FrameCanvasTest, TheGridSnapsDrawnAndMovedCornersAndIsKeptPerProject) {
    Canvas t;
    EXPECT_FALSE(t.canvas.gridOn());
    t.answers.inputs = {"12"};
    t.canvas.gridSizeAction()->trigger();
    EXPECT_TRUE(t.canvas.gridOn());
    EXPECT_TRUE(t.canvas.gridAction()->isChecked());
    EXPECT_EQ(t.canvas.gridSize(), 12); // 180 twips
    t.drag(t.back(), {103, 78}, {147, 121});
    const AreaLook drawn = t.look(1);
    EXPECT_EQ(QRectF(drawn.Left, drawn.Top, drawn.Width, drawn.Height),
              QRectF(1440, 1080, 720, 720));
    t.drag(t.canvas.area(1), {5, 5}, {210, 125}); // its corner at (205, 120)
    EXPECT_EQ(QPointF(t.look(1).Left, t.look(1).Top), QPointF(3060, 1800));
    // Another project has its own grid; this project's comes back in a new canvas.
    Canvas other;
    EXPECT_FALSE(other.canvas.gridOn());
    ASSERT_TRUE(other.canvas.OpenFrame(t.project, kFrame));
    EXPECT_TRUE(other.canvas.gridOn());
    EXPECT_EQ(other.canvas.gridSize(), 12);
    t.canvas.gridAction()->trigger();
    ASSERT_TRUE(other.canvas.OpenFrame(other.project, kFrame));
    ASSERT_TRUE(other.canvas.OpenFrame(t.project, kFrame));
    EXPECT_FALSE(other.canvas.gridOn());
}

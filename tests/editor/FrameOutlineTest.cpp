// The outline of the frame open on the canvas: what it lists, the selection it shares with the
// canvas, and opening, moving, hiding and removing an area that lies under another.

#include "FrameOutline.h"
#include "AreaFiles.h"
#include "CanvasSurface.h"
#include "EditorTestSupport.h"
#include "FrameUndo.h"
#include "TextLabels.h"
#include "frmMain.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

namespace {

const QString kFrame = QStringLiteral("Hall");

// Area 1 (pixels 100,100 40x40, transparent) lies wholly under area 2 (80,80 100x100, a
// picture shown under variables); area 3 is animated; text 1 reads "Welcome  home".
struct Outlined {
    TestProject p;
    EditorProject project;
    AnsweredEditor answers; // the missing pictures are reported and answered
    frmMain canvas;
    QStringList dialogAreas; // CurrentAreaNumber each time the properties dialog opened
    QStringList textEntries;
    std::unique_ptr<FrameOutline> outline;

    Outlined() {
        writeProject(p, "Manor", kFrame, {kFrame});
        project.paths = p.paths();
        const AreaFiles files(p.paths(), SoundMode::MultiChannel, kFrame);
        const struct {
            QRect twips;
            QString picture;
            int animated, visibleIf;
        } areas[] = {{{1500, 1500, 600, 600}, "", 0, 0},
                     {{1200, 1200, 1500, 1500}, "pics\\door.bmp", 0, 1},
                     {{6000, 1500, 600, 600}, "flame.gif", 1, 0}};
        for (int n = 1; n <= 3; ++n) {
            Area a;
            const auto &c = areas[n - 1];
            a.look.Left = c.twips.left();
            a.look.Top = c.twips.top();
            a.look.Width = c.twips.width();
            a.look.Height = c.twips.height();
            a.look.HasPicture = !c.picture.isEmpty();
            a.look.PictureFile = c.picture;
            a.look.IsAnimatedGif = c.animated;
            a.look.VisibleIf = c.visibleIf;
            EXPECT_TRUE(files.save(n, a));
        }
        EXPECT_TRUE(FrameFiles(p.paths(), SoundMode::MultiChannel).writeAreaCount(kFrame, 3));
        TextLabel t;
        t.Caption = "Welcome  home";
        t.Left = 3000;
        t.Top = 4500;
        EXPECT_TRUE(writeTextLabel(p.path("Areas/Hall/Text01.lbl"), t));
        canvas.setAreaDialog([this](FrameEditState &s, FrameCanvas *, int, bool) {
            dialogAreas.append(s.CurrentAreaNumber);
        });
        canvas.setTextEntry([this](int, const QString &) {
            return textEntries.isEmpty() ? QString() : textEntries.takeFirst();
        });
        outline = std::make_unique<FrameOutline>(&canvas);
        EXPECT_TRUE(canvas.OpenFrame(project, kFrame));
        canvas.show();
        outline->show();
    }
    QStringList columns(QTreeWidgetItem *row) const {
        QStringList out;
        for (int c = 1; row && c < 5; ++c)
            out.append(row->text(c));
        return out;
    }
    double left(int n) const {
        AreaLook l;
        AreaFiles(p.paths(), SoundMode::MultiChannel, kFrame).readLook(n, l);
        return l.Left;
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(outline->tree(), Qt::Key(key), modifiers);
    }
};

} // namespace

TEST(FrameOutlineTest, ListsEveryAreaWithItsNameKindAndVariablesAndEveryText) {
    Outlined t;
    EXPECT_EQ(t.outline->windowTitle(), "Areas and texts");
    EXPECT_EQ(t.outline->accessibleName(), "Areas and texts");
    const struct {
        QTreeWidgetItem *row;
        QStringList columns; // number, name, kind, variables
    } rows[] = {
        {t.outline->areaRow(1), {"1", "Area 1", "transparent", ""}},
        {t.outline->areaRow(2), {"2", "door", "picture", "shown only under some variables"}},
        {t.outline->areaRow(3), {"3", "flame", "animated", ""}},
        {t.outline->textRow(1), {"1", "Welcome home", "text", ""}},
    };
    for (const auto &r : rows) {
        EXPECT_EQ(t.columns(r.row), r.columns);
        ASSERT_TRUE(t.outline->eye(r.row));
        EXPECT_EQ(t.outline->eye(r.row)->accessibleName(), "Show on canvas");
        EXPECT_TRUE(t.outline->eye(r.row)->isChecked());
    }
    EXPECT_FALSE(t.outline->areaRow(4));
}

TEST(FrameOutlineTest, TheSelectionFollowsTheCanvasBothWays) {
    Outlined t;
    QTreeWidget *tree = t.outline->tree();
    const struct {
        const char *step;
        std::function<void()> act;
        QList<int> areas, texts;
    } steps[] = {
        {"row of area 1 chosen", [&] { tree->setCurrentItem(t.outline->areaRow(1)); }, {1}, {}},
        {"Ctrl+click on the text",
         [&] { QTest::mouseClick(t.canvas.text(1), Qt::LeftButton, Qt::ControlModifier); },
         {1},
         {1}},
        {"click on area 3", [&] { QTest::mouseClick(t.canvas.area(3), Qt::LeftButton); }, {3}, {}},
        {"click on the background",
         [&] { QTest::mouseClick(t.canvas.BackImage(), Qt::LeftButton, {}, QPoint(600, 400)); },
         {},
         {}},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.step);
        s.act();
        EXPECT_EQ(t.canvas.selectedAreas(), s.areas);
        EXPECT_EQ(t.canvas.selectedTexts(), s.texts);
        QList<QTreeWidgetItem *> expected;
        for (int n : s.areas)
            expected.append(t.outline->areaRow(n));
        for (int k : s.texts)
            expected.append(t.outline->textRow(k));
        QList<QTreeWidgetItem *> selected = tree->selectedItems();
        EXPECT_EQ(QSet<QTreeWidgetItem *>(selected.begin(), selected.end()),
                  QSet<QTreeWidgetItem *>(expected.begin(), expected.end()));
    }
}

TEST(FrameOutlineTest, AnAreaUnderAnotherIsOpenedMovedAndRemovedFromTheOutline) {
    Outlined t;
    QTreeWidget *tree = t.outline->tree();
    // A click where area 1 lies reaches area 2 over it.
    QTest::mouseClick(t.canvas.BackImage()->childAt(110, 110), Qt::LeftButton);
    EXPECT_EQ(t.canvas.SelectedAreaNumber(), 2);
    tree->setCurrentItem(t.outline->areaRow(1));
    const QRect row = tree->visualItemRect(t.outline->areaRow(1));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(t.dialogAreas, QStringList{"1"});
    t.key(Qt::Key_Right);
    t.key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(t.left(1), 1500 + 15 - 150);
    EXPECT_EQ(t.left(2), 1200);
    // Enter on a text's row is its "Change text...".
    tree->setCurrentItem(t.outline->textRow(1));
    t.textEntries = {"Hello"};
    t.key(Qt::Key_Return);
    EXPECT_EQ(t.outline->textRow(1)->text(2), "Hello");
    tree->setCurrentItem(t.outline->areaRow(1));
    const QMap<QString, QByteArray> before = folderTree(t.p.root());
    const int steps = t.canvas.undo()->stack()->count();
    t.key(Qt::Key_Delete);
    EXPECT_EQ(t.canvas.areaNumbers(), (QList<int>{1, 2}));
    EXPECT_EQ(t.columns(t.outline->areaRow(1))[1], "door");
    EXPECT_EQ(t.canvas.undo()->stack()->count(), steps + 1);
    t.canvas.undo()->undo();
    EXPECT_EQ(folderTree(t.p.root()), before);
    EXPECT_EQ(t.columns(t.outline->areaRow(1))[1], "Area 1");
    tree->setCurrentItem(t.outline->areaRow(1));
    t.key(Qt::Key_C, Qt::ControlModifier); // the canvas's copy, not the row's text
    EXPECT_TRUE(t.canvas.pasteAction()->isEnabled());
}

TEST(FrameOutlineTest, TheEyeHidesAnElementOnTheCanvasOnlyAndWritesNothing) {
    const struct {
        bool area;
        int number;
    } cases[] = {{true, 2}, {false, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.area ? "area" : "text");
        Outlined t;
        const QMap<QString, QByteArray> before = folderTree(t.p.root());
        QWidget *shown = c.area ? t.canvas.area(c.number) : t.canvas.text(c.number);
        QTreeWidgetItem *row = c.area ? t.outline->areaRow(c.number) : t.outline->textRow(1);
        t.outline->eye(row)->click();
        EXPECT_FALSE(shown->isVisible());
        EXPECT_FALSE(t.outline->eye(row)->isChecked());
        // What it covered can be clicked now.
        EXPECT_EQ(t.canvas.BackImage()->childAt(110, 110), t.canvas.area(c.area ? 1 : 2));
        // Still hidden when the canvas is drawn again.
        t.canvas.Redraw();
        shown = c.area ? t.canvas.area(c.number) : t.canvas.text(c.number);
        row = c.area ? t.outline->areaRow(c.number) : t.outline->textRow(1);
        EXPECT_FALSE(shown->isVisible());
        EXPECT_FALSE(t.outline->eye(row)->isChecked());
        t.outline->eye(row)->click();
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(folderTree(t.p.root()), before);
    }
}

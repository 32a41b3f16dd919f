// The frames list: listing in both styles with thumbnails, renaming by editing a label,
// duplicating, removing, keys, dropped files, and the window shown with its panels.

#include "AreaFiles.h"
#include "EditorTestSupport.h"
#include "FrameFiles.h"
#include "ReadOnlyFolder.h"
#include "RecordingMedia.h"
#include "SettingsStore.h"
#include "frmFrames.h"
#include "frmMenu.h"

#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QDockWidget>
#include <QStackedWidget>
#include <QTest>

using Answer = EngineHost::Answer;

namespace {

// A project with a picture frame "Shore" (with an area) and a colour frame "Sky".
struct FramesProject {
    TestProject p;
    EditorProject project;
    FramesProject() {
        writeProject(p, "Lighthouse", "Shore", {"Sky"});
        QImage sand(40, 30, QImage::Format_RGB32);
        sand.fill(QColor(0xE9, 0xE2, 0xC8));
        sand.save(p.path("Frames/shore.bmp"));
        FrameProperties shore;
        shore.BackgroundKind = 1;
        shore.Background = "shore.bmp";
        FrameProperties sky;
        sky.Background = QString::number(0xF0D39F); // 0x00BBGGRR
        const FrameFiles frames(p.paths(), SoundMode::MultiChannel);
        EXPECT_TRUE(frames.writeNewFrame("Shore", shore));
        EXPECT_TRUE(frames.writeNewFrame("Sky", sky));
        p.writeRaw("Areas/Shore/1a.dat", "area");
        EXPECT_TRUE(frames.writeAreaCount("Shore", 1));
        project.paths = p.paths();
    }
};

// The labels as the list view shows them.
QStringList labels(const frmFrames &window) {
    QStringList out;
    const QAbstractItemModel *m = window.LView()->model();
    for (int i = 0; i < m->rowCount(); ++i)
        out.append(m->index(i, 0).data(Qt::DisplayRole).toString());
    return out;
}

QIcon icon(const frmFrames &window, int row) {
    return window.LView()->model()->index(row, 0).data(Qt::DecorationRole).value<QIcon>();
}

QColor iconColour(const frmFrames &window, int row) {
    return icon(window, row).pixmap(64, 48).toImage().pixelColor(10, 10);
}

} // namespace

TEST(FramesListTest, ListsFramesWithThumbnailsOfTheirBackgrounds) {
    FramesProject fp;
    frmFrames window;
    window.show();
    window.setProject(fp.project);
    QListView *list = window.LView();
    EXPECT_EQ(labels(window), (QStringList{"Shore", "Sky"}));
    EXPECT_EQ(list->viewMode(), QListView::IconMode);
    ASSERT_TRUE(
        waitFor([&window] { return !icon(window, 0).isNull() && !icon(window, 1).isNull(); }));
    EXPECT_EQ(iconColour(window, 0), QColor(0xE9, 0xE2, 0xC8));
    EXPECT_EQ(iconColour(window, 1), QColor(0x9F, 0xD3, 0xF0));
    window.setIconStyle(false);
    EXPECT_EQ(list->viewMode(), QListView::ListMode);
    QStringList actions;
    for (const QAction *a : window.contextMenu()->actions())
        actions.append(a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(actions, (QStringList{"Edit...", "Properties...", "-", "Duplicate...", "Remove!", "-",
                                    "Refresh", "-", "Cancel"}));
    // F5 lists again what changed on disk.
    QFile::remove(fp.p.path("Frames/Sky.fme"));
    QTest::keyClick(list, Qt::Key_F5);
    EXPECT_EQ(labels(window), QStringList{"Shore"});
}

TEST(FramesListTest, ThumbnailsAreMadeForWhatIsShownOrAboutToBe) {
    TestProject p;
    writeProject(p, "Many", "F000", {});
    for (int i = 0; i < 400; ++i)
        p.writeLines(QStringLiteral("Frames/F%1.fme").arg(i, 3, 10, QLatin1Char('0')),
                     {"0", q("255"), "#FALSE#"});
    EditorProject project;
    project.paths = p.paths();
    frmFrames window;
    window.resize(300, 200);
    window.show();
    window.setProject(project);
    QListView *list = window.LView();
    ASSERT_EQ(list->model()->rowCount(), 400);
    EXPECT_TRUE(waitFor([&window] { return !icon(window, 0).isNull(); }));
    QTest::qWait(200);
    EXPECT_TRUE(icon(window, 399).isNull()) << "a thumbnail far out of sight was made";
    list->scrollTo(list->model()->index(399, 0));
    EXPECT_TRUE(waitFor([&window] { return !icon(window, 399).isNull(); }));
}

TEST(FramesListTest, EditingALabelRenamesTheFrameOrPutsTheNameBack) {
    struct Case {
        QString newName;
        QString label;   // afterwards
        QString message; // empty: none
    };
    const Case cases[] = {
        {"Beach", "Beach", ""},
        {"sky", "Shore",
         "Cannot rename 'sky': A frame with the name you specified already exists. Specify a "
         "different name."},
        {"Sh*re", "Shore",
         "Sorry, a filename cannot contain any of the following characters:\n\" \\ / : * ? < > | "
         ","},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.newName.toStdString());
        FramesProject fp;
        AnsweredEditor editor;
        frmFrames window;
        window.setProject(fp.project);
        QAbstractItemModel *m = window.LView()->model();
        EXPECT_EQ(m->setData(m->index(0, 0), c.newName, Qt::EditRole), c.label == c.newName);
        EXPECT_EQ(labels(window).value(0), c.label);
        EXPECT_EQ(editor.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(fp.p.exists("Frames/Beach.fme"), c.label == "Beach");
        EXPECT_EQ(fp.p.exists("Areas/Beach/1a.dat"), c.label == "Beach");
        EXPECT_EQ(fp.p.exists("Frames/Shore.lks"), c.label != "Beach");
        window.selectFrame(c.label);
        EXPECT_EQ(window.selectedFrame(), c.label);
    }
}

TEST(FramesListTest, DuplicateAndRemoveAskFirst) {
    FramesProject fp;
    AnsweredEditor editor;
    frmFrames window;
    window.setProject(fp.project);
    window.selectFrame("Shore");
    editor.inputs = {"Sky", "Shore copy"};
    ASSERT_TRUE(window.duplicateSelected());
    EXPECT_EQ(labels(window), (QStringList{"Shore", "Shore copy", "Sky"}));
    EXPECT_EQ(fp.p.read("Areas/Shore copy/1a.dat"), "area");
    EXPECT_EQ(editor.texts(),
              QStringList{"A frame with the name you specified already exists. Specify a "
                          "different name."});

    editor.boxes.clear();
    window.selectFrame("Shore copy");
    editor.answers = {Answer::Cancel};
    EXPECT_FALSE(window.removeSelected());
    EXPECT_TRUE(fp.p.exists("Frames/Shore copy.fme"));
    editor.answers = {Answer::Ok};
    QTest::keyClick(window.LView(), Qt::Key_Delete);
    EXPECT_FALSE(fp.p.exists("Frames/Shore copy.fme"));
    EXPECT_FALSE(fp.p.exists("Areas/Shore copy"));
    EXPECT_EQ(labels(window), (QStringList{"Shore", "Sky"}));
    ASSERT_EQ(editor.boxes.size(), 2);
    EXPECT_EQ(editor.boxes[0].text, "Do you really want to remove the frame 'Shore copy.fme' and "
                                    "all its clickable areas?.\n\nClick 'Cancel' to abort "
                                    "operation.");

    // With no frame left the commands say so.
    TestProject empty;
    writeProject(empty, "Empty", "", {});
    EditorProject none;
    none.paths = empty.paths();
    window.setProject(none);
    editor.boxes.clear();
    EXPECT_FALSE(window.duplicateSelected());
    EXPECT_FALSE(window.removeSelected());
    EXPECT_EQ(editor.texts(),
              QStringList(2, "The project does not contain any frame. To create a new frame, "
                             "click 'Add New Frame'."));
}

TEST(FramesListTest, DroppedPicturesBecomeFramesAndOtherFilesAreRefusedOneByOne) {
    FramesProject fp;
    AnsweredEditor editor;
    frmFrames window;
    window.setProject(fp.project);
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    TestProject outside;
    const QString cove = outside.path("cove.BMP");
    img.save(cove, "BMP");
    const QString notes = outside.writeRaw("notes.txt", "x");
    window.dropFiles({cove, notes, cove});
    EXPECT_EQ(labels(window), (QStringList{"cove", "cove01", "Shore", "Sky"}));
    EXPECT_EQ(editor.texts(), QStringList{"Unable to create a frame from '" + notes +
                                          "'.\nYou can drag only .BMP, .GIF, .JPG, .WMF and "
                                          ".EMF files."});
    EXPECT_TRUE(fp.p.exists("Frames/cove.BMP"));
}

TEST(FramesListTest, ShownWithTheFramesPanelsAndLayoutKept) {
    SettingsStore::DeleteSetting("A", "Settings");
    FramesProject fp;
    TestProject install;
    RecordingMediaBackend media;
    AnsweredEditor editor;
    {
        frmMenu menu(EditorFolders(install.root()), media);
        ASSERT_TRUE(menu.start());
        menu.show();
        ASSERT_TRUE(menu.openProject(fp.p.root()));
        EXPECT_FALSE(menu.framesWindow()->isVisible());
        menu.button(0, "Edit Project...")->click();
        EXPECT_TRUE(menu.framesWindow()->isVisible());
        EXPECT_EQ(labels(*menu.framesWindow()), (QStringList{"Shore", "Sky"}));
        menu.viewOption(1)->click();
        EXPECT_EQ(menu.framesWindow()->LView()->viewMode(), QListView::ListMode);
        menu.button(2, "Add New Frame (Scene)...")->click();
        EXPECT_TRUE(menu.framesWindow()->isVisible());
        menu.button(10, "Cancel")->click();
        menu.button(2, "Back")->click();
        EXPECT_FALSE(menu.framesWindow()->isVisible());
        menu.button(0, "Edit Project...")->click();
        // The list is the main window's centre; the window's size and its docks are kept.
        EXPECT_EQ(menu.centre()->currentWidget(), menu.framesWindow());
        menu.resize(780, 560);
        menu.guideDock()->setFloating(true);
        menu.close();
    }
    frmMenu again(EditorFolders(install.root()), media);
    ASSERT_TRUE(again.start());
    EXPECT_EQ(again.size(), QSize(780, 560));
    EXPECT_TRUE(again.guideDock()->isFloating());
    again.ResetLayout();
    EXPECT_FALSE(again.guideDock()->isFloating());
}

TEST(FramesListTest, IconsShowThumbnailsWithTheirNamesFromTheFirstShow) {
    FramesProject fp;
    // The order the frames panel uses: the style, the project, then the window shown.
    for (const bool listedFirst : {true, false}) {
        SCOPED_TRACE(listedFirst);
        frmFrames window;
        window.setIconStyle(true);
        if (listedFirst)
            window.setProject(fp.project);
        window.show();
        if (!listedFirst)
            window.setProject(fp.project);
        QListView *list = window.LView();
        const QFontMetrics metrics(list->font());
        for (int row = 0; row < 2; ++row) {
            const QModelIndex i = list->model()->index(row, 0);
            const QRect r = list->visualRect(i);
            EXPECT_GE(list->iconSize().width(), 128);
            EXPECT_GE(r.width(), 128) << r.width() << "x" << r.height();
            // The thumbnail and a line of text under it.
            EXPECT_GE(r.height(), 96 + metrics.height()) << r.width() << "x" << r.height();
            EXPECT_GE(r.width(), metrics.horizontalAdvance(i.data().toString()));
        }
        EXPECT_FALSE(list->visualRect(list->model()->index(0, 0))
                         .intersects(list->visualRect(list->model()->index(1, 0))));
    }
}

TEST(FramesListTest, CtrlZUndoesARenameAndTheEditMenuNamesTheStep) {
    FramesProject fp;
    AnsweredEditor editor;
    RecordingMediaBackend media;
    frmMenu menu(EditorFolders(QString()), media);
    menu.show();
    ASSERT_TRUE(menu.openProject(fp.p.root()));
    menu.ShowMenu(2);
    frmFrames *window = menu.framesWindow();
    const QMenuBar *bar = menu.findChild<QMenuBar *>();
    ASSERT_TRUE(bar);
    QMenu *edit = nullptr;
    for (QAction *a : bar->actions())
        edit = a->text().remove('&') == "Edit" ? a->menu() : edit;
    ASSERT_TRUE(edit);
    auto entries = [edit] {
        QStringList out;
        for (const QAction *a : edit->actions())
            out.append(a->text() + (a->isEnabled() ? "" : " (off)"));
        return out;
    };
    QAbstractItemModel *m = window->LView()->model();
    ASSERT_TRUE(m->setData(m->index(0, 0), "Beach", Qt::EditRole));
    // The canvas's Copy, Cut and Paste follow, off while no frame is edited.
    EXPECT_EQ(entries(), (QStringList{"Undo Rename Frame", "Redo (off)", "", "Copy (off)",
                                      "Cut (off)", "Paste (off)"}));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    {
        // A write-back that fails says why and leaves the frame renamed.
        ReadOnlyFolder locked(fp.p.path("Frames"));
        if (locked.ok()) {
            QTest::keyClick(window->LView(), Qt::Key_Z, Qt::ControlModifier);
            EXPECT_EQ(labels(*window), (QStringList{"Beach", "Sky"}));
            ASSERT_EQ(editor.boxes.size(), 1);
            EXPECT_TRUE(editor.boxes[0].text.startsWith(
                "Unable to access project files. The project folder may be Read-Only.\n\n"));
            EXPECT_TRUE(editor.boxes[0].text.contains("Frames"));
        }
    }
    QTest::keyClick(window->LView(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(labels(*window), (QStringList{"Shore", "Sky"}));
    EXPECT_TRUE(fp.p.exists("Areas/Shore/1a.dat"));
    EXPECT_FALSE(fp.p.exists("Frames/Beach.fme"));
    EXPECT_EQ(entries().mid(0, 2), (QStringList{"Undo (off)", "Redo Rename Frame"}));
    QTest::keyClick(window->LView(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(labels(*window), (QStringList{"Beach", "Sky"}));
    EXPECT_TRUE(fp.p.exists("Areas/Beach/1a.dat"));
}

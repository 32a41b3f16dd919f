// The frames list and the items window rename and remove with every place that names the frame
// or item: the questions they ask (the places listed, three answers, the saved games that keep
// the old name), what each answer leaves, and a failed write shown with its file.

#include "EditorFolders.h"
#include "EditorItems.h"
#include "EditorTestSupport.h"
#include "FramesModel.h"
#include "ProjectCheck.h"
#include "ProjectSnapshot.h"
#include "RecordingMedia.h"
#include "ReferenceGame.h"
#include "SettingsStore.h"
#include "frmFrames.h"
#include "frmMenu.h"
#include "frmObjects.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>

using Answer = EngineHost::Answer;

namespace {

int problemCount(const GameProject &g) {
    return static_cast<int>(checkProject(ProjectSnapshot::load(g.paths())).size());
}

QStringList labels(const frmFrames &window) {
    return window.frames()->frames();
}

const QString kRemoveCellar = "Do you really want to remove the frame 'Cellar.fme' and all its "
                              "clickable areas?.\n\nClick 'Cancel' to abort operation.";
const QString kAnswers = "\n\nYes        = Remove it and clear these references (areas that went "
                         "there go nowhere, items given or required are dropped, events removed)"
                         "\nNo         = Remove it and leave them as they are (Check Project "
                         "will list them)\nCancel   = Do not remove it";

} // namespace

TEST(RenameRemoveQuestionsTest, RemovingAFrameListsWhereItIsUsedAndOffersThreeAnswers) {
    struct Case {
        Answer answer;
        bool removed;
        int problems; // the project check's, afterwards
    };
    const Case cases[] = {
        {Answer::Cancel, false, 0}, {Answer::Yes, true, 0}, {Answer::No, true, 4}};
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        ReferenceGame g;
        EditorProject project;
        project.paths = g.paths();
        AnsweredEditor editor;
        frmFrames window;
        window.setProject(project);
        window.selectFrame("Cellar");
        editor.answers = {c.answer};
        EXPECT_EQ(window.removeSelected(), c.removed);
        ASSERT_EQ(editor.boxes.size(), 1);
        EXPECT_EQ(editor.boxes[0].buttons, EngineHost::Buttons::YesNoCancel);
        EXPECT_EQ(editor.boxes[0].text,
                  kRemoveCellar +
                      "\n\nIt is used in 4 places:\nFrames/Attic.fme: the timer goes to the "
                      "frame\nAreas/Hall/1b.dat: goes to the frame\nAreas/Hall/2_Key.drg: goes "
                      "to the frame\nAreas/Hall/3b.dat: goes to the frame" +
                      kAnswers);
        EXPECT_EQ(g.exists("Frames/Cellar.fme"), !c.removed);
        EXPECT_EQ(labels(window).contains("Cellar"), !c.removed);
        EXPECT_EQ(problemCount(g), c.problems);
    }

    // Ten places are listed, then how many more.
    GameProject many("Hub");
    many.frame("Hub");
    many.frame("Spoke");
    Area toHub;
    toHub.action.GoToFrame = 1;
    toHub.action.TargetFrame = "Hub";
    for (int n = 1; n <= 12; ++n)
        many.area("Spoke", n, toHub);
    EditorProject project;
    project.paths = many.paths();
    AnsweredEditor editor;
    frmFrames window;
    window.setProject(project);
    window.selectFrame("Hub");
    editor.answers = {Answer::Cancel};
    EXPECT_FALSE(window.removeSelected());
    ASSERT_EQ(editor.boxes.size(), 1);
    const QStringList lines = editor.boxes[0].text.split('\n');
    EXPECT_TRUE(lines.contains("It is used in 13 places:"));
    EXPECT_TRUE(lines.contains("Areas/Spoke/9b.dat: goes to the frame"));
    EXPECT_FALSE(lines.contains("Areas/Spoke/10b.dat: goes to the frame"));
    EXPECT_TRUE(lines.contains("and 3 more"));
}

TEST(RenameRemoveQuestionsTest, RenamingAFrameFollowsItsLinksKeepsTheListSortedAndSaysWhatFailed) {
    struct Case {
        QString newName;
        QList<Answer> answers;
        bool renamed;
        const char *readOnly; // a file that cannot be written, or nullptr
        QString message;      // the second box (the first asks about the saved game)
    };
    const Case cases[] = {
        {"Zoo", {Answer::Ok}, true, nullptr, ""},
        {"Zoo", {Answer::Cancel}, false, nullptr, ""},
        {"Zoo", {Answer::Ok}, false, "Areas/Hall/3b.dat", "Unable to rename frame areas.\n\n%1: "},
    };
    for (const Case &c : cases) {
        ReferenceGame g;
        if (c.readOnly)
            QFile::setPermissions(g.path(c.readOnly), QFile::ReadOwner);
        EditorProject project;
        project.paths = g.paths();
        AnsweredEditor editor;
        editor.answers = c.answers;
        frmFrames window;
        window.setProject(project);
        window.selectFrame("Cellar");
        QAbstractItemModel *m = window.LView()->model();
        EXPECT_EQ(m->setData(m->index(1, 0), c.newName, Qt::EditRole), c.renamed);
        ASSERT_GE(editor.boxes.size(), 1);
        EXPECT_EQ(editor.boxes[0].text,
                  "1 saved game names the frame 'Cellar'. Saved games belong to the players and "
                  "are not changed: they will still name 'Cellar'.\n\nDo you want to rename "
                  "'Cellar' to 'Zoo'?");
        const QString message =
            QString(c.message).replace("%1", g.path(c.readOnly ? c.readOnly : ""));
        EXPECT_EQ(editor.boxes.size() > 1 ? editor.boxes[1].text.left(message.size()) : "",
                  message);
        EXPECT_EQ(labels(window), c.renamed ? QStringList({"Attic", "Hall", "Zoo"})
                                            : QStringList({"Attic", "Cellar", "Hall"}));
        EXPECT_EQ(window.selectedFrame(), c.renamed ? "Zoo" : "Cellar");
        EXPECT_EQ(problemCount(g), 0);
        EXPECT_EQ(g.read("Areas/Hall/1b.dat").contains("\"Zoo\""), c.renamed);
    }
}

TEST(RenameRemoveQuestionsTest, TheItemsWindowRenamesByItsLabelAndRemovesWithItsUses) {
    ReferenceGame g;
    AnsweredEditor editor;
    frmObjects list;
    list.setProject(g.paths());
    ASSERT_EQ(list.ObjectsList->count(), 3);
    list.ObjectsList->setCurrentRow(0);
    ASSERT_EQ(list.ObjectsList->currentItem()->text(), "Key");

    // Editing the label renames the item everywhere once the saved game is accepted.
    editor.answers = {Answer::Ok};
    list.ObjectsList->currentItem()->setText("Skeleton Key");
    EXPECT_TRUE(waitFor([&] { return g.exists("Areas/Skeleton Key.obj"); }));
    EXPECT_TRUE(g.exists("Areas/Hall/2_Skeleton Key.drg"));
    EXPECT_TRUE(g.exists("Areas/Lamp_on_Skeleton Key.drg"));
    EXPECT_EQ(problemCount(g), 0);
    ASSERT_NE(list.ObjectsList->currentItem(), nullptr);
    EXPECT_EQ(list.ObjectsList->currentItem()->text(), "Skeleton Key");

    // Removing it lists its uses; Yes clears them.
    editor.boxes.clear();
    editor.answers = {Answer::Yes};
    list.RemoveSelected();
    ASSERT_EQ(editor.boxes.size(), 1);
    EXPECT_EQ(editor.boxes[0].text,
              "Do you really want to remove the item 'Skeleton Key'?\n\nIt is used in 4 "
              "places:\nAreas/Hall/1c.dat: a click gives the item\nAreas/Hall/2_Skeleton "
              "Key.drg: the item dropped on an area\nAreas/Lamp_on_Skeleton Key.drg: another "
              "item used on the item\nAreas/Skeleton Key_on_Rope.drg: the item used on another "
              "item" +
                  kAnswers);
    EXPECT_FALSE(g.exists("Areas/Skeleton Key.obj"));
    EXPECT_FALSE(g.exists("Areas/Hall/2_Skeleton Key.drg"));
    EXPECT_EQ(list.ObjectsList->count(), 2);
    EXPECT_EQ(problemCount(g), 0);
}

TEST(RenameRemoveQuestionsTest, TheMainWindowSeesTheRenamedInitialFrame) {
    ReferenceGame g;
    TestProject install;
    RecordingMediaBackend media;
    AnsweredEditor editor;
    SettingsStore::DeleteSetting("A", "Settings");
    frmMenu menu(EditorFolders(install.root()), media);
    ASSERT_TRUE(menu.start());
    ASSERT_TRUE(menu.openProject(g.root()));
    menu.button(0, "Edit Project...")->click();
    QAbstractItemModel *m = menu.framesWindow()->LView()->model();
    ASSERT_EQ(m->index(2, 0).data().toString(), "Hall");
    ASSERT_TRUE(m->setData(m->index(2, 0), "Lobby", Qt::EditRole));
    menu.button(2, "Back")->click();
    menu.button(0, "Distribute... (Create .exe)")->click();
    EXPECT_EQ(menu.currentPanel(), 7);
    EXPECT_EQ(editor.texts(), QStringList());
}

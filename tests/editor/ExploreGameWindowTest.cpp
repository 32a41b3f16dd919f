// "Explore the Game": the search runs on a worker thread, can be cancelled, and its findings
// lead to their frame.

#include "EditorFolders.h"
#include "EditorTestSupport.h"
#include "GameProject.h"
#include "RecordingMedia.h"
#include "SettingsStore.h"
#include "frmExploreGame.h"
#include "frmMenu.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

// The only key is used up on the wrong door or opens the right one, which ends the game.
EditorProject wrongDoor(GameProject &p) {
    p.frame("Start");
    p.item("Key");
    Area key;
    key.item.PickItem = 1;
    key.item.ItemName = "Key";
    key.action.HideOrRemove = 1;
    p.area("Start", 1, key);
    p.area("Start", 2);
    p.area("Start", 3);
    ActionRecord usedUp, closes;
    usedUp.HideOrRemove = 1;
    closes.CloseProgram = 1;
    p.dropEvent("Start", 2, "Key", usedUp);
    p.dropEvent("Start", 3, "Key", closes);
    EditorProject project;
    project.paths = p.paths();
    return project;
}

// Twenty items to pick up in any order: about a million states, a search that is still running
// when Cancel is clicked.
EditorProject manyStates(GameProject &p) {
    p.frame("Start");
    for (int n = 1; n <= 20; ++n) {
        const QString name = QStringLiteral("Item%1").arg(n);
        p.item(name);
        Area area;
        area.item.PickItem = 1;
        area.item.ItemName = name;
        area.action.HideOrRemove = 1;
        p.area("Start", n, area);
    }
    EditorProject project;
    project.paths = p.paths();
    return project;
}

QStringList column(const QTreeWidget *list, int c) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out.append(list->topLevelItem(i)->text(c));
    return out;
}

} // namespace

TEST(ExploreGameWindowTest, ListsFindingsThatLeadToTheirFrame) {
    GameProject p;
    frmExploreGame window(wrongDoor(p));
    QSignalSpy finished(&window, &frmExploreGame::finished);
    window.start();
    EXPECT_TRUE(window.running());
    EXPECT_TRUE(window.cancelButton()->isEnabled());
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(window.running());
    EXPECT_FALSE(window.cancelButton()->isEnabled());
    EXPECT_EQ(window.progressBar()->maximum(), 1);

    QTreeWidget *list = window.findingList();
    EXPECT_EQ(column(list, 0), (QStringList{"Walkthrough", "Dead end"}));
    EXPECT_EQ(column(list, 1), (QStringList{"", "Start"}));
    EXPECT_EQ(column(list, 3),
              (QStringList{"start click 1 drop Key 3", "start click 1 drop Key 2"}));

    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget *w = QApplication::activeModalWidget()) {
            for (QLineEdit *e : w->findChildren<QLineEdit *>()) {
                if (e->accessibleName() == "Frame name")
                    opened = e->text();
            }
            w->close();
        }
    });
    EXPECT_TRUE(window.openFrameOf(1));
    EXPECT_EQ(opened, "Start");
    EXPECT_FALSE(window.openFrameOf(0)); // the walkthrough belongs to no frame
}

TEST(ExploreGameWindowTest, CancelledSearchIsReportedIncomplete) {
    GameProject p;
    frmExploreGame window(manyStates(p));
    QSignalSpy finished(&window, &frmExploreGame::finished);
    window.start();
    window.cancelButton()->click();
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_FALSE(window.report().complete);
    EXPECT_EQ(window.report().limit, "cancelled");
    EXPECT_FALSE(column(window.findingList(), 0).contains("No problem found."));
}

// The project panel's command opens the window, which searches at once; closing it while the
// search runs stops the search.
TEST(ExploreGameWindowTest, ProjectPanelCommandOpensIt) {
    SettingsStore::DeleteSetting("A", "Settings");
    TestProject install, project;
    writeProject(project, "Lighthouse", "Shore", {"Shore"});
    RecordingMediaBackend media;
    AnsweredEditor answers;
    frmMenu menu(EditorFolders(install.root()), media);
    ASSERT_TRUE(menu.start());
    menu.show();
    ASSERT_TRUE(menu.openProject(project.root()));
    QPushButton *command = menu.button(0, "Explore the Game");
    ASSERT_NE(command, nullptr);
    QString title;
    bool searching = false;
    QTimer::singleShot(0, [&] {
        if (auto *w = qobject_cast<frmExploreGame *>(QApplication::activeModalWidget())) {
            title = w->windowTitle();
            searching =
                w->running() || !w->report().walkthrough.isEmpty() || w->report().states > 0;
            w->close();
        }
    });
    command->click();
    EXPECT_EQ(title, "Explore the Game");
    EXPECT_TRUE(searching);
}

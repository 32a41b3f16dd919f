// The main window: panels and their captions, the commands that move between them, closing a
// project, the test run, the external programs, the settings kept and reset.

#include "CanvasSurface.h"
#include "DocumentViewer.h"
#include "EditorTestSupport.h"
#include "FrameFiles.h"
#include "GameEngine.h"
#include "RecentProjects.h"
#include "RecordingMedia.h"
#include "SettingsStore.h"
#include "frmFrames.h"
#include "frmMain.h"
#include "frmMenu.h"
#include "frmWelcome.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using Answer = EngineHost::Answer;

namespace {

QString setting(const QString &key) {
    return SettingsStore::GetSetting("A", "Settings", key);
}

// The main window on an installation folder of its own, with a project open when asked.
struct Editor {
    TestProject install;
    TestProject project;
    RecordingMediaBackend media;
    AnsweredEditor answers;
    std::unique_ptr<frmMenu> menu;

    explicit Editor(bool open = true, const QString &initialFrame = "Shore",
                    const QStringList &frames = {"Shore"}) {
        SettingsStore::DeleteSetting("A", "Settings");
        writeProject(project, "Lighthouse", initialFrame, frames);
        menu = std::make_unique<frmMenu>(EditorFolders(install.root()), media);
        EXPECT_TRUE(menu->start());
        menu->show();
        if (open) {
            EXPECT_TRUE(menu->openProject(project.root()));
        }
    }
    void click(int panel, const QString &caption) {
        QPushButton *b = menu->button(panel, caption);
        ASSERT_NE(b, nullptr) << caption.toStdString();
        ASSERT_EQ(menu->currentPanel(), panel) << caption.toStdString();
        ASSERT_TRUE(b->isVisible()) << caption.toStdString();
        b->click();
    }
};

} // namespace

TEST(MainWindowTest, CommandsMoveBetweenPanelsWithTheirCaptions) {
    struct Step {
        int from;
        const char *caption;
        int to;
        QString windowTitle;
    };
    const Step steps[] = {
        {0, "Edit Project...", 2, "Edit project 'Lighthouse'"},
        {2, "Add New Frame (Scene)...", 10, "New Frame"},
        {10, "Cancel", 2, "Edit project 'Lighthouse'"},
        {2, "Back", 0, "Project 'Lighthouse'"},
        {0, "External Programs...", 8, "External Programs"},
        {8, "Cancel", 0, "Project 'Lighthouse'"},
        {0, "Distribute... (Create .exe)", 7, "Distribute"},
        {7, "Cancel", 0, "Project 'Lighthouse'"},
        {0, "Quit project", 1, "Close Project"},
        {1, "Cancel", 0, "Project 'Lighthouse'"},
        {0, "Quit project", 1, "Close Project"},
        {1, "Yes, Close", 9, "Quillmoor"},
        {9, "About...", 6, "About Quillmoor"},
        {6, "Back", 9, "Quillmoor"},
    };
    Editor e;
    EXPECT_EQ(e.menu->currentPanel(), 0);
    for (const Step &s : steps) {
        SCOPED_TRACE(s.caption);
        e.click(s.from, QString::fromUtf8(s.caption));
        EXPECT_EQ(e.menu->currentPanel(), s.to);
        EXPECT_EQ(e.menu->windowTitle(), s.windowTitle);
    }
    EXPECT_TRUE(e.answers.boxes.isEmpty()) << e.answers.texts().join("|").toStdString();
    EXPECT_FALSE(e.menu->project().isOpen());
    EXPECT_EQ(e.menu->versionLabel()->text() + e.menu->revisionLabel()->text(), "Version 2.06.01");
}

TEST(MainWindowTest, QuittingAProjectAsksUntilToldNotTo) {
    Editor e;
    e.click(0, "Quit project");
    e.menu->doNotShowAgain()->setChecked(true);
    e.click(1, "Yes, Close");
    EXPECT_EQ(e.answers.texts(),
              QStringList{"You have selected the option 'Do no show this message again'. To show "
                          "it again, click 'About' from the Main Menu and then click 'Reset "
                          "Program Settings'."});
    EXPECT_EQ(setting("ShowMessage1"), "1");
    EXPECT_EQ(e.menu->currentPanel(), 9);
    // Opened again, the project now closes at once.
    ASSERT_TRUE(e.menu->openProject(e.project.root()));
    e.click(0, "Quit project");
    EXPECT_EQ(e.menu->currentPanel(), 9);
    EXPECT_FALSE(e.menu->project().isOpen());

    // Reset brings the question back; Cancel on the reset keeps everything.
    e.menu->ShowMenu(6);
    e.answers.answers = {Answer::Cancel};
    e.click(6, "Reset Program Settings");
    EXPECT_EQ(setting("ShowMessage1"), "1");
    e.answers.answers = {Answer::Ok};
    e.answers.boxes.clear();
    e.click(6, "Reset Program Settings");
    EXPECT_EQ(setting("ShowMessage1"), "");
    ASSERT_EQ(e.answers.boxes.size(), 2);
    EXPECT_EQ(e.answers.boxes[0].title, "Confirm Reset?");
    EXPECT_EQ(e.answers.boxes[1].text,
              "Program settings and preferences were successfully removed.");
    ASSERT_TRUE(e.menu->openProject(e.project.root()));
    e.click(0, "Quit project");
    EXPECT_EQ(e.menu->currentPanel(), 1);
}

TEST(MainWindowTest, TestRunChecksThenHidesTheEditorUntilTheTitleWindowCloses) {
    struct Case {
        const char *what;
        QString initialFrame;
        QStringList frames;
        QString message; // empty: the run starts
    };
    const Case cases[] = {
        {"no frame",
         "Shore",
         {},
         "To run your program (or play your game) you must create at least one frame.\n\nTo "
         "create a new frame, click 'Edit project', and then click 'Add new frame'."},
        {"the initial frame was removed",
         "Gone",
         {"Shore"},
         "You must select the frame you want to appear when your program (or game) starts.\n\n"
         "Please select a valid Initial Frame from the Project Properties."},
        {"no initial frame",
         "",
         {"Shore"},
         "You must select the frame you want to appear when your program (or game) starts.\n\n"
         "Please select a valid Initial Frame from the Project Properties."},
        {"a runnable project", "Shore", {"Shore"}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Editor e(true, c.initialFrame, c.frames);
        e.click(0, "Run Project (Start)");
        if (!c.message.isEmpty()) {
            EXPECT_EQ(e.answers.texts(), QStringList{c.message});
            EXPECT_EQ(e.menu->testRunWindow(), nullptr);
            EXPECT_TRUE(e.menu->isVisible());
            continue;
        }
        frmWelcome *title = e.menu->testRunWindow();
        ASSERT_NE(title, nullptr);
        EXPECT_TRUE(title->isVisible());
        EXPECT_FALSE(e.menu->isVisible());
        EXPECT_EQ(title->titleLabel()->text(), "Lighthouse");
        title->ClickButton(2); // Exit
        EXPECT_TRUE(waitFor([&e] { return e.menu->isVisible(); }));
        EXPECT_EQ(e.menu->testRunWindow(), nullptr);
        EXPECT_EQ(e.menu->currentPanel(), 0);
        EXPECT_TRUE(e.answers.boxes.isEmpty()) << e.answers.texts().join("|").toStdString();
    }
}

TEST(MainWindowTest, RunFromTheSelectedFrameStartsThereOnce) {
    Editor e(true, "Shore", {"Shore", "Cave"});
    e.click(0, "Run from the selected frame");
    EXPECT_EQ(e.answers.texts(),
              QStringList{"Select the frame you want to start from in the frames list (click "
                          "'Edit Project...'), then click 'Run from the selected frame' again."});
    EXPECT_EQ(e.menu->testRunWindow(), nullptr);
    EXPECT_TRUE(e.menu->isVisible());
    e.answers.boxes.clear();

    e.click(0, "Edit Project...");
    e.menu->framesWindow()->selectFrame("Cave");
    e.click(2, "Back");
    e.click(0, "Run from the selected frame");
    frmWelcome *title = e.menu->testRunWindow();
    ASSERT_NE(title, nullptr);
    EXPECT_FALSE(e.menu->isVisible());
    title->ClickButton(0); // Start
    ASSERT_NE(title->gameWindow(), nullptr);
    EXPECT_TRUE(title->gameWindow()->isVisible());
    EXPECT_EQ(title->gameWindow()->engine().currentFrame(), "Cave");
    title->gameWindow()->close();
    ASSERT_TRUE(waitFor([title] { return title->isVisible(); }));
    // Once: Start again is a new game at the initial frame, as the player always begins.
    title->ClickButton(0);
    EXPECT_EQ(title->gameWindow()->engine().currentFrame(), "Shore");
    title->gameWindow()->close();
    ASSERT_TRUE(waitFor([title] { return title->isVisible(); }));
    title->ClickButton(2); // Exit
    EXPECT_TRUE(waitFor([&e] { return e.menu->isVisible(); }));
    EXPECT_EQ(e.menu->testRunWindow(), nullptr);

    // The plain run still starts at the initial frame, the selection notwithstanding.
    e.click(0, "Run Project (Start)");
    title = e.menu->testRunWindow();
    ASSERT_NE(title, nullptr);
    title->ClickButton(0);
    EXPECT_EQ(title->gameWindow()->engine().currentFrame(), "Shore");
    title->gameWindow()->close();
    ASSERT_TRUE(waitFor([title] { return title->isVisible(); }));
    title->ClickButton(2);
    EXPECT_TRUE(waitFor([&e] { return e.menu->isVisible(); }));
    EXPECT_TRUE(e.answers.boxes.isEmpty()) << e.answers.texts().join("|").toStdString();
}

TEST(MainWindowTest, ExternalProgramButtonsKeepTheirLinks) {
    SettingsStore::DeleteSetting("A", "Settings");
    SettingsStore::SaveSetting("A", "Settings", "ExternalProgram1_Caption", "Sketch");
    SettingsStore::SaveSetting("A", "Settings", "ExternalProgram1_Link", "/opt/sketch");
    SettingsStore::SaveSetting("A", "Settings", "ExternalProgram3_Link", "/orphan/link");
    TestProject install;
    RecordingMediaBackend media;
    AnsweredEditor answers;
    frmMenu menu(EditorFolders(install.root()), media);
    menu.ShowMenu(8);
    QStringList captions;
    for (int n = 0; n < 5; ++n)
        captions.append(menu.externalButton(n)->text());
    EXPECT_EQ(captions, (QStringList{"[Customize...]", "Sketch", "[Customize...]", "[Customize...]",
                                     "[Customize...]"}));

    answers.programsStart = false;
    menu.externalButton(1)->click();
    EXPECT_EQ(answers.started, QStringList{"/opt/sketch"});
    EXPECT_EQ(answers.texts(), QStringList{"Unable to run '/opt/sketch'"});
    EXPECT_EQ(menu.currentPanel(), 8);
    answers.programsStart = true;
    menu.externalButton(1)->click();
    EXPECT_EQ(menu.currentPanel(), 0);

    menu.ShowMenu(8);
    QTest::mouseClick(menu.externalButton(1), Qt::RightButton);
    EXPECT_EQ(menu.externalButton(1)->text(), "[Customize...]");
    EXPECT_EQ(setting("ExternalProgram1_Caption"), "");
    EXPECT_EQ(setting("ExternalProgram1_Link"), "");
    QTest::mouseClick(menu.externalButton(2), Qt::RightButton);
    EXPECT_EQ(menu.externalButton(2)->text(), "[Customize...]");

    // Customizing: an empty name leaves the button as it was; a name links it.
    answers.inputs = {""};
    menu.CustomizeExternalProgram(4, "/usr/bin/editor");
    EXPECT_EQ(menu.externalButton(4)->text(), "[Customize...]");
    EXPECT_EQ(setting("ExternalProgram4_Link"), "");
    answers.inputs = {"Editor"};
    menu.CustomizeExternalProgram(4, "/usr/bin/editor");
    EXPECT_EQ(menu.externalButton(4)->text(), "Editor");
    EXPECT_EQ(menu.externalButton(4)->accessibleName(), "Editor");
    EXPECT_EQ(setting("ExternalProgram4_Caption"), "Editor");
    EXPECT_EQ(setting("ExternalProgram4_Link"), "/usr/bin/editor");
    answers.started.clear();
    menu.externalButton(4)->click();
    EXPECT_EQ(answers.started, QStringList{"/usr/bin/editor"});
}

TEST(MainWindowTest, PaintProgramsSayWhichWereTried) {
    TestProject install;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", install.root().toLocal8Bit()); // nothing to find there
    RecordingMediaBackend media;
    AnsweredEditor answers;
    frmMenu menu(EditorFolders(install.root()), media);
    menu.ShowMenu(8);
    menu.button(8, "MS Paint...")->click();
    install.writeRaw("pinta", "#!/bin/sh\n");
    QFile::setPermissions(install.path("pinta"), QFile::ReadOwner | QFile::ExeOwner);
    menu.button(8, "MS Paint...")->click();
    qputenv("PATH", path);
    EXPECT_EQ(answers.texts(),
              QStringList{"Unable to run a paint program.\n\nNone of these programs was found: "
                          "kolourpaint, pinta, mtpaint, gimp, krita."});
    EXPECT_EQ(answers.started, QStringList{install.path("pinta")});
}

TEST(MainWindowTest, HelpAndMakerButtonsOpenOnlyTheLocalHelpPage) {
    Editor e(false);
    e.install.writeRaw("Readme.txt", "read me");
    e.click(9, "Help (Tutorials, FAQ...)");
    e.click(9, "Read Me...");
    e.menu->ShowMenu(6);
    e.click(6, "Go to Web site...");
    e.menu->ShowMenu(7);
    e.click(7, "Visit the Quillmoor Web site...");
    e.click(7, "Write to the authors...");
    ASSERT_EQ(e.answers.opened.size(), 5);
    EXPECT_EQ(e.answers.opened[1], QUrl::fromLocalFile(e.install.path("Readme.txt")));
    for (const QUrl &url : e.answers.opened) {
        EXPECT_TRUE(url.isLocalFile()) << url.toString().toStdString();
        EXPECT_TRUE(url.toLocalFile().startsWith(e.install.root()));
    }
    EXPECT_EQ(e.answers.opened[0].toLocalFile(), e.install.path("Help/index.html"));
    ASSERT_EQ(e.answers.boxes.size(), 1);
    EXPECT_EQ(e.answers.boxes[0].title, "Quillmoor Help");

    QFile::remove(e.install.path("Readme.txt"));
    e.menu->ShowMenu(9);
    e.click(9, "Read Me...");
    EXPECT_EQ(e.answers.boxes.last().text, "Unable to open the file 'Readme.txt'.");
}

TEST(MainWindowTest, HelpAndReadMeShowInTheEditorWhenNothingOpensThem) {
    const char *cases[][3] = {{"Help (Tutorials, FAQ...)", "Quillmoor Help", "How to start"},
                              {"Read Me...", "Read Me", "Read <this> first"}};
    for (const auto &[command, title, text] : cases) {
        Editor e(false);
        e.install.writeRaw("Help/index.html", "<html><body><p>How to <b>start</b></p></body>");
        e.install.writeRaw("Readme.txt", "Read <this> first\r\n");
        EditorMessages::setUrlOpener([](const QUrl &) { return false; });
        e.click(9, command);
        auto *viewer = e.menu->findChild<DocumentViewer *>();
        ASSERT_NE(viewer, nullptr) << command;
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_EQ(viewer->page()->accessibleName(), title);
        EXPECT_EQ(viewer->page()->toPlainText().trimmed(), text);
        QTest::keyClick(viewer->page(), Qt::Key_Escape);
        EXPECT_FALSE(viewer->isVisible());
    }
}

TEST(MainWindowTest, PositionAndViewChoiceAreKept) {
    {
        Editor e;
        e.menu->resize(500, 400); // wholly on the screen at the place below
        e.menu->move(123, 77);
        e.click(0, "Edit Project...");
        EXPECT_TRUE(e.menu->viewOption(0)->isChecked());
        e.menu->viewOption(1)->setChecked(true);
        e.menu->close();
        EXPECT_EQ(setting("frmMenu.Left"), QString::number(e.menu->x()));
        EXPECT_EQ(setting("ViewOption(1).Value"), "True");
        EXPECT_EQ(setting("ViewOption(0).Value"), "False");
    }
    TestProject install;
    RecordingMediaBackend media;
    AnsweredEditor answers;
    frmMenu again(EditorFolders(install.root()), media);
    ASSERT_TRUE(again.start());
    EXPECT_EQ(again.pos().x(), setting("frmMenu.Left").toInt());
    EXPECT_EQ(again.pos().y(), setting("frmMenu.Top").toInt());
    EXPECT_EQ(again.size(), QSize(500, 400));
    again.ShowMenu(2);
    EXPECT_TRUE(again.viewOption(1)->isChecked());
}

TEST(MainWindowTest, NewFramesFromAPictureOrAColour) {
    Editor e;
    e.menu->ShowMenu(10);
    const QString picture = e.install.writeRaw("pictures/harbour.bmp", "BM");
    EXPECT_FALSE(e.menu->NewFrameFromPicture(e.install.path("pictures/none.bmp"), false));
    EXPECT_EQ(e.menu->currentPanel(), 10);
    ASSERT_TRUE(e.menu->NewFrameFromPicture(picture, true));
    EXPECT_EQ(e.menu->currentPanel(), 2);
    FrameProperties props;
    const FrameFiles frames(e.project.paths(), SoundMode::MultiChannel);
    ASSERT_TRUE(frames.readProperties("harbour", props));
    EXPECT_EQ(props.Background, "harbour.bmp");
    EXPECT_TRUE(props.Tiled);
    EXPECT_EQ(e.project.read("Frames/harbour.bmp"), "BM");

    // A refused name and a taken one are asked for again; an empty answer cancels.
    e.menu->ShowMenu(10);
    e.answers.inputs = {"a:b", "shore", ""};
    EXPECT_FALSE(e.menu->NewSolidFrame(0x123456));
    e.answers.inputs = {"Sky"};
    ASSERT_TRUE(e.menu->NewSolidFrame(0x123456));
    ASSERT_TRUE(frames.readProperties("Sky", props));
    EXPECT_EQ(props.BackgroundKind, 0);
    EXPECT_EQ(props.backgroundColor(), 0x123456);
    QStringList titles;
    for (const ShownBox &b : e.answers.boxes)
        titles.append(b.title);
    EXPECT_EQ(titles, (QStringList{"New Frame Creation", "Error", "Frame Already Exists"}));
    ASSERT_EQ(e.answers.boxes.size(), 3);
    EXPECT_EQ(e.answers.boxes[0].text,
              "Unable to find '" + e.install.path("pictures/none.bmp") + "'.");
    EXPECT_TRUE(e.answers.boxes[1].text.startsWith("Sorry, a filename cannot contain"));
}

TEST(MainWindowTest, LargeFontsAreQuestionedAtStart) {
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPixelSize(24);
    QApplication::setFont(large);
    TestProject install;
    RecordingMediaBackend media;
    AnsweredEditor answers;
    for (const Answer a : {Answer::No, Answer::Yes}) {
        frmMenu menu(EditorFolders(install.root()), media);
        answers.answers = {a};
        EXPECT_EQ(menu.start(), a == Answer::Yes);
        EXPECT_EQ(menu.currentPanel(), a == Answer::Yes ? 9 : -1);
    }
    QApplication::setFont(before);
    ASSERT_EQ(answers.boxes.size(), 2);
    EXPECT_EQ(answers.boxes[0].title, "Warning!");
    EXPECT_EQ(answers.boxes[0].buttons, EngineHost::Buttons::YesNo);
    EXPECT_TRUE(answers.boxes[0].text.startsWith(
        "Warning! Your system is set to use large fonts. Quillmoor will NOT work properly"));
}

TEST(MainWindowTest, RecentProjectsAreListedReopenedAndDroppedWhenMissing) {
    Editor e(false);
    std::vector<std::unique_ptr<TestProject>> projects;
    for (int i = 0; i < 9; ++i) {
        projects.push_back(std::make_unique<TestProject>());
        writeProject(*projects.back(), QStringLiteral("Game %1").arg(i), "Shore", {"Shore"});
        ASSERT_TRUE(e.menu->openProject(projects.back()->root()));
    }
    // Opened again, the third comes first; the first opened is beyond the last 8.
    ASSERT_TRUE(e.menu->openProject(projects[2]->root()));
    e.menu->CloseProject();
    QStringList expected{projects[2]->root()};
    for (int i = 8; i >= 1; --i)
        if (i != 2)
            expected.append(projects[i]->root());
    QStringList listed;
    for (int i = 0; i < e.menu->recentList()->count(); ++i)
        listed.append(e.menu->recentList()->item(i)->data(Qt::UserRole).toString());
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(e.menu->recentList()->isVisibleTo(e.menu.get()));
    emit e.menu->recentMenu()->aboutToShow();
    ASSERT_EQ(e.menu->recentMenu()->actions().size(), 8);
    EXPECT_EQ(e.menu->loadProjectFolder(), projects[2]->root());
    // "Open Recent" opens the fourth listed.
    e.menu->recentMenu()->actions()[3]->trigger();
    EXPECT_EQ(e.menu->currentPanel(), 0);
    EXPECT_EQ(e.menu->project().general.ProjectName, "Game 6");
    e.menu->CloseProject();
    // A project removed from the disk is dropped when chosen, and said so.
    QDir(projects[5]->root()).removeRecursively();
    QListWidget *list = e.menu->recentList();
    const auto found = list->findItems("", Qt::MatchContains);
    QListWidgetItem *gone = nullptr;
    for (QListWidgetItem *item : found)
        if (item->data(Qt::UserRole).toString() == projects[5]->root())
            gone = item;
    ASSERT_TRUE(gone);
    emit list->itemActivated(gone);
    EXPECT_EQ(e.menu->currentPanel(), 9);
    ASSERT_EQ(e.answers.boxes.size(), 1);
    EXPECT_EQ(e.answers.boxes[0].text,
              "The project '" + QDir::toNativeSeparators(QDir::cleanPath(projects[5]->root())) +
                  "' was not found: it may have been moved, renamed or removed. It has been taken "
                  "off the list of recent projects.");
    EXPECT_EQ(list->count(), 7);
    EXPECT_FALSE(RecentProjects::list().contains(projects[5]->root()));
}

TEST(MainWindowTest, TheDefaultLayoutLeavesEveryViewUncovered) {
    for (const QSize size : {QSize(1280, 800), QSize(1920, 1080)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        Editor e;
        e.menu->resize(size);
        ASSERT_TRUE(e.menu->EditFrame("Shore"));
        e.menu->ShowItemsAndEvents("Shore");
        QApplication::processEvents();
        // The guide, the outline, the items list and the frame, side by side.
        const QList<QWidget *> views{e.menu->guideDock(), e.menu->outlineDock(),
                                     e.menu->itemsDock(), e.menu->centre()};
        for (int i = 0; i < views.size(); ++i) {
            ASSERT_TRUE(views[i]->isVisible()) << i;
            ASSERT_FALSE(views[i]->isWindow()) << i;
            EXPECT_TRUE(e.menu->rect().contains(views[i]->geometry())) << i;
            for (int j = i + 1; j < views.size(); ++j)
                EXPECT_FALSE(views[i]->geometry().intersects(views[j]->geometry())) << i << j;
        }
        // The whole frame shows, at least at the game's size.
        frmMain *canvas = e.menu->canvasWindow();
        QWidget *viewport = canvas->scrollArea()->viewport();
        const QRect frame(canvas->BackImage()->mapTo(viewport, QPoint(0, 0)),
                          canvas->BackImage()->size());
        EXPECT_TRUE(viewport->rect().contains(frame));
        EXPECT_GE(canvas->zoom(), 1.0);
        EXPECT_FALSE(canvas->scrollArea()->horizontalScrollBar()->isVisible());
    }
}

TEST(MainWindowTest, TheViewMenuReopensClosedDocksAndResetsTheLayout) {
    Editor e;
    ASSERT_TRUE(e.menu->EditFrame("Shore"));
    QStringList entries;
    for (const QAction *a : e.menu->viewMenu()->actions())
        entries.append(a->text());
    EXPECT_EQ(entries, (QStringList{"Guide", "Areas and texts", "List of items", "", "Zoom In",
                                    "Zoom Out", "Fit to Window", "", "Show and Snap to Grid",
                                    "Grid Size...", "", "Reset Layout"}));
    e.menu->outlineDock()->close();
    e.menu->guideDock()->setFloating(true);
    EXPECT_FALSE(e.menu->outlineDock()->isVisible());
    e.menu->viewMenu()->actions().at(1)->trigger();
    EXPECT_TRUE(e.menu->outlineDock()->isVisible());
    e.menu->guideDock()->close();
    e.menu->ResetLayout();
    EXPECT_TRUE(e.menu->guideDock()->isVisible());
    EXPECT_FALSE(e.menu->guideDock()->isFloating());
    EXPECT_TRUE(e.menu->outlineDock()->isVisible()); // a frame is still edited
}

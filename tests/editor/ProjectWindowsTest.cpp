// Opening and creating projects: every check of LoadProject in its order with its messages, the
// new-project checks, the project windows, and where they start.

#include "EditorFolders.h"
#include "EditorTestSupport.h"
#include "GeneralInfo.h"
#include "ProjectVersion.h"
#include "ReadOnlyFolder.h"
#include "frmCheckProject.h"
#include "frmLoadProject.h"
#include "frmNewProject.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include <functional>

using Answer = EngineHost::Answer;

namespace {

const QString kInvalid = "The folder you have chosen does not contain a valid project.\n\n"
                         "Double-click the folder where your project is stored.";
const QString kWriteProtected =
    "The selected project appears to be Write-Protected and cannot be edited. If you have "
    "troubles loading the project you have created with this version of Quillmoor, please "
    "contact the authors.";

} // namespace

TEST(LoadProjectTest, ChecksInOrderWithTheirMessages) {
    struct Case {
        const char *what;
        std::function<void(const TestProject &)> prepare;
        QList<Answer> answers;
        bool opens;
        QString firstText;      // the first box's text begins with this ("" for no box)
        QString versionAfter;   // Config/Version afterwards
        bool trailingSeparator; // the root is given with its separator
    };
    const QString stamped = ProjectVersion::editorVersionText();
    auto version = [](const QString &v) {
        return [v](const TestProject &p) { p.writeLines("Config/Version", {q(v)}); };
    };
    const Case cases[] = {
        {"a folder that is not a project",
         [](const TestProject &p) { QFile::remove(p.path("Config/General")); },
         {},
         false,
         kInvalid,
         "Version 2.06.01",
         true},
        {"a first-version project is refused",
         version("VERSION 1.5"),
         {},
         false,
         "The selected project was created with Quillmoor VERSION 1.5, which is not compatible",
         "VERSION 1.5",
         true},
        {"an older project, cancelled",
         version("Version 2.03.01"),
         {Answer::Cancel},
         false,
         "The selected project was created with Quillmoor Version 2.03.01, which is older",
         "Version 2.03.01",
         true},
        {"an older project, confirmed",
         version("Version 2.03.01"),
         {Answer::Ok},
         true,
         "The selected project was created with Quillmoor Version 2.03.01, which is older",
         stamped,
         false},
        {"a different version, confirmed",
         version("Version 3.00"),
         {Answer::Ok},
         true,
         "The selected project was created with Quillmoor Version 3.00, which is different",
         stamped,
         true},
        {"a renamed project is write-protected",
         [](const TestProject &p) { p.writeRaw("Project.dat", "1\r\n"); },
         {},
         false,
         kWriteProtected,
         "Version 2.06.01",
         true},
        {"an older project that is also write-protected: asked first, then refused",
         [](const TestProject &p) {
             p.writeLines("Config/Version", {q("Version 2.00")});
             QFile::remove(p.path("Project.dat"));
         },
         {Answer::Ok},
         false,
         "The selected project was created with Quillmoor Version 2.00",
         "Version 2.00",
         true},
        {"a run-from-CD project, cancelled",
         [](const TestProject &p) { p.writeRaw("RunFromCD.dat", ""); },
         {Answer::Cancel},
         false,
         "\nThe selected project was made to be run from CD.",
         "Version 2.06.01",
         true},
        {"the current version opens without a question", {}, {}, true, "", stamped, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestProject p;
        writeProject(p, "Lighthouse", "Shore", {"Shore"});
        p.writeLines("Config/Version", {q("Version 2.06.01")});
        if (c.prepare)
            c.prepare(p);
        AnsweredEditor editor;
        editor.answers = c.answers;
        EditorProject project;
        QString root = p.root();
        if (!c.trailingSeparator)
            root.chop(1);
        EXPECT_EQ(ProjectLifecycle::LoadProject(nullptr, root, project), c.opens);
        EXPECT_TRUE(editor.answers.isEmpty()) << "a question was not asked";
        if (c.firstText.isEmpty()) {
            EXPECT_TRUE(editor.boxes.isEmpty());
        } else {
            ASSERT_FALSE(editor.boxes.isEmpty()) << "no message";
            EXPECT_TRUE(editor.boxes.first().text.startsWith(c.firstText))
                << editor.boxes.first().text.toStdString();
        }
        EXPECT_EQ(ProjectVersion::read(p.path("Config/Version")), c.versionAfter);
        EXPECT_EQ(project.isOpen(), c.opens);
        if (c.opens) {
            EXPECT_EQ(project.paths.root(), p.root());
            EXPECT_EQ(project.general.ProjectName, "Lighthouse");
            EXPECT_EQ(project.general.InitialFrame, "Shore");
        }
    }
}

TEST(NewProjectWindowTest, ChecksNameAndFolderBeforeAsking) {
    struct Case {
        QString name;
        QList<Answer> answers;
        bool accepted;
        QString message;
    };
    const Case cases[] = {
        {"", {}, false, "You must give a name to the new project."},
        {"My;Game,",
         {},
         false,
         "Sorry, a filename cannot contain any of the following characters:\n\" \\ / : * ? < > | "
         ","},
        {"Taken",
         {},
         false,
         "A folder with the name you specified already exists. Specify a different name."},
        {"Fresh",
         {Answer::Cancel},
         false,
         "Your new software will be stored in the following folder :\n%1Fresh/\n\nClick OK to "
         "continue..."},
        {"Fresh",
         {Answer::Ok},
         true,
         "Your new software will be stored in the following folder :\n%1Fresh/\n\nClick OK to "
         "continue..."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        TestProject p;
        QDir().mkpath(p.path("Taken"));
        AnsweredEditor editor;
        editor.answers = c.answers;
        frmNewProject window(p.root());
        EXPECT_EQ(window.selectedFolder(), p.root());
        window.nameBox()->setText(c.name);
        window.confirm();
        EXPECT_EQ(window.result() == QDialog::Accepted, c.accepted);
        ASSERT_EQ(editor.boxes.size(), 1);
        EXPECT_EQ(editor.boxes[0].text, QString(c.message).replace("%1", p.root()));
        EXPECT_EQ(window.root(), c.accepted ? p.root() + "Fresh/" : QString());
        EXPECT_FALSE(p.exists("Fresh")) << "the window itself creates nothing";
    }
}

TEST(LoadProjectWindowTest, OkNeedsAProjectAndOpensIt) {
    TestProject p;
    writeProject(p, "Lighthouse", "Shore", {"Shore"});
    QDir().mkpath(p.path("Other"));
    AnsweredEditor editor;
    frmLoadProject window(p.path("Other"));
    window.confirm();
    EXPECT_EQ(editor.texts(), QStringList{"Select the project you want to load."});
    EXPECT_NE(window.result(), QDialog::Accepted);
    window.setFolder(p.root());
    EXPECT_EQ(window.selectedFolder(), p.root());
    window.confirm();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(window.project().general.ProjectName, "Lighthouse");
    EXPECT_EQ(editor.boxes.size(), 1);
}

TEST(EditorFoldersTest, ProjectsStartBesideTheEditorOrInTheUsersDocuments) {
    TestProject install;
    install.writeRaw("Projects/Demo/Config/General", "\"Demo\"\r\n");
    install.writeRaw("Projects/Demo/Frames/Shore.fme", "1\r\n");
    TestProject documents;
    const EditorFolders folders(install.root());
    EXPECT_EQ(folders.projectsStart(documents.root()), install.path("Projects/"));
    EXPECT_EQ(folders.player(), install.path("run.dat"));
    EXPECT_EQ(folders.schemes(), install.path("Schemes/"));

    ReadOnlyFolder locked(install.path("Projects"));
    if (!locked.ok())
        GTEST_SKIP() << "no read-only folder can be made here";
    const QString own = documents.path("Quillmoor Projects/");
    EXPECT_EQ(folders.projectsStart(documents.root()), own);
    EXPECT_EQ(documents.read("Quillmoor Projects/Demo/Frames/Shore.fme"), "1\r\n");
    // Made once: what the user changed there stays.
    documents.writeRaw("Quillmoor Projects/Demo/Frames/Shore.fme", "changed");
    EXPECT_EQ(folders.projectsStart(documents.root()), own);
    EXPECT_EQ(documents.read("Quillmoor Projects/Demo/Frames/Shore.fme"), "changed");
}

TEST(CheckProjectWindowTest, ListsWhatTheProjectCheckFinds) {
    TestProject p;
    writeProject(p, "Lighthouse", "Gone", {"Shore"});
    EditorProject project;
    project.paths = p.paths();
    frmCheckProject window(project);
    QTreeWidget *list = window.problemList();
    auto rows = [list] {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = list->topLevelItem(i);
            out.append(item->text(0) + "|" + item->text(1) + "|" + item->text(2));
        }
        return out;
    };
    EXPECT_EQ(rows(), QStringList{"missing-initial-frame|Config/General|Gone"});

    GeneralInfo g;
    ASSERT_TRUE(readGeneral(p.path("Config/General"), g, GeneralReader::Editor));
    g.InitialFrame = "Shore";
    ASSERT_TRUE(writeGeneral(p.path("Config/General"), g));
    window.refresh();
    EXPECT_EQ(rows(), QStringList{"No problem found.||"});
}

TEST(CheckProjectWindowTest, ProblemsLeadToTheirFrame) {
    struct Case {
        QString file;
        QString frame;
    };
    const Case cases[] = {{"Frames/Hall.fme", "Hall"},
                          {"Frames/Hall.CHN", "Hall"},
                          {"Areas/Lamp Room/3b.dat", "Lamp Room"},
                          {"Areas/Hall/2_Key.drg", "Hall"},
                          {"Config/General", ""},
                          {"Areas/Key.obj", ""},
                          {"Frames/room.bmp", ""}};
    for (const Case &c : cases)
        EXPECT_EQ(frmCheckProject::frameOf(c.file), c.frame) << c.file.toStdString();
}

TEST(LoadProjectWindowTest, OpensWithTheGivenProjectSelectedAndInView) {
    TestProject p;
    // Many folders before it, so that it lies far below the top of the tree.
    for (int i = 0; i < 80; ++i)
        QDir().mkpath(p.path(QStringLiteral("Folder %1").arg(i, 2, 10, QLatin1Char('0'))));
    QDir().mkpath(p.path("Zz"));
    frmLoadProject window(p.path("Zz"));
    window.show();
    QTreeView *tree = window.folderTree();
    const auto shown = [tree] {
        const QRect r = tree->visualRect(tree->currentIndex());
        return r.isValid() && tree->viewport()->rect().contains(r);
    };
    // The folders are read in the background and come in above it.
    const QModelIndex parent = tree->currentIndex().parent();
    ASSERT_TRUE(waitFor([&] { return tree->model()->rowCount(parent) == 81; }));
    QTest::qWait(50);
    EXPECT_TRUE(waitFor(shown)) << tree->visualRect(tree->currentIndex()).y();
    EXPECT_EQ(window.selectedFolder(), p.path("Zz") + "/");
}

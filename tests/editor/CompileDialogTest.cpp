// The "Create .EXE" dialog: its pages, defaults and options, opening it from the distribution
// panel, and a build through it while the stand-in compiler works.

#include "DistributionBuild.h"
#include "DistributionFixture.h"
#include "EditorTestSupport.h"
#include "RecordingMedia.h"
#include "frmCompile.h"
#include "frmMenu.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTimer>

namespace {

using Answer = EngineHost::Answer;

template <typename T> T *named(QWidget *in, const QString &name) {
    for (T *w : in->findChildren<T *>()) {
        if (w->accessibleName() == name)
            return w;
    }
    ADD_FAILURE() << "no control " << name.toStdString();
    return nullptr;
}

struct Dialog {
    EditorInstall editor;
    SmallGame game{editor};
    AnsweredEditor answers;
    EditorProject project;
    std::unique_ptr<frmCompile> dialog;
    Dialog() {
        project.paths = game.paths();
        project.general = game.general;
        dialog = std::make_unique<frmCompile>(project, editor.folder);
        dialog->show();
    }
    QCheckBox *box(const char *caption) { return named<QCheckBox>(dialog.get(), caption); }
    QPushButton *button(const char *name) { return named<QPushButton>(dialog.get(), name); }
};

const char *const kEnable =
    "Let anyone edit my software with Quillmoor (do not hide project resources).";
const char *const kRunFromCd = "Run from CD (do not copy project files to the hard-disk).";
const char *const kSystemFiles = "Do not distribute the other system files (540KB).";
const char *const kVersion6 = "Write the script for the current setup compiler (version 6)";

TEST(CompileDialogTest, DefaultsOptionsAndWarnings) {
    Dialog d;
    frmCompile &f = *d.dialog;
    EXPECT_EQ(named<QLineEdit>(&f, "File name")->text(), QStringLiteral("Marsh Lights.exe"));
    EXPECT_EQ(QDir::fromNativeSeparators(named<QLineEdit>(&f, "Location")->text()),
              QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    QComboBox *color = named<QComboBox>(&f, "Installation background colour");
    EXPECT_EQ(color->count(), 16);
    EXPECT_EQ(color->currentText(), QStringLiteral("Blue"));
    EXPECT_EQ(f.currentPage(), frmCompile::FirstPage);

    d.button("Options...")->click();
    EXPECT_EQ(f.currentPage(), frmCompile::OptionsPage);
    d.box(kEnable)->click();
    d.box(kRunFromCd)->click();
    EXPECT_FALSE(d.box(kEnable)->isChecked());
    EXPECT_FALSE(d.box(kEnable)->isEnabled());
    d.box(kRunFromCd)->click();
    EXPECT_TRUE(d.box(kEnable)->isEnabled());

    // Checking the system-files box warns; Cancel clears it again.
    d.answers.answers = {Answer::Cancel, Answer::Ok};
    d.box(kSystemFiles)->click();
    EXPECT_FALSE(d.box(kSystemFiles)->isChecked());
    d.box(kSystemFiles)->click();
    EXPECT_TRUE(d.box(kSystemFiles)->isChecked());
    EXPECT_EQ(d.answers.texts(),
              QStringList(2, "WARNING! The selected system files are required by the software "
                             "you are distributing."));

    d.box(kVersion6)->click();
    color->setCurrentIndex(5);
    EXPECT_TRUE(f.options().version6);
    EXPECT_EQ(f.options().colorName(), QStringLiteral("Maroon"));
    d.button("Default")->click();
    const BuildOptions o = f.options();
    EXPECT_EQ(o.colorIndex, 0);
    EXPECT_FALSE(o.CheckEnable || o.CheckRunFromCD || o.Check2 || o.version6);
    d.button("OK (options)")->click();
    EXPECT_EQ(f.currentPage(), frmCompile::FirstPage);

    d.button("Cancel")->click();
    EXPECT_FALSE(f.isVisible());
}

// The build waits for the compiler without blocking the window: the waiting page is shown
// and events keep running until the installer is in place.
TEST(CompileDialogTest, WaitingPageWhileTheCompilerRuns) {
    Dialog d;
    QTemporaryDir out;
    d.editor.setMode("wait");
    named<QLineEdit>(d.dialog.get(), "Location")->setText(out.path());
    d.answers.answers = {Answer::Ok, Answer::Ok}; // the system-files warning, the instructions
    d.button("Options...")->click();
    d.box(kSystemFiles)->click();
    int ticks = 0, waitingTicks = 0;
    QString shown;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        if (d.dialog->currentPage() == frmCompile::WaitingPage) {
            ++waitingTicks;
            shown = d.dialog->findChild<QStackedWidget *>()
                        ->currentWidget()
                        ->findChild<QLabel *>()
                        ->text();
            d.dialog->reject(); // refused while the build runs
        }
    });
    timer.start(20);
    d.dialog->StartCompilation();
    EXPECT_GE(waitingTicks, 10);
    EXPECT_EQ(shown, DistributionBuild::waitingText(false));
    EXPECT_TRUE(QFileInfo(out.path() + "/Marsh Lights.exe").isFile());
    EXPECT_EQ(d.dialog->currentPage(), frmCompile::FirstPage);
    EXPECT_TRUE(d.dialog->isVisible());
    EXPECT_EQ(d.answers.texts().last(),
              QStringLiteral("The Setup Compiler will now appear. Click 'Start', wait a few "
                             "moments and then click 'Exit'."));
}

// A location inside the project is refused: the next build would ship this one's installer.
TEST(CompileDialogTest, RefusesALocationInsideTheProject) {
    Dialog d;
    named<QLineEdit>(d.dialog.get(), "Location")->setText(d.game.root());
    d.dialog->StartCompilation();
    ASSERT_EQ(d.answers.texts().size(), 1);
    EXPECT_TRUE(
        d.answers.texts()[0].startsWith("The location you specified is inside the project"));
}

// The distribution panel checks the project again and opens the dialog.
TEST(CompileDialogTest, OpenedFromTheDistributionPanel) {
    TestProject install;
    TestProject project;
    writeProject(project, "Lighthouse", "Shore", {"Shore"});
    RecordingMediaBackend media;
    AnsweredEditor answers;
    frmMenu menu{EditorFolders(install.root()), media};
    ASSERT_TRUE(menu.start());
    menu.show();
    ASSERT_TRUE(menu.openProject(project.root()));
    menu.button(0, "Distribute... (Create .exe)")->click();
    ASSERT_EQ(menu.currentPanel(), 7);
    QString title, fileName;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<frmCompile *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        fileName = dialog->options().fileName;
        dialog->reject();
    });
    QPushButton *create = menu.button(7, "Create stand-alone installation...");
    ASSERT_TRUE(create->isEnabled());
    create->click();
    EXPECT_EQ(title, QStringLiteral("Create .EXE"));
    EXPECT_EQ(fileName, QStringLiteral("Lighthouse.exe"));
}

} // namespace

// The project properties: a new project made by OK, the checks in their order with their
// messages and tabs, what is written (read back through the store), Cancel, and the presets.

#include "CustomTexts.h"
#include "EditorTestSupport.h"
#include "GeneralInfo.h"
#include "PresetFile.h"
#include "ProjectIntegrity.h"
#include "SchemeFile.h"
#include "TitleView.h"
#include "frmProjectProperties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <functional>

using Answer = EngineHost::Answer;

TEST(ProjectPropertiesTest, ANewProjectIsMadeByOkOnly) {
    TestProject install;
    install.writeRaw("Icons/Hand.cur", "cursor");
    install.writeRaw("Schemes/Dawn/Scheme.txt", "\"Dawn\"\r\n");
    TestProject parent;
    AnsweredEditor editor;
    const QString root = parent.path("Harbour/");
    {
        frmProjectProperties dialog(root, EditorFolders(install.root()));
        EXPECT_EQ(dialog.txtProjectName->text(), "Harbour");
        dialog.reject();
    }
    EXPECT_FALSE(parent.exists("Harbour")) << "Cancel made the project";

    frmProjectProperties dialog(root, EditorFolders(install.root()));
    dialog.confirm();
    EXPECT_EQ(editor.texts(), QStringList{"Please enter a valid title for your software."});
    EXPECT_FALSE(parent.exists("Harbour"));
    dialog.txtSoftwareTitle->setText("Harbour Tales");
    dialog.txtAuthor->setText("M. Keeper");
    dialog.cboScheme->setCurrentText("Dawn");
    dialog.confirm();
    ASSERT_EQ(dialog.result(), QDialog::Accepted) << editor.texts().join("|").toStdString();
    GeneralInfo g;
    ASSERT_TRUE(readGeneral(parent.path("Harbour/Config/General"), g, GeneralReader::Editor));
    EXPECT_EQ(g.ProjectName, "Harbour");
    EXPECT_EQ(g.SoftwareTitle, "Harbour Tales");
    EXPECT_EQ(g.Author, "M. Keeper");
    EXPECT_EQ(g.SchemeName, "Dawn");
    EXPECT_EQ(g.ScreenWidth, 640);
    EXPECT_EQ(g.GeneralFilePath, parent.path("Harbour/Config/General"));
    EXPECT_TRUE(ProjectIntegrity::check(ProjectPaths(root)));
    EXPECT_EQ(parent.read("Harbour/Icons/Hand.cur"), "cursor");
    TextsFile texts;
    ASSERT_TRUE(readTexts(parent.path("Harbour/Config/Texts"), texts));
    EXPECT_EQ(texts.TextsKind, 1);
    EXPECT_EQ(texts.Slots, CustomTexts::builtIn(CustomTexts::Games).usedSlots());
    EXPECT_EQ(dialog.project().paths.root(), root);
}

TEST(ProjectPropertiesTest, ChecksInOrderWithTheirMessagesAndTabs) {
    struct Case {
        const char *what;
        std::function<void(frmProjectProperties &)> set;
        QList<Answer> answers;
        int tab; // -1: written
        QString message;
    };
    const Case cases[] = {
        {"a title with a comma and a bad size: the title first",
         [](frmProjectProperties &d) {
             d.txtSoftwareTitle->setText("Tales, volume one");
             d.optSize[3]->setChecked(true);
             d.txtWidth->setText("abc");
         },
         {},
         0,
         "Sorry, a filename cannot contain any of the following characters:\n\" \\ / : * ? < > | "
         ","},
        {"a quote in the author",
         [](frmProjectProperties &d) { d.txtAuthor->setText("\"Ann\""); },
         {},
         0,
         "You cannot use quotation marks: \""},
        {"a quote in a custom text",
         [](frmProjectProperties &d) {
             d.optTexts[2]->setChecked(true);
             d.txtText[4]->setText("Say \"hi\"");
         },
         {},
         2,
         "You cannot use quotation marks. Please remove them, and then try again.\n\nThe problem "
         "is in the following text: Say \"hi\""},
        // The texts are stored with any choice: a quote would break the file.
        {"a quote in a text of the built-in choice",
         [](frmProjectProperties &d) {
             d.optTexts[1]->setChecked(true);
             d.txtText[4]->setText("Say \"hi\"");
         },
         {},
         2,
         "You cannot use quotation marks. Please remove them, and then try again.\n\nThe problem "
         "is in the following text: Say \"hi\""},
        {"a width of 2050",
         [](frmProjectProperties &d) {
             d.optSize[3]->setChecked(true);
             d.txtWidth->setText("2050");
         },
         {},
         1,
         "Please select a valid screen size."},
        {"a height of 9",
         [](frmProjectProperties &d) {
             d.optSize[3]->setChecked(true);
             d.txtHeight->setText("9");
         },
         {},
         1,
         "Please select a valid screen size."},
        {"800 x 600, not confirmed",
         [](frmProjectProperties &d) {
             d.optSize[3]->setChecked(true);
             d.txtWidth->setText("800");
             d.txtHeight->setText("600");
         },
         {Answer::No},
         1,
         "Warning! To assure compatibility with most systems the screen size should not be larger "
         "than 640*480.\n\nDo you want to continue anyway? (not recommended)"},
        {"800 x 600, confirmed",
         [](frmProjectProperties &d) {
             d.optSize[3]->setChecked(true);
             d.txtWidth->setText("800");
             d.txtHeight->setText("600");
         },
         {Answer::Yes},
         -1,
         ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestProject install;
        TestProject p;
        writeProject(p, "Lighthouse", "Shore", {"Shore"});
        const QByteArray before = p.read("Config/General");
        EditorProject project;
        project.paths = p.paths();
        AnsweredEditor editor;
        editor.answers = c.answers;
        frmProjectProperties dialog(project, EditorFolders(install.root()));
        EXPECT_EQ(dialog.txtProjectName->text(), "Lighthouse");
        EXPECT_EQ(dialog.cboInitialFrame->currentText(), "Shore");
        c.set(dialog);
        dialog.confirm();
        if (c.tab < 0) {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_NE(p.read("Config/General"), before);
            continue;
        }
        EXPECT_EQ(editor.texts(), QStringList{c.message});
        EXPECT_EQ(dialog.tabs->currentIndex(), c.tab);
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(p.read("Config/General"), before);
    }
}

TEST(ProjectPropertiesTest, PresetsAreSavedLoadedAndDeleted) {
    TestProject install;
    QDir().mkpath(install.path("Presets"));
    TestProject p;
    writeProject(p, "Lighthouse", "Shore", {"Shore"});
    EditorProject project;
    project.paths = p.paths();
    AnsweredEditor editor;
    frmProjectProperties dialog(project, EditorFolders(install.root()));
    dialog.optTexts[2]->click();
    dialog.LoadPreset("english (FOR GAMES)");
    EXPECT_EQ(dialog.txtText[0]->text(), "Start New Game");
    dialog.txtText[0]->setText("Begin");

    editor.inputs = {"English (for games)", "Mine", "Mine"};
    EXPECT_FALSE(dialog.SavePresetAs());
    EXPECT_TRUE(dialog.SavePresetAs());
    PresetFile saved;
    ASSERT_TRUE(readPreset(install.path("Presets/Mine.pre"), saved));
    EXPECT_EQ(saved.Slots.value(0), "Begin");
    EXPECT_EQ(dialog.cboPresets->currentText(), "Mine");
    editor.answers = {Answer::No};
    EXPECT_FALSE(dialog.SavePresetAs());

    dialog.LoadPreset("English (for applications)");
    EXPECT_EQ(dialog.txtText[0]->text(), "Start");
    dialog.LoadPreset("Mine");
    EXPECT_EQ(dialog.txtText[0]->text(), "Begin");

    editor.answers = {Answer::Yes};
    EXPECT_TRUE(dialog.DeletePreset());
    EXPECT_FALSE(install.exists("Presets/Mine.pre"));
    dialog.cboPresets->setCurrentText("English (for games)");
    EXPECT_FALSE(dialog.DeletePreset());
    EXPECT_EQ(editor.texts(),
              (QStringList{"A Preset with the name you specified already exists and cannot be "
                           "replaced. Specify a different name.",
                           "A Preset with the name you specified already exists. Do you want to "
                           "replace it?",
                           "Do you really want to remove the Preset 'Mine'?",
                           "The selected Preset cannot be removed."}));
}

TEST(ProjectPropertiesTest, SchemeChangesAreWrittenAtOnceEvenOnCancel) {
    TestProject install;
    QDir().mkpath(install.path("Schemes"));
    TestProject p;
    writeProject(p, "Lighthouse", "Shore", {"Shore"});
    EditorProject project;
    project.paths = p.paths();
    AnsweredEditor editor;
    frmProjectProperties dialog(project, EditorFolders(install.root()));
    EXPECT_FALSE(dialog.cmdPicture[0]->isEnabled()) << "no scheme chosen yet";

    editor.answers = {Answer::Cancel};
    EXPECT_FALSE(dialog.CreateNewScheme());
    EXPECT_FALSE(install.exists("Schemes/Dusk"));
    editor.answers = {Answer::Ok};
    editor.inputs = {"Dusk"};
    ASSERT_TRUE(dialog.CreateNewScheme());
    EXPECT_EQ(dialog.cboScheme->currentText(), "Dusk");
    SchemeFile s;
    ASSERT_TRUE(readScheme(install.path("Schemes/Dusk/Scheme.txt"), s));
    EXPECT_EQ(s.TextsColor, 0xFF0080);

    dialog.setSchemeColour(1, 0x00FFFF);
    dialog.chkHideTitle->setChecked(true);
    const QString picture = install.writeRaw("in/start.bmp", "BM");
    ASSERT_TRUE(dialog.RefreshFilesList(0));
    EXPECT_FALSE(dialog.chooseFile()) << "nothing selected";
    ASSERT_TRUE(dialog.addSchemeFile(picture));
    EXPECT_FALSE(dialog.addSchemeFile(picture)) << "already there";
    ASSERT_EQ(dialog.lstFiles->count(), 2);
    dialog.lstFiles->setCurrentRow(1);
    ASSERT_TRUE(dialog.chooseFile());
    EXPECT_EQ(dialog.cmdPicture[0]->text(), "start.bmp");
    dialog.reject();
    ASSERT_TRUE(readScheme(install.path("Schemes/Dusk/Scheme.txt"), s));
    EXPECT_EQ(s.TitleColor, 0x00FFFF);
    EXPECT_EQ(s.HideTitle, 1);
    EXPECT_EQ(s.StartPicture, "start.bmp");

    ASSERT_TRUE(dialog.RefreshFilesList(0));
    dialog.lstFiles->setCurrentRow(0);
    EXPECT_FALSE(dialog.removeChosenFile()) << "[DEFAULT] has no file";
    editor.answers = {Answer::Yes};
    dialog.lstFiles->setCurrentRow(1);
    ASSERT_TRUE(dialog.removeChosenFile());
    EXPECT_FALSE(install.exists("Schemes/Dusk/start.bmp"));

    editor.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(dialog.RemoveScheme());
    EXPECT_TRUE(install.exists("Schemes/Dusk/Scheme.txt"));
    EXPECT_TRUE(dialog.RemoveScheme());
    EXPECT_FALSE(install.exists("Schemes/Dusk"));
    EXPECT_EQ(dialog.cboScheme->currentText(), "");
    EXPECT_EQ(
        editor.texts(),
        (QStringList{"This will create a new folder inside the Schemes folder of Quillmoor. "
                     "To distribute the Scheme or to give it to another Quillmoor user, "
                     "just copy the new folder with all its contents. Do you want to "
                     "continue?",
                     "This will create a new folder inside the Schemes folder of Quillmoor. "
                     "To distribute the Scheme or to give it to another Quillmoor user, "
                     "just copy the new folder with all its contents. Do you want to "
                     "continue?",
                     "Select the graphic file you want to use.",
                     "The selected file is already in the scheme folder.",
                     "The selected file cannot be removed.",
                     "Do you really want to remove 'start.bmp ?",
                     "Do you really want to remove the folder: " + install.path("Schemes/Dusk/") +
                         " and all its contents? (All the graphic files will be removed!)",
                     "Do you really want to remove the folder: " + install.path("Schemes/Dusk/") +
                         " and all its contents? (All the graphic files will be "
                         "removed!)"}));
}

TEST(ProjectPropertiesTest, ThePreviewIsThePlayersTitleViewFollowingEveryEntry) {
    TestProject install;
    QDir().mkpath(install.path("Schemes"));
    TestProject p;
    writeProject(p, "Lighthouse", "Shore", {"Shore"});
    EditorProject project;
    project.paths = p.paths();
    AnsweredEditor editor;
    frmProjectProperties dialog(project, EditorFolders(install.root()));
    TitleView *view = dialog.titlePreview;
    const TwipScale scale = frmProjectProperties::previewScale();
    ASSERT_FALSE(scale.isNormal());
    EXPECT_EQ(view->scale(), scale);
    EXPECT_EQ(view->width(), scale.toPixels(TitleScreen::Width));
    EXPECT_EQ(view->textButton(0)->focusPolicy(), Qt::NoFocus) << "a picture, not a window";
    auto valueLabel = [view](const QString &text) -> QLabel * {
        for (QLabel *l : view->findChildren<QLabel *>())
            if (l->text() == text && !l->isHidden())
                return l;
        return nullptr;
    };

    dialog.txtSoftwareTitle->setText("The Keeper");
    EXPECT_EQ(view->titleLabel()->text(), "The Keeper");
    EXPECT_FALSE(view->titleLabel()->isHidden());
    EXPECT_EQ(view->titleLabel()->geometry(), scale.toPixels(view->screen().titlePlace));
    dialog.txtComments->setText("Second edition");
    dialog.txtAuthor->setText("Ann Marsh");
    dialog.txtEmail->setText("ann@example.org");
    dialog.txtHomepage->setText("example.org/keeper");
    const int step = TitleScreen::LineStep;
    EXPECT_EQ(view->screen().homepage.top, TitleScreen::FirstLineTop + 3 * step);
    QLabel *author = valueLabel("Ann Marsh");
    ASSERT_NE(author, nullptr);
    EXPECT_EQ(author->geometry(), scale.toPixels(view->screen().author.textPlace));
    EXPECT_EQ(author->x(), scale.toPixels(TitleScreen::ValueLeft));
    dialog.txtEmail->clear();
    EXPECT_EQ(valueLabel("ann@example.org"), nullptr);
    EXPECT_EQ(view->screen().homepage.top, TitleScreen::FirstLineTop + 2 * step) << "moves up";
    ASSERT_NE(valueLabel("example.org/keeper"), nullptr);
    EXPECT_EQ(valueLabel("example.org/keeper")->y(),
              scale.toPixels(TitleScreen::FirstLineTop + 2 * step));

    dialog.chkHideLoad->setChecked(true);
    EXPECT_EQ(view->shownButton(1), nullptr);
    EXPECT_EQ(view->shownButton(2)->y(), scale.toPixels(TitleScreen::LoadTop));
    dialog.optTexts[2]->setChecked(true);
    dialog.txtText[0]->setText("Set sail");
    EXPECT_EQ(view->shownButton(0)->text(), "Set sail");

    // The scheme: colours, the hidden title and a picture for Start, each at once.
    editor.answers = {Answer::Ok};
    editor.inputs = {"Dusk"};
    ASSERT_TRUE(dialog.CreateNewScheme());
    EXPECT_EQ(view->palette().color(QPalette::Window), QColor(Qt::black));
    dialog.setSchemeColour(0, 0x804020);
    EXPECT_EQ(view->palette().color(QPalette::Window), QColor(0x20, 0x40, 0x80));
    dialog.setSchemeColour(1, 0x0000FF);
    EXPECT_EQ(view->titleLabel()->palette().color(QPalette::WindowText), QColor(Qt::red));
    dialog.chkHideTitle->setChecked(true);
    EXPECT_TRUE(view->titleLabel()->isHidden());
    QImage start(40, 20, QImage::Format_RGB32);
    start.fill(Qt::yellow);
    const QString picture = install.path("in/start.bmp");
    QDir().mkpath(install.path("in"));
    ASSERT_TRUE(start.save(picture));
    ASSERT_TRUE(dialog.RefreshFilesList(0));
    ASSERT_TRUE(dialog.addSchemeFile(picture));
    dialog.lstFiles->setCurrentRow(1);
    ASSERT_TRUE(dialog.chooseFile());
    ASSERT_EQ(view->shownButton(0), view->pictureButton(0));
    EXPECT_EQ(view->pictureButton(0)->size(), scale.scalePixels(QSize(40, 20)));

    dialog.cboScheme->setCurrentIndex(0);
    dialog.LoadScheme(QString());
    EXPECT_FALSE(view->titleLabel()->isHidden()) << "no scheme hides nothing";
    EXPECT_EQ(view->shownButton(0), view->textButton(0));
    EXPECT_NE(view->palette().color(QPalette::Window), QColor(0x20, 0x40, 0x80));
}

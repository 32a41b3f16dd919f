// The title window on projects written through the store: layout, buttons, texts, the game it
// starts, the display switch and the stored choice.

#include "UiTestSupport.h"

#include "DisplayModes.h"
#include "Drives.h"
#include "RunFromCd.h"
#include "SchemeFile.h"
#include "SettingsStore.h"
#include "frmWelcome.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest/QTest>

namespace {

// A screen whose mode changes are only recorded.
class FakeDisplayModes : public DisplayModes {
public:
    explicit FakeDisplayModes(const QSize &size) : size(size) {}
    QSize currentSize() override { return size; }
    bool setSize(const QSize &s) override {
        changes.append(s);
        size = s;
        return true;
    }
    QSize size;
    QList<QSize> changes;
};

class NoDrives : public DriveProvider {
public:
    QList<Drive> drives() const override { return {}; }
};

// Records the addresses the window hands to the system.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

class TitleWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        project.frame(QStringLiteral("Start"));
        // Each test starts from the default choice of the display switch.
        SettingsStore::DeleteSetting(QStringLiteral("Games"), project.general.ProjectName);
    }

    frmWelcome &open(bool fromEditor = true) {
        project.writeGeneralInfo();
        window = std::make_unique<frmWelcome>(project.paths(), project.root() + "Schemes/", media,
                                              fromEditor, &modes, &drives);
        window->setGameWindowMode(Game::WindowMode::Windowed);
        window->setMessageAnswerer(recordingAnswerer(boxes, answers));
        started = window->start();
        return *window;
    }

    void writeScheme(const QString &name, const SchemeFile &scheme) {
        QDir().mkpath(project.path("Schemes/" + name));
        ASSERT_TRUE(::writeScheme(project.path("Schemes/" + name + "/Scheme.txt"), scheme));
    }
    void schemePicture(const QString &scheme, const QString &file, const QColor &colour) {
        QImage image(60, 20, QImage::Format_RGB32);
        image.fill(colour);
        project.picture("Schemes/" + scheme + "/" + file, image);
    }

    UiProject project;
    WatchingMedia media;
    FakeDisplayModes modes{QSize(800, 600)};
    NoDrives drives;
    std::unique_ptr<frmWelcome> window;
    bool started = false;
    QList<ShownBox> boxes;
    QList<EngineHost::Answer> answers;
};

QLabel *label(QWidget &w, const char *name) {
    return w.findChild<QLabel *>(QString::fromLatin1(name));
}

// --- layout

TEST_F(TitleWindowTest, EmptyLinesGiveTheBareHeightAndEachShownLineAddsOne) {
    frmWelcome &w = open();
    ASSERT_TRUE(started);
    EXPECT_EQ(w.width(), 320);
    EXPECT_EQ(w.height(), 210); // 3150 twips
    EXPECT_TRUE(label(w, "txtVersion")->isHidden());
    EXPECT_TRUE(label(w, "txtAuthor")->isHidden());
    EXPECT_TRUE(w.resolutionCheck()->isHidden());
    EXPECT_EQ(label(w, "txtAdventureName")->text(), "Marsh Lights");
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(TitleWindowTest, LinesStandAtTheirTwipsPlaces) {
    project.general.CommentsAndVersion = "Version 1.2";
    project.general.Author = "Ada Fenwick";
    project.general.Email = "ada@example.org";
    project.general.Homepage = "https://example.org/";
    project.general.ShowChangeResolution = 1;
    frmWelcome &w = open();
    ASSERT_TRUE(started);
    EXPECT_EQ(w.height(), (3000 + 5 * 255 + 150) / 15);
    EXPECT_EQ(label(w, "txtVersion")->y(), 3000 / 15);
    EXPECT_EQ(label(w, "txtVersion")->text(), "Version 1.2");
    EXPECT_EQ(label(w, "txtAuthor")->y(), 3255 / 15);
    EXPECT_EQ(label(w, "lblAuthor")->y(), 3255 / 15);
    EXPECT_EQ(label(w, "txtEmail")->y(), 3510 / 15);
    EXPECT_EQ(label(w, "txtHomepage")->y(), 3765 / 15);
    EXPECT_EQ(label(w, "txtHomepage")->text(), "https://example.org/");
    EXPECT_EQ(label(w, "lblResolution")->y(), 4020 / 15);
    EXPECT_EQ(w.resolutionCheck()->y(), 4065 / 15);
    EXPECT_FALSE(w.resolutionCheck()->isHidden());
    const CustomTexts apps = CustomTexts::builtIn(CustomTexts::Applications);
    EXPECT_EQ(label(w, "lblAuthor")->text(), apps.text(4));
    EXPECT_EQ(label(w, "lblEmail")->text(), apps.text(5));
    EXPECT_EQ(label(w, "lblHomepage")->text(), apps.text(6));
    EXPECT_EQ(label(w, "lblResolution")->text(), apps.text(7));
    EXPECT_EQ(w.resolutionCheck()->accessibleName(), apps.text(7));
}

TEST_F(TitleWindowTest, ResolutionLineHiddenAtSixFortyByFourEighty) {
    project.general.Author = "Ada Fenwick";
    project.general.ShowChangeResolution = 1;
    modes.size = QSize(640, 480);
    frmWelcome &w = open();
    EXPECT_TRUE(w.resolutionCheck()->isHidden());
    EXPECT_EQ(w.height(), (3000 + 255 + 150) / 15);
}

TEST_F(TitleWindowTest, ClickOnTheResolutionLabelTogglesTheOption) {
    project.general.ShowChangeResolution = 1;
    frmWelcome &w = open();
    QLabel *l = label(w, "lblResolution");
    ASSERT_TRUE(w.resolutionCheck()->isChecked());
    QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(w.resolutionCheck()->isChecked());
    QTest::mouseClick(l, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w.resolutionCheck()->isChecked());
}

// --- buttons

TEST_F(TitleWindowTest, WithoutSchemeTheButtonsAreTextsNamedByTheirCaptions) {
    // Without a Texts file the applications wording names them.
    frmWelcome &w = open();
    const CustomTexts apps = CustomTexts::builtIn(CustomTexts::Applications);
    const int tops[] = {1080, 1560, 2040};
    for (int i = 0; i < 3; ++i) {
        QPushButton *b = w.textButton(i);
        EXPECT_EQ(b->objectName(), QStringLiteral("lblButton%1").arg(i));
        EXPECT_FALSE(b->isHidden()) << i;
        ASSERT_FALSE(apps.text(i + 1).isEmpty());
        EXPECT_EQ(b->text(), apps.text(i + 1));
        EXPECT_EQ(b->accessibleName(), apps.text(i + 1));
        EXPECT_EQ(b->y(), tops[i] / 15);
        EXPECT_TRUE(w.pictureButton(i)->isHidden()) << i;
    }
    EXPECT_TRUE(w.pictureButton(3)->isHidden());
}

TEST_F(TitleWindowTest, SchemeEntriesChoosePictureOrTextPerButton) {
    SchemeFile s;
    s.StartPicture = "[none]";
    s.LoadPicture = "load.bmp";
    s.ExitPicture = "[DEFAULT]";
    s.TiledBackground = "tile.bmp";
    s.BackgroundColor = 0x000000FF; // red, stored as 0x00BBGGRR
    s.TitleColor = 0x00FF0000;      // blue
    s.TextsColor = 0x0000FF00;
    s.ButtonsColor = 0x00FFFFFF;
    writeScheme("Dusk", s);
    schemePicture("Dusk", "load.bmp", Qt::green);
    schemePicture("Dusk", "tile.bmp", Qt::yellow);
    project.general.SchemeName = "Dusk";
    frmWelcome &w = open();
    EXPECT_FALSE(w.textButton(0)->isHidden());
    EXPECT_TRUE(w.pictureButton(0)->isHidden());
    EXPECT_TRUE(w.textButton(1)->isHidden());
    EXPECT_FALSE(w.pictureButton(1)->isHidden());
    EXPECT_EQ(w.pictureButton(1)->accessibleName(),
              CustomTexts::builtIn(CustomTexts::Applications).text(2));
    EXPECT_EQ(w.pictureButton(1)->size(), QSize(60, 20));
    EXPECT_FALSE(w.textButton(2)->isHidden());
    EXPECT_TRUE(w.pictureButton(2)->isHidden());
    EXPECT_EQ(w.titleLabel()->palette().color(QPalette::WindowText), QColor(Qt::blue));
    // The tile covers the window where nothing else is drawn.
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(Qt::yellow));
    EXPECT_EQ(QColor(shot.pixel(w.width() - 3, w.height() - 3)), QColor(Qt::yellow));
}

TEST_F(TitleWindowTest, HideLoadMovesOnlyTheExitTextButton) {
    SchemeFile s;
    s.StartPicture = "start.bmp";
    s.LoadPicture = "load.bmp";
    s.ExitPicture = "exit.bmp";
    writeScheme("Pictures", s);
    for (const char *f : {"start.bmp", "load.bmp", "exit.bmp"})
        schemePicture("Pictures", f, Qt::darkCyan);
    project.general.SchemeName = "Pictures";
    project.general.HideLoad = true;
    frmWelcome &w = open();
    EXPECT_TRUE(w.pictureButton(1)->isHidden());
    EXPECT_TRUE(w.textButton(1)->isHidden());
    EXPECT_FALSE(w.pictureButton(2)->isHidden());
    EXPECT_EQ(w.pictureButton(2)->y(), 2040 / 15); // the picture stays
    window.reset();

    project.general.SchemeName.clear();
    frmWelcome &plain = open();
    EXPECT_TRUE(plain.textButton(1)->isHidden());
    EXPECT_FALSE(plain.textButton(2)->isHidden());
    EXPECT_EQ(plain.textButton(2)->y(), 1560 / 15);
    EXPECT_EQ(plain.textButton(0)->y(), 1080 / 15);
}

TEST_F(TitleWindowTest, MissingSchemePictureFallsBackToText) {
    SchemeFile s;
    s.StartPicture = "gone.bmp";
    writeScheme("Broken", s);
    project.general.SchemeName = "Broken";
    frmWelcome &w = open();
    EXPECT_TRUE(w.pictureButton(0)->isHidden());
    EXPECT_FALSE(w.textButton(0)->isHidden());
    EXPECT_EQ(w.textButton(0)->text(), CustomTexts::builtIn(CustomTexts::Applications).text(1));
}

// --- texts

TEST_F(TitleWindowTest, CaptionsComeFromEachSourceOfTexts) {
    const CustomTexts games = CustomTexts::builtIn(CustomTexts::Games);
    ASSERT_NE(games.text(1), CustomTexts::builtIn(CustomTexts::Applications).text(1));
    TextsFile file;
    file.TextsKind = 1;
    ASSERT_TRUE(writeTexts(project.path("Config/Texts"), file));
    {
        frmWelcome &w = open();
        EXPECT_EQ(w.textButton(0)->text(), games.text(1));
        EXPECT_EQ(w.textButton(1)->text(), games.text(2));
        EXPECT_EQ(label(w, "lblResolution")->text(), games.text(7));
    }
    file.TextsKind = 2;
    for (int i = 1; i <= 44; ++i)
        file.Slots.append(QStringLiteral("Own %1").arg(i));
    ASSERT_TRUE(writeTexts(project.path("Config/Texts"), file));
    frmWelcome &w = open();
    EXPECT_EQ(w.textButton(0)->text(), "Own 1");
    EXPECT_EQ(w.textButton(2)->text(), "Own 3");
    EXPECT_EQ(w.textButton(2)->accessibleName(), "Own 3");
    EXPECT_EQ(label(w, "lblAuthor")->text(), "Own 4");
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(TitleWindowTest, UnreadableTextsAreReportedAndTheApplicationsWordingUsed) {
    project.writeLines("Config/Texts", {"2", "\"x\""});
    frmWelcome &w = open();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, "Error");
    EXPECT_EQ(boxes[0].text, "Unable to load texts.");
    EXPECT_EQ(boxes[0].icon, Status::Icon::Critical);
    EXPECT_EQ(w.textButton(0)->text(), CustomTexts::builtIn(CustomTexts::Applications).text(1));
}

TEST_F(TitleWindowTest, MissingGeneralAsksAndCancelCloses) {
    frmWelcome w(project.paths(), project.root() + "Schemes/", media, true, &modes, &drives);
    QFile::remove(project.path("Config/General"));
    QSignalSpy closed(&w, &frmWelcome::closed);
    answers.append(EngineHost::Answer::Cancel);
    w.setMessageAnswerer(recordingAnswerer(boxes, answers));
    EXPECT_FALSE(w.start());
    EXPECT_TRUE(w.isClosed());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(boxes.size(), 1);
    const CustomTexts t = CustomTexts::builtIn(CustomTexts::Applications);
    EXPECT_EQ(boxes[0].title, t.text(29));
    EXPECT_EQ(boxes[0].text, t.text(33) + " " + project.path("Config/General") + "\n\n" +
                                 t.text(34) + "\n\n" + t.text(32));
    EXPECT_EQ(boxes[0].buttons, EngineHost::Buttons::OkCancel);
    EXPECT_EQ(boxes[0].icon, Status::Icon::Exclamation);
}

TEST_F(TitleWindowTest, AFolderWithoutAGameSaysSoOnceAndEnds) {
    frmWelcome w(project.paths(), project.root() + "Schemes/", media, true, &modes, &drives);
    QFile::remove(project.path("Config/General"));
    QSignalSpy closed(&w, &frmWelcome::closed);
    answers.append(EngineHost::Answer::Ok);
    w.setMessageAnswerer(recordingAnswerer(boxes, answers));
    EXPECT_FALSE(w.start());
    ASSERT_EQ(boxes.size(), 3);
    const CustomTexts t = CustomTexts::builtIn(CustomTexts::Applications);
    EXPECT_EQ(boxes[1].title, t.text(29));
    EXPECT_EQ(boxes[1].text,
              t.text(30) + "\n\n" + t.text(31) + " Unable to load project information.");
    EXPECT_EQ(boxes[1].icon, Status::Icon::Critical);
    // Then one plain message, and no window with nothing to press.
    EXPECT_EQ(boxes[2].title, t.text(29));
    EXPECT_TRUE(boxes[2].text.startsWith("There is no game to play in"))
        << boxes[2].text.toStdString();
    EXPECT_TRUE(boxes[2].text.contains(project.path("Config/General")))
        << boxes[2].text.toStdString();
    EXPECT_EQ(boxes[2].icon, Status::Icon::Critical);
    EXPECT_TRUE(w.isClosed());
    EXPECT_TRUE(w.foundNoGame());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(TitleWindowTest, AMissingFrameBringsTheTitleBackWithOneMessage) {
    project.general.InitialFrame = "Nowhere";
    frmWelcome &w = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.ClickButton(0);
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_EQ(boxes.last().text,
              "The game cannot start: its first frame \"Nowhere\" cannot be opened.\n\n"
              "Back to the title screen.");
    ASSERT_NE(w.gameWindow(), nullptr);
    EXPECT_FALSE(w.gameWindow()->isVisible());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isClosed());

    // A saved game whose frame is gone does the same from the load dialog.
    project.writeLines("lost.sav", {"\"Gone\"", "0", "0", "0", "0"});
    boxes.clear();
    QTimer::singleShot(0, [] {
        auto *load = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (load)
            load->findChild<QPushButton *>("Command2")->click();
    });
    w.ClickButton(1);
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_EQ(boxes.last().text,
              "This saved game cannot be played: its frame \"Gone\" cannot be opened.\n\n"
              "Back to the title screen.");
    EXPECT_FALSE(w.gameWindow()->isVisible());
    EXPECT_TRUE(waitUntil([&] { return w.isVisible(); }));
}

// --- the keyboard

TEST_F(TitleWindowTest, TheKeyboardReachesThePressesAndShowsTheButtons) {
    frmWelcome &w = open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QPushButton *start = w.textButton(0), *load = w.textButton(1), *exit = w.textButton(2);
    for (QPushButton *b : {start, load, exit}) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(b);
        ASSERT_NE(iface, nullptr);
        EXPECT_TRUE(iface->state().focusable) << b->text().toStdString();
        EXPECT_EQ(iface->role(), QAccessible::Button);
    }
    // Start has the keyboard first; Tab and the arrows go through Start, Load, Exit.
    EXPECT_EQ(QApplication::focusWidget(), start);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QPushButton *then;
    };
    const Step steps[] = {
        {Qt::Key_Tab, Qt::NoModifier, load},        {Qt::Key_Tab, Qt::NoModifier, exit},
        {Qt::Key_Backtab, Qt::ShiftModifier, load}, {Qt::Key_Up, Qt::NoModifier, start},
        {Qt::Key_Down, Qt::NoModifier, load},       {Qt::Key_Right, Qt::NoModifier, exit}};
    for (const Step &s : steps) {
        QTest::keyClick(QApplication::focusWidget(), s.key, s.modifiers);
        EXPECT_EQ(QApplication::focusWidget(), s.then) << s.then->text().toStdString();
    }

    // The focused button and the one under the pointer look different from the others.
    const QImage focused = exit->grab().toImage();
    start->setFocus();
    const QImage plain = exit->grab().toImage();
    EXPECT_NE(focused, plain);
    exit->setAttribute(Qt::WA_UnderMouse, true);
    const QImage hovered = exit->grab().toImage();
    exit->setAttribute(Qt::WA_UnderMouse, false);
    EXPECT_NE(hovered, plain);
    EXPECT_NE(hovered, focused);

    // Return presses Start; Space presses Exit.
    QTest::keyClick(start, Qt::Key_Return);
    ASSERT_NE(w.gameWindow(), nullptr);
    EXPECT_TRUE(w.gameWindow()->isVisible());
    w.gameWindow()->engine().closeGame();
    ASSERT_TRUE(waitUntil([&] { return w.isVisible(); }));
    exit->setFocus();
    QTest::keyClick(exit, Qt::Key_Space);
    EXPECT_TRUE(w.isClosed());
}

TEST_F(TitleWindowTest, PictureButtonsShowFocusAndHoverToo) {
    SchemeFile s;
    s.StartPicture = "start.bmp";
    writeScheme("Pictures", s);
    schemePicture("Pictures", "start.bmp", Qt::darkCyan);
    project.general.SchemeName = "Pictures";
    frmWelcome &w = open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QPushButton *start = w.pictureButton(0);
    ASSERT_FALSE(start->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), start);
    const QImage focused = start->grab().toImage();
    w.textButton(1)->setFocus();
    const QImage plain = start->grab().toImage();
    start->setAttribute(Qt::WA_UnderMouse, true);
    const QImage hovered = start->grab().toImage();
    EXPECT_NE(focused, plain);
    EXPECT_NE(hovered, plain);
    QTest::keyClick(w.textButton(1), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), start);
}

// --- the program

#ifdef QM_RUN_PROGRAM
TEST(RunProgram, VersionHelpAndUnknownOptions) {
    struct Case {
        QStringList args;
        int status;
        QString out; // what standard output begins with
        QString err; // what standard error holds
    };
    const Case cases[] = {
        {{"--version"}, 0, QStringLiteral("run " QM_RUN_VERSION "\n"), QString()},
        {{"--help"}, 0, "usage: run [PROJECT]", QString()},
        {{"-h"}, 0, "usage: run [PROJECT]", QString()},
        {{"--bogus"}, 2, QString(), "run: unknown option '--bogus'"},
        {{"a", "b"}, 2, QString(), "only one project folder"},
    };
    for (const Case &c : cases) {
        QProcess run;
        run.start(QStringLiteral(QM_RUN_PROGRAM), c.args);
        ASSERT_TRUE(run.waitForFinished(20000)) << c.args.join(' ').toStdString();
        const QString out = QString::fromLocal8Bit(run.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(run.readAllStandardError());
        EXPECT_EQ(run.exitCode(), c.status) << c.args.join(' ').toStdString();
        EXPECT_TRUE(out.startsWith(c.out)) << out.toStdString();
        if (c.out.isEmpty()) {
            EXPECT_TRUE(out.isEmpty()) << out.toStdString();
        }
        EXPECT_TRUE(err.contains(c.err)) << err.toStdString();
        if (c.err.isEmpty()) {
            EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        }
    }
}
#endif

TEST_F(TitleWindowTest, MailAndWebSiteAskBeforeOpening) {
    project.general.Email = "ada@example.org";
    project.general.Homepage = "https://example.org/";
    frmWelcome &w = open();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("mailto", &catcher, "open");
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    const CustomTexts t = CustomTexts::builtIn(CustomTexts::Applications);

    answers = {EngineHost::Answer::No};
    QTest::mouseClick(label(w, "txtEmail"), Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, "Marsh Lights");
    EXPECT_EQ(boxes[0].text, t.text(13) + " ada@example.org ?");
    EXPECT_TRUE(catcher.urls.isEmpty());

    answers = {EngineHost::Answer::Yes};
    QTest::mouseClick(label(w, "txtEmail"), Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl("mailto:ada@example.org"));

    answers = {EngineHost::Answer::Yes};
    QTest::mouseClick(label(w, "txtHomepage"), Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[2].text, t.text(14) + " https://example.org/ ? " + t.text(15));
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[1], QUrl("https://example.org/"));
    QDesktopServices::unsetUrlHandler("mailto");
    QDesktopServices::unsetUrlHandler("https");
}

TEST_F(TitleWindowTest, LargeFontsNoClosesTheWindow) {
    const QFont before = QApplication::font();
    QFont large = before;
    large.setPixelSize(20);
    QApplication::setFont(large);
    answers = {EngineHost::Answer::No};
    frmWelcome &w = open();
    QSignalSpy closed(&w, &frmWelcome::closed);
    const bool gone = waitUntil([&] { return w.isClosed(); });
    QApplication::setFont(before);
    EXPECT_TRUE(gone);
    EXPECT_EQ(closed.count(), 1);
    ASSERT_EQ(boxes.size(), 1);
    const CustomTexts t = CustomTexts::builtIn(CustomTexts::Applications);
    EXPECT_EQ(boxes[0].title, "!!!");
    EXPECT_EQ(boxes[0].text, t.text(40) + "\n\n" + t.text(41));
    EXPECT_EQ(boxes[0].buttons, EngineHost::Buttons::YesNo);
}

TEST_F(TitleWindowTest, CreditsPanelOpensAndGoesBack) {
    frmWelcome &w = open();
    auto *info = w.findChild<QPushButton *>("imgCredits");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(w.creditsPanel()->isHidden());
    info->click();
    EXPECT_FALSE(w.creditsPanel()->isHidden());
    auto *credits = w.creditsPanel()->findChild<QLabel *>("lblCredits");
    ASSERT_NE(credits, nullptr);
    EXPECT_TRUE(credits->text().contains("Quillmoor"));
    auto *back = w.creditsPanel()->findChild<QPushButton *>("lblBack");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->text(), "BACK");
    back->click();
    EXPECT_TRUE(w.creditsPanel()->isHidden());
    // From the keyboard: Return opens it, Escape goes back without closing the window.
    info->setFocus();
    QTest::keyClick(info, Qt::Key_Return);
    EXPECT_FALSE(w.creditsPanel()->isHidden());
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : back,
                    Qt::Key_Escape);
    EXPECT_TRUE(w.creditsPanel()->isHidden());
    EXPECT_FALSE(w.isClosed());
}

// --- the game

TEST_F(TitleWindowTest, StartShowsTheGameAndClosingItBringsTheTitleBack) {
    frmWelcome &w = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.textButton(0)->click();
    Game *game = w.gameWindow();
    ASSERT_NE(game, nullptr);
    EXPECT_TRUE(game->isVisible());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(game->engine().currentFrame(), "Start");
    EXPECT_EQ(game->engine().paths().FramesPath(), project.paths().FramesPath());
    // At 800 x 600 with the option not offered, nothing is switched.
    EXPECT_TRUE(modes.changes.isEmpty());

    game->close();
    EXPECT_TRUE(waitUntil([&] { return w.isVisible(); }));
    EXPECT_FALSE(game->isVisible());
    EXPECT_TRUE(modes.changes.isEmpty());

    // A second game starts again from the initial frame.
    w.textButton(0)->click();
    EXPECT_TRUE(w.gameWindow()->isVisible());
    EXPECT_FALSE(w.isVisible());
}

TEST_F(TitleWindowTest, DisplaySwitchedWhenAskedAndRestoredWhenTheGameCloses) {
    project.general.ShowChangeResolution = 1;
    frmWelcome &w = open();
    ASSERT_TRUE(w.resolutionCheck()->isChecked());
    w.ClickButton(0);
    ASSERT_EQ(modes.changes.size(), 1);
    EXPECT_EQ(modes.changes[0], QSize(640, 480));
    ASSERT_NE(w.gameWindow(), nullptr);
    EXPECT_TRUE(w.gameWindow()->isVisible());
    EXPECT_FALSE(w.isVisible());

    w.gameWindow()->close();
    ASSERT_TRUE(waitUntil([&] { return w.isVisible(); }));
    ASSERT_EQ(modes.changes.size(), 2);
    EXPECT_EQ(modes.changes[1], QSize(800, 600));
}

TEST_F(TitleWindowTest, DisplayNotSwitchedWhenUntickedOrAlreadySmall) {
    project.general.ShowChangeResolution = 1;
    {
        frmWelcome &w = open();
        w.resolutionCheck()->setChecked(false);
        w.ClickButton(0);
        EXPECT_TRUE(w.gameWindow()->isVisible());
        w.gameWindow()->close();
        ASSERT_TRUE(waitUntil([&] { return w.isVisible(); }));
        EXPECT_TRUE(modes.changes.isEmpty());
        window.reset();
    }
    SettingsStore::DeleteSetting(QStringLiteral("Games"), project.general.ProjectName);
    modes.size = QSize(640, 480);
    frmWelcome &w = open();
    w.ClickButton(0);
    EXPECT_TRUE(w.gameWindow()->isVisible());
    w.gameWindow()->close();
    ASSERT_TRUE(waitUntil([&] { return w.isVisible(); }));
    EXPECT_TRUE(modes.changes.isEmpty());
}

TEST_F(TitleWindowTest, RunFromCdWithTheDataFoundUsesTheCdFolders) {
    QTemporaryDir cd;
    const QString data = cd.path() + "/Data/Marsh Lights/";
    for (const char *f : {"Frames", "Areas", "Icons"})
        ASSERT_TRUE(QDir().mkpath(data + f));
    ASSERT_TRUE(RunFromCd::writeDrive(project.root(), cd.path() + "/"));
    // The editor's test run never looks for a CD.
    {
        frmWelcome &w = open(true);
        w.ClickButton(0);
        ASSERT_NE(w.gameWindow(), nullptr);
        EXPECT_EQ(w.gameWindow()->engine().paths().FramesPath(), project.paths().FramesPath());
        w.gameWindow()->close();
        window.reset();
    }
    frmWelcome &w = open(false);
    w.ClickButton(0);
    ASSERT_NE(w.gameWindow(), nullptr);
    const ProjectPaths &p = w.gameWindow()->engine().paths();
    EXPECT_EQ(p.FramesPath(), data + "Frames/");
    EXPECT_EQ(p.AreasPath(), data + "Areas/");
    EXPECT_EQ(p.IconsPath(), data + "Icons/");
    EXPECT_EQ(p.root(), project.root());
    w.gameWindow()->close();
    ASSERT_TRUE(waitUntil([&] { return w.isVisible(); }));
}

// --- closing

TEST_F(TitleWindowTest, ClosingStoresTheDisplaySwitchChoice) {
    project.general.ShowChangeResolution = 1;
    {
        frmWelcome &w = open();
        QSignalSpy closed(&w, &frmWelcome::closed);
        EXPECT_TRUE(w.resolutionCheck()->isChecked()); // the default
        w.resolutionCheck()->setChecked(false);
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_EQ(closed.count(), 1);
        EXPECT_EQ(SettingsStore::GetSetting("Games", "Test", "ChangeResolution"), "0");
    }
    {
        frmWelcome &w = open();
        EXPECT_FALSE(w.resolutionCheck()->isChecked());
        w.resolutionCheck()->setChecked(true);
        w.textButton(2)->click(); // Exit
        EXPECT_TRUE(w.isClosed());
        EXPECT_EQ(SettingsStore::GetSetting("Games", "Test", "ChangeResolution"), "1");
    }
    frmWelcome &w = open();
    EXPECT_TRUE(w.resolutionCheck()->isChecked());
}

} // namespace

#include "TitleWindowTest.moc"

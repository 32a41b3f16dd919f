// Saved games: what a save file holds, the save dialog's refusals and questions, the list of
// saves, and loading.

#include "EngineTestSupport.h"
#include "UserDataFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sys/stat.h>

namespace {

const QString Start = QStringLiteral("Start");
const QString Room = QStringLiteral("Room");

class SavedGames : public EngineTest {
protected:
    // Start: area 1 picks up the key, opens the door and hides itself; area 2 leads to Room.
    void writeAdventure() {
        project.variables({QStringLiteral("door"), QStringLiteral("lamp")});
        project.item(QStringLiteral("key"));
        project.frame(Start);
        project.frame(Room);
        ActionRecord take;
        take.ChangeVariables = 1;
        take.LegacyVariable = QStringLiteral("door");
        take.LegacySetOne = true;
        take.HideOrRemove = 1;
        Area a = areaWith(take, 1);
        a.item.PickItem = 1;
        a.item.ItemName = QStringLiteral("key");
        project.area(Start, 1, a);
        ActionRecord leave;
        leave.GoToFrame = 1;
        leave.TargetFrame = Room;
        project.area(Start, 2, areaWith(leave, 2));
    }
    QString savePath(const QString &name) const {
        return project.root() + name + QStringLiteral(".sav");
    }
    QByteArray saved(const QString &name) const {
        return project.read(name + QStringLiteral(".sav"));
    }
    void expectAdventureState() {
        EXPECT_EQ(engine->currentFrame(), Room);
        EXPECT_EQ(engine->FramesHistory(), (QStringList{Start, Room}));
        EXPECT_EQ(value(QStringLiteral("door")), 1);
        EXPECT_EQ(value(QStringLiteral("lamp")), 0);
        EXPECT_EQ(hiddenAreas(), (QList<QPair<QString, int>>{{Start, 1}}));
        EXPECT_EQ(inventory(), QStringList{QStringLiteral("key")});
    }
};

} // namespace

TEST_F(SavedGames, SavedGameComesBackAsItWas) {
    writeAdventure();
    start();
    engine->AreaClick(1, 1);
    engine->AreaClick(2, 1);
    expectAdventureState();
    takeBoxes();
    EXPECT_TRUE(engine->saveGame(QStringLiteral("Evening")));
    EXPECT_TRUE(takeBoxes().isEmpty());
    expectAdventureState(); // saving changes nothing

    // A new game forgets it all...
    start();
    ASSERT_EQ(value(QStringLiteral("door")), 0);
    ASSERT_TRUE(inventory().isEmpty());
    EXPECT_TRUE(engine->loadSavedGame(QStringLiteral("Evening")));
    expectAdventureState();
    EXPECT_TRUE(engine->scene().gameWindowVisible);
    engine->OpenFrame(Start);
    EXPECT_EQ(shownAreas(), QList<int>{2});
    EXPECT_EQ(takeErrors(), QStringList());

    // ...and a program started afresh loads it from the title screen.
    makeEngine();
    EXPECT_TRUE(engine->loadSavedGame(QStringLiteral("Evening")));
    expectAdventureState();
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(SavedGames, GameWithNothingWritesTheFrameThreeZerosAndTheHistory) {
    project.frame(Start);
    start();
    ASSERT_TRUE(engine->saveGame(QStringLiteral("empty")));
    EXPECT_EQ(saved(QStringLiteral("empty")),
              QByteArray("\"Start\"\r\n0\r\n0\r\n0\r\n1\r\n\"Start\"\r\n"));
}

TEST_F(SavedGames, FileThatEndsAfterTheInventoryLoadsWithAFreshHistory) {
    writeAdventure();
    project.writeLines(QStringLiteral("Older.sav"),
                       {q(Room), QStringLiteral("1"), q(QStringLiteral("door")),
                        QStringLiteral("1"), QStringLiteral("1"), q(Start), QStringLiteral("1"),
                        QStringLiteral("1"), q(QStringLiteral("key"))});
    start();
    engine->AreaClick(2, 1);
    engine->OpenFrame(Start);
    ASSERT_EQ(engine->FramesHistory(), (QStringList{Start, Room, Start}));

    EXPECT_TRUE(engine->loadSavedGame(QStringLiteral("Older")));
    EXPECT_EQ(takeErrors(), QStringList());
    EXPECT_EQ(engine->currentFrame(), Room);
    EXPECT_EQ(engine->FramesHistory(), QStringList{Room});
    EXPECT_EQ(value(QStringLiteral("door")), 1);
    EXPECT_EQ(hiddenAreas(), (QList<QPair<QString, int>>{{Start, 1}}));
    EXPECT_EQ(inventory(), QStringList{QStringLiteral("key")});
}

TEST_F(SavedGames, NamesWithForbiddenCharactersAreRefused) {
    project.frame(Start);
    start();
    takeBoxes();
    const QString forbidden = QStringLiteral("\\/:*?\"<>|,");
    for (const QChar c : forbidden) {
        const QString name = QStringLiteral("my") + c + QStringLiteral("game");
        EXPECT_FALSE(engine->saveGame(name)) << QString(c).toStdString();
        const QList<ShownBox> boxes = takeBoxes();
        ASSERT_EQ(boxes.size(), 1) << QString(c).toStdString();
        EXPECT_EQ(boxes[0].title, project.general.SoftwareTitle);
        EXPECT_EQ(boxes[0].text, texts.text(35) + QStringLiteral("\n\" \\ / : * ? < > | ,"));
        EXPECT_EQ(boxes[0].icon, Status::Icon::Information);
    }
    EXPECT_TRUE(QDir(project.root()).entryList({QStringLiteral("*.sav")}, QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(project.root()).entryList({QStringLiteral("*game*")}).isEmpty());
}

TEST_F(SavedGames, EmptyNameAsksForAName) {
    project.frame(Start);
    start();
    takeBoxes();
    EXPECT_FALSE(engine->saveGame(QString()));
    const QList<ShownBox> boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, texts.text(21));
    EXPECT_EQ(boxes[0].text, texts.text(23));
    EXPECT_EQ(boxes[0].icon, Status::Icon::Information);
    EXPECT_FALSE(QFileInfo::exists(savePath(QString())));
}

TEST_F(SavedGames, SavingOverAnExistingGameAsksFirst) {
    writeAdventure();
    start();
    ASSERT_TRUE(engine->saveGame(QStringLiteral("slot")));
    const QByteArray before = saved(QStringLiteral("slot"));
    engine->AreaClick(1, 1);
    takeBoxes();

    host.queueAnswer(EngineHost::Answer::Cancel);
    EXPECT_FALSE(engine->saveGame(QStringLiteral("slot")));
    QList<ShownBox> boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, texts.text(21));
    EXPECT_EQ(boxes[0].text, QStringLiteral("'slot' ") + texts.text(24));
    EXPECT_EQ(boxes[0].icon, Status::Icon::Question);
    EXPECT_EQ(boxes[0].buttons, EngineHost::Buttons::OkCancel);
    EXPECT_EQ(saved(QStringLiteral("slot")), before);

    host.queueAnswer(EngineHost::Answer::Ok);
    EXPECT_TRUE(engine->saveGame(QStringLiteral("slot")));
    EXPECT_EQ(takeBoxes().size(), 1);
    EXPECT_NE(saved(QStringLiteral("slot")), before);
    start();
    engine->loadSavedGame(QStringLiteral("slot"));
    EXPECT_EQ(inventory(), QStringList{QStringLiteral("key")});
}

// A read-only saved game is not replaced, and the report ends with the system's reason.
TEST_F(SavedGames, ASaveThatCannotBeWrittenSaysWhyAndKeepsTheOldFile) {
    writeAdventure();
    start();
    ASSERT_TRUE(engine->saveGame(QStringLiteral("slot")));
    const QByteArray before = saved(QStringLiteral("slot"));
    ASSERT_TRUE(QFile::setPermissions(savePath(QStringLiteral("slot")),
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    engine->AreaClick(1, 1);
    takeBoxes();
    host.queueAnswer(EngineHost::Answer::Ok);
    EXPECT_FALSE(engine->saveGame(QStringLiteral("slot")));
    const QStringList errors = takeErrors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral(" Unable to save '") +
                                     savePath(QStringLiteral("slot")) + QStringLiteral("'.\n")));
    EXPECT_TRUE(errors[0].endsWith(QStringLiteral("\n\nPermission denied")))
        << errors[0].toStdString();
    EXPECT_EQ(saved(QStringLiteral("slot")), before);
}

TEST_F(SavedGames, RemovingAsksWithTheFullPath) {
    project.frame(Start);
    start();
    ASSERT_TRUE(engine->saveGame(QStringLiteral("gone")));
    takeBoxes();

    host.queueAnswer(EngineHost::Answer::Cancel);
    engine->removeSavedGame(QStringLiteral("gone"));
    QList<ShownBox> boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, texts.text(26));
    EXPECT_EQ(boxes[0].text, texts.text(27) + QStringLiteral(" '") +
                                 savePath(QStringLiteral("gone")) + QStringLiteral("'?"));
    EXPECT_EQ(boxes[0].icon, Status::Icon::Question);
    EXPECT_EQ(boxes[0].buttons, EngineHost::Buttons::OkCancel);
    EXPECT_TRUE(QFileInfo::exists(savePath(QStringLiteral("gone"))));

    host.queueAnswer(EngineHost::Answer::Ok);
    engine->removeSavedGame(QStringLiteral("gone"));
    EXPECT_FALSE(QFileInfo::exists(savePath(QStringLiteral("gone"))));
    EXPECT_FALSE(engine->LoadSaveGames().contains(QStringLiteral("gone")));
    EXPECT_EQ(takeErrors(), QStringList());

    takeBoxes();
    EXPECT_FALSE(engine->removeSavedGame(QString()));
    boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, texts.text(26));
    EXPECT_EQ(boxes[0].text, texts.text(9));
}

TEST_F(SavedGames, ListShowsTheMostRecentlySavedLastAndLeavesOutBareExtensions) {
    project.frame(Start);
    const QDateTime base(QDate(2020, 5, 1), QTime(9, 0, 0));
    const QList<QPair<QString, int>> older = {{QStringLiteral("b.sav"), 0},
                                              {QStringLiteral("c.sav"), 60},
                                              {QStringLiteral("a.sav"), 120},
                                              {QStringLiteral(".sav"), 30},
                                              {QStringLiteral("notes.txt"), 90}};
    for (const auto &f : older) {
        project.writeLines(
            f.first, {q(Start), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
        QFile file(project.path(f.first));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(base.addSecs(f.second), QFileDevice::FileModificationTime));
    }
    // Nothing that cannot be a saved game is listed: a named pipe, a device, a folder, a file
    // larger than any save.
    ASSERT_EQ(mkfifo(QFile::encodeName(savePath(QStringLiteral("Trap"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), savePath(QStringLiteral("Zero"))));
    ASSERT_TRUE(QDir().mkpath(savePath(QStringLiteral("Folder"))));
    {
        QFile huge(savePath(QStringLiteral("Huge")));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(2LL * 1024 * 1024 * 1024)); // sparse: costs no room
    }
    start();
    EXPECT_EQ(engine->LoadSaveGames(),
              (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")}));
    ASSERT_TRUE(engine->saveGame(QStringLiteral("latest")));
    EXPECT_EQ(engine->LoadSaveGames(),
              (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a"),
                           QStringLiteral("latest")}));
    {
        QFile file(savePath(QStringLiteral("latest")));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(base.addSecs(200), QFileDevice::FileModificationTime));
    }
    // Saving again over an older save makes it the latest.
    ASSERT_TRUE(engine->saveGame(QStringLiteral("b")));
    EXPECT_EQ(engine->LoadSaveGames(),
              (QStringList{QStringLiteral("c"), QStringLiteral("a"), QStringLiteral("latest"),
                           QStringLiteral("b")}));
}

TEST_F(SavedGames, LoadingWithoutASelectionAsks) {
    project.frame(Start);
    makeEngine();
    EXPECT_FALSE(engine->loadSavedGame(QString()));
    const QList<ShownBox> boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, texts.text(17));
    EXPECT_EQ(boxes[0].text, texts.text(9));
    EXPECT_EQ(boxes[0].icon, Status::Icon::Information);
}

TEST_F(SavedGames, DamagedFileKeepsWhatWasReadBeforeTheDamage) {
    writeAdventure();
    project.writeLines(QStringLiteral("Broken.sav"),
                       {q(Room), QStringLiteral("2"), q(QStringLiteral("door")),
                        QStringLiteral("1"), q(QStringLiteral("lamp")), QStringLiteral("bright")});
    start();
    engine->AreaClick(1, 1);

    engine->loadSavedGame(QStringLiteral("Broken"));
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral(" Unable to load '") +
                                        savePath(QStringLiteral("Broken")) + QStringLiteral("'.")});
    EXPECT_EQ(value(QStringLiteral("door")), 1);
    EXPECT_EQ(value(QStringLiteral("lamp")), 0);
    EXPECT_TRUE(inventory().isEmpty()); // the reset came first
    EXPECT_TRUE(hiddenAreas().isEmpty());

    engine->loadSavedGame(QStringLiteral("Nonexistent"));
    EXPECT_EQ(takeErrors(),
              QStringList{QStringLiteral(" Unable to load '") +
                          savePath(QStringLiteral("Nonexistent")) + QStringLiteral("'.")});
}

TEST_F(SavedGames, SavedNamesWithPathComponentsReadNothingOutsideTheProject) {
    QTemporaryFile outside(QDir::cleanPath(project.root() + QStringLiteral("..")) +
                           QStringLiteral("/qm-sentinel-XXXXXX.obj"));
    ASSERT_TRUE(outside.open());
    outside.write("\"escaped.bmp\"\r\n");
    outside.close();
    const QString item =
        QStringLiteral("..\\..\\") + QFileInfo(outside.fileName()).completeBaseName();
    project.writeLines(QStringLiteral("Outside.fme"),
                       {QStringLiteral("0"), q(QStringLiteral("255")), QStringLiteral("#FALSE#"),
                        QStringLiteral("#FALSE#"), q(QStringLiteral("secret.mid")),
                        QStringLiteral("#FALSE#"), q(QStringLiteral("4")), q(QString()),
                        q(QString()), QStringLiteral("#TRUE#")});
    const QByteArray sentinel = project.read(QStringLiteral("Outside.fme"));
    project.writeLines(QStringLiteral("Climb.sav"),
                       {q(QStringLiteral("../Outside")), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral("1"), q(item), QStringLiteral("1"),
                        q(QStringLiteral("../Outside"))});
    project.frame(Start);
    start();
    clearTimeline();

    engine->loadSavedGame(QStringLiteral("Climb"));
    EXPECT_EQ(takeErrors(),
              (QStringList{QStringLiteral(" Unable to pick up '") + item + QStringLiteral("'."),
                           brokenLink(), frameHeaderFailure(QStringLiteral("../Outside")),
                           frameLoadFailure(QStringLiteral("../Outside"))}));
    EXPECT_TRUE(inventory().isEmpty());
    EXPECT_EQ(media.indexOf(QStringLiteral("secret")), -1);
    EXPECT_EQ(media.indexOf(QStringLiteral("escaped")), -1);
    EXPECT_EQ(project.read(QStringLiteral("Outside.fme")), sentinel);
    // Saving or loading under a name that climbs out is refused before any file is touched.
    takeBoxes();
    EXPECT_FALSE(engine->saveGame(QStringLiteral("../Climb")));
    EXPECT_EQ(takeBoxes().size(), 1);
}

// An installed game ("UserData.dat" in its root) keeps its saved games in the user's data
// folder, under the name the marker gives, or the project's name when the marker's is no folder
// name; the game's own folder gets nothing.
TEST_F(SavedGames, InstalledGameSavesInTheUsersDataFolder) {
    const QString data = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    ASSERT_FALSE(data.isEmpty());
    const struct {
        QString marker, folder;
    } cases[] = {
        {QStringLiteral("lighthouse-keeper"), QStringLiteral("lighthouse-keeper")},
        {QStringLiteral("../escape"), project.general.ProjectName},
        {QString(), project.general.ProjectName},
    };
    writeAdventure();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.marker.toStdString());
        ASSERT_TRUE(UserDataFolder::writeMarker(project.root(), c.marker));
        const QString folder = QDir(data).filePath(QStringLiteral("Quillmoor/Games/") + c.folder);
        QDir(folder).removeRecursively();
        makeEngine();
        EXPECT_EQ(engine->savedGamesFolder(), QDir::toNativeSeparators(folder) + QDir::separator());
        start();
        engine->AreaClick(1, 1);
        engine->AreaClick(2, 1);
        ASSERT_TRUE(engine->saveGame(QStringLiteral("Evening")));
        EXPECT_TRUE(QFileInfo(folder + QStringLiteral("/Evening.sav")).isFile());
        EXPECT_FALSE(QFileInfo::exists(savePath(QStringLiteral("Evening"))));
        EXPECT_EQ(engine->LoadSaveGames(), QStringList{QStringLiteral("Evening")});
        start();
        EXPECT_TRUE(engine->loadSavedGame(QStringLiteral("Evening")));
        expectAdventureState();
        EXPECT_EQ(takeErrors(), QStringList());
        host.queueAnswer(EngineHost::Answer::Ok);
        engine->removeSavedGame(QStringLiteral("Evening"));
        EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/Evening.sav")));
    }
    // Without the marker the project's own folder holds them again.
    ASSERT_TRUE(QFile::remove(UserDataFolder::markerPath(project.root())));
    makeEngine();
    EXPECT_EQ(engine->savedGamesFolder(), project.root());
}

// Every build kind names the game in its marker: saved games go to that one folder, those kept
// before under the project's name are moved there (listed and loaded), and a portable folder the
// player may write keeps them in its root.
TEST_F(SavedGames, OneFolderPerGameWhicheverWayItWasInstalled) {
    const QString games = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME")) + "/Quillmoor/Games/";
    const QString older = games + project.general.ProjectName + QLatin1Char('/');
    const QString named = games + QStringLiteral("the-keeper/");
    QDir(older).removeRecursively();
    QDir(named).removeRecursively();
    writeAdventure();
    // What an earlier player saved for the installed game, under the project's name.
    ASSERT_TRUE(UserDataFolder::writeMarker(project.root(), project.general.ProjectName));
    makeEngine();
    start();
    engine->AreaClick(1, 1);
    engine->AreaClick(2, 1);
    ASSERT_TRUE(engine->saveGame(QStringLiteral("Morning")));
    ASSERT_TRUE(QFileInfo(older + QStringLiteral("Morning.sav")).isFile());

    ASSERT_TRUE(UserDataFolder::writeMarker(project.root(), QStringLiteral("the-keeper")));
    makeEngine();
    EXPECT_EQ(engine->savedGamesFolder(), QDir::toNativeSeparators(named));
    EXPECT_EQ(engine->LoadSaveGames(), QStringList{QStringLiteral("Morning")});
    start();
    EXPECT_TRUE(engine->loadSavedGame(QStringLiteral("Morning")));
    expectAdventureState();
    ASSERT_TRUE(engine->saveGame(QStringLiteral("Evening")));
    EXPECT_TRUE(QFileInfo(named + QStringLiteral("Evening.sav")).isFile());
    EXPECT_FALSE(QFileInfo::exists(older + QStringLiteral("Evening.sav")));
    EXPECT_EQ(takeErrors(), QStringList());

    ASSERT_TRUE(UserDataFolder::writeMarker(project.root(), QStringLiteral("the-keeper"), false));
    makeEngine();
    EXPECT_EQ(engine->savedGamesFolder(), project.root());
}

// What a click on an area does: the actions of its record, their order, and the records of older
// editors and damaged files.

#include "EngineTestSupport.h"

#include "ChannelFile.h"
#include "MediaPlayers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

const QString Start = QStringLiteral("Start");
const QString Room = QStringLiteral("Room");
const QString Hall = QStringLiteral("Hall");

ActionRecord goTo(const QString &frame) {
    ActionRecord a;
    a.GoToFrame = 1;
    a.TargetFrame = frame;
    return a;
}

ActionRecord goBack() {
    ActionRecord a;
    a.GoBack = 1;
    return a;
}

ActionRecord setOne(const QString &variable) {
    ActionRecord a;
    a.ChangeVariables = 1;
    a.LegacyVariable = variable;
    a.LegacySetOne = true;
    return a;
}

Area pickingUp(const QString &item, const ActionRecord &action, int n = 1) {
    Area a = areaWith(action, n);
    a.item.PickItem = 1;
    a.item.ItemName = item;
    return a;
}

class AreaActions : public EngineTest {
protected:
    // A start frame with music and a looping wave channel, so that stopping either shows.
    void soundingStart() {
        FrameProperties p;
        p.MidiFile = QStringLiteral("theme.mid");
        project.touch(QStringLiteral("Frames/theme.mid"));
        project.touch(QStringLiteral("Areas/rain.wav"));
        project.frame(Start, p, onChannel(0, playing(QStringLiteral("rain.wav"), true)));
    }
    void musicRoom() {
        FrameProperties p;
        p.MidiFile = QStringLiteral("room.mid");
        project.touch(QStringLiteral("Frames/room.mid"));
        project.frame(Room, p);
    }
    QString frames(const QString &file) const { return project.paths().FramesPath() + file; }
    QString areas(const QString &file) const { return project.paths().AreasPath() + file; }
    QString dump() const { return media.commands().join(QLatin1Char('\n')); }
};

class DamagedActions : public AreaActions {};

} // namespace

TEST_F(AreaActions, OneClickWithEveryStopAndStartActsInItsFixedOrder) {
    project.variables({QStringLiteral("door"), QStringLiteral("lamp")});
    project.item(QStringLiteral("key"));
    soundingStart();
    musicRoom();
    for (const char *f : {"Frames/clip.avi", "Frames/tune.mid", "Frames/song.mp3"})
        project.touch(QString::fromLatin1(f));
    ActionRecord a = setOne(QStringLiteral("door"));
    a.HideOrRemove = 1;
    a.ShowText = 1;
    a.TextMessage = QStringLiteral("Got it");
    a.TextOnBackground = 1;
    a.StopMidi = 1;
    a.StopWav = 1;
    a.PlayVideo = 1;
    a.VideoFile = QStringLiteral("clip.avi");
    a.PlayMidi = 1;
    a.MidiFile = QStringLiteral("tune.mid");
    a.PlayMp3 = 1;
    a.Mp3File = QStringLiteral("song.mp3");
    a.SetOneList = {QStringLiteral("lamp")};
    a.GoToFrame = 1;
    a.TargetFrame = Room;
    project.area(Start, 1, pickingUp(QStringLiteral("key"), a));
    start();
    ASSERT_TRUE(engine->media().channelsActive());
    clearTimeline();

    engine->AreaClick(1, 1);
    EXPECT_EQ(takeErrors(), QStringList());

    const int midiStop = media.indexOf(QStringLiteral("Close mid"));
    const int waveStop = media.indexOf(QStringLiteral("WaveMixCloseSession"));
    const int video = media.indexOf(QStringLiteral("Open \"") + frames(QStringLiteral("clip.avi")));
    const int midiStart =
        media.indexOf(QStringLiteral("Open \"") + frames(QStringLiteral("tune.mid")));
    const int mp3 = media.indexOf(QStringLiteral("mp3stop"), midiStart);
    const int nextFrame =
        media.indexOf(QStringLiteral("Open \"") + frames(QStringLiteral("room.mid")));
    ASSERT_GE(midiStop, 0) << dump().toStdString();
    EXPECT_LT(midiStop, waveStop) << dump().toStdString();
    EXPECT_LT(waveStop, video) << dump().toStdString();
    EXPECT_LT(video, midiStart) << dump().toStdString();
    EXPECT_LT(midiStart, mp3) << dump().toStdString();
    EXPECT_LT(mp3, nextFrame) << dump().toStdString();
    ASSERT_GE(nextFrame, 0) << dump().toStdString();
    EXPECT_TRUE(media.timeline[video].what.contains(QStringLiteral("TYPE AviVideo")));
    EXPECT_TRUE(media.timeline[midiStart].what.contains(QStringLiteral("TYPE Sequencer")));

    // Item, first-form variable and hiding come before any media change...
    const Snapshot first = media.timeline[midiStop].at;
    EXPECT_EQ(first.frame, Start);
    EXPECT_EQ(first.inventory, QStringList{QStringLiteral("key")});
    EXPECT_EQ(first.variables.value(QStringLiteral("door")), 1);
    EXPECT_EQ(first.hidden, 1);
    EXPECT_EQ(first.variables.value(QStringLiteral("lamp")), 0);
    EXPECT_FALSE(first.message);
    // ...the variable lists after the MP3...
    EXPECT_EQ(media.timeline[mp3].at.variables.value(QStringLiteral("lamp")), 0);
    // ...and the text before the frame change.
    const Snapshot last = media.timeline[nextFrame].at;
    EXPECT_EQ(last.frame, Room);
    EXPECT_EQ(last.variables.value(QStringLiteral("lamp")), 1);
    EXPECT_TRUE(last.message);

    EXPECT_EQ(engine->currentFrame(), Room);
    EXPECT_TRUE(engine->media().mp3().IsMp3Playing());
    EXPECT_EQ(engine->media().mp3TimerTag(), frames(QStringLiteral("song.mp3")));
}

TEST_F(AreaActions, OneClickWithASoundActsInItsFixedOrder) {
    project.variables({QStringLiteral("door"), QStringLiteral("lamp")});
    project.item(QStringLiteral("key"));
    soundingStart();
    musicRoom();
    project.touch(QStringLiteral("Areas/creak.wav"));
    ActionRecord a = setOne(QStringLiteral("door"));
    a.StopMp3 = 1;
    a.SetOneList = {QStringLiteral("lamp")};
    a.LegacyPlaySound = 1;
    a.LegacySoundFile = QStringLiteral("creak.wav");
    a.ShowText = 1;
    a.TextMessage = QStringLiteral("Creak!");
    a.GoToFrame = 1;
    a.TargetFrame = Room;
    project.area(Start, 1, pickingUp(QStringLiteral("key"), a));
    start();
    clearTimeline();

    engine->AreaClick(1, 1);
    EXPECT_EQ(takeErrors(), QStringList());
    const int mp3 = media.indexOf(QStringLiteral("mp3stop"));
    const int waveStop = media.indexOf(QStringLiteral("WaveMixCloseSession"));
    const int sound = media.indexOf(QStringLiteral("Open \"") + areas(QStringLiteral("creak.wav")));
    const int text = media.indexOf(QStringLiteral("box: Creak!"));
    const int nextFrame =
        media.indexOf(QStringLiteral("Open \"") + frames(QStringLiteral("room.mid")));
    ASSERT_GE(mp3, 0) << dump().toStdString();
    EXPECT_LT(mp3, waveStop) << dump().toStdString();
    EXPECT_LT(waveStop, sound) << dump().toStdString();
    EXPECT_LT(sound, text) << dump().toStdString();
    EXPECT_LT(text, nextFrame) << dump().toStdString();
    ASSERT_GE(nextFrame, 0) << dump().toStdString();
    EXPECT_TRUE(media.timeline[sound].what.contains(QStringLiteral("TYPE Waveaudio")));
    EXPECT_GT(media.indexOf(QStringLiteral("Play "), sound), sound);

    const Snapshot atMp3 = media.timeline[mp3].at;
    EXPECT_EQ(atMp3.inventory, QStringList{QStringLiteral("key")});
    EXPECT_EQ(atMp3.variables.value(QStringLiteral("door")), 1);
    EXPECT_EQ(atMp3.variables.value(QStringLiteral("lamp")), 0);
    EXPECT_EQ(media.timeline[sound].at.variables.value(QStringLiteral("lamp")), 1);
    EXPECT_EQ(media.timeline[text].at.frame, Start);
    EXPECT_EQ(media.timeline[nextFrame].at.frame, Room);
}

TEST_F(AreaActions, StopMp3StopsTheMusicAlsoWhenWaveSoundsStop) {
    FrameProperties p;
    p.Mp3File = QStringLiteral("song.mp3");
    project.touch(QStringLiteral("Frames/song.mp3"));
    project.frame(Start, p);
    ActionRecord stopBoth;
    stopBoth.StopMp3 = 1;
    stopBoth.StopWav = 1;
    ActionRecord stopMp3;
    stopMp3.StopMp3 = 1;
    project.area(Start, 1, areaWith(stopBoth, 1));
    project.area(Start, 2, areaWith(stopMp3, 2));
    media.setMp3Length(QFile::encodeName(frames(QStringLiteral("song.mp3"))), 120000);

    for (int n = 1; n <= 2; ++n) {
        if (n == 1)
            start();
        else
            engine->OpenFrame(Start);
        host.advance(1000);
        joinMp3Workers();
        ASSERT_TRUE(engine->media().mp3().IsMp3Playing());
        const QStringList log = media.takeLog();
        ASSERT_EQ(
            log.filter(QStringLiteral("mp3play \"") + frames(QStringLiteral("song.mp3"))).size(), 1)
            << "area " << n << "\n"
            << log.join(QLatin1Char('\n')).toStdString();
        clearTimeline();

        engine->AreaClick(n, 1);
        EXPECT_GE(media.indexOf(QStringLiteral("mp3stop")), 0) << "area " << n;
        EXPECT_FALSE(engine->media().mp3().IsMp3Playing()) << "area " << n;
        EXPECT_FALSE(engine->media().mp3TimerEnabled());
    }
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(AreaActions, StartingAnMp3KeepsTheAreaSoundsSilent) {
    project.touch(QStringLiteral("Frames/song.mp3"));
    project.touch(QStringLiteral("Areas/bell.wav"));
    project.frame(Start);
    ActionRecord music;
    music.PlayMp3 = 1;
    music.Mp3File = QStringLiteral("song.mp3");
    Area withMusic = areaWith(music, 1);
    withMusic.sounds = onChannel(0, playing(QStringLiteral("bell.wav")));
    Area silent = areaWith(ActionRecord(), 2);
    silent.sounds = withMusic.sounds;
    project.area(Start, 1, withMusic);
    project.area(Start, 2, silent);
    media.setMp3Length(QFile::encodeName(frames(QStringLiteral("song.mp3"))), 60000);
    start();
    clearTimeline();

    engine->AreaClick(2, 1); // the same sounds without music
    EXPECT_EQ(media.count(QStringLiteral("bell.wav")), 1);
    engine->media().StopWaveChannels();
    clearTimeline();

    engine->AreaClick(1, 1);
    EXPECT_EQ(media.count(QStringLiteral("bell.wav")), 0) << dump().toStdString();
    media.takeLog();
    host.advance(1000);
    joinMp3Workers();
    EXPECT_TRUE(media.takeLog().contains(QStringLiteral("mp3play \"") +
                                         frames(QStringLiteral("song.mp3")) + QLatin1Char('"')));

    // Sounds wait for the end of the MP3 as long as it plays.
    engine->AreaClick(2, 1);
    EXPECT_EQ(media.count(QStringLiteral("bell.wav")), 0);
}

TEST_F(AreaActions, CloseTheProgramEndsTheGameWithoutTextOrFrameChange) {
    project.variables({QStringLiteral("door")});
    soundingStart();
    musicRoom();
    ActionRecord a = setOne(QStringLiteral("door"));
    a.HideOrRemove = 1;
    a.CloseProgram = 1;
    a.ShowText = 1;
    a.TextMessage = QStringLiteral("Goodbye");
    a.GoToFrame = 1;
    a.TargetFrame = Room;
    project.area(Start, 1, areaWith(a));
    start();
    takeBoxes();

    engine->AreaClick(1, 1);
    EXPECT_TRUE(engine->gameClosed());
    EXPECT_TRUE(takeBoxes().isEmpty());
    EXPECT_FALSE(engine->scene().messageVisible);
    EXPECT_EQ(engine->currentFrame(), Start);
    EXPECT_EQ(engine->FramesHistory(), QStringList{Start});
    EXPECT_EQ(media.indexOf(QStringLiteral("room.mid")), -1);
    // What comes before the flag in the record has happened.
    EXPECT_EQ(value(QStringLiteral("door")), 1);
    EXPECT_EQ(hiddenAreas(), (QList<QPair<QString, int>>{{Start, 1}}));
    EXPECT_FALSE(engine->media().channelsActive());
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(AreaActions, HiddenAreaStaysHiddenOnItsFrameUntilANewGame) {
    ActionRecord hide = goTo(Room);
    hide.HideOrRemove = 1;
    project.frame(Start);
    project.area(Start, 1, areaWith(hide, 1));
    project.area(Start, 2, areaWith(ActionRecord(), 2));
    project.frame(Room);
    project.area(Room, 1, areaWith(goTo(Start), 1));
    start();
    ASSERT_EQ(shownAreas(), (QList<int>{1, 2}));

    engine->AreaClick(1, 1);
    ASSERT_EQ(engine->currentFrame(), Room);
    EXPECT_EQ(shownAreas(), QList<int>{1}); // area 1 of another frame is not concerned
    engine->AreaClick(1, 1);
    ASSERT_EQ(engine->currentFrame(), Start);
    EXPECT_EQ(shownAreas(), QList<int>{2});
    engine->OpenFrame(Start);
    EXPECT_EQ(shownAreas(), QList<int>{2});

    engine->ResetAll();
    EXPECT_TRUE(hiddenAreas().isEmpty());
    engine->StartNewGame();
    EXPECT_EQ(shownAreas(), (QList<int>{1, 2}));
}

TEST_F(AreaActions, HidingWithoutLeavingHidesTheAreaAtOnce) {
    ActionRecord hide;
    hide.HideOrRemove = 1;
    project.frame(Start);
    project.area(Start, 1, areaWith(hide, 1));
    project.area(Start, 2, areaWith(ActionRecord(), 2));
    start();
    engine->AreaClick(1, 1);
    EXPECT_EQ(shownAreas(), QList<int>{2});
    EXPECT_EQ(hiddenAreas(), (QList<QPair<QString, int>>{{Start, 1}}));
}

TEST_F(AreaActions, GoingBackNeedsAFrameToGoBackTo) {
    project.frame(Start);
    project.area(Start, 1, areaWith(goBack(), 1));
    project.area(Start, 2, areaWith(goTo(Room), 2));
    project.frame(Room);
    project.area(Room, 1, areaWith(goBack(), 1));
    start();
    clearTimeline();

    EXPECT_EQ(engine->MakeAction(1, 0), GameEngine::Nothing);
    engine->AreaClick(1, 1);
    EXPECT_EQ(engine->currentFrame(), Start);
    EXPECT_EQ(engine->FramesHistory(), QStringList{Start});
    EXPECT_EQ(takeErrors(), QStringList());

    engine->AreaClick(2, 1);
    ASSERT_EQ(engine->FramesHistory(), (QStringList{Start, Room}));
    EXPECT_EQ(engine->MakeAction(1, 0), GameEngine::FrameChanged);
    EXPECT_EQ(engine->currentFrame(), Start);
    EXPECT_EQ(engine->FramesHistory(), QStringList{Start});
}

TEST_F(AreaActions, GoToAndGoBackTogetherOnlyGoTo) {
    ActionRecord both = goTo(Hall);
    both.GoBack = 1;
    project.frame(Start);
    project.area(Start, 1, areaWith(goTo(Room), 1));
    project.frame(Room);
    project.area(Room, 1, areaWith(both, 1));
    project.frame(Hall);
    start();
    engine->AreaClick(1, 1);
    engine->AreaClick(1, 1);
    EXPECT_EQ(engine->currentFrame(), Hall);
    EXPECT_EQ(engine->FramesHistory(), (QStringList{Start, Room, Hall}));
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(AreaActions, RightClickTogglesTheMenuBarAndRunsNothing) {
    project.variables({QStringLiteral("door")});
    project.item(QStringLiteral("key"));
    project.touch(QStringLiteral("Areas/bell.wav"));
    project.frame(Start);
    ActionRecord a = setOne(QStringLiteral("door"));
    a.HideOrRemove = 1;
    a.ShowText = 1;
    a.TextMessage = QStringLiteral("Hello");
    a.GoToFrame = 1;
    a.TargetFrame = Room;
    Area area = pickingUp(QStringLiteral("key"), a);
    area.sounds = onChannel(0, playing(QStringLiteral("bell.wav")));
    project.area(Start, 1, area);
    project.frame(Room);
    start();
    takeBoxes();
    clearTimeline();

    engine->AreaClick(1, 2);
    EXPECT_TRUE(engine->scene().menuExitShown);
    engine->AreaClick(1, 2);
    EXPECT_FALSE(engine->scene().menuExitShown);
    engine->AreaClick(1, 2);
    EXPECT_TRUE(engine->scene().menuExitShown);

    EXPECT_EQ(value(QStringLiteral("door")), 0);
    EXPECT_TRUE(inventory().isEmpty());
    EXPECT_TRUE(hiddenAreas().isEmpty());
    EXPECT_TRUE(takeBoxes().isEmpty());
    EXPECT_EQ(engine->currentFrame(), Start);
    EXPECT_EQ(media.count(QStringLiteral("bell.wav")), 0);

    // A left click hides the menu bar and acts.
    engine->AreaClick(1, 1);
    EXPECT_FALSE(engine->scene().menuExitShown);
    EXPECT_EQ(engine->currentFrame(), Room);
}

TEST_F(AreaActions, ThirteenLineRecordRunsTheOlderActionsAndTheAreaSounds) {
    project.variables({QStringLiteral("door")});
    soundingStart();
    project.frame(Room);
    project.touch(QStringLiteral("Areas/bell.wav"));
    Area area = areaWith();
    area.sounds = onChannel(1, playing(QStringLiteral("bell.wav")));
    project.area(Start, 1, area);
    project.writeLines(QStringLiteral("Areas/Start/1b.dat"),
                       {QStringLiteral("1"), q(QStringLiteral("door")), QStringLiteral("#FALSE#"),
                        QStringLiteral("#TRUE#"), QStringLiteral("#FALSE#"), QStringLiteral("1"),
                        q(QStringLiteral("Old text")), QStringLiteral("0"), q(QString()),
                        QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("1"), q(Room)});
    start();
    takeBoxes();
    clearTimeline();

    engine->AreaClick(1, 1);
    EXPECT_EQ(takeErrors(), QStringList());
    EXPECT_EQ(value(QStringLiteral("door")), 1);
    EXPECT_EQ(hiddenAreas(), (QList<QPair<QString, int>>{{Start, 1}}));
    const QList<ShownBox> boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1); // no "on background" field: a popup
    EXPECT_EQ(boxes[0].text, QStringLiteral("Old text"));
    EXPECT_EQ(engine->currentFrame(), Room);

    const int sound =
        media.indexOf(QStringLiteral("WaveMixOpenWave ") + areas(QStringLiteral("bell.wav")));
    ASSERT_GE(sound, 0) << dump().toStdString();
    EXPECT_LT(sound, media.indexOf(QStringLiteral("box: Old text")));
    // Nothing of the later fields: music, waves, video and MP3 are left alone.
    EXPECT_EQ(media.count(QStringLiteral("Close mid")), 0) << dump().toStdString();
    EXPECT_EQ(media.count(QStringLiteral("WaveMixCloseSession")), 0) << dump().toStdString();
    EXPECT_EQ(media.count(QStringLiteral("AviVideo")), 0);
    EXPECT_EQ(media.count(QStringLiteral("mp3")), 0);
}

TEST_F(AreaActions, VariableListsApplyInOrderOnlyWhenTheirCheckIsSet) {
    project.variables({QStringLiteral("door"), QStringLiteral("lamp"), QStringLiteral("bell")});
    project.frame(Start);
    ActionRecord off;
    off.ChangeVariables = 0;
    off.SetOneList = {QStringLiteral("lamp")};
    off.InvertList = {QStringLiteral("bell")};
    ActionRecord on = setOne(QStringLiteral("door"));
    on.SetZeroList = {QStringLiteral("door"), QStringLiteral("lamp")};
    on.SetOneList = {QStringLiteral("lamp"), QStringLiteral("bell")};
    on.InvertList = {QStringLiteral("bell"), QString(), QStringLiteral("ghost")};
    project.area(Start, 1, areaWith(off, 1));
    project.area(Start, 2, areaWith(on, 2));
    start();

    engine->AreaClick(1, 1);
    EXPECT_EQ(value(QStringLiteral("lamp")), 0);
    EXPECT_EQ(value(QStringLiteral("bell")), 0);

    engine->AreaClick(2, 1);
    EXPECT_EQ(value(QStringLiteral("door")), 0); // first form, then the lists
    EXPECT_EQ(value(QStringLiteral("lamp")), 1); // zero list, then one list
    EXPECT_EQ(value(QStringLiteral("bell")), 0); // one list, then inverted
    EXPECT_EQ(value(QStringLiteral("ghost")), -1);
    EXPECT_EQ(takeErrors(), QStringList());
    EXPECT_TRUE(takeBoxes().isEmpty());
}

TEST_F(AreaActions, ClickOnAnAreaWithoutActionFileDoesNothing) {
    project.variables({QStringLiteral("door")});
    project.frame(Start);
    project.area(Start, 1);
    project.area(Start, 2, areaWith(setOne(QStringLiteral("door")), 2));
    ASSERT_TRUE(QFile::remove(project.path(QStringLiteral("Areas/Start/1b.dat"))));
    start();
    takeBoxes();
    EXPECT_EQ(engine->MakeAction(1, 0), GameEngine::Nothing);
    engine->AreaClick(1, 1);
    EXPECT_EQ(takeErrors(), QStringList());
    EXPECT_TRUE(takeBoxes().isEmpty());
    engine->AreaClick(2, 1);
    EXPECT_EQ(value(QStringLiteral("door")), 1);
}

TEST_F(AreaActions, ClickDuringAVideoOnlyEndsTheVideo) {
    project.variables({QStringLiteral("door")});
    project.touch(QStringLiteral("Frames/clip.avi"));
    project.frame(Start);
    ActionRecord video;
    video.PlayVideo = 1;
    video.VideoFile = QStringLiteral("clip.avi");
    video.VideoAtPosition = true;
    video.VideoLeft = 20;
    video.VideoTop = 40;
    video.VideoWidth = 160;
    video.VideoHeight = 120;
    project.area(Start, 1, areaWith(video, 1));
    project.area(Start, 2, areaWith(setOne(QStringLiteral("door")), 2));
    start();
    media.videosKeepPlaying = true;

    bool cutSceneShown = false;
    QRect cutScene;
    host.onProcessEvents = [&] {
        if (host.eventPasses == 2) {
            cutSceneShown = engine->scene().cutSceneVisible;
            cutScene = engine->scene().cutSceneRect;
            engine->AreaClick(2, 1);
        } else if (host.eventPasses > 1000) {
            engine->escapePressed(); // a wait that never ends; fail below rather than hang
        }
    };
    engine->AreaClick(1, 1);
    EXPECT_LT(host.eventPasses, 1000);
    EXPECT_TRUE(cutSceneShown);
    EXPECT_EQ(cutScene, QRect(300, 600, 2400, 1800));
    EXPECT_EQ(value(QStringLiteral("door")), 0);
    EXPECT_FALSE(engine->scene().cutSceneVisible);
    EXPECT_FALSE(engine->media().PlayingMovieOrNot());

    host.onProcessEvents = nullptr;
    engine->AreaClick(2, 1);
    EXPECT_EQ(value(QStringLiteral("door")), 1);
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(DamagedActions, GarbageActionFileIsReportedAndTheGameGoesOn) {
    project.frame(Start);
    project.frame(Room);
    project.area(Start, 1);
    project.area(Start, 2, areaWith(goTo(Room), 2));
    project.writeRaw(QStringLiteral("Areas/Start/1b.dat"),
                     QByteArray("\x01\x02zz\xff\xfe,,\"unterminated\r\n#MAYBE#\r\n") +
                         QByteArray(300, '\x7f'));
    start();

    engine->AreaClick(1, 1);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral(
                                " Unable to make the action associated with the selected area.")});
    EXPECT_EQ(engine->currentFrame(), Start);
    EXPECT_FALSE(engine->gameClosed());
    engine->AreaClick(2, 1);
    EXPECT_EQ(engine->currentFrame(), Room);
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(DamagedActions, RecordCutShortKeepsTheEffectsReadBeforeTheBreak) {
    project.variables({QStringLiteral("door")});
    project.frame(Start);
    project.area(Start, 1);
    // The first-form variable change, then a text, and the file ends inside the sound fields.
    project.writeLines(QStringLiteral("Areas/Start/1b.dat"),
                       {QStringLiteral("1"), q(QStringLiteral("door")), QStringLiteral("#FALSE#"),
                        QStringLiteral("#TRUE#"), QStringLiteral("#FALSE#"), QStringLiteral("1"),
                        q(QStringLiteral("Half"))});
    start();
    takeBoxes();

    engine->AreaClick(1, 1);
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral(
                                " Unable to make the action associated with the selected area.")});
    EXPECT_EQ(value(QStringLiteral("door")), 1);
    EXPECT_TRUE(takeBoxes().isEmpty());
}

TEST_F(DamagedActions, FileNamesThatClimbOutOfTheProjectAreMissingFiles) {
    // A sound one folder above the project and a piece of music in the project root, both
    // reachable with ".." from the folders the names are relative to.
    QTemporaryFile outside(QDir::cleanPath(project.root() + QStringLiteral("..")) +
                           QStringLiteral("/qm-sentinel-XXXXXX.wav"));
    ASSERT_TRUE(outside.open());
    outside.write("RIFF");
    outside.close();
    const QString outsideName = QFileInfo(outside.fileName()).fileName();
    project.touch(QStringLiteral("outside.mid"));
    project.touch(QStringLiteral("Areas/bell.wav"));

    project.frame(Start);
    ActionRecord a;
    a.LegacyPlaySound = 1;
    a.LegacySoundFile = QStringLiteral("..\\..\\") + outsideName;
    a.PlayMidi = 1;
    a.MidiFile = QStringLiteral("..\\outside.mid");
    Area area = areaWith(a, 1);
    area.sounds = onChannel(0, playing(QStringLiteral("bell.wav")));
    area.sounds[1] = playing(QStringLiteral("../../") + outsideName);
    project.area(Start, 1, area);
    start();
    takeBoxes();
    clearTimeline();

    engine->AreaClick(1, 1);
    EXPECT_EQ(media.indexOf(outsideName), -1) << dump().toStdString();
    EXPECT_EQ(media.indexOf(project.path(QStringLiteral("outside.mid"))), -1)
        << dump().toStdString();
    // The refused sound leaves the area's own channels to play.
    EXPECT_GE(media.indexOf(QStringLiteral("WaveMixOpenWave ") + areas(QStringLiteral("bell.wav"))),
              0)
        << dump().toStdString();
    // The refused music is a missing file.
    bool warned = false;
    for (const ShownBox &b : takeBoxes())
        warned = warned || (b.title == texts.text(29) && b.text.startsWith(texts.text(33)) &&
                            b.text.contains(QStringLiteral("outside.mid")));
    EXPECT_TRUE(warned);
    QFile check(outside.fileName());
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("RIFF"));
}

// Opening frames: what a frame brings on screen and to the speakers, the frame history, the frame
// timer, which areas are shown, the message strip, the menu bar and closing the game.

#include "EngineTestSupport.h"

#include "MediaPlayers.h"
#include "PlayCommand.h"
#include "RecordWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

namespace {

const QString Start = QStringLiteral("Start");
const QString Room = QStringLiteral("Room");

ActionRecord goTo(const QString &frame) {
    ActionRecord a;
    a.GoToFrame = 1;
    a.TargetFrame = frame;
    return a;
}

ActionRecord showText(const QString &text, bool onBackground) {
    ActionRecord a;
    a.ShowText = 1;
    a.TextMessage = text;
    a.TextOnBackground = onBackground ? 1 : 0;
    return a;
}

FrameProperties timed(const QString &seconds, const QString &target) {
    FrameProperties p;
    p.TimerEnabled = true;
    p.TimerSeconds = seconds;
    p.TimerFrame = target;
    return p;
}

class FrameOpening : public EngineTest {};
class FrameHistory : public EngineTest {};
class FrameTimer : public EngineTest {};
class AreaVisibility : public EngineTest {};
class MessageStrip : public EngineTest {};
class MenuBar : public EngineTest {};

} // namespace

TEST_F(FrameOpening, NewGameShowsTheInitialFrameWithItsMusicSoundsTextsAndAreas) {
    FrameProperties p;
    p.MidiFile = QStringLiteral("theme.mid");
    project.touch(QStringLiteral("Frames/theme.mid"));
    project.touch(QStringLiteral("Areas/rain.wav"));
    project.frame(Start, p, onChannel(2, playing(QStringLiteral("rain.wav"), true)));
    project.text(Start, 1, QStringLiteral("Welcome"));
    project.area(Start, 1, areaWith(ActionRecord(), 1));
    project.area(Start, 2, areaWith(ActionRecord(), 2));

    start();
    EXPECT_EQ(takeErrors(), QStringList());
    EXPECT_TRUE(takeBoxes().isEmpty());
    EXPECT_EQ(engine->currentFrame(), Start);
    EXPECT_EQ(engine->FramesHistory(), QStringList{Start});
    ASSERT_EQ(engine->scene().texts.size(), 1);
    EXPECT_EQ(engine->scene().texts[0].label.Caption, QStringLiteral("Welcome"));
    ASSERT_EQ(engine->scene().areas.size(), 2);
    // The stored rectangle is the editor's outer one; the clickable part lies 30 twips inside.
    EXPECT_EQ(engine->scene().areas[1].rect, QRect(630, 330, 540, 540));
    EXPECT_EQ(shownAreas(), (QList<int>{1, 2}));

    const QString midi = project.paths().FramesPath() + QStringLiteral("theme.mid");
    const int open = media.indexOf(QStringLiteral("Open \"") + midi + QStringLiteral("\""));
    ASSERT_GE(open, 0) << media.commands().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(media.timeline[open].what.contains(QStringLiteral("TYPE Sequencer")));
    EXPECT_GT(media.indexOf(QStringLiteral("Play "), open), open);
    EXPECT_GE(media.indexOf(QStringLiteral("WaveMixOpenWave ") + project.paths().AreasPath() +
                            QStringLiteral("rain.wav")),
              0);
}

TEST_F(FrameOpening, MissingFrameGivesThreeReportsAndLeavesThePreviousFrameOnScreen) {
    project.frame(Start);
    project.text(Start, 1, QStringLiteral("Welcome"));
    project.area(Start, 1, areaWith(goTo(QStringLiteral("Nowhere")), 1));
    project.area(Start, 2, areaWith(ActionRecord(), 2));
    start();
    ASSERT_EQ(takeErrors(), QStringList());

    engine->AreaClick(1, 1);
    EXPECT_EQ(takeErrors(),
              (QStringList{brokenLink(), frameHeaderFailure(QStringLiteral("Nowhere")),
                           frameLoadFailure(QStringLiteral("Nowhere"))}));
    EXPECT_EQ(engine->currentFrame(), QStringLiteral("Nowhere"));
    EXPECT_EQ(engine->FramesHistory(), (QStringList{Start, QStringLiteral("Nowhere")}));
    EXPECT_EQ(engine->scene().areas.size(), 2);
    EXPECT_EQ(engine->scene().texts.size(), 1);
    EXPECT_FALSE(engine->gameClosed());
}

TEST_F(FrameOpening, EmptyInitialFrameIsABrokenLink) {
    project.general.InitialFrame.clear();
    project.frame(Start);
    start();
    EXPECT_EQ(takeErrors(), (QStringList{brokenLink(), frameHeaderFailure(QString()),
                                         frameLoadFailure(QString())}));
    EXPECT_EQ(engine->FramesHistory(), QStringList{QString()});
}

TEST_F(FrameOpening, FrameNameWithPathComponentsNeverOpensAFileOutsideTheFramesFolder) {
    // A complete frame one folder up, in the project root: a name that climbs out of Frames/
    // must not reach it.
    RecordWriter w;
    w.writeInt(0);
    w.writeString(QStringLiteral("255"));
    w.writeBool(false);
    w.writeBool(false);
    w.writeString(QStringLiteral("secret.mid"));
    w.writeBool(false);
    w.writeString(QStringLiteral("4"));
    w.writeString(QString());
    w.writeString(QString());
    w.writeBool(true);
    ASSERT_TRUE(w.commit(project.path(QStringLiteral("Outside.fme")), Status::failure(QString())));
    project.touch(QStringLiteral("secret.mid"));
    project.touch(QStringLiteral("Frames/secret.mid"));
    const QByteArray sentinel = project.read(QStringLiteral("Outside.fme"));

    project.frame(Start);
    project.area(Start, 1, areaWith(goTo(QStringLiteral("../Outside")), 1));
    project.area(Start, 2, areaWith(goTo(QStringLiteral("..\\Outside")), 2));
    start();
    clearTimeline();

    for (int n = 1; n <= 2; ++n) {
        const QString target =
            n == 1 ? QStringLiteral("../Outside") : QStringLiteral("..\\Outside");
        engine->OpenFrame(Start);
        takeErrors();
        engine->AreaClick(n, 1);
        EXPECT_EQ(takeErrors(), (QStringList{brokenLink(), frameHeaderFailure(target),
                                             frameLoadFailure(target)}));
        EXPECT_EQ(engine->currentFrame(), target);
    }
    EXPECT_EQ(media.indexOf(QStringLiteral("secret")), -1)
        << media.commands().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(project.read(QStringLiteral("Outside.fme")), sentinel);
}

TEST_F(FrameOpening, TruncatedAreaFileIsReportedWithItsNumberAndTheFrameStaysUsable) {
    project.variables({QStringLiteral("door")});
    ActionRecord open;
    open.ChangeVariables = 1;
    open.LegacyVariable = QStringLiteral("door");
    open.LegacySetOne = true;
    project.frame(Start);
    project.area(Start, 1, areaWith(open, 1));
    project.area(Start, 2, areaWith(ActionRecord(), 2));
    project.area(Start, 3, areaWith(ActionRecord(), 3));
    project.writeLines(QStringLiteral("Areas/Start/2a.dat"),
                       {QStringLiteral("600"), QStringLiteral("300"), QStringLiteral("600")});

    start();
    const QStringList errors = takeErrors();
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_EQ(errors.first(), QStringLiteral(" Unable to load area #2 (out of 3)."));
    // Deciding which areas are shown reads area 2's file again, and that fails on its own.
    EXPECT_EQ(errors.mid(1), QStringList{QStringLiteral("[report without a message of its own]")});
    EXPECT_EQ(engine->currentFrame(), Start);

    engine->AreaClick(1, 1);
    EXPECT_EQ(value(QStringLiteral("door")), 1);
}

TEST_F(FrameOpening, UnreadableTextsAreReportedOnceAndTheOthersShow) {
    project.frame(Start);
    project.text(Start, 1, QStringLiteral("One"));
    project.writeLines(QStringLiteral("Areas/Start/Text02.lbl"), {q(QStringLiteral("Two"))});
    project.text(Start, 3, QStringLiteral("Three"));
    project.writeLines(QStringLiteral("Areas/Start/Text04.lbl"), {QStringLiteral("garbage")});
    start();
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral(" Unable to load texts.")});
    QStringList captions;
    for (const SceneText &t : engine->scene().texts)
        captions.append(t.label.Caption);
    EXPECT_EQ(captions, (QStringList{QStringLiteral("One"), QStringLiteral("Three")}));
}

TEST_F(FrameOpening, AreasTakeTheirPicturePointerAndAnimation) {
    project.variables({QStringLiteral("lit")});
    project.frame(Start);
    project.touch(QStringLiteral("Areas/door.bmp"));
    project.touch(QStringLiteral("Areas/torch.gif"));
    project.touch(QStringLiteral("Icons/hand.cur"));
    Area door = areaWith(ActionRecord(), 1);
    door.look.HasPicture = true;
    door.look.PictureFile = QStringLiteral("door.bmp");
    door.look.Stretch = 1;
    door.look.MousePointer = QStringLiteral("hand.cur");
    Area torch = areaShownIf({QStringLiteral("lit")}, {});
    torch.look.HasPicture = true;
    torch.look.IsAnimatedGif = 1;
    torch.look.PictureFile = QStringLiteral("torch.gif");
    torch.look.MousePointer = QStringLiteral("Default");
    torch.item.GifSpeed = 30;
    ActionRecord light;
    light.ChangeVariables = 1;
    light.LegacyVariable = QStringLiteral("lit");
    light.LegacyInvert = true;
    project.area(Start, 1, door);
    project.area(Start, 2, torch);
    project.area(Start, 3, areaWith(light, 3));
    start();
    EXPECT_EQ(takeErrors(), QStringList());
    EXPECT_TRUE(takeBoxes().isEmpty());

    ASSERT_EQ(engine->scene().areas.size(), 3);
    const SceneArea &d = engine->scene().areas[0];
    EXPECT_TRUE(d.hasPicture);
    EXPECT_EQ(d.picture, project.paths().AreasPath() + QStringLiteral("door.bmp"));
    EXPECT_TRUE(d.stretch);
    EXPECT_EQ(d.pointer, project.paths().IconsPath() + QStringLiteral("hand.cur"));
    EXPECT_FALSE(d.animated);
    const SceneArea &t = engine->scene().areas[1];
    EXPECT_TRUE(t.animated);
    EXPECT_EQ(t.animation, project.paths().AreasPath() + QStringLiteral("torch.gif"));
    EXPECT_EQ(t.animationSpeed, 30);
    EXPECT_TRUE(t.pointer.isEmpty());
    EXPECT_EQ(t.restarts, 1);

    // An animation hidden and shown again starts over.
    engine->AreaClick(3, 1);
    EXPECT_FALSE(engine->scene().areas[1].visible);
    EXPECT_EQ(engine->scene().areas[1].restarts, 1);
    engine->AreaClick(3, 1);
    EXPECT_TRUE(engine->scene().areas[1].visible);
    EXPECT_EQ(engine->scene().areas[1].restarts, 2);
    engine->AreaClick(1, 1);
    EXPECT_EQ(engine->scene().areas[1].restarts, 2); // still shown: left alone
}

TEST_F(FrameOpening, TenLineFramePlaysItsSoundChannelsAndNoMp3) {
    project.frame(Start);
    FrameProperties old;
    ASSERT_TRUE(project.frames().writeNewFrame(QStringLiteral("Old"), old));
    project.touch(QStringLiteral("Areas/drip.wav"));
    ASSERT_TRUE(writeChannels(project.frames().chnPath(QStringLiteral("Old")),
                              SoundMode::MultiChannel,
                              onChannel(0, playing(QStringLiteral("drip.wav")))));
    start();
    clearTimeline();

    engine->OpenFrame(QStringLiteral("Old"));
    EXPECT_EQ(takeErrors(), QStringList());
    EXPECT_EQ(engine->currentFrame(), QStringLiteral("Old"));
    EXPECT_GE(media.indexOf(QStringLiteral("WaveMixOpenWave ") + project.paths().AreasPath() +
                            QStringLiteral("drip.wav")),
              0);
    // No MP3 is asked for (starting the wave channels does stop any MP3, which is not one).
    EXPECT_FALSE(engine->media().mp3TimerEnabled());
    EXPECT_FALSE(engine->media().mp3().IsMp3Playing());
    media.takeLog();
    host.advance(2000);
    joinMp3Workers();
    EXPECT_EQ(media.takeLog().filter(QStringLiteral("mp3play")), QStringList());
}

TEST_F(FrameOpening, FrameSoundsWaitWhileAnMp3Plays) {
    FrameProperties withMusic;
    withMusic.Mp3File = QStringLiteral("song.mp3");
    project.touch(QStringLiteral("Frames/song.mp3"));
    project.touch(QStringLiteral("Areas/birds.wav"));
    project.frame(Start, withMusic);
    project.frame(Room, FrameProperties(), onChannel(0, playing(QStringLiteral("birds.wav"))));
    start();
    ASSERT_TRUE(engine->media().mp3().IsMp3Playing());
    ASSERT_TRUE(engine->media().mp3TimerEnabled());
    clearTimeline();

    engine->OpenFrame(Room);
    EXPECT_EQ(media.count(QStringLiteral("birds.wav")), 0);

    // Once the MP3 is over (its length and five seconds), the frame's sounds play again.
    media.setMp3Length(QFile::encodeName(project.paths().FramesPath() + QStringLiteral("song.mp3")),
                       10000);
    host.advance(1000); // the MP3 starts a second after it was asked for
    joinMp3Workers();
    ASSERT_TRUE(engine->media().mp3().IsMp3Playing());
    host.advance(15000);
    engine->OpenFrame(Room);
    EXPECT_EQ(media.count(QStringLiteral("birds.wav")), 0);
    engine->OpenFrame(Start);
    host.advance(1000);
    joinMp3Workers();
    host.advance(16000);
    ASSERT_FALSE(engine->media().mp3().IsMp3Playing());
    engine->OpenFrame(Room);
    EXPECT_EQ(media.count(QStringLiteral("birds.wav")), 1);
}

TEST_F(FrameOpening, MusicWaitsForTheFrameVideoOnlyWhenAskedTo) {
    project.touch(QStringLiteral("Frames/intro.avi"));
    project.touch(QStringLiteral("Frames/theme.mid"));
    FrameProperties p;
    p.MidiFile = QStringLiteral("theme.mid");
    p.VideoFile = QStringLiteral("intro.avi");
    p.WaitVideo = true;
    project.frame(Start, p);
    p.WaitVideo = false;
    p.VideoAtPosition = true;
    p.VideoLeft = 10;
    p.VideoTop = 20;
    p.VideoWidth = 100;
    p.VideoHeight = 50;
    project.frame(Room, p);

    start();
    int video = media.indexOf(QStringLiteral("TYPE AviVideo"));
    int music = media.indexOf(QStringLiteral("TYPE Sequencer"));
    ASSERT_GE(video, 0);
    ASSERT_GE(music, 0);
    EXPECT_LT(video, music);

    clearTimeline();
    engine->OpenFrame(Room);
    video = media.indexOf(QStringLiteral("TYPE AviVideo"));
    music = media.indexOf(QStringLiteral("TYPE Sequencer"));
    ASSERT_GE(video, 0);
    ASSERT_GE(music, 0);
    EXPECT_LT(music, video);
    EXPECT_EQ(engine->scene().cutSceneRect, QRect(150, 300, 1500, 750));
    EXPECT_FALSE(engine->scene().cutSceneVisible); // hidden once the video is over
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(FrameOpening, FrameWaitsForItsVideoUntilThePlayerPresses) {
    project.touch(QStringLiteral("Frames/intro.avi"));
    project.touch(QStringLiteral("Frames/theme.mid"));
    FrameProperties p;
    p.MidiFile = QStringLiteral("theme.mid");
    p.VideoFile = QStringLiteral("intro.avi");
    p.WaitVideo = true;
    project.frame(Start, p);
    makeEngine();

    media.videosKeepPlaying = true;
    bool musicBeforePress = true;
    int pressedAt = 0;
    host.onProcessEvents = [&] {
        if (host.eventPasses == 5) {
            musicBeforePress = media.indexOf(QStringLiteral("TYPE Sequencer")) >= 0;
            pressedAt = host.eventPasses;
            engine->backgroundPressed(1);
        } else if (host.eventPasses > 1000) {
            engine->escapePressed(); // a wait that never ends; fail below rather than hang
        }
    };
    engine->ResetAll();
    engine->StartNewGame();
    EXPECT_EQ(pressedAt, 5);
    EXPECT_LT(host.eventPasses, 1000);
    EXPECT_FALSE(musicBeforePress);
    EXPECT_GE(media.indexOf(QStringLiteral("TYPE Sequencer")), 0);
    EXPECT_FALSE(engine->media().PlayingMovieOrNot());
}

TEST_F(FrameHistory, KeepsTheTwentyLatestFramesWithoutRepeatingTheLastOne) {
    QStringList names;
    for (int i = 1; i <= 25; ++i) {
        names.append(QStringLiteral("F%1").arg(i, 2, 10, QLatin1Char('0')));
        project.frame(names.last());
    }
    project.frame(Start);
    start();
    engine->OpenFrame(Start);
    EXPECT_EQ(engine->FramesHistory(), QStringList{Start});

    for (const QString &name : names)
        engine->OpenFrame(name);
    EXPECT_EQ(engine->FramesHistory(), names.mid(5));
    engine->OpenFrame(names.last());
    EXPECT_EQ(engine->FramesHistory(), names.mid(5));

    // Only a repeat of the last entry is left out.
    engine->OpenFrame(names[23]);
    EXPECT_EQ(engine->FramesHistory().size(), 20);
    EXPECT_EQ(engine->FramesHistory().mid(18), (QStringList{names[24], names[23]}));
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(FrameTimer, HalfSecondTimerOpensItsFrameAtFiveHundredMilliseconds) {
    project.frame(Start, timed(QStringLiteral("0.5"), Room));
    project.frame(Room);
    start();
    EXPECT_EQ(engine->frameTimerInterval(), 500);
    host.advance(499);
    EXPECT_EQ(engine->currentFrame(), Start);
    host.advance(1);
    EXPECT_EQ(engine->currentFrame(), Room);
    EXPECT_EQ(engine->FramesHistory(), (QStringList{Start, Room}));
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(FrameTimer, DurationsBeyondTheTimerRangeAreRefusedAndTheFrameIsStillShown) {
    project.frame(Start, timed(QStringLiteral("70"), Room));
    project.frame(QStringLiteral("Longest"), timed(QStringLiteral("65.535"), Room));
    project.frame(QStringLiteral("TooLong"), timed(QStringLiteral("65.536"), Room));
    project.frame(QStringLiteral("Words"), timed(QStringLiteral("soon"), Room));
    project.frame(Room);
    project.text(Start, 1, QStringLiteral("Still here"));
    project.area(Start, 1);

    start();
    EXPECT_EQ(takeErrors(), QStringList{QStringLiteral(" Unable to load timer duration.")});
    EXPECT_EQ(engine->currentFrame(), Start);
    EXPECT_EQ(engine->scene().texts.size(), 1);
    EXPECT_EQ(engine->scene().areas.size(), 1);
    host.advance(100000);
    EXPECT_EQ(engine->currentFrame(), Start);

    for (const QString &frame : {QStringLiteral("TooLong"), QStringLiteral("Words")}) {
        engine->OpenFrame(frame);
        EXPECT_EQ(takeErrors(), QStringList{QStringLiteral(" Unable to load timer duration.")})
            << frame.toStdString();
        host.advance(100000);
        EXPECT_EQ(engine->currentFrame(), frame);
    }

    engine->OpenFrame(QStringLiteral("Longest"));
    EXPECT_EQ(takeErrors(), QStringList());
    host.advance(65534);
    EXPECT_EQ(engine->currentFrame(), QStringLiteral("Longest"));
    host.advance(1);
    EXPECT_EQ(engine->currentFrame(), Room);
}

TEST_F(FrameTimer, LastVisitedFrameWithOneHistoryEntryDoesNothing) {
    project.touch(QStringLiteral("Areas/rain.wav"));
    project.frame(Start, timed(QStringLiteral("1"), QStringLiteral("[Last Visited Frame]")),
                  onChannel(0, playing(QStringLiteral("rain.wav"))));
    start();
    ASSERT_EQ(engine->frameTimerInterval(), 1000);
    clearTimeline();

    host.advance(1000);
    EXPECT_EQ(engine->currentFrame(), Start);
    EXPECT_EQ(engine->FramesHistory(), QStringList{Start});
    EXPECT_TRUE(media.timeline.isEmpty()) << media.commands().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(engine->frameTimerInterval(), 0);
    host.advance(10000);
    EXPECT_TRUE(media.timeline.isEmpty());
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(FrameTimer, LastVisitedFrameInAnyCaseGoesBack) {
    project.frame(Start);
    project.area(Start, 1, areaWith(goTo(Room)));
    project.frame(Room, timed(QStringLiteral("2"), QStringLiteral("[LAST visited FRAME]")));
    start();
    engine->AreaClick(1, 1);
    ASSERT_EQ(engine->currentFrame(), Room);
    host.advance(2000);
    EXPECT_EQ(engine->currentFrame(), Start);
    EXPECT_EQ(engine->FramesHistory(), QStringList{Start});
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(AreaVisibility, VariableListsDecideAndMissingVariablesNeverHide) {
    project.variables({QStringLiteral("door"), QStringLiteral("lamp")});
    ActionRecord toggle;
    toggle.ChangeVariables = 1;
    toggle.LegacyVariable = QStringLiteral("door");
    toggle.LegacyInvert = true;
    toggle.InvertList = {QStringLiteral("lamp")};
    project.frame(Start);
    project.area(Start, 1, areaShownIf({QStringLiteral("door")}, {}));
    project.area(Start, 2, areaShownIf({}, {QStringLiteral("lamp")}));
    project.area(Start, 3, areaShownIf({QStringLiteral("ghost")}, {QStringLiteral("ghost")}));
    project.area(Start, 4, areaWith(toggle, 4));
    project.area(Start, 5, areaShownIf({QStringLiteral("door")}, {QStringLiteral("lamp")}));

    start();
    EXPECT_EQ(shownAreas(), (QList<int>{1, 3, 4}));
    // The conditions are the ones read when the frame opened: each area file is read once per
    // opening, so files gone since then change nothing until the frame opens again.
    QMap<QString, QByteArray> kept;
    for (const QString &file :
         {QStringLiteral("Areas/Start/1a.dat"), QStringLiteral("Areas/Start/2a.dat"),
          QStringLiteral("Areas/Start/5a.dat")}) {
        kept.insert(file, project.read(file));
        ASSERT_TRUE(QFile::remove(project.path(file)));
    }
    engine->AreaClick(4, 1);
    ASSERT_EQ(value(QStringLiteral("door")), 1);
    ASSERT_EQ(value(QStringLiteral("lamp")), 1);
    EXPECT_EQ(shownAreas(), (QList<int>{2, 3, 4}));
    engine->AreaClick(4, 1);
    EXPECT_EQ(shownAreas(), (QList<int>{1, 3, 4}));
    EXPECT_EQ(takeErrors(), QStringList());
    for (auto it = kept.cbegin(); it != kept.cend(); ++it)
        project.writeRaw(it.key(), it.value());

    // Lists that are stored but switched off do not count.
    Area off = areaShownIf({QStringLiteral("door")}, {QStringLiteral("lamp")});
    off.look.VisibleIf = 0;
    project.area(Start, 5, off);
    engine->OpenFrame(Start); // reloads the areas

    EXPECT_EQ(shownAreas(), (QList<int>{1, 3, 4, 5}));
    EXPECT_EQ(takeErrors(), QStringList());
}

TEST_F(MessageStrip, BackgroundMessageDisappearsAfterSeventyMillisecondsACharacterPlusOneSecond) {
    project.frame(Start);
    project.area(Start, 1, areaWith(showText(QStringLiteral("0123456789"), true)));
    start();

    engine->AreaClick(1, 1);
    EXPECT_TRUE(engine->scene().messageVisible);
    EXPECT_EQ(engine->scene().messageText, QStringLiteral("0123456789"));
    EXPECT_EQ(engine->messageTimerInterval(), 1700);
    host.advance(1699);
    EXPECT_TRUE(engine->scene().messageVisible);
    host.advance(1);
    EXPECT_FALSE(engine->scene().messageVisible);

    // A new message starts the count again.
    engine->AreaClick(1, 1);
    host.advance(1000);
    engine->AreaClick(1, 1);
    host.advance(1699);
    EXPECT_TRUE(engine->scene().messageVisible);
    host.advance(1);
    EXPECT_FALSE(engine->scene().messageVisible);

    // A click on the strip hides it at once.
    engine->AreaClick(1, 1);
    host.advance(500);
    engine->messageClicked();
    EXPECT_FALSE(engine->scene().messageVisible);
    EXPECT_EQ(engine->messageTimerInterval(), 0);
    EXPECT_TRUE(takeBoxes().isEmpty());
}

TEST_F(MessageStrip, PopupMessageIsAnInformationBoxTitledWithTheSoftwareTitle) {
    project.frame(Start);
    project.area(Start, 1, areaWith(showText(QStringLiteral("The gate is locked."), false)));
    start();
    takeBoxes();

    engine->AreaClick(1, 1);
    const QList<ShownBox> boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, project.general.SoftwareTitle);
    EXPECT_EQ(boxes[0].text, QStringLiteral("The gate is locked."));
    EXPECT_EQ(boxes[0].icon, Status::Icon::Information);
    EXPECT_EQ(boxes[0].buttons, EngineHost::Buttons::Ok);
    EXPECT_FALSE(engine->scene().messageVisible);
}

// What `qmtool play` says the window shows after each step: the frame, the strip's text ("-"
// when hidden) and the popups shown in the step. A background message stays until its own time
// runs out, whether or not a frame timer changes the frame first; closing the game takes it away.
TEST_F(MessageStrip, PlayReportsTheStripUntilItsOwnTimeRunsOutAndPopupsAsTheyAreShown) {
    struct Case {
        const char *timerSeconds;
        bool onBackground;
        const char *steps;
        const char *shown; // after each step, between bars
    };
    const QString text = QStringLiteral("0123456789"); // 1700 ms on the strip
    const QList<Case> cases = {
        {"0.5", true, "start click 1 advance 500 advance 1199 advance 1",
         "Start -|Start 0123456789|Room 0123456789|Room 0123456789|Room -"},
        {"2", true, "start click 1 advance 1699 advance 1 advance 300",
         "Start -|Start 0123456789|Start 0123456789|Start -|Room -"},
        {"0", true, "start click 1 click 2 advance 2000",
         "Start -|Start 0123456789|Start -|Start -"},
        {"0.5", false, "start click 1 advance 500",
         "Start -|Start - popup information: 0123456789|Room -"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.steps);
        project.frame(Start, timed(QString::fromLatin1(c.timerSeconds), Room));
        project.frame(Room);
        project.area(Start, 1, areaWith(showText(text, c.onBackground), 1));
        ActionRecord close;
        close.CloseProgram = 1;
        project.area(Start, 2, areaWith(close, 2));

        QStringList shown;
        playSteps(project.root(), QString::fromLatin1(c.steps).split(QLatin1Char(' ')),
                  [&](const QJsonObject &state) {
                      const QJsonValue message = state[QStringLiteral("message")];
                      QString line =
                          state[QStringLiteral("frame")].toString() + QLatin1Char(' ') +
                          (message.isNull() ? QStringLiteral("-")
                                            : message[QStringLiteral("text")].toString());
                      for (const QJsonValue r : state[QStringLiteral("reports")].toArray()) {
                          if (r[QStringLiteral("kind")].toString() == QLatin1String("message"))
                              line += QStringLiteral(" popup ") +
                                      r[QStringLiteral("icon")].toString() + QStringLiteral(": ") +
                                      r[QStringLiteral("text")].toString();
                      }
                      shown.append(line);
                  });
        EXPECT_EQ(shown, QString::fromLatin1(c.shown).split(QLatin1Char('|')));
    }
}

TEST_F(MenuBar, EscapeAndRightPressesToggleItAndOtherPressesHideIt) {
    project.frame(Start);
    start();
    EXPECT_FALSE(engine->scene().menuExitShown);

    engine->escapePressed();
    EXPECT_TRUE(engine->scene().menuExitShown);
    EXPECT_TRUE(engine->scene().menuSaveShown);
    EXPECT_TRUE(engine->stopVideoRequest());
    engine->escapePressed();
    EXPECT_FALSE(engine->scene().menuExitShown);
    EXPECT_FALSE(engine->scene().menuSaveShown);

    engine->backgroundPressed(2);
    EXPECT_TRUE(engine->scene().menuExitShown);
    engine->backgroundPressed(1);
    EXPECT_FALSE(engine->scene().menuExitShown);
    EXPECT_FALSE(engine->scene().menuSaveShown);
}

TEST_F(MenuBar, ProjectThatHidesSavingNeverShowsTheSaveEntry) {
    project.general.HideSave = true;
    project.frame(Start);
    start();
    engine->escapePressed();
    EXPECT_TRUE(engine->scene().menuExitShown);
    EXPECT_FALSE(engine->scene().menuSaveShown);
}

TEST_F(MenuBar, ExitAsksAndClosingStopsEverySound) {
    FrameProperties p;
    p.MidiFile = QStringLiteral("theme.mid");
    project.touch(QStringLiteral("Frames/theme.mid"));
    project.touch(QStringLiteral("Areas/rain.wav"));
    project.frame(Start, p, onChannel(0, playing(QStringLiteral("rain.wav"), true)));
    start();
    takeBoxes();

    host.queueAnswer(EngineHost::Answer::No);
    engine->exitRequested();
    QList<ShownBox> boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, project.general.SoftwareTitle);
    EXPECT_EQ(boxes[0].text, texts.text(10));
    EXPECT_EQ(boxes[0].icon, Status::Icon::Question);
    EXPECT_EQ(boxes[0].buttons, EngineHost::Buttons::YesNo);
    EXPECT_FALSE(engine->gameClosed());

    clearTimeline();
    host.queueAnswer(EngineHost::Answer::Yes);
    engine->exitRequested();
    EXPECT_TRUE(engine->gameClosed());
    EXPECT_GE(media.indexOf(QStringLiteral("Close mid")), 0);
    EXPECT_GE(media.indexOf(QStringLiteral("mp3stop")), 0);
    EXPECT_GE(media.indexOf(QStringLiteral("WaveMixCloseSession")), 0);
    EXPECT_FALSE(engine->media().channelsActive());
}

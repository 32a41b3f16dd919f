// The frame properties dialog: what it reads and writes back through the store, the checks in
// their order with their messages and tabs, the linked boxes, files added and removed, and the
// single-channel sound tab.

#include "EditorTestSupport.h"
#include "FrameFiles.h"
#include "MediaClock.h"
#include "RecordingMedia.h"
#include "frmFrameProperties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <functional>

using Answer = EngineHost::Answer;

namespace {

struct FrameProject {
    TestProject p;
    EditorProject project;
    explicit FrameProject(bool singleChannel = false) {
        writeProject(p, "Lighthouse", "Shore", {"Shore", "Hall"});
        for (const char *f : {"Frames/room.bmp", "Frames/tune.mid", "Frames/intro.avi",
                              "Frames/theme.mp3", "Areas/gull.wav", "Areas/waves.wav"})
            p.writeRaw(f, "data");
        project.paths = p.paths();
        project.general.ScreenWidth = 640;
        project.general.ScreenHeight = 480;
        project.general.SingleChannelAudio = singleChannel;
    }
    SoundMode mode() const {
        return project.general.SingleChannelAudio ? SoundMode::SingleChannel
                                                  : SoundMode::MultiChannel;
    }
};

FrameProperties everything() {
    FrameProperties f;
    f.BackgroundKind = 1;
    f.Background = "room.bmp";
    f.Tiled = true;
    f.StopMidi = true;
    f.MidiFile = "tune.mid";
    f.TimerEnabled = true;
    f.TimerSeconds = "2.5";
    f.TimerFrame = "Hall";
    f.VideoFile = "intro.avi";
    f.WaitVideo = false;
    f.StopWav = true;
    f.StopMp3 = true;
    f.Mp3File = "theme.mp3";
    f.VideoFullScreen = false;
    f.VideoAtPosition = true;
    f.VideoLeft = 10;
    f.VideoTop = 20;
    f.VideoWidth = 320;
    f.VideoHeight = 240;
    return f;
}

QList<ChannelRecord> someChannels() {
    QList<ChannelRecord> out;
    for (int c = 0; c < 8; ++c) {
        ChannelRecord r;
        if (c == 1) {
            r.NoAction = false;
            r.PlaySound = true;
            r.SoundFile = "waves.wav";
            r.Loop = 1;
        } else if (c == 5) {
            r.NoAction = false;
            r.StopSound = true;
        }
        out.append(r);
    }
    return out;
}

void expectSame(const FrameProperties &a, const FrameProperties &b) {
    EXPECT_EQ(a.BackgroundKind, b.BackgroundKind);
    EXPECT_EQ(a.Background, b.Background);
    EXPECT_EQ(a.Tiled, b.Tiled);
    EXPECT_EQ(a.StopMidi, b.StopMidi);
    EXPECT_EQ(a.MidiFile, b.MidiFile);
    EXPECT_EQ(a.TimerEnabled, b.TimerEnabled);
    EXPECT_EQ(a.TimerSeconds, b.TimerSeconds);
    EXPECT_EQ(a.TimerFrame, b.TimerFrame);
    EXPECT_EQ(a.VideoFile, b.VideoFile);
    EXPECT_EQ(a.WaitVideo, b.WaitVideo);
    EXPECT_EQ(a.StopWav, b.StopWav);
    EXPECT_EQ(a.StopMp3, b.StopMp3);
    EXPECT_EQ(a.Mp3File, b.Mp3File);
    EXPECT_EQ(a.VideoFullScreen, b.VideoFullScreen);
    EXPECT_EQ(a.VideoAtPosition, b.VideoAtPosition);
    EXPECT_EQ(a.VideoLeft, b.VideoLeft);
    EXPECT_EQ(a.VideoTop, b.VideoTop);
    EXPECT_EQ(a.VideoWidth, b.VideoWidth);
    EXPECT_EQ(a.VideoHeight, b.VideoHeight);
}

} // namespace

TEST(FramePropertiesTest, WhatIsReadIsWrittenBackAndCancelWritesNothing) {
    FrameProject fp;
    const FrameFiles files(fp.p.paths(), fp.mode());
    ASSERT_TRUE(files.saveProperties("Shore", everything(), someChannels()));
    const QByteArray fme = fp.p.read("Frames/Shore.fme");
    const QByteArray chn = fp.p.read("Frames/Shore.chn");
    {
        frmFrameProperties dialog(fp.project);
        ASSERT_TRUE(dialog.LoadFrameProperties("Shore"));
        EXPECT_EQ(dialog.txtName->text(), "Shore");
        EXPECT_EQ(dialog.txtPath->text(), fp.p.path("Frames/Shore.fme"));
        EXPECT_TRUE(dialog.Option1[1]->isChecked());
        EXPECT_EQ(dialog.Combo1->currentText(), "room.bmp");
        EXPECT_EQ(dialog.Combo3->itemText(0), "[Last visited frame]");
        EXPECT_EQ(dialog.Combo3->currentText(), "Hall");
        EXPECT_TRUE(dialog.ChannelsOption[3 * 1 + 2]->isChecked());
        EXPECT_TRUE(dialog.ChannelsOption[3 * 5 + 1]->isChecked());
        EXPECT_TRUE(dialog.FrameSolidColor->isHidden());
        EXPECT_FALSE(dialog.FrameVideoPosition->isHidden());
        EXPECT_FALSE(dialog.ChannelsCombo[1]->isHidden());
        EXPECT_TRUE(dialog.ChannelsCombo[0]->isHidden());
        dialog.CheckTILED->setChecked(false);
        dialog.reject();
    }
    EXPECT_EQ(fp.p.read("Frames/Shore.fme"), fme);
    {
        AnsweredEditor editor;
        frmFrameProperties dialog(fp.project);
        ASSERT_TRUE(dialog.LoadFrameProperties("Shore"));
        dialog.confirm();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(editor.boxes.isEmpty()) << editor.texts().join("|").toStdString();
    }
    FrameProperties back;
    ASSERT_TRUE(files.readProperties("Shore", back));
    expectSame(back, everything());
    EXPECT_EQ(fp.p.read("Frames/Shore.chn"), chn);

    // A colour frame keeps its colour.
    FrameProperties solid;
    solid.Background = QString::number(0x3366CC);
    ASSERT_TRUE(files.saveProperties("Hall", solid, {}));
    frmFrameProperties dialog(fp.project);
    ASSERT_TRUE(dialog.LoadFrameProperties("Hall"));
    EXPECT_EQ(dialog.colour(), 0x3366CC);
    dialog.setColour(0x00FF00);
    ASSERT_TRUE(dialog.SaveFrameProperties("Hall"));
    ASSERT_TRUE(files.readProperties("Hall", back));
    EXPECT_EQ(back.BackgroundKind, 0);
    EXPECT_EQ(back.backgroundColor(), 0x00FF00);
}

TEST(FramePropertiesTest, ChecksInOrderWithTheirMessagesAndTabs) {
    struct Case {
        const char *what;
        std::function<void(frmFrameProperties &)> set;
        int tab; // -1: valid
        QString message;
    };
    const QString duration = "Please enter a valid duration and select a valid frame.\n\nNote: "
                             "For floating-point values, use \".\" instead of \",\".";
    auto video = [](const char *l, const char *t, const char *w, const char *h) {
        return [=](frmFrameProperties &d) {
            d.CheckVideo->setChecked(true);
            d.Combo4->setEditText("intro.avi");
            d.OptionVideo[1]->setChecked(true);
            const char *v[] = {l, t, w, h};
            for (int i = 0; i < 4; ++i)
                d.txtVideo[i]->setText(QString::fromLatin1(v[i]));
        };
    };
    const Case cases[] = {
        {"a picture frame without a picture, and no MIDI file either",
         [](frmFrameProperties &d) {
             d.Option1[1]->setChecked(true);
             d.Combo1->setEditText("");
             d.CheckPLAYMIDI->setChecked(true);
             d.Combo2->setEditText("");
         },
         0, "Please select a valid picture."},
        {"a timer of 0,5 seconds",
         [](frmFrameProperties &d) {
             d.CheckTIMER->setChecked(true);
             d.txtSeconds->setText("0,5");
             d.Combo3->setEditText("Hall");
         },
         1, duration},
        {"a timer without a frame",
         [](frmFrameProperties &d) {
             d.CheckTIMER->setChecked(true);
             d.txtSeconds->setText("0.5");
             d.Combo3->setEditText("");
         },
         1, duration},
        {"a video without a file",
         [](frmFrameProperties &d) {
             d.CheckVideo->setChecked(true);
             d.Combo4->setEditText("");
         },
         1, "Please select a valid video file."},
        {"MIDI without a file",
         [](frmFrameProperties &d) {
             d.CheckPLAYMIDI->setChecked(true);
             d.Combo2->setEditText("");
         },
         2, "Please select a valid MIDI file."},
        {"MP3 without a file",
         [](frmFrameProperties &d) {
             d.CheckPLAYMP3->setChecked(true);
             d.Combo6->setEditText("");
         },
         2, "Please select a valid MP3 file."},
        {"a video at left 700", video("700", "0", "100", "100"), 1,
         "Video coordinates are bigger than project resolution (screen size)."},
        {"a video at left 600, 400 wide", video("600", "0", "400", "100"), -1, ""},
        {"a video above the screen", video("0", "-1", "100", "100"), 1,
         "Please enter valid video coordinates."},
        {"a video of no width", video("0", "0", "0", "100"), 1,
         "Please enter valid video width and height."},
        {"a quote in a coordinate", video("1\"", "0", "100", "100"), 1,
         "You cannot use quotation marks: \""},
        {"a channel to play without a sound",
         [](frmFrameProperties &d) {
             d.ChannelsOption[3 * 4 + 2]->setChecked(true);
             d.ChannelsCombo[4]->setEditText("");
         },
         3,
         "You have chosen to play a .WAV sound but you have not selected any valid file. If the "
         "sound you want to be played is not in the lists, click 'Add .wav sound to lists...'"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        FrameProject fp;
        AnsweredEditor editor;
        frmFrameProperties dialog(fp.project);
        ASSERT_TRUE(dialog.LoadFrameProperties("Shore"));
        const QByteArray before = fp.p.read("Frames/Shore.fme");
        c.set(dialog);
        dialog.confirm();
        if (c.tab < 0) {
            EXPECT_TRUE(editor.boxes.isEmpty()) << editor.texts().join("|").toStdString();
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            continue;
        }
        EXPECT_EQ(editor.texts(), QStringList{c.message});
        EXPECT_EQ(dialog.SSTab1->currentIndex(), c.tab);
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(fp.p.read("Frames/Shore.fme"), before);
    }
}

TEST(FramePropertiesTest, LinkedBoxesFilesAndTheSingleChannelTab) {
    FrameProject fp(true);
    AnsweredEditor editor;
    frmFrameProperties dialog(fp.project);
    ASSERT_TRUE(dialog.LoadFrameProperties("Shore"));
    EXPECT_TRUE(dialog.FrameChannels->isHidden());
    EXPECT_FALSE(dialog.OptionPlaySound->isHidden());
    EXPECT_FALSE(dialog.CheckSTOPMIDI->isChecked());
    dialog.CheckVideo->click();
    EXPECT_TRUE(dialog.CheckSTOPMIDI->isChecked());
    EXPECT_FALSE(dialog.FrameVideo->isHidden());

    // Browse copies into the project; Remove asks, then deletes.
    TestProject outside;
    const QString tide = outside.writeRaw("tide.wav", "wave");
    dialog.addFile(frmFrameProperties::Kind::Sound, tide, dialog.Combo5);
    EXPECT_EQ(fp.p.read("Areas/tide.wav"), "wave");
    EXPECT_EQ(dialog.Combo5->currentText(), "tide.wav");
    dialog.OptionPlaySound->click();
    dialog.CheckVideo->click();
    ASSERT_TRUE(dialog.SaveFrameProperties("Shore"));
    ChannelFile channels;
    ASSERT_TRUE(FrameFiles(fp.p.paths(), SoundMode::SingleChannel).readChannels("Shore", channels));
    ASSERT_EQ(channels.Channels.size(), 1);
    EXPECT_TRUE(channels.Channels[0].PlaySound);
    EXPECT_EQ(channels.Channels[0].SoundFile, "tide.wav");

    editor.answers = {Answer::No, Answer::Yes};
    dialog.Combo1->setEditText("room.bmp");
    dialog.removeFile(frmFrameProperties::Kind::Picture, dialog.Combo1);
    EXPECT_TRUE(fp.p.exists("Frames/room.bmp"));
    dialog.Combo1->setEditText("room.bmp");
    dialog.removeFile(frmFrameProperties::Kind::Picture, dialog.Combo1);
    EXPECT_FALSE(fp.p.exists("Frames/room.bmp"));
    EXPECT_EQ(dialog.Combo1->findText("room.bmp"), -1);
    EXPECT_EQ(editor.texts(), QStringList(2, "Do you really want to remove 'room.bmp' ?"));
}

TEST(FramePropertiesTest, PlayPlaysTheChosenFileUntilPressedAgainOrTheDialogCloses) {
    struct FixedClock : MediaClock {
        QDateTime now() const override { return QDateTime(QDate(2026, 3, 1), QTime(10, 7, 30)); }
    } clock;
    FrameProject fp;
    ASSERT_TRUE(
        FrameFiles(fp.p.paths(), fp.mode()).saveProperties("Shore", everything(), someChannels()));
    RecordingMediaBackend media(&clock);
    AnsweredEditor editor;
    frmFrameProperties dialog(fp.project);
    ASSERT_TRUE(dialog.LoadFrameProperties("Shore"));
    QPushButton *midi = dialog.playButton(dialog.Combo2);
    QPushButton *mp3 = dialog.playButton(dialog.Combo6);
    QPushButton *video = dialog.playButton(dialog.Combo4);
    QPushButton *wave = dialog.playButton(dialog.ChannelsCombo[1]);
    ASSERT_TRUE(midi && mp3 && video && wave && dialog.playButton(dialog.Combo5));
    EXPECT_EQ(dialog.playButton(dialog.Combo1), nullptr) << "pictures show in the preview";
    EXPECT_FALSE(midi->isEnabled()) << "nothing to play through yet";
    dialog.setMedia(&media);
    EXPECT_TRUE(midi->isEnabled());
    EXPECT_EQ(midi->accessibleName(), "Play MIDI music");
    const QString frames = fp.p.paths().FramesPath();
    const QString areas = fp.p.paths().AreasPath();

    midi->click();
    EXPECT_EQ(media.takeLog(), (QStringList{"Open \"" + frames +
                                                "tune.mid\" ALIAS mid7 TYPE "
                                                "Sequencer wait",
                                            "Play mid7"}));
    EXPECT_EQ(midi->text(), "Stop");
    EXPECT_EQ(midi->accessibleName(), "Stop MIDI music");
    midi->click();
    EXPECT_EQ(media.takeLog(), (QStringList{"Stop mid7", "Close mid7"}));
    EXPECT_EQ(midi->text(), "Play");

    // Another list's Play first stops what plays.
    midi->click();
    media.takeLog();
    wave->click();
    EXPECT_EQ(media.takeLog(),
              (QStringList{"Stop mid7", "Close mid7",
                           "Open \"" + areas + "waves.wav\" ALIAS wav7 TYPE Waveaudio wait",
                           "Play wav7"}));
    EXPECT_EQ(midi->text(), "Play");
    EXPECT_EQ(wave->text(), "Stop");
    mp3->click();
    EXPECT_EQ(media.takeLog(), (QStringList{"Stop wav7", "Close wav7", "mp3stop",
                                            "mp3gettime \"" + frames + "theme.mp3\"",
                                            "mp3play \"" + frames + "theme.mp3\""}));
    mp3->click();
    EXPECT_EQ(media.takeLog(), QStringList{"mp3stop"});

    // Nothing chosen, or a file that is gone: a message and no command.
    dialog.ChannelsCombo[1]->setEditText("");
    wave->click();
    dialog.ChannelsCombo[1]->setEditText("gone.wav");
    wave->click();
    EXPECT_EQ(
        editor.texts(),
        (QStringList{"Select the file you want to play.",
                     "File Not Found '" + QDir::toNativeSeparators(areas + "gone.wav") + "'."}));
    EXPECT_TRUE(media.takeLog().isEmpty());
    EXPECT_EQ(wave->text(), "Play");

    // A video plays inside the dialog; closing the dialog stops it.
    EXPECT_TRUE(dialog.videoSurface()->isHidden());
    video->click();
    const QStringList opened = media.takeLog();
    ASSERT_EQ(opened.size(), 2);
    const QString head = "Open \"" + frames + "intro.avi\" ALIAS ";
    const QString tail = " TYPE AviVideo wait parent " +
                         QString::number(dialog.videoSurface()->winId()) + " style child";
    ASSERT_TRUE(opened[0].startsWith(head) && opened[0].endsWith(tail)) << opened[0].toStdString();
    const QString alias = opened[0].mid(head.size(), opened[0].size() - head.size() - tail.size());
    EXPECT_EQ(opened[1], "play " + alias);
    EXPECT_FALSE(dialog.videoSurface()->isHidden());
    dialog.reject();
    EXPECT_EQ(media.takeLog(), (QStringList{"Stop " + alias, "Close " + alias}));
    EXPECT_TRUE(dialog.videoSurface()->isHidden());
    EXPECT_EQ(video->text(), "Play");

    // A file that ends by itself (the recording back end reports every file as stopped) gives
    // its button back its "Play" caption without a press.
    dialog.show();
    dialog.ChannelsCombo[1]->setEditText("waves.wav");
    wave->click();
    EXPECT_EQ(wave->text(), "Stop");
    for (int i = 0; i < 40 && wave->text() != "Play"; ++i)
        QTest::qWait(50);
    EXPECT_EQ(wave->text(), "Play");
    EXPECT_EQ(wave->accessibleName(), "Play Channel 1 : sound");
}

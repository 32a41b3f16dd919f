// The area properties dialog: the checks in their order with their messages and tabs, the
// variable lists' rules, what it writes read back by the store (and written again unchanged),
// item mode, Cancel, and the pointer panel.

#include "AreaActionTab.h"
#include "AreaAppearanceTab.h"
#include "AreaItemTab.h"
#include "AreaMusicTab.h"
#include "AreaSoundsTab.h"
#include "AreaVariablesTab.h"
#include "DialogControls.h"
#include "EditorItems.h"
#include "EditorTestSupport.h"
#include "GameEngine.h"
#include "MousePointerPanel.h"
#include "RecordingMedia.h"
#include "ScriptHost.h"
#include "VariablePanel.h"
#include "VariableRules.h"
#include "VariablesFile.h"
#include "frmAreaProperties.h"
#include "frmFrameProperties.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <tuple>

using Answer = EngineHost::Answer;

namespace {

struct FakeCanvas : FrameCanvas {
    QMap<int, QRect> rects;
    QList<int> reloaded;
    QRect areaRectTwips(int n) const override { return rects.value(n); }
    bool reloadArea(int n, QString *) override {
        reloaded.append(n);
        return true;
    }
};

// A project with two frames, media of every kind, two items with icons, and area 1 of "Shore"
// on the canvas at (300, 450) sized 1500 x 900 twips.
struct AreaProject {
    TestProject p;
    EditorProject project;
    FrameEditState state;
    FakeCanvas canvas;
    RecordingMediaBackend media;
    explicit AreaProject(bool singleChannel = false) {
        writeProject(p, "Harbour", "Shore", {"Shore", "Hall"});
        for (const char *f :
             {"Frames/tune.mid", "Frames/intro.avi", "Frames/theme.mp3", "Areas/gull.wav",
              "Areas/door.bmp", "Areas/flag.gif", "Areas/FLAG2.GIF"})
            p.writeRaw(f, "data");
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::red);
        for (const char *f : {"Icons/hand.ico", "Icons/eye.cur", "Areas/key.ico"}) {
            p.writeRaw(f, "");
            EXPECT_TRUE(icon.save(p.path(f), "ICO"));
        }
        p.writeLines("Areas/Key.obj", {q("key.ico")});
        p.writeLines("Areas/Rope.obj", {q("key.ico")});
        EXPECT_TRUE(writeVariablesFile(p.path("Config/Variables"), {"Door01", "Lamp"}));
        project.paths = p.paths();
        project.general.ScreenWidth = 640;
        project.general.ScreenHeight = 480;
        project.general.SingleChannelAudio = singleChannel;
        state.project = &project;
        state.frameName = "Shore";
        state.CurrentAreaNumber = "1";
        canvas.rects[1] = QRect(300, 450, 1500, 900);
    }
    SoundMode mode() const {
        return project.general.SingleChannelAudio ? SoundMode::SingleChannel
                                                  : SoundMode::MultiChannel;
    }
    AreaFiles files() const { return AreaFiles(project.paths, mode(), "Shore"); }
    // The dialog as the canvas opens it.
    std::unique_ptr<frmAreaProperties> open(int type, bool load) {
        auto d = std::make_unique<frmAreaProperties>(state, &canvas, media);
        d->SetType(type);
        if (load)
            type == 0 ? d->LoadAreaProperties() : d->LoadObjectOnArea();
        d->RefreshEnabled();
        return d;
    }
};

void tick(QCheckBox *c) {
    c->setChecked(true);
}

} // namespace

TEST(AreaPropertiesTest, ChecksInOrderWithTheirMessagesAndTabs) {
    using Set = std::function<void(frmAreaProperties &)>;
    struct Case {
        const char *what;
        Set set;
        int tab; // -1: valid
        QString message;
        QList<Answer> answers = {};
    };
    auto video = [](const char *x, const char *y, const char *w, const char *h) {
        return [=](frmAreaProperties &d) {
            tick(d.action()->playVideoOption());
            d.action()->videoList()->setEditText("intro.avi");
            d.action()->coordinatesOption()->setChecked(true);
            const char *v[] = {x, y, w, h};
            for (int i = 0; i < 4; ++i)
                d.action()->videoField(i)->setText(QString::fromLatin1(v[i]));
        };
    };
    const QString quote = "You cannot use quotation marks: \"";
    const QString coordinates =
        "Video coordinates are bigger than project resolution (screen size).";
    const QString size = "Please enter valid video width and height.";
    const QString caution =
        "Caution: you have selected the option 'Close the program (go to the main menu)'. If you "
        "are creating a game, make sure players are warned about it before it happens, so that "
        "they can save their game and avoid restarting from the beginning.\r\rDo you want to "
        "continue?";
    const Case cases[] = {
        {"a picture without a picture, and a frame without a frame",
         [](frmAreaProperties &d) {
             d.appearance()->pictureOption()->setChecked(true);
             tick(d.action()->goToFrameOption());
             d.action()->frameList()->setEditText("");
         },
         0,
         "You have chosen to use a picture for the area background but you have not selected any "
         "valid picture."},
        {"go to no frame, and an empty message",
         [](frmAreaProperties &d) {
             tick(d.action()->goToFrameOption());
             d.action()->frameList()->setEditText("");
             tick(d.action()->showTextOption());
         },
         1, "You have chosen to go to another frame but you have not selected any valid frame."},
        {"an empty message, and no MP3",
         [](frmAreaProperties &d) {
             tick(d.action()->showTextOption());
             tick(d.music()->playMp3Option());
             d.music()->mp3List()->setEditText("");
         },
         1, "You have chosen to display a text message but you have not entered any text."},
        {"no MP3, and no MIDI",
         [](frmAreaProperties &d) {
             tick(d.music()->playMp3Option());
             d.music()->mp3List()->setEditText("");
             tick(d.music()->playMidiOption());
             d.music()->midiList()->setEditText("");
         },
         4, "You have chosen to play MP3 sound but you have not selected any valid file."},
        {"no MIDI, and no video",
         [](frmAreaProperties &d) {
             tick(d.music()->playMidiOption());
             d.music()->midiList()->setEditText("");
             tick(d.action()->playVideoOption());
             d.action()->videoList()->setEditText("");
         },
         4, "You have chosen to play MIDI music but you have not selected any valid file."},
        {"no video, and no item",
         [](frmAreaProperties &d) {
             tick(d.action()->playVideoOption());
             d.action()->videoList()->setEditText("");
             tick(d.item()->pickItemOption());
             d.item()->itemList()->setEditText("");
         },
         1, "You have chosen to play a video but you have not selected any valid video file."},
        {"no item, and close with go to",
         [](frmAreaProperties &d) {
             tick(d.item()->pickItemOption());
             d.item()->itemList()->setEditText("");
             tick(d.action()->closeProgramOption());
             tick(d.action()->goToFrameOption());
             d.action()->frameList()->setEditText("Hall");
         },
         3, "You have chosen to pick up an item but you have not selected any valid item."},
        {"close and go to: refused before the caution question",
         [](frmAreaProperties &d) {
             tick(d.action()->closeProgramOption());
             tick(d.action()->goToFrameOption());
             d.action()->frameList()->setEditText("Hall");
         },
         1, "You cannot close the program and go to another frame at the same time."},
        {"close, not confirmed",
         [](frmAreaProperties &d) { tick(d.action()->closeProgramOption()); },
         1,
         caution,
         {Answer::No}},
        {"close, confirmed, then a message with a quote",
         [](frmAreaProperties &d) {
             tick(d.action()->closeProgramOption());
             tick(d.action()->showTextOption());
             d.action()->messageText()->setText("say \"hi\"");
         },
         1,
         caution + "|" + quote,
         {Answer::Yes}},
        {"a quote in a video field", video("1\"", "0", "100", "100"), 1, quote},
        {"left equal to the screen width", video("640", "0", "100", "100"), -1, ""},
        {"left one more", video("641", "0", "100", "100"), 1, coordinates},
        {"top one more than the height", video("0", "481", "100", "100"), 1, coordinates},
        {"left below minus the width", video("-641", "0", "100", "100"), 1,
         "Please enter valid video coordinates."},
        {"sizes 10 and 2049", video("0", "0", "10", "2049"), -1, ""},
        {"width 9", video("0", "0", "9", "100"), 1, size},
        {"height 2050", video("0", "0", "100", "2050"), 1, size},
        {"no leading number reads 0", video("0", "0", "abc", "100"), 1, size},
        {"a channel plays no sound",
         [](frmAreaProperties &d) {
             d.sounds()->channelOption(6, 2)->setChecked(true);
             d.sounds()->channelList(6)->setEditText("");
         },
         5,
         "You have chosen to play a .WAV sound but you have not selected any valid file. If the "
         "sound you want to be played is not in the lists, click 'Add .wav sound to lists...'"},
    };
    AreaProject ap;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        AnsweredEditor editor;
        editor.answers = c.answers;
        auto d = ap.open(0, false);
        c.set(*d);
        d->RefreshEnabled();
        EXPECT_EQ(d->CheckValidity(), c.tab < 0);
        EXPECT_EQ(editor.texts().join("|"), c.message);
        if (c.tab >= 0) {
            EXPECT_EQ(d->tabs()->currentIndex(), c.tab);
        }
    }

    // Single-channel projects check their one sound; a quote in an unticked message is dropped.
    AreaProject single(true);
    AnsweredEditor editor;
    auto d = single.open(0, false);
    EXPECT_TRUE(d->sounds()->channelsPanel()->isHidden());
    tick(d->sounds()->playSoundOption());
    d->sounds()->soundList()->setEditText("");
    d->action()->messageText()->setText("a \" b");
    EXPECT_FALSE(d->CheckValidity());
    EXPECT_EQ(editor.texts(), QStringList{"You have chosen to play a .WAV sound but you have not "
                                          "selected any valid file."});
    EXPECT_EQ(d->tabs()->currentIndex(), 5);
    EXPECT_EQ(d->action()->messageText()->text(), "");
}

TEST(AreaPropertiesTest, VariableListsKeepOneEntryPerGroupAndProposeNames) {
    struct Proposal {
        QString selected;
        QStringList existing;
        QString expected;
    };
    const Proposal proposals[] = {
        {"", {}, "Variable01"},
        {"ab", {"Variable01"}, "Variable02"},
        {"Door01", {"Door01", "Door02"}, "Door03"},
        {"Door123", {}, "Door101"},
        {"Lamp", {"Lamp01"}, "Lamp02"},
    };
    for (const Proposal &p : proposals)
        EXPECT_EQ(VariableRules::proposeName(p.selected, p.existing), p.expected)
            << p.selected.toStdString();

    AreaProject ap;
    AnsweredEditor editor;
    auto d = ap.open(0, false);
    auto add = [&](int list, int row) {
        d->showVariablePanel(list);
        EXPECT_TRUE(d->tabs()->isHidden());
        d->variablePanel()->list()->setCurrentRow(row);
        d->addSelectedVariable();
        EXPECT_FALSE(d->tabs()->isHidden());
    };
    add(0, 0); // Door01 must be 0
    add(1, 0); // ...and 1: same group, refused
    add(3, 0); // must become 1: the other group, allowed
    add(2, 0); // must become 0 as well: refused
    EXPECT_EQ(editor.texts(), QStringList(2, "The selected variable is already on a list."));
    EXPECT_EQ(d->variables()->list(0)->count(), 1);
    EXPECT_EQ(d->variables()->list(1)->count(), 0);
    EXPECT_EQ(d->variables()->list(3)->count(), 1);
    EXPECT_EQ(d->variables()->list(2)->count(), 0);

    // Create New... proposes from the selection and refuses quotes and names in use.
    editor.boxes.clear();
    d->variablePanel()->list()->setCurrentRow(0);
    QString proposed;
    EditorMessages::setInputAnswerer([&](const QString &, const QString &, const QString &s) {
        proposed = s;
        return editor.inputs.isEmpty() ? QString() : editor.inputs.takeFirst();
    });
    editor.inputs = {"Lamp", "a\"b", "Bell"};
    d->createVariable();
    EXPECT_EQ(proposed, "Door02");
    d->createVariable();
    d->createVariable();
    EXPECT_EQ(editor.texts(),
              (QStringList{"A variable with the name you specified already exists. Specify a "
                           "different name.",
                           "You cannot use quotation marks: \""}));
    d->variablePanel()->list()->setCurrentRow(1); // Lamp
    d->removeAvailableVariable();
    d->variablePanel()->list()->clearSelection();
    d->removeFromList(4);
    EXPECT_EQ(editor.texts().last(), "Please select the variable you want to remove.");
}

TEST(AreaPropertiesTest, WhatIsSavedIsReadBackAndWrittenAgainUnchanged) {
    AreaProject ap;
    AnsweredEditor editor;
    {
        auto d = ap.open(0, false);
        // Opened for a new area, the video position is the area's reacting rectangle.
        EXPECT_EQ(d->action()->videoField(0)->text(), "22");
        EXPECT_EQ(d->action()->videoField(2)->text(), "96");
        d->appearance()->pictureOption()->setChecked(true);
        d->appearance()->pictureList()->setEditText("flag.gif");
        d->RefreshEnabled();
        EXPECT_TRUE(d->appearance()->animatedGifOption()->isEnabled());
        tick(d->appearance()->animatedGifOption());
        d->RefreshEnabled();
        EXPECT_FALSE(d->appearance()->stretchOption()->isEnabled());
        EXPECT_FALSE(d->appearance()->speedPanel()->isHidden());
        d->appearance()->speedSlider()->setValue(30);
        d->appearance()->pointerName()->setText("hand.ico");
        tick(d->variables()->visibleIfOption());
        d->variables()->list(1)->addItem("Lamp");
        tick(d->action()->goBackOption());
        d->RefreshEnabled();
        EXPECT_FALSE(d->action()->goToFrameOption()->isEnabled());
        tick(d->action()->showTextOption());
        d->action()->messageText()->setText("A gull cries.");
        d->action()->popupWindowOption()->setChecked(true);
        tick(d->action()->playVideoOption());
        d->action()->videoList()->setEditText("intro.avi");
        d->action()->coordinatesOption()->setChecked(true);
        tick(d->music()->playMidiOption());
        d->music()->midiList()->setEditText("tune.mid");
        tick(d->variables()->changeVariablesOption());
        d->variables()->list(2)->addItem("Door01");
        d->variables()->list(4)->addItem("Lamp");
        tick(d->item()->pickItemOption());
        d->item()->itemList()->setEditText("Key");
        d->sounds()->channelOption(2, 2)->setChecked(true);
        d->sounds()->channelList(2)->setEditText("gull.wav");
        tick(d->sounds()->loopOption(2));
        d->sounds()->channelOption(4, 1)->setChecked(true);
        d->confirm();
        EXPECT_EQ(d->result(), QDialog::Accepted);
    }
    EXPECT_TRUE(editor.boxes.isEmpty()) << editor.texts().join("|").toStdString();
    EXPECT_EQ(ap.state.CurrentAreaNumber, "0");
    EXPECT_EQ(ap.canvas.reloaded, QList<int>{1});
    Area a;
    ASSERT_TRUE(ap.files().load(1, a));
    EXPECT_EQ(QRectF(a.look.Left, a.look.Top, a.look.Width, a.look.Height),
              QRectF(300, 450, 1500, 900));
    EXPECT_TRUE(a.look.HasPicture);
    EXPECT_EQ(a.look.PictureFile, "flag.gif");
    EXPECT_EQ(a.look.IsAnimatedGif, 1);
    EXPECT_EQ(a.look.Stretch, 0);
    EXPECT_EQ(a.look.MousePointer, "hand.ico");
    EXPECT_EQ(a.look.VisibleIf, 1);
    EXPECT_EQ(a.look.OneList, QStringList{"Lamp"});
    EXPECT_EQ(a.action.GoBack, 1);
    EXPECT_EQ(a.action.GoToFrame, 0);
    EXPECT_EQ(a.action.TextMessage, "A gull cries.");
    EXPECT_EQ(a.action.TextOnBackground, 0);
    EXPECT_EQ(a.action.VideoFile, "intro.avi");
    EXPECT_TRUE(a.action.VideoAtPosition);
    EXPECT_EQ(
        QRectF(a.action.VideoLeft, a.action.VideoTop, a.action.VideoWidth, a.action.VideoHeight),
        QRectF(22, 32, 96, 56));
    EXPECT_EQ(a.action.MidiFile, "tune.mid");
    EXPECT_EQ(a.action.ChangeVariables, 1);
    EXPECT_EQ(a.action.SetZeroList, QStringList{"Door01"});
    EXPECT_EQ(a.action.InvertList, QStringList{"Lamp"});
    EXPECT_EQ(a.item.PickItem, 1);
    EXPECT_EQ(a.item.ItemName, "Key");
    EXPECT_EQ(a.item.GifSpeed, 30);
    ASSERT_EQ(a.sounds.size(), 8);
    EXPECT_TRUE(a.sounds[2].PlaySound);
    EXPECT_EQ(a.sounds[2].SoundFile, "gull.wav");
    EXPECT_EQ(a.sounds[2].Loop, 1);
    EXPECT_TRUE(a.sounds[4].StopSound);

    // Loaded and confirmed again, every file comes out byte for byte the same.
    QMap<QString, QByteArray> before;
    for (const char *f : {"a.dat", "b.dat", "c.dat", "d.dat"})
        before[f] = ap.p.read(QStringLiteral("Areas/Shore/1") + f);
    {
        ap.state.CurrentAreaNumber = "1";
        auto d = ap.open(0, true);
        EXPECT_EQ(d->appearance()->pointerName()->text(), "hand.ico");
        EXPECT_FALSE(d->appearance()->pointerPicture()->pixmap().isNull());
        d->confirm();
    }
    for (auto i = before.cbegin(); i != before.cend(); ++i)
        EXPECT_EQ(ap.p.read(QStringLiteral("Areas/Shore/1") + i.key()), i.value())
            << i.key().toStdString();
    EXPECT_TRUE(editor.boxes.isEmpty()) << editor.texts().join("|").toStdString();
}

TEST(AreaPropertiesTest, ItemModeWritesTheDropEventAndCancelOnlyTheVariables) {
    AreaProject ap;
    AnsweredEditor editor;
    ap.state.DraggedItemName = "Key";
    {
        auto d = ap.open(1, true); // no event yet: the defaults
        EXPECT_EQ(d->tabs()->currentIndex(), 1);
        EXPECT_FALSE(d->tabs()->isTabEnabled(0));
        EXPECT_FALSE(d->tabs()->isTabEnabled(3));
        EXPECT_TRUE(d->variables()->visibleIfOption()->isHidden());
        EXPECT_EQ(d->action()->hideOption()->text(),
                  "Remove the dragged item from the user's inventory.");
        EXPECT_EQ(d->action()->heading()->text(),
                  "What to do when the item is dragged onto this area:");
        tick(d->action()->hideOption());
        tick(d->action()->goToFrameOption());
        d->action()->frameList()->setEditText("Hall");
        d->sounds()->channelOption(0, 2)->setChecked(true);
        d->sounds()->channelList(0)->setEditText("gull.wav");
        d->confirm();
    }
    EXPECT_FALSE(ap.p.exists("Areas/Shore/1a.dat"));
    DropEvent e;
    ASSERT_TRUE(ap.files().readDropEvent(1, "Key", e));
    EXPECT_EQ(e.action.HideOrRemove, 1);
    EXPECT_EQ(e.action.TargetFrame, "Hall");
    EXPECT_EQ(e.sounds.value(0).SoundFile, "gull.wav");
    {
        ap.state.CurrentAreaNumber = "1";
        auto d = ap.open(1, true);
        EXPECT_TRUE(d->action()->hideOption()->isChecked());
        EXPECT_EQ(d->action()->frameList()->currentText(), "Hall");
        EXPECT_TRUE(d->sounds()->channelOption(0, 2)->isChecked());
    }

    // Cancel on a new area: no area file, the count untouched, the variables still written.
    ap.state.DraggedItemName.clear();
    ap.state.CurrentAreaNumber = "2";
    const QByteArray drg = ap.p.read("Areas/Shore/1_Key.drg");
    {
        auto d = ap.open(0, false);
        editor.inputs = {"Bell"};
        d->createVariable();
        tick(d->action()->showTextOption());
        d->action()->messageText()->setText("never written");
        d->close(); // the close box acts as Cancel
    }
    EXPECT_EQ(ap.state.CurrentAreaNumber, "cancel");
    EXPECT_FALSE(ap.p.exists("Areas/Shore/2a.dat"));
    EXPECT_FALSE(ap.p.exists("Areas/Shore/2b.dat"));
    EXPECT_EQ(ap.p.read("Areas/Shore/1_Key.drg"), drg);
    QStringList variables;
    ASSERT_TRUE(readVariablesFile(ap.p.path("Config/Variables"), variables));
    EXPECT_EQ(variables, (QStringList{"Door01", "Lamp", "Bell"}));
    EXPECT_TRUE(editor.boxes.isEmpty()) << editor.texts().join("|").toStdString();
}

TEST(AreaPropertiesTest, PicturesPointersAndItemsChosenInTheDialog) {
    AreaProject ap;
    AnsweredEditor editor;
    auto d = ap.open(0, false);
    // Every list with its folder and pattern.
    EXPECT_EQ(d->action()->frameList()->count(), 2);
    EXPECT_EQ(d->appearance()->pictureList()->count(), 4); // door.bmp, flag.gif, FLAG2.GIF, key.ico
    EXPECT_EQ(d->sounds()->soundList()->count(), 1);
    EXPECT_EQ(d->item()->itemList()->count(), 2);
    EXPECT_EQ(d->music()->midiList()->itemText(0), "tune.mid");
    // Only a lower-case ".gif" is an animated GIF.
    d->appearance()->pictureOption()->setChecked(true);
    d->appearance()->pictureList()->setEditText("FLAG2.GIF");
    d->RefreshEnabled();
    EXPECT_FALSE(d->appearance()->animatedGifOption()->isEnabled());
    ASSERT_NE(d->playButton(d->music()->midiList()), nullptr);
    EXPECT_EQ(d->playButton(d->appearance()->pictureList()), nullptr);
    d->music()->midiList()->setCurrentText("tune.mid");
    EXPECT_TRUE(d->playFile(d->music()->midiList()));
    EXPECT_EQ(d->playButton(d->music()->midiList())->text(), "Stop");

    // The pointer panel: chosen, renamed in place keeping the extension, removed.
    QFile::copy(ap.p.path("Icons/hand.ico"), ap.p.path("Icons/bell.ico"));
    d->showPointerPanel();
    EXPECT_TRUE(d->tabs()->isHidden());
    ASSERT_EQ(d->pointerPanel()->list()->count(), 3);
    d->pointerPanel()->list()->setCurrentRow(2);                // hand.ico
    QTest::keyClick(d->pointerPanel()->list(), Qt::Key_Return); // as a double-click does
    EXPECT_TRUE(d->pointerPanel()->isHidden());
    EXPECT_EQ(d->appearance()->pointerName()->text(), "hand.ico");
    // Typed in place over the entry, as the list view's editor does.
    QListWidgetItem *hand = d->pointerPanel()->list()->item(2);
    hand->setText("palm");
    EXPECT_TRUE(ap.p.exists("Icons/palm.ico"));
    EXPECT_EQ(hand->text(), "palm.ico");
    EXPECT_EQ(d->appearance()->pointerName()->text(), "palm.ico");
    hand->setText("bell");
    EXPECT_EQ(hand->text(), "palm.ico");
    EXPECT_TRUE(ap.p.exists("Icons/bell.ico"));
    ASSERT_FALSE(editor.boxes.isEmpty());
    EXPECT_EQ(editor.texts().last(), "Cannot rename 'palm.ico': A file with the name you "
                                     "specified already exists. Specify a different name.");
    d->addPointer(ap.p.path("Icons/eye.cur"));
    EXPECT_EQ(editor.texts().last(), "The selected icon already exists.");
    d->pointerPanel()->list()->setCurrentRow(1); // eye.cur
    editor.answers = {Answer::Yes};
    d->removePointer();
    EXPECT_FALSE(ap.p.exists("Icons/eye.cur"));
    EXPECT_EQ(d->appearance()->pointerName()->text(), "DEFAULT");

    // A file removed from the lists, and an item.
    d->appearance()->pictureList()->setCurrentText("door.bmp");
    editor.answers = {Answer::Yes, Answer::Yes};
    d->removeFile(frmAreaProperties::Kind::Picture, d->appearance()->pictureList());
    EXPECT_FALSE(ap.p.exists("Areas/door.bmp"));
    EXPECT_EQ(d->appearance()->pictureList()->count(), 3);
    d->item()->itemList()->setCurrentText("Rope");
    d->removeItem();
    EXPECT_EQ(editor.boxes.last().text, "Do you really want to remove 'Rope.obj' ?");
    EXPECT_FALSE(ap.p.exists("Areas/Rope.obj"));
    EXPECT_EQ(d->item()->itemList()->count(), 1);
}

TEST(AreaPropertiesTest, PictureAndIconDialogsOfferEveryKindThePlayerShows) {
    AreaProject ap;
    AnsweredEditor editor;
    auto press = [](QWidget *dialog, const QString &name) {
        for (QPushButton *b : dialog->findChildren<QPushButton *>())
            if (b->accessibleName() == name || b->accessibleDescription() == name)
                b->click();
    };
    frmFrameProperties frame(ap.project);
    press(frame.FramePicture, "Browse...");
    press(ap.open(0, false).get(), "Browse Picture");
    editor.inputs = {"Lamp"};
    editor.answers = {Answer::Ok};
    EditorItems::CreateItem(nullptr, ap.p.paths()); // the new item's icon
    ASSERT_EQ(editor.filters.size(), 3);
    for (const QString &filter : editor.filters)
        for (const char *kind :
             {"*.bmp", "*.gif", "*.jpg", "*.jpeg", "*.png", "*.wmf", "*.emf", "*.ico", "*.cur"})
            EXPECT_TRUE(filter.contains(kind)) << filter.toStdString();
}

TEST(AreaPropertiesTest, AnAddedSoundIsChosenOnThePlayingChannelThatHasNone) {
    AreaProject ap;
    AnsweredEditor editor;
    const QString tide = ap.p.writeRaw("outside/tide.wav", "wave");
    frmFrameProperties frame(ap.project);
    auto area = ap.open(0, false);
    const std::tuple<QComboBox *const *, QRadioButton *const *, QPushButton *> dialogs[] = {
        {frame.ChannelsCombo, frame.ChannelsOption, frame.Command24},
        {area->sounds()->channelLists(), area->sounds()->channelOptions(),
         area->sounds()->addSoundButton()}};
    for (const auto &[lists, options, add] : dialogs) {
        editor.files = {tide};
        options[3 * 0 + 2]->click(); // channel 0 plays gull.wav
        DialogControls::select(lists[0], "gull.wav");
        options[3 * 2 + 2]->click(); // channel 2 plays, no sound yet
        add->click();
        EXPECT_EQ(lists[0]->currentText(), "gull.wav");
        EXPECT_EQ(lists[2]->itemText(lists[2]->currentIndex()), "tide.wav");
    }
}

TEST(AreaPropertiesTest, AnOlderRecordKeepsItsOneVariableAndItsSoundWhenSavedAgain) {
    AreaProject ap;
    AnsweredEditor editor;
    Area area;
    area.look.Width = area.look.Height = 900;
    ASSERT_TRUE(ap.files().save(1, area));
    ap.p.writeLines("Areas/Shore/1b.dat", {"1", q("Lamp"), "#FALSE#", "#TRUE#", "#FALSE#", "0",
                                           q(""), "1", q("gull.wav"), "0", "0", "0", q("")});
    {
        auto d = ap.open(0, true);
        d->confirm();
    }
    Area back;
    ASSERT_TRUE(ap.files().load(1, back));
    EXPECT_EQ(back.action.ChangeVariables, 1);
    EXPECT_EQ(back.action.SetOneList, QStringList{"Lamp"});
    EXPECT_TRUE(back.sounds.value(0).PlaySound);
    EXPECT_EQ(back.sounds.value(0).SoundFile, "gull.wav");
    EXPECT_TRUE(editor.boxes.isEmpty()) << editor.texts().join("|").toStdString();
}

TEST(AreaPropertiesTest, AnAreaMadeInTheDialogPlaysInTheGame) {
    AreaProject ap;
    AnsweredEditor editor;
    {
        auto d = ap.open(0, false);
        tick(d->action()->goToFrameOption());
        d->action()->frameList()->setCurrentText("Hall");
        tick(d->item()->pickItemOption());
        d->item()->itemList()->setCurrentText("Key");
        tick(d->variables()->changeVariablesOption());
        d->showVariablePanel(3);
        d->variablePanel()->list()->setCurrentRow(1); // Lamp must become 1
        d->addSelectedVariable();
        d->confirm();
    }
    ASSERT_TRUE(FrameFiles(ap.project.paths, ap.mode()).writeAreaCount("Shore", 1));
    GeneralInfo general;
    ASSERT_TRUE(readGeneral(ap.p.path("Config/General"), general, GeneralReader::Player));
    ScriptHost host;
    RecordingMediaBackend media(&host);
    GameEngine engine(ap.project.paths, general, CustomTexts(), media, host);
    host.setEngine(&engine);
    engine.StartNewGame();
    ASSERT_EQ(engine.currentFrame(), "Shore");
    engine.AreaClick(1, 1);
    EXPECT_EQ(engine.currentFrame(), "Hall");
    ASSERT_EQ(engine.scene().inventory.size(), 1);
    EXPECT_EQ(engine.scene().inventory[0].name, "Key");
    EXPECT_EQ(engine.variables().GetVariableValue("Lamp"), 1);
    EXPECT_EQ(engine.variables().GetVariableValue("Door01"), 0);
    EXPECT_TRUE(host.takeReports().isEmpty());
}

TEST(AreaPropertiesTest, AnUnreadableVariablesListIsKeptUnlessTheAuthorChangesIt) {
    AreaProject ap;
    ap.p.writeLines("Config/Variables", {"40000", q("Lamp")});
    const QByteArray damaged = ap.p.read("Config/Variables");
    AnsweredEditor editor;
    ap.open(0, false)->cancel();
    EXPECT_EQ(editor.texts(), QStringList{"Error while loading project variables."});
    EXPECT_EQ(ap.p.read("Config/Variables"), damaged);
    {
        auto d = ap.open(0, false);
        editor.inputs = {"Bell"};
        d->createVariable();
        d->cancel();
    }
    QStringList variables;
    ASSERT_TRUE(readVariablesFile(ap.p.path("Config/Variables"), variables));
    EXPECT_EQ(variables, QStringList{"Bell"});
}

// Area files: a/b/c/d.dat, drop events, moving and removing areas, and the action record.

#include "AreaFiles.h"
#include "ActionRecord.h"
#include "FrameFiles.h"
#include "TestProject.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

const QString kFrame = QStringLiteral("Hall");

// Forty lines of an action record as the editor writes them, then the three lists.
QStringList fullActionRecord() {
    return {QStringLiteral("1"),      // ChangeVariables
            q(QStringLiteral("old")), // LegacyVariable
            QStringLiteral("#FALSE#"),
            QStringLiteral("#TRUE#"),
            QStringLiteral("#FALSE#"),
            QStringLiteral("1"),                   // ShowText
            q(QStringLiteral("Hello, traveller")), // TextMessage
            QStringLiteral("0"),                   // LegacyPlaySound
            q(QString()),                          // LegacySoundFile
            QStringLiteral("1"),                   // HideOrRemove
            QStringLiteral("0"),                   // CloseProgram
            QStringLiteral("1"),                   // GoToFrame
            q(QStringLiteral("Garden")),           // 13 TargetFrame
            QStringLiteral("1"),                   // StopMidi
            QStringLiteral("1"),                   // StopWav
            QStringLiteral("1"),                   // PlayVideo
            q(QStringLiteral("clip.avi")),         // VideoFile
            QStringLiteral("#FALSE#"),             // VideoFullScreen
            QStringLiteral("#TRUE#"),              // VideoAtPosition
            QStringLiteral("10"),
            QStringLiteral("20"),
            QStringLiteral("320"),
            QStringLiteral("240"),         // 23
            QStringLiteral("1"),           // StopMp3
            QStringLiteral("1"),           // PlayMidi
            q(QStringLiteral("tune.mid")), // MidiFile
            QStringLiteral("1"),           // PlayMp3
            q(QStringLiteral("song.mp3")), // 28 Mp3File
            q(QString()),
            q(QString()),
            q(QString()),
            QStringLiteral("1"), // 32 GoBack
            q(QString()),
            q(QString()),
            q(QString()),
            QStringLiteral("1"), // 36 TextOnBackground
            q(QString()),
            q(QString()),
            q(QString()),
            QStringLiteral("1"), // 40 ChangeVariables again
            QStringLiteral("2"),
            q(QStringLiteral("door")),
            q(QStringLiteral("lamp")),
            QStringLiteral("1"),
            q(QStringLiteral("key")),
            QStringLiteral("0")};
}

ChannelRecord playing(const QString &file) {
    ChannelRecord c;
    c.NoAction = false;
    c.PlaySound = true;
    c.SoundFile = file;
    return c;
}

// An area whose every file says which area it was first saved as.
Area numberedArea(int n) {
    Area a;
    a.look.Left = 15 * n;
    a.look.Top = 30.5;
    a.look.Width = 600;
    a.look.Height = 450;
    a.look.IsAnimatedGif = 1;
    a.look.HasPicture = true;
    a.look.PictureFile = QStringLiteral("pic%1.gif").arg(n);
    a.look.Stretch = 1;
    a.look.MousePointer = QStringLiteral("hand.cur");
    a.look.VisibleIf = 1;
    a.look.ZeroList = {QStringLiteral("door"), QString::fromUtf8("lampé")};
    a.look.OneList = {QStringLiteral("key")};
    a.action.ChangeVariables = 1;
    a.action.ChangeVariablesLists = 1;
    a.action.ShowText = 1;
    a.action.TextMessage = QStringLiteral("area %1, clicked").arg(n);
    a.action.GoToFrame = 1;
    a.action.TargetFrame = QStringLiteral("Garden");
    a.action.PlayVideo = 1;
    a.action.VideoFile = QStringLiteral("v.avi");
    a.action.VideoAtPosition = true;
    a.action.VideoLeft = 5;
    a.action.VideoTop = 6;
    a.action.VideoWidth = 640;
    a.action.VideoHeight = 480;
    a.action.PlayMp3 = 1;
    a.action.Mp3File = QStringLiteral("s.mp3");
    a.action.GoBack = 1;
    a.action.TextOnBackground = 1;
    a.action.SetZeroList = {QStringLiteral("a")};
    a.action.SetOneList = {QStringLiteral("b"), QStringLiteral("c")};
    a.action.InvertList = {QStringLiteral("d")};
    a.item.PickItem = 1;
    a.item.ItemName = QStringLiteral("Item%1").arg(n);
    a.item.GifSpeed = 20 + n;
    for (int i = 0; i < 8; ++i)
        a.sounds.append(i == 2 ? playing(QStringLiteral("area%1.wav").arg(n)) : ChannelRecord());
    return a;
}

DropEvent dropEvent(const QString &tag) {
    DropEvent e;
    e.action.ShowText = 1;
    e.action.TextMessage = tag;
    e.action.HideOrRemove = 1;
    e.sounds = {playing(tag + QStringLiteral(".wav"))};
    return e;
}

class AreaFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        p.writeMinimalProject(QStringLiteral("Test"), kFrame);
        QDir().mkpath(p.path(QStringLiteral("Areas/Hall")));
    }
    AreaFiles areas(SoundMode mode = SoundMode::MultiChannel) const {
        return AreaFiles(p.paths(), mode, kFrame);
    }
    FrameFiles frames() const { return FrameFiles(p.paths(), SoundMode::MultiChannel); }
    ActionRecord readRecord(const QStringList &lines) {
        const QString path = p.writeLines(QStringLiteral("Areas/Hall/1b.dat"), lines);
        ActionRecord a;
        const Status s = readActionRecord(path, a);
        EXPECT_TRUE(s.ok()) << s.text().toStdString();
        return a;
    }
    TestProject p;
};

} // namespace

TEST_F(AreaFilesTest, SaveAndLoadRoundTripOfAllFourFiles) {
    QDir(p.path(QStringLiteral("Areas"))).rmdir(QStringLiteral("Hall")); // save creates it
    const Area a = numberedArea(1);
    ASSERT_TRUE(areas().save(1, a).ok());
    for (const char *f : {"a.dat", "b.dat", "c.dat", "d.dat"})
        EXPECT_TRUE(p.exists(QStringLiteral("Areas/Hall/1") + QLatin1String(f))) << f;

    Area r;
    ASSERT_TRUE(areas().load(1, r).ok());
    EXPECT_DOUBLE_EQ(r.look.Left, 15);
    EXPECT_DOUBLE_EQ(r.look.Top, 30.5);
    EXPECT_DOUBLE_EQ(r.look.Width, 600);
    EXPECT_DOUBLE_EQ(r.look.Height, 450);
    EXPECT_EQ(r.look.IsAnimatedGif, 1);
    EXPECT_TRUE(r.look.HasPicture);
    EXPECT_EQ(r.look.PictureFile, a.look.PictureFile);
    EXPECT_EQ(r.look.Stretch, 1);
    EXPECT_EQ(r.look.MousePointer, a.look.MousePointer);
    EXPECT_EQ(r.look.VisibleIf, 1);
    EXPECT_EQ(r.look.ZeroList, a.look.ZeroList);
    EXPECT_EQ(r.look.OneList, a.look.OneList);

    EXPECT_EQ(r.action.ChangeVariables, 1);
    EXPECT_EQ(r.action.ChangeVariablesLists, 1);
    EXPECT_EQ(r.action.ShowText, 1);
    EXPECT_EQ(r.action.TextMessage, a.action.TextMessage);
    EXPECT_EQ(r.action.GoToFrame, 1);
    EXPECT_EQ(r.action.TargetFrame, a.action.TargetFrame);
    EXPECT_EQ(r.action.PlayVideo, 1);
    EXPECT_EQ(r.action.VideoFile, a.action.VideoFile);
    EXPECT_FALSE(r.action.VideoFullScreen);
    EXPECT_TRUE(r.action.VideoAtPosition);
    EXPECT_DOUBLE_EQ(r.action.VideoLeft, 5);
    EXPECT_DOUBLE_EQ(r.action.VideoHeight, 480);
    EXPECT_EQ(r.action.PlayMp3, 1);
    EXPECT_EQ(r.action.Mp3File, a.action.Mp3File);
    EXPECT_EQ(r.action.GoBack, 1);
    EXPECT_EQ(r.action.TextOnBackground, 1);
    EXPECT_EQ(r.action.SetZeroList, a.action.SetZeroList);
    EXPECT_EQ(r.action.SetOneList, a.action.SetOneList);
    EXPECT_EQ(r.action.InvertList, a.action.InvertList);
    EXPECT_EQ(r.action.EndedAfter, 0);

    EXPECT_EQ(r.item.PickItem, 1);
    EXPECT_EQ(r.item.ItemName, QStringLiteral("Item1"));
    EXPECT_EQ(r.item.GifSpeed, 21);

    ASSERT_EQ(r.sounds.size(), 8);
    EXPECT_TRUE(r.sounds[2].PlaySound);
    EXPECT_EQ(r.sounds[2].SoundFile, QStringLiteral("area1.wav"));
    EXPECT_TRUE(r.sounds[0].NoAction);
}

TEST_F(AreaFilesTest, WrittenLayoutOfLookItemAndActionFiles) {
    ASSERT_TRUE(areas().save(1, numberedArea(1)).ok());
    EXPECT_EQ(p.read(QStringLiteral("Areas/Hall/1a.dat")),
              QByteArray("15\r\n30.5\r\n600\r\n450\r\n1\r\n#TRUE#\r\n\"pic1.gif\"\r\n1\r\n"
                         "\"hand.cur\"\r\n1\r\n2\r\n\"door\"\r\n\"lamp\xE9\"\r\n1\r\n\"key\"\r\n"));
    EXPECT_EQ(p.read(QStringLiteral("Areas/Hall/1c.dat")),
              QByteArray("1\r\n\"Item1\"\r\n\"\"\r\n\"\"\r\n21\r\n"));
    const QList<QByteArray> b = p.read(QStringLiteral("Areas/Hall/1b.dat")).split('\n');
    // 40 lines, then 1 + 1 + 2 + 1 + 1 + 1 for the three lists, then the empty rest.
    ASSERT_EQ(b.size(), 40 + 7 + 1);
    EXPECT_EQ(b[0], QByteArray("1\r"));
    EXPECT_EQ(b[1], QByteArray("\"\"\r")); // the single legacy variable is no longer used
    EXPECT_EQ(b[2], QByteArray("#FALSE#\r"));
    EXPECT_EQ(b[6], QByteArray("\"area 1, clicked\"\r"));
    EXPECT_EQ(b[39], QByteArray("1\r")); // line 40 repeats line 1
    EXPECT_EQ(b[40], QByteArray("1\r"));
    EXPECT_EQ(b[41], QByteArray("\"a\"\r"));
}

TEST_F(AreaFilesTest, SavePositionRewritesOnlyTheFirstFourLines) {
    const QStringList rest{QStringLiteral("1"),           QStringLiteral("#TRUE#"),
                           q(QStringLiteral("door.gif")), QStringLiteral("0"),
                           q(QStringLiteral("Hand.CUR")), QStringLiteral("1"),
                           QStringLiteral("2"),           q(QString::fromUtf8("lampé, lit")),
                           q(QStringLiteral("key")),      QStringLiteral("0")};
    p.writeLines(QStringLiteral("Areas/Hall/1a.dat"),
                 QStringList{QStringLiteral("15"), QStringLiteral("30"), QStringLiteral("600"),
                             QStringLiteral("450")} +
                     rest);
    const QByteArray before = p.read(QStringLiteral("Areas/Hall/1a.dat"));
    const QByteArray tail = before.mid(before.indexOf("1\r\n#TRUE#"));
    ASSERT_TRUE(areas().savePosition(1, 45, 60.5, 1200, 225).ok());
    EXPECT_EQ(p.read(QStringLiteral("Areas/Hall/1a.dat")),
              QByteArray("45\r\n60.5\r\n1200\r\n225\r\n") + tail);

    AreaLook look;
    ASSERT_TRUE(areas().readLook(1, look).ok());
    EXPECT_DOUBLE_EQ(look.Top, 60.5);
    EXPECT_EQ(look.ZeroList, (QStringList{QString::fromUtf8("lampé, lit"), "key"}));

    EXPECT_FALSE(areas().savePosition(7, 1, 2, 3, 4).ok()); // no such area
    EXPECT_FALSE(p.exists(QStringLiteral("Areas/Hall/7a.dat")));
}

TEST_F(AreaFilesTest, RemovingAreaTwoOfFourRenumbersTheRest) {
    for (int n = 1; n <= 4; ++n)
        ASSERT_TRUE(areas().save(n, numberedArea(n)).ok());
    ASSERT_TRUE(frames().writeAreaCount(kFrame, 4).ok());
    ASSERT_TRUE(areas().saveDropEvent(2, QStringLiteral("Key"), dropEvent("2 Key")).ok());
    ASSERT_TRUE(areas().saveDropEvent(3, QStringLiteral("Key"), dropEvent("3 Key")).ok());
    ASSERT_TRUE(areas().saveDropEvent(3, QStringLiteral("Lamp"), dropEvent("3 Lamp")).ok());
    ASSERT_TRUE(areas().saveDropEvent(4, QStringLiteral("Rope"), dropEvent("4 Rope")).ok());
    const QByteArray old3b = p.read(QStringLiteral("Areas/Hall/3b.dat"));
    const QByteArray old4a = p.read(QStringLiteral("Areas/Hall/4a.dat"));

    ASSERT_TRUE(areas().removeArea(frames(), 2, 4).ok());

    int count = 0;
    ASSERT_TRUE(frames().readAreaCount(kFrame, count).ok());
    EXPECT_EQ(count, 3);
    const QStringList expectedFiles{
        "1a.dat",     "1b.dat",     "1c.dat", "1d.dat", "2_Key.chn", "2_Key.drg",
        "2_Lamp.chn", "2_Lamp.drg", "2a.dat", "2b.dat", "2c.dat",    "2d.dat",
        "3_Rope.chn", "3_Rope.drg", "3a.dat", "3b.dat", "3c.dat",    "3d.dat"};
    EXPECT_EQ(QDir(p.path(QStringLiteral("Areas/Hall"))).entryList(QDir::Files, QDir::Name),
              expectedFiles);
    EXPECT_EQ(p.read(QStringLiteral("Areas/Hall/2b.dat")), old3b);
    EXPECT_EQ(p.read(QStringLiteral("Areas/Hall/3a.dat")), old4a);

    for (int n = 1; n <= 3; ++n) {
        Area a;
        ASSERT_TRUE(areas().load(n, a).ok());
        const int old = n == 1 ? 1 : n + 1;
        EXPECT_EQ(a.item.ItemName, QStringLiteral("Item%1").arg(old));
        EXPECT_EQ(a.sounds[2].SoundFile, QStringLiteral("area%1.wav").arg(old));
    }
    EXPECT_EQ(areas().dropEvents(2), (QStringList{"Key", "Lamp"}));
    EXPECT_EQ(areas().dropEvents(3), (QStringList{"Rope"}));
    DropEvent e;
    ASSERT_TRUE(areas().readDropEvent(2, QStringLiteral("Key"), e).ok());
    EXPECT_EQ(e.action.TextMessage, QStringLiteral("3 Key")); // the old area 3's event
    EXPECT_EQ(e.sounds[0].SoundFile, QStringLiteral("3 Key.wav"));
    ASSERT_TRUE(areas().readDropEvent(3, QStringLiteral("Rope"), e).ok());
    EXPECT_EQ(e.sounds[0].SoundFile, QStringLiteral("4 Rope.wav"));
}

TEST_F(AreaFilesTest, RemovingTheLastAreaOrAnAreaOutOfRange) {
    for (int n = 1; n <= 2; ++n)
        ASSERT_TRUE(areas().save(n, numberedArea(n)).ok());
    ASSERT_TRUE(frames().writeAreaCount(kFrame, 2).ok());
    EXPECT_FALSE(areas().removeArea(frames(), 3, 2).ok());
    EXPECT_FALSE(areas().removeArea(frames(), 0, 2).ok());
    ASSERT_TRUE(areas().removeArea(frames(), 2, 2).ok());
    int count = 0;
    ASSERT_TRUE(frames().readAreaCount(kFrame, count).ok());
    EXPECT_EQ(count, 1);
    EXPECT_FALSE(p.exists(QStringLiteral("Areas/Hall/2a.dat")));
    EXPECT_TRUE(p.exists(QStringLiteral("Areas/Hall/1a.dat")));
}

TEST_F(AreaFilesTest, RemovingAreaOneKeepsAreaElevenApart) {
    for (int n = 1; n <= 11; ++n)
        ASSERT_TRUE(areas().save(n, numberedArea(n)).ok());
    ASSERT_TRUE(areas().saveDropEvent(1, QStringLiteral("Key"), dropEvent("1 Key")).ok());
    ASSERT_TRUE(areas().saveDropEvent(11, QStringLiteral("Key"), dropEvent("11 Key")).ok());
    ASSERT_TRUE(areas().removeArea(frames(), 1, 11).ok());
    EXPECT_EQ(areas().dropEvents(10), (QStringList{"Key"}));
    DropEvent e;
    ASSERT_TRUE(areas().readDropEvent(10, QStringLiteral("Key"), e).ok());
    EXPECT_EQ(e.action.TextMessage, QStringLiteral("11 Key"));
    EXPECT_TRUE(areas().dropEvents(1).isEmpty());
    EXPECT_FALSE(p.exists(QStringLiteral("Areas/Hall/11a.dat")));
}

TEST_F(AreaFilesTest, ThirteenLineActionRecordKeepsDefaults) {
    const ActionRecord a = readRecord(fullActionRecord().mid(0, 13));
    EXPECT_EQ(a.EndedAfter, 13);
    EXPECT_EQ(a.ChangeVariables, 1);
    EXPECT_EQ(a.LegacyVariable, QStringLiteral("old"));
    EXPECT_FALSE(a.LegacySetZero);
    EXPECT_TRUE(a.LegacySetOne);
    EXPECT_FALSE(a.LegacyInvert);
    EXPECT_EQ(a.ShowText, 1);
    EXPECT_EQ(a.TextMessage, QStringLiteral("Hello, traveller"));
    EXPECT_EQ(a.HideOrRemove, 1);
    EXPECT_EQ(a.GoToFrame, 1);
    EXPECT_EQ(a.TargetFrame, QStringLiteral("Garden"));
    EXPECT_EQ(a.StopMidi, 0);
    EXPECT_EQ(a.StopWav, 0);
    EXPECT_EQ(a.PlayVideo, 0);
    EXPECT_EQ(a.VideoFile, QString());
    EXPECT_EQ(a.StopMp3, 0);
    EXPECT_EQ(a.PlayMidi, 0);
    EXPECT_EQ(a.PlayMp3, 0);
    EXPECT_EQ(a.GoBack, 0);
    EXPECT_EQ(a.TextOnBackground, 0); // popup window
    EXPECT_EQ(a.ChangeVariablesLists, 0);
    EXPECT_TRUE(a.SetZeroList.isEmpty());
    EXPECT_TRUE(a.SetOneList.isEmpty());
    EXPECT_TRUE(a.InvertList.isEmpty());
}

TEST_F(AreaFilesTest, ActionRecordEndsAtEachOlderEndPoint) {
    const QStringList full = fullActionRecord();
    {
        const ActionRecord a = readRecord(full.mid(0, 23));
        EXPECT_EQ(a.EndedAfter, 23);
        EXPECT_EQ(a.PlayVideo, 1);
        EXPECT_DOUBLE_EQ(a.VideoHeight, 240);
        EXPECT_EQ(a.PlayMp3, 0);
    }
    {
        const ActionRecord a = readRecord(full.mid(0, 28));
        EXPECT_EQ(a.EndedAfter, 28);
        EXPECT_EQ(a.Mp3File, QStringLiteral("song.mp3"));
        EXPECT_EQ(a.GoBack, 0);
    }
    {
        const ActionRecord a = readRecord(full.mid(0, 32));
        EXPECT_EQ(a.EndedAfter, 32);
        EXPECT_EQ(a.GoBack, 1);
        EXPECT_EQ(a.TextOnBackground, 0);
    }
    {
        const ActionRecord a = readRecord(full.mid(0, 36));
        EXPECT_EQ(a.EndedAfter, 36);
        EXPECT_EQ(a.TextOnBackground, 1);
        EXPECT_TRUE(a.SetZeroList.isEmpty());
    }
    {
        const ActionRecord a = readRecord(full);
        EXPECT_EQ(a.EndedAfter, 0);
        EXPECT_EQ(a.SetZeroList, (QStringList{"door", "lamp"}));
        EXPECT_EQ(a.SetOneList, (QStringList{"key"}));
        EXPECT_TRUE(a.InvertList.isEmpty());
    }
    // Ending anywhere else is a damaged file.
    for (int n : {5, 14, 30, 40, 42}) {
        p.writeLines(QStringLiteral("Areas/Hall/1b.dat"), full.mid(0, n));
        ActionRecord a;
        EXPECT_FALSE(readActionRecord(p.path(QStringLiteral("Areas/Hall/1b.dat")), a).ok())
            << n << " lines";
    }
}

TEST_F(AreaFilesTest, ListsAreReadEvenWhenChangeVariablesIsOff) {
    QStringList lines = fullActionRecord();
    lines[0] = QStringLiteral("0");
    lines[39] = QStringLiteral("0");
    const ActionRecord a = readRecord(lines);
    EXPECT_EQ(a.ChangeVariables, 0);
    EXPECT_EQ(a.ChangeVariablesLists, 0);
    EXPECT_EQ(a.SetZeroList, (QStringList{"door", "lamp"}));
    EXPECT_EQ(a.SetOneList, (QStringList{"key"}));
}

TEST_F(AreaFilesTest, HugeListCountIsRefused) {
    QStringList lines = fullActionRecord().mid(0, 40);
    lines << QStringLiteral("99999999");
    p.writeLines(QStringLiteral("Areas/Hall/1b.dat"), lines);
    ActionRecord a;
    EXPECT_FALSE(readActionRecord(p.path(QStringLiteral("Areas/Hall/1b.dat")), a).ok());
}

TEST_F(AreaFilesTest, ItemFileOfFourLinesGivesGifSpeed50) {
    p.writeLines(QStringLiteral("Areas/Hall/1c.dat"),
                 {QStringLiteral("1"), q(QStringLiteral("Key")), q(QString()), q(QString())});
    AreaItem c;
    c.GifSpeed = 7;
    ASSERT_TRUE(areas().readItem(1, c).ok());
    EXPECT_EQ(c.PickItem, 1);
    EXPECT_EQ(c.ItemName, QStringLiteral("Key"));
    EXPECT_EQ(c.GifSpeed, 50);

    p.writeLines(
        QStringLiteral("Areas/Hall/1c.dat"),
        {QStringLiteral("0"), q(QString()), q(QString()), q(QString()), QStringLiteral("30")});
    ASSERT_TRUE(areas().readItem(1, c).ok());
    EXPECT_EQ(c.GifSpeed, 30);
}

TEST_F(AreaFilesTest, DefaultPointerInAnySpellingMeansNoCustomPointer) {
    auto lookWith = [&](const QString &pointer) {
        p.writeLines(QStringLiteral("Areas/Hall/1a.dat"),
                     {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("10"),
                      QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("#FALSE#"),
                      q(QString()), QStringLiteral("0"), q(pointer), QStringLiteral("0"),
                      QStringLiteral("0"), QStringLiteral("0")});
        AreaLook look;
        EXPECT_TRUE(areas().readLook(1, look).ok());
        EXPECT_EQ(look.MousePointer, pointer);
        return look.hasCustomPointer();
    };
    EXPECT_FALSE(lookWith(QStringLiteral("default")));
    EXPECT_FALSE(lookWith(QStringLiteral("DEFAULT")));
    EXPECT_FALSE(lookWith(QStringLiteral("Default")));
    EXPECT_FALSE(lookWith(QString()));
    EXPECT_TRUE(lookWith(QStringLiteral("hand.cur")));
}

TEST_F(AreaFilesTest, DropEventsListTheItemsOfOneArea) {
    for (const char *f : {"Areas/Hall/2_Key.drg", "Areas/Hall/2_lamp.DRG", "Areas/Hall/2_Key.chn",
                          "Areas/Hall/12_Rope.drg", "Areas/Hall/2_note.txt", "Areas/Hall/2a.dat"})
        p.writeRaw(QString::fromLatin1(f), "x");
    EXPECT_EQ(areas().dropEvents(2), (QStringList{"Key", "lamp"}));
    EXPECT_EQ(areas().dropEvents(12), (QStringList{"Rope"}));
    EXPECT_TRUE(areas().dropEvents(1).isEmpty());
}

TEST_F(AreaFilesTest, DropEventRoundTripInBothSoundModes) {
    for (SoundMode mode : {SoundMode::MultiChannel, SoundMode::SingleChannel}) {
        DropEvent e = dropEvent(QStringLiteral("Key on door"));
        e.action.ChangeVariables = 1;
        e.action.InvertList = {QStringLiteral("door")};
        ASSERT_TRUE(areas(mode).saveDropEvent(3, QStringLiteral("Old key"), e).ok());
        EXPECT_TRUE(p.exists(QStringLiteral("Areas/Hall/3_Old key.drg")));
        EXPECT_TRUE(p.exists(QStringLiteral("Areas/Hall/3_Old key.chn")));
        DropEvent r;
        ASSERT_TRUE(areas(mode).readDropEvent(3, QStringLiteral("Old key"), r).ok());
        EXPECT_EQ(r.action.TextMessage, e.action.TextMessage);
        EXPECT_EQ(r.action.HideOrRemove, 1);
        EXPECT_EQ(r.action.InvertList, e.action.InvertList);
        ASSERT_EQ(r.sounds.size(), channelCount(mode));
        EXPECT_EQ(r.sounds[0].SoundFile, QStringLiteral("Key on door.wav"));
    }
    DropEvent none;
    EXPECT_FALSE(areas().readDropEvent(3, QStringLiteral("Rope"), none).ok());
    EXPECT_FALSE(areas().saveDropEvent(3, QStringLiteral("../Rope"), none).ok());
}

TEST_F(AreaFilesTest, AreaFilesThatCannotBeWrittenGiveTheAreaMessage) {
    Area a = numberedArea(1);
    a.action.TextMessage = QStringLiteral("a \"quoted\" text");
    const Status s = areas().save(1, a);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.title(), QStringLiteral("Error Saving Area Properties"));
    EXPECT_EQ(s.text(), QStringLiteral("Unable to save Area properties. Please verify that "
                                       "project files are not Read-Only."));
}

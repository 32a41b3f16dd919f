// Saved games, schemes, presets, the distribution options, RunFromCD.dat and hidden names.

#include "HiddenNames.h"
#include "OptionsFile.h"
#include "PresetFile.h"
#include "RunFromCd.h"
#include "SavedGameFile.h"
#include "SchemeFile.h"
#include "TestProject.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

void setModified(const QString &path, const QDateTime &when) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

QStringList schemeLines() {
    return {q(QStringLiteral("Night")),
            q(QStringLiteral("Version 2.06.01")),
            q(QStringLiteral("03/07/2024")),
            QStringLiteral("4"),
            q(QStringLiteral("start.bmp")),
            q(QStringLiteral("[DEFAULT]")),
            q(QStringLiteral("exit.gif")),
            q(QStringLiteral("tile.jpg")),
            QStringLiteral("4"),
            QStringLiteral("0"),
            QStringLiteral("255"),
            QStringLiteral("65280"),
            QStringLiteral("16711680"),
            q(QString()),
            q(QString()),
            q(QString()),
            QStringLiteral("1")};
}

} // namespace

// --- Saved games ------------------------------------------------------------------------------

TEST(SavedGameTest, RoundTrip) {
    TestProject p;
    SavedGameFile g;
    g.SavedFrame = QStringLiteral("Hall, upstairs");
    g.Variables = {{QStringLiteral("door"), 1}, {QStringLiteral("lamp"), 0}};
    g.Disappear = {{QStringLiteral("Hall"), 3}};
    g.Items = {QStringLiteral("Key"), QString::fromUtf8("Clé")};
    g.HasHistory = true;
    g.History = {QStringLiteral("Start"), QStringLiteral("Hall")};
    const QString path = p.path(QStringLiteral("game one.sav"));
    ASSERT_TRUE(writeSavedGame(path, g).ok());
    EXPECT_EQ(
        p.read(QStringLiteral("game one.sav")),
        QByteArray("\"Hall, upstairs\"\r\n2\r\n\"door\"\r\n1\r\n\"lamp\"\r\n0\r\n1\r\n\"Hall\"\r\n"
                   "3\r\n2\r\n\"Key\"\r\n\"Cl\xE9\"\r\n2\r\n\"Start\"\r\n\"Hall\"\r\n"));
    SavedGameFile r;
    ASSERT_TRUE(readSavedGame(path, r).ok());
    EXPECT_EQ(r.SavedFrame, g.SavedFrame);
    EXPECT_EQ(r.Variables, g.Variables);
    EXPECT_EQ(r.Disappear, g.Disappear);
    EXPECT_EQ(r.Items, g.Items);
    EXPECT_TRUE(r.HasHistory);
    EXPECT_EQ(r.History, g.History);
}

TEST(SavedGameTest, EmptyGameIsTheFrameAndFourZeroCounts) {
    TestProject p;
    SavedGameFile g;
    g.SavedFrame = QStringLiteral("Start");
    ASSERT_TRUE(writeSavedGame(p.path(QStringLiteral("empty.sav")), g).ok());
    EXPECT_EQ(p.read(QStringLiteral("empty.sav")), QByteArray("\"Start\"\r\n0\r\n0\r\n0\r\n0\r\n"));
}

TEST(SavedGameTest, FileEndingAfterTheInventoryLoadsWithoutHistory) {
    TestProject p;
    const QString path = p.writeLines(QStringLiteral("old.sav"),
                                      {q(QStringLiteral("Hall")), QStringLiteral("1"), q("door"),
                                       QStringLiteral("1"), QStringLiteral("0"),
                                       QStringLiteral("1"), q(QStringLiteral("Key"))});
    SavedGameFile r;
    const Status s = readSavedGame(path, r);
    ASSERT_TRUE(s.ok()) << s.text().toStdString();
    EXPECT_EQ(r.SavedFrame, QStringLiteral("Hall"));
    EXPECT_EQ(r.Variables.size(), 1);
    EXPECT_EQ(r.Items, (QStringList{"Key"}));
    EXPECT_FALSE(r.HasHistory);
    EXPECT_TRUE(r.History.isEmpty());
}

TEST(SavedGameTest, DamagedFileKeepsWhatWasReadBeforeTheError) {
    TestProject p;
    const QString path = p.writeLines(QStringLiteral("bad.sav"),
                                      {q(QStringLiteral("Hall")), QStringLiteral("2"), q("door"),
                                       QStringLiteral("1"), q("lamp"), QStringLiteral("lit")});
    SavedGameFile r;
    EXPECT_FALSE(readSavedGame(path, r).ok());
    EXPECT_EQ(r.SavedFrame, QStringLiteral("Hall"));
    ASSERT_EQ(r.Variables.size(), 1);
    EXPECT_EQ(r.Variables[0].first, QStringLiteral("door"));

    p.writeLines(QStringLiteral("bad.sav"),
                 {q(QStringLiteral("Hall")), QStringLiteral("99999999")});
    EXPECT_FALSE(readSavedGame(path, r).ok());
    EXPECT_TRUE(r.Variables.isEmpty());
}

TEST(SavedGameTest, ListIsOldestFirstAndLeavesOutShortNames) {
    TestProject p;
    const QDateTime base = QDateTime::currentDateTime().addDays(-1);
    const struct {
        const char *file;
        int minutes;
    } saves[] = {{"alpha.sav", 30}, {"Beta.SAV", 10}, {"c.sav", 20},     {".sav", 5},
                 {"zeta.sav", 20},  {"notes.txt", 1}, {"old.sav.bak", 2}};
    for (const auto &s : saves) {
        const QString path = p.writeRaw(QString::fromLatin1(s.file), "\"x\"\r\n0\r\n0\r\n0\r\n");
        setModified(path, base.addSecs(60 * s.minutes));
    }
    // c.sav and zeta.sav have the same time: they keep their listed order.
    EXPECT_EQ(SavedGames::list(p.root()), (QStringList{"Beta", "c", "zeta", "alpha"}));
}

TEST(SavedGameTest, SaveNameRule) {
    EXPECT_TRUE(SavedGames::isValidName(QStringLiteral("My game 1")));
    EXPECT_FALSE(SavedGames::isValidName(QString()));
    for (QChar c : QStringLiteral("\\/:*?\"<>|,"))
        EXPECT_FALSE(SavedGames::isValidName(QStringLiteral("a") + c)) << QString(c).toStdString();
}

// --- Schemes ----------------------------------------------------------------------------------

TEST(SchemeFileTest, SeventeenLineFileReadsEveryField) {
    TestProject p;
    const QString path = p.writeLines(QStringLiteral("Schemes/Night/Scheme.txt"), schemeLines());
    SchemeFile s;
    ASSERT_TRUE(readScheme(path, s).ok());
    EXPECT_EQ(s.SchemeName, QStringLiteral("Night"));
    EXPECT_EQ(s.WriterVersion, QStringLiteral("Version 2.06.01"));
    EXPECT_EQ(s.SavedDate, QStringLiteral("03/07/2024"));
    EXPECT_EQ(s.PictureCount, 4);
    EXPECT_EQ(s.StartPicture, QStringLiteral("start.bmp"));
    EXPECT_EQ(s.LoadPicture, QStringLiteral("[DEFAULT]"));
    EXPECT_EQ(s.ExitPicture, QStringLiteral("exit.gif"));
    EXPECT_EQ(s.TiledBackground, QStringLiteral("tile.jpg"));
    EXPECT_EQ(s.ColorCount, 4);
    EXPECT_EQ(s.BackgroundColor, 0);
    EXPECT_EQ(s.TitleColor, 255);
    EXPECT_EQ(s.TextsColor, 65280);
    EXPECT_EQ(s.ButtonsColor, 16711680);
    EXPECT_EQ(s.HideTitle, 1);
}

TEST(SchemeFileTest, ThirteenLineFileHasTitleShown) {
    TestProject p;
    const QString path =
        p.writeLines(QStringLiteral("Schemes/Night/Scheme.txt"), schemeLines().mid(0, 13));
    SchemeFile s;
    ASSERT_TRUE(readScheme(path, s).ok());
    EXPECT_EQ(s.ButtonsColor, 16711680);
    EXPECT_EQ(s.HideTitle, 0);
}

TEST(SchemeFileTest, CountsDecideHowManyEntriesAreRead) {
    TestProject p;
    // Two pictures and a colour count of 0.
    const QString path =
        p.writeLines(QStringLiteral("Scheme.txt"),
                     {q(QStringLiteral("Odd")), q(QString()), q(QString()), QStringLiteral("2"),
                      q("a.bmp"), q("b.bmp"), QStringLiteral("0")});
    SchemeFile s;
    ASSERT_TRUE(readScheme(path, s).ok());
    EXPECT_EQ(s.PictureCount, 2);
    EXPECT_EQ(s.StartPicture, QStringLiteral("a.bmp"));
    EXPECT_EQ(s.LoadPicture, QStringLiteral("b.bmp"));
    EXPECT_EQ(s.ExitPicture, QStringLiteral("[DEFAULT]"));
    EXPECT_EQ(s.ColorCount, 0);
    EXPECT_EQ(s.HideTitle, 0);

    // More entries than four: the extra ones are read past, not kept.
    p.writeLines(QStringLiteral("Scheme.txt"),
                 {q(QStringLiteral("Many")), q(QString()), q(QString()), QStringLiteral("5"),
                  q("1.bmp"), q("2.bmp"), q("3.bmp"), q("4.bmp"), q("5.bmp"), QStringLiteral("1"),
                  QStringLiteral("77")});
    ASSERT_TRUE(readScheme(path, s).ok());
    EXPECT_EQ(s.TiledBackground, QStringLiteral("4.bmp"));
    EXPECT_EQ(s.ColorCount, 1);
    EXPECT_EQ(s.BackgroundColor, 77);

    p.writeLines(QStringLiteral("Scheme.txt"), {q(QStringLiteral("Huge")), q(QString()),
                                                q(QString()), QStringLiteral("99999999")});
    EXPECT_FALSE(readScheme(path, s).ok());
}

TEST(SchemeFileTest, RoundTripAndDate) {
    TestProject p;
    SchemeFile s;
    s.SchemeName = QStringLiteral("Blue");
    s.WriterVersion = QStringLiteral("Version 2.06.01");
    s.SavedDate = savedDateText(2024, 3, 7);
    s.ExitPicture = QStringLiteral("x.bmp");
    s.TitleColor = 12345;
    s.HideTitle = 1;
    const QString path = p.path(QStringLiteral("Scheme.txt"));
    ASSERT_TRUE(writeScheme(path, s).ok());
    EXPECT_EQ(p.read(QStringLiteral("Scheme.txt")).count('\n'), 17);
    SchemeFile r;
    ASSERT_TRUE(readScheme(path, r).ok());
    EXPECT_EQ(r.SchemeName, s.SchemeName);
    EXPECT_EQ(r.SavedDate, QStringLiteral("03/07/2024"));
    EXPECT_EQ(r.StartPicture, QStringLiteral("[DEFAULT]"));
    EXPECT_EQ(r.ExitPicture, s.ExitPicture);
    EXPECT_EQ(r.TitleColor, 12345);
    EXPECT_EQ(r.HideTitle, 1);
    EXPECT_EQ(savedDateText(1999, 12, 31), QStringLiteral("12/31/1999"));
}

// --- Presets ----------------------------------------------------------------------------------

TEST(PresetFileTest, RoundTripAndBuiltInNames) {
    TestProject p;
    PresetFile preset;
    preset.PresetName = QStringLiteral("Pirate");
    preset.WriterVersion = QStringLiteral("Version 2.06.01");
    preset.SavedDate = savedDateText(2023, 11, 2);
    preset.Slots = CustomTexts::builtIn(CustomTexts::Games).usedSlots();
    preset.Slots[0] = QStringLiteral("Set sail, matey");
    const QString path = p.path(QStringLiteral("Pirate.pre"));
    ASSERT_TRUE(writePreset(path, preset).ok());
    const QList<QByteArray> lines = p.read(QStringLiteral("Pirate.pre")).split('\n');
    ASSERT_EQ(lines.size(), 52);
    EXPECT_EQ(lines[6], QByteArray("44\r"));
    PresetFile r;
    ASSERT_TRUE(readPreset(path, r).ok());
    EXPECT_EQ(r.PresetName, preset.PresetName);
    EXPECT_EQ(r.SavedDate, QStringLiteral("11/02/2023"));
    EXPECT_EQ(r.Slots, preset.Slots);

    EXPECT_TRUE(isBuiltInPreset(QStringLiteral("english (for games)")));
    EXPECT_TRUE(isBuiltInPreset(QStringLiteral("ENGLISH (FOR APPLICATIONS)")));
    EXPECT_FALSE(isBuiltInPreset(QStringLiteral("English")));
}

// --- Options ----------------------------------------------------------------------------------

TEST(OptionsFileTest, RoundTrip) {
    TestProject p;
    OptionsFile o;
    o.ColorIndex = 3;
    o.ColorName = QStringLiteral("Dark green");
    o.CheckEnable = 1;
    o.CheckRunFromCD = 0;
    o.Check1 = 1;
    o.Check2 = 0;
    const QString path = p.path(QStringLiteral("Options"));
    ASSERT_TRUE(writeOptions(path, o).ok());
    EXPECT_EQ(p.read(QStringLiteral("Options")),
              QByteArray("\"\"\r\n3\r\n\"Dark green\"\r\n1\r\n0\r\n1\r\n0\r\n"));
    OptionsFile r;
    ASSERT_TRUE(readOptions(path, r).ok());
    EXPECT_EQ(r.ColorIndex, 3);
    EXPECT_EQ(r.ColorName, o.ColorName);
    EXPECT_EQ(r.CheckEnable, 1);
    EXPECT_EQ(r.CheckRunFromCD, 0);
    EXPECT_EQ(r.Check1, 1);
    EXPECT_EQ(r.Check2, 0);
}

// --- RunFromCD.dat ----------------------------------------------------------------------------

TEST(RunFromCdTest, MarkerAndDrive) {
    TestProject p;
    EXPECT_FALSE(RunFromCd::isRunFromCd(p.root()));
    EXPECT_EQ(RunFromCd::readDrive(p.root()), QString());

    p.writeRaw(QStringLiteral("RunFromCD.dat"), QByteArray());
    EXPECT_TRUE(RunFromCd::isRunFromCd(p.root()));
    EXPECT_EQ(RunFromCd::readDrive(p.root()), QString());

    ASSERT_TRUE(RunFromCd::writeDrive(p.root(), QStringLiteral("/media/cdrom")).ok());
    EXPECT_EQ(p.read(QStringLiteral("RunFromCD.dat")), QByteArray("\"/media/cdrom\"\r\n"));
    EXPECT_EQ(RunFromCd::readDrive(p.root()), QStringLiteral("/media/cdrom"));
}

TEST(RunFromCdTest, MarkerInAnotherCaseIsFoundAndRewritten) {
    TestProject p;
    p.writeLines(QStringLiteral("runfromcd.DAT"), {q(QStringLiteral("D"))});
    EXPECT_TRUE(RunFromCd::isRunFromCd(p.root()));
    EXPECT_EQ(RunFromCd::readDrive(p.root()), QStringLiteral("D"));
    ASSERT_TRUE(RunFromCd::writeDrive(p.root(), QStringLiteral("E")).ok());
    EXPECT_EQ(QDir(p.root()).entryList(QDir::Files), QStringList{"runfromcd.DAT"});
    EXPECT_EQ(RunFromCd::readDrive(p.root()), QStringLiteral("E"));
}

// --- Hidden names -----------------------------------------------------------------------------

TEST(HiddenNamesTest, KnownExtensionsBecomeNumbers) {
    EXPECT_EQ(HiddenNames::hiddenName(QStringLiteral("pic.BMP")), QStringLiteral("pic.004"));
    EXPECT_EQ(HiddenNames::hiddenName(QStringLiteral("pic.bmp")), QStringLiteral("pic.004"));
    const struct {
        const char *from, *to;
    } table[] = {{"a.ico", "a.002"}, {"a.cur", "a.003"}, {"a.jpg", "a.005"}, {"a.gif", "a.006"},
                 {"a.wmf", "a.007"}, {"a.emf", "a.008"}, {"a.wav", "a.010"}, {"a.mid", "a.011"},
                 {"a.mp3", "a.012"}, {"a.avi", "a.014"}};
    for (const auto &t : table) {
        EXPECT_EQ(HiddenNames::hiddenName(QString::fromLatin1(t.from)), QString::fromLatin1(t.to));
        EXPECT_TRUE(HiddenNames::hasHiddenForm(QString::fromLatin1(t.from)));
    }
    for (const char *same : {"notes.txt", "song.midi", "pic.jpeg", "bmp", "", "x.004"}) {
        EXPECT_EQ(HiddenNames::hiddenName(QString::fromLatin1(same)), QString::fromLatin1(same));
        EXPECT_FALSE(HiddenNames::hasHiddenForm(QString::fromLatin1(same)));
    }
}

// Project-wide files: Config/General, Config/Texts, Config/Version, Project.dat, the name rules,
// the folder layout and the skeleton of a new project.

#include "CustomTexts.h"
#include "GeneralInfo.h"
#include "NameRules.h"
#include "ProjectIntegrity.h"
#include "ProjectPaths.h"
#include "ProjectSkeleton.h"
#include "ProjectVersion.h"
#include "TestProject.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

const QString kGeneral = QStringLiteral("Config/General");

// A 22-line General file as the editor writes it, with a value in every field.
QStringList fullGeneral() {
    return {q(QStringLiteral("Castle Quest")),
            q(QStringLiteral("C:\\Games\\Castle\\Config\\General")),
            q(QStringLiteral("Castle Quest Deluxe")),
            QStringLiteral("3"),
            q(QStringLiteral("Hall")),
            q(QStringLiteral("v1.0, the first one")),
            QStringLiteral("800.6"),
            QStringLiteral("600.4"),
            q(QStringLiteral("Ann Author")),
            q(QStringLiteral("ann@example.org")),
            q(QStringLiteral("http://example.org")),
            QStringLiteral("1"),
            q(QString()),
            q(QString()),
            q(QString()),
            q(QStringLiteral("Night")),
            q(QString()),
            q(QString()),
            QStringLiteral("#TRUE#"),
            QStringLiteral("#TRUE#"),
            QStringLiteral("#TRUE#"),
            QStringLiteral("1")};
}

GeneralInfo readWith(const TestProject &p, GeneralReader reader, Status *status = nullptr) {
    GeneralInfo g;
    const Status s = readGeneral(p.path(kGeneral), g, reader);
    if (status)
        *status = s;
    else
        EXPECT_TRUE(s.ok()) << s.text().toStdString();
    return g;
}

void expectFirstElevenLines(const GeneralInfo &g) {
    EXPECT_EQ(g.ProjectName, QStringLiteral("Castle Quest"));
    EXPECT_EQ(g.GeneralFilePath, QStringLiteral("C:\\Games\\Castle\\Config\\General"));
    EXPECT_EQ(g.SoftwareTitle, QStringLiteral("Castle Quest Deluxe"));
    EXPECT_EQ(g.ScreenSizeChoice, 3);
    EXPECT_EQ(g.InitialFrame, QStringLiteral("Hall"));
    EXPECT_EQ(g.CommentsAndVersion, QStringLiteral("v1.0, the first one"));
    EXPECT_EQ(g.Author, QStringLiteral("Ann Author"));
    EXPECT_EQ(g.Email, QStringLiteral("ann@example.org"));
    EXPECT_EQ(g.Homepage, QStringLiteral("http://example.org"));
}

const QString kWriteProtected = QStringLiteral(
    "The selected project appears to be Write-Protected and cannot be edited. If you have "
    "troubles loading the project you have created with this version of Quillmoor, please "
    "contact the authors.");

} // namespace

// --- Config/General ---------------------------------------------------------------------------

TEST(GeneralInfoTest, ElevenLineFileKeepsDefaultsForLaterFields) {
    TestProject p;
    p.writeLines(kGeneral, fullGeneral().mid(0, 11));
    for (GeneralReader reader : {GeneralReader::Editor, GeneralReader::Player}) {
        const GeneralInfo g = readWith(p, reader);
        expectFirstElevenLines(g);
        // The player offers the display switch when an older file does not say.
        EXPECT_EQ(g.ShowChangeResolution, reader == GeneralReader::Player ? 1 : 0);
        EXPECT_EQ(g.SchemeName, QString());
        EXPECT_FALSE(g.SingleChannelAudio);
        EXPECT_FALSE(g.HideLoad);
        EXPECT_FALSE(g.HideSave);
        EXPECT_EQ(g.TextsKind, 0);
    }
}

TEST(GeneralInfoTest, TwelveLineFileReadsTheResolutionOption) {
    TestProject p;
    p.writeLines(kGeneral, fullGeneral().mid(0, 12));
    const GeneralInfo g = readWith(p, GeneralReader::Editor);
    expectFirstElevenLines(g);
    EXPECT_EQ(g.ShowChangeResolution, 1);
    EXPECT_EQ(g.SchemeName, QString());
    EXPECT_FALSE(g.SingleChannelAudio);
}

TEST(GeneralInfoTest, SixteenLineFileReadsTheScheme) {
    TestProject p;
    p.writeLines(kGeneral, fullGeneral().mid(0, 16));
    const GeneralInfo g = readWith(p, GeneralReader::Editor);
    EXPECT_EQ(g.ShowChangeResolution, 1);
    EXPECT_EQ(g.SchemeName, QStringLiteral("Night"));
    EXPECT_FALSE(g.SingleChannelAudio);
    EXPECT_FALSE(g.HideLoad);
    EXPECT_FALSE(g.HideSave);
    EXPECT_EQ(g.TextsKind, 0);
}

TEST(GeneralInfoTest, TwentyTwoLineFileReadByEditorAndPlayer) {
    TestProject p;
    p.writeLines(kGeneral, fullGeneral());
    const GeneralInfo e = readWith(p, GeneralReader::Editor);
    expectFirstElevenLines(e);
    EXPECT_DOUBLE_EQ(e.ScreenWidth, 800.6);
    EXPECT_DOUBLE_EQ(e.ScreenHeight, 600.4);
    EXPECT_EQ(e.SchemeName, QStringLiteral("Night"));
    EXPECT_TRUE(e.SingleChannelAudio);
    EXPECT_TRUE(e.HideLoad);
    EXPECT_TRUE(e.HideSave);
    EXPECT_EQ(e.TextsKind, 1);

    const GeneralInfo pl = readWith(p, GeneralReader::Player);
    expectFirstElevenLines(pl);
    EXPECT_EQ(pl.ScreenWidth, 801); // whole numbers for the player
    EXPECT_EQ(pl.ScreenHeight, 600);
    EXPECT_TRUE(pl.SingleChannelAudio);
    EXPECT_TRUE(pl.HideSave);
    EXPECT_EQ(pl.TextsKind, 0); // line 22 is not the player's
}

TEST(GeneralInfoTest, PlayerDoesNotReadLine22) {
    TestProject p;
    QStringList lines = fullGeneral();
    lines[21] = QStringLiteral("not a number");
    p.writeLines(kGeneral, lines);
    Status s;
    readWith(p, GeneralReader::Player, &s);
    EXPECT_TRUE(s.ok()) << s.text().toStdString();
    readWith(p, GeneralReader::Editor, &s);
    EXPECT_FALSE(s.ok());
}

TEST(GeneralInfoTest, MissingOrDamagedFileIsReported) {
    TestProject p;
    GeneralInfo g;
    EXPECT_FALSE(readGeneral(p.path(kGeneral), g, GeneralReader::Editor).ok());
    p.writeLines(kGeneral, fullGeneral().mid(0, 8)); // ends before the author
    EXPECT_FALSE(readGeneral(p.path(kGeneral), g, GeneralReader::Editor).ok());
}

TEST(GeneralInfoTest, DamagedFileKeepsTheValuesBeforeTheDamage) {
    struct Case {
        const char *what;
        int damagedLine; // 0-based line replaced by a value of the wrong kind, or -1
        int keptLines;   // the file ends after this many lines
        double width, height;
    };
    const Case cases[] = {
        {"cut before the author", -1, 8, 801, 600},
        {"damaged height", 7, 22, 801, 480},
        {"damaged width", 6, 22, 640, 480},
    };
    for (GeneralReader reader : {GeneralReader::Player, GeneralReader::Editor}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(c.what);
            TestProject p;
            QStringList lines = fullGeneral().mid(0, c.keptLines);
            if (c.damagedLine >= 0)
                lines[c.damagedLine] = QStringLiteral("wide");
            p.writeLines(kGeneral, lines);
            Status s;
            const GeneralInfo g = readWith(p, reader, &s);
            EXPECT_FALSE(s.ok());
            EXPECT_EQ(g.SoftwareTitle, QStringLiteral("Castle Quest Deluxe"));
            EXPECT_EQ(g.InitialFrame, QStringLiteral("Hall"));
            EXPECT_EQ(g.ScreenSizeChoice, 3);
            EXPECT_EQ(qRound(g.ScreenWidth), c.width);
            EXPECT_EQ(qRound(g.ScreenHeight), c.height);
            EXPECT_EQ(g.Author, QString()); // after the damage: the default
        }
    }
}

TEST(GeneralInfoTest, WriteReadRoundTrip) {
    TestProject p;
    QDir().mkpath(p.path(QStringLiteral("Config")));
    GeneralInfo g;
    g.ProjectName = QString::fromUtf8("Château");
    g.GeneralFilePath = p.path(kGeneral);
    g.SoftwareTitle = QStringLiteral("Title, with comma");
    g.ScreenSizeChoice = 3;
    g.InitialFrame = QStringLiteral("Hall");
    g.CommentsAndVersion = QStringLiteral("1.2");
    g.ScreenWidth = 1024;
    g.ScreenHeight = 700.5;
    g.Author = QStringLiteral("A");
    g.Email = QStringLiteral("a@b.c");
    g.Homepage = QStringLiteral("http://h");
    g.ShowChangeResolution = 1;
    g.SchemeName = QStringLiteral("Blue");
    g.SingleChannelAudio = true;
    g.HideLoad = false;
    g.HideSave = true;
    g.TextsKind = 2;
    ASSERT_TRUE(writeGeneral(p.path(kGeneral), g).ok());

    const QList<QByteArray> lines = p.read(kGeneral).split('\n');
    ASSERT_EQ(lines.size(), 23); // 22 lines and the empty rest after the last line end
    EXPECT_EQ(lines[0], QByteArray("\"Ch\xE2teau\"\r"));
    EXPECT_EQ(lines[3], QByteArray("3\r"));
    EXPECT_EQ(lines[7], QByteArray("700.5\r"));
    EXPECT_EQ(lines[12], QByteArray("\"\"\r"));
    EXPECT_EQ(lines[18], QByteArray("#TRUE#\r"));
    EXPECT_EQ(lines[19], QByteArray("#FALSE#\r"));
    EXPECT_EQ(lines[21], QByteArray("2\r"));

    const GeneralInfo r = readWith(p, GeneralReader::Editor);
    EXPECT_EQ(r.ProjectName, g.ProjectName);
    EXPECT_EQ(r.GeneralFilePath, g.GeneralFilePath);
    EXPECT_EQ(r.SoftwareTitle, g.SoftwareTitle);
    EXPECT_EQ(r.ScreenSizeChoice, 3);
    EXPECT_EQ(r.InitialFrame, g.InitialFrame);
    EXPECT_EQ(r.CommentsAndVersion, g.CommentsAndVersion);
    EXPECT_DOUBLE_EQ(r.ScreenWidth, 1024);
    EXPECT_DOUBLE_EQ(r.ScreenHeight, 700.5);
    EXPECT_EQ(r.Author, g.Author);
    EXPECT_EQ(r.Email, g.Email);
    EXPECT_EQ(r.Homepage, g.Homepage);
    EXPECT_EQ(r.ShowChangeResolution, 1);
    EXPECT_EQ(r.SchemeName, g.SchemeName);
    EXPECT_TRUE(r.SingleChannelAudio);
    EXPECT_FALSE(r.HideLoad);
    EXPECT_TRUE(r.HideSave);
    EXPECT_EQ(r.TextsKind, 2);
}

TEST(GeneralInfoTest, WriteRefusesATextWithAQuote) {
    TestProject p;
    p.writeLines(kGeneral, fullGeneral());
    const QByteArray before = p.read(kGeneral);
    GeneralInfo g;
    g.Author = QStringLiteral("The \"Boss\"");
    const Status s = writeGeneral(p.path(kGeneral), g);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.text(), QStringLiteral("Unable to save project information."));
    EXPECT_EQ(p.read(kGeneral), before);
}

// --- Custom texts -----------------------------------------------------------------------------

TEST(CustomTextsTest, BuiltInTablesDifferWhereGamesAndApplicationsDiffer) {
    const CustomTexts games = CustomTexts::builtIn(CustomTexts::Games);
    const CustomTexts apps = CustomTexts::builtIn(CustomTexts::Applications);
    EXPECT_EQ(games.text(1), QStringLiteral("Start New Game"));
    EXPECT_EQ(apps.text(1), QStringLiteral("Start"));
    EXPECT_EQ(games.text(2), QStringLiteral("Load Game..."));
    EXPECT_EQ(apps.text(2), QStringLiteral("Load"));
    EXPECT_EQ(games.text(8), QStringLiteral("Save game..."));
    EXPECT_EQ(apps.text(8), QStringLiteral("Save..."));
    EXPECT_EQ(games.text(26), QStringLiteral("Remove Saved Game"));
    EXPECT_EQ(apps.text(26), QStringLiteral("Remove Saved File"));
    EXPECT_EQ(games.text(30),
              QStringLiteral("An error has occurred. This game may not work properly. Press 'Esc' "
                             "and the click 'Exit' to quit."));
    EXPECT_EQ(apps.text(30),
              QStringLiteral("An error has occurred. The program may not work properly. Press "
                             "'Esc' and the click 'Exit' to quit."));
    // Shared wording.
    EXPECT_EQ(games.text(29), QStringLiteral("Error"));
    EXPECT_EQ(apps.text(29), QStringLiteral("Error"));
    EXPECT_EQ(games.text(33), apps.text(33));
    EXPECT_EQ(games.text(33), QStringLiteral("The following file is missing:"));
}

TEST(CustomTextsTest, BuiltInTablesLeaveTheUnusedSlotsEmpty) {
    EXPECT_EQ(CustomTexts::SlotCount, 61);
    for (CustomTexts::Kind kind : {CustomTexts::Games, CustomTexts::Applications}) {
        const CustomTexts t = CustomTexts::builtIn(kind);
        for (int slot = 1; slot <= 61; ++slot) {
            const bool empty =
                slot == 16 || slot == 20 || slot == 28 || slot == 39 || slot == 42 || slot > 44;
            EXPECT_EQ(t.text(slot).isEmpty(), empty) << "slot " << slot;
        }
        EXPECT_EQ(
            t.text(44),
            QStringLiteral("Make sure that the disk is properly inserted, and then try again."));
        EXPECT_EQ(t.usedSlots().size(), 44);
        EXPECT_EQ(t.usedSlots().first(), t.text(1));
        EXPECT_EQ(t.usedSlots().last(), t.text(44));
        EXPECT_EQ(t.text(0), QString());
        EXPECT_EQ(t.text(62), QString());
    }
    CustomTexts custom;
    custom.setText(61, QStringLiteral("last"));
    custom.setText(62, QStringLiteral("beyond"));
    EXPECT_EQ(custom.text(61), QStringLiteral("last"));
    EXPECT_EQ(custom.text(1), QString());
}

TEST(CustomTextsTest, TextsFileRoundTrip) {
    TestProject p;
    QDir().mkpath(p.path(QStringLiteral("Config")));
    TextsFile t;
    t.TextsKind = 2;
    t.WriterVersion = ProjectVersion::editorVersionText();
    t.PresetName = QStringLiteral("Français");
    t.Slots = CustomTexts::builtIn(CustomTexts::Games).usedSlots();
    t.Slots[0] = QString::fromUtf8("Démarrer, vite");
    const QString path = p.path(QStringLiteral("Config/Texts"));
    ASSERT_TRUE(writeTexts(path, t).ok());

    const QList<QByteArray> lines = p.read(QStringLiteral("Config/Texts")).split('\n');
    ASSERT_EQ(lines.size(), 52);
    EXPECT_EQ(lines[0], QByteArray("2\r"));
    EXPECT_EQ(lines[1], QByteArray("\"Version 2.06.01\"\r"));
    EXPECT_EQ(lines[3], QByteArray("\"\"\r"));
    EXPECT_EQ(lines[6], QByteArray("44\r"));
    EXPECT_EQ(lines[7], QByteArray("\"D\xE9marrer, vite\"\r"));

    TextsFile r;
    ASSERT_TRUE(readTexts(path, r).ok());
    EXPECT_EQ(r.TextsKind, 2);
    EXPECT_EQ(r.WriterVersion, t.WriterVersion);
    EXPECT_EQ(r.PresetName, t.PresetName);
    EXPECT_EQ(r.Slots, t.Slots);
}

TEST(CustomTextsTest, TextsFileWithTooManySlotsIsRefused) {
    TestProject p;
    p.writeLines(QStringLiteral("Config/Texts"),
                 {QStringLiteral("2"), q(QString()), q(QString()), q(QString()), q(QString()),
                  q(QString()), QStringLiteral("99999999")});
    TextsFile r;
    EXPECT_FALSE(readTexts(p.path(QStringLiteral("Config/Texts")), r).ok());
}

// --- Config/Version ---------------------------------------------------------------------------

TEST(ProjectVersionTest, EditorVersionText) {
    EXPECT_EQ(ProjectVersion::versionLabel(), QStringLiteral("Version 2.06"));
    EXPECT_EQ(ProjectVersion::editorVersionText(), QStringLiteral("Version 2.06.01"));
}

TEST(ProjectVersionTest, VersionOneIsRefusedInAnyCase) {
    for (const QString &v : {QStringLiteral("Version 1.0"), QStringLiteral("VERSION 1.52.03"),
                             QStringLiteral("version 1.")}) {
        const ProjectVersion::Decision d = ProjectVersion::check(v);
        EXPECT_EQ(d.kind, ProjectVersion::Decision::Refuse) << v.toStdString();
        EXPECT_EQ(d.icon, Status::Icon::Information);
        EXPECT_EQ(d.text, QStringLiteral("The selected project was created with Quillmoor ") + v +
                              QStringLiteral(", which is not compatible with the current one.\n\n"
                                             "Quillmoor is unable to edit the selected project."));
    }
    // "Version 10" is not version 1.
    EXPECT_NE(ProjectVersion::check(QStringLiteral("Version 10.0")).kind,
              ProjectVersion::Decision::Refuse);
}

TEST(ProjectVersionTest, OlderVersionAsksWithTheOlderWording) {
    for (const QString &v : {QStringLiteral("Version 2.03.01"), QStringLiteral("version 2.00"),
                             QStringLiteral("VERSION 2.05")}) {
        const ProjectVersion::Decision d = ProjectVersion::check(v);
        EXPECT_EQ(d.kind, ProjectVersion::Decision::AskOlder) << v.toStdString();
        EXPECT_EQ(d.title, QStringLiteral("Warning!"));
        EXPECT_EQ(d.icon, Status::Icon::Exclamation);
        EXPECT_EQ(d.text,
                  QStringLiteral("The selected project was created with Quillmoor ") + v +
                      QStringLiteral(", which is older than the current one. If you decide to "
                                     "continue loading it, it may become unreadable by previous "
                                     "versions of Quillmoor, including ") +
                      v +
                      QStringLiteral(". Therefore it is very recommended to make a backup copy "
                                     "of it before opening it with the current version.\n\nDo you "
                                     "want to load the selected project anyway?"));
    }
}

TEST(ProjectVersionTest, CurrentVersionOrNoVersionOpensWithoutQuestion) {
    for (const QString &v : {QStringLiteral("Version 2.06.01"), QStringLiteral("version 2.06"),
                             QStringLiteral("VERSION 2.06.99"), QString()}) {
        const ProjectVersion::Decision d = ProjectVersion::check(v);
        EXPECT_EQ(d.kind, ProjectVersion::Decision::Open) << v.toStdString();
        EXPECT_TRUE(d.text.isEmpty());
    }
}

TEST(ProjectVersionTest, OtherVersionAsksWithTheDifferentWording) {
    for (const QString &v : {QStringLiteral("Version 3.00"), QStringLiteral("Version 2.07"),
                             QStringLiteral("Something else")}) {
        const ProjectVersion::Decision d = ProjectVersion::check(v);
        EXPECT_EQ(d.kind, ProjectVersion::Decision::AskDifferent) << v.toStdString();
        EXPECT_EQ(d.title, QStringLiteral("Warning!"));
        EXPECT_EQ(d.icon, Status::Icon::Exclamation);
        EXPECT_EQ(d.text,
                  QStringLiteral("The selected project was created with Quillmoor ") + v +
                      QStringLiteral(", which is different from the current one. If you decide to "
                                     "continue loading the selected project, Quillmoor may not "
                                     "work properly and the project may get damaged. Therefore it "
                                     "is very recommended to make a backup copy of it before "
                                     "opening it with the current version.\n\nDo you want to load "
                                     "the selected project anyway?"));
    }
}

TEST(ProjectVersionTest, VersionFileRoundTripAndMissingFile) {
    TestProject p;
    QDir().mkpath(p.path(QStringLiteral("Config")));
    const QString path = p.path(QStringLiteral("Config/Version"));
    EXPECT_EQ(ProjectVersion::read(path), QString());
    ASSERT_TRUE(ProjectVersion::write(path).ok());
    EXPECT_EQ(p.read(QStringLiteral("Config/Version")), QByteArray("\"Version 2.06.01\"\r\n"));
    EXPECT_EQ(ProjectVersion::read(path), QStringLiteral("Version 2.06.01"));
    ASSERT_TRUE(ProjectVersion::write(path, QStringLiteral("Version 2.03")).ok());
    EXPECT_EQ(ProjectVersion::read(path), QStringLiteral("Version 2.03"));
}

// --- Project.dat ------------------------------------------------------------------------------

TEST(ProjectIntegrityTest, SumOfTheNameCodes) {
    EXPECT_EQ(ProjectIntegrity::nameSum(QStringLiteral("Sample")), 610);
    EXPECT_EQ(ProjectIntegrity::nameSum(QString()), 0);
    // Windows-1252 codes, not UTF-8 bytes: C + a + f + é = 67 + 97 + 102 + 233.
    EXPECT_EQ(ProjectIntegrity::nameSum(QString::fromUtf8("Café")), 499);
}

TEST(ProjectIntegrityTest, WrittenFileMatchesTheProjectName) {
    TestProject p;
    p.writeMinimalProject(QStringLiteral("Sample"));
    ASSERT_TRUE(ProjectIntegrity::write(p.root(), QStringLiteral("Sample")).ok());
    EXPECT_EQ(p.read(QStringLiteral("Project.dat")), QByteArray("610\r\n"));
    int stored = 0;
    EXPECT_TRUE(ProjectIntegrity::read(p.root(), stored));
    EXPECT_EQ(stored, 610);
    EXPECT_TRUE(ProjectIntegrity::check(p.paths()).ok());
}

TEST(ProjectIntegrityTest, ValuePrintedWithSpacesIsAccepted) {
    TestProject p;
    p.writeMinimalProject(QStringLiteral("Sample"));
    p.writeRaw(QStringLiteral("Project.dat"), " 610 \r\n");
    EXPECT_TRUE(ProjectIntegrity::check(p.paths()).ok());
}

TEST(ProjectIntegrityTest, RenamedProjectIsWriteProtected) {
    TestProject p;
    p.writeMinimalProject(QStringLiteral("Sample"));
    ASSERT_TRUE(ProjectIntegrity::check(p.paths()).ok());
    QStringList general = fullGeneral();
    general[0] = q(QStringLiteral("Sampler"));
    p.writeLines(kGeneral, general);
    const Status s = ProjectIntegrity::check(p.paths());
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.text(), kWriteProtected);
    EXPECT_EQ(s.icon(), Status::Icon::Information);
}

TEST(ProjectIntegrityTest, MissingOrUnreadableProjectDatIsWriteProtected) {
    TestProject p;
    p.writeMinimalProject(QStringLiteral("Sample"));
    QFile::remove(p.path(QStringLiteral("Project.dat")));
    Status s = ProjectIntegrity::check(p.paths());
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.text(), kWriteProtected);
    int stored = 0;
    EXPECT_FALSE(ProjectIntegrity::read(p.root(), stored));

    p.writeLines(QStringLiteral("Project.dat"), {QStringLiteral("six hundred ten")});
    s = ProjectIntegrity::check(p.paths());
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.text(), kWriteProtected);
}

TEST(ProjectIntegrityTest, LongNameWrapsTheSameWayOnWriteAndCheck) {
    TestProject p;
    const QString name(300, QLatin1Char('z')); // 300 * 122 = 36600, past 32767
    const int wrapped = 36600 - 65536;
    EXPECT_EQ(ProjectIntegrity::nameSum(name), wrapped);
    QStringList general = fullGeneral();
    general[0] = q(name);
    p.writeLines(kGeneral, general);
    ASSERT_TRUE(ProjectIntegrity::write(p.root(), name).ok());
    EXPECT_EQ(p.read(QStringLiteral("Project.dat")), QByteArray::number(wrapped) + "\r\n");
    EXPECT_TRUE(ProjectIntegrity::check(p.paths()).ok());
}

// --- Names and texts --------------------------------------------------------------------------

TEST(NameRulesTest, EveryForbiddenCharacterIsRefusedWithTheMessage) {
    const QString message =
        QStringLiteral("Sorry, a filename cannot contain any of the following characters:\n") +
        QStringLiteral("\" \\ / : * ? < > | ,");
    const QString forbidden = QStringLiteral("\"\\/:*?<>|,");
    ASSERT_EQ(forbidden.size(), 10);
    for (QChar c : forbidden) {
        const QString name = QStringLiteral("My") + c + QStringLiteral("Name");
        const Status s = NameRules::checkName(name);
        EXPECT_FALSE(s.ok()) << name.toStdString();
        EXPECT_EQ(s.text(), message);
        EXPECT_EQ(s.icon(), Status::Icon::Exclamation);
        EXPECT_FALSE(NameRules::isValidName(name));
    }
    EXPECT_EQ(NameRules::forbiddenCharactersForDisplay(), QStringLiteral("\" \\ / : * ? < > | ,"));
    for (const QString &ok : {QStringLiteral("Kitchen"), QStringLiteral("Old key (rusty).v2"),
                              QString::fromUtf8("Château d'eau"), QStringLiteral("a_on_b")})
        EXPECT_TRUE(NameRules::checkName(ok).ok()) << ok.toStdString();
}

TEST(NameRulesTest, TextsRefuseQuotationMarksInBothWordings) {
    EXPECT_TRUE(NameRules::checkText(QStringLiteral("It's fine, really: <ok>")).ok());
    Status s = NameRules::checkText(QStringLiteral("Say \"hi\""));
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.text(), QStringLiteral("You cannot use quotation marks: \""));
    EXPECT_EQ(s.icon(), Status::Icon::Information);
    s = NameRules::checkText(QStringLiteral("\""), NameRules::QuoteWording::ProjectTexts);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(
        s.text(),
        QStringLiteral("You cannot use quotation marks. Please remove them, and then try again."));
    EXPECT_EQ(s.icon(), Status::Icon::Information);
}

TEST(NameRulesTest, SafeComponentExcludesDotNames) {
    EXPECT_TRUE(NameRules::isSafeComponent(QStringLiteral("Hall")));
    EXPECT_FALSE(NameRules::isSafeComponent(QStringLiteral("..")));
    EXPECT_FALSE(NameRules::isSafeComponent(QStringLiteral(".")));
    EXPECT_FALSE(NameRules::isSafeComponent(QString()));
    EXPECT_FALSE(NameRules::isSafeComponent(QStringLiteral("a/b")));
    EXPECT_FALSE(NameRules::isSafeComponent(QStringLiteral("a\\b")));
}

// --- Folder layout and new projects -----------------------------------------------------------

TEST(ProjectPathsTest, RootGetsATrailingSeparatorAndTheFourFolders) {
    const QChar sep = QDir::separator();
    const QString base = QDir::toNativeSeparators(QStringLiteral("/tmp/Games/Castle"));
    for (const QString &given : {base, base + sep}) {
        const ProjectPaths paths(given);
        EXPECT_EQ(paths.root(), base + sep);
        EXPECT_EQ(paths.FramesPath(), base + sep + QStringLiteral("Frames") + sep);
        EXPECT_EQ(paths.AreasPath(), base + sep + QStringLiteral("Areas") + sep);
        EXPECT_EQ(paths.IconsPath(), base + sep + QStringLiteral("Icons") + sep);
        EXPECT_EQ(paths.ConfigPath(), base + sep + QStringLiteral("Config") + sep);
    }
    EXPECT_TRUE(ProjectPaths().isEmpty());
    EXPECT_FALSE(ProjectPaths().isValidProject());
}

TEST(ProjectPathsTest, ValidExactlyWhenConfigGeneralExists) {
    TestProject p;
    QDir().mkpath(p.path(QStringLiteral("Config")));
    EXPECT_FALSE(p.paths().isValidProject());
    p.writeLines(kGeneral, fullGeneral());
    EXPECT_TRUE(p.paths().isValidProject());
}

TEST(ProjectSkeletonTest, CreatesFoldersPointersAndInformationFiles) {
    TestProject parent;
    parent.writeRaw(QStringLiteral("stock/arrow.ico"), "ICO");
    parent.writeRaw(QStringLiteral("stock/HAND.CUR"), "CUR");
    parent.writeRaw(QStringLiteral("stock/readme.txt"), "TXT");
    ProjectPaths paths;
    const Status s =
        createProjectSkeleton(parent.path(QStringLiteral("games")), QStringLiteral("Castle"),
                              parent.path(QStringLiteral("stock")), paths);
    ASSERT_TRUE(s.ok()) << s.text().toStdString();
    EXPECT_EQ(paths.root(), parent.path(QStringLiteral("games/Castle/")));
    for (const QString &f : {paths.root(), paths.FramesPath(), paths.AreasPath(), paths.IconsPath(),
                             paths.ConfigPath()})
        EXPECT_TRUE(QFileInfo(f).isDir()) << f.toStdString();
    EXPECT_EQ(QDir(paths.IconsPath()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
              (QStringList{"arrow.ico", "HAND.CUR"}));
    EXPECT_EQ(parent.read(QStringLiteral("games/Castle/Icons/arrow.ico")), QByteArray("ICO"));

    EXPECT_EQ(parent.read(QStringLiteral("games/Castle/Project.dat")),
              QByteArray::number(ProjectIntegrity::nameSum(QStringLiteral("Castle"))) + "\r\n");
    EXPECT_EQ(parent.read(QStringLiteral("games/Castle/Config/Version")),
              QByteArray("\"Version 2.06.01\"\r\n"));
    EXPECT_EQ(parent.read(QStringLiteral("games/Castle/Config/Variables")), QByteArray("0\r\n"));
    EXPECT_FALSE(parent.exists(QStringLiteral("games/Castle/Config/General")));
    EXPECT_FALSE(paths.isValidProject());
}

TEST(ProjectSkeletonTest, ExistingFoldersAreNoError) {
    TestProject parent;
    parent.writeRaw(QStringLiteral("Castle/Frames/Hall.fme"), "keep");
    ProjectPaths paths;
    const Status s = createProjectSkeleton(parent.root(), QStringLiteral("Castle"),
                                           parent.path(QStringLiteral("no-stock")), paths);
    ASSERT_TRUE(s.ok()) << s.text().toStdString();
    EXPECT_EQ(parent.read(QStringLiteral("Castle/Frames/Hall.fme")), QByteArray("keep"));
    EXPECT_TRUE(parent.exists(QStringLiteral("Castle/Project.dat")));
    EXPECT_TRUE(QDir(paths.IconsPath()).isEmpty());
}

TEST(ProjectSkeletonTest, NameWithForbiddenCharacterIsRefused) {
    TestProject parent;
    ProjectPaths paths;
    const Status s =
        createProjectSkeleton(parent.root(), QStringLiteral("Bad,Name"), QString(), paths);
    EXPECT_FALSE(s.ok());
    EXPECT_TRUE(s.text().startsWith(QStringLiteral("Sorry, a filename cannot contain")));
    EXPECT_TRUE(QDir(parent.root()).isEmpty());
    EXPECT_TRUE(paths.isEmpty());

    EXPECT_FALSE(createProjectSkeleton(parent.root(), QStringLiteral(".."), QString(), paths).ok());
    EXPECT_TRUE(QDir(parent.root()).isEmpty());
}

// Reading a whole project at once and finding its broken links.

#include "ProjectCheck.h"
#include "AreaFiles.h"
#include "FrameFiles.h"
#include "Items.h"
#include "ProjectSnapshot.h"
#include "TestProject.h"
#include "VariablesFile.h"

#include <QDir>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

// Readable failure messages.
void PrintTo(const ProjectProblem &p, std::ostream *os) {
    *os << (p.kind + QLatin1Char(' ') + p.file + QLatin1Char(' ') + p.name).toStdString();
}

#include <gtest/gtest.h>

namespace {

// A project with one frame "Start" holding one area that goes to "Hall", and the frame "Hall".
class ProjectCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        p.writeMinimalProject(QStringLiteral("Test"), QStringLiteral("Start"));
        FrameProperties colour;
        colour.Background = QStringLiteral("0");
        ASSERT_TRUE(frames().writeNewFrame(QStringLiteral("Start"), colour).ok());
        ASSERT_TRUE(frames().writeNewFrame(QStringLiteral("Hall"), colour).ok());
        ASSERT_TRUE(
            writeVariablesFile(p.path(QStringLiteral("Config/Variables")), {QStringLiteral("door")})
                .ok());
        area.action.GoToFrame = 1;
        area.action.TargetFrame = QStringLiteral("Hall");
        saveArea();
    }
    FrameFiles frames() const { return FrameFiles(p.paths(), SoundMode::MultiChannel); }
    AreaFiles areas() const {
        return AreaFiles(p.paths(), SoundMode::MultiChannel, QStringLiteral("Start"));
    }
    void saveArea() {
        ASSERT_TRUE(areas().save(1, area).ok());
        ASSERT_TRUE(frames().writeAreaCount(QStringLiteral("Start"), 1).ok());
    }
    QList<ProjectProblem> check() const { return checkProject(ProjectSnapshot::load(p.paths())); }
    static QString describe(const QList<ProjectProblem> &problems) {
        QString out;
        for (const ProjectProblem &pr : problems)
            out += pr.kind + QLatin1Char(' ') + pr.file + QLatin1Char(' ') + pr.name +
                   QLatin1Char('\n');
        return out;
    }
    TestProject p;
    Area area;
};

ProjectProblem problem(const char *kind, const char *file, const QString &name) {
    return ProjectProblem{QString::fromLatin1(kind), QString::fromLatin1(file), name};
}

// The order in which problems are found is of no importance.
QList<ProjectProblem> sorted(QList<ProjectProblem> problems) {
    std::sort(problems.begin(), problems.end(),
              [](const ProjectProblem &a, const ProjectProblem &b) {
                  if (a.file != b.file)
                      return a.file < b.file;
                  if (a.kind != b.kind)
                      return a.kind < b.kind;
                  return a.name < b.name;
              });
    return problems;
}

} // namespace

TEST_F(ProjectCheckTest, SnapshotReadsEveryFile) {
    const ProjectSnapshot s = ProjectSnapshot::load(p.paths());
    ASSERT_TRUE(s.general.usable());
    EXPECT_EQ(s.general.file, QStringLiteral("Config/General"));
    EXPECT_EQ(s.general.value.InitialFrame, QStringLiteral("Start"));
    EXPECT_EQ(s.soundMode, SoundMode::MultiChannel);
    EXPECT_TRUE(s.integrityOk);
    EXPECT_EQ(s.version.value, QStringLiteral("Version 2.06.01"));
    EXPECT_EQ(s.variables.value, QStringList{"door"});
    EXPECT_FALSE(s.texts.present);
    EXPECT_TRUE(s.texts.status.ok()); // optional
    EXPECT_EQ(s.frames.keys(), (QStringList{"Hall", "Start"}));
    const FrameSnapshot start = s.frames.value(QStringLiteral("Start"));
    EXPECT_TRUE(start.fme.usable());
    EXPECT_EQ(start.fme.file, QStringLiteral("Frames/Start.fme"));
    EXPECT_FALSE(start.chn.present);
    EXPECT_EQ(start.areaCount.value, 1);
    ASSERT_TRUE(start.areas.contains(1));
    EXPECT_EQ(start.areas[1].b.file, QStringLiteral("Areas/Start/1b.dat"));
    EXPECT_EQ(start.areas[1].b.value.TargetFrame, QStringLiteral("Hall"));
    EXPECT_EQ(s.frames.value(QStringLiteral("Hall")).areaCount.value, 0);
}

TEST_F(ProjectCheckTest, SingleChannelProjectReadsOneRecordChannelFiles) {
    QStringList general = QString::fromLatin1(p.read(QStringLiteral("Config/General")))
                              .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    general[18] = QStringLiteral("#TRUE#");
    p.writeLines(QStringLiteral("Config/General"), general);
    ASSERT_TRUE(
        writeChannels(p.path(QStringLiteral("Areas/Start/1d.dat")), SoundMode::SingleChannel, {})
            .ok());
    const ProjectSnapshot s = ProjectSnapshot::load(p.paths());
    EXPECT_EQ(s.soundMode, SoundMode::SingleChannel);
    const Loaded<ChannelFile> d = s.frames.value(QStringLiteral("Start")).areas.value(1).d;
    ASSERT_TRUE(d.usable());
    EXPECT_EQ(d.value.Channels.size(), 1);
    EXPECT_TRUE(check().isEmpty()) << describe(check()).toStdString();
}

TEST_F(ProjectCheckTest, CleanProjectHasNoProblems) {
    const QList<ProjectProblem> problems = check();
    EXPECT_TRUE(problems.isEmpty()) << describe(problems).toStdString();
}

TEST_F(ProjectCheckTest, MissingInitialFrame) {
    p.writeMinimalProject(QStringLiteral("Test"), QStringLiteral("Attic"));
    EXPECT_EQ(sorted(check()),
              sorted({problem("missing-initial-frame", "Config/General", "Attic")}));
    p.writeMinimalProject(QStringLiteral("Test"), QStringLiteral(".."));
    EXPECT_EQ(sorted(check()), sorted({problem("missing-initial-frame", "Config/General", "..")}));
    // Another letter case finds the frame.
    p.writeMinimalProject(QStringLiteral("Test"), QStringLiteral("START"));
    EXPECT_TRUE(check().isEmpty()) << describe(check()).toStdString();
}

TEST_F(ProjectCheckTest, MissingFrameButNotTheLastVisitedOne) {
    area.action.TargetFrame = QStringLiteral("Attic");
    saveArea();
    EXPECT_EQ(sorted(check()), sorted({problem("missing-frame", "Areas/Start/1b.dat", "Attic")}));

    for (const QString &target :
         {QStringLiteral("[last visited frame]"), QStringLiteral("[Last Visited Frame]")}) {
        area.action.TargetFrame = target;
        saveArea();
        EXPECT_TRUE(check().isEmpty()) << describe(check()).toStdString();
    }

    // A target that is not followed is not checked.
    area.action.GoToFrame = 0;
    area.action.TargetFrame = QStringLiteral("Attic");
    saveArea();
    EXPECT_TRUE(check().isEmpty()) << describe(check()).toStdString();
}

TEST_F(ProjectCheckTest, MissingFrameOfAFrameTimer) {
    FrameProperties f;
    ASSERT_TRUE(frames().readProperties(QStringLiteral("Hall"), f).ok());
    f.TimerEnabled = true;
    f.TimerFrame = QStringLiteral("Cellar");
    ASSERT_TRUE(frames().saveProperties(QStringLiteral("Hall"), f, {}).ok());
    EXPECT_EQ(sorted(check()), sorted({problem("missing-frame", "Frames/Hall.fme", "Cellar")}));
}

TEST_F(ProjectCheckTest, MissingFileAndItsHiddenName) {
    FrameProperties f;
    f.BackgroundKind = 1;
    f.Background = QStringLiteral("room.bmp");
    ASSERT_TRUE(frames().saveProperties(QStringLiteral("Hall"), f, {}).ok());
    area.look.HasPicture = true;
    area.look.PictureFile = QStringLiteral("pic.bmp");
    saveArea();
    EXPECT_EQ(sorted(check()), sorted({problem("missing-file", "Areas/Start/1a.dat", "pic.bmp"),
                                       problem("missing-file", "Frames/Hall.fme", "room.bmp")}));

    // A distribution keeps pic.bmp as pic.004; another letter case is no missing file either.
    p.writeRaw(QStringLiteral("Areas/pic.004"), "x");
    p.writeRaw(QStringLiteral("Frames/ROOM.BMP"), "x");
    EXPECT_TRUE(check().isEmpty()) << describe(check()).toStdString();
}

TEST_F(ProjectCheckTest, NamesLeavingTheProjectAreMissingFiles) {
    area.look.HasPicture = true;
    area.look.PictureFile = QStringLiteral("../Project.dat"); // exists, but outside Areas/
    area.look.MousePointer = QStringLiteral("..\\Config\\General");
    saveArea();
    EXPECT_EQ(sorted(check()),
              sorted({problem("missing-file", "Areas/Start/1a.dat", "../Project.dat"),
                      problem("missing-file", "Areas/Start/1a.dat", "..\\Config\\General")}));
}

TEST_F(ProjectCheckTest, MissingSoundAndPointerFiles) {
    area.look.MousePointer = QStringLiteral("hand.cur");
    ChannelRecord c;
    c.NoAction = false;
    c.PlaySound = true;
    c.SoundFile = QStringLiteral("bell.wav");
    area.sounds = {c};
    saveArea();
    EXPECT_EQ(sorted(check()), sorted({problem("missing-file", "Areas/Start/1a.dat", "hand.cur"),
                                       problem("missing-file", "Areas/Start/1d.dat", "bell.wav")}));
    p.writeRaw(QStringLiteral("Icons/hand.003"), "x");
    p.writeRaw(QStringLiteral("Areas/bell.wav"), "x");
    EXPECT_TRUE(check().isEmpty()) << describe(check()).toStdString();
}

TEST_F(ProjectCheckTest, MissingItems) {
    area.item.PickItem = 1;
    area.item.ItemName = QStringLiteral("Key");
    saveArea();
    DropEvent drop;
    ASSERT_TRUE(areas().saveDropEvent(1, QStringLiteral("Rope"), drop).ok());
    ItemEvent e;
    e.First = QStringLiteral("Lamp");
    e.Second = QStringLiteral("Oil");
    e.AddNew = 1;
    e.NewItem = QStringLiteral("Lit lamp");
    const Items items(p.paths());
    ASSERT_TRUE(items.write(QStringLiteral("Lamp"), ItemFile{}).ok());
    ASSERT_TRUE(items.writeEvent(e).ok());
    EXPECT_EQ(sorted(check()), sorted({problem("missing-item", "Areas/Lamp_on_Oil.drg", "Oil"),
                                       problem("missing-item", "Areas/Lamp_on_Oil.drg", "Lit lamp"),
                                       problem("missing-item", "Areas/Start/1c.dat", "Key"),
                                       problem("missing-item", "Areas/Start/1_Rope.drg", "Rope")}));

    for (const char *name : {"Key", "Oil", "Lit lamp", "Rope"})
        ASSERT_TRUE(items.write(QString::fromLatin1(name), ItemFile{}).ok());
    EXPECT_TRUE(check().isEmpty()) << describe(check()).toStdString();
}

TEST_F(ProjectCheckTest, UndeclaredVariables) {
    area.look.VisibleIf = 1;
    area.look.ZeroList = {QStringLiteral("door"), QStringLiteral("lamp")};
    area.action.ChangeVariables = 1;
    area.action.ChangeVariablesLists = 1;
    area.action.InvertList = {QStringLiteral("Door")}; // names are compared exactly
    saveArea();
    EXPECT_EQ(sorted(check()),
              sorted({problem("undeclared-variable", "Areas/Start/1a.dat", "lamp"),
                      problem("undeclared-variable", "Areas/Start/1b.dat", "Door")}));
}

TEST_F(ProjectCheckTest, UnreadableFiles) {
    p.writeLines(QStringLiteral("Areas/Start/1b.dat"), {QStringLiteral("not a number")});
    p.writeLines(QStringLiteral("Areas/Start/Text01.lbl"), {q(QStringLiteral("Hi"))});
    const QList<ProjectProblem> problems = check();
    ASSERT_EQ(problems.size(), 2) << describe(problems).toStdString();
    EXPECT_EQ(problems[0].kind, QStringLiteral("unreadable-file"));
    EXPECT_EQ(problems[0].file, QStringLiteral("Areas/Start/1b.dat"));
    EXPECT_EQ(problems[1].kind, QStringLiteral("unreadable-file"));
    EXPECT_EQ(problems[1].file, QStringLiteral("Areas/Start/Text01.lbl"));
}

TEST_F(ProjectCheckTest, MissingAreaFileIsUnreadable) {
    ASSERT_TRUE(frames().writeAreaCount(QStringLiteral("Start"), 2).ok());
    const QList<ProjectProblem> problems = check();
    QStringList files;
    for (const ProjectProblem &pr : problems) {
        EXPECT_EQ(pr.kind, QStringLiteral("unreadable-file"));
        files << pr.file;
    }
    EXPECT_EQ(files,
              (QStringList{"Areas/Start/2a.dat", "Areas/Start/2b.dat", "Areas/Start/2c.dat"}));
}

TEST(DataFileExistsTest, ExactCaseVariantAndHiddenName) {
    TestProject p;
    p.writeRaw(QStringLiteral("Areas/pic.004"), "x");
    p.writeRaw(QStringLiteral("Areas/Song.MID"), "x");
    const QString folder = p.paths().AreasPath();
    EXPECT_TRUE(dataFileExists(folder, QStringLiteral("pic.bmp")));
    EXPECT_TRUE(dataFileExists(folder, QStringLiteral("pic.BMP")));
    EXPECT_TRUE(dataFileExists(folder, QStringLiteral("song.mid")));
    EXPECT_FALSE(dataFileExists(folder, QStringLiteral("pic.jpg")));
    EXPECT_FALSE(dataFileExists(folder, QStringLiteral("../Areas/pic.bmp")));
    EXPECT_FALSE(dataFileExists(folder, QString()));
}

// A frame's files in every layout a project may hold them, read by the snapshot as the frame's
// own look-ups find them: another letter case, links inside, out of the project and dangling, a
// folder where a file belongs, a name that is no frame name.
TEST(ProjectSnapshotTest, FrameFilesInEveryLayoutAreFoundAsTheirLookUpsFindThem) {
    TestProject outside;
    outside.writeLines(QStringLiteral("Far.chn"), {q(QStringLiteral("Far"))});
    TestProject p;
    p.writeMinimalProject();
    const QStringList fme{QStringLiteral("0"),     q(QStringLiteral("1")), QStringLiteral("0"),
                          QStringLiteral("0"),     q(QString()),           QStringLiteral("0"),
                          QStringLiteral("4"),     q(QString()),           q(QString()),
                          QStringLiteral("#TRUE#")};
    const auto link = [&](const QString &target, const char *name) {
        ASSERT_TRUE(QFile::link(target, p.path(QStringLiteral("Frames/") + QLatin1String(name))));
    };
    for (const char *name : {"Plain.fme", "LOUD.FME", "Linked.fme", "Walls.fme", "a,b.fme"})
        p.writeLines(QStringLiteral("Frames/") + QLatin1String(name), fme);
    link(p.path(QStringLiteral("Frames/Plain.fme")), "Alias.fme");
    link(outside.path(QStringLiteral("Far.chn")), "Linked.chn");
    link(p.path(QStringLiteral("Frames/Nowhere.lks")), "Linked.lks");
    ASSERT_TRUE(writeChannels(p.path(QStringLiteral("Frames/WALLS.CHN")), SoundMode::MultiChannel,
                              QList<ChannelRecord>(channelCount(SoundMode::MultiChannel)))
                    .ok());
    ASSERT_TRUE(QDir().mkpath(p.path(QStringLiteral("Frames/Walls.lks"))));
    p.writeLines(QStringLiteral("Areas/WALLS/Text01.lbl"), {q(QStringLiteral("Hi"))});

    const ProjectSnapshot s = ProjectSnapshot::load(p.paths());
    EXPECT_EQ(s.frames.keys(), (QStringList{"Alias", "LOUD", "Linked", "Plain", "Walls", "a,b"}));
    const auto seen = [](const auto &l) {
        return l.file.toStdString() + (l.present ? ": present" : ": absent") +
               (l.status.ok() ? " ok" : " unreadable");
    };
    const char *const cases[][4] = {
        // frame, .fme, .chn, .lks
        {"Plain", "Frames/Plain.fme: present ok", "Frames/Plain.chn: absent ok",
         "Frames/Plain.lks: absent ok"},
        {"LOUD", "Frames/LOUD.FME: present ok", "Frames/LOUD.chn: absent ok",
         "Frames/LOUD.lks: absent ok"},
        {"Alias", "Frames/Alias.fme: present ok", "Frames/Alias.chn: absent ok",
         "Frames/Alias.lks: absent ok"},
        {"Linked", "Frames/Linked.fme: present ok", ": absent ok", "Frames/Linked.lks: absent ok"},
        {"Walls", "Frames/Walls.fme: present ok", "Frames/WALLS.CHN: present ok",
         "Frames/Walls.lks: present unreadable"},
        {"a,b", ": absent unreadable", ": absent ok", ": absent ok"},
    };
    for (const auto &c : cases) {
        const FrameSnapshot f = s.frames.value(QString::fromLatin1(c[0]));
        EXPECT_EQ(std::vector<std::string>({seen(f.fme), seen(f.chn), seen(f.areaCount)}),
                  std::vector<std::string>({c[1], c[2], c[3]}));
    }
    // A frame without areas still has the texts of its folder, found in another letter case.
    EXPECT_EQ(s.frames.value(QStringLiteral("Walls")).texts.keys(), QStringList{"Text01.lbl"});
}

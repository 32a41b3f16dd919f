// Names read from project files become paths: they must stay inside the project and be found
// whatever letter case the file has on disk.

#include "AreaFiles.h"
#include "FrameFiles.h"
#include "Items.h"
#include "ProjectFiles.h"
#include "TestProject.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QStringList tenLineFrame() {
    return {QStringLiteral("0"),       q(QStringLiteral("0")), QStringLiteral("#FALSE#"),
            QStringLiteral("#FALSE#"), q(QString()),           QStringLiteral("#FALSE#"),
            q(QStringLiteral("4")),    q(QString()),           q(QString()),
            QStringLiteral("#TRUE#")};
}

} // namespace

TEST(PathSafetyTest, NamesLeavingTheFolderAreRefused) {
    TestProject p;
    p.writeMinimalProject();
    const QString folder = p.paths().AreasPath();
    for (const QString &name :
         {QStringLiteral("..\\..\\x"), QStringLiteral("../x"), QStringLiteral("/etc/passwd"),
          QStringLiteral("C:\\x"), QStringLiteral("c:x"), QStringLiteral("\\server\\share"),
          QStringLiteral("sub/../../x"), QStringLiteral(".."), QString(), QStringLiteral("/")}) {
        EXPECT_TRUE(ProjectFiles::resolve(folder, name).isEmpty()) << name.toStdString();
        EXPECT_FALSE(ProjectFiles::isSafeRelativeName(name)) << name.toStdString();
    }
}

TEST(PathSafetyTest, RelativeNamesWithEitherSeparatorStayInside) {
    TestProject p;
    p.writeRaw(QStringLiteral("Areas/Sub/pic.bmp"), "x");
    const QString folder = p.paths().AreasPath();
    const QString expected =
        folder + QStringLiteral("Sub") + QDir::separator() + QStringLiteral("pic.bmp");
    EXPECT_EQ(ProjectFiles::resolve(folder, QStringLiteral("Sub\\pic.bmp")), expected);
    EXPECT_EQ(ProjectFiles::resolve(folder, QStringLiteral("Sub/pic.bmp")), expected);
    // Dots inside names are no parent reference.
    EXPECT_TRUE(ProjectFiles::isSafeRelativeName(QStringLiteral("..pic.bmp")));
    EXPECT_TRUE(ProjectFiles::isSafeRelativeName(QStringLiteral("a..b/c.bmp")));
}

TEST(PathSafetyTest, NamesInAnotherLetterCaseAreFound) {
    TestProject p;
    p.writeRaw(QStringLiteral("Areas/SUB/Pic.BMP"), "x");
    const QString folder = p.paths().AreasPath();
    const QString found = ProjectFiles::resolve(folder, QStringLiteral("sub\\pic.bmp"));
    EXPECT_EQ(found,
              folder + QStringLiteral("SUB") + QDir::separator() + QStringLiteral("Pic.BMP"));
    EXPECT_TRUE(QFileInfo(found).isFile());
    // A name found nowhere keeps its spelling, so writes create it as given.
    EXPECT_EQ(ProjectFiles::resolve(folder, QStringLiteral("New.bmp")),
              folder + QStringLiteral("New.bmp"));
    EXPECT_TRUE(ProjectFiles::exists(folder + QStringLiteral("sub")));
    EXPECT_FALSE(ProjectFiles::exists(folder + QStringLiteral("nothing")));
}

TEST(PathSafetyTest, FrameFileInAnotherCaseIsReadAndRewrittenInPlace) {
    TestProject p;
    p.writeMinimalProject();
    p.writeLines(QStringLiteral("Frames/KITCHEN.FME"), tenLineFrame());
    const FrameFiles frames(p.paths(), SoundMode::MultiChannel);
    EXPECT_TRUE(frames.exists(QStringLiteral("Kitchen")));
    FrameProperties f;
    ASSERT_TRUE(frames.readProperties(QStringLiteral("Kitchen"), f).ok());
    EXPECT_TRUE(f.WaitVideo);

    f.TimerEnabled = true;
    ASSERT_TRUE(frames.saveProperties(QStringLiteral("Kitchen"), f, {}).ok());
    EXPECT_EQ(frames.list(), QStringList{"KITCHEN"});
    EXPECT_EQ(p.read(QStringLiteral("Frames/KITCHEN.FME")).count('\n'), 22);
}

TEST(PathSafetyTest, AreaFilesInAnotherCaseAreFound) {
    TestProject p;
    p.writeMinimalProject();
    p.writeLines(QStringLiteral("Areas/HALL/1A.DAT"),
                 {QStringLiteral("15"), QStringLiteral("30"), QStringLiteral("600"),
                  QStringLiteral("450"), QStringLiteral("0"), QStringLiteral("#FALSE#"),
                  q(QString()), QStringLiteral("0"), q(QStringLiteral("DEFAULT")),
                  QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
    const AreaFiles areas(p.paths(), SoundMode::MultiChannel, QStringLiteral("Hall"));
    AreaLook look;
    ASSERT_TRUE(areas.readLook(1, look).ok());
    EXPECT_DOUBLE_EQ(look.Width, 600);
    ASSERT_TRUE(areas.savePosition(1, 0, 0, 300, 300).ok());
    EXPECT_EQ(QDir(p.path(QStringLiteral("Areas/HALL"))).entryList(QDir::Files),
              QStringList{"1A.DAT"});
    ASSERT_TRUE(areas.readLook(1, look).ok());
    EXPECT_DOUBLE_EQ(look.Width, 300);
}

TEST(PathSafetyTest, DotNamesAreNeverUsedAsFrameItemOrAreaPaths) {
    TestProject p;
    p.writeMinimalProject();
    // A file that "../Project" would reach from Frames/.
    p.writeLines(QStringLiteral("Project.fme"), tenLineFrame());
    const FrameFiles frames(p.paths(), SoundMode::MultiChannel);
    for (const QString &name : {QStringLiteral(".."), QStringLiteral("../Project"),
                                QStringLiteral("..\\Project"), QStringLiteral(".")}) {
        EXPECT_TRUE(frames.fmePath(name).isEmpty()) << name.toStdString();
        EXPECT_TRUE(frames.areaFolder(name).isEmpty()) << name.toStdString();
        EXPECT_FALSE(frames.exists(name));
        FrameProperties f;
        EXPECT_FALSE(frames.readProperties(name, f).ok());
        EXPECT_FALSE(frames.writeNewFrame(name, f).ok());
        EXPECT_FALSE(frames.writeAreaCount(name, 1).ok());
        const AreaFiles areas(p.paths(), SoundMode::MultiChannel, name);
        EXPECT_TRUE(areas.folder().isEmpty());
        EXPECT_FALSE(areas.save(1, Area()).ok());
    }
    EXPECT_FALSE(p.exists(QStringLiteral("Frames/...fme")));
    EXPECT_FALSE(p.exists(QStringLiteral("1a.dat")));
    EXPECT_FALSE(p.exists(QStringLiteral("Areas/1a.dat")));

    const Items items(p.paths());
    EXPECT_TRUE(items.itemPath(QStringLiteral("../General")).isEmpty());
    EXPECT_TRUE(items.eventPath(QStringLiteral(".."), QStringLiteral("Key")).isEmpty());
    ItemFile f;
    EXPECT_FALSE(items.read(QStringLiteral(".."), f).ok());
}

// The files one frame's editing can touch, taken before and after a change and written back
// either way: new, changed and removed files, and files of other frames left alone.

#include "FrameFileState.h"
#include "TestProject.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(FrameFileStateTest, ChangesAreFoundAndPutBackEitherWay) {
    TestProject p;
    p.writeRaw("Config/Variables", "0\r\n");
    p.writeRaw("Frames/Hall.fme", "frame");
    p.writeRaw("Areas/Hall/1a.dat", "one");
    p.writeRaw("Areas/Hall/2a.dat", "two");
    p.writeRaw("Areas/Other/1a.dat", "other");
    const FrameFileState before = FrameFileState::capture(p.paths(), "Hall");
    EXPECT_EQ(before.fileCount(), 3); // 1a, 2a, Variables: no .lks yet

    p.writeRaw("Areas/Hall/1a.dat", "ONE");           // changed
    QFile::remove(p.path("Areas/Hall/2a.dat"));       // removed
    p.writeRaw("Areas/Hall/Text01.lbl", "text");      // new
    p.writeRaw("Frames/Hall.lks", "1\r\n");           // new
    p.writeRaw("Config/Variables", "1\r\n\"a\"\r\n"); // changed
    p.writeRaw("Areas/Other/1a.dat", "elsewhere");    // another frame: not this frame's
    p.writeRaw("Frames/Hall.fme", "frame too");       // not a file the canvas writes
    const QList<FileChange> changes = before.changesTo(FrameFileState::capture(p.paths(), "Hall"));
    QStringList changed;
    for (const FileChange &c : changes)
        changed.append(QDir(p.root()).relativeFilePath(c.path));
    EXPECT_EQ(changed,
              (QStringList{"Areas/Hall/1a.dat", "Areas/Hall/2a.dat", "Areas/Hall/Text01.lbl",
                           "Config/Variables", "Frames/Hall.lks"}));

    ASSERT_TRUE(FrameFileState::apply(changes, false));
    EXPECT_EQ(p.read("Areas/Hall/1a.dat"), "one");
    EXPECT_EQ(p.read("Areas/Hall/2a.dat"), "two");
    EXPECT_FALSE(p.exists("Areas/Hall/Text01.lbl"));
    EXPECT_FALSE(p.exists("Frames/Hall.lks"));
    EXPECT_EQ(p.read("Config/Variables"), "0\r\n");
    EXPECT_EQ(p.read("Areas/Other/1a.dat"), "elsewhere");

    ASSERT_TRUE(FrameFileState::apply(changes, true));
    EXPECT_EQ(p.read("Areas/Hall/1a.dat"), "ONE");
    EXPECT_FALSE(p.exists("Areas/Hall/2a.dat"));
    EXPECT_EQ(p.read("Areas/Hall/Text01.lbl"), "text");
    EXPECT_EQ(p.read("Frames/Hall.lks"), "1\r\n");
}

TEST(FrameFileStateTest, AnAreaFolderMadeByTheChangeGoesWithItsUndo) {
    TestProject p;
    p.writeRaw("Config/Variables", "0\r\n");
    const FrameFileState before = FrameFileState::capture(p.paths(), "Yard");
    p.writeRaw("Areas/Yard/Text01.lbl", "text");
    const QList<FileChange> changes = before.changesTo(FrameFileState::capture(p.paths(), "Yard"));
    ASSERT_EQ(changes.size(), 1);
    EXPECT_FALSE(changes[0].existedBefore);
    ASSERT_TRUE(FrameFileState::apply(changes, false));
    EXPECT_FALSE(QDir(p.path("Areas/Yard")).exists());
    ASSERT_TRUE(FrameFileState::apply(changes, true));
    EXPECT_EQ(p.read("Areas/Yard/Text01.lbl"), "text");
}

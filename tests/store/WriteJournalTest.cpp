// The project-wide history: every structural step, whichever way the store makes it, is undone
// and redone byte for byte, and a write-back that fails moves nothing.

#include "WriteJournal.h"
#include "EventRemoval.h"
#include "FileAccess.h"
#include "FrameOperations.h"
#include "Items.h"
#include "ReadOnlyFolder.h"
#include "ReferenceGame.h"
#include "RenameAndRemove.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Target = References::Target;

QMap<QString, QByteArray> tree(const TestProject &p) {
    return folderTree(p.root());
}

struct StepCase {
    const char *name;
    std::function<bool(const ProjectPaths &, const QString &outside)> apply;
};

const StepCase kSteps[] = {
    {"rename frame",
     [](const ProjectPaths &p, const QString &) {
         return RenameAndRemove(p).rename(Target::Frame, "Cellar", "Vault");
     }},
    {"remove frame and clear its references",
     [](const ProjectPaths &p, const QString &) {
         return RenameAndRemove(p).remove(Target::Frame, "Cellar", true);
     }},
    {"new frame of one colour",
     [](const ProjectPaths &p, const QString &) {
         return FrameOperations(p).createSolid("Garden", 0x00FF00);
     }},
    {"new frame from a picture",
     [](const ProjectPaths &p, const QString &outside) {
         QString frame;
         return FrameOperations(p).createFromPicture(outside + "meadow.bmp", false, frame);
     }},
    {"duplicate frame",
     [](const ProjectPaths &p, const QString &) {
         return FrameOperations(p).duplicate("Hall", "Hall01");
     }},
    {"create item",
     [](const ProjectPaths &p, const QString &outside) {
         return Items(p).create("Coin", outside + "coin.ico").ok();
     }},
    {"rename item",
     [](const ProjectPaths &p, const QString &) {
         return RenameAndRemove(p).rename(Target::Item, "Key", "Skeleton");
     }},
    {"remove item and clear its references",
     [](const ProjectPaths &p, const QString &) {
         return RenameAndRemove(p).remove(Target::Item, "Key", true);
     }},
    {"create item event",
     [](const ProjectPaths &p, const QString &) {
         return Items(p).writeEvent(ItemEvent{"Rope", "Lamp", 1, 0, 0, ""}).ok();
     }},
    {"remove item event",
     [](const ProjectPaths &p, const QString &) {
         return EventRemoval(p).removeItemEvent("Key", "Rope");
     }},
    {"remove drop event",
     [](const ProjectPaths &p, const QString &) {
         return EventRemoval(p).removeDropEvent("Hall", 2, "Key");
     }},
};

} // namespace

TEST(WriteJournalTest, EveryStructuralStepIsUndoneAndRedoneByteForByte) {
    QTemporaryDir outside;
    const QString source = outside.path() + '/';
    QFile(source + "meadow.bmp").open(QIODevice::WriteOnly);
    QFile icon(source + "coin.ico");
    ASSERT_TRUE(icon.open(QIODevice::WriteOnly));
    icon.write("icon bytes");
    icon.close();
    for (const StepCase &c : kSteps) {
        SCOPED_TRACE(c.name);
        ReferenceGame game;
        WriteJournal journal;
        const auto before = tree(game);
        {
            WriteJournal::Recording step(journal, c.name);
            ASSERT_TRUE(c.apply(game.paths(), source));
            ASSERT_TRUE(step.finish());
        }
        const auto after = tree(game);
        ASSERT_NE(after, before);
        EXPECT_EQ(journal.stepToUndo()->text, c.name);
        ASSERT_TRUE(journal.undo()) << journal.errorString().toStdString();
        EXPECT_EQ(tree(game), before);
        EXPECT_FALSE(journal.canUndo());
        ASSERT_TRUE(journal.redo()) << journal.errorString().toStdString();
        EXPECT_EQ(tree(game), after);
        ASSERT_TRUE(journal.undo());
        EXPECT_EQ(tree(game), before);
    }
}

TEST(WriteJournalTest, AWriteBackThatFailsChangesNoFileAndKeepsThePosition) {
    ReferenceGame game;
    WriteJournal journal;
    {
        WriteJournal::Recording step(journal, "Rename Frame");
        ASSERT_TRUE(RenameAndRemove(game.paths()).rename(Target::Frame, "Cellar", "Vault"));
    }
    const auto renamed = tree(game);
    {
        ReadOnlyFolder locked(game.path("Areas/Hall"));
        if (!locked.ok())
            GTEST_SKIP() << "no read-only folder can be made here";
        EXPECT_FALSE(journal.undo());
        EXPECT_TRUE(journal.errorString().contains("Hall")) << journal.errorString().toStdString();
        EXPECT_EQ(tree(game), renamed);
        EXPECT_EQ(journal.index(), 1);
    }
    ASSERT_TRUE(journal.undo()) << journal.errorString().toStdString();
    EXPECT_TRUE(game.exists("Frames/Cellar.fme"));
    EXPECT_FALSE(game.exists("Frames/Vault.fme"));
}

// A recording of another history opened inside a step (an item made from a canvas dialog) keeps
// its own changes: each history undoes what it recorded and nothing of the other's.
TEST(WriteJournalTest, ARecordingOfAnotherJournalInsideAStepKeepsItsOwnChanges) {
    ReferenceGame game;
    WriteJournal canvas, project;
    const auto before = tree(game);
    {
        WriteJournal::Recording outer(canvas, "Area Properties");
        ASSERT_TRUE(FileAccess::replaceFile(game.path("Frames/Hall.fme"), "outer"));
        {
            WriteJournal::Recording inner(project, "New Item");
            ASSERT_TRUE(FileAccess::replaceFile(game.path("Frames/Cellar.fme"), "inner"));
            EXPECT_TRUE(inner.finish());
        }
        ASSERT_TRUE(FileAccess::replaceFile(game.path("Frames/Hall.lks"), "outer"));
    }
    auto pathsOf = [](const WriteJournal &journal) {
        QStringList out;
        for (const WriteJournal::Change &c : journal.stepToUndo()->changes)
            out.append(QFileInfo(c.path).fileName());
        return out;
    };
    ASSERT_EQ(canvas.count(), 1);
    ASSERT_EQ(project.count(), 1);
    EXPECT_EQ(pathsOf(canvas), (QStringList{"Hall.fme", "Hall.lks"}));
    EXPECT_EQ(pathsOf(project), QStringList{"Cellar.fme"});
    ASSERT_TRUE(canvas.undo());
    EXPECT_EQ(game.read("Frames/Cellar.fme"), "inner");
    ASSERT_TRUE(project.undo());
    EXPECT_EQ(tree(game), before);
}

// What one operation's shared folder listings must not change: leftovers of a writer that died
// are still found by the next operation in their folder, and names written or looked up inside
// an operation read the same as outside one.

#include "FolderListings.h"
#include "FileAccess.h"
#include "ProjectFiles.h"
#include "TestProject.h"
#include "WriteBatch.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// A writer in another process may die at any time, so every operation that writes in a folder
// removes what it left there, not only the first one of this process.
TEST(FolderListingsTest, EachWritingOperationRemovesLeftoversLeftSinceTheLastOne) {
    TestProject p;
    ASSERT_TRUE(FileAccess::replaceFile(p.path(QStringLiteral("a.sav")), "first"));
    const QString leftover = p.path(QStringLiteral(".b.sav.qmtmp-aB3dE9"));
    p.writeRaw(QStringLiteral(".b.sav.qmtmp-aB3dE9"), "died");
    WriteBatch batch;
    batch.write(p.path(QStringLiteral("a.sav")), "second");
    ASSERT_TRUE(batch.commit()) << batch.errorString().toStdString();
    EXPECT_FALSE(QFileInfo::exists(leftover));
    EXPECT_EQ(p.read(QStringLiteral("a.sav")), QByteArray("second"));
}

// Inside an operation a file the writer puts in place is found by the look-ups that follow,
// in any letter case, and a name missing in every case stays missing.
TEST(FolderListingsTest, FilesWrittenInsideAnOperationAreFoundByItsLaterLookUps) {
    TestProject p;
    p.writeRaw(QStringLiteral("Frames/Old.fme"), "0\r\n");
    const QString frames = p.path(QStringLiteral("Frames")) + QDir::separator();
    const FolderListings::Scope scope;
    EXPECT_EQ(ProjectFiles::existingVariant(frames + QStringLiteral("NEW.fme")),
              frames + QStringLiteral("NEW.fme"));
    ASSERT_TRUE(FileAccess::replaceFile(frames + QStringLiteral("New.fme"), "0\r\n"));
    EXPECT_EQ(ProjectFiles::existingVariant(frames + QStringLiteral("NEW.fme")),
              frames + QStringLiteral("New.fme"));
    EXPECT_EQ(ProjectFiles::baseNamesWithExtension(frames, QStringLiteral("fme")),
              QStringList({"New", "Old"}));
    EXPECT_TRUE(ProjectFiles::exists(frames + QStringLiteral("old.FME")));
}

} // namespace

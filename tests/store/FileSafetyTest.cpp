// Project files on a full disk, behind links, as special files and as oversized files: the old
// file survives every failed write, and a reader only ever takes a regular file of sane size.

#include "AreaFiles.h"
#include "FileAccess.h"
#include "FolderCopy.h"
#include "FrameFiles.h"
#include "Items.h"
#include "ProjectSkeleton.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "SavedGameFile.h"
#include "TestProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The two ways a project file is written: a record file through RecordWriter, and a saved game.
struct WriteCase {
    const char *what;
    std::function<Status(const QString &path, int size)> write;
};

const WriteCase kWriteCases[] = {
    {"record file",
     [](const QString &path, int size) {
         RecordWriter w;
         w.writeString(QString(size, QLatin1Char('x')));
         return w.commit(path, Status::failure(QStringLiteral("Error"), QStringLiteral("No")));
     }},
    {"saved game",
     [](const QString &path, int size) {
         SavedGameFile g;
         g.SavedFrame = QString(size, QLatin1Char('f'));
         return writeSavedGame(path, g);
     }},
};

// Runs `write` with files limited to `limit` bytes: writes past it fail with EFBIG, as they
// would with ENOSPC on a full disk, and this works without any right to mount.
Status withFileSizeLimit(rlim_t limit, const std::function<Status()> &write) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = limit;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const Status s = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    return s;
}

} // namespace

// Small writes are buffered: a failure that shows only when the buffer is flushed must fail the
// write too, and never replace the old file.
TEST(FileSafetyTest, WritePastTheRoomLeftKeepsTheOldFileByteForByte) {
    struct Size {
        int bytes;
        rlim_t limit;
    };
    const Size sizes[] = {{82, 40}, {11 * 1024, 8 * 1024}, {256 * 1024, 4096}};
    for (const WriteCase &c : kWriteCases) {
        for (const Size &size : sizes) {
            SCOPED_TRACE(std::string(c.what) + " of " + std::to_string(size.bytes) + " bytes");
            TestProject p;
            const QString path =
                p.writeLines(QStringLiteral("old.sav"), {q(QStringLiteral("old"))});
            const QByteArray before = p.read(QStringLiteral("old.sav"));
            const Status s =
                withFileSizeLimit(size.limit, [&] { return c.write(path, size.bytes); });
            EXPECT_FALSE(s.ok());
            EXPECT_EQ(s.detail(), QStringLiteral("File too large"));
            EXPECT_EQ(p.read(QStringLiteral("old.sav")), before);
            EXPECT_EQ(filesIn(p.root()), QStringList{"old.sav"});
        }
    }
}

// A real full file system where the test may mount one (a small tmpfs in a private mount
// namespace); elsewhere the file-size limit above stands in for it.
TEST(FileSafetyTest, FullFileSystemKeepsTheOldFileAndSaysWhy) {
    TestProject p;
    const QString mountPoint = p.path(QStringLiteral("disk"));
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // 2: cannot mount here; 1: a check failed; 0: all good.
        if (unshare(CLONE_NEWNS) != 0) {
            // Without the right to mount, a user namespace may still grant it.
            const uid_t uid = getuid();
            const gid_t gid = getgid();
            if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                _exit(2);
            const auto put = [](const char *file, const QByteArray &text) {
                QFile f(QString::fromLatin1(file));
                return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
            };
            if (!put("/proc/self/setgroups", "deny") ||
                !put("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1") ||
                !put("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
                _exit(2);
        }
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr);
        if (mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0)
            _exit(2);
        const QString path = mountPoint + QStringLiteral("/old.sav");
        SavedGameFile old;
        old.SavedFrame = QStringLiteral("old");
        if (!writeSavedGame(path, old))
            _exit(1);
        QFile before(path);
        before.open(QIODevice::ReadOnly);
        const QByteArray bytes = before.readAll();
        before.close();
        QFile filler(mountPoint + QStringLiteral("/filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(4096, 'z');
        while (filler.write(block) > 0) {
        }
        filler.close();
        SavedGameFile g;
        g.SavedFrame = QStringLiteral("new");
        const Status s = writeSavedGame(path, g);
        QFile after(path);
        after.open(QIODevice::ReadOnly);
        const bool ok = !s.ok() && s.detail() == QStringLiteral("No space left on device") &&
                        after.readAll() == bytes &&
                        filesIn(mountPoint) == QStringList({"filler", "old.sav"});
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2)
        GTEST_SKIP() << "no right to mount a small file system here";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(FileSafetyTest, ALinkAtTheTargetIsReplacedNeverFollowed) {
    TestProject outside;
    const QString victim = outside.writeRaw(QStringLiteral("victim.txt"), "outside\n");
    TestProject p;
    const QString link = p.path(QStringLiteral("s1.sav"));
    ASSERT_TRUE(QFile::link(victim, link));
    SavedGameFile g;
    g.SavedFrame = QStringLiteral("Hall");
    ASSERT_TRUE(writeSavedGame(link, g).ok());
    EXPECT_EQ(outside.read(QStringLiteral("victim.txt")), QByteArray("outside\n"));
    const QFileInfo info(link);
    EXPECT_FALSE(info.isSymLink());
    EXPECT_TRUE(info.isFile());
    SavedGameFile back;
    ASSERT_TRUE(readSavedGame(link, back).ok());
    EXPECT_EQ(back.SavedFrame, QStringLiteral("Hall"));
}

TEST(FileSafetyTest, AReplacedFileKeepsItsPermissions) {
    TestProject p;
    const QString path = p.writeRaw(QStringLiteral("f.lks"), "1\r\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(writeFileAtomically(path, "2\r\n"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(p.read(QStringLiteral("f.lks")), QByteArray("2\r\n"));
}

// An interrupted save leaves ".<name>.qmtmp-XXXXXX": the next write in that folder removes it and
// lists never show it. Names an earlier writer used ("s1.sav.aB3dE9") are not listed either, but
// they may be the user's own files and are never removed.
TEST(FileSafetyTest, OnlyTheWritersOwnLeftoversAreRemovedAndNoneIsListed) {
    TestProject p;
    const QStringList leftovers = {".s1.sav.qmtmp-aB3dE9", ".General.qmtmp-Zq81xY",
                                   ".1a.dat.qmtmp-000000"};
    const QStringList olderNames = {"s2.sav.000000", "Real.sav.backup", "General.backup",
                                    "Shore.fme.before"};
    const QStringList kept = {"photo.bitmap", "s3.sav.abc", "x.wav.abcdef", "old.sav",
                              ".s4.sav.qmtmp-abc", "s5.sav.qmtmp-abcdef"};
    for (const QString &f : leftovers + olderNames + kept)
        p.writeRaw(f, "x");
    for (const QString &f : leftovers + olderNames)
        EXPECT_TRUE(FileAccess::isLeftoverTemporary(f)) << f.toStdString();
    for (const QString &f : kept)
        EXPECT_FALSE(FileAccess::isWriterTemporary(f)) << f.toStdString();
    EXPECT_EQ(SavedGames::list(p.root()), QStringList{"old"});
    SavedGameFile g;
    ASSERT_TRUE(writeSavedGame(p.path(QStringLiteral("new.sav")), g).ok());
    QStringList expected = olderNames + kept;
    expected << "new.sav";
    expected.sort();
    EXPECT_EQ(filesIn(p.root()), expected);
}

// A file the user cannot write is never replaced: not by a record file, not by a saved game,
// and as root not when no write permission is set at all.
TEST(FileSafetyTest, AReadOnlyFileIsNotReplaced) {
    for (const WriteCase &c : kWriteCases) {
        SCOPED_TRACE(c.what);
        TestProject p;
        const QString path = p.writeLines(QStringLiteral("old.sav"), {q(QStringLiteral("old"))});
        const QByteArray before = p.read(QStringLiteral("old.sav"));
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        const Status s = c.write(path, 10);
        EXPECT_FALSE(s.ok());
        EXPECT_EQ(s.detail(), QStringLiteral("Permission denied"));
        EXPECT_EQ(p.read(QStringLiteral("old.sav")), before);
        EXPECT_EQ(filesIn(p.root()), QStringList{"old.sav"});
    }
}

// A copy into the project takes only a regular file (a named pipe among the stock pointers never
// blocks a new project) and, when the disk fills, leaves the file it would have replaced as it
// was, with nothing beside it.
TEST(FileSafetyTest, CopiesTakeRegularFilesAndKeepTheOldFileOnFailure) {
    TestProject p;
    p.writeRaw(QStringLiteral("stock/arrow.cur"), "cursor");
    ASSERT_EQ(mkfifo(QFile::encodeName(p.path(QStringLiteral("stock/trap.cur"))).constData(), 0600),
              0);
    auto made = std::async(std::launch::async, [&] {
        ProjectPaths paths;
        return createProjectSkeleton(p.root(), QStringLiteral("New"), p.path(QStringLiteral("stock")),
                                     paths)
            .ok();
    });
    if (made.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        std::fprintf(stderr, "FAILED: a new project blocked on a named pipe\n");
        std::_Exit(1);
    }
    EXPECT_TRUE(made.get());
    EXPECT_EQ(filesIn(p.path(QStringLiteral("New/Icons"))), QStringList{"arrow.cur"});

    const QString source = p.writeRaw(QStringLiteral("from/big.wav"), QByteArray(64 * 1024, 'w'));
    const QString target = p.writeRaw(QStringLiteral("to/big.wav"), "old");
    QString error;
    const Status full = withFileSizeLimit(4096, [&] {
        return FileAccess::copyFile(source, target, FileAccess::kMaxMediaFileSize, &error)
                   ? Status::success()
                   : Status::failure(error);
    });
    EXPECT_FALSE(full.ok());
    EXPECT_EQ(error, QStringLiteral("File too large"));
    EXPECT_EQ(p.read(QStringLiteral("to/big.wav")), QByteArray("old"));
    EXPECT_EQ(filesIn(p.path(QStringLiteral("to"))), QStringList{"big.wav"});
    ASSERT_TRUE(FileAccess::copyFile(source, target, FileAccess::kMaxMediaFileSize));
    EXPECT_EQ(p.read(QStringLiteral("to/big.wav")), QByteArray(64 * 1024, 'w'));
}

// Copying a folder takes its regular files and folders; a named pipe in it is left out rather than
// read (which would block for ever), and a link is never followed.
TEST(FileSafetyTest, FolderCopySkipsPipesAndLinks) {
    TestProject p;
    p.writeRaw(QStringLiteral("from/a.txt"), "a");
    p.writeRaw(QStringLiteral("from/sub/b.txt"), "b");
    ASSERT_EQ(mkfifo(QFile::encodeName(p.path(QStringLiteral("from/pipe"))).constData(), 0600), 0);
    ASSERT_EQ(mkfifo(QFile::encodeName(p.path(QStringLiteral("from/sub/pipe"))).constData(), 0600),
              0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/etc/hostname"), p.path(QStringLiteral("from/link"))));
    auto copied = std::async(std::launch::async, [&] {
        return FolderCopy().copy(p.path(QStringLiteral("from")), p.path(QStringLiteral("to")));
    });
    if (copied.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // A copy stuck opening the pipe cannot be stopped: end the run.
        std::fprintf(stderr, "FAILED: the folder copy blocked on a named pipe\n");
        std::_Exit(1);
    }
    EXPECT_TRUE(copied.get());
    EXPECT_EQ(p.read(QStringLiteral("to/a.txt")), "a");
    EXPECT_EQ(p.read(QStringLiteral("to/sub/b.txt")), "b");
    for (const char *absent : {"to/pipe", "to/sub/pipe", "to/link"})
        EXPECT_FALSE(QFileInfo(p.path(QString::fromLatin1(absent))).exists() ||
                     QFileInfo(p.path(QString::fromLatin1(absent))).isSymLink())
            << absent;
}

// Reading: only regular files no larger than the limit, and a named pipe never blocks.
TEST(FileSafetyTest, ReadersTakeOnlyRegularFilesOfBoundedSize) {
    TestProject p;
    p.writeRaw(QStringLiteral("ok"), "\"fine\"\r\n");
    ASSERT_EQ(mkfifo(QFile::encodeName(p.path(QStringLiteral("pipe"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), p.path(QStringLiteral("zero"))));
    ASSERT_TRUE(QDir().mkpath(p.path(QStringLiteral("folder"))));
    {
        QFile big(p.path(QStringLiteral("big")));
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        ASSERT_TRUE(big.resize(FileAccess::kMaxRecordFileSize + 1)); // sparse: costs no room
    }
    p.writeRaw(QStringLiteral("longvalue"),
               "\"" + QByteArray(kMaxRecordValueLength + 1, 'v') + "\"\r\n");
    p.writeRaw(QStringLiteral("longnumber"), QByteArray(kMaxRecordValueLength + 1, '1'));
    p.writeRaw(QStringLiteral("longest"), "\"" + QByteArray(kMaxRecordValueLength, 'v') + "\"");

    struct Case {
        const char *file;
        const char *error; // empty: readable
    };
    const Case cases[] = {
        {"ok", ""},
        {"longest", ""},
        {"pipe", "Not a regular file"},
        {"zero", "Not a regular file"},
        {"folder", "Not a regular file"},
        {"missing", "File not found"},
        {"big", "File too large"},
        {"longvalue", "Value too long"},
        {"longnumber", "Value too long"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = p.path(QString::fromLatin1(c.file));
        auto reading = std::async(std::launch::async, [path] {
            RecordReader r = RecordReader::fromFile(path);
            QString s;
            r.readString(s);
            return r.errorString();
        });
        if (reading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            // A reader stuck in open() or reading without end cannot be stopped: end the run.
            std::fprintf(stderr, "FAILED: the reader of '%s' never returned\n", c.file);
            std::_Exit(1);
        }
        EXPECT_EQ(reading.get(), QString::fromLatin1(c.error));
    }
    QString error;
    EXPECT_FALSE(FileAccess::checkReadable(p.path(QStringLiteral("pipe")),
                                           FileAccess::kMaxMediaFileSize, &error));
    EXPECT_EQ(error, QStringLiteral("Not a regular file"));
    EXPECT_TRUE(
        FileAccess::checkReadable(p.path(QStringLiteral("big")), FileAccess::kMaxPictureFileSize));
}

// Names read from a project resolve only inside it: a link out of the project, whether it is the
// file itself or a folder on the way, counts as missing; a link that stays inside is followed.
TEST(FileSafetyTest, LinksOutOfTheProjectCountAsMissing) {
    TestProject outside;
    outside.writeLines(QStringLiteral("Key.obj"), {q(QStringLiteral("secret.bmp"))});
    outside.writeLines(QStringLiteral("Far.fme"),
                       {QStringLiteral("0"), q(QStringLiteral("0")), QStringLiteral("#FALSE#")});
    outside.writeLines(QStringLiteral("Room/1a.dat"), {QStringLiteral("0")});
    outside.writeLines(QStringLiteral("s1.sav"), {q(QStringLiteral("Far")), QStringLiteral("0"),
                                                  QStringLiteral("0"), QStringLiteral("0")});
    outside.writeLines(QStringLiteral("General"), {q(QStringLiteral("Elsewhere"))});

    TestProject p;
    p.writeMinimalProject();
    p.writeLines(QStringLiteral("Areas/Lamp.obj"), {q(QStringLiteral("lamp.bmp"))});
    const auto link = [&](const char *target, const char *name) {
        ASSERT_TRUE(QFile::link(outside.path(QString::fromLatin1(target)),
                                p.path(QString::fromLatin1(name))));
    };
    link("Key.obj", "Areas/Key.obj");
    link("Far.fme", "Frames/Far.fme");
    link("Room", "Areas/Room");
    link("s1.sav", "s1.sav");
    ASSERT_TRUE(QFile::remove(p.path(QStringLiteral("Config/General"))));
    link("General", "Config/General");
    // A link that stays inside the project is an ordinary name.
    ASSERT_TRUE(QFile::link(p.path(QStringLiteral("Areas/Lamp.obj")),
                            p.path(QStringLiteral("Areas/Torch.obj"))));
    const ProjectPaths paths = p.paths();

    const Items items(paths);
    EXPECT_EQ(items.list(), QStringList({"Lamp", "Torch"}));
    ItemFile item;
    EXPECT_FALSE(items.read(QStringLiteral("Key"), item).ok());
    ASSERT_TRUE(items.read(QStringLiteral("Torch"), item).ok());
    EXPECT_EQ(item.IconFile, QStringLiteral("lamp.bmp"));

    const FrameFiles frames(paths, SoundMode::MultiChannel);
    EXPECT_TRUE(frames.list().isEmpty());
    EXPECT_FALSE(frames.exists(QStringLiteral("Far")));
    FrameProperties fme;
    EXPECT_FALSE(frames.readHeader(QStringLiteral("Far"), fme).ok());

    const AreaFiles room(paths, SoundMode::MultiChannel, QStringLiteral("Room"));
    EXPECT_TRUE(room.folder().isEmpty());
    AreaLook look;
    EXPECT_FALSE(room.readLook(1, look).ok());
    Area area;
    EXPECT_FALSE(room.save(2, area).ok()); // nothing is written through the link either
    EXPECT_FALSE(QFileInfo::exists(outside.path(QStringLiteral("Room/2a.dat"))));

    EXPECT_TRUE(SavedGames::list(p.root()).isEmpty());
    EXPECT_TRUE(paths.configFile(QStringLiteral("General")).isEmpty());
    EXPECT_FALSE(paths.configFile(QStringLiteral("Version")).isEmpty());
    EXPECT_FALSE(paths.holds(outside.path(QStringLiteral("Key.obj"))));
    EXPECT_TRUE(paths.holds(p.path(QStringLiteral("Areas/New/1a.dat")))); // not there yet

    // Started from a CD, the data folders there belong to the project too.
    ProjectPaths cd(p.root());
    cd.setDataFolders(outside.path(QStringLiteral("Room")), p.path(QStringLiteral("Areas")),
                      p.path(QStringLiteral("Icons")));
    EXPECT_TRUE(cd.holds(outside.path(QStringLiteral("Room/1a.dat"))));
    EXPECT_FALSE(cd.holds(outside.path(QStringLiteral("Key.obj"))));
}

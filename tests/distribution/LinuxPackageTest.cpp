// The Debian package of a small game: what goes in with and without "Let anyone edit...", and
// how a build that cannot be made says why.

#include "LinuxPackage.h"
#include "DebianRenames.h"
#include "DistributionFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// An editor installation whose player is a real program (the package's dependencies are read
// from it) and that has the default icon.
struct PackagingEditor : EditorInstall {
    PackagingEditor() : EditorInstall(false) {
        QFile::remove(path(QStringLiteral("run.dat")));
        QFile::copy(QStringLiteral("/bin/true"), path(QStringLiteral("run.dat")));
        // The default icon is copied as it is.
        QFile icon(path(QStringLiteral("quillmoor.png")));
        if (icon.open(QIODevice::WriteOnly))
            icon.write("\x89PNG\r\n\x1a\n");
    }
};

QStringList debContents(const QString &deb) {
    QProcess p;
    p.start(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), deb});
    p.waitForFinished(60000);
    QStringList files;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        const int at = line.indexOf(QStringLiteral(" ./"));
        if (at >= 0)
            files << line.mid(at + 3);
    }
    return files;
}

} // namespace

TEST(LinuxPackage, DebianPackageHidesNamesUnlessAnyoneMayEdit) {
    PackagingEditor editor;
    SmallGame game(editor, QStringLiteral("Marsh Lights"));
    const QString in = QStringLiteral("usr/lib/games/marsh-lights/");
    for (const bool enable : {false, true}) {
        SCOPED_TRACE(enable ? "anyone may edit" : "hidden names");
        QTemporaryDir out;
        LinuxPackage::Request request;
        request.projectRoot = game.root();
        request.editorFolder = editor.folder;
        request.location = out.path();
        request.letAnyoneEdit = enable;
        QStringList steps;
        LinuxPackage package(request);
        package.setProgress([&](const QString &step) { steps << step; });
        const LinuxPackage::Result r = package.build();
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        ASSERT_EQ(r.outputs.size(), 1);
        EXPECT_TRUE(r.outputs[0].startsWith(out.path() + QStringLiteral("/marsh-lights_1.0_")));
        EXPECT_GT(r.bytes, 0);
        EXPECT_TRUE(r.depends.contains(QStringLiteral("libc6")));
        EXPECT_GE(steps.size(), 5);
        const QStringList files = debContents(r.outputs[0]);
        for (const QString &f : {in + QStringLiteral("marsh-lights"), in + "UserData.dat",
                                 in + "Config/General", QStringLiteral("usr/games/marsh-lights"),
                                 QStringLiteral("usr/share/pixmaps/marsh-lights.png")})
            EXPECT_TRUE(files.contains(f)) << f.toStdString();
        EXPECT_EQ(files.contains(in + "Frames/door.004"), !enable);
        EXPECT_EQ(files.contains(in + "Frames/door.bmp"), enable);
        EXPECT_EQ(files.contains(in + "Project.dat"), enable);
    }
}

TEST(LinuxPackage, BuildThatCannotBeMadeSaysWhy) {
    PackagingEditor editor;
    SmallGame game(editor);
    QTemporaryDir out, empty;
    const struct {
        const char *what;
        std::function<void(LinuxPackage::Request &)> change;
        QString error;
    } cases[] = {
        {"no project", [&](auto &r) { r.projectRoot = empty.path(); },
         QStringLiteral("The folder you have chosen does not contain a valid project.")},
        {"no location", [&](auto &r) { r.location = empty.path() + QStringLiteral("/gone"); },
         QStringLiteral("The folder '%1/gone' does not exist.").arg(empty.path())},
        {"no player", [&](auto &r) { r.editorFolder = empty.path(); },
         QStringLiteral("File Not Found: ") + QDir::toNativeSeparators(empty.path() + "/run.dat")},
    };
    for (const auto &c : cases) {
        LinuxPackage::Request request;
        request.projectRoot = game.root();
        request.editorFolder = editor.folder;
        request.location = out.path();
        c.change(request);
        const LinuxPackage::Result r = LinuxPackage(request).build();
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.error, c.error) << c.what;
        EXPECT_TRUE(r.outputs.isEmpty()) << c.what;
    }
    EXPECT_TRUE(QDir(out.path()).isEmpty());

    // A package already there stays (the dialog asks, then builds again with `replace`); a
    // cancelled build makes nothing.
    LinuxPackage::Request request;
    request.projectRoot = game.root();
    request.editorFolder = editor.folder;
    request.location = out.path();
    ASSERT_TRUE(LinuxPackage(request).build().ok);
    const LinuxPackage::Result again = LinuxPackage(request).build();
    EXPECT_EQ(again.error, QStringLiteral("A file with the name you specified already exists."));
    request.replace = true;
    LinuxPackage cancelled(request);
    cancelled.cancel();
    EXPECT_EQ(cancelled.build().error, QStringLiteral("Cancelled."));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 1);
}

namespace {

QString readelf(const QString &option) {
    QProcess p;
    p.start(QStringLiteral("readelf"), {option, QStringLiteral("-W"), QStringLiteral(RUN_PATH)});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

// The player of the packages is built with the distributions' hardening flags.
TEST(LinuxPackage, PlayerIsHardened) {
    if (!QM_PLAYER_HARDENED)
        GTEST_SKIP() << "a sanitizer build";
    const QString dynamic = readelf(QStringLiteral("-d"));
    EXPECT_TRUE(dynamic.contains(QStringLiteral("BIND_NOW"))) << dynamic.toStdString();
    EXPECT_TRUE(dynamic.contains(QStringLiteral(" PIE")));
    EXPECT_TRUE(readelf(QStringLiteral("-l")).contains(QStringLiteral("GNU_RELRO")));
    const QString symbols = readelf(QStringLiteral("--dyn-syms"));
    EXPECT_TRUE(symbols.contains(QStringLiteral("__stack_chk_fail")));
    EXPECT_TRUE(symbols.contains(QRegularExpression(QStringLiteral("__(?!stack)\\w+_chk\\b"))));
}

// Qt asks for libglvnd's libEGL and libOpenGL, which a plain desktop may lack: the portable
// folder carries them apart from its own libraries, for its start script to take where missing.
TEST(LinuxPackage, PortableFolderCarriesTheGraphicsFallback) {
    PackagingEditor editor;
    SmallGame game(editor);
    QTemporaryDir out;
    LinuxPackage::Request request;
    request.projectRoot = game.root();
    request.editorFolder = editor.folder;
    request.location = out.path();
    request.kind = LinuxPackage::Kind::Portable;
    request.quickArchive = true;
    const LinuxPackage::Result r = LinuxPackage(request).build();
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const QString folder = out.filePath(r.game.title) + QLatin1Char('/');
    for (const QString soname : {"libEGL.so.1", "libOpenGL.so.0"}) {
        EXPECT_TRUE(QFileInfo(folder + "lib/fallback/" + soname + "/" + soname).isFile())
            << soname.toStdString();
        EXPECT_FALSE(QFileInfo::exists(folder + "lib/" + soname)) << soname.toStdString();
    }
    EXPECT_TRUE(readAll(folder + r.game.name + ".sh").contains("$here/lib/fallback/"));
}

// A library whose package was renamed between Debian releases is named both ways, with the same
// version bound; the rest of the field stays as it was.
TEST(LinuxPackage, DependsNamesRenamedLibrariesBothWays) {
    const struct {
        const char *depends, *expected;
    } cases[] = {
        {"libc6 (>= 2.34), libqt6core6 (>= 6.4.0), libx11-6",
         "libc6 (>= 2.34), libqt6core6 (>= 6.4.0) | libqt6core6t64 (>= 6.4.0), libx11-6"},
        {"libasound2t64 (>= 1.2.14), libglib2.0-0",
         "libasound2t64 (>= 1.2.14) | libasound2 (>= 1.2.14), libglib2.0-0 | libglib2.0-0t64"},
        {"libasound2 | libasound2t64, timgm6mb-soundfont | fluid-soundfont-gm",
         "libasound2 | libasound2t64, timgm6mb-soundfont | fluid-soundfont-gm"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DebianRenames::withAlternatives(QString::fromLatin1(c.depends)).toStdString(),
                  c.expected);
}

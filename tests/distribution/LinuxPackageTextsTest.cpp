// What a Linux package of a game takes from the project: its name, version and texts, and which
// libraries a portable folder brings.

#include "LinuxPackageTexts.h"
#include "BaseSystemLibraries.h"
#include "DistributionFixture.h"
#include "PackageNames.h"
#include "SharedLibraries.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PackageNames, DebianNameFollowsDebiansRules) {
    const struct {
        const char *title, *name;
    } cases[] = {
        {"The Lighthouse Keeper", "the-lighthouse-keeper"},
        {"Entrée du Château", "entree-du-chateau"},
        {"  --Odd__Title!! 2 ", "odd-title-2"},
        {"X", "x-game"},
        {"???", "game"},
        {"", "game"},
    };
    static const QRegularExpression rule(QStringLiteral("^[a-z0-9][a-z0-9+.-]+$"));
    for (const auto &c : cases) {
        const QString name = PackageNames::debianName(QString::fromUtf8(c.title));
        EXPECT_EQ(name.toStdString(), c.name) << c.title;
        EXPECT_TRUE(rule.match(name).hasMatch()) << c.title;
    }
}

TEST(PackageNames, GameNeverTakesTheNameOfASystemPackage) {
    const auto system = [](const QString &name) { return name == QLatin1String("tar"); };
    EXPECT_EQ(PackageNames::avoidingSystemPackages(QStringLiteral("tar"), system),
              QStringLiteral("tar-game"));
    EXPECT_EQ(PackageNames::avoidingSystemPackages(QStringLiteral("quest"), system),
              QStringLiteral("quest"));
    // The package manager here knows its own packages.
    EXPECT_TRUE(PackageNames::isKnownPackage(QStringLiteral("dpkg")));
    EXPECT_FALSE(PackageNames::isKnownPackage(QStringLiteral("no-such-package-qm-test")));
}

TEST(PackageNames, VersionIsTheFirstVersionNumberOfTheText) {
    const struct {
        const char *text, *version;
    } cases[] = {
        {"A short demo game. Version 1.0", "1.0"},
        {"Release 2.3.1 (final)", "2.3.1"},
        {"v2.0b, made in 2024", "2.0b"},
        {"Version 3", "3"},
        {"Made in 2024 by me", "1.0"},
        {"", "1.0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PackageNames::versionFrom(QString::fromUtf8(c.text)).toStdString(), c.version)
            << c.text;
}

TEST(LinuxPackageTexts, ControlFieldsStayOnOneLineAndMaintainerIsAnAddress) {
    LinuxGameInfo game;
    game.name = QStringLiteral("quest");
    game.title = QStringLiteral("Quest\nInjected: field");
    game.version = QStringLiteral("1.2");
    game.comments = QStringLiteral("Line one\r\nPackage: evil");
    game.author = QStringLiteral("Ann <x>");
    game.homepage = QStringLiteral("ftp://not-a-web-site");
    const QString control =
        LinuxPackageTexts::control(game, QStringLiteral("amd64"), 12, QStringLiteral("libc6"));
    const QStringList lines = control.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList fields;
    for (const QString &line : lines)
        if (!line.startsWith(QLatin1Char(' ')))
            fields << line.section(QLatin1Char(':'), 0, 0);
    EXPECT_EQ(fields,
              (QStringList{"Package", "Version", "Architecture", "Maintainer", "Installed-Size",
                           "Depends", "Section", "Priority", "Description"}));
    EXPECT_TRUE(control.contains(QStringLiteral("Maintainer: Ann x <quest@users.invalid>\n")));
    game.email = QStringLiteral("ann@example.org");
    EXPECT_EQ(game.maintainer(), QStringLiteral("Ann x <ann@example.org>"));
    game.author.clear();
    EXPECT_EQ(game.maintainer(), QStringLiteral("Quest Injected: field <ann@example.org>"));
}

TEST(LinuxPackageTexts, DesktopEntryHasOneValuePerLine) {
    LinuxGameInfo game;
    game.name = QStringLiteral("quest");
    game.title = QStringLiteral("Quest\nExec=rm");
    const QString entry =
        LinuxPackageTexts::desktopEntry(game, QStringLiteral("quest"), QStringLiteral("quest"));
    EXPECT_EQ(entry.count(QStringLiteral("\nExec=")), 1);
    EXPECT_TRUE(entry.contains(QStringLiteral("\nName=Quest Exec=rm\n")));
    // A backslash is the format's escape character: it is doubled.
    game.title = QStringLiteral("AC\\DC");
    EXPECT_TRUE(LinuxPackageTexts::desktopEntry(game, QStringLiteral("q"), QStringLiteral("q"))
                    .contains(QStringLiteral("\nName=AC\\\\DC\n")));
}

TEST(SharedLibraries, LddOutputAndTheBaseSystem) {
    SharedLibraries libs;
    parseLddOutput(
        QStringLiteral("\tlinux-vdso.so.1 (0x00007ffd)\n"
                       "\tlibQt6Core.so.6 => /lib/x86_64-linux-gnu/libQt6Core.so.6 (0x00007f)\n"
                       "\tlibc.so.6 => /lib/x86_64-linux-gnu/libc.so.6 (0x00007f)\n"
                       "\tlibpulse.so.0 => /lib/x86_64-linux-gnu/libpulse.so.0 (0x00007f)\n"
                       "\tlibfoo.so.1 => /opt/My Games/lib/libfoo.so.1 (0x00007f)\n"
                       "\tlibgone.so.2 => not found\n"
                       "\t/lib64/ld-linux-x86-64.so.2 (0x00007f)\n"),
        libs);
    EXPECT_EQ(libs.found.value(QStringLiteral("libfoo.so.1")),
              QStringLiteral("/opt/My Games/lib/libfoo.so.1"));
    EXPECT_EQ(libs.missing, QStringList{QStringLiteral("libgone.so.2")});
    EXPECT_EQ(libs.toBundle().keys(),
              (QStringList{QStringLiteral("libQt6Core.so.6"), QStringLiteral("libfoo.so.1")}));
    for (const char *base : {"libc.so.6", "libGL.so.1", "libX11.so.6", "libasound.so.2",
                             "libpipewire-0.3.so.0", "ld-linux-x86-64.so.2"})
        EXPECT_TRUE(BaseSystemLibraries::contains(QString::fromLatin1(base))) << base;
    // What a plain desktop lacks goes along, and ICU, whose name changes with each release.
    for (const char *bundled :
         {"libSDL2-2.0.so.0", "libavcodec.so.59", "libQt6Gui.so.6", "libharfbuzz.so.0",
          "libjack.so.0", "libSM.so.6", "libgpg-error.so.0", "libicuuc.so.72"})
        EXPECT_FALSE(BaseSystemLibraries::contains(QString::fromLatin1(bundled))) << bundled;
}

// A library that only base system libraries ask for comes with them (libsystemd's libgcrypt);
// one that a bundled library also asks for goes along (libFLAC, which libsndfile needs too), and
// so does one that a library of lib/fallback/ asks for (libgbm's libwayland-server).
TEST(SharedLibraries, WhatOnlyTheBaseSystemNeedsStaysWithIt) {
    EXPECT_EQ(parseNeeded(" 0x1 (NEEDED)  Shared library: [libqmsound.so]\n"
                          " 0x1d (RUNPATH)  Library runpath: [$ORIGIN]\n"
                          " 0x1 (NEEDED)  Shared library: [libc.so.6]\n"),
              (QStringList{"libqmsound.so", "libc.so.6"}));
    const QMap<QString, QStringList> needs{
        {"libQt6Gui.so.6", {"libQt6DBus.so.6", "libEGL.so.1", "libc.so.6"}},
        {"libQt6DBus.so.6", {"libdbus-1.so.3"}},
        {"libdbus-1.so.3", {"libsystemd.so.0"}},
        {"libsystemd.so.0", {"libgcrypt.so.20", "liblz4.so.1"}},
        {"libgcrypt.so.20", {"libgpg-error.so.0"}},
        {"libEGL.so.1", {"libGLdispatch.so.0"}},
        {"libgbm.so.1", {"libwayland-server.so.0"}},
        {"libSDL2_mixer-2.0.so.0", {"libFLAC.so.12", "libsndfile.so.1", "libgbm.so.1"}},
        {"libsndfile.so.1", {"libFLAC.so.12"}}};
    SharedLibraries libs;
    for (const QStringList &sonames : needs)
        for (const QString &soname : sonames + needs.keys())
            libs.found.insert(soname, "/lib/" + soname);
    libs.noteWhatOnlyTheBaseNeeds({"libQt6Gui.so.6", "libSDL2_mixer-2.0.so.0"}, needs);
    EXPECT_EQ(libs.toBundle().keys(),
              (QStringList{"libFLAC.so.12", "libQt6DBus.so.6", "libQt6Gui.so.6",
                           "libSDL2_mixer-2.0.so.0", "libwayland-server.so.0"}));
}

// The portable start script starts the player when the libraries it leaves to the system are
// there; when one is missing it names it on standard error and in a window, and exits with 1.
// A missing library that lib/fallback/ carries is taken from there, and only a missing one.
TEST(LinuxPackageTexts, StartScriptNamesMissingLibraries) {
    enum Case { AllThere, Missing, InFallback };
    for (const Case c : {AllThere, Missing, InFallback}) {
        SCOPED_TRACE(c == Missing ? "a library missing" : c == AllThere ? "all there" : "fallback");
        QTemporaryDir dir;
        const QString folder = dir.filePath("It's $Quest/"), bin = dir.filePath("bin/");
        QDir().mkpath(folder + "plugins/platforms");
        QDir().mkpath(bin);
        LinuxGameInfo game;
        game.name = QStringLiteral("quest");
        game.title = QStringLiteral("It's $Quest");
        const auto write = [](const QString &path, const QString &text) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) > 0);
            f.setPermissions(f.permissions() | QFile::ExeOwner);
        };
        write(folder + "quest.sh", LinuxPackageTexts::startScript(game));
        // A window program that writes down what it was asked to show.
        write(bin + "zenity", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/shown\"\n");
        // The player writes down the library path it was given; a plugin it loads needs, in the
        // second case, a library no system has, in the third one that only lib/fallback/ has,
        // and zlib, which the system has and lib/fallback/ too.
        write(folder + "quest", "#!/bin/sh\nprintf '%s' \"$LD_LIBRARY_PATH\" > '" + bin + "ran'\n");
        const QString plugin = folder + "plugins/platforms/libqxcb.so";
        ASSERT_TRUE(QFile::copy("/bin/true", plugin));
        QFile::setPermissions(plugin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString zlib = QLibraryInfo::path(QLibraryInfo::LibrariesPath) + "/libz.so.1";
        const QString fallback = folder + "lib/fallback/";
        for (const QString soname : {"libquest-gl.so.1", "libz.so.1"}) {
            QDir().mkpath(fallback + soname);
            ASSERT_TRUE(QFile::copy(zlib, fallback + soname + "/" + soname));
        }
        const char *needed[] = {"", "libquest-gone.so.3", "libquest-gl.so.1"};
        if (c != AllThere) {
            EXPECT_EQ(QProcess::execute("patchelf", {"--add-needed", needed[c], "--add-needed",
                                                     "libz.so.1", plugin}),
                      0);
        }
        QProcess script;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", bin + ":/usr/bin:/bin");
        env.remove("LD_LIBRARY_PATH");
        script.setProcessEnvironment(env);
        script.start(folder + "quest.sh", QStringList());
        ASSERT_TRUE(script.waitForFinished());
        const QString said = QString::fromUtf8(script.readAllStandardError());
        EXPECT_EQ(script.exitCode(), c == Missing ? 1 : 0);
        EXPECT_EQ(said.toStdString(),
                  c == Missing
                      ? "It's $Quest cannot start: these libraries are missing on this system: "
                        "libquest-gone.so.3 \nPlease install them with the system's package "
                        "manager.\n"
                      : "");
        EXPECT_EQ(readAll(bin + "shown").contains("--text=" + said.trimmed().toUtf8()),
                  c == Missing);
        EXPECT_EQ(QFile::exists(bin + "ran"), c != Missing);
        EXPECT_EQ(readAll(bin + "ran").toStdString(),
                  c == InFallback ? (fallback + "libquest-gl.so.1").toStdString() : "");
    }
}

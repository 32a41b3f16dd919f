// The store's operations that touch several files: frames renamed, duplicated and removed with
// their area folders, pictures copied into Frames/, item events, scheme folders, presets and
// saved games. Every failure keeps the user's message and the system's reason, and leaves the
// folder as it was.

#include "DataFiles.h"
#include "EventRemoval.h"
#include "FrameOperations.h"
#include "PresetFolder.h"
#include "ReadOnlyFolder.h"
#include "SavedGameFolder.h"
#include "SchemeFile.h"
#include "SchemeFolders.h"
#include "TestProject.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPair>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QMap<QString, QByteArray> snapshot(const TestProject &p) {
    return folderTree(p.root());
}

// A project with frame Hall (three frame files, two area files, a drop event and a text),
// frame Attic (only its .fme) and a picture in Frames/.
void writeFrames(const TestProject &p) {
    p.writeRaw(QStringLiteral("Frames/Hall.fme"), "1\r\n\"hall.bmp\"\r\n#FALSE#\r\n");
    p.writeRaw(QStringLiteral("Frames/Hall.lks"), "2\r\n");
    p.writeRaw(QStringLiteral("Frames/Hall.chn"), "\"Version 2.06.01\"\r\n");
    p.writeRaw(QStringLiteral("Frames/hall.bmp"), "BM-picture");
    p.writeRaw(QStringLiteral("Areas/Hall/1a.dat"), "area one");
    p.writeRaw(QStringLiteral("Areas/Hall/2a.dat"), "area two");
    p.writeRaw(QStringLiteral("Areas/Hall/1_Key.drg"), "drop");
    p.writeRaw(QStringLiteral("Areas/Hall/1_Key.chn"), "drop sounds");
    p.writeRaw(QStringLiteral("Areas/Hall/1.lbl"), "text");
    p.writeRaw(QStringLiteral("Frames/Attic.fme"), "0\r\n\"255\"\r\n#FALSE#\r\n");
}

const QStringList kHallFiles = {"Frames/Hall.fme",      "Frames/Hall.lks",   "Frames/Hall.chn",
                                "Areas/Hall/1a.dat",    "Areas/Hall/2a.dat", "Areas/Hall/1_Key.drg",
                                "Areas/Hall/1_Key.chn", "Areas/Hall/1.lbl"};

} // namespace

TEST(FrameOperationsTest, RenameDuplicateAndRemoveMoveEveryFileOfTheFrame) {
    using Moves = QList<QPair<QString, QString>>; // file afterwards, the file it came from
    auto same = [](const QStringList &files) {
        Moves out;
        for (const QString &f : files)
            out.append({f, f});
        return out;
    };
    auto moved = [](const QStringList &files, const QString &from, const QString &to) {
        Moves out;
        for (const QString &f : files)
            out.append({QString(f).replace(from, to), f});
        return out;
    };
    struct Case {
        const char *what;
        std::function<bool(FrameOperations &)> run;
        Moves present;
        QStringList absent;
    };
    const QStringList picture{QStringLiteral("Frames/hall.bmp")};
    const Case cases[] = {
        {"rename", [](FrameOperations &o) { return o.rename("Hall", "Lobby"); },
         moved(kHallFiles, "Hall", "Lobby") + same(picture),
         kHallFiles + QStringList{"Areas/Hall"}},
        {"rename, letter case only", [](FrameOperations &o) { return o.rename("Hall", "HALL"); },
         moved(kHallFiles, "Hall", "HALL"), kHallFiles},
        {"rename a frame with no areas yet",
         [](FrameOperations &o) { return o.rename("Attic", "Loft"); },
         moved({"Frames/Attic.fme"}, "Attic", "Loft") + same(kHallFiles),
         {"Frames/Attic.fme", "Areas/Loft"}},
        {"duplicate",
         [](FrameOperations &o) { return o.duplicate("Hall", "Hall copy"); },
         same(kHallFiles) + moved(kHallFiles, "Hall", "Hall copy"),
         {}},
        {"duplicate a frame with no areas: an empty area folder",
         [](FrameOperations &o) { return o.duplicate("Attic", "Cellar"); },
         moved({"Frames/Attic.fme"}, "Attic", "Cellar"),
         {"Frames/Cellar.lks", "Frames/Cellar.chn"}},
        {"remove", [](FrameOperations &o) { return o.remove("Hall"); }, same(picture),
         kHallFiles + QStringList{"Areas/Hall"}},
        {"unchanged name",
         [](FrameOperations &o) { return o.rename("Hall", "Hall"); },
         same(kHallFiles),
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestProject p;
        writeFrames(p);
        const auto before = snapshot(p);
        FrameOperations ops(p.paths());
        ASSERT_TRUE(c.run(ops)) << ops.errorString().toStdString();
        EXPECT_TRUE(ops.status().ok());
        for (const auto &m : c.present) {
            EXPECT_TRUE(p.exists(m.first)) << m.first.toStdString();
            EXPECT_EQ(p.read(m.first), before.value(m.second)) << m.first.toStdString();
        }
        for (const QString &f : c.absent)
            EXPECT_FALSE(p.exists(f)) << f.toStdString();
    }
    TestProject p;
    writeFrames(p);
    FrameOperations ops(p.paths());
    ASSERT_TRUE(ops.duplicate("Attic", "Cellar"));
    EXPECT_TRUE(QFileInfo(p.path("Areas/Cellar")).isDir());
}

TEST(FrameOperationsTest, FailuresShowTheirMessageKeepTheReasonAndChangeNothing) {
    struct Case {
        const char *what;
        const char *readOnly; // folder made read-only, or nullptr
        std::function<void(const TestProject &)> prepare;
        std::function<bool(FrameOperations &)> run;
        QString title;
        QString text;
        QString reasonHolds;
    };
    const Case cases[] = {
        {"rename onto an existing frame",
         nullptr,
         {},
         [](FrameOperations &o) { return o.rename("Hall", "attic"); },
         "Error Renaming Frame",
         "Cannot rename 'attic': A frame with the name you specified already exists. Specify a "
         "different name.",
         "Attic.fme: already exists"},
        {"rename with a refused character",
         nullptr,
         {},
         [](FrameOperations &o) { return o.rename("Hall", "a,b"); },
         "",
         "Sorry, a filename cannot contain any of the following characters:\n\" \\ / : * ? < > | ,",
         "a,b"},
        {"rename in a read-only Frames folder",
         "Frames",
         {},
         [](FrameOperations &o) { return o.rename("Hall", "Lobby"); },
         "Error",
         "Unable to rename frame areas.",
         "Hall.fme: "},
        // The frame files move first; the area folder fails and they are put back.
        {"rename in a read-only Areas folder",
         "Areas",
         {},
         [](FrameOperations &o) { return o.rename("Hall", "Lobby"); },
         "Error",
         "Unable to rename frame areas.",
         "Areas/Hall: "},
        {"rename onto a leftover area folder with files", nullptr,
         [](const TestProject &p) { p.writeRaw("Areas/Lobby/9a.dat", "stale"); },
         [](FrameOperations &o) { return o.rename("Hall", "Lobby"); }, "Error",
         "Unable to rename frame areas.", "Areas/Lobby: already exists"},
        {"duplicate onto an existing frame",
         nullptr,
         {},
         [](FrameOperations &o) { return o.duplicate("Hall", "Attic"); },
         "Frame Already Exists",
         "A frame with the name you specified already exists. Specify a different name.",
         "Attic.fme: already exists"},
        {"duplicate in a read-only Areas folder",
         "Areas",
         {},
         [](FrameOperations &o) { return o.duplicate("Hall", "Copy"); },
         "Error Copying Frame",
         "Unable to copy '%1Areas/Hall' to '%1Areas/Copy'. Verify that the specified frame does "
         "not already exist and that the project folder is not Read-Only.",
         "Areas/Copy: "},
        {"remove in a read-only Frames folder",
         "Frames",
         {},
         [](FrameOperations &o) { return o.remove("Hall"); },
         "Error Removing Frame",
         "Unable to completely remove 'Hall'.",
         "Hall.lks: "},
        {"remove in a read-only Areas folder",
         "Areas",
         {},
         [](FrameOperations &o) { return o.remove("Hall"); },
         "Error Removing Frame",
         "Unable to completely remove 'Hall'.",
         "Areas/Hall: "},
        {"picture frame from a missing file",
         nullptr,
         {},
         [](FrameOperations &o) {
             QString f;
             return o.createFromPicture("/nonexistent/room.bmp", false, f);
         },
         "New Frame Creation",
         "Unable to find '/nonexistent/room.bmp'.",
         "no such file"},
        {"solid frame in a read-only Frames folder",
         "Frames",
         {},
         [](FrameOperations &o) { return o.createSolid("Solid01", 255); },
         "Error Creating New Frame",
         "Unable to create '%1Frames/Solid01.fme'.",
         "Solid01.fme"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestProject p;
        writeFrames(p);
        if (c.prepare)
            c.prepare(p);
        const auto before = snapshot(p);
        std::unique_ptr<ReadOnlyFolder> locked;
        if (c.readOnly) {
            locked = std::make_unique<ReadOnlyFolder>(p.path(c.readOnly));
            if (!locked->ok())
                GTEST_SKIP() << "no read-only folder can be made here";
        }
        FrameOperations ops(p.paths());
        EXPECT_FALSE(c.run(ops));
        locked.reset();
        EXPECT_EQ(ops.status().title(), c.title);
        EXPECT_EQ(ops.status().text(), QString(c.text).replace("%1", p.root()));
        EXPECT_TRUE(ops.errorString().contains(c.reasonHolds)) << ops.errorString().toStdString();
        EXPECT_EQ(snapshot(p), before);
    }
}

TEST(FrameOperationsTest, PictureFramesShareOneCopyAndTakeFreeNames) {
    TestProject p;
    writeFrames(p);
    const QString room = p.writeRaw("outside/room.bmp", "BM-room");
    const QString tiny = p.writeRaw("outside/x.gif", "GIF89a");
    FrameOperations ops(p.paths());
    struct Case {
        QString source;
        bool tiled;
        QString frame;
        QString background;
    };
    const Case cases[] = {{room, false, "room", "room.bmp"},
                          {room, true, "room01", "room.bmp"},
                          {tiny, false, "New Frame", "x.gif"},
                          {tiny, false, "New Frame01", "x.gif"},
                          // Already in Frames/; the name is taken by Hall in another case.
                          {p.path("Frames/hall.bmp"), false, "hall01", "hall.bmp"}};
    for (const Case &c : cases) {
        QString frame;
        ASSERT_TRUE(ops.createFromPicture(c.source, c.tiled, frame))
            << ops.errorString().toStdString();
        EXPECT_EQ(frame, c.frame);
        FrameProperties props;
        ASSERT_TRUE(FrameFiles(p.paths(), SoundMode::MultiChannel).readProperties(frame, props));
        EXPECT_EQ(props.BackgroundKind, 1);
        EXPECT_EQ(props.Background, c.background);
        EXPECT_EQ(props.Tiled, c.tiled);
    }
    EXPECT_EQ(p.read("Frames/room.bmp"), "BM-room");
    EXPECT_EQ(ops.freeName("Solid"), "Solid01");
    ASSERT_TRUE(ops.createSolid("Solid01", 0xFF0080));
    EXPECT_EQ(ops.freeName("Solid"), "Solid02");
    FrameProperties solid;
    ASSERT_TRUE(FrameFiles(p.paths(), SoundMode::MultiChannel).readProperties("Solid01", solid));
    EXPECT_EQ(solid.backgroundColor(), 0xFF0080);
}

TEST(EventRemovalTest, DropAndItemEventsAreRemovedWithTheirSounds) {
    struct Case {
        const char *what;
        std::function<bool(EventRemoval &)> run;
        QStringList gone;
        bool ok;
    };
    const Case cases[] = {
        {"drop event and its sounds",
         [](EventRemoval &e) { return e.removeDropEvent("Hall", 1, "Key"); },
         {"Areas/Hall/1_Key.drg", "Areas/Hall/1_Key.chn"},
         true},
        {"drop event without sounds",
         [](EventRemoval &e) { return e.removeDropEvent("Hall", 2, "Lamp"); },
         {"Areas/Hall/2_Lamp.drg"},
         true},
        {"item on item",
         [](EventRemoval &e) { return e.removeItemEvent("Key", "Box"); },
         {"Areas/Key_on_Box.drg"},
         true},
        {"a missing event",
         [](EventRemoval &e) { return e.removeItemEvent("Box", "Key"); },
         {},
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestProject p;
        writeFrames(p);
        p.writeRaw("Areas/Hall/2_Lamp.drg", "drop");
        p.writeRaw("Areas/Key_on_Box.drg", "1\r\n0\r\n0\r\n\"\"\r\n");
        const auto before = snapshot(p);
        EventRemoval e(p.paths());
        EXPECT_EQ(c.run(e), c.ok);
        auto after = before;
        for (const QString &f : c.gone)
            after.remove(f);
        EXPECT_EQ(snapshot(p), after);
        if (!c.ok) {
            EXPECT_EQ(e.status().text(), "Unable to remove selected event.");
            EXPECT_TRUE(e.errorString().contains("Box_on_Key.drg"));
        }
    }
}

TEST(EventRemovalTest, ReadOnlyAreaFolderKeepsTheEventAndSaysWhy) {
    TestProject p;
    writeFrames(p);
    const auto before = snapshot(p);
    ReadOnlyFolder locked(p.path("Areas/Hall"));
    if (!locked.ok())
        GTEST_SKIP() << "no read-only folder can be made here";
    EventRemoval e(p.paths());
    EXPECT_FALSE(e.removeDropEvent("Hall", 1, "Key"));
    EXPECT_EQ(e.status().title(), "Error");
    EXPECT_TRUE(e.errorString().contains("1_Key.drg: ")) << e.errorString().toStdString();
    EXPECT_GT(e.errorString().size(), QString("1_Key.drg: ").size() + p.root().size());
    EXPECT_EQ(snapshot(p), before);
}

TEST(SchemeFoldersTest, CreateFillAndRemoveSchemes) {
    TestProject p;
    SchemeFolders schemes(p.path("Schemes"));
    QDir().mkpath(p.path("Schemes"));
    ASSERT_TRUE(schemes.create("Night")) << schemes.errorString().toStdString();
    SchemeFile s;
    ASSERT_TRUE(readScheme(schemes.schemeFile("Night"), s));
    EXPECT_EQ(s.SchemeName, "Night");
    EXPECT_EQ(s.StartPicture, "[DEFAULT]");
    EXPECT_EQ(s.BackgroundColor, 0x000000);
    EXPECT_EQ(s.TitleColor, 0xFFFFFF);
    EXPECT_EQ(s.TextsColor, 0xFF0080);
    EXPECT_EQ(s.ButtonsColor, 0xFF0080);

    const QString picture = p.writeRaw("in/Start.BMP", "BM");
    p.writeRaw("in/notes.txt", "x");
    ASSERT_TRUE(schemes.addPicture("night", picture));
    ASSERT_TRUE(schemes.addPicture("Night", p.path("in/notes.txt")));
    QStringList pictures;
    ASSERT_TRUE(schemes.pictures("Night", pictures));
    EXPECT_EQ(pictures, (QStringList{"[DEFAULT]", "Start.BMP"}));
    EXPECT_EQ(schemes.list(), QStringList{"Night"});

    ASSERT_TRUE(schemes.removePicture("Night", "start.bmp"));
    ASSERT_TRUE(schemes.pictures("Night", pictures));
    EXPECT_EQ(pictures, QStringList{"[DEFAULT]"});
    ASSERT_TRUE(schemes.remove("Night"));
    EXPECT_FALSE(p.exists("Schemes/Night"));
    EXPECT_TRUE(schemes.list().isEmpty());
}

TEST(SchemeFoldersTest, RefusalsAndFailures) {
    struct Case {
        const char *what;
        bool readOnly;
        std::function<bool(SchemeFolders &, const TestProject &)> run;
        QString title;
        QString text;
    };
    const Case cases[] = {
        {"create over an existing scheme", false,
         [](SchemeFolders &s, const TestProject &) { return s.create("DAWN"); },
         "Scheme Already Exists",
         "A scheme with the name you specified already exists. Specify a different name."},
        {"create with a refused character", false,
         [](SchemeFolders &s, const TestProject &) { return s.create("a:b"); }, "",
         "Sorry, a filename cannot contain any of the following characters:\n\" \\ / : * ? < > | "
         ","},
        {"create in a read-only Schemes folder", true,
         [](SchemeFolders &s, const TestProject &) { return s.create("Noon"); },
         "Error Saving Scheme", "Unable to create the scheme folder '%1Schemes/Noon'."},
        {"remove with nothing selected", false,
         [](SchemeFolders &s, const TestProject &) { return s.remove(""); }, "Scheme Removal",
         "Select the scheme you want to remove."},
        {"remove from a read-only Schemes folder", true,
         [](SchemeFolders &s, const TestProject &) { return s.remove("Dawn"); },
         "Error Removing Scheme", "Unable to remove '%1Schemes/Dawn/'."},
        {"a picture already there", false,
         [](SchemeFolders &s, const TestProject &p) {
             return s.addPicture("Dawn", p.path("in/SUN.gif"));
         },
         "Error Adding Files", "The selected file is already in the scheme folder."},
        {"the built-in picture", false,
         [](SchemeFolders &s, const TestProject &) { return s.removePicture("Dawn", "[DEFAULT]"); },
         "File Removal", "The selected file cannot be removed."},
        {"pictures of a missing scheme", false,
         [](SchemeFolders &s, const TestProject &) {
             QStringList out;
             return s.pictures("Dusk", out);
         },
         "Invalid Scheme Folder.", "Unable to retrieve graphic files from scheme folder."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestProject p;
        p.writeRaw("Schemes/Dawn/Scheme.txt", "\"Dawn\"\r\n");
        p.writeRaw("Schemes/Dawn/sun.gif", "GIF");
        p.writeRaw("in/SUN.gif", "GIF");
        const auto before = snapshot(p);
        std::unique_ptr<ReadOnlyFolder> locked;
        if (c.readOnly) {
            locked = std::make_unique<ReadOnlyFolder>(p.path("Schemes"));
            if (!locked->ok())
                GTEST_SKIP() << "no read-only folder can be made here";
        }
        SchemeFolders schemes(p.path("Schemes"));
        EXPECT_FALSE(c.run(schemes, p));
        locked.reset();
        EXPECT_EQ(schemes.status().title(), c.title);
        EXPECT_EQ(schemes.status().text(), QString(c.text).replace("%1", p.root()));
        EXPECT_FALSE(schemes.errorString().isEmpty());
        EXPECT_EQ(snapshot(p), before);
    }
}

TEST(PresetFolderTest, BuiltInPresetsStayAndFilesGo) {
    struct Case {
        QString name;
        bool ok;
        QString text;
    };
    const Case cases[] = {
        {"Mine", true, ""},
        {"ENGLISH (FOR GAMES)", false, "The selected Preset cannot be removed."},
        {"", false, "Select the Preset you want to remove."},
        {"Other", false, "File Not Found '%1Presets/Other.pre'."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        TestProject p;
        p.writeRaw("Presets/Mine.pre", "\"Mine\"\r\n");
        PresetFolder presets(p.path("Presets"));
        EXPECT_EQ(presets.list(),
                  (QStringList{"English (for applications)", "English (for games)", "Mine"}));
        EXPECT_EQ(presets.remove(c.name), c.ok);
        EXPECT_EQ(presets.status().text(), QString(c.text).replace("%1", p.root()));
        EXPECT_EQ(p.exists("Presets/Mine.pre"), !c.ok);
    }
    TestProject p;
    p.writeRaw("Presets/Mine.pre", "\"Mine\"\r\n");
    ReadOnlyFolder locked(p.path("Presets"));
    if (!locked.ok())
        GTEST_SKIP() << "no read-only folder can be made here";
    PresetFolder presets(p.path("Presets"));
    EXPECT_FALSE(presets.remove("mine"));
    EXPECT_EQ(presets.status().text(), "Unable to remove 'mine'.");
    EXPECT_TRUE(presets.errorString().contains("Mine.pre: "))
        << presets.errorString().toStdString();
}

TEST(SavedGameFolderTest, PathsAndRemoval) {
    TestProject p;
    p.writeRaw("Morning.SAV", "x");
    SavedGameFolder saves(p.root());
    EXPECT_EQ(saves.path("morning"), p.path("Morning.SAV"));
    EXPECT_EQ(saves.path("Evening"), p.path("Evening.sav"));
    EXPECT_TRUE(saves.path("a/b").isEmpty());
    EXPECT_TRUE(saves.path("").isEmpty());
    EXPECT_FALSE(saves.remove("Evening"));
    EXPECT_EQ(saves.status().text(), " Unable to remove '" + p.root() + "Evening.sav'.");
    {
        ReadOnlyFolder locked(p.root());
        if (locked.ok()) {
            EXPECT_FALSE(saves.remove("morning"));
            EXPECT_TRUE(saves.errorString().startsWith(p.path("Morning.SAV") + ": "));
        }
    }
    EXPECT_TRUE(saves.remove("morning")) << saves.errorString().toStdString();
    EXPECT_FALSE(p.exists("Morning.SAV"));
}

TEST(DataFilesTest, RenameRefusesTakenNamesAndNamesOutsideTheFolder) {
    TestProject p;
    p.writeRaw("Icons/hand.ico", "hand");
    p.writeRaw("Icons/eye.cur", "eye");
    const QString icons = p.paths().IconsPath();
    struct Case {
        const char *from, *to;
        const char *title; // null: renamed
    };
    const Case cases[] = {
        {"hand.ico", "EYE.cur", "Error Renaming File"},
        {"hand.ico", "../hand.ico", "Error Renaming Icon"},
        {"gone.ico", "there.ico", "Error Renaming Icon"},
        {"hand.ico", "Hand.ico", nullptr}, // only the letter case changes
        {"Hand.ico", "palm.ico", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.to);
        DataFiles files;
        EXPECT_EQ(files.rename(icons, c.from, c.to), c.title == nullptr);
        EXPECT_EQ(files.status().title(), c.title ? QString::fromLatin1(c.title) : QString());
    }
    EXPECT_EQ(p.read("Icons/palm.ico"), "hand");
    EXPECT_EQ(p.read("Icons/eye.cur"), "eye");
    EXPECT_FALSE(p.exists("hand.ico"));
}

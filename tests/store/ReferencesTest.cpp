// Renaming and removing frames and items with every place that names them: what is found, what
// each operation leaves for the project check, and a failure part way that changes nothing.

#include "ProjectCheck.h"
#include "ProjectSnapshot.h"
#include "ReadOnlyFolder.h"
#include "ReferenceGame.h"
#include "RenameAndRemove.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

// Lists of names print as text.
void PrintTo(const QStringList &list, std::ostream *os) {
    *os << list.join(QStringLiteral(", ")).toStdString();
}

namespace {

using Target = References::Target;
const Target kFrame = Target::Frame;
const Target kItem = Target::Item;

QStringList problems(const GameProject &g) {
    QStringList out;
    for (const ProjectProblem &p : checkProject(ProjectSnapshot::load(g.paths())))
        out.append(p.kind + ' ' + p.file + ' ' + p.name);
    out.sort();
    return out;
}

QStringList found(const GameProject &g, Target t, const QString &name, bool own) {
    QStringList out;
    for (const Reference &r : References(g.paths()).find(t, name)) {
        if (r.isOwn() == own)
            out.append(r.kindName() + '|' + r.file + '|' + r.value);
    }
    return out;
}

QMap<QString, QByteArray> everything(const GameProject &g) {
    return folderTree(g.root());
}

const QStringList kCellarUsages = {
    "timer-frame|Frames/Attic.fme|Cellar", "go-to-frame|Areas/Hall/1b.dat|cellar",
    "go-to-frame|Areas/Hall/2_Key.drg|Cellar", "go-to-frame|Areas/Hall/3b.dat|Cellar"};
const QStringList kKeyUsages = {
    "picked-up|Areas/Hall/1c.dat|Key", "drop-event|Areas/Hall/2_Key.drg|Key",
    "drop-sounds|Areas/Hall/2_Key.chn|Key", "item-event|Areas/Key_on_Rope.drg|Key",
    "item-event|Areas/Lamp_on_Key.drg|Key"};

} // namespace

TEST(ReferencesTest, RenameAndRemoveFollowEveryPlaceThatNamesIt) {
    enum Op { Rename, RemoveClearing, RemoveKeeping };
    struct Case {
        const char *what;
        Target target;
        QString name;
        Op op;
        QString newName;
        QStringList usages;
        QStringList own;
        QStringList newProblems; // what the project check finds afterwards and did not before
    };
    const QStringList cellarOwn = {
        "frame-file|Frames/Cellar.fme|Cellar", "frame-file|Frames/Cellar.chn|Cellar",
        "frame-file|Frames/Cellar.lks|Cellar", "area-folder|Areas/Cellar|Cellar"};
    const QStringList keyOwn = {"item-file|Areas/Key.obj|Key", "item-icon|Areas/Key.002|Key.ico"};
    const Case cases[] = {
        {"frame named by links, a timer, a drop event and an older record",
         kFrame,
         "Cellar",
         Rename,
         "Vault",
         kCellarUsages,
         cellarOwn,
         {}},
        {"the initial frame",
         kFrame,
         "hall",
         Rename,
         "Lobby",
         {"initial-frame|Config/General|Hall", "go-to-frame|Areas/Cellar/1b.dat|Hall"},
         {"frame-file|Frames/Hall.fme|Hall", "frame-file|Frames/Hall.chn|Hall",
          "frame-file|Frames/Hall.lks|Hall", "area-folder|Areas/Hall|Hall"},
         {}},
        {"letter case only", kFrame, "Cellar", Rename, "CELLAR", kCellarUsages, cellarOwn, {}},
        {"item given, dropped, combined, with a hidden-name icon",
         kItem,
         "Key",
         Rename,
         "Gold Key",
         kKeyUsages,
         keyOwn,
         {}},
        {"item given by combining",
         kItem,
         "Lamp",
         Rename,
         "Lantern",
         {"item-event-gives|Areas/Key_on_Rope.drg|Lamp", "item-event|Areas/Lamp_on_Key.drg|Lamp"},
         {"item-file|Areas/Lamp.obj|Lamp", "item-icon|Areas/Lamp.bmp|Lamp.bmp"},
         {}},
        {"item, letter case only", kItem, "Key", Rename, "KEY", kKeyUsages, keyOwn, {}},
        {"frame removed, links cleared",
         kFrame,
         "Cellar",
         RemoveClearing,
         "",
         kCellarUsages,
         cellarOwn,
         {}},
        {"frame removed, links kept",
         kFrame,
         "Cellar",
         RemoveKeeping,
         "",
         kCellarUsages,
         cellarOwn,
         {"missing-frame Areas/Hall/1b.dat cellar", "missing-frame Areas/Hall/2_Key.drg Cellar",
          "missing-frame Areas/Hall/3b.dat Cellar", "missing-frame Frames/Attic.fme Cellar"}},
        {"the initial frame removed: no frame is left to start at",
         kFrame,
         "Hall",
         RemoveClearing,
         "",
         {"initial-frame|Config/General|Hall", "go-to-frame|Areas/Cellar/1b.dat|Hall"},
         {},
         {"missing-initial-frame Config/General "}},
        {"item removed, uses cleared", kItem, "Key", RemoveClearing, "", kKeyUsages, keyOwn, {}},
        {"item removed, uses kept",
         kItem,
         "key",
         RemoveKeeping,
         "",
         kKeyUsages,
         keyOwn,
         {"missing-item Areas/Hall/1c.dat Key", "missing-item Areas/Hall/2_Key.drg Key",
          "missing-item Areas/Key_on_Rope.drg Key", "missing-item Areas/Lamp_on_Key.drg Key"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ReferenceGame g;
        const QStringList before = problems(g);
        ASSERT_EQ(before, QStringList());
        EXPECT_EQ(found(g, c.target, c.name, false), c.usages);
        if (!c.own.isEmpty()) {
            EXPECT_EQ(found(g, c.target, c.name, true), c.own);
        }
        EXPECT_EQ(References(g.paths()).savedGames(c.target, c.name).size(),
                  c.name.compare("Cellar", Qt::CaseInsensitive) == 0 ||
                          c.name.compare("Key", Qt::CaseInsensitive) == 0
                      ? 1
                      : 0);
        const auto old = everything(g);

        RenameAndRemove ops(g.paths());
        const bool done = c.op == Rename ? ops.rename(c.target, c.name, c.newName)
                                         : ops.remove(c.target, c.name, c.op == RemoveClearing);
        ASSERT_TRUE(done) << ops.errorString().toStdString();
        EXPECT_EQ(problems(g), c.newProblems);
        // Every file written or removed is kept as it was, for a history to put back; the
        // others are renamed whole or untouched.
        const QDir root(g.root());
        QMap<QString, QByteArray> kept;
        for (const WriteBatch::OldFile &f : ops.oldFiles())
            kept.insert(root.relativeFilePath(f.path), f.bytes);
        const auto after = everything(g);
        for (auto it = old.begin(); it != old.end(); ++it) {
            bool renamed = false;
            for (const auto &r : ops.renames()) {
                const QString from = root.relativeFilePath(r.first);
                renamed = renamed || it.key() == from || it.key().startsWith(from + '/');
            }
            if (kept.contains(it.key())) {
                EXPECT_EQ(kept.value(it.key()), it.value()) << it.key().toStdString();
            } else if (!renamed && it.value() != "<dir>") {
                EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
            }
        }
        if (c.op == Rename) {
            QStringList followed;
            for (const QString &u : c.usages)
                followed.append(u.section('|', 0, 0) + '|' + c.newName);
            QStringList now;
            for (const QString &u : found(g, c.target, c.newName, false))
                now.append(u.section('|', 0, 0) + '|' + u.section('|', 2));
            EXPECT_EQ(now, followed);
            // A value rewritten in place changes nothing else in its file.
            for (const QString &u : c.usages) {
                const QString file = u.section('|', 1, 1);
                if (!g.exists(file))
                    continue; // renamed with the name
                EXPECT_EQ(g.read(file), QByteArray(old.value(file))
                                            .replace('"' + u.section('|', 2).toLatin1() + '"',
                                                     '"' + c.newName.toLatin1() + '"'))
                    << file.toStdString();
            }
            EXPECT_TRUE(References(g.paths()).find(c.target, c.name).isEmpty() ||
                        c.name.compare(c.newName, Qt::CaseInsensitive) == 0);
        } else {
            EXPECT_TRUE(found(g, c.target, c.name, true).isEmpty());
            EXPECT_EQ(found(g, c.target, c.name, false).size(),
                      c.op == RemoveKeeping ? c.usages.size() : 0);
        }
    }
}

TEST(ReferencesTest, AFailurePartWayChangesNothingAndSaysWhichFile) {
    struct Case {
        const char *what;
        const char *readOnly; // a file made read-only, or a folder
        std::function<bool(RenameAndRemove &)> run;
        QString message;
        QString failedFile;
    };
    const Case cases[] = {
        {"a file naming the frame is read-only", "Areas/Hall/3b.dat",
         [](RenameAndRemove &o) { return o.rename(kFrame, "Cellar", "Vault"); },
         "Unable to rename frame areas.", "Areas/Hall/3b.dat"},
        // The links and the frame files have changed when the area folder cannot move.
        {"the area folder cannot move", "Areas",
         [](RenameAndRemove &o) { return o.rename(kFrame, "Cellar", "Vault"); },
         "Unable to rename frame areas.", "Areas/Cellar"},
        {"the item file cannot go once its uses are cleared", "Areas",
         [](RenameAndRemove &o) { return o.remove(kItem, "Key", true); },
         "Unable to remove the item.", "Areas/Key.obj"},
        {"the frame's area folder cannot be emptied", "Areas/Cellar",
         [](RenameAndRemove &o) { return o.remove(kFrame, "Cellar", true); },
         "Unable to completely remove 'Cellar'.", "Areas/Cellar"},
        {"item rename with a read-only item event", "Areas/Key_on_Rope.drg",
         [](RenameAndRemove &o) { return o.rename(kItem, "Lamp", "Lantern"); },
         "Unable to rename the item.", "Areas/Key_on_Rope.drg"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ReferenceGame g;
        const auto before = everything(g);
        std::unique_ptr<ReadOnlyFolder> locked;
        const QString target = g.path(c.readOnly);
        if (QFileInfo(target).isDir()) {
            locked = std::make_unique<ReadOnlyFolder>(target);
            if (!locked->ok())
                GTEST_SKIP() << "no read-only folder can be made here";
        } else {
            QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup);
        }
        RenameAndRemove ops(g.paths());
        EXPECT_FALSE(c.run(ops));
        locked.reset();
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(ops.status().text(), c.message);
        EXPECT_TRUE(ops.errorString().startsWith(g.path(c.failedFile) + ": "))
            << ops.errorString().toStdString();
        EXPECT_EQ(everything(g), before);
    }
}

TEST(ReferencesTest, NamesTakenMissingOrRefusedChangeNothing) {
    struct Case {
        Target target;
        QString from, to;
        QString message;
    };
    const Case cases[] = {
        {kFrame, "Cellar", "attic",
         "Cannot rename 'attic': A frame with the name you specified already exists. Specify a "
         "different name."},
        {kItem, "Key", "ROPE",
         "Cannot rename 'ROPE': An item with the name you specified already exists. Specify a "
         "different name."},
        {kFrame, "Garden", "Lawn", "Unable to rename frame areas."},
        {kItem, "Key", "Key,2",
         "Sorry, a filename cannot contain any of the following characters:\n\" \\ / : * ? < > | "
         ","},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.to.toStdString());
        ReferenceGame g;
        const auto before = everything(g);
        RenameAndRemove ops(g.paths());
        EXPECT_FALSE(ops.rename(c.target, c.from, c.to));
        EXPECT_EQ(ops.status().text(), c.message);
        EXPECT_EQ(everything(g), before);
    }
    ReferenceGame g;
    RenameAndRemove ops(g.paths());
    EXPECT_FALSE(ops.remove(kFrame, "Garden", true));
    EXPECT_EQ(ops.status().text(), "Unable to completely remove 'Garden'.");
}

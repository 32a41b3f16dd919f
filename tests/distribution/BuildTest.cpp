// The standard and run-from-CD builds with a stand-in setup compiler: every way through them,
// with the messages in order and the files left behind.
#include "AnimatedCopy.h"
#include "DistributionBuild.h"
#include "DistributionFixture.h"
#include "FileAccess.h"
#include "InstallerScript.h"
#include "NameRules.h"
#include "OptionsFile.h"
#include "SettingsStore.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Result = DistributionBuild::Result;

const QString kInstructions = QStringLiteral(
    "The Setup Compiler will now appear. Click 'Start', wait a few moments and then click "
    "'Exit'.");
const QString kFindIt = QStringLiteral(
    "\n\nPlease find this file and place it back to its original location, and then try again.");

struct BuildCase {
    EditorInstall editor;
    SmallGame game{editor};
    RecordingHost host;
    BuildOptions options;
    QTemporaryDir out;
    QString location; // ends in '/'
    DistributionBuild::Result result = Result::Stopped;

    explicit BuildCase(bool withCompiler = true)
        : editor(withCompiler), location(out.path() + QLatin1Char('/')) {
        options.fileName = QStringLiteral("Marsh");
        options.location = out.path();
        options.Check2 = true;
    }
    Result run(GameProject &project) {
        DistributionBuild build(project.paths(), editor.folder, host);
        result = build.start(options);
        return result;
    }
    Result run() { return run(game); }
    // The messages with the temporary folders shown as <editor> and <out>.
    QStringList messages() const {
        QStringList m = host.messages;
        for (QString &s : m)
            s.replace(editor.folder, QStringLiteral("<editor>/"))
                .replace(location, QStringLiteral("<out>/"))
                .replace(game.root(), QStringLiteral("<game>/"));
        return m;
    }
    bool playerCopyLeft() const {
        return !QDir(game.root())
                    .entryList({QStringLiteral("*.exe"), QStringLiteral("Temp.dat")}, QDir::Files)
                    .isEmpty();
    }
};

void write(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(StandardBuild, EveryWayThrough) {
    const struct {
        const char *name;
        std::function<void(BuildCase &)> setUp;
        Result result;
        QStringList messages;
    } cases[] = {
        {"empty name",
         [](BuildCase &c) { c.options.fileName.clear(); },
         Result::Stopped,
         {"Please enter a valid file name."}},
        {"refused character",
         [](BuildCase &c) { c.options.fileName = "a:b"; },
         Result::Stopped,
         {NameRules::checkName(QStringLiteral("a:b")).text()}},
        {"the player's own name",
         [](BuildCase &c) { c.options.fileName = "RUN"; },
         Result::Stopped,
         {"Sorry, the selected file is protected. Please enter another file."}},
        {"the editor's own name",
         [](BuildCase &c) { c.options.fileName = "Quillmoor.EXE"; },
         Result::Stopped,
         {"Sorry, the selected file is protected. Please enter another file."}},
        {"replacing refused",
         [](BuildCase &c) {
             write(c.location + "Marsh.exe", "old");
             c.host.cancelAt = "A file with";
         },
         Result::Stopped,
         {"A file with the name you specified already exists. Do you want to replace it?"}},
        {"instructions cancelled",
         [](BuildCase &c) { c.host.cancelAt = "The Setup"; },
         Result::Stopped,
         {kInstructions}},
        {"no compiler",
         [](BuildCase &c) { QFile::remove(c.editor.path("Compiler/Compil32.exe")); },
         Result::Stopped,
         {kInstructions, "File Not Found: <editor>/Compiler/Compil32.exe" + kFindIt,
          "Operation Aborted"}},
        {"title that is no file name",
         [](BuildCase &c) {
             c.game.general.SoftwareTitle = "../Marsh";
             c.game.writeGeneralInfo();
         },
         Result::Stopped,
         {"The software title cannot be used as a file name. Please change it in the Project "
          "Properties.\n\n" +
          NameRules::checkName("../Marsh").text()}},
        {"no player",
         [](BuildCase &c) { QFile::remove(c.editor.path("run.dat")); },
         Result::Stopped,
         {"File Not Found: <editor>/run.dat" + kFindIt, "Operation Aborted"}},
        {"compiler closed without compiling",
         [](BuildCase &c) { c.editor.setMode("close"); },
         Result::Stopped,
         {kInstructions, "Operation Canceled"}},
        {"installer made", [](BuildCase &) {}, Result::Completed, {kInstructions}},
        {"installer replaced",
         [](BuildCase &c) { write(c.location + "Marsh.exe", "old"); },
         Result::Completed,
         {"A file with the name you specified already exists. Do you want to replace it?",
          kInstructions}},
    };
    for (const auto &t : cases) {
        SCOPED_TRACE(t.name);
        BuildCase c;
        t.setUp(c);
        const QByteArray before = readAll(c.location + "Marsh.exe");
        EXPECT_EQ(c.run(), t.result);
        EXPECT_EQ(c.messages().join("\n|\n").toStdString(), t.messages.join("\n|\n").toStdString());
        EXPECT_FALSE(c.playerCopyLeft());
        const QString script = c.editor.path("Test.iss");
        if (t.result == Result::Completed) {
            EXPECT_EQ(readAll(c.location + "Marsh.exe"), "setup of " + script.toUtf8());
            EXPECT_EQ(c.editor.compilerArguments(), script);
            EXPECT_EQ(SettingsStore::GetRegistryString(
                          QStringLiteral("Software\\Tamberlyn\\Inno Setup\\Settings"),
                          QStringLiteral("ScriptFile")),
                      script);
            EXPECT_EQ(c.host.pages,
                      (QStringList{"waiting:" + DistributionBuild::waitingText(false), "first"}));
            OptionsFile o;
            ASSERT_TRUE(readOptions(c.game.path("Config/Options"), o).ok());
            EXPECT_EQ(o.ColorName, QStringLiteral("Blue"));
            EXPECT_EQ(o.Check2, 1);
            // The script installs the player's copy that the build made.
            EXPECT_TRUE(readAll(script).contains("*.exe\"; DestDir: \"{app}\"\r\n"));
        } else {
            // A build that stops leaves an earlier installer alone and writes none.
            EXPECT_EQ(readAll(c.location + "Marsh.exe"), before);
            EXPECT_FALSE(QFile::exists(c.game.path("Config/Options")));
        }
    }
}

const QString kStep1 = QStringLiteral(
    "Step 1 of 4\n\nThe Setup Compiler will now appear. Click 'Start' and wait until a message "
    "box appears. Then click 'No' and 'Exit'.");
QString copyStep(int n, const char *folder) {
    return QStringLiteral("Step %1 of 4\n\nQuillmoor will now copy the '%2' folder. The process "
                          "may take a few minutes and may cause your computer to stop "
                          "responding. Click 'OK' to continue")
        .arg(n)
        .arg(QLatin1String(folder));
}

// The messages of a run-from-CD build without the long introduction (checked on its own).
QStringList withoutIntroduction(const QStringList &messages, const QString &file) {
    QStringList m;
    for (const QString &s : messages) {
        if (s.startsWith(QStringLiteral("You have selected the option 'Run from CD'"))) {
            EXPECT_EQ(s.count("'" + file + "'"), 4) << s.toStdString();
            EXPECT_TRUE(s.endsWith("Click 'OK' to continue..."));
            m << QStringLiteral("<introduction>");
        } else {
            m << s;
        }
    }
    return m;
}

TEST(RunFromCdBuild, TwoProjectsShareOneCdFolder) {
    BuildCase c;
    c.options.CheckRunFromCD = true;
    c.options.CheckEnable = true; // forced off: the CD always holds hidden names
    // As in the installer, a writer's leftovers stay behind.
    for (const char *leftover : {"Frames/Start.fme.a1B2c3", "Areas/Key.obj.Zz9Yy8"}) {
        ASSERT_TRUE(FileAccess::isLeftoverTemporary(QFileInfo(leftover).fileName()));
        c.game.touch(leftover);
    }
    ASSERT_EQ(c.run(), Result::Completed);
    const QString cd = c.location + "Write_this_on_a_CD/";
    EXPECT_EQ(withoutIntroduction(c.messages(), "Marsh.exe"),
              (QStringList{"<introduction>", kStep1, copyStep(2, "Frames"), copyStep(3, "Areas"),
                           copyStep(4, "Icons"),
                           "The operation was successfully completed.\n\nThe following folder was "
                           "successfully created and contains all the necessary files and folders "
                           "to run the project from CD: <out>/Write_this_on_a_CD\n\nTo complete "
                           "the process you just have to write the contents of that folder to the "
                           "root of a CD, using a CD-Writer. Then you will be able to test the "
                           "project by running the file 'Marsh.exe' directly from the CD."}));
    EXPECT_EQ(c.host.pages.last(), QStringLiteral("closed"));
    EXPECT_FALSE(c.playerCopyLeft());
    EXPECT_TRUE(readAll(c.editor.path("Test.iss"))
                    .contains("Temp.dat\"; DestDir: \"{app}\"; DestName: \"RunFromCD.dat\"\r\n"));

    GameProject other;
    other.general.SoftwareTitle = QStringLiteral("Fen");
    other.writeGeneralInfo();
    other.frame(QStringLiteral("Start"));
    other.touch(QStringLiteral("Frames/fen.jpg"));
    c.host.messages.clear();
    c.options.fileName = QStringLiteral("Fen.exe");
    ASSERT_EQ(c.run(other), Result::Completed);
    EXPECT_TRUE(c.host.messages.first().startsWith(
        "The location you specified already contains a folder called 'Write_this_on_a_CD'. This "
        "folder probably contains one or more projects ready for distribution. Do you want to "
        "distribute the current project together with them?\n\nNote: If you don't"));

    QStringList layout;
    QDirIterator it(cd, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        layout << it.next().mid(cd.size());
    layout.sort();
    EXPECT_EQ(layout.join('\n').toStdString(),
              "Data/Fen/Frames/Start.chn\nData/Fen/Frames/Start.fme\nData/Fen/Frames/Start.lks\n"
              "Data/Fen/Frames/fen.005\n"
              "Data/Marsh Lights/Areas/Key.004\nData/Marsh Lights/Areas/Key.obj\n"
              "Data/Marsh Lights/Areas/Start/click.wav\n"
              "Data/Marsh Lights/Frames/Start.chn\nData/Marsh Lights/Frames/Start.fme\n"
              "Data/Marsh Lights/Frames/Start.lks\nData/Marsh Lights/Frames/door.004\n"
              "Data/Marsh Lights/Icons/key.002\nFen.exe\nMarsh.exe");
    // Every data folder is there, also those the project has no files in.
    for (const char *f : {"Areas", "Icons"})
        EXPECT_TRUE(QFileInfo(cd + "Data/Fen/" + f).isDir()) << f;

    // The same project again into the same location is refused before anything is done.
    c.host.messages.clear();
    c.options.fileName = QStringLiteral("Other");
    EXPECT_EQ(c.run(), Result::Stopped);
    EXPECT_EQ(c.messages(),
              QStringList{"The location you specified already contains a folder called "
                          "'Write_this_on_a_CD', which contains all the files and folders needed "
                          "to run this project from CD. Please remove that folder or select a "
                          "different location."});
}

TEST(RunFromCdBuild, WaysToStop) {
    const QString together = QStringLiteral("The location you specified already contains a "
                                            "folder called 'Write_this_on_a_CD'. This");
    const struct {
        const char *name;
        std::function<void(BuildCase &)> setUp;
        QStringList messages;
        QStringList copied; // data folders on the CD afterwards
    } cases[] = {
        {"installer name taken",
         [](BuildCase &c) { write(c.location + "Write_this_on_a_CD/Marsh.exe", "other game"); },
         {together, "A file with the name you specified already exists. Specify a different name."},
         {}},
        {"introduction cancelled",
         [](BuildCase &c) { c.host.cancelAt = "You have selected"; },
         {"<introduction>"},
         {}},
        {"step 1 cancelled",
         [](BuildCase &c) { c.host.cancelAt = "Step 1"; },
         {"<introduction>", kStep1},
         {}},
        {"compiler closed",
         [](BuildCase &c) { c.editor.setMode("close"); },
         {"<introduction>", kStep1, "Operation Canceled"},
         {}},
        {"step 3 cancelled",
         [](BuildCase &c) { c.host.cancelAt = "Step 3"; },
         {"<introduction>", kStep1, copyStep(2, "Frames"), copyStep(3, "Areas"),
          "Operation Canceled"},
         {"Frames"}},
        {"player cannot be copied",
         [](BuildCase &c) { QDir().mkpath(c.game.root() + "Marsh Lights.exe"); },
         {"Unable to copy '<editor>/run.dat' to '<game>/Marsh Lights.exe'.\n\nIs a directory",
          "Operation Aborted"},
         {}},
        {"copy cancelled",
         [](BuildCase &c) { c.host.onCopy = [](AnimatedCopy &copy) { copy.cancel(); }; },
         {"<introduction>", kStep1, copyStep(2, "Frames"), "Operation Failed"},
         {"Frames"}},
    };
    for (const auto &t : cases) {
        SCOPED_TRACE(t.name);
        BuildCase c;
        c.options.CheckRunFromCD = true;
        t.setUp(c);
        const QString installer = c.location + "Write_this_on_a_CD/Marsh.exe";
        const QByteArray before = readAll(installer);
        EXPECT_EQ(c.run(), Result::Stopped);
        QStringList got = withoutIntroduction(c.messages(), "Marsh.exe");
        if (!got.isEmpty() && got.first().startsWith(together))
            got.first() = together;
        EXPECT_EQ(got.join("\n|\n").toStdString(), t.messages.join("\n|\n").toStdString());
        EXPECT_FALSE(c.playerCopyLeft());
        const QString data = c.location + "Write_this_on_a_CD/Data/Marsh Lights/";
        QStringList copied = QDir(data).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        EXPECT_EQ(copied, t.copied);
        if (copied.contains("Frames") && !c.host.onCopy) {
            EXPECT_TRUE(QFile::exists(data + "Frames/door.bmp")); // renamed only at the end
        }
        EXPECT_EQ(readAll(installer), before); // no installer, or the other game's untouched
    }
}

// Stands in for wine: runs nothing, records what it was given and makes the setup.
const char *const kWine = R"(#!/bin/sh
here=$(dirname "$1")
printf '%s\n' "$@" "WINEDEBUG=$WINEDEBUG" > "$here/args"
mkdir -p "$here/../Output" && echo wine > "$here/../Output/Setup.exe"
)";

// The command-line compiler: script, output folder and name as its options say.
const char *const kIscc = R"(#!/bin/sh
printf '%s\n' "$@" > "$(dirname "$0")/args"
echo "Compiling [Setup] section"
out=${2#/O}; name=${3#/F}
mkdir -p "$out" && echo iscc > "$out/$name.exe"
)";

// Which program the build starts and how: the windowed compiler, the command-line one, a
// Windows program through wine, and a Windows program where wine is missing.
TEST(StandardBuild, HowTheCompilerIsStarted) {
    QTemporaryDir bin;
    write(bin.path() + "/wine", kWine);
    QFile::setPermissions(bin.path() + "/wine", QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    const struct {
        const char *name;
        const char *program; // written to Compiler/<program>
        QByteArray contents;
        QByteArray pathVariable;
        Result result;
        QString arguments; // with <editor> for the editor folder, <script> for the script
        QString lastMessage;
    } cases[] = {
        {"command-line compiler", "ISCC.exe", kIscc, path, Result::Completed,
         "<script>\n/O<editor>/Output\n/FSetup",
         "The Setup Compiler will now run by itself and create the installation. Wait until it "
         "has finished."},
        {"through wine", "Compil32.exe", QByteArray("MZ\x90\0", 4),
         bin.path().toUtf8() + ":" + path, Result::Completed,
         "<editor>/Compiler/Compil32.exe\n<script>\nWINEDEBUG=-all", kInstructions},
        {"wine missing", "Compil32.exe", QByteArray("MZ\x90\0", 4), QByteArray("/nonexistent"),
         Result::Stopped, "", "Operation Aborted"},
    };
    for (const auto &t : cases) {
        SCOPED_TRACE(t.name);
        BuildCase c;
        QFile::remove(c.editor.path("Compiler/Compil32.exe"));
        const QString program = c.editor.path("Compiler/") + t.program;
        write(program, t.contents);
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", t.pathVariable);
        EXPECT_EQ(c.run(), t.result);
        qputenv("PATH", path);
        const bool wine = t.contents.startsWith("MZ");
        const QString script = c.editor.path("Test.iss");
        // Paths the compiler reads are in its own form.
        const QByteArray scriptText = readAll(script);
        EXPECT_EQ(scriptText.contains("SourceDir=Z:\\"), wine);
        QString expected = t.arguments;
        expected.replace("<script>", wine ? scriptPathOf(script, PathForm::Wine) : script)
            .replace("<editor>/", c.editor.folder);
        EXPECT_EQ(c.editor.compilerArguments().toStdString(), expected.toStdString());
        EXPECT_EQ(c.host.messages.last(), t.lastMessage);
        EXPECT_EQ(c.host.output.contains("Compiling [Setup] section"),
                  QByteArray(t.program) == "ISCC.exe");
        EXPECT_EQ(QFile::exists(c.location + "Marsh.exe"), t.result == Result::Completed);
    }
}

// While the compiler runs, the build waits on the event loop: timers keep firing.
TEST(StandardBuild, EventsRunWhileTheCompilerWorks) {
    BuildCase c;
    c.editor.setMode("wait");
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(c.run(), Result::Completed);
    EXPECT_GE(clock.elapsed(), 1000);
    EXPECT_GE(ticks, 30);
}

TEST(RunFromCdBuild, RenameToHideFilesStaysAtTheTopLevel) {
    QTemporaryDir dir;
    const QString f = dir.path() + "/";
    for (const char *name : {"a.BMP", "b.wav", "c.txt", "d.ico", "d.002", "sub/e.bmp"})
        write(f + name, "x");
    EXPECT_TRUE(DistributionBuild::RenameToHideFiles(f));
    QStringList all;
    QDirIterator it(f, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        all << it.next().mid(f.size());
    all.sort();
    // d.ico keeps its name: its hidden name is taken.
    EXPECT_EQ(all, (QStringList{"a.004", "b.010", "c.txt", "d.002", "d.ico", "sub/e.bmp"}));
}

} // namespace

// The installer and the CD folder carry the player without debug information and the project
// information without the author's path to the project.
TEST(Builds, NothingOfTheAuthorsMachineShips) {
    const auto hasDebugSections = [](const QString &elf) {
        QProcess readelf;
        readelf.start(QStringLiteral("readelf"), {QStringLiteral("-S"), elf});
        return readelf.waitForFinished() && readelf.readAllStandardOutput().contains(".debug_");
    };
    for (const bool cd : {false, true}) {
        SCOPED_TRACE(cd ? "run from CD" : "standard");
        BuildCase c;
        c.options.CheckRunFromCD = cd;
        ASSERT_TRUE(hasDebugSections(QStringLiteral(QMTOOL_PATH)));
        QFile::remove(c.editor.path("run.dat"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QMTOOL_PATH), c.editor.path("run.dat")));
        c.editor.setMode(QStringLiteral("pack"));
        c.game.general.GeneralFilePath = QStringLiteral("/home/author/Marsh/Config/General");
        c.game.writeGeneralInfo();
        ASSERT_EQ(c.run(), Result::Completed);

        const QString shipped = c.location + (cd ? "Write_this_on_a_CD/" : "");
        QTemporaryDir installed;
        ASSERT_EQ(QProcess::execute("tar", {"-xf", shipped + "Marsh.exe", "-C", installed.path()}),
                  0);
        // The installed game's saved games go to the folder its Linux packages use too.
        EXPECT_TRUE(readAll(installed.filePath("UserData.dat")).startsWith("\"marsh-lights\""));
        EXPECT_TRUE(readAll(installed.filePath("Marsh Lights.exe"))
                        .startsWith("\x7f"
                                    "ELF"));
        for (const QString &folder : {shipped, installed.path()}) {
            QDirIterator it(folder, {QStringLiteral("*.exe")}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString exe = it.next();
                EXPECT_FALSE(hasDebugSections(exe)) << exe.toStdString();
            }
        }
        const QList<QByteArray> general = readAll(installed.filePath("Config/General")).split('\n');
        ASSERT_GT(general.size(), 2);
        EXPECT_TRUE(general[0].startsWith("\"" + c.game.general.ProjectName.toUtf8()));
        EXPECT_EQ(general[1].trimmed(), "\"\"");
        // The author's own project is left as it was.
        EXPECT_TRUE(readAll(c.game.path("Config/General")).contains("/home/author/Marsh"));
    }
}

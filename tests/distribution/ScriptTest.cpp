// The installer script's text, line for line.
#include "DistributionFixture.h"
#include "InstallerScript.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <functional>

#include <gtest/gtest.h>

namespace {

struct ScriptCase {
    EditorInstall editor;
    SmallGame game{editor};
    RecordingHost host;
    BuildOptions options;
    PathForm form = PathForm::Native;

    ScriptCase() { options.Check2 = true; }
    QStringList lines() {
        InstallerScript::Input in;
        in.paths = game.paths();
        in.general = game.general;
        in.editorFolder = editor.folder;
        in.options = options;
        in.form = form;
        in.assumeBuildFiles = true;
        return InstallerScript(in, &host).CreateFiles();
    }
    // The text with the temporary folders replaced by <root> and <editor>.
    QString text() {
        QString t = lines().join(QLatin1Char('\n'));
        const QString root = scriptPathOf(QDir::fromNativeSeparators(game.root()), form);
        const QString ed = scriptPathOf(editor.folder, form);
        return t.replace(root, QStringLiteral("<root>/")).replace(ed, QStringLiteral("<editor>/"));
    }
    // The [Files] lines.
    QStringList files() {
        const QStringList l = lines();
        const int from = l.indexOf(QStringLiteral("[Files]")) + 1;
        return l.mid(from, l.indexOf(QStringLiteral("[Icons]")) - from - 1);
    }
};

const char *const kHiddenScript = R"([Setup]
Bits=32
AppName=Marsh Lights
AppVerName=Marsh Lights
AppCopyright=Version 1.0
DefaultDirName={pf}\Marsh Lights
DefaultGroupName=Marsh Lights
MinVersion=4,4
AlwaysCreateUninstallIcon=1
BackColor=clNavy
SourceDir=<root>/

[Dirs]
Name: "{app}\Config"
Name: "{app}\Schemes"
Name: "{app}\Schemes\Moss"
Name: "{app}\Frames"
Name: "{app}\Icons"
Name: "{app}\Areas"
Name: "{app}\Areas\Start"

[Files]
Source: "<editor>/Schemes\Moss\*.*"; DestDir: "{app}\Schemes\Moss"
Source: "<root>/*.exe"; DestDir: "{app}"
Source: "<editor>/Output\Config\*.*"; DestDir: "{app}\Config"
Source: "<root>/Frames\Start.chn"; DestDir: "{app}\Frames"; DestName: "Start.chn"
Source: "<root>/Frames\Start.fme"; DestDir: "{app}\Frames"; DestName: "Start.fme"
Source: "<root>/Frames\Start.lks"; DestDir: "{app}\Frames"; DestName: "Start.lks"
Source: "<root>/Frames\door.bmp"; DestDir: "{app}\Frames"; DestName: "door.004"
Source: "<root>/Icons\key.ico"; DestDir: "{app}\Icons"; DestName: "key.002"
Source: "<root>/Areas\Key.bmp"; DestDir: "{app}\Areas"; DestName: "Key.004"
Source: "<root>/Areas\Key.obj"; DestDir: "{app}\Areas"; DestName: "Key.obj"
Source: "<root>/Areas\Start\*.*"; DestDir: "{app}\Areas\Start"
Source: "<editor>/Output\Game\UserData.dat"; DestDir: "{app}"

[Icons]
Name: "{group}\Marsh Lights"; Filename: "{app}\Marsh Lights.exe")";

// Both system boxes checked, resources hidden, paths as wine shows them: the whole text.
TEST(InstallerScript, HiddenResourcesWholeTextInWineForm) {
    ScriptCase c;
    c.form = PathForm::Wine;
    c.options.colorIndex = installerColorIndex(QStringLiteral("navy"));
    EXPECT_EQ(c.text().toStdString(), kHiddenScript);
    EXPECT_EQ(c.lines().filter(QStringLiteral("Source: \"Z:\\")).size(), 12);
    EXPECT_TRUE(c.host.messages.isEmpty());
}

TEST(InstallerScript, Variants) {
    const struct {
        const char *name;
        std::function<void(ScriptCase &)> setUp;
        std::function<void(ScriptCase &)> check;
    } cases[] = {
        {"no scheme folder",
         [](ScriptCase &c) { c.game.general.SchemeName = QStringLiteral("Gone"); },
         [](ScriptCase &c) {
             EXPECT_TRUE(c.files().filter(QStringLiteral("Schemes")).isEmpty());
             EXPECT_TRUE(c.lines().contains(QStringLiteral("Name: \"{app}\\Schemes\"")));
             EXPECT_TRUE(c.lines().contains(QStringLiteral("Name: \"{app}\\Schemes\\Gone\"")));
         }},
        {"empty scheme folder",
         [](ScriptCase &c) {
             QDir().mkpath(c.editor.path(QStringLiteral("Schemes/Bare")));
             c.game.general.SchemeName = QStringLiteral("Bare");
         },
         [](ScriptCase &c) {
             EXPECT_TRUE(c.files().filter(QStringLiteral("Schemes")).isEmpty());
             EXPECT_TRUE(c.lines().contains(QStringLiteral("Name: \"{app}\\Schemes\\Bare\"")));
         }},
        {"anyone may edit", [](ScriptCase &c) { c.options.CheckEnable = true; },
         [](ScriptCase &c) {
             const QString r = c.text();
             const QStringList f = r.section(QStringLiteral("[Files]\n"), 1).split('\n');
             EXPECT_EQ(f.mid(1, 7).join('\n').toStdString(),
                       "Source: \"<root>/*.exe\"; DestDir: \"{app}\"\n"
                       "Source: \"<root>/Project.dat\"; DestDir: \"{app}\"\n"
                       "Source: \"<editor>/Output/Config/*.*\"; DestDir: \"{app}\\Config\"\n"
                       "Source: \"<root>/Frames/*.*\"; DestDir: \"{app}\\Frames\"\n"
                       "Source: \"<root>/Icons/*.*\"; DestDir: \"{app}\\Icons\"\n"
                       "Source: \"<root>/Areas/*.*\"; DestDir: \"{app}\\Areas\"\n"
                       "Source: \"<root>/Areas/Start/*.*\"; DestDir: \"{app}\\Areas\\Start\"");
         }},
        {"run from CD", [](ScriptCase &c) { c.options.CheckRunFromCD = true; },
         [](ScriptCase &c) {
             const QStringList l = c.lines();
             EXPECT_TRUE(l.filter(QRegularExpression(QStringLiteral("\\\\(Frames|Icons|Areas)")))
                             .isEmpty());
             EXPECT_EQ(c.files().last(), QStringLiteral("Source: \"") + c.game.root() +
                                             QStringLiteral("Temp.dat\"; DestDir: \"{app}\"; "
                                                            "DestName: \"RunFromCD.dat\""));
         }},
        {"an empty per-frame folder",
         [](ScriptCase &c) { QDir().mkpath(c.game.path(QStringLiteral("Areas/Cellar"))); },
         [](ScriptCase &c) {
             EXPECT_TRUE(c.lines().contains(QStringLiteral("Name: \"{app}\\Areas\\Cellar\"")));
             // The compiler stops on a wildcard that matches nothing.
             EXPECT_TRUE(c.files().filter(QStringLiteral("Cellar")).isEmpty());
         }},
        {"system files distributed",
         [](ScriptCase &c) {
             c.options.Check2 = false;
             for (const char *f : {"System/GIF89.DLL", "System/mp3.dll", "WAVMIX32.dll"})
                 QFile(c.editor.path(QLatin1String(f))).open(QIODevice::WriteOnly);
         },
         [](ScriptCase &c) {
             const QString r = c.text();
             const QStringList f = r.section(QStringLiteral("[Files]\n"), 1).split('\n');
             EXPECT_EQ(f.mid(0, 4).join('\n').toStdString(),
                       "Source: \"<editor>/System/GIF89.DLL\"; DestDir: \"{sys}\"; CopyMode: "
                       "alwaysskipifsameorolder; Flags: regserver sharedfile uninsneveruninstall\n"
                       "Source: \"<editor>/System/mp3.dll\"; DestDir: \"{sys}\"; Flags: sharedfile "
                       "uninsneveruninstall\n"
                       "Source: \"<editor>/WAVMIX32.dll\"; DestDir: \"{app}\"\n"
                       "Source: \"<editor>/Schemes/Moss/*.*\"; DestDir: \"{app}\\Schemes\\Moss\"");
             // The seven missing files, each told once with the system's wording.
             ASSERT_EQ(c.host.messages.size(), 7);
             EXPECT_EQ(c.host.messages.first(),
                       QStringLiteral("Unable to find '") + c.editor.path("System/Oleaut32.dll") +
                           QStringLiteral("'.\n\nQuillmoor will continue creating the "
                                          "installation, but this file will not be "
                                          "distributed.To get this file, try reinstalling "
                                          "Quillmoor."));
             EXPECT_EQ(c.host.titles.first(), QStringLiteral("File Not Found"));
             EXPECT_TRUE(c.host.messages[6].contains(QStringLiteral("Wavemix.ini")));
         }},
    };
    for (const auto &t : cases) {
        SCOPED_TRACE(t.name);
        ScriptCase c;
        t.setUp(c);
        t.check(c);
    }
}

const char *const kVersion6Script = R"([Setup]
AppName=Marsh Lights
AppVerName=Marsh Lights
AppCopyright=Version 1.0
DefaultDirName={autopf}\Marsh Lights
DefaultGroupName=Marsh Lights
SourceDir=<root>/
OutputDir=<editor>/Output
OutputBaseFilename=Setup

[Dirs]
Name: "{app}\Config"
Name: "{app}\Schemes"
Name: "{app}\Schemes\Moss"
Name: "{app}\Frames"
Name: "{app}\Icons"
Name: "{app}\Areas"
Name: "{app}\Areas\Entrée"

[Files]
Source: "<editor>/System\Comcat.dll"; DestDir: "{sys}"; Flags: onlyifdoesntexist sharedfile uninsneveruninstall
Source: "<editor>/System\Gif89.dll"; DestDir: "{sys}"; Flags: regserver sharedfile uninsneveruninstall
Source: "<editor>/Schemes\Moss\*.*"; DestDir: "{app}\Schemes\Moss"
Source: "<root>/*.exe"; DestDir: "{app}"
Source: "<editor>/Output\Config\*.*"; DestDir: "{app}\Config"
Source: "<root>/Frames\Entrée.bmp"; DestDir: "{app}\Frames"; DestName: "Entrée.004"
Source: "<root>/Frames\Entrée.chn"; DestDir: "{app}\Frames"; DestName: "Entrée.chn"
Source: "<root>/Frames\Entrée.fme"; DestDir: "{app}\Frames"; DestName: "Entrée.fme"
Source: "<root>/Frames\Entrée.lks"; DestDir: "{app}\Frames"; DestName: "Entrée.lks"
Source: "<root>/Areas\Entrée\*.*"; DestDir: "{app}\Areas\Entrée"
Source: "<editor>/Output\Game\UserData.dat"; DestDir: "{app}"

[Icons]
Name: "{group}\Marsh Lights"; Filename: "{app}\Marsh Lights.exe"
Name: "{group}\Uninstall Marsh Lights"; Filename: "{uninstallexe}")";

// The script for the current compiler: no refused or warned-about lines, flags for copy
// modes, output where the build looks, and a name outside ASCII kept intact in the bytes.
TEST(InstallerScript, Version6) {
    EditorInstall editor;
    GameProject game;
    game.general.SoftwareTitle = QStringLiteral("Marsh Lights");
    game.general.CommentsAndVersion = QStringLiteral("Version 1.0");
    game.general.SchemeName = QStringLiteral("Moss");
    game.general.InitialFrame = QStringLiteral("Entrée");
    game.writeGeneralInfo();
    game.frame(QStringLiteral("Entrée"));
    game.touch(QStringLiteral("Frames/Entrée.bmp"));
    game.touch(QStringLiteral("Areas/Entrée/bell.wav"));
    for (const char *f : {"System/Comcat.dll", "System/Gif89.dll"})
        QFile(editor.path(QLatin1String(f))).open(QIODevice::WriteOnly);
    RecordingHost host;
    InstallerScript::Input in;
    in.paths = game.paths();
    in.general = game.general;
    in.editorFolder = editor.folder;
    in.options.version6 = true;
    in.options.colorIndex = 3;
    in.form = PathForm::Wine;
    in.assumeBuildFiles = true;
    const QStringList lines = InstallerScript(in, &host).CreateFiles();
    QString text = lines.join('\n');
    text.replace(scriptPathOf(QDir::fromNativeSeparators(game.root()), PathForm::Wine),
                 QStringLiteral("<root>/"))
        .replace(scriptPathOf(editor.folder, PathForm::Wine), QStringLiteral("<editor>/"));
    EXPECT_EQ(text.toStdString(), kVersion6Script);
    EXPECT_EQ(host.messages.size(), 8); // the system files not in System/

    const QByteArray bytes = InstallerScript::encode(lines, true);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF[Setup]\r\nAppName="));
    EXPECT_TRUE(bytes.contains("Entr\xC3\xA9"
                               "e.004\"\r\n"));
    // The older compiler reads the system's 8-bit code page.
    EXPECT_TRUE(InstallerScript::encode(lines, false)
                    .contains("Entr\xE9"
                              "e.004\"\r\n"));
}

TEST(InstallerScript, HelpersOfTheWriter) {
    EditorInstall editor;
    EXPECT_TRUE(AnyFile(editor.path(QStringLiteral("Schemes/Moss"))));
    EXPECT_TRUE(AnyFile(editor.folder, QStringLiteral("*.DAT")));
    EXPECT_FALSE(AnyFile(editor.folder, QStringLiteral("*.exe")));
    EXPECT_FALSE(AnyFile(editor.path(QStringLiteral("System"))));
    EXPECT_EQ(scriptPathOf(QStringLiteral("/home/a b/x.bmp"), PathForm::Wine),
              QStringLiteral("Z:\\home\\a b\\x.bmp"));
    EXPECT_EQ(ChangeFileNameForCompilation(QStringLiteral("door.BMP")), QStringLiteral("door.004"));
    RecordingHost host;
    EXPECT_TRUE(IsFile(editor.path(QStringLiteral("run.dat")), &host));
    EXPECT_FALSE(IsFile(editor.path(QStringLiteral("System")), &host));
    EXPECT_EQ(host.titles, QStringList{QStringLiteral("File Not Found")});
}

} // namespace

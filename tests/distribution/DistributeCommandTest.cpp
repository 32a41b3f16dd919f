// qmtool distribute and qmtool setup-script as programs.
#include "DistributionFixture.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out, err;
};

ToolRun qmtool(const QStringList &args) {
    QProcess p;
    p.start(QStringLiteral(QMTOOL_PATH), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

TEST(DistributeCommand, ExitCodes) {
    EditorInstall editor;
    SmallGame game(editor);
    QTemporaryDir out;
    const QString to = out.path() + QStringLiteral("/releases");
    const QStringList common{QStringLiteral("--editor"), editor.folder,
                             QStringLiteral("--no-system-files")};
    const struct {
        const char *name;
        const char *mode;
        QStringList args;
        int exitCode;
        const char *made; // relative to `to`, empty for nothing
    } cases[] = {
        {"installer", "write", QStringList{"distribute", game.root(), "--to", to} + common, 0,
         "Marsh Lights.exe"},
        {"installer for a CD", "write",
         QStringList{"distribute", game.root(), "--to", to, "--cd", "--name", "Disc"} + common, 0,
         "Write_this_on_a_CD/Disc.exe"},
        {"compiler closed", "close",
         QStringList{"distribute", game.root(), "--to", to, "--name", "Other"} + common, 1, ""},
        {"no destination", "write", QStringList{"distribute", game.root()} + common, 2, ""},
        {"unknown colour", "write",
         QStringList{"distribute", game.root(), "--to", to, "--color", "Mauve"} + common, 2, ""},
        {"not a project", "write", QStringList{"distribute", out.path(), "--to", to} + common, 2,
         ""},
        {"a file as the folder", "write",
         QStringList{"distribute", game.root(), "--to", game.path("Config/General")} + common, 2,
         ""},
        {"a folder inside the project", "write",
         QStringList{"distribute", game.root(), "--to", game.path("Releases")} + common, 2, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        editor.setMode(QLatin1String(c.mode));
        const QStringList before =
            QDir(to).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        const ToolRun r = qmtool(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.out.toStdString() << r.err.toStdString();
        if (*c.made) {
            EXPECT_TRUE(QFileInfo(to + '/' + c.made).isFile());
            EXPECT_TRUE(r.out.contains("[answered OK]")) << r.out.toStdString();
        } else {
            EXPECT_EQ(QDir(to).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), before);
            EXPECT_FALSE(QFileInfo::exists(game.path("Releases")));
        }
    }
}

TEST(DistributeCommand, SetupScriptPrintsTheScriptOnly) {
    EditorInstall editor;
    SmallGame game(editor);
    const ToolRun r = qmtool({QStringLiteral("setup-script"), game.root(), QStringLiteral("--v6"),
                              QStringLiteral("--color"), QStringLiteral("teal"),
                              QStringLiteral("--editor"), editor.folder});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith("[Setup]\nAppName=Marsh Lights\n")) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains("DefaultDirName={autopf}\\Marsh Lights\n"));
    EXPECT_TRUE(r.out.contains("*.exe\"; DestDir: \"{app}\"\n"));
    // The missing system files are reported beside the script, not in it.
    EXPECT_EQ(r.err.count("Unable to find"), 10);
    EXPECT_FALSE(QFile::exists(editor.path("Test.iss")));
    EXPECT_EQ(
        qmtool({QStringLiteral("setup-script"), game.root(), QStringLiteral("--bogus")}).exitCode,
        2);
}

} // namespace

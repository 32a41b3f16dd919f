#include "GameFiles.h"
#include "GameProject.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList targets(const QVector<GameFile> &files) {
    QStringList out;
    for (const GameFile &f : files)
        out << f.target;
    return out;
}

// A project with a picture frame, an item, a click sound in a per-frame folder and the scheme
// "Moss" in a schemes folder of its own.
struct Fixture {
    GameProject project;
    QTemporaryDir schemes;
    Fixture() {
        // The scheme folder is "Moss": it is found and installed under the name the project uses.
        project.general.SchemeName = QStringLiteral("moss");
        project.writeGeneralInfo();
        project.frame(QStringLiteral("Start"));
        project.touch(QStringLiteral("Frames/door.bmp"));
        project.touch(QStringLiteral("Areas/Start/click.wav"));
        project.touch(QStringLiteral("Icons/key.ico"));
        project.item(QStringLiteral("Key"));
        QDir().mkpath(schemes.path() + QStringLiteral("/Moss"));
        QFile f(schemes.path() + QStringLiteral("/Moss/Scheme.txt"));
        f.open(QIODevice::WriteOnly);
    }
};

TEST(GameFiles, ListsWhatTheInstallerInstallsWithHiddenNamesUnlessEditable) {
    Fixture fx;
    const struct {
        bool letAnyoneEdit;
        QStringList expected;
    } cases[] = {
        {false,
         {"Schemes/moss/Scheme.txt", "Config/General", "Config/Variables", "Config/Version",
          "Frames/Start.chn", "Frames/Start.fme", "Frames/Start.lks", "Frames/door.004",
          "Icons/key.002", "Areas/Key.004", "Areas/Key.obj", "Areas/Start/click.wav"}},
        {true,
         {"Schemes/moss/Scheme.txt", "Project.dat", "Config/General", "Config/Variables",
          "Config/Version", "Frames/Start.chn", "Frames/Start.fme", "Frames/Start.lks",
          "Frames/door.bmp", "Icons/key.ico", "Areas/Key.bmp", "Areas/Key.obj",
          "Areas/Start/click.wav"}},
    };
    for (const auto &c : cases) {
        QVector<GameFile> files;
        QString error;
        ASSERT_TRUE(
            listGameFiles(fx.project.root(), fx.schemes.path(), c.letAnyoneEdit, files, &error))
            << error.toStdString();
        QStringList expected = c.expected;
        QStringList got = targets(files);
        for (const QString &t : QStringList(got))
            if (t.startsWith(QLatin1String("Config/")) && !expected.contains(t))
                got.removeAll(t);
        EXPECT_EQ(got.join('\n').toStdString(), expected.join('\n').toStdString())
            << "letAnyoneEdit " << c.letAnyoneEdit;
        for (const GameFile &f : files) {
            EXPECT_TRUE(QFileInfo(f.source).isAbsolute()) << f.source.toStdString();
            EXPECT_TRUE(QFileInfo(f.source).isFile()) << f.source.toStdString();
        }
    }
}

TEST(GameFiles, RefusesAFolderThatIsNoProject) {
    QTemporaryDir empty;
    QVector<GameFile> files{{QStringLiteral("x"), QStringLiteral("y")}};
    QString error;
    EXPECT_FALSE(listGameFiles(empty.path(), empty.path(), false, files, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(files.isEmpty());
}

} // namespace

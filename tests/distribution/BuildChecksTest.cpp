// Every build kind refuses titles and locations it cannot use; an option-like title is packed.
#include "DistributionBuild.h"
#include "DistributionFixture.h"
#include "LinuxPackage.h"
#include "NameRules.h"
#include "ReadOnlyFolder.h"

#include <QDirIterator>

#include <gtest/gtest.h>

namespace {

LinuxPackage::Result package(const QString &editor, const GameProject &game, const QString &to,
                             bool portable) {
    LinuxPackage::Request r;
    r.projectRoot = game.root();
    r.editorFolder = editor;
    r.location = to;
    r.kind = portable ? LinuxPackage::Kind::Portable : LinuxPackage::Kind::Debian;
    r.quickArchive = true;
    return LinuxPackage(r).build();
}

// What the installer, CD, Debian and portable builds told: messages joined, or the error.
QStringList everyBuild(const EditorInstall &editor, GameProject &game, const QString &to) {
    QStringList told;
    for (const bool cd : {false, true}) {
        RecordingHost host;
        BuildOptions o;
        o.fileName = QStringLiteral("Marsh");
        o.location = to;
        o.CheckRunFromCD = cd;
        DistributionBuild(game.paths(), editor.folder, host).start(o);
        told << host.messages.join(QStringLiteral("\n|\n"));
    }
    for (const bool portable : {false, true})
        told << package(editor.folder, game, to, portable).error;
    return told;
}

} // namespace

TEST(BuildChecks, EveryBuildKindRefusesTitlesAndLocationsItCannotUse) {
    EditorInstall editor;
    SmallGame game(editor);
    QTemporaryDir out;
    const QString to = out.filePath("a/b"), releases = game.path("Releases"),
                  file = game.path("Config/General");
    QDir().mkpath(to); // "n/../../victim" would land in `out`
    QDir().mkpath(releases);
    const QString title = "The software title cannot be used as a file name. Please change it in "
                          "the Project Properties.\n\n";
    const QString valid = title + "Please enter a valid title for your software: it cannot ";
    const QString inside = "The location you specified is inside the project: '%1'. What a build "
                           "writes there would be distributed with the project by the next "
                           "build. Please select a location outside the project folder.";
    const struct {
        QString title, to, message;
    } cases[] = {
        {out.filePath("abs"), to, title + NameRules::checkName("/").text()},
        {"n/../../victim", to, title + NameRules::checkName("/").text()},
        {"Marsh\nLights", to, valid + "contain line breaks, tabs or other control characters."},
        {QString(101, QChar(0xE9)), to, valid + "be longer than 200 bytes."},
        {"Marsh Lights", game.root(), inside.arg(game.root())},
        {"Marsh Lights", releases, inside.arg(releases)},
        {"Marsh Lights", file,
         QString("The location you specified is not a folder: '%1'. Please select a different "
                 "location.")
             .arg(file)},
    };
    for (const auto &t : cases) {
        game.general.SoftwareTitle = t.title;
        game.writeGeneralInfo();
        EXPECT_EQ(everyBuild(editor, game, t.to), QStringList(4, t.message))
            << t.message.toStdString();
    }
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"a"});
    EXPECT_TRUE(QDir(to).isEmpty());

    ReadOnlyFolder locked(to);
    if (!locked.ok())
        GTEST_SKIP() << "no read-only folder can be made here";
    for (const QString &told : everyBuild(editor, game, to))
        EXPECT_TRUE(
            told.startsWith("Unable to write to the location you specified: '" + to + "'.\n\n"))
            << told.toStdString();
}

TEST(BuildChecks, PortableTitleThatLooksLikeAnOptionIsPacked) {
    EditorInstall editor(false);
    QFile::remove(editor.path("run.dat"));
    QFile::copy(QStringLiteral("/bin/true"), editor.path("run.dat"));
    QFile icon(editor.path("quillmoor.png"));
    ASSERT_TRUE(icon.open(QIODevice::WriteOnly));
    SmallGame game(editor);
    QTemporaryDir out;
    for (const QString title : {"-=Quest=-", "--version"}) {
        game.general.SoftwareTitle = title;
        game.writeGeneralInfo();
        const QString tarball = out.filePath(title + ".tar.xz");
        const LinuxPackage::Result r = package(editor.folder, game, out.path(), true);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_EQ(r.outputs, QStringList({out.filePath(title), tarball}));
        EXPECT_TRUE(readAll(out.filePath(title + "/UserData.dat"))
                        .startsWith("\"" + r.game.name.toUtf8() + "\"\r\n#FALSE#"));
        EXPECT_TRUE(readAll(tarball).startsWith("\xFD"
                                                "7zXZ"));
        qint64 unpacked = 0;
        for (QDirIterator it(out.filePath(title), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            unpacked += QFileInfo(it.next()).size();
        EXPECT_EQ(r.unpackedBytes, unpacked);
    }
}

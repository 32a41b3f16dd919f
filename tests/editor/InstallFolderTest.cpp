// What the build puts into the installation folder besides the programs: stock pointers whose
// hot spots are where they point, and schemes the player's title screen takes as they are.

#include "ProjectFiles.h"
#include "SchemeFile.h"
#include "SchemeFolders.h"
#include "TestProject.h"
#include "TitleScreen.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct Made {
    TestProject folder;
    bool ok = false;
    Made() {
        QProcess p;
        p.start(QStringLiteral(QM_MAKE_INSTALL_DATA), {folder.root()});
        ok =
            p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }
};

} // namespace

TEST(InstallFolderTest, PointersCarryRealHotSpots) {
    Made made;
    ASSERT_TRUE(made.ok);
    struct Case {
        const char *file;
        int type; // 1 icon, 2 cursor
        int hotX, hotY;
    };
    const Case cases[] = {{"Arrow.cur", 2, 1, 1},      {"Hand.cur", 2, 13, 1},
                          {"Cross.cur", 2, 16, 16},    {"Look.cur", 2, 12, 12},
                          {"GoLeft.cur", 2, 1, 16},    {"GoRight.cur", 2, 31, 16},
                          {"GoForward.cur", 2, 16, 1}, {"GoBack.cur", 2, 16, 31},
                          {"Talk.ico", 1, 1, 32},      {"Take.ico", 1, 1, 32}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        const QByteArray bytes = made.folder.read(QStringLiteral("Icons/") + c.file);
        ASSERT_GT(bytes.size(), 22);
        const auto *d = reinterpret_cast<const uchar *>(bytes.constData());
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 2), c.type);
        // For a cursor bytes 10 to 13 are the hot spot; for an icon, planes and bit count.
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 10), c.hotX);
        EXPECT_EQ(qFromLittleEndian<quint16>(d + 12), c.hotY);
        const QImage image(made.folder.path(QStringLiteral("Icons/") + c.file));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(32, 32));
        if (c.type != 2)
            continue;
        // The hot spot lies on the drawn pointer.
        int covered = 0;
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                const QPoint p(qBound(0, c.hotX + dx, 31), qBound(0, c.hotY + dy, 31));
                covered += qAlpha(image.pixel(p)) > 0 ? 1 : 0;
            }
        }
        EXPECT_GT(covered, 0);
    }
}

TEST(InstallFolderTest, SchemesDressTheTitleScreen) {
    Made made;
    ASSERT_TRUE(made.ok);
    SchemeFolders schemes(made.folder.path(QStringLiteral("Schemes")));
    EXPECT_EQ(schemes.list(), (QStringList{"Night Sky", "Parchment"}));
    for (const QString &name : schemes.list()) {
        SCOPED_TRACE(name.toStdString());
        SchemeFile s;
        ASSERT_TRUE(readScheme(schemes.schemeFile(name), s));
        EXPECT_EQ(s.SchemeName, name);
        TitleScreen t;
        t.UseScheme(schemes.folder(), name, true);
        EXPECT_TRUE(t.errors.isEmpty()) << t.errors.join("|").toStdString();
        for (const auto &b : t.buttons) {
            EXPECT_TRUE(b.pictureShown);
            const QImage picture(b.picture);
            EXPECT_EQ(picture.size(), QSize(140, 28)) << b.picture.toStdString();
        }
        EXPECT_FALSE(QImage(t.tile).isNull());
        EXPECT_TRUE(t.coloursSet && t.buttonsColourSet);
        EXPECT_NE(t.backgroundColour, t.titleColour);
    }
    EXPECT_TRUE(made.folder.exists(QStringLiteral("Presets/Friendly games.pre")));
    EXPECT_FALSE(QImage(made.folder.path(QStringLiteral("quillmoor.png"))).isNull());
}

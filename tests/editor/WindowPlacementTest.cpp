// Windows whose place is kept in the settings come back wholly on a screen.

#include "WindowPlacement.h"
#include "EditorTestSupport.h"
#include "RecordingMedia.h"
#include "SettingsStore.h"
#include "frmMenu.h"

#include <QGuiApplication>
#include <QScreen>

TEST(WindowPlacementTest, AWindowOffAnEdgeComesBackOntoTheScreenItOverlapsMost) {
    const QRect left(0, 0, 1280, 800);
    const QRect right(1280, 0, 1920, 1080);
    struct Case {
        const char *name;
        QRect frame;
        QRect expected;
    };
    const Case cases[] = {
        {"inside", QRect(100, 100, 400, 300), QRect(100, 100, 400, 300)},
        {"off the left", QRect(-150, 100, 400, 300), QRect(0, 100, 400, 300)},
        {"off the top", QRect(100, -40, 400, 300), QRect(100, 0, 400, 300)},
        {"off the bottom", QRect(100, 700, 400, 300), QRect(100, 500, 400, 300)},
        {"off the right of the second", QRect(3000, 100, 400, 300), QRect(2800, 100, 400, 300)},
        {"mostly on the second", QRect(1200, 100, 400, 300), QRect(1280, 100, 400, 300)},
        {"mostly on the first", QRect(1000, 100, 400, 300), QRect(880, 100, 400, 300)},
        {"too tall", QRect(100, 50, 400, 1000), QRect(100, 0, 400, 800)},
        {"too large", QRect(-10, -10, 1500, 900), QRect(0, 0, 1280, 800)},
        {"far away", QRect(-5000, 9000, 400, 300), QRect(0, 500, 400, 300)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WindowPlacement::fitOnScreen(c.frame, {left, right}), c.expected);
    }
    EXPECT_EQ(WindowPlacement::fitOnScreen(QRect(-9, 0, 5, 5), {}), QRect(-9, 0, 5, 5));
}

TEST(WindowPlacementTest, TheMainWindowIsRestoredWhollyOnTheScreen) {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint kept[] = {
        {-400, 50}, {50, -300}, {room.right() - 20, 50}, {50, room.bottom() - 10}};
    for (const QPoint &at : kept) {
        SCOPED_TRACE(QStringLiteral("%1,%2").arg(at.x()).arg(at.y()).toStdString());
        SettingsStore::DeleteSetting("A", "Settings");
        SettingsStore::SaveSetting("A", "Settings", "frmMenu.Left", QString::number(at.x()));
        SettingsStore::SaveSetting("A", "Settings", "frmMenu.Top", QString::number(at.y()));
        TestProject install;
        RecordingMediaBackend media;
        AnsweredEditor answers;
        frmMenu menu(EditorFolders(install.root()), media);
        ASSERT_TRUE(menu.start());
        menu.show();
        EXPECT_TRUE(waitFor([&] { return room.contains(menu.frameGeometry()); }, 1000))
            << menu.frameGeometry().x() << "," << menu.frameGeometry().y();
    }
}

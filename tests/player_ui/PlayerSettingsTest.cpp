// The player's own settings: kept per game in the settings store, chosen in a small dialog
// opened from the title window; and the display-switch line of a display without 640 x 480.

#include "UiTestSupport.h"

#include "DisplayModes.h"
#include "Drives.h"
#include "PlayerSettings.h"
#include "SettingsStore.h"
#include "frmPlayerSettings.h"
#include "frmWelcome.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QtTest/QTest>

namespace {

const QString kGame = QStringLiteral("Marsh Lights");

class PlayerSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { SettingsStore::DeleteSetting(QStringLiteral("Games"), kGame); }
    void TearDown() override { SettingsStore::DeleteSetting(QStringLiteral("Games"), kGame); }
};

// A display that offers the sizes listed, or any size when none are.
class OfferedModes : public DisplayModes {
public:
    OfferedModes(const QSize &size, QList<QSize> offered)
        : size(size), offered(std::move(offered)) {}
    QSize currentSize() override { return size; }
    bool setSize(const QSize &s) override {
        changes.append(s);
        size = s;
        return true;
    }
    bool offersSize(const QSize &s) override { return s == size || offered.contains(s); }
    QSize size;
    QList<QSize> offered;
    QList<QSize> changes;
};

// Presses Tab until `target` has the focus; false when it is not in the tab order.
bool tabTo(QWidget *target) {
    for (int i = 0; i < 10 && QApplication::focusWidget() != target; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

class NoDrives : public DriveProvider {
public:
    QList<Drive> drives() const override { return {}; }
};

} // namespace

TEST_F(PlayerSettingsTest, StoredPerGameWithDefaultsForMissingOrDamagedValues) {
    const PlayerSettings defaults = PlayerSettings::load(kGame);
    EXPECT_EQ(defaults.scaling, PlayerSettings::Scaling::Smooth);
    EXPECT_EQ(defaults.musicVolume, 100);
    EXPECT_EQ(defaults.soundVolume, 100);
    EXPECT_EQ(defaults.messageSpeed, PlayerSettings::MessageSpeed::Normal);

    PlayerSettings chosen;
    chosen.scaling = PlayerSettings::Scaling::WholeSteps;
    chosen.musicVolume = 35;
    chosen.soundVolume = 0;
    chosen.messageSpeed = PlayerSettings::MessageSpeed::Slow;
    chosen.save(kGame);
    EXPECT_TRUE(PlayerSettings::load(kGame) == chosen);
    EXPECT_TRUE(PlayerSettings::load(QStringLiteral("Another game")) == defaults);

    // Each damaged value falls back on its own default; the others stay.
    const struct {
        const char *key;
        const char *value;
    } damaged[] = {
        {"Scaling", "7"}, {"MusicVolume", "250"}, {"SoundVolume", "loud"}, {"MessageSpeed", "-1"}};
    for (const auto &d : damaged) {
        chosen.save(kGame);
        SettingsStore::SaveSetting(QStringLiteral("Games"), kGame, QString::fromLatin1(d.key),
                                   QString::fromLatin1(d.value));
        const PlayerSettings read = PlayerSettings::load(kGame);
        const QString key = QString::fromLatin1(d.key);
        EXPECT_EQ(read.scaling, key == QLatin1String("Scaling") ? defaults.scaling : chosen.scaling)
            << d.key;
        EXPECT_EQ(read.musicVolume,
                  key == QLatin1String("MusicVolume") ? defaults.musicVolume : chosen.musicVolume);
        EXPECT_EQ(read.soundVolume,
                  key == QLatin1String("SoundVolume") ? defaults.soundVolume : chosen.soundVolume);
        EXPECT_EQ(read.messageSpeed, key == QLatin1String("MessageSpeed") ? defaults.messageSpeed
                                                                          : chosen.messageSpeed);
    }
}

TEST_F(PlayerSettingsTest, TheDialogIsWorkedFromTheKeyboardAndStoresOnOkOnly) {
    PlayerSettings start;
    start.musicVolume = 50;
    start.save(kGame);
    {
        frmPlayerSettings dialog(kGame);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        // Every control is named for a screen reader.
        for (QWidget *w : dialog.findChildren<QWidget *>()) {
            if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisible())
                continue;
            const auto *button = qobject_cast<QAbstractButton *>(w);
            const QString name =
                button && w->accessibleName().isEmpty() ? button->text() : w->accessibleName();
            EXPECT_FALSE(name.isEmpty()) << w->metaObject()->className();
        }
        // The stored choice has the focus; arrows move it, Tab goes on to the volumes.
        ASSERT_EQ(QApplication::focusWidget(), dialog.scaling()->button(0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        EXPECT_EQ(dialog.scaling()->checkedId(), 1);
        ASSERT_TRUE(tabTo(dialog.musicVolume()));
        QTest::keyClick(dialog.musicVolume(), Qt::Key_End);
        ASSERT_TRUE(tabTo(dialog.soundVolume()));
        QTest::keyClick(dialog.soundVolume(), Qt::Key_Home);
        // Alt+E (the mnemonic of "Message speed") reaches the list.
        QTest::keyClick(&dialog, Qt::Key_E, Qt::AltModifier);
        ASSERT_EQ(QApplication::focusWidget(), dialog.messageSpeed());
        QTest::keyClick(dialog.messageSpeed(), Qt::Key_Down);
        EXPECT_EQ(dialog.messageSpeed()->currentIndex(), 2);

        // Escape leaves the stored settings as they were.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(PlayerSettings::load(kGame) == start);

        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    const PlayerSettings stored = PlayerSettings::load(kGame);
    EXPECT_EQ(stored.scaling, PlayerSettings::Scaling::WholeSteps);
    EXPECT_EQ(stored.musicVolume, 100);
    EXPECT_EQ(stored.soundVolume, 0);
    EXPECT_EQ(stored.messageSpeed, PlayerSettings::MessageSpeed::Fast);
}

TEST_F(PlayerSettingsTest, TheTitleWindowOffersTheDisplaySwitchOnlyWhereTheDisplayHasTheMode) {
    struct Case {
        QSize display;
        QList<QSize> offered;
        bool lineShown;
    };
    const QList<Case> cases = {
        {QSize(1024, 768), {QSize(640, 480)}, true},
        {QSize(1024, 768), {QSize(800, 600)}, false},
        {QSize(1920, 1080), {}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lineShown);
        UiProject project;
        project.general.ShowChangeResolution = 1;
        project.writeGeneralInfo();
        project.frame(QStringLiteral("Start"));
        SettingsStore::DeleteSetting(QStringLiteral("Games"), project.general.ProjectName);
        OfferedModes display(c.display, c.offered);
        NoDrives drives;
        WatchingMedia media;
        QList<ShownBox> boxes;
        QList<EngineHost::Answer> answers;
        frmWelcome w(project.paths(), project.root() + QStringLiteral("Schemes/"), media, true,
                     &display, &drives);
        w.setGameWindowMode(Game::WindowMode::Windowed);
        w.setMessageAnswerer(recordingAnswerer(boxes, answers));
        ASSERT_TRUE(w.start());
        EXPECT_EQ(!w.resolutionCheck()->isHidden(), c.lineShown);

        // The settings are one press away, under a name a person would use.
        QPushButton *settings = w.playerSettingsButton();
        ASSERT_NE(settings, nullptr);
        EXPECT_TRUE(settings->isVisible());
        EXPECT_EQ(settings->accessibleDescription(), QStringLiteral("Player settings"));
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (auto *dialog =
                    qobject_cast<frmPlayerSettings *>(QApplication::activeModalWidget())) {
                opened = true;
                dialog->reject();
            }
        });
        settings->click();
        EXPECT_TRUE(opened);

        w.ClickButton(0);
        ASSERT_NE(w.gameWindow(), nullptr);
        EXPECT_TRUE(w.gameWindow()->isVisible());
        // Without the mode the switch is never tried.
        EXPECT_EQ(display.changes.isEmpty(), !c.lineShown);
        EXPECT_TRUE(boxes.isEmpty());
        w.gameWindow()->close();
        EXPECT_TRUE(waitUntil([&] { return w.isVisible(); }));
        w.close();
    }
}

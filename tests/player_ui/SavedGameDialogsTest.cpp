// The save and load dialogs over the engine's saved games.

#include "UiTestSupport.h"

#include "MessageBoxes.h"
#include "PickedObject.h"
#include "frmLoadGame.h"
#include "frmSaveGame.h"

#include <QAccessible>
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest/QTest>

namespace {

template <typename T> T *control(QWidget *dialog, const char *name) {
    T *w = dialog->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        ADD_FAILURE() << "no control " << name;
    return w;
}

QString accessibleName(QObject *object) {
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QString();
}

QStringList entries(QListWidget *list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

void clickEntry(QListWidget *list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

void doubleClickEntry(QListWidget *list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

QByteArray readFile(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void setModified(const QString &path, const QDateTime &when) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

class SavedGameDialogs : public ::testing::Test {
protected:
    UiProject project;
    std::unique_ptr<GameUnderTest> t;

    void SetUp() override {
        project.variables({QStringLiteral("door")});
        project.frame(QStringLiteral("Start"));
        project.frame(QStringLiteral("Hall"));
        project.item(QStringLiteral("key"));
        t = std::make_unique<GameUnderTest>(project);
        t->start();
    }

    QString savePath(const QString &name) const {
        return project.root() + name + QStringLiteral(".sav");
    }

    // Two saved games, "zeta" older than "alpha".
    void twoSavedGames() {
        ASSERT_TRUE(t->engine().saveGame(QStringLiteral("zeta")));
        ASSERT_TRUE(t->engine().saveGame(QStringLiteral("alpha")));
        const QDateTime now = QDateTime::currentDateTime();
        setModified(savePath(QStringLiteral("zeta")), now.addSecs(-120));
        setModified(savePath(QStringLiteral("alpha")), now.addSecs(-60));
    }
};

} // namespace

TEST_F(SavedGameDialogs, TheSaveDialogListsTheSavedGamesUnderItsCaptions) {
    twoSavedGames();
    frmSaveGame dialog(t->engine(), t->game.get());
    dialog.show();

    const CustomTexts &texts = project.texts;
    EXPECT_EQ(dialog.objectName(), QStringLiteral("frmSaveGame"));
    EXPECT_EQ(dialog.windowTitle(), texts.text(21));
    EXPECT_EQ(control<QLabel>(&dialog, "Label1")->text(), texts.text(23));
    EXPECT_EQ(control<QPushButton>(&dialog, "Command2")->text(), texts.text(25));
    EXPECT_EQ(control<QPushButton>(&dialog, "Command3")->text(), texts.text(22));
    EXPECT_EQ(control<QPushButton>(&dialog, "Command1")->text(), texts.text(11));
    QListWidget *list = control<QListWidget>(&dialog, "List1");
    EXPECT_EQ(entries(list), QStringList({QStringLiteral("zeta"), QStringLiteral("alpha")}));
    EXPECT_EQ(control<QLineEdit>(&dialog, "Text1")->text(), QString());

    // The name box is named by its prompt, and has the keyboard.
    EXPECT_EQ(accessibleName(control<QLineEdit>(&dialog, "Text1")), texts.text(23));
    EXPECT_EQ(accessibleName(list), QStringLiteral("Saved games"));
    dialog.activateWindow();
    EXPECT_TRUE(waitUntil([&] { return QApplication::activeWindow() == &dialog; }));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("Text1"));

    clickEntry(list, 1);
    EXPECT_EQ(control<QLineEdit>(&dialog, "Text1")->text(), QStringLiteral("alpha"));
    clickEntry(list, 0);
    EXPECT_EQ(control<QLineEdit>(&dialog, "Text1")->text(), QStringLiteral("zeta"));

    control<QPushButton>(&dialog, "Command1")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(t->boxes.isEmpty());
}

TEST_F(SavedGameDialogs, SavingWritesTheGameAndClosesTheDialog) {
    t->engine().AddPickedObject(QStringLiteral("key"));
    frmSaveGame dialog(t->engine(), t->game.get());
    dialog.show();
    QTest::keyClicks(control<QLineEdit>(&dialog, "Text1"), QStringLiteral("evening"));
    control<QPushButton>(&dialog, "Command2")->click();

    EXPECT_TRUE(t->boxes.isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    const QByteArray saved = readFile(savePath(QStringLiteral("evening")));
    EXPECT_TRUE(saved.startsWith("\"Start\""));
    EXPECT_TRUE(saved.contains("\"key\""));
}

TEST_F(SavedGameDialogs, ANameWithACommaIsRefused) {
    frmSaveGame dialog(t->engine(), t->game.get());
    dialog.show();
    control<QLineEdit>(&dialog, "Text1")->setText(QStringLiteral("left,right"));
    control<QPushButton>(&dialog, "Command2")->click();

    ASSERT_EQ(t->boxes.size(), 1);
    EXPECT_EQ(t->boxes[0].title, QStringLiteral("Marsh Lights"));
    EXPECT_EQ(t->boxes[0].text, project.texts.text(35) + QStringLiteral("\n\" \\ / : * ? < > | ,"));
    EXPECT_EQ(t->boxes[0].icon, Status::Icon::Information);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(QFile::exists(savePath(QStringLiteral("left,right"))));
    EXPECT_TRUE(t->engine().LoadSaveGames().isEmpty());
}

TEST_F(SavedGameDialogs, AnExistingNameIsOverwrittenOnlyAfterOk) {
    twoSavedGames();
    const QByteArray before = readFile(savePath(QStringLiteral("alpha")));
    t->engine().AddPickedObject(QStringLiteral("key"));
    frmSaveGame dialog(t->engine(), t->game.get());
    dialog.show();
    control<QLineEdit>(&dialog, "Text1")->setText(QStringLiteral("alpha"));

    t->answers.append(EngineHost::Answer::Cancel);
    control<QPushButton>(&dialog, "Command2")->click();
    ASSERT_EQ(t->boxes.size(), 1);
    EXPECT_EQ(t->boxes[0].title, project.texts.text(21));
    EXPECT_EQ(t->boxes[0].text, QStringLiteral("'alpha' ") + project.texts.text(24));
    EXPECT_EQ(t->boxes[0].icon, Status::Icon::Question);
    EXPECT_EQ(t->boxes[0].buttons, EngineHost::Buttons::OkCancel);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(readFile(savePath(QStringLiteral("alpha"))), before);

    // A double click on the entry saves under its name.
    t->answers.append(EngineHost::Answer::Ok);
    control<QLineEdit>(&dialog, "Text1")->clear();
    doubleClickEntry(control<QListWidget>(&dialog, "List1"), 1);
    EXPECT_EQ(t->boxes.size(), 2);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    const QByteArray after = readFile(savePath(QStringLiteral("alpha")));
    EXPECT_NE(after, before);
    EXPECT_TRUE(after.contains("\"key\""));
}

TEST_F(SavedGameDialogs, RemoveSelectedAsksThenDeletesAndRefreshesTheList) {
    twoSavedGames();
    frmSaveGame dialog(t->engine(), t->game.get());
    dialog.show();
    QListWidget *list = control<QListWidget>(&dialog, "List1");
    QPushButton *remove = control<QPushButton>(&dialog, "Command3");

    remove->click();
    ASSERT_EQ(t->boxes.size(), 1);
    EXPECT_EQ(t->boxes[0].title, project.texts.text(26));
    EXPECT_EQ(t->boxes[0].text, project.texts.text(9));
    EXPECT_EQ(entries(list).size(), 2);

    clickEntry(list, 0);
    t->answers.append(EngineHost::Answer::Cancel);
    remove->click();
    ASSERT_EQ(t->boxes.size(), 2);
    EXPECT_EQ(t->boxes[1].text, project.texts.text(27) + QStringLiteral(" '") +
                                    savePath(QStringLiteral("zeta")) + QStringLiteral("'?"));
    EXPECT_TRUE(QFile::exists(savePath(QStringLiteral("zeta"))));

    t->answers.append(EngineHost::Answer::Ok);
    remove->click();
    EXPECT_FALSE(QFile::exists(savePath(QStringLiteral("zeta"))));
    EXPECT_EQ(entries(list), QStringList{QStringLiteral("alpha")});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(QFile::exists(savePath(QStringLiteral("alpha"))));
}

TEST_F(SavedGameDialogs, TheLoadDialogLoadsTheSelectedGame) {
    t->engine().OpenFrame(QStringLiteral("Hall"));
    t->engine().AddPickedObject(QStringLiteral("key"));
    t->engine().variables().ChangeVariableValue(QStringLiteral("door"), 1);
    ASSERT_TRUE(t->engine().saveGame(QStringLiteral("evening")));
    t->start();
    ASSERT_EQ(t->engine().currentFrame(), QStringLiteral("Start"));
    ASSERT_TRUE(t->inventory().isEmpty());

    frmLoadGame dialog(t->engine());
    dialog.show();
    EXPECT_EQ(dialog.objectName(), QStringLiteral("frmLoadGame"));
    EXPECT_EQ(dialog.windowTitle(), project.texts.text(17));
    EXPECT_EQ(control<QLabel>(&dialog, "Label1")->text(), project.texts.text(18));
    EXPECT_EQ(control<QPushButton>(&dialog, "Command2")->text(), project.texts.text(19));
    EXPECT_EQ(control<QPushButton>(&dialog, "Command1")->text(), project.texts.text(11));
    QListWidget *list = control<QListWidget>(&dialog, "List1");
    EXPECT_EQ(entries(list), QStringList{QStringLiteral("evening")});
    EXPECT_EQ(accessibleName(list), QStringLiteral("Saved games"));

    // With the selection taken away, LOAD asks for one.
    list->setCurrentRow(-1);
    ASSERT_TRUE(list->selectedItems().isEmpty());
    control<QPushButton>(&dialog, "Command2")->click();
    ASSERT_EQ(t->boxes.size(), 1);
    EXPECT_EQ(t->boxes[0].title, project.texts.text(17));
    EXPECT_EQ(t->boxes[0].text, project.texts.text(9));
    EXPECT_TRUE(dialog.isVisible());

    // What runs before the load (the display switch) sees the game not loaded yet and the
    // dialog out of the way.
    QStringList before;
    dialog.setBeforeLoad([&] {
        before.append(t->engine().currentFrame() + QLatin1Char('|') +
                      (dialog.isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden")));
    });
    clickEntry(list, 0);
    control<QPushButton>(&dialog, "Command2")->click();
    EXPECT_EQ(before, QStringList{QStringLiteral("Start|hidden")});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(t->engine().currentFrame(), QStringLiteral("Hall"));
    EXPECT_EQ(t->engine().variables().GetVariableValue(QStringLiteral("door")), 1);
    EXPECT_EQ(t->inventory(), QStringList{QStringLiteral("key")});
    // The game window shows the loaded game.
    ASSERT_NE(t->game->inventorySlot(1), nullptr);
    EXPECT_EQ(t->game->inventorySlot(1)->toolTip(), QStringLiteral("key"));
    EXPECT_TRUE(t->game->isVisible());
    EXPECT_EQ(t->boxes.size(), 1);
}

TEST_F(SavedGameDialogs, ADoubleClickLoadsAndCancelLoadsNothing) {
    t->engine().OpenFrame(QStringLiteral("Hall"));
    ASSERT_TRUE(t->engine().saveGame(QStringLiteral("night")));
    t->start();

    frmLoadGame cancelled(t->engine());
    cancelled.show();
    control<QPushButton>(&cancelled, "Command1")->click();
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(t->engine().currentFrame(), QStringLiteral("Start"));

    frmLoadGame dialog(t->engine());
    dialog.show();
    doubleClickEntry(control<QListWidget>(&dialog, "List1"), 0);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(t->engine().currentFrame(), QStringLiteral("Hall"));
    EXPECT_TRUE(t->boxes.isEmpty());
}

TEST_F(SavedGameDialogs, TheLoadListSelectsTheNewestAndShowsEachFrameAndTime) {
    ASSERT_TRUE(t->engine().saveGame(QStringLiteral("morning")));
    t->engine().OpenFrame(QStringLiteral("Hall"));
    ASSERT_TRUE(t->engine().saveGame(QStringLiteral("evening")));
    project.writeLines(QStringLiteral("broken.sav"), {});
    const QDateTime now = QDateTime::currentDateTime().addSecs(-3600);
    const QDateTime times[] = {now.addSecs(-300), now.addSecs(-200), now.addSecs(-100)};
    setModified(savePath(QStringLiteral("morning")), times[0]);
    setModified(savePath(QStringLiteral("broken")), times[1]);
    setModified(savePath(QStringLiteral("evening")), times[2]);
    t->start();

    frmLoadGame dialog(t->engine());
    dialog.show();
    QListWidget *list = control<QListWidget>(&dialog, "List1");
    ASSERT_EQ(entries(list), QStringList({"morning", "broken", "evening"}));
    const QString frames[] = {"Start", "", "Hall"};
    for (int row = 0; row < 3; ++row) {
        // The name stays the entry's text; the frame and the time stand beside it.
        const QString when = QLocale().toString(times[row], QLocale::ShortFormat);
        const QString details = list->item(row)->toolTip();
        EXPECT_TRUE(details.contains(when)) << details.toStdString();
        EXPECT_EQ(details.startsWith(frames[row] + ", "), !frames[row].isEmpty()) << row;
        EXPECT_EQ(list->item(row)->data(Qt::AccessibleDescriptionRole).toString(), details);
        // Drawn beside the name: the entry is wider than the name alone.
        EXPECT_GT(list->sizeHintForColumn(0),
                  list->fontMetrics().horizontalAdvance(list->item(row)->text() + details));
    }
    // The newest is selected and has the keyboard: Return loads it.
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_TRUE(list->currentItem()->isSelected());
    dialog.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return QApplication::focusWidget() == list; }));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(t->boxes.isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(t->engine().currentFrame(), QStringLiteral("Hall"));
}

TEST(PlayerDialogs, ArePlainDialogsWideEnoughForTheirTitles) {
    UiProject project;
    project.frame(QStringLiteral("Start"));
    project.texts.setText(17, QStringLiteral("Load a saved game of The Very Long Adventure Title"));
    GameUnderTest t(project);
    const QString longTitle =
        QStringLiteral("The Lighthouse Keeper's Daughter and the Marsh Lights - Part Two");
    std::unique_ptr<QMessageBox> box =
        createMessageBox(nullptr, longTitle, QStringLiteral("Saved."), Status::Icon::Information,
                         EngineHost::Buttons::Ok);
    frmLoadGame load(t.engine());
    frmSaveGame save(t.engine());
    for (QDialog *dialog : {static_cast<QDialog *>(box.get()), static_cast<QDialog *>(&load),
                            static_cast<QDialog *>(&save)}) {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
        const Qt::WindowFlags flags = dialog->windowFlags();
        const std::string name = dialog->windowTitle().toStdString();
        EXPECT_EQ(dialog->windowType(), Qt::Dialog) << name;
        EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint)) << name;
        EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint)) << name;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint)) << name;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << name;
        QFont bold = QApplication::font();
        bold.setBold(true);
        EXPECT_GT(dialog->width(),
                  QFontMetrics(bold).horizontalAdvance(dialog->windowTitle()) + 100)
            << name;
        dialog->close();
    }
}

#pragma once

#include <QDialog>

#include <functional>

class GameEngine;
class QLabel;
class QListWidget;
class QPushButton;

// The load dialog: the saved games, LOAD and Cancel. Loading is the engine's; the dialog closes
// (accepted) once a game was loaded, and the title screen then makes way for the game.
class frmLoadGame : public QDialog {
    Q_OBJECT
public:
    explicit frmLoadGame(GameEngine &engine, QWidget *parent = nullptr);

    // Refills the list with the saved games, oldest first, the newest selected.
    void LoadSaveGames();
    // Runs once a saved game is chosen, before it loads, with this dialog hidden (the title
    // screen switches the display there).
    void setBeforeLoad(std::function<void()> beforeLoad) { m_beforeLoad = std::move(beforeLoad); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void load();
    QString selectedName() const;

    GameEngine &m_engine;
    std::function<void()> m_beforeLoad;
    QLabel *m_prompt = nullptr;
    QListWidget *m_list = nullptr;
    QPushButton *m_load = nullptr;
    QPushButton *m_cancel = nullptr;
};

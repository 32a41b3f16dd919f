#pragma once

#include <QDialog>

class GameEngine;
class QDateTime;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The save dialog: a name, the saved games, SAVE, Remove Selected and Cancel. The engine checks
// names, asks its questions and writes the files; the dialog closes when a save succeeded.
class frmSaveGame : public QDialog {
    Q_OBJECT
public:
    explicit frmSaveGame(GameEngine &engine, QWidget *parent = nullptr);

    // Refills the list with the saved games, oldest first.
    void LoadSaveGames();

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    void save();
    void removeSelected();
    QString selectedName() const;

    GameEngine &m_engine;
    QLabel *m_prompt = nullptr;
    QLineEdit *m_name = nullptr;
    QListWidget *m_list = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_remove = nullptr;
    QPushButton *m_cancel = nullptr;
};

// Places a dialog in the middle of its screen.
void centreOnScreen(QWidget *dialog);

// Fills `list` with the saved games of `root`, oldest first: each entry's text is the save
// name, and beside it the list shows the frame it was saved on and when (also its tooltip and
// what a screen reader says after the name).
void fillSavedGamesList(QListWidget *list, const QString &root);
// The frame and time shown beside a saved game's name.
QString savedGameDetails(const QString &frame, const QDateTime &saved);

#pragma once

#include "PlayerSettings.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QSlider;

// The player's own settings for one game: how the play area fills the screen, the music and
// sound volumes and how long messages stay. OK stores them in the settings store; the game
// window takes them the next time it is shown.
class frmPlayerSettings : public QDialog {
    Q_OBJECT
public:
    // Shows the stored settings of the game named `projectName`.
    explicit frmPlayerSettings(const QString &projectName, QWidget *parent = nullptr);

    // What the controls say now.
    PlayerSettings settings() const;

    QSlider *musicVolume() const { return m_music; }
    QSlider *soundVolume() const { return m_sound; }
    QComboBox *messageSpeed() const { return m_speed; }
    QButtonGroup *scaling() const { return m_scaling; }

    void accept() override;

private:
    QString m_project;
    QButtonGroup *m_scaling = nullptr;
    QSlider *m_music = nullptr;
    QSlider *m_sound = nullptr;
    QComboBox *m_speed = nullptr;
};

#pragma once

#include <QString>

// The player's own choices, kept per user and per game in the settings store beside the
// display-switch choice: how the play area fills the screen, the music and sound volumes and how
// long messages stay.
struct PlayerSettings {
    enum class Scaling {
        Smooth,     // as large as the screen allows, aspect kept
        WholeSteps, // the largest whole multiple that fits (sharp pixels)
        Unscaled,   // one screen pixel for every game pixel
    };
    enum class MessageSpeed { Slow, Normal, Fast };

    Scaling scaling = Scaling::Smooth;
    int musicVolume = 100; // percent
    int soundVolume = 100; // percent
    MessageSpeed messageSpeed = MessageSpeed::Normal;

    // The stored choices of the game named `projectName`; the defaults above for anything
    // missing or out of range.
    static PlayerSettings load(const QString &projectName);
    void save(const QString &projectName) const;

    // How long a message stays, for the time the game itself gives it.
    int messageTime(int milliseconds) const;

    bool operator==(const PlayerSettings &o) const {
        return scaling == o.scaling && musicVolume == o.musicVolume &&
               soundVolume == o.soundVolume && messageSpeed == o.messageSpeed;
    }
};

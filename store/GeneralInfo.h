#pragma once

#include "Status.h"

#include <QString>

// Config/General: the project information.
struct GeneralInfo {
    QString ProjectName = QStringLiteral("New Project");
    QString GeneralFilePath;
    QString SoftwareTitle;
    int ScreenSizeChoice = 2; // 0 = 320 x 200, 1 = 320 x 240, 2 = 640 x 480, 3 = custom
    QString InitialFrame;
    QString CommentsAndVersion;
    double ScreenWidth = 640;
    double ScreenHeight = 480;
    QString Author;
    QString Email;
    QString Homepage;
    // Fields below may be missing from files written by older editors.
    double ShowChangeResolution = 0;
    QString SchemeName;
    bool SingleChannelAudio = false;
    bool HideLoad = false;
    bool HideSave = false;
    int TextsKind = 0; // 0 applications, 1 games, 2 custom
};

// The player reads lines 1 to 21 and takes the screen size choice, width, height and the
// display-switch option as whole numbers (the option is 1 when an older file lacks it); the
// editor reads all 22 lines.
enum class GeneralReader { Player, Editor };

// On failure `out` holds the values read before the damage and defaults after it.
Status readGeneral(const QString &path, GeneralInfo &out, GeneralReader reader);
Status writeGeneral(const QString &path, const GeneralInfo &info);

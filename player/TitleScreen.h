#pragma once

#include "CustomTexts.h"
#include "GeneralInfo.h"
#include "ProjectPaths.h"
#include "Status.h"

#include <QString>
#include <QStringList>

// What the title window shows, computed from the project: the lines and their places (in
// twips), the buttons with their pictures or texts, the scheme's colours and tile. The window
// only draws it.
struct TitleScreen {
    struct Line {
        bool shown = false;
        int top = 0; // twips from the window's top
        QString label;
        QString text;
    };
    struct Button {
        bool pictureShown = false;
        QString picture; // full path in the scheme folder
        bool textShown = true;
        QString caption;
        int textTop = 0; // twips
    };

    // Where the text buttons stand when the window is laid out (design-time places).
    static constexpr int StartTop = 1080;
    static constexpr int LoadTop = 1560;
    static constexpr int ExitTop = 2040;
    static constexpr int FirstLineTop = 3000;
    static constexpr int LineStep = 255;
    static constexpr int Width = 4800;

    bool generalRead = false; // false: " Unable to load project information." was reported
    GeneralInfo general;
    CustomTexts texts;
    QString title;
    bool titleHidden = false;
    Line version, author, email, homepage;
    bool resolutionShown = false;
    int resolutionLabelTop = 0;
    int resolutionCheckTop = 0; // 45 twips below the label
    QString resolutionLabel;
    int innerHeight = FirstLineTop + 150;
    Button buttons[3]; // Start, Load, Exit
    QString tile;      // picture tiled over the window, empty for none
    bool coloursSet = false;
    qint32 backgroundColour = 0, titleColour = 0, textsColour = 0;
    bool buttonsColourSet = false;
    qint32 buttonsColour = 0;
    // Standard error reports to show, each a specific message.
    QStringList errors;
    // "Unable to load texts." when Config/Texts could not be read.
    Status textsStatus;

    // Reads General (the player's way), the custom texts and the scheme named by the project
    // from `schemesFolder`. `fromEditor` is the editor's test run (scheme errors are reported);
    // `displayIs640x480` hides the resolution line.
    static TitleScreen load(const ProjectPaths &paths, const QString &schemesFolder,
                            bool fromEditor, bool displayIs640x480);

    // Dresses the buttons and colours from a scheme (text buttons when it has no Scheme.txt).
    void UseScheme(const QString &schemesFolder, const QString &name, bool fromEditor);
};

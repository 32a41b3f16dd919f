#pragma once

#include "CustomTexts.h"
#include "GeneralInfo.h"
#include "ProjectPaths.h"
#include "Status.h"

#include <QRect>
#include <QString>
#include <QStringList>

// What the title window shows, computed from the project: the lines and their places (in
// twips), the buttons with their pictures or texts, the scheme's colours and tile. The window
// only draws it.
// What the title window shows, computed from the project: the lines and their places, the
// buttons with their pictures or texts, the scheme's colours and tile. Every place is in twips
// (15 to the pixel at normal size) and every font size in points, so that a view draws the
// same screen at any scale: the player's title window at normal size, a preview smaller.
struct TitleScreen {
    struct Line {
        bool shown = false;
        int top = 0; // twips from the window's top
        QString label;
        QString text;
        QRect labelPlace; // empty for the version line, which has no label
        QRect textPlace;
    };
    struct Button {
        bool pictureShown = false;
        QString picture; // full path in the scheme folder
        bool textShown = true;
        QString caption;
        int textTop = 0;    // twips
        int pictureTop = 0; // twips; a picture keeps its designed place
    };

    // --- the fixed layout (twips)
    static constexpr int Width = 4800;
    static constexpr int Margin = 240;     // left and right edge of the lines
    static constexpr int ValueLeft = 1440; // author, e-mail and web site values, after labels
    static constexpr int TitleTop = 240;
    static constexpr int TitleHeight = 720;
    // Where the buttons stand when the window is laid out (design-time places); they are
    // centred on the window's middle.
    static constexpr int StartTop = 1080;
    static constexpr int LoadTop = 1560;
    static constexpr int ExitTop = 2040;
    static constexpr int ButtonCentre = Width / 2;
    static constexpr int FirstLineTop = 3000;
    static constexpr int LineStep = 255; // also a line's height
    static constexpr int CheckWidth = 270;
    static constexpr int CheckHeight = 225;
    static constexpr int CheckDrop = 45; // the check box stands this far below its label
    static constexpr int BottomMargin = 150;
    // The small button that opens the credits panel, in the bottom-right corner.
    static constexpr int InfoSize = 240;
    static constexpr int InfoInset = 300; // from the right and bottom edges to its corner
    // The button that opens the player's settings, in the top-right corner.
    static constexpr int SettingsWidth = 900;
    static constexpr int SettingsHeight = 270;
    static constexpr int SettingsInset = 45; // from the top and right edges

    // --- fonts (points)
    static constexpr double TitlePoints = 16;  // bold
    static constexpr double ButtonPoints = 12; // bold
    static constexpr double LinePoints = 9;
    static constexpr double InfoPoints = 9; // bold italic

    bool generalRead = false; // false: " Unable to load project information." was reported
    GeneralInfo general;
    CustomTexts texts;
    QString title;
    bool titleHidden = false;
    QRect titlePlace;
    Line version, author, email, homepage;
    bool resolutionShown = false;
    int resolutionLabelTop = 0;
    int resolutionCheckTop = 0; // CheckDrop twips below the label
    QString resolutionLabel;
    QRect resolutionLabelPlace;
    QRect resolutionCheckPlace;
    int innerHeight = FirstLineTop + BottomMargin;
    QRect infoPlace;
    QRect settingsPlace;
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
    // from `schemesFolder`, and lays the screen out. `fromEditor` is the editor's test run
    // (scheme errors are reported); `displayIs640x480` hides the resolution line.
    static TitleScreen load(const ProjectPaths &paths, const QString &schemesFolder,
                            bool fromEditor, bool displayIs640x480);

    // Shows the project information `g` with `customTexts`, dressed by the scheme `g` names
    // from `schemesFolder`, with or without the resolution line, and lays the screen out. load()
    // calls it with what it read; a preview calls it with what is being edited.
    void present(const GeneralInfo &g, const CustomTexts &customTexts,
                 const QString &schemesFolder, bool fromEditor, bool resolution);

    // Places every line and button from what is set: the title, the version, author, e-mail
    // and web site texts (a line shows when its text is not empty), `resolutionShown` and
    // HideLoad in `general`.
    void layOut();

    // Dresses the buttons and colours from a scheme (text buttons when it has no Scheme.txt).
    void UseScheme(const QString &schemesFolder, const QString &name, bool fromEditor);

    // The colour (0x00BBGGRR) the text buttons are drawn in: the scheme's, or, when the scheme
    // sets a window colour but none for the buttons, black or white, whichever reads better on
    // it. -1 when the window keeps the style's colours.
    qint64 buttonTextColour() const;
};

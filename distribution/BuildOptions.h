#pragma once

#include <QString>
#include <QStringList>

// The choices of the "Create .EXE" dialog.
struct BuildOptions {
    QString fileName;            // the installer's file name, as typed
    QString location;            // the folder it goes to
    int colorIndex = 0;          // position in installerColors()
    bool CheckEnable = false;    // let anyone edit: real names, Project.dat installed
    bool CheckRunFromCD = false; // build a folder for a CD instead
    bool Check2 = false;         // do not distribute the other system files
    bool version6 = false;       // write the script for the current setup compiler (version 6)

    QString colorName() const;
};

// The 16 background colours the installer offers, Blue first.
const QStringList &installerColors();
// The position of `name` in installerColors(), compared without regard to case; -1 when none.
int installerColorIndex(const QString &name);

#pragma once

#include <QString>
#include <QStringList>

// What the build uses of the editor's installation folder. Folders are '/'-separated and end
// in '/'.
class DistributionFolders {
public:
    explicit DistributionFolders(const QString &editorFolder);

    const QString &editor() const { return m_editor; }
    QString player() const; // run.dat, copied under the game's title
    // The player's sound, video and metafile libraries (lib/libqmsound.so, lib/libqmvideo.so,
    // lib/libqmmetafile.so) that the editor folder holds; they go into lib/ beside every copy
    // of the player, where it looks for them on the first sound, video or metafile picture.
    QStringList mediaLibraries() const;
    QString compiler() const; // Compiler/
    // The system folder's stand-in: System/, where an author puts the system files to ship.
    QString system() const;
    QString schemes() const;
    QString output() const;      // Output/, where the compiler writes Setup.exe
    QString setupOutput() const; // Output/Setup.exe
    // Output/Config/: the project's Config folder as the installer ships it, made by the build.
    QString playersConfig() const;
    // Output/Game/UserData.dat: the installed game's marker (UserDataFolder), made by the build.
    QString gameMarker() const;
    // The script of a project: the editor folder + project name + ".iss".
    QString script(const QString &projectName) const;

private:
    QString m_editor;
};

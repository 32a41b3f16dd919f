#pragma once

#include "ActionRecord.h"
#include "ChannelFile.h"
#include "FrameFiles.h"
#include "ProjectPaths.h"
#include "Status.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// <n>a.dat: where an area is, how it looks and when it is shown.
struct AreaLook {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    int IsAnimatedGif = 0;
    bool HasPicture = false;
    QString PictureFile; // relative to Areas/
    int Stretch = 0;
    QString MousePointer = QStringLiteral("DEFAULT");
    int VisibleIf = 0;
    QStringList ZeroList; // variables that must be 0
    QStringList OneList;  // variables that must be 1

    // "DEFAULT" in any case, or an empty name, means the normal pointer.
    bool hasCustomPointer() const;
};

// <n>c.dat: the item a click picks up, and the speed of an animated picture.
struct AreaItem {
    int PickItem = 0;
    QString ItemName;
    int GifSpeed = 50; // 50 when the file has no fifth value
};

// Everything stored for one area.
struct Area {
    AreaLook look;
    ActionRecord action;
    AreaItem item;
    QList<ChannelRecord> sounds;
};

// An item dropped on an area: its action record and its sounds.
struct DropEvent {
    ActionRecord action;
    QList<ChannelRecord> sounds;
};

// The files of the areas of one frame, in Areas/<frame>/.
class AreaFiles {
public:
    AreaFiles(const ProjectPaths &paths, SoundMode mode, const QString &frame);

    const QString &folder() const { return m_folder; }
    // The path of `<n><suffix>` in the frame's folder (found without regard to case).
    QString path(int n, const QString &suffix) const;
    QString dropPath(int n, const QString &item, const QString &extension) const;

    Status readLook(int n, AreaLook &out) const;
    Status readAction(int n, ActionRecord &out) const;
    Status readItem(int n, AreaItem &out) const;
    Status readSounds(int n, ChannelFile &out) const;
    // The four files in the order a, b, c, d.
    Status load(int n, Area &out) const;
    // Creates the folder when missing, then writes the four files.
    Status save(int n, const Area &area) const;
    // Rewrites lines 1 to 4 of <n>a.dat and keeps every other line as it is.
    Status savePosition(int n, double left, double top, double width, double height) const;

    // The items that have a drop event on area n (from <n>_<item>.drg), sorted.
    QStringList dropEvents(int n) const;
    // The drop events of every area of the frame from one listing of its folder, by area.
    QMap<int, QStringList> allDropEvents() const;
    Status readDropEvent(int n, const QString &item, DropEvent &out) const;
    Status saveDropEvent(int n, const QString &item, const DropEvent &event) const;

    // Removes area k of `count` areas and renumbers the later ones, drop events included, then
    // writes the new count. Files renamed before a failure keep their new names.
    Status removeArea(const FrameFiles &frames, int k, int count) const;

private:
    ProjectPaths m_paths;
    SoundMode m_mode;
    QString m_frame;
    QString m_folder; // empty when the frame name cannot be a folder name
};

Status readAreaLook(const QString &path, AreaLook &out);

// What the player calls area n for screen readers when no text lies over it: the title of the
// picture it shows (`picture`, a file name or path, folders and extension dropped), else
// "Area n". The editor's outline names areas the same way.
QString areaPlainName(int n, const QString &picture);
Status readAreaItem(const QString &path, AreaItem &out);

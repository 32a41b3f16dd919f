#pragma once

#include "ProjectPaths.h"

#include <QList>
#include <QString>
#include <QStringList>

// One place of a project that names a frame or an item.
struct Reference {
    enum class Kind {
        // A frame's own entries: renamed with it, removed with it.
        FrameFile,  // Frames/<frame>.fme, .chn or .lks
        AreaFolder, // Areas/<frame>/
        // Places that send the game to a frame.
        InitialFrame, // Config/General: where a new game starts
        GoToFrame,    // <n>b.dat or a drop event <n>_<item>.drg: "Go to another frame."
        TimerFrame,   // <frame>.fme: where the frame's timer goes
        // An item's own entries.
        ItemFile, // Areas/<item>.obj
        ItemIcon, // the item's picture, found as named, in another letter case or under its
                  // hidden name; it names a picture, not the item, and stays when the item goes
        // Places that name an item.
        PickedUp,       // <n>c.dat: a click on the area gives the item
        DropEvent,      // <n>_<item>.drg: the item dropped on area n
        DropSounds,     // <n>_<item>.chn: that event's sounds
        ItemEvent,      // <first>_on_<second>.drg, by its first or second item (`field` says which)
        ItemEventGives, // an item event's new item
    };
    Kind kind = Kind::FrameFile;
    QString file;  // the file or folder, relative to the project root, '/' between folders
    QString field; // the field of the file, or "file name" / "folder name" / "first item" /
                   // "second item" for names that are part of a file's name
    QString value; // the name as written there

    // True for the frame's or the item's own entries, false for the places that use it.
    bool isOwn() const;
    // The kind as `qmtool usages` prints it: "frame-file", "go-to-frame"...
    QString kindName() const;
    bool operator==(const Reference &o) const {
        return kind == o.kind && file == o.file && field == o.field && value == o.value;
    }
};

// Who names a frame or an item. A name is matched as the player resolves it: exactly, or in
// another letter case when no frame (item) has the exact name. Only settings that are on count
// ("Go to another frame." ticked, a timer enabled, an item given): a name left behind in a
// setting that is off is not used by the game.
class References {
public:
    enum class Target { Frame, Item };
    explicit References(const ProjectPaths &paths) : m_paths(paths) {}

    // Every place that names `name`, in a fixed order: its own entries first, then the project
    // information, then frame by frame, then the item events.
    QList<Reference> find(Target target, const QString &name) const;
    // The saved games (names without ".sav") that name it: the frame they were saved at, an
    // area hidden there, the frames visited, an item carried. They are the players' files and
    // are never rewritten.
    QStringList savedGames(Target target, const QString &name) const;

    // True when `value`, read from a file, names `name` among `all` (the frames or items of
    // the project, in listing order).
    static bool names(const QString &value, const QString &name, const QStringList &all);

private:
    ProjectPaths m_paths;
};

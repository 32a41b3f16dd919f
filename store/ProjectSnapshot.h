#pragma once

#include "AreaFiles.h"
#include "ChannelFile.h"
#include "CustomTexts.h"
#include "FrameFiles.h"
#include "GeneralInfo.h"
#include "Items.h"
#include "OptionsFile.h"
#include "ProjectPaths.h"
#include "SavedGameFile.h"
#include "Status.h"
#include "TextLabels.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

// One file of a project as it was read: its path relative to the root, whether it exists, and
// its value or why it could not be read.
template <class T> struct Loaded {
    QString file;
    bool present = false;
    Status status;
    T value{};
    bool usable() const { return present && status.ok(); }
};

struct DropSnapshot {
    Loaded<ActionRecord> drg;
    Loaded<ChannelFile> chn;
};

struct AreaSnapshot {
    Loaded<AreaLook> a;
    Loaded<ActionRecord> b;
    Loaded<AreaItem> c;
    Loaded<ChannelFile> d;
    QMap<QString, DropSnapshot> drops; // by item name
};

struct FrameSnapshot {
    Loaded<FrameProperties> fme;
    Loaded<ChannelFile> chn;
    Loaded<int> areaCount;
    QMap<int, AreaSnapshot> areas;           // 1 .. AreaCount
    QMap<QString, Loaded<TextLabel>> texts; // by file name
};

// Every file of a project, read once through the store's readers. Nothing stops at the first
// bad file: each keeps its own status.
struct ProjectSnapshot {
    ProjectPaths paths;
    SoundMode soundMode = SoundMode::MultiChannel;
    Loaded<GeneralInfo> general;
    Loaded<QString> version;
    Loaded<int> projectDat;
    bool integrityOk = false;
    Loaded<TextsFile> texts;
    Loaded<QStringList> variables;
    QMap<QString, Loaded<ItemFile>> items;
    QList<Loaded<ItemEvent>> itemEvents;
    QMap<QString, FrameSnapshot> frames;
    Loaded<OptionsFile> options;
    Loaded<QString> runFromCd; // the stored drive
    QMap<QString, Loaded<SavedGameFile>> savedGames;

    static ProjectSnapshot load(const ProjectPaths &paths);

    // The same, with each frame handed to `frame` as soon as it is read instead of kept in
    // `frames` (which stays empty), in the order of QMap<QString, ...>: the memory a frame takes
    // is given back before the next is read.
    using FrameSink = std::function<void(const QString &name, const FrameSnapshot &frame)>;
    static ProjectSnapshot load(const ProjectPaths &paths, const FrameSink &frame);
};

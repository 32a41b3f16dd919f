#pragma once

#include "FileOperation.h"
#include "FrameFiles.h"
#include "ProjectPaths.h"

#include <QString>

// Operations on whole frames: the three frame files in Frames/ (<frame>.fme, .chn, .lks) and
// the frame's area folder Areas/<frame>/ move, copy and go together. Each returns false on
// failure with the message to show in status() and the system's reason in errorString().
class FrameOperations : public FileOperation {
public:
    explicit FrameOperations(const ProjectPaths &paths, SoundMode mode = SoundMode::MultiChannel);

    // `base` followed by the first two-digit number from 01 upward that names no frame.
    QString freeName(const QString &base) const;

    // Renames the frame files and the area folder. An unchanged name does nothing. A failure
    // part way puts back the names already changed, so the frame is never split in two.
    // References to the old name in other files are left as they are.
    bool rename(const QString &oldName, const QString &newName);

    // Copies the frame files and every file of the area folder to `clone`. A failure part way
    // removes what was copied.
    bool duplicate(const QString &frame, const QString &clone);

    // Deletes the frame files and the area folder with everything in it. Pictures and media in
    // Frames/ stay.
    bool remove(const QString &frame);

    // Copies a picture into Frames/ under its own file name, unless a file of that name is
    // already there (the usual case when the same picture serves several frames).
    // `fileName` receives the name the frame files refer to.
    bool copyIntoFrames(const QString &sourcePath, QString &fileName);

    // A new frame showing a picture: the picture is copied into Frames/ and the frame is named
    // after it (its file name without extension, "New Frame" for names of one character, with a
    // number appended when taken). `frame` receives the name.
    bool createFromPicture(const QString &sourcePath, bool tiled, QString &frame);

    // A new frame of one colour (0x00BBGGRR) named `frame`.
    bool createSolid(const QString &frame, qint32 color);

private:
    bool checkNewName(const QString &name, const QString &existsTitle, const QString &existsText);
    bool writeNew(const QString &frame, const FrameProperties &props);
    QString areaFolderPath(const QString &frame) const;

    ProjectPaths m_paths;
    FrameFiles m_frames;
};

#pragma once

#include "ChannelFile.h"
#include "ProjectPaths.h"
#include "Status.h"

#include <QString>
#include <QStringList>

// <frame>.fme: what happens when a frame opens.
struct FrameProperties {
    int BackgroundKind = 0; // 0 solid colour, 1 picture
    QString Background;     // kind 0: the colour number as text; kind 1: picture file name
    bool Tiled = false;
    bool StopMidi = false;
    QString MidiFile;
    bool TimerEnabled = false;
    QString TimerSeconds = QStringLiteral("4");
    QString TimerFrame;
    QString VideoFile;
    bool WaitVideo = true;
    // Missing from 10-line files.
    bool StopWav = false;
    bool StopMp3 = false;
    QString Mp3File;
    // Missing from 13-line files.
    bool VideoFullScreen = true;
    bool VideoAtPosition = false;
    double VideoLeft = 0;
    double VideoTop = 0;
    double VideoWidth = 640;
    double VideoHeight = 480;

    // The background colour (0x00BBGGRR) of a colour frame; 0 when the text is not a number.
    qint32 backgroundColor() const;
};

// The files of one frame. Frame names come from the frames list or from project files; a name
// that cannot be a file name reads as a missing frame.
class FrameFiles {
public:
    FrameFiles(const ProjectPaths &paths, SoundMode mode) : m_paths(paths), m_mode(mode) {}

    QString fmePath(const QString &frame) const;
    QString chnPath(const QString &frame) const;
    QString lksPath(const QString &frame) const;
    // Areas/<frame>/ with its trailing separator.
    QString areaFolder(const QString &frame) const;
    bool exists(const QString &frame) const;

    // The frames of the project: every *.fme in Frames/, any letter case, without extension.
    QStringList list() const;

    Status readProperties(const QString &frame, FrameProperties &out) const;
    // The same from the .fme at `path`, already found and checked (fmePath()).
    static Status readPropertiesAt(const QString &path, FrameProperties &out);
    // Lines 1 to 3 only (background kind, background, tiled): what the game reads first when a
    // frame opens. The other fields keep their defaults.
    Status readHeader(const QString &frame, FrameProperties &out) const;
    // Writes the 22-line .fme (colour written unquoted) and then the channel file.
    Status saveProperties(const QString &frame, const FrameProperties &props,
                          const QList<ChannelRecord> &channels) const;
    // A frame just created: the 10-line layout with the background written as a quoted string.
    Status writeNewFrame(const QString &frame, const FrameProperties &props) const;

    Status readChannels(const QString &frame, ChannelFile &out) const;

    // The number of areas; 0 when the frame has no .lks file.
    Status readAreaCount(const QString &frame, int &out) const;
    // The same from the .lks at `path`, already found and checked (lksPath()).
    static Status readAreaCountAt(const QString &path, int &out);
    Status writeAreaCount(const QString &frame, int count) const;

private:
    QString framePath(const QString &frame, const QString &extension) const;
    ProjectPaths m_paths;
    SoundMode m_mode;
};

// The largest area count a .lks file may give: more is treated as a damaged file.
constexpr int kMaxAreasPerFrame = 10000;

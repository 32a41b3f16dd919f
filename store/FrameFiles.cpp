#include "FrameFiles.h"

#include "FolderListings.h"
#include "NameRules.h"
#include "ProjectFiles.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

#include <QDir>
#include <QFileInfo>

qint32 FrameProperties::backgroundColor() const {
    double v = 0;
    if (!parseRecordNumber(Background, v))
        return 0;
    if (v < -2147483648.0 || v > 2147483647.0)
        return 0;
    return static_cast<qint32>(v);
}

QString FrameFiles::framePath(const QString &frame, const QString &extension) const {
    if (!NameRules::isSafeComponent(frame))
        return QString();
    const QString p = ProjectFiles::existingVariant(m_paths.FramesPath() + frame + extension);
    return m_paths.holds(p) ? p : QString();
}

QString FrameFiles::fmePath(const QString &frame) const {
    return framePath(frame, QStringLiteral(".fme"));
}
QString FrameFiles::chnPath(const QString &frame) const {
    return framePath(frame, QStringLiteral(".chn"));
}
QString FrameFiles::lksPath(const QString &frame) const {
    return framePath(frame, QStringLiteral(".lks"));
}

QString FrameFiles::areaFolder(const QString &frame) const {
    if (!NameRules::isSafeComponent(frame))
        return QString();
    const QString p = ProjectFiles::existingVariant(m_paths.AreasPath() + frame);
    return m_paths.holds(p) ? withTrailingSeparator(p) : QString();
}

bool FrameFiles::exists(const QString &frame) const {
    const QString p = fmePath(frame);
    return !p.isEmpty() && QFileInfo(p).isFile();
}

QStringList FrameFiles::list() const {
    const FolderListings::Scope scope; // Frames/ listed once for every name in it
    const QString &folder = m_paths.FramesPath();
    // A file alone in its letter case, not a link, in a Frames folder inside the project is a
    // frame without looking further; anything else is resolved as a look-up would.
    const bool folderInside = m_paths.holds(folder);
    const FolderListings::Listing *listing = FolderListings::listing(folder);
    QStringList frames;
    for (const QString &f : ProjectFiles::baseNamesWithExtension(folder, QStringLiteral("fme"))) {
        const QString entry = f + QStringLiteral(".fme");
        const QStringList variants = listing->variants(entry);
        if (folderInside && variants.size() == 1 && !listing->links.contains(variants.first()))
            frames.append(f);
        else if (!fmePath(f).isEmpty())
            frames.append(f); // a link out of the project is no frame
    }
    return frames;
}

namespace {

bool readHeaderLines(RecordReader &r, FrameProperties &f) {
    r.readInt16(f.BackgroundKind);
    r.readString(f.Background);
    return r.readBool(f.Tiled);
}

} // namespace

Status FrameFiles::readHeader(const QString &frame, FrameProperties &out) const {
    const QString path = fmePath(frame);
    if (path.isEmpty())
        return StoreMessages::unreadable(frame, QStringLiteral("not a frame name"));
    RecordReader r = RecordReader::fromFile(path);
    FrameProperties f;
    if (!readHeaderLines(r, f))
        return StoreMessages::unreadable(path, r);
    out = f;
    return Status::success();
}

Status FrameFiles::readProperties(const QString &frame, FrameProperties &out) const {
    const QString path = fmePath(frame);
    if (path.isEmpty())
        return StoreMessages::unreadable(frame, QStringLiteral("not a frame name"));
    return readPropertiesAt(path, out);
}

Status FrameFiles::readPropertiesAt(const QString &path, FrameProperties &out) {
    RecordReader r = RecordReader::fromFile(path);
    FrameProperties f;
    readHeaderLines(r, f);
    r.readBool(f.StopMidi);
    r.readString(f.MidiFile);
    r.readBool(f.TimerEnabled);
    r.readString(f.TimerSeconds);
    r.readString(f.TimerFrame);
    r.readString(f.VideoFile);
    r.readBool(f.WaitVideo);
    if (r.ok() && !r.atEnd()) {
        r.readBool(f.StopWav);
        r.readBool(f.StopMp3);
        r.readString(f.Mp3File);
        if (r.ok() && !r.atEnd()) {
            r.skip(3);
            r.readBool(f.VideoFullScreen);
            r.readBool(f.VideoAtPosition);
            r.readDouble(f.VideoLeft);
            r.readDouble(f.VideoTop);
            r.readDouble(f.VideoWidth);
            r.readDouble(f.VideoHeight);
        }
    }
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    out = f;
    return Status::success();
}

namespace {

Status frameWriteFailure() {
    return Status::failure(QStringLiteral("Error"),
                           QStringLiteral("Unable to save frame information."));
}

void writeBackground(RecordWriter &w, const FrameProperties &p, bool quotedColour) {
    w.writeInt(p.BackgroundKind);
    if (p.BackgroundKind == 0 && !quotedColour)
        w.writeInt(p.backgroundColor());
    else if (p.BackgroundKind == 0)
        w.writeString(QString::number(p.backgroundColor()));
    else
        w.writeString(p.Background);
    w.writeBool(p.BackgroundKind == 1 && p.Tiled);
}

} // namespace

Status FrameFiles::saveProperties(const QString &frame, const FrameProperties &p,
                                  const QList<ChannelRecord> &channels) const {
    const QString path = fmePath(frame);
    if (path.isEmpty())
        return frameWriteFailure();
    RecordWriter w;
    writeBackground(w, p, false);
    w.writeBool(p.StopMidi);
    w.writeString(p.MidiFile);
    w.writeBool(p.TimerEnabled);
    w.writeString(p.TimerSeconds);
    w.writeString(p.TimerFrame);
    w.writeString(p.VideoFile);
    w.writeBool(p.WaitVideo);
    w.writeBool(p.StopWav);
    w.writeBool(p.StopMp3);
    w.writeString(p.Mp3File);
    w.writeEmptyStrings(3);
    w.writeBool(p.VideoFullScreen);
    w.writeBool(p.VideoAtPosition);
    w.writeDouble(p.VideoLeft);
    w.writeDouble(p.VideoTop);
    w.writeDouble(p.VideoWidth);
    w.writeDouble(p.VideoHeight);
    const Status s = w.commit(path, frameWriteFailure());
    if (!s)
        return s;
    return writeChannels(chnPath(frame), m_mode, channels);
}

Status FrameFiles::writeNewFrame(const QString &frame, const FrameProperties &p) const {
    const QString path = fmePath(frame);
    if (path.isEmpty())
        return frameWriteFailure();
    RecordWriter w;
    writeBackground(w, p, true);
    w.writeBool(false);       // StopMidi
    w.writeString(QString()); // MidiFile
    w.writeBool(false);       // TimerEnabled
    w.writeInt(4);            // TimerSeconds
    w.writeString(QString()); // TimerFrame
    w.writeString(QString()); // VideoFile
    w.writeBool(true);        // WaitVideo
    return w.commit(path, frameWriteFailure());
}

Status FrameFiles::readChannels(const QString &frame, ChannelFile &out) const {
    const QString path = chnPath(frame);
    if (path.isEmpty())
        return StoreMessages::unreadable(frame, QStringLiteral("not a frame name"));
    return ::readChannels(path, m_mode, out);
}

Status FrameFiles::readAreaCount(const QString &frame, int &out) const {
    if (!NameRules::isSafeComponent(frame))
        return StoreMessages::unreadable(frame, QStringLiteral("not a frame name"));
    const QString path = lksPath(frame);
    if (path.isEmpty() || !QFileInfo::exists(path)) { // missing, or a link out of the project
        out = 0;
        return Status::success();
    }
    return readAreaCountAt(path, out);
}

Status FrameFiles::readAreaCountAt(const QString &path, int &out) {
    RecordReader r = RecordReader::fromFile(path);
    int n = 0;
    if (!r.readCount(n, kMaxAreasPerFrame))
        return StoreMessages::unreadable(path, r);
    out = n;
    return Status::success();
}

Status FrameFiles::writeAreaCount(const QString &frame, int count) const {
    const QString path = lksPath(frame);
    if (path.isEmpty())
        return StoreMessages::projectFilesReadOnly();
    RecordWriter w;
    w.writeInt(count);
    return w.commit(path, StoreMessages::projectFilesReadOnly());
}

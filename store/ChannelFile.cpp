#include "ChannelFile.h"

#include "FolderListings.h"
#include "ProjectFiles.h"
#include "ProjectVersion.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

#include <QFileInfo>

int channelCount(SoundMode mode) { return mode == SoundMode::SingleChannel ? 1 : 8; }

Status readChannels(const QString &path, SoundMode mode, ChannelFile &out) {
    ChannelFile f;
    const int count = channelCount(mode);
    for (int i = 0; i < count; ++i)
        f.Channels.append(ChannelRecord());
    if (!FolderListings::exists(path)) {
        out = f;
        return Status::success();
    }
    RecordReader r = RecordReader::fromFile(path);
    r.readString(f.WriterVersion);
    r.skip(21);
    for (int i = 0; i < count && r.ok() && !r.atEnd(); ++i) {
        ChannelRecord c;
        r.readBool(c.NoAction);
        r.readBool(c.StopSound);
        r.readBool(c.PlaySound);
        r.readString(c.SoundFile);
        r.readInt16(c.Loop);
        if (r.ok())
            f.Channels[i] = c;
    }
    // The whole records read before a failure are kept: the game plays them, then reports.
    out = f;
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    return Status::success();
}

Status writeChannels(const QString &path, SoundMode mode, const QList<ChannelRecord> &channels) {
    RecordWriter w;
    w.writeString(ProjectVersion::editorVersionText());
    w.writeEmptyStrings(21);
    const int count = channelCount(mode);
    for (int i = 0; i < count; ++i) {
        ChannelRecord c = i < channels.size() ? channels[i] : ChannelRecord();
        if (mode == SoundMode::SingleChannel) {
            // The single channel can only play; it never stops and never loops.
            c.StopSound = false;
            c.Loop = 0;
            c.NoAction = !c.PlaySound;
        }
        w.writeBool(c.NoAction);
        w.writeBool(c.StopSound);
        w.writeBool(c.PlaySound);
        w.writeString(c.SoundFile);
        w.writeInt(c.Loop);
    }
    return w.commit(path, Status::failure(QStringLiteral("Error"),
                                          QStringLiteral("Unable to save sound channels information."),
                                          Status::Icon::Exclamation));
}

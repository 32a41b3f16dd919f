#include "OptionsFile.h"

#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

Status readOptions(const QString &path, OptionsFile &out) {
    RecordReader r = RecordReader::fromFile(path);
    OptionsFile o;
    r.skip(1);
    r.readInt16(o.ColorIndex);
    r.readString(o.ColorName);
    r.readInt16(o.CheckEnable);
    r.readInt16(o.CheckRunFromCD);
    r.readInt16(o.Check1);
    r.readInt16(o.Check2);
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    out = o;
    return Status::success();
}

Status writeOptions(const QString &path, const OptionsFile &o) {
    RecordWriter w;
    w.writeString(QString());
    w.writeInt(o.ColorIndex);
    w.writeString(o.ColorName);
    w.writeInt(o.CheckEnable);
    w.writeInt(o.CheckRunFromCD);
    w.writeInt(o.Check1);
    w.writeInt(o.Check2);
    return w.commit(path, StoreMessages::projectFilesReadOnly());
}

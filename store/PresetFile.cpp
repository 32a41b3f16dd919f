#include "PresetFile.h"

#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

Status readPreset(const QString &path, PresetFile &out) {
    RecordReader r = RecordReader::fromFile(path);
    PresetFile p;
    r.readString(p.PresetName);
    r.readString(p.WriterVersion);
    r.readString(p.SavedDate);
    r.skip(3);
    int count = 0;
    r.readCount(count, CustomTexts::SlotCount);
    for (int i = 0; i < count && r.ok(); ++i) {
        QString s;
        r.readString(s);
        p.Slots.append(s);
    }
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    out = p;
    return Status::success();
}

Status writePreset(const QString &path, const PresetFile &p) {
    RecordWriter w;
    w.writeString(p.PresetName);
    w.writeString(p.WriterVersion);
    w.writeString(p.SavedDate);
    w.writeEmptyStrings(3);
    w.writeInt(p.Slots.size());
    for (const QString &s : p.Slots)
        w.writeString(s);
    return w.commit(path, Status::failure(QStringLiteral("Error"), QStringLiteral("Unable to save the preset.")));
}

QString applicationsPresetName() { return QStringLiteral("English (for applications)"); }
QString gamesPresetName() { return QStringLiteral("English (for games)"); }

bool isBuiltInPreset(const QString &name) {
    return name.compare(applicationsPresetName(), Qt::CaseInsensitive) == 0 ||
           name.compare(gamesPresetName(), Qt::CaseInsensitive) == 0;
}

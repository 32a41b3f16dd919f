#include "ActionRecord.h"

#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

namespace {

void writeNames(RecordWriter &w, const QStringList &names) {
    w.writeInt(names.size());
    for (const QString &n : names)
        w.writeString(n);
}

} // namespace

Status readActionRecord(const QString &path, ActionRecord &out) {
    RecordReader r = RecordReader::fromFile(path);
    if (!readActionRecordFrom(r, out))
        return StoreMessages::unreadable(path, r);
    return Status::success();
}

bool readActionRecordFrom(RecordReader &r, ActionRecord &out) {
    ActionRecord a;
    r.readInt16(a.ChangeVariables);
    r.readString(a.LegacyVariable);
    r.readBool(a.LegacySetZero);
    r.readBool(a.LegacySetOne);
    r.readBool(a.LegacyInvert);
    r.readInt16(a.ShowText);
    r.readString(a.TextMessage);
    r.readInt16(a.LegacyPlaySound);
    r.readString(a.LegacySoundFile);
    r.readInt16(a.HideOrRemove);
    r.readInt16(a.CloseProgram);
    r.readInt16(a.GoToFrame);
    r.readString(a.TargetFrame);
    a.EndedAfter = 13;
    if (r.ok() && !r.atEnd()) {
        r.readInt16(a.StopMidi);
        r.readInt16(a.StopWav);
        r.readInt16(a.PlayVideo);
        r.readString(a.VideoFile);
        r.readBool(a.VideoFullScreen);
        r.readBool(a.VideoAtPosition);
        r.readDouble(a.VideoLeft);
        r.readDouble(a.VideoTop);
        r.readDouble(a.VideoWidth);
        r.readDouble(a.VideoHeight);
        a.EndedAfter = 23;
    }
    if (a.EndedAfter == 23 && r.ok() && !r.atEnd()) {
        r.readInt16(a.StopMp3);
        r.readInt16(a.PlayMidi);
        r.readString(a.MidiFile);
        r.readInt16(a.PlayMp3);
        r.readString(a.Mp3File);
        a.EndedAfter = 28;
    }
    if (a.EndedAfter == 28 && r.ok() && !r.atEnd()) {
        r.skip(3);
        r.readInt16(a.GoBack);
        a.EndedAfter = 32;
    }
    if (a.EndedAfter == 32 && r.ok() && !r.atEnd()) {
        r.skip(3);
        r.readInt16(a.TextOnBackground);
        a.EndedAfter = 36;
    }
    if (a.EndedAfter == 36 && r.ok() && !r.atEnd()) {
        r.skip(3);
        r.readInt16(a.ChangeVariablesLists);
        if (r.readNameList(a.SetZeroList, kMaxNamesPerList) &&
            r.readNameList(a.SetOneList, kMaxNamesPerList))
            r.readNameList(a.InvertList, kMaxNamesPerList);
        a.EndedAfter = 0;
    }
    if (!r.ok())
        return false;
    out = a;
    return true;
}

Status writeActionRecord(const QString &path, const ActionRecord &a, const Status &onFailure) {
    RecordWriter w;
    w.writeInt(a.ChangeVariables);
    w.writeString(a.LegacyVariable);
    w.writeBool(a.LegacySetZero);
    w.writeBool(a.LegacySetOne);
    w.writeBool(a.LegacyInvert);
    w.writeInt(a.ShowText);
    w.writeString(a.TextMessage);
    w.writeInt(a.LegacyPlaySound);
    w.writeString(a.LegacySoundFile);
    w.writeInt(a.HideOrRemove);
    w.writeInt(a.CloseProgram);
    w.writeInt(a.GoToFrame);
    w.writeString(a.TargetFrame);
    w.writeInt(a.StopMidi);
    w.writeInt(a.StopWav);
    w.writeInt(a.PlayVideo);
    w.writeString(a.VideoFile);
    w.writeBool(a.VideoFullScreen);
    w.writeBool(a.VideoAtPosition);
    w.writeDouble(a.VideoLeft);
    w.writeDouble(a.VideoTop);
    w.writeDouble(a.VideoWidth);
    w.writeDouble(a.VideoHeight);
    w.writeInt(a.StopMp3);
    w.writeInt(a.PlayMidi);
    w.writeString(a.MidiFile);
    w.writeInt(a.PlayMp3);
    w.writeString(a.Mp3File);
    w.writeEmptyStrings(3);
    w.writeInt(a.GoBack);
    w.writeEmptyStrings(3);
    w.writeInt(a.TextOnBackground);
    w.writeEmptyStrings(3);
    w.writeInt(a.ChangeVariables); // line 40 repeats line 1
    writeNames(w, a.SetZeroList);
    writeNames(w, a.SetOneList);
    writeNames(w, a.InvertList);
    return w.commit(path, onFailure);
}

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

namespace ActionRecordParts {

bool firstForm(RecordReader &r, ActionRecord &a) {
    r.readInt16(a.ChangeVariables);
    r.readString(a.LegacyVariable);
    r.readBool(a.LegacySetZero);
    r.readBool(a.LegacySetOne);
    return r.readBool(a.LegacyInvert);
}

bool textToHide(RecordReader &r, ActionRecord &a) {
    r.readInt16(a.ShowText);
    r.readString(a.TextMessage);
    r.readInt16(a.LegacyPlaySound);
    r.readString(a.LegacySoundFile);
    return r.readInt16(a.HideOrRemove);
}

bool close(RecordReader &r, ActionRecord &a) { return r.readInt16(a.CloseProgram); }

bool goTo(RecordReader &r, ActionRecord &a) {
    r.readInt16(a.GoToFrame);
    if (!r.readString(a.TargetFrame))
        return false;
    a.EndedAfter = 13;
    return true;
}

bool more(RecordReader &r) { return r.ok() && !r.atEnd(); }

bool stopMidi(RecordReader &r, ActionRecord &a) { return r.readInt16(a.StopMidi); }
bool stopWav(RecordReader &r, ActionRecord &a) { return r.readInt16(a.StopWav); }

bool video(RecordReader &r, ActionRecord &a) {
    r.readInt16(a.PlayVideo);
    r.readString(a.VideoFile);
    r.readBool(a.VideoFullScreen);
    r.readBool(a.VideoAtPosition);
    r.readDouble(a.VideoLeft);
    r.readDouble(a.VideoTop);
    r.readDouble(a.VideoWidth);
    if (!r.readDouble(a.VideoHeight))
        return false;
    a.EndedAfter = 23;
    return true;
}

bool midi(RecordReader &r, ActionRecord &a) {
    r.readInt16(a.StopMp3);
    r.readInt16(a.PlayMidi);
    return r.readString(a.MidiFile);
}

bool mp3(RecordReader &r, ActionRecord &a) {
    r.readInt16(a.PlayMp3);
    if (!r.readString(a.Mp3File))
        return false;
    a.EndedAfter = 28;
    return true;
}

bool goBack(RecordReader &r, ActionRecord &a) {
    r.skip(3);
    if (!r.readInt16(a.GoBack))
        return false;
    a.EndedAfter = 32;
    return true;
}

bool placement(RecordReader &r, ActionRecord &a) {
    r.skip(3);
    if (!r.readInt16(a.TextOnBackground))
        return false;
    a.EndedAfter = 36;
    return true;
}

bool lists(RecordReader &r, ActionRecord &a) {
    r.skip(3);
    r.readInt16(a.ChangeVariablesLists);
    if (r.readNameList(a.SetZeroList, kMaxNamesPerList) &&
        r.readNameList(a.SetOneList, kMaxNamesPerList) &&
        r.readNameList(a.InvertList, kMaxNamesPerList)) {
        a.EndedAfter = 0;
        return true;
    }
    return false;
}

} // namespace ActionRecordParts

bool readActionRecordFrom(RecordReader &r, ActionRecord &out) {
    using namespace ActionRecordParts;
    ActionRecord a;
    firstForm(r, a);
    textToHide(r, a);
    close(r, a);
    goTo(r, a);
    if (more(r)) {
        stopMidi(r, a);
        stopWav(r, a);
        video(r, a);
        if (more(r)) {
            midi(r, a);
            mp3(r, a);
            if (more(r)) {
                goBack(r, a);
                if (more(r)) {
                    placement(r, a);
                    if (more(r))
                        lists(r, a);
                }
            }
        }
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

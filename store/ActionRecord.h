#pragma once

#include "Status.h"

#include <QString>
#include <QStringList>

// What a click on an area (<n>b.dat) or a drop of an item on it (<n>_<item>.drg) does.
// Check fields hold the 0/1 written in the file; any non-zero value counts as set.
struct ActionRecord {
    int ChangeVariables = 0;
    QString LegacyVariable;
    bool LegacySetZero = false;
    bool LegacySetOne = false;
    bool LegacyInvert = false;
    int ShowText = 0;
    QString TextMessage;
    int LegacyPlaySound = 0;
    QString LegacySoundFile;
    int HideOrRemove = 0;
    int CloseProgram = 0;
    int GoToFrame = 0;
    QString TargetFrame;
    // From here on older files may have ended (after 13, 23, 28, 32 or 36).
    int StopMidi = 0;
    int StopWav = 0;
    int PlayVideo = 0;
    QString VideoFile;
    bool VideoFullScreen = false;
    bool VideoAtPosition = false;
    double VideoLeft = 0;
    double VideoTop = 0;
    double VideoWidth = 0;
    double VideoHeight = 0;
    int StopMp3 = 0;
    int PlayMidi = 0;
    QString MidiFile;
    int PlayMp3 = 0;
    QString Mp3File;
    int GoBack = 0;
    int TextOnBackground = 0; // 1 on background, 0 popup window
    int ChangeVariablesLists = 0; // line 40: the same check again, governing the lists
    QStringList SetZeroList;
    QStringList SetOneList;
    QStringList InvertList;

    // The last line the file held before it ended: 13, 23, 28, 32, 36, or 0 for a whole record.
    int EndedAfter = 0;
};

// The largest number of names one variable list may give.
constexpr int kMaxNamesPerList = 10000;

class RecordReader;

Status readActionRecord(const QString &path, ActionRecord &out);
// The same from a reader already holding the bytes; false with the reader's error on failure.
bool readActionRecordFrom(RecordReader &reader, ActionRecord &out);

// The record's parts in file order, for a reader that acts on each part before reading on (the
// game does: what a record asked for before a damaged line still happens). Each returns false
// once the reader has failed. `more` is the end-of-older-files test between parts.
namespace ActionRecordParts {
bool firstForm(RecordReader &r, ActionRecord &a);  // lines 1-5
bool textToHide(RecordReader &r, ActionRecord &a); // lines 6-10
bool close(RecordReader &r, ActionRecord &a);      // line 11
bool goTo(RecordReader &r, ActionRecord &a);       // lines 12-13
bool more(RecordReader &r);
bool stopMidi(RecordReader &r, ActionRecord &a);   // line 14
bool stopWav(RecordReader &r, ActionRecord &a);    // line 15
bool video(RecordReader &r, ActionRecord &a);      // lines 16-23
bool midi(RecordReader &r, ActionRecord &a);       // lines 24-26
bool mp3(RecordReader &r, ActionRecord &a);        // lines 27-28
bool goBack(RecordReader &r, ActionRecord &a);     // lines 29-32
bool placement(RecordReader &r, ActionRecord &a);  // lines 33-36
bool lists(RecordReader &r, ActionRecord &a);      // lines 37-40 and the three lists
} // namespace ActionRecordParts
// `onFailure` is the message of the dialog that writes the record (area or drop event).
Status writeActionRecord(const QString &path, const ActionRecord &record, const Status &onFailure);

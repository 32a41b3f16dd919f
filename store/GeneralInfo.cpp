#include "GeneralInfo.h"

#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

Status readGeneral(const QString &path, GeneralInfo &out, GeneralReader reader) {
    RecordReader r = RecordReader::fromFile(path);
    GeneralInfo g;
    r.readString(g.ProjectName);
    r.readString(g.GeneralFilePath);
    r.readString(g.SoftwareTitle);
    if (reader == GeneralReader::Player) {
        // Each whole number takes its place as soon as it is read: a file damaged further on
        // keeps what came before the damage.
        int number = 0;
        if (r.readInt16(number))
            g.ScreenSizeChoice = number;
        r.readString(g.InitialFrame);
        r.readString(g.CommentsAndVersion);
        if (r.readInt16(number))
            g.ScreenWidth = number;
        if (r.readInt16(number))
            g.ScreenHeight = number;
    } else {
        r.readInt16(g.ScreenSizeChoice);
        r.readString(g.InitialFrame);
        r.readString(g.CommentsAndVersion);
        r.readDouble(g.ScreenWidth);
        r.readDouble(g.ScreenHeight);
    }
    r.readString(g.Author);
    r.readString(g.Email);
    r.readString(g.Homepage);
    // The player offers the display switch unless the file says otherwise; it reads the value as
    // a whole number.
    if (reader == GeneralReader::Player)
        g.ShowChangeResolution = 1;
    if (r.ok() && !r.atEnd()) {
        int show = 0;
        if (reader == GeneralReader::Player && r.readInt16(show))
            g.ShowChangeResolution = show;
        else if (reader == GeneralReader::Editor)
            r.readDouble(g.ShowChangeResolution);
        if (r.ok() && !r.atEnd()) {
            r.skip(3);
            r.readString(g.SchemeName);
            if (r.ok() && !r.atEnd()) {
                r.skip(2);
                r.readBool(g.SingleChannelAudio);
                r.readBool(g.HideLoad);
                r.readBool(g.HideSave);
                // A file that stops before the texts kind keeps its default (both readers).
                if (reader == GeneralReader::Editor && r.ok() && !r.atEnd())
                    r.readInt16(g.TextsKind);
            }
        }
    }
    // The values read before any damage are kept, as the game's own reading always did: the
    // title, the initial frame and the screen size of a file spoilt further on stay usable.
    out = g;
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    return Status::success();
}

Status writeGeneral(const QString &path, const GeneralInfo &g) {
    RecordWriter w;
    w.writeString(g.ProjectName);
    w.writeString(g.GeneralFilePath);
    w.writeString(g.SoftwareTitle);
    w.writeInt(g.ScreenSizeChoice);
    w.writeString(g.InitialFrame);
    w.writeString(g.CommentsAndVersion);
    w.writeDouble(g.ScreenWidth);
    w.writeDouble(g.ScreenHeight);
    w.writeString(g.Author);
    w.writeString(g.Email);
    w.writeString(g.Homepage);
    w.writeDouble(g.ShowChangeResolution);
    w.writeEmptyStrings(3);
    w.writeString(g.SchemeName);
    w.writeEmptyStrings(2);
    w.writeBool(g.SingleChannelAudio);
    w.writeBool(g.HideLoad);
    w.writeBool(g.HideSave);
    w.writeInt(g.TextsKind);
    return w.commit(path, Status::failure(QStringLiteral("Error"),
                                          QStringLiteral("Unable to save project information.")));
}

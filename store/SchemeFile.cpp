#include "SchemeFile.h"

#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"

namespace {
constexpr int kMaxEntries = 1000;
}

QString savedDateText(int year, int month, int day) {
    return QStringLiteral("%1/%2/%3")
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(year, 4, 10, QLatin1Char('0'));
}

Status readScheme(const QString &path, SchemeFile &out) {
    RecordReader r = RecordReader::fromFile(path);
    SchemeFile s;
    r.readString(s.SchemeName);
    r.readString(s.WriterVersion);
    r.readString(s.SavedDate);
    r.readCount(s.PictureCount, kMaxEntries);
    QString *pictures[4] = {&s.StartPicture, &s.LoadPicture, &s.ExitPicture, &s.TiledBackground};
    for (int i = 0; i < s.PictureCount && r.ok(); ++i) {
        QString p;
        r.readString(p);
        if (i < 4)
            *pictures[i] = p;
    }
    r.readCount(s.ColorCount, kMaxEntries);
    qint32 *colours[4] = {&s.BackgroundColor, &s.TitleColor, &s.TextsColor, &s.ButtonsColor};
    for (int i = 0; i < s.ColorCount && r.ok(); ++i) {
        int c = 0;
        r.readInt(c);
        if (i < 4)
            *colours[i] = c;
    }
    if (r.ok() && !r.atEnd()) {
        r.skip(3);
        r.readInt16(s.HideTitle);
    }
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    out = s;
    return Status::success();
}

Status writeScheme(const QString &path, const SchemeFile &s) {
    RecordWriter w;
    w.writeString(s.SchemeName);
    w.writeString(s.WriterVersion);
    w.writeString(s.SavedDate);
    w.writeInt(4);
    w.writeString(s.StartPicture);
    w.writeString(s.LoadPicture);
    w.writeString(s.ExitPicture);
    w.writeString(s.TiledBackground);
    w.writeInt(4);
    w.writeInt(s.BackgroundColor);
    w.writeInt(s.TitleColor);
    w.writeInt(s.TextsColor);
    w.writeInt(s.ButtonsColor);
    w.writeEmptyStrings(3);
    w.writeInt(s.HideTitle);
    return w.commit(path, Status::failure(QStringLiteral("Error"), QStringLiteral("Unable to save the scheme.")));
}

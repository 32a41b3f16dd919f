#include "TextLabels.h"

#include "ProjectFiles.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"
#include "WriteJournal.h"

#include <QFile>
#include <QFileInfo>

namespace {

Status textFailure() {
    return Status::failure(QStringLiteral("Error"),
                           QStringLiteral("Unable to load or save text information."));
}

} // namespace

Status readTextLabel(const QString &path, TextLabel &out) {
    RecordReader r = RecordReader::fromFile(path);
    TextLabel t;
    r.readString(t.Caption);
    r.readDouble(t.Left);
    r.readDouble(t.Top);
    r.readBool(t.FontBold);
    r.readBool(t.FontItalic);
    r.readString(t.FontName);
    r.readDouble(t.FontSize);
    r.readBool(t.FontStrikethru);
    r.readBool(t.FontUnderline);
    r.readInt(t.ForeColor);
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    out = t;
    return Status::success();
}

Status writeTextLabel(const QString &path, const TextLabel &t) {
    RecordWriter w;
    w.writeString(t.Caption);
    w.writeDouble(t.Left);
    w.writeDouble(t.Top);
    w.writeBool(t.FontBold);
    w.writeBool(t.FontItalic);
    w.writeString(t.FontName);
    w.writeSingle(t.FontSize);
    w.writeBool(t.FontStrikethru);
    w.writeBool(t.FontUnderline);
    w.writeInt(t.ForeColor);
    return w.commit(path, textFailure());
}

namespace TextLabels {

QString fileName(int n) {
    return QStringLiteral("Text%1.lbl").arg(n, 2, 10, QLatin1Char('0'));
}

QString nextFree(const QString &frameFolder) {
    for (int n = 1;; ++n) {
        const QString p = frameFolder + fileName(n);
        if (!ProjectFiles::exists(p))
            return p;
    }
}

QStringList list(const QString &frameFolder) {
    return ProjectFiles::filesWith(frameFolder, QString(), QStringLiteral(".lbl"));
}

Status remove(const QString &path) {
    WriteJournal::touching(path);
    if (QFileInfo::exists(path) && !QFile::remove(path))
        return Status::failure(QStringLiteral("Error"),
                               QStringLiteral("Unable to load or modify text information."));
    return Status::success();
}

} // namespace TextLabels

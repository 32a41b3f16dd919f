#include "AreaFiles.h"

#include "FileAccess.h"
#include "NameRules.h"
#include "ProjectFiles.h"
#include "RecordReader.h"
#include "RecordWriter.h"
#include "StoreMessages.h"
#include "WriteJournal.h"

#include <QFile>
#include <QFileInfo>

namespace {

Status areaWriteFailure() {
    return Status::failure(QStringLiteral("Error Saving Area Properties"),
                           QStringLiteral("Unable to save Area properties. Please verify that "
                                          "project files are not Read-Only."));
}

Status dropWriteFailure() {
    return Status::failure(QStringLiteral("Error Saving Item Information"),
                           QStringLiteral("Unable to save item information."));
}

Status removeFailure() {
    return Status::failure(QStringLiteral("Error"),
                           QStringLiteral("Unable to completely remove the selected area."));
}

void writeLook(RecordWriter &w, const AreaLook &a) {
    w.writeSingle(a.Left);
    w.writeSingle(a.Top);
    w.writeSingle(a.Width);
    w.writeSingle(a.Height);
    w.writeInt(a.IsAnimatedGif);
    w.writeBool(a.HasPicture);
    w.writeString(a.PictureFile);
    w.writeInt(a.Stretch);
    w.writeString(a.MousePointer);
    w.writeInt(a.VisibleIf);
    w.writeInt(a.ZeroList.size());
    for (const QString &n : a.ZeroList)
        w.writeString(n);
    w.writeInt(a.OneList.size());
    for (const QString &n : a.OneList)
        w.writeString(n);
}

void writeItem(RecordWriter &w, const AreaItem &c) {
    w.writeInt(c.PickItem);
    w.writeString(c.ItemName);
    w.writeEmptyStrings(2);
    w.writeInt(c.GifSpeed);
}

// Splits a file's bytes into its lines, each without its line end.
QList<QByteArray> splitLines(const QByteArray &data) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (data[i] == '\n') {
            qsizetype end = i;
            if (end > start && data[end - 1] == '\r')
                --end;
            lines.append(data.mid(start, end - start));
            start = i + 1;
        }
    }
    if (start < data.size())
        lines.append(data.mid(start));
    return lines;
}

} // namespace

bool AreaLook::hasCustomPointer() const {
    return !MousePointer.isEmpty() && MousePointer.toLower() != QLatin1String("default");
}

QString areaPlainName(int n, const QString &picture) {
    // A name read from a project file may use backslashes between folders.
    QString file = picture;
    file.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // Pictures of a distribution may lie under hidden names; the title is the same.
    const QString title = QFileInfo(file).completeBaseName().simplified();
    return title.isEmpty() ? QStringLiteral("Area %1").arg(n) : title;
}

Status readAreaLook(const QString &path, AreaLook &out) {
    RecordReader r = RecordReader::fromFile(path);
    AreaLook a;
    r.readDouble(a.Left);
    r.readDouble(a.Top);
    r.readDouble(a.Width);
    r.readDouble(a.Height);
    r.readInt16(a.IsAnimatedGif);
    r.readBool(a.HasPicture);
    r.readString(a.PictureFile);
    r.readInt16(a.Stretch);
    r.readString(a.MousePointer);
    r.readInt16(a.VisibleIf);
    if (r.ok() && r.readNameList(a.ZeroList, kMaxNamesPerList))
        r.readNameList(a.OneList, kMaxNamesPerList);
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    out = a;
    return Status::success();
}

Status readAreaItem(const QString &path, AreaItem &out) {
    RecordReader r = RecordReader::fromFile(path);
    AreaItem c;
    r.readInt16(c.PickItem);
    r.readString(c.ItemName);
    r.skip(2);
    if (r.ok() && !r.atEnd())
        r.readInt(c.GifSpeed);
    if (!r.ok())
        return StoreMessages::unreadable(path, r);
    out = c;
    return Status::success();
}

AreaFiles::AreaFiles(const ProjectPaths &paths, SoundMode mode, const QString &frame)
    : m_paths(paths), m_mode(mode), m_frame(frame) {
    if (NameRules::isSafeComponent(frame)) {
        const QString folder = ProjectFiles::existingVariant(paths.AreasPath() + frame);
        if (paths.holds(folder))
            m_folder = withTrailingSeparator(folder);
    }
}

QString AreaFiles::path(int n, const QString &suffix) const {
    if (m_folder.isEmpty())
        return QString();
    const QString p = ProjectFiles::existingVariant(m_folder + QString::number(n) + suffix);
    return m_paths.holds(p) ? p : QString();
}

QString AreaFiles::dropPath(int n, const QString &item, const QString &extension) const {
    if (m_folder.isEmpty() || !NameRules::isSafeComponent(item))
        return QString();
    const QString p = ProjectFiles::existingVariant(m_folder + QString::number(n) +
                                                    QLatin1Char('_') + item + extension);
    return m_paths.holds(p) ? p : QString();
}

Status AreaFiles::readLook(int n, AreaLook &out) const {
    return readAreaLook(path(n, QStringLiteral("a.dat")), out);
}

Status AreaFiles::readAction(int n, ActionRecord &out) const {
    return readActionRecord(path(n, QStringLiteral("b.dat")), out);
}

Status AreaFiles::readItem(int n, AreaItem &out) const {
    return readAreaItem(path(n, QStringLiteral("c.dat")), out);
}

Status AreaFiles::readSounds(int n, ChannelFile &out) const {
    const QString p = path(n, QStringLiteral("d.dat"));
    if (p.isEmpty())
        return StoreMessages::unreadable(m_frame, QStringLiteral("not a frame name"));
    return readChannels(p, m_mode, out);
}

Status AreaFiles::load(int n, Area &out) const {
    Area a;
    ChannelFile sounds;
    Status s = readLook(n, a.look);
    if (s)
        s = readAction(n, a.action);
    if (s)
        s = readItem(n, a.item);
    if (s)
        s = readSounds(n, sounds);
    if (!s)
        return s;
    a.sounds = sounds.Channels;
    out = a;
    return Status::success();
}

Status AreaFiles::save(int n, const Area &area) const {
    if (m_folder.isEmpty() || !FileAccess::makeFolder(m_folder))
        return areaWriteFailure();
    RecordWriter look;
    writeLook(look, area.look);
    Status s = look.commit(path(n, QStringLiteral("a.dat")), areaWriteFailure());
    if (s)
        s = writeActionRecord(path(n, QStringLiteral("b.dat")), area.action, areaWriteFailure());
    if (s) {
        RecordWriter item;
        writeItem(item, area.item);
        s = item.commit(path(n, QStringLiteral("c.dat")), areaWriteFailure());
    }
    if (s && !writeChannels(path(n, QStringLiteral("d.dat")), m_mode, area.sounds))
        s = areaWriteFailure();
    return s;
}

Status AreaFiles::savePosition(int n, double left, double top, double width, double height) const {
    const QString p = path(n, QStringLiteral("a.dat"));
    QByteArray old;
    QString error;
    if (!FileAccess::readFile(p, FileAccess::kMaxRecordFileSize, old, &error))
        return areaWriteFailure().withDetail(error);
    QList<QByteArray> lines = splitLines(old);
    while (lines.size() < 4)
        lines.append(QByteArray());
    const double values[4] = {left, top, width, height};
    for (int i = 0; i < 4; ++i)
        lines[i] = formatRecordNumber(values[i], 7).toLatin1();
    QByteArray out;
    for (const QByteArray &line : lines) {
        out.append(line);
        out.append("\r\n", 2);
    }
    if (!writeFileAtomically(p, out, &error))
        return areaWriteFailure().withDetail(error);
    return Status::success();
}

QStringList AreaFiles::dropEvents(int n) const {
    QStringList items;
    if (m_folder.isEmpty())
        return items;
    const QString prefix = QString::number(n) + QLatin1Char('_');
    for (const QString &f : ProjectFiles::filesWith(m_folder, prefix, QStringLiteral(".drg")))
        items.append(f.mid(prefix.size(), f.size() - prefix.size() - 4));
    return items;
}

QMap<int, QStringList> AreaFiles::allDropEvents() const {
    QMap<int, QStringList> events;
    if (m_folder.isEmpty())
        return events;
    for (const QString &f : ProjectFiles::filesWith(m_folder, QString(), QStringLiteral(".drg"))) {
        const qsizetype underscore = f.indexOf(QLatin1Char('_'));
        bool ok = false;
        const int n = f.left(underscore).toInt(&ok);
        if (underscore <= 0 || !ok || QString::number(n) != f.left(underscore))
            continue;
        events[n].append(f.mid(underscore + 1, f.size() - underscore - 5));
    }
    return events;
}

Status AreaFiles::readDropEvent(int n, const QString &item, DropEvent &out) const {
    DropEvent e;
    const QString drg = dropPath(n, item, QStringLiteral(".drg"));
    if (drg.isEmpty())
        return StoreMessages::unreadable(item, QStringLiteral("not an item name"));
    Status s = readActionRecord(drg, e.action);
    if (!s)
        return s;
    ChannelFile sounds;
    s = readChannels(dropPath(n, item, QStringLiteral(".chn")), m_mode, sounds);
    if (!s)
        return s;
    e.sounds = sounds.Channels;
    out = e;
    return Status::success();
}

Status AreaFiles::saveDropEvent(int n, const QString &item, const DropEvent &event) const {
    const QString drg = dropPath(n, item, QStringLiteral(".drg"));
    if (drg.isEmpty() || !FileAccess::makeFolder(m_folder))
        return dropWriteFailure();
    Status s = writeActionRecord(drg, event.action, dropWriteFailure());
    if (s && !writeChannels(dropPath(n, item, QStringLiteral(".chn")), m_mode, event.sounds))
        s = dropWriteFailure();
    return s;
}

Status AreaFiles::removeArea(const FrameFiles &frames, int k, int count) const {
    if (m_folder.isEmpty() || k < 1 || k > count)
        return removeFailure();
    static const char *const kFiles[] = {"a.dat", "b.dat", "c.dat", "d.dat"};
    auto eventFiles = [this](int n) {
        const QString prefix = QString::number(n) + QLatin1Char('_');
        QStringList files = ProjectFiles::filesWith(m_folder, prefix, QStringLiteral(".drg"));
        files += ProjectFiles::filesWith(m_folder, prefix, QStringLiteral(".chn"));
        return files;
    };
    // A history being recorded keeps each file before it is removed or renamed.
    auto removeFile = [](const QString &p) {
        WriteJournal::touching(p);
        return QFile::remove(p);
    };
    auto renameFile = [](const QString &from, const QString &to) {
        WriteJournal::touching(from);
        WriteJournal::touching(to);
        return QFile::rename(from, to);
    };
    for (const char *f : kFiles) {
        const QString p = path(k, QString::fromLatin1(f));
        if (QFileInfo::exists(p) && !removeFile(p))
            return removeFailure();
    }
    for (const QString &f : eventFiles(k)) {
        if (!removeFile(m_folder + f))
            return removeFailure();
    }
    for (int m = k + 1; m <= count; ++m) {
        for (const char *f : kFiles) {
            const QString from = path(m, QString::fromLatin1(f));
            if (!QFileInfo::exists(from))
                continue;
            if (!renameFile(from, m_folder + QString::number(m - 1) + QString::fromLatin1(f)))
                return removeFailure();
        }
        const QString prefix = QString::number(m) + QLatin1Char('_');
        for (const QString &f : eventFiles(m)) {
            const QString to = QString::number(m - 1) + QLatin1Char('_') + f.mid(prefix.size());
            if (!renameFile(m_folder + f, m_folder + to))
                return removeFailure();
        }
    }
    if (!frames.writeAreaCount(m_frame, count - 1))
        return removeFailure();
    return Status::success();
}

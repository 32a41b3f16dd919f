#include "FrameClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <optional>

namespace {

std::optional<FrameClipboard> &held() {
    static std::optional<FrameClipboard> copy;
    return copy;
}

// Tells this copy's mark from an earlier one still on the clipboard.
qint64 &serial() {
    static qint64 n = 0;
    return n;
}

} // namespace

Status FrameClipboard::read(const AreaFiles &files, const QList<int> &areaNumbers,
                            const QStringList &textPaths) {
    QList<CopiedArea> copied;
    for (int n : areaNumbers) {
        CopiedArea a;
        Status s = files.load(n, a.area);
        for (const QString &item : files.dropEvents(n)) {
            DropEvent e;
            if (s)
                s = files.readDropEvent(n, item, e);
            a.drops.append({item, e});
        }
        if (!s)
            return s;
        copied.append(a);
    }
    QList<TextLabel> labels;
    for (const QString &path : textPaths) {
        TextLabel t;
        const Status s = readTextLabel(path, t);
        if (!s)
            return s;
        labels.append(t);
    }
    areas = copied;
    texts = labels;
    return Status::success();
}

Status FrameClipboard::writeArea(const AreaFiles &files, int n, const CopiedArea &copied,
                                 const QPoint &offset) {
    Area area = copied.area;
    area.look.Left += offset.x();
    area.look.Top += offset.y();
    Status s = files.save(n, area);
    for (const auto &drop : copied.drops) {
        if (s)
            s = files.saveDropEvent(n, drop.first, drop.second);
    }
    return s;
}

void FrameClipboard::put(const FrameClipboard &copy) {
    held() = copy;
    auto *mark = new QMimeData;
    mark->setData(QString::fromLatin1(kFrameElementsMimeType), QByteArray::number(++serial()));
    QGuiApplication::clipboard()->setMimeData(mark);
}

const FrameClipboard *FrameClipboard::current() {
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!held() || !data ||
        data->data(QString::fromLatin1(kFrameElementsMimeType)) != QByteArray::number(serial()))
        return nullptr;
    return &*held();
}

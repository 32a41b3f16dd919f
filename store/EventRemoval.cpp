#include "EventRemoval.h"

#include "AreaFiles.h"
#include "Items.h"

#include <QDir>
#include <QFileInfo>

namespace {

Status removeFailure() {
    return Status::failure(QStringLiteral("Error"),
                           QStringLiteral("Unable to remove selected event."));
}

} // namespace

bool EventRemoval::removeDropEvent(const QString &frame, int area, const QString &item) {
    const AreaFiles files(m_paths, SoundMode::MultiChannel, frame);
    const QString drg = files.dropPath(area, item, QStringLiteral(".drg"));
    if (drg.isEmpty())
        return fail(removeFailure(),
                    QStringLiteral("not an event name: %1_%2").arg(area).arg(item));
    if (!removeFile(drg))
        return fail(removeFailure());
    const QString chn = files.dropPath(area, item, QStringLiteral(".chn"));
    if ((QFileInfo::exists(chn) || QFileInfo(chn).isSymLink()) && !removeFile(chn))
        return fail(removeFailure());
    return succeed();
}

bool EventRemoval::removeItemEvent(const QString &first, const QString &second) {
    const QString path = Items(m_paths).eventPath(first, second);
    if (path.isEmpty())
        return fail(removeFailure(),
                    QStringLiteral("not an event name: %1_on_%2").arg(first, second));
    if (!removeFile(path))
        return fail(removeFailure());
    return succeed();
}

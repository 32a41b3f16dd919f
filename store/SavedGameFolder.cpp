#include "SavedGameFolder.h"

#include "ProjectFiles.h"
#include "ProjectPaths.h"
#include "SavedGameFile.h"

SavedGameFolder::SavedGameFolder(const QString &root) : m_root(withTrailingSeparator(root)) {}

QString SavedGameFolder::shownPath(const QString &name) const {
    return m_root + name + QStringLiteral(".sav");
}

QString SavedGameFolder::path(const QString &name) const {
    if (!SavedGames::isValidName(name))
        return QString();
    return ProjectFiles::existingVariant(shownPath(name));
}

bool SavedGameFolder::remove(const QString &name) {
    const Status failure =
        Status::failure(QStringLiteral(" Unable to remove '%1'.").arg(shownPath(name)));
    const QString file = path(name);
    if (file.isEmpty())
        return fail(failure, QStringLiteral("not a saved game name: ") + name);
    if (!removeFile(file))
        return fail(failure);
    return succeed();
}

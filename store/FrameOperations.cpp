#include "FrameOperations.h"

#include "FolderListings.h"
#include "NameRules.h"
#include "ProjectFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QPair>

namespace {

const char *const kFrameExtensions[] = {".fme", ".lks", ".chn"};

Status renameFailure() {
    return Status::failure(QStringLiteral("Error"),
                           QStringLiteral("Unable to rename frame areas."));
}

Status copyFailure(const QString &source, const QString &target) {
    return Status::failure(
        QStringLiteral("Error Copying Frame"),
        QStringLiteral("Unable to copy '%1' to '%2'. Verify that the specified frame does not "
                       "already exist and that the project folder is not Read-Only.")
            .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(target)));
}

Status frameExists(const QString &title) {
    return Status::failure(title,
                           QStringLiteral("A frame with the name you specified already exists. "
                                          "Specify a different name."),
                           Status::Icon::Information);
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

FrameOperations::FrameOperations(const ProjectPaths &paths, SoundMode mode)
    : m_paths(paths), m_frames(paths, mode) {}

QString FrameOperations::areaFolderPath(const QString &frame) const {
    return ProjectFiles::existingVariant(m_paths.AreasPath() + frame);
}

QString FrameOperations::freeName(const QString &base) const {
    for (int n = 1;; ++n) {
        const QString name = base + twoDigits(n);
        if (!m_frames.exists(name))
            return name;
    }
}

bool FrameOperations::checkNewName(const QString &name, const QString &existsTitle,
                                   const QString &existsText) {
    const Status s = NameRules::checkName(name);
    if (!s || name.isEmpty() || !NameRules::isSafeComponent(name))
        return fail(s ? NameRules::checkName(QStringLiteral("\"")) : s,
                    QStringLiteral("not a file name: ") + name);
    if (m_frames.exists(name))
        return fail(existsText.isEmpty()
                        ? frameExists(existsTitle)
                        : Status::failure(existsTitle, existsText, Status::Icon::Information),
                    QDir::toNativeSeparators(m_frames.fmePath(name)) +
                        QStringLiteral(": already exists"));
    return true;
}

bool FrameOperations::rename(const QString &oldName, const QString &newName) {
    if (newName == oldName)
        return succeed();
    // A change of letter case only names the same frame.
    const bool sameFrame = newName.compare(oldName, Qt::CaseInsensitive) == 0;
    if (!sameFrame &&
        !checkNewName(newName, QStringLiteral("Error Renaming Frame"),
                      QStringLiteral("Cannot rename '%1': A frame with the name you specified "
                                     "already exists. Specify a different name.")
                          .arg(newName)))
        return false;
    if (sameFrame && !NameRules::isValidName(newName))
        return fail(NameRules::checkName(newName), QStringLiteral("not a file name: ") + newName);
    if (!m_frames.exists(oldName))
        return fail(renameFailure(), QDir::toNativeSeparators(m_paths.FramesPath() + oldName) +
                                         QStringLiteral(".fme: no such frame"));

    QList<QPair<QString, QString>> done;
    auto undo = [&] {
        for (auto it = done.crbegin(); it != done.crend(); ++it)
            QFile::rename(it->second, it->first);
        return fail(renameFailure());
    };
    for (const char *ext : kFrameExtensions) {
        const QString extension = QString::fromLatin1(ext);
        const QString from =
            ProjectFiles::existingVariant(m_paths.FramesPath() + oldName + extension);
        if (!QFileInfo::exists(from))
            continue;
        const QString to = m_paths.FramesPath() + newName + extension;
        if (!renameEntry(from, to))
            return undo();
        done.append({from, to});
    }
    const QString folder = areaFolderPath(oldName);
    if (QFileInfo(folder).isDir()) {
        const QString to = m_paths.AreasPath() + newName;
        if (!sameFrame && QFileInfo::exists(to) && !QDir(to).isEmpty()) {
            m_stepReason = QDir::toNativeSeparators(to) + QStringLiteral(": already exists");
            return undo();
        }
        if (!renameEntry(folder, to))
            return undo();
    }
    return succeed();
}

bool FrameOperations::duplicate(const QString &frame, const QString &clone) {
    if (!checkNewName(clone, QStringLiteral("Frame Already Exists"), QString()))
        return false;
    const QString sourceFolder = areaFolderPath(frame);
    const QString cloneFolder = m_paths.AreasPath() + clone;
    if (QFileInfo::exists(cloneFolder) || QFileInfo(cloneFolder).isSymLink())
        return fail(copyFailure(sourceFolder, cloneFolder),
                    QDir::toNativeSeparators(cloneFolder) + QStringLiteral(": already exists"));

    QStringList made;
    auto undo = [&](const QString &source, const QString &target) {
        for (const QString &p : made)
            QFileInfo(p).isDir() ? QDir(p).removeRecursively() : QFile::remove(p);
        return fail(copyFailure(source, target));
    };
    for (const char *ext : {".lks", ".fme", ".chn"}) {
        const QString extension = QString::fromLatin1(ext);
        const QString from =
            ProjectFiles::existingVariant(m_paths.FramesPath() + frame + extension);
        if (!QFileInfo(from).isFile())
            continue;
        const QString to = m_paths.FramesPath() + clone + extension;
        if (!copyFile(from, to))
            return undo(from, to);
        made.append(to);
    }
    if (!makeFolder(cloneFolder))
        return undo(sourceFolder, cloneFolder);
    made.append(cloneFolder);
    if (QFileInfo(sourceFolder).isDir()) {
        const QFileInfoList files =
            QDir(sourceFolder)
                .entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
        for (const QFileInfo &f : files) {
            const QString to = QDir(cloneFolder).filePath(f.fileName());
            if (!copyFile(f.filePath(), to))
                return undo(f.filePath(), to);
        }
    }
    return succeed();
}

bool FrameOperations::remove(const QString &frame) {
    const Status failure =
        Status::failure(QStringLiteral("Error Removing Frame"),
                        QStringLiteral("Unable to completely remove '%1'.").arg(frame));
    if (!NameRules::isSafeComponent(frame))
        return fail(failure, QStringLiteral("not a frame name: ") + frame);
    // The area folder is moved aside in one step first, so that a failure anywhere puts
    // everything back: a frame is removed whole or not at all.
    const QString folder = areaFolderPath(frame);
    QString aside;
    if (!moveAside(folder, aside))
        return fail(failure);
    for (const char *ext : {".lks", ".chn", ".fme"}) {
        const QString path =
            ProjectFiles::existingVariant(m_paths.FramesPath() + frame + QString::fromLatin1(ext));
        if ((QFileInfo::exists(path) || QFileInfo(path).isSymLink()) && !removeFile(path)) {
            putBack(aside, folder);
            return fail(failure);
        }
    }
    if (!aside.isEmpty() && !removeTree(aside)) {
        putBack(aside, folder);
        return fail(failure);
    }
    return succeed();
}

bool FrameOperations::copyIntoFrames(const QString &sourcePath, QString &fileName) {
    const QFileInfo source(sourcePath);
    if (!source.isFile())
        return fail(
            Status::failure(
                QStringLiteral("New Frame Creation"),
                QStringLiteral("Unable to find '%1'.").arg(QDir::toNativeSeparators(sourcePath)),
                Status::Icon::Exclamation),
            QDir::toNativeSeparators(sourcePath) + QStringLiteral(": no such file"));
    const QString target = ProjectFiles::existingVariant(m_paths.FramesPath() + source.fileName());
    fileName = QFileInfo(target).fileName();
    if (QFileInfo(target).isFile())
        return succeed();
    if (!copyFile(source.absoluteFilePath(), target))
        return fail(Status::failure(
            QStringLiteral("Error Creating New Frame"),
            QStringLiteral("Unable to copy '%1' to '%2'.")
                .arg(QDir::toNativeSeparators(sourcePath), QDir::toNativeSeparators(target))));
    return succeed();
}

bool FrameOperations::writeNew(const QString &frame, const FrameProperties &props) {
    const QString path = m_paths.FramesPath() + frame + QStringLiteral(".fme");
    const Status s = m_frames.writeNewFrame(frame, props);
    if (!s)
        return fail(
            Status::failure(
                QStringLiteral("Error Creating New Frame"),
                QStringLiteral("Unable to create '%1'.").arg(QDir::toNativeSeparators(path))),
            QDir::toNativeSeparators(path) + QStringLiteral(": ") + s.text());
    return succeed();
}

bool FrameOperations::createFromPicture(const QString &sourcePath, bool tiled, QString &frame) {
    // One listing of the folders serves every look-up for a free name and the writes.
    const FolderListings::Scope scope;
    QString title;
    if (!copyIntoFrames(sourcePath, title))
        return false;
    // A name of one character is too short to tell frames apart.
    QString name = title.size() < 6 ? QStringLiteral("New Frame") : title.left(title.size() - 4);
    if (!NameRules::isSafeComponent(name))
        name = QStringLiteral("New Frame");
    if (m_frames.exists(name))
        name = freeName(name);
    FrameProperties props;
    props.BackgroundKind = 1;
    props.Background = title;
    props.Tiled = tiled;
    if (!writeNew(name, props))
        return false;
    frame = name;
    return true;
}

bool FrameOperations::createSolid(const QString &frame, qint32 color) {
    const FolderListings::Scope scope;
    if (!checkNewName(frame, QStringLiteral("Frame Already Exists"), QString()))
        return false;
    FrameProperties props;
    props.BackgroundKind = 0;
    props.Background = QString::number(color);
    return writeNew(frame, props);
}

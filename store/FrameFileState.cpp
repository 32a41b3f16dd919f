#include "FrameFileState.h"

#include "FileAccess.h"
#include "FrameFiles.h"
#include "StoreMessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <set>

namespace {

void captureFile(const QString &path, QMap<QString, QByteArray> &out) {
    QByteArray bytes;
    if (QFileInfo(path).isFile() &&
        FileAccess::readFile(path, FileAccess::kMaxRecordFileSize, bytes))
        out.insert(path, bytes);
}

} // namespace

FrameFileState FrameFileState::capture(const ProjectPaths &paths, const QString &frame) {
    FrameFileState state;
    // The sound mode does not change where the files lie.
    const FrameFiles frames(paths, SoundMode::MultiChannel);
    const QString folder = frames.areaFolder(frame);
    if (!frame.isEmpty() && !folder.isEmpty()) {
        const QDir dir(folder);
        for (const QFileInfo &f : dir.entryInfoList(QDir::Files | QDir::Hidden)) {
            if (!FileAccess::isLeftoverTemporary(f.fileName()))
                captureFile(f.absoluteFilePath(), state.m_files);
        }
        captureFile(frames.lksPath(frame), state.m_files);
    }
    const QString variables = paths.configFile(QStringLiteral("Variables"));
    if (!variables.isEmpty())
        captureFile(variables, state.m_files);
    return state;
}

QList<FileChange> FrameFileState::changesTo(const FrameFileState &after) const {
    std::set<QString> paths;
    for (auto it = m_files.cbegin(); it != m_files.cend(); ++it)
        paths.insert(it.key());
    for (auto it = after.m_files.cbegin(); it != after.m_files.cend(); ++it)
        paths.insert(it.key());
    QList<FileChange> out;
    for (const QString &path : paths) {
        FileChange c;
        c.path = path;
        c.existedBefore = m_files.contains(path);
        c.before = m_files.value(path);
        c.existsAfter = after.m_files.contains(path);
        c.after = after.m_files.value(path);
        if (c.existedBefore != c.existsAfter || c.before != c.after)
            out.append(c);
    }
    return out;
}

Status FrameFileState::apply(const QList<FileChange> &changes, bool forward) {
    Status first;
    auto fail = [&first](const QString &detail) {
        if (first.ok())
            first = StoreMessages::projectFilesReadOnly().withDetail(detail);
    };
    std::set<QString> folders;
    for (const FileChange &c : changes) {
        const bool exists = forward ? c.existsAfter : c.existedBefore;
        if (exists) {
            const QString folder = QFileInfo(c.path).absolutePath();
            if (!QDir().mkpath(folder)) {
                fail(QStringLiteral("Cannot create ") + folder);
                continue;
            }
            QString error;
            if (!FileAccess::replaceFile(c.path, forward ? c.after : c.before, &error))
                fail(error);
        } else if (QFileInfo::exists(c.path)) {
            QFile file(c.path);
            if (!file.remove())
                fail(file.errorString());
            else
                folders.insert(QFileInfo(c.path).absolutePath());
        }
    }
    // An area folder that came into being with the edit goes with it; the project's own
    // folders are never empty (Config holds General).
    for (const QString &folder : folders) {
        QDir dir(folder);
        if (dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            dir.rmdir(folder);
    }
    return first;
}

#pragma once

#include <QByteArray>
#include <QString>

// The one way project files are opened. Reading takes only regular files, found without
// opening them (a named pipe or a device never blocks a reader), no larger than a limit.
// Writing builds the new contents in a temporary file beside the target, checks every write,
// the flush and the sync, and only then renames it over the target: on any failure the old
// file stays as it was.
namespace FileAccess {

// Largest record file (frames, areas, items, texts, variables, saved games...): a few MB.
constexpr qint64 kMaxRecordFileSize = 4 * 1024 * 1024;
// Largest picture: pictures are decoded whole in memory.
constexpr qint64 kMaxPictureFileSize = 64 * 1024 * 1024;
// Largest sound, music or video file: the media libraries stream them.
constexpr qint64 kMaxMediaFileSize = 1024LL * 1024 * 1024;

// Success, or why `path` cannot be read: "File not found", "Not a regular file" (a folder, a
// named pipe, a device), "File too large". A symbolic link counts as the file it names.
// Nothing is opened, so this never blocks.
bool checkReadable(const QString &path, qint64 limit, QString *error = nullptr);

// Reads the whole of the regular file at `path` when it is no larger than `limit`. The file is
// opened without blocking and checked again once open. On failure `out` is empty and `error`
// holds the reason.
bool readFile(const QString &path, qint64 limit, QByteArray &out, QString *error = nullptr);

// Replaces the file at `path` with `bytes`. A symbolic link at `path` is replaced by a regular
// file; the file it pointed to is never written. An existing file keeps its permissions; one the
// user cannot write (for root: one without any write permission) is refused with "Permission
// denied". On failure the old file is unchanged, nothing is left beside it, and `error` holds
// the system's reason (for example "No space left on device"). The writer's leftover temporary
// files of earlier, interrupted writes in the same folder are removed first (once per folder in
// an operation, see FolderListings::Scope; once per folder in a process outside any).
bool replaceFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// replaceFile in two halves, for changes to several files that are put in place together.
// prepareReplacement writes `bytes` to a new temporary file beside `path` (the writer's
// temporary name, so an interrupted change leaves nothing that is listed or kept) and syncs it;
// `path` itself is not touched. It refuses what replaceFile refuses, with the same reasons.
// `temporary` receives the temporary file's path.
bool prepareReplacement(const QString &path, const QByteArray &bytes, QString &temporary,
                        QString *error = nullptr);
// Renames the prepared file over `path`. On failure the temporary file is removed and `path`
// is unchanged.
bool commitReplacement(const QString &temporary, const QString &path, QString *error = nullptr);
// Removes a prepared file that will not be put in place (nothing but a writer's temporary).
void discardReplacement(const QString &temporary);

// Makes the folder `path` and the folders above it that are missing (QDir::mkpath); a history
// being recorded learns that the outermost of them was not there. False when it could not be made.
bool makeFolder(const QString &path);

// Copies the regular file `from`, no larger than `limit` bytes, to `to` the way replaceFile
// writes: a named pipe or device at `from` is refused without blocking, every write is checked,
// and on failure an old file at `to` stays as it was. The copy gets the default permissions.
bool copyFile(const QString &from, const QString &to, qint64 limit, QString *error = nullptr);

// True for the name of a temporary file the writer makes, ".<name>.qmtmp-XXXXXX" (six letters
// or digits): one left behind by an interrupted write is removed by the next write there.
bool isWriterTemporary(const QString &fileName);

// True for a name never listed as a project file: the writer's temporaries, and the names an
// earlier writer gave them (a written file's name, a dot and six letters or digits, such as
// "Game.sav.a1B2c3"). The latter may be the user's own ("Real.sav.backup") and are never removed.
bool isLeftoverTemporary(const QString &fileName);

// Removes the writer's leftover temporary files in `folder` (isWriterTemporary), nothing else.
void removeLeftoverTemporaries(const QString &folder);

} // namespace FileAccess

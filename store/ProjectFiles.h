#pragma once

#include <QString>
#include <QStringList>

// How names read from project files become paths on this system:
// - `\` and `/` in a name both separate folders;
// - a name that would leave its folder (absolute, drive prefix, `..`) is refused;
// - a name that does not exist as written is looked up without regard to case, component by
//   component, so projects made on case-insensitive systems open here.
namespace ProjectFiles {

// The path of `name` inside `folder` (which ends in a separator), found without regard to case
// when the exact name is missing; the path as written when no variant exists either; an empty
// string when the name is refused.
QString resolve(const QString &folder, const QString &name);

// True when `name` (read from a file) stays inside the folder it is joined to.
bool isSafeRelativeName(const QString &name);

// A file exists at `path`, exactly or as a case variant of its last component.
bool exists(const QString &path);

// The existing path of `path` with its last component matched without regard to case, or
// `path` itself when there is no such file.
QString existingVariant(const QString &path);

// Base names (no extension) of the files in `folder` whose extension is `extension`
// (without the dot) in any case, sorted without regard to case. Leftover temporary files of the
// writer are never listed.
QStringList baseNamesWithExtension(const QString &folder, const QString &extension);

// File names in `folder` that begin with `prefix` and end with `suffix`, both compared without
// regard to case, sorted without regard to case, leftover temporary files left out.
QStringList filesWith(const QString &folder, const QString &prefix, const QString &suffix);

} // namespace ProjectFiles

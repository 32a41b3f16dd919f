#pragma once

#include <QString>

// Library packages that Debian renamed between releases while the library itself kept its file
// name (soname), so that a player built against one name runs with the other. A .deb's Depends:
// names the packages of the release that built it; with the other name as an alternative it also
// installs where only that one exists (the rest of its dependencies allowing).
namespace DebianRenames {

// The other name of the library package `package` (without a version), or an empty string when
// it has none.
QString otherName(const QString &package);

// `depends` (a Depends: field, entries joined with ", ") with "| <other name> (<same version>)"
// added to every entry whose package has another name; entries that already name both, and all
// other entries, stay as they are.
QString withAlternatives(const QString &depends);

} // namespace DebianRenames

#pragma once

#include <QString>

#include <functional>

// Names a Linux package of a game takes from the project's information.
namespace PackageNames {

// The Debian package name for a software title: lower case ASCII letters and digits, accents
// dropped, every other run of characters one '-', no '-' at either end, at least two characters
// ("The Lighthouse Keeper" gives "the-lighthouse-keeper", "Entrée" gives "entree"); a title with
// no letter or digit gives "game".
QString debianName(const QString &softwareTitle);

// `name`, or `name` + "-game" when `isSystemPackage` says a package of that name exists: a game
// must never take the place of one of the system's own packages ("tar", "bash").
QString avoidingSystemPackages(const QString &name,
                               const std::function<bool(const QString &)> &isSystemPackage);
// True when the package manager here knows a package called `name` (installed or available).
bool isKnownPackage(const QString &name);
// The game's name in every build kind: its Debian package name, its folder of saved games under
// the user's data folder. From the software title, or the project's name when there is none.
QString gameName(const QString &softwareTitle, const QString &projectName);

// The version number the comments-and-version text holds: the first number with a point
// ("Version 1.2.3" gives "1.2.3", "v2.0b" gives "2.0b"), or a whole number right after the word
// "version" or "v" ("Version 3" gives "3"); "1.0" when there is none.
QString versionFrom(const QString &commentsAndVersion);

} // namespace PackageNames

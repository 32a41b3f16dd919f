#pragma once

#include "Status.h"

#include <QString>

// Where the player writes for a game: its saved games. A game played from a folder its player may
// write keeps them in its root, beside the project. A game installed for every user of the system
// (under /usr, or any folder the player cannot write) keeps them in the user's own data folder:
// "UserData.dat" in the game's root says so and names the game's folder there.
namespace UserDataFolder {

// The marker's path in `root` ("UserData.dat"); empty when it would lie outside the project.
QString markerPath(const QString &root);
// Writes the marker into `root`, naming the game's folder under the user's data folder. With
// `installed` false the game keeps its saved games in its root while it may write there (a
// portable folder); the marker then only names the game. An older marker without that value
// counts as installed.
Status writeMarker(const QString &root, const QString &gameName, bool installed = true);

// The folder for the saved games of the game in `root`, ending in the native separator: the root
// itself, unless the marker is there or the root cannot be written; then
// <user data folder>/Quillmoor/Games/<name>/, with the name the marker holds, or `fallbackName`
// when it holds none that is a usable folder name. Nothing is created.
QString savedGamesFolder(const QString &root, const QString &fallbackName);

// The folder under the user's data folder where saved games of the game in `root` went before
// the marker named the game: <user data folder>/Quillmoor/Games/<projectName>/. Empty when it is
// `savedGamesFolder` itself or the game keeps its saved games in its root.
QString olderSavedGamesFolder(const QString &root, const QString &projectName);

// Makes `folder` and its parents. False when it cannot be made.
bool make(const QString &folder);

} // namespace UserDataFolder

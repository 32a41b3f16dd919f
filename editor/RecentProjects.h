#pragma once

#include <QString>
#include <QStringList>

// The projects opened last, most recent first, kept in the settings store beside the editor's
// other settings (so "Reset Program Settings" forgets them too).
namespace RecentProjects {

constexpr int kMost = 8;

// The project folders, most recent first, at most kMost.
QStringList list();
// `root` becomes the first; it is listed once, and the oldest beyond kMost is dropped.
void add(const QString &root);
// Takes `root` off the list (a project no longer found).
void remove(const QString &root);

} // namespace RecentProjects

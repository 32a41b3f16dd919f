#pragma once

#include "FileOperation.h"

#include <QString>

// The saved games of a project: <root><name>.sav.
class SavedGameFolder : public FileOperation {
public:
    explicit SavedGameFolder(const QString &root);

    // The path as the player's messages show it: root, name and ".sav".
    QString shownPath(const QString &name) const;
    // The file of saved game `name`, found without regard to case; empty when the name breaks
    // the save name rule.
    QString path(const QString &name) const;
    // Deletes the saved game. On failure status() holds the player's error description
    // " Unable to remove '<path>'.".
    bool remove(const QString &name);

private:
    QString m_root;
};

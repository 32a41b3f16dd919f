#pragma once

#include "Status.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// <root><name>.sav: a saved game.
struct SavedGameFile {
    QString SavedFrame;
    QList<QPair<QString, int>> Variables; // name, value, in collection order
    QList<QPair<QString, int>> Disappear; // frame, area number
    QStringList Items;                    // inventory slots 1..n
    bool HasHistory = false;              // older saves end after the inventory
    QStringList History;                  // oldest first
};

constexpr int kMaxSavedEntries = 32767;

// Reads as far as it can: on failure `out` holds what was read before the error (the game keeps
// a partly loaded state), and the status says why.
Status readSavedGame(const QString &path, SavedGameFile &out);
Status writeSavedGame(const QString &path, const SavedGameFile &game);

namespace SavedGames {

// The save name rule: not empty, none of \ / : * ? " < > | ,
bool isValidName(const QString &name);
// Names (without ".sav") of the saved games in `root`, oldest modification first; names of
// four characters or fewer with the extension are left out.
QStringList list(const QString &root);

// One saved game as the save and load dialogs show it.
struct Entry {
    QString name;    // without ".sav"
    QString frame;   // the frame it was saved on; empty when the file cannot be read
    QDateTime saved; // the file's last modification
};
// The saved games of `list`, in its order, each with its frame and time.
QList<Entry> entries(const QString &root);

} // namespace SavedGames

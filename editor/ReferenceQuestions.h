#pragma once

#include "EngineHost.h"
#include "References.h"
#include "Status.h"

#include <QList>
#include <QString>

class QWidget;

// The questions the frames list and the items windows ask before a frame or an item is renamed
// or removed, so that neither silently breaks what names it.
namespace ReferenceQuestions {

enum class Removal { ClearReferences, KeepReferences, Cancel };

// The places outside the frame's (item's) own files that name it, one line each ("<file>: what
// it does there"), at most ten, then "and N more".
QString placesText(const QList<Reference> &found);
// How many places placesText() counts.
int placeCount(const QList<Reference> &found);

// Asks before a removal. `question` is the removal's own question, asked as it always was with
// `plainButtons` (OK/Cancel or Yes/No) when nothing else names the frame (item). Otherwise the
// question lists the places and offers three answers: Yes removes and clears them, No removes
// and leaves them (the project check lists them), Cancel removes nothing.
Removal askRemove(QWidget *parent, const QString &question, Status::Icon icon,
                  EngineHost::Buttons plainButtons, const QList<Reference> &found);

// Asks before a rename when saved games name the old name: they are the players' files and keep
// it. `what` is "frame" or "item". True to go on (also when no saved game names it).
bool askRename(QWidget *parent, const QString &what, const QString &oldName, const QString &newName,
               int savedGames);

// A failed rename or removal: its message, and for a file that failed, which and why.
void showFailure(QWidget *parent, const Status &status, const QString &reason);

} // namespace ReferenceQuestions

#include "ReferenceQuestions.h"

#include "EditorMessages.h"

namespace {

using Kind = Reference::Kind;
constexpr int kPlacesShown = 10;

// A drop event's sounds go with the event: one place, not two.
bool isPlace(const Reference &r) {
    return !r.isOwn() && r.kind != Kind::DropSounds;
}

QString whatItDoes(const Reference &r) {
    switch (r.kind) {
    case Kind::InitialFrame:
        return QStringLiteral("the game starts there");
    case Kind::GoToFrame:
        return QStringLiteral("goes to the frame");
    case Kind::TimerFrame:
        return QStringLiteral("the timer goes to the frame");
    case Kind::PickedUp:
        return QStringLiteral("a click gives the item");
    case Kind::DropEvent:
        return QStringLiteral("the item dropped on an area");
    case Kind::ItemEvent:
        return r.field == QLatin1String("first item")
                   ? QStringLiteral("the item used on another item")
                   : QStringLiteral("another item used on the item");
    case Kind::ItemEventGives:
        return QStringLiteral("using two items gives the item");
    default:
        return r.field;
    }
}

} // namespace

namespace ReferenceQuestions {

int placeCount(const QList<Reference> &found) {
    return static_cast<int>(std::count_if(found.begin(), found.end(), isPlace));
}

QString placesText(const QList<Reference> &found) {
    QStringList lines;
    int shown = 0;
    for (const Reference &r : found) {
        if (!isPlace(r) || shown++ >= kPlacesShown)
            continue;
        lines.append(r.file + QStringLiteral(": ") + whatItDoes(r));
    }
    const int more = placeCount(found) - kPlacesShown;
    if (more > 0)
        lines.append(QStringLiteral("and %1 more").arg(more));
    return lines.join(QLatin1Char('\n'));
}

Removal askRemove(QWidget *parent, const QString &question, Status::Icon icon,
                  EngineHost::Buttons plainButtons, const QList<Reference> &found) {
    using Answer = EngineHost::Answer;
    const int count = placeCount(found);
    if (count == 0) {
        const Answer a = EditorMessages::ask(parent, QString(), question, icon, plainButtons);
        return a == Answer::Ok || a == Answer::Yes ? Removal::KeepReferences : Removal::Cancel;
    }
    const QString text =
        question + QStringLiteral("\n\n") +
        (count == 1 ? QStringLiteral("It is used in 1 place:")
                    : QStringLiteral("It is used in %1 places:").arg(count)) +
        QLatin1Char('\n') + placesText(found) +
        QStringLiteral("\n\nYes        = Remove it and clear these references (areas that went "
                       "there go nowhere, items given or required are dropped, events removed)"
                       "\nNo         = Remove it and leave them as they are (Check Project will "
                       "list them)\nCancel   = Do not remove it");
    switch (EditorMessages::ask(parent, QString(), text, icon, EngineHost::Buttons::YesNoCancel)) {
    case Answer::Yes:
        return Removal::ClearReferences;
    case Answer::No:
        return Removal::KeepReferences;
    default:
        return Removal::Cancel;
    }
}

bool askRename(QWidget *parent, const QString &what, const QString &oldName, const QString &newName,
               int savedGames) {
    if (savedGames <= 0)
        return true;
    const QString games = savedGames == 1 ? QStringLiteral("1 saved game names")
                                          : QStringLiteral("%1 saved games name").arg(savedGames);
    return EditorMessages::ask(
               parent, QString(),
               QStringLiteral("%1 the %2 '%3'. Saved games belong to the players and are not "
                              "changed: they will still name '%3'.\n\nDo you want to rename "
                              "'%3' to '%4'?")
                   .arg(games, what, oldName, newName),
               Status::Icon::Exclamation, EngineHost::Buttons::OkCancel) == EngineHost::Answer::Ok;
}

void showFailure(QWidget *parent, const Status &status, const QString &reason) {
    // The system's reason goes beside a failure of the files; a refused name says it all.
    if (status.icon() == Status::Icon::Critical && !reason.isEmpty())
        EditorMessages::ask(parent,
                            status.title().isEmpty() ? QStringLiteral("Error") : status.title(),
                            status.text() + QStringLiteral("\n\n") + reason, status.icon());
    else
        EditorMessages::show(parent, status);
}

} // namespace ReferenceQuestions

#include "EngineWalk.h"

#include "EngineAgreement.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

QStringList engineRandomWalk(const ProjectPaths &paths, int length,
                             const std::function<int(int)> &pick) {
    QStringList walk{QStringLiteral("start")};
    for (int n = 0; n < length; ++n) {
        const QList<QJsonObject> states = engineStates(paths, walk);
        if (states.isEmpty() || states.last()[QStringLiteral("closed")].toBool())
            break;
        const QJsonObject &s = states.last();
        QStringList held;
        for (const QJsonValue &v : s[QStringLiteral("inventory")].toArray()) {
            if (!held.contains(v.toString()))
                held.append(v.toString());
        }
        QList<QStringList> moves;
        for (const QJsonValue &a : s[QStringLiteral("areasShown")].toArray()) {
            const QString area = QString::number(a.toInt());
            moves.append({QStringLiteral("click"), area});
            for (const QString &item : held)
                moves.append({QStringLiteral("drop"), item, area});
        }
        for (const QString &first : held) {
            for (const QString &second : held) {
                if (first != second)
                    moves.append({QStringLiteral("combine"), first, second});
            }
        }
        const int timer = s[QStringLiteral("frameTimer")].toInt();
        if (timer > 0)
            moves.append({QStringLiteral("advance"), QString::number(timer)});
        if (moves.isEmpty())
            break;
        walk += moves[pick(static_cast<int>(moves.size()))];
    }
    return walk;
}

QString walkOutsideSearch(const ProjectPaths &paths, const GameExplorer &explorer,
                          const QStringList &walk, const GameExplorer::Limits &limits) {
    const QString differs = engineDisagreement(paths, explorer, walk);
    if (!differs.isEmpty())
        return differs;
    const QSet<QByteArray> found = explorer.statesFound(limits);
    for (const GameExplorer::StepState &s : explorer.play(walk)) {
        if (!s.closed && !found.contains(s.state))
            return QStringLiteral("a state on frame '%1' the search did not find").arg(s.frame);
    }
    return QString();
}

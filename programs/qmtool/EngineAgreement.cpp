#include "EngineAgreement.h"

#include "PlayCommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

QList<QJsonObject> engineStates(const ProjectPaths &paths, const QStringList &steps) {
    QList<QJsonObject> out;
    playSteps(paths.root(), steps, [&](const QJsonObject &state) { out.append(state); });
    return out;
}

namespace {

QSet<QString> strings(const QStringList &list) {
    return QSet<QString>(list.begin(), list.end());
}

QString show(const QStringList &list) {
    QStringList sorted = list;
    sorted.sort();
    return QLatin1Char('[') + sorted.join(QStringLiteral(", ")) + QLatin1Char(']');
}

// What differs between the engine's state after a step and the explorer's; empty when nothing.
QString compare(const QJsonObject &e, const GameExplorer::StepState &x) {
    const QString frame = e[QStringLiteral("frame")].toString();
    if (frame != x.frame)
        return QStringLiteral("frame '%1' / '%2'").arg(frame, x.frame);
    if (e[QStringLiteral("closed")].toBool() != x.closed)
        return QStringLiteral("closed %1 / %2")
            .arg(e[QStringLiteral("closed")].toBool())
            .arg(x.closed);
    if (x.closed)
        return QString();
    QStringList set;
    for (const QJsonValue &v : e[QStringLiteral("variables")].toArray()) {
        if (v[1].toInt() == 1)
            set.append(v[0].toString());
    }
    if (strings(set) != strings(x.variablesSet))
        return QStringLiteral("variables set %1 / %2").arg(show(set), show(x.variablesSet));
    QStringList hidden;
    for (const QJsonValue &v : e[QStringLiteral("disappear")].toArray())
        hidden.append(QStringLiteral("%1/%2").arg(v[0].toString()).arg(v[1].toInt()));
    if (strings(hidden) != strings(x.hidden))
        return QStringLiteral("hidden for good %1 / %2").arg(show(hidden), show(x.hidden));
    QMap<QString, int> items;
    for (const QJsonValue &v : e[QStringLiteral("inventory")].toArray())
        items[v.toString().toLower()] = qMin(items.value(v.toString().toLower()) + 1, 4);
    if (items != x.items)
        return QStringLiteral("items %1 / %2")
            .arg(show(QStringList(items.keys())), show(QStringList(x.items.keys())));
    if (x.opened) {
        QList<int> shown;
        for (const QJsonValue &v : e[QStringLiteral("areasShown")].toArray())
            shown.append(v.toInt());
        if (shown != x.areasShown)
            return QStringLiteral("areas shown differ");
    }
    QStringList history;
    for (const QJsonValue &v : e[QStringLiteral("history")].toArray())
        history.append(v.toString());
    if (history.mid(history.size() - x.history.size()) != x.history)
        return QStringLiteral("history %1 / kept %2")
            .arg(history.join(QLatin1Char('>')), x.history.join(QLatin1Char('>')));
    return QString();
}

} // namespace

QString engineDisagreement(const ProjectPaths &paths, const GameExplorer &explorer,
                           const QStringList &steps) {
    const QList<GameExplorer::StepState> model = explorer.play(steps);
    const QList<QJsonObject> engine = engineStates(paths, steps);
    if (engine.size() != model.size())
        return QStringLiteral("the engine plays %1 steps, the explorer %2")
            .arg(engine.size())
            .arg(model.size());
    for (int i = 0; i < engine.size(); ++i) {
        const QString differs = compare(engine[i], model[i]);
        if (!differs.isEmpty())
            return QStringLiteral("after '%1': %2")
                .arg(engine[i][QStringLiteral("step")].toString(), differs);
    }
    return QString();
}

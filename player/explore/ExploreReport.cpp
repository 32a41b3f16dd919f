#include "ExploreReport.h"

#include <QJsonArray>

namespace {

const char *kindName(ExploreFinding::Kind k) {
    switch (k) {
    case ExploreFinding::Kind::DeadEnd:
        return "dead end";
    case ExploreFinding::Kind::BrokenLink:
        return "broken link";
    case ExploreFinding::Kind::NeverReached:
        return "never reached";
    case ExploreFinding::Kind::NeverUsed:
        return "never used";
    }
    return "";
}

QJsonArray list(const QList<ExploreFinding> &findings) {
    QJsonArray out;
    for (const ExploreFinding &f : findings) {
        QJsonObject o{{"kind", QString::fromLatin1(kindName(f.kind))},
                      {"frame", f.frame},
                      {"text", f.text},
                      {"steps", QJsonArray::fromStringList(f.steps)}};
        if (f.kind == ExploreFinding::Kind::DeadEnd)
            o.insert(QStringLiteral("states"), f.count);
        out.append(o);
    }
    return out;
}

} // namespace

bool ExploreReport::clean() const {
    return complete && endReachable && deadEnds.isEmpty() && brokenLinks.isEmpty() &&
           unreached.isEmpty();
}

QString stepsAsCommandLine(const QStringList &steps) {
    QStringList words;
    for (const QString &s : steps) {
        if (s.isEmpty() || s.contains(QLatin1Char(' ')) || s.contains(QLatin1Char('\'')) ||
            s.contains(QLatin1Char('"')))
            words.append(QLatin1Char('\'') +
                         QString(s).replace(QStringLiteral("'"), QStringLiteral("'\\''")) +
                         QLatin1Char('\''));
        else
            words.append(s);
    }
    return words.join(QLatin1Char(' '));
}

QJsonObject ExploreReport::toJson() const {
    return QJsonObject{{"states", states},
                       {"moves", moves},
                       {"seconds", seconds},
                       {"complete", complete},
                       {"limit", limit},
                       {"endReachable", endReachable},
                       {"walkthrough", endReachable
                                           ? QJsonValue(QJsonArray::fromStringList(walkthrough))
                                           : QJsonValue()},
                       {"deadEnds", list(deadEnds)},
                       {"brokenLinks", list(brokenLinks)},
                       {"unreached", list(unreached)},
                       {"clean", clean()}};
}

QString ExploreReport::toText() const {
    QString out;
    out += QStringLiteral("%1 states, %2 moves explored in %3 s: %4\n")
               .arg(states)
               .arg(moves)
               .arg(seconds, 0, 'f', 2)
               .arg(complete ? QStringLiteral("complete")
                             : QStringLiteral("incomplete (limit reached: %1)").arg(limit));
    if (endReachable)
        out +=
            QStringLiteral("Walkthrough: ") + stepsAsCommandLine(walkthrough) + QLatin1Char('\n');
    else
        out += complete ? QStringLiteral("No end reachable.\n")
                        : QStringLiteral("No end reached within the limit.\n");
    const auto section = [&](const QString &title, const QList<ExploreFinding> &findings) {
        if (findings.isEmpty())
            return;
        out += QStringLiteral("%1 (%2):\n").arg(title).arg(findings.size());
        for (const ExploreFinding &f : findings) {
            out += QStringLiteral("  ") + f.text;
            if (f.kind == ExploreFinding::Kind::DeadEnd && f.count > 1)
                out += QStringLiteral(" [%1 states]").arg(f.count);
            out += QLatin1Char('\n');
            if (!f.steps.isEmpty())
                out +=
                    QStringLiteral("    steps: ") + stepsAsCommandLine(f.steps) + QLatin1Char('\n');
        }
    };
    section(QStringLiteral("Dead ends"), deadEnds);
    section(QStringLiteral("Broken links"), brokenLinks);
    section(QStringLiteral("Never reached or never used"), unreached);
    if (clean())
        out += QStringLiteral("No problem found.\n");
    return out;
}

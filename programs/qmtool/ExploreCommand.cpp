#include "ExploreCommand.h"

#include "EngineAgreement.h"
#include "GameExplorer.h"
#include "ProjectSnapshot.h"

#include <QDir>
#include <QJsonDocument>

#include <cstdio>

int runExploreCommand(const QStringList &args) {
    QString folder;
    GameExplorer::Limits limits;
    bool json = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        bool ok = true;
        if (a == QLatin1String("--json")) {
            json = true;
        } else if (a == QLatin1String("--max-states") && i + 1 < args.size()) {
            limits.maxStates = args[++i].toLongLong(&ok);
            ok = ok && limits.maxStates > 0;
        } else if (a == QLatin1String("--max-seconds") && i + 1 < args.size()) {
            limits.maxSeconds = args[++i].toDouble(&ok);
            ok = ok && limits.maxSeconds > 0;
        } else if (folder.isEmpty() && !a.startsWith(QLatin1String("--"))) {
            folder = a;
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "qmtool explore: bad option '%s'\n", qPrintable(a));
            return 2;
        }
    }
    const ProjectPaths paths(QDir(folder).absolutePath());
    if (folder.isEmpty() || !paths.isValidProject()) {
        std::fputs("The folder you have chosen does not contain a valid project.\n", stderr);
        return 2;
    }
    const GameExplorer explorer = GameExplorer::fromSnapshot(ProjectSnapshot::load(paths));
    ExploreReport report = explorer.run(limits);
    // The search plays a model of the game read once; the walkthrough it found is played once
    // more by the engine as `qmtool play` plays it, and a disagreement is a finding of its own.
    const QString differs =
        report.endReachable ? engineDisagreement(paths, explorer, report.walkthrough) : QString();
    if (!differs.isEmpty()) {
        ExploreFinding f;
        f.kind = ExploreFinding::Kind::BrokenLink;
        f.text = QStringLiteral("The game engine does not play the walkthrough as the search "
                                "does: %1.")
                     .arg(differs);
        f.steps = report.walkthrough;
        report.brokenLinks.append(f);
    }
    const QByteArray out =
        json ? QJsonDocument(report.toJson()).toJson(QJsonDocument::Compact) + '\n'
             : report.toText().toUtf8();
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    return report.clean() ? 0 : 1;
}

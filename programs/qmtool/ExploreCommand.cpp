#include "ExploreCommand.h"

#include "CustomTexts.h"
#include "GameEngine.h"
#include "GameExplorer.h"
#include "GeneralInfo.h"
#include "ProjectSnapshot.h"
#include "RecordingMedia.h"
#include "ScriptHost.h"

#include <QDir>
#include <QJsonDocument>

#include <cstdio>

namespace {

int slotOf(const GameEngine &engine, const QString &item) {
    const QList<InventorySlot> &inventory = engine.scene().inventory;
    for (int i = 0; i < inventory.size(); ++i) {
        if (inventory[i].name == item)
            return i + 1;
    }
    return 0;
}

// Only a shown area takes a click or a drop in the game window.
bool shown(const GameEngine &engine, int area) {
    const QList<SceneArea> &areas = engine.scene().areas;
    return area >= 1 && area <= areas.size() && areas[area - 1].visible;
}

// Plays the steps the explorer gives in the game engine itself, as `qmtool play` would (media
// recorded, messages answered with their default). True when the game closes at the last step
// and not before: the engine agrees with the search.
bool engineEndsGameWith(const ProjectPaths &paths, const QStringList &steps) {
    GeneralInfo general;
    readGeneral(paths.configFile(QStringLiteral("General")), general, GeneralReader::Player);
    const CustomTexts texts = CustomTexts::load(paths.configFile(QStringLiteral("Texts")));
    ScriptHost host;
    RecordingMediaBackend media(&host);
    GameEngine engine(paths, general, texts, media, host);
    host.setEngine(&engine);
    for (int i = 0; i < steps.size(); ++i) {
        if (engine.gameClosed())
            return false;
        const QString &verb = steps[i];
        const auto arg = [&](int k) { return i + k < steps.size() ? steps[i + k] : QString(); };
        if (verb == QLatin1String("start")) {
            engine.ResetAll();
            engine.StartNewGame();
        } else if (verb == QLatin1String("click")) {
            if (!shown(engine, arg(1).toInt()))
                return false;
            engine.AreaClick(arg(1).toInt(), 1);
            i += 1;
        } else if (verb == QLatin1String("drop")) {
            if (!shown(engine, arg(2).toInt()) || slotOf(engine, arg(1)) == 0)
                return false;
            engine.slotPressed(slotOf(engine, arg(1)), 1);
            engine.dropOnArea(arg(2).toInt());
            i += 2;
        } else if (verb == QLatin1String("combine")) {
            if (slotOf(engine, arg(1)) == 0 || slotOf(engine, arg(2)) == 0)
                return false;
            engine.slotPressed(slotOf(engine, arg(1)), 1);
            engine.dropOnSlot(slotOf(engine, arg(2)));
            i += 2;
        } else if (verb == QLatin1String("advance")) {
            host.advance(arg(1).toLongLong());
            i += 1;
        } else {
            return false;
        }
    }
    return engine.gameClosed();
}

} // namespace

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
    ExploreReport report = GameExplorer::fromSnapshot(ProjectSnapshot::load(paths)).run(limits);
    // The search plays a model of the game read once; the walkthrough it found is played once
    // more by the engine, and a disagreement is a finding of its own.
    if (report.endReachable && !engineEndsGameWith(paths, report.walkthrough)) {
        ExploreFinding f;
        f.kind = ExploreFinding::Kind::BrokenLink;
        f.text =
            QStringLiteral("The game engine does not end the game when it plays the walkthrough.");
        f.steps = report.walkthrough;
        report.brokenLinks.append(f);
    }
    const QByteArray out =
        json ? QJsonDocument(report.toJson()).toJson(QJsonDocument::Compact) + '\n'
             : report.toText().toUtf8();
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    return report.clean() ? 0 : 1;
}

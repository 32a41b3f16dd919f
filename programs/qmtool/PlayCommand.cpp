#include "PlayCommand.h"

#include "CustomTexts.h"
#include "GameEngine.h"
#include "GeneralInfo.h"
#include "MediaBackend.h"
#include "ProjectFiles.h"
#include "RecordingMedia.h"
#include "ScriptHost.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

QJsonObject state(const QString &step, GameEngine &engine, ScriptHost &host,
                  MediaBackend &media) {
    const Scene &scene = engine.scene();
    QJsonArray variables, disappear, inventory, shown, history, log;
    for (const ClassVariable &v : engine.variables().Variables)
        variables.append(QJsonArray{v.Name, v.Value});
    for (const ClassVariable &d : engine.variables().Disappear)
        disappear.append(QJsonArray{d.Name, d.Value});
    for (const InventorySlot &s : scene.inventory)
        inventory.append(s.name);
    for (const SceneArea &a : scene.areas) {
        if (a.visible)
            shown.append(a.number);
    }
    for (const QString &h : engine.FramesHistory())
        history.append(h);
    for (const QString &line : media.takeLog())
        log.append(line);
    QJsonValue message = QJsonValue::Null;
    if (scene.messageVisible)
        message = QJsonObject{{"text", scene.messageText}, {"onBackground", true}};
    return QJsonObject{{"step", step},
                       {"frame", scene.frame},
                       {"history", history},
                       {"variables", variables},
                       {"disappear", disappear},
                       {"inventory", inventory},
                       {"areasShown", shown},
                       {"message", message},
                       {"menu", scene.menuExitShown},
                       {"frameTimer", engine.frameTimerInterval()},
                       {"media", log},
                       {"reports", host.takeReports()},
                       {"closed", engine.gameClosed()}};
}

// The slot holding the item, 1-based; 0 when none does. The game finds items without regard to
// case, so "Key" names a slot that shows "KEY" when no slot shows "Key" itself.
int slotOf(const GameEngine &engine, const QString &item) {
    const QList<InventorySlot> &inv = engine.scene().inventory;
    for (Qt::CaseSensitivity cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int i = 0; i < inv.size(); ++i) {
            if (inv[i].name.compare(item, cs) == 0)
                return i + 1;
        }
    }
    return 0;
}

// How many words a step takes, its verb included; 0 for an unknown verb.
int stepLength(const QString &verb) {
    static const QStringList one = {QStringLiteral("start"), QStringLiteral("esc"),
                                    QStringLiteral("exit")};
    static const QStringList two = {QStringLiteral("click"),   QStringLiteral("rclick"),
                                    QStringLiteral("advance"), QStringLiteral("answer"),
                                    QStringLiteral("save"),    QStringLiteral("load")};
    static const QStringList three = {QStringLiteral("drop"), QStringLiteral("combine")};
    return one.contains(verb) ? 1 : two.contains(verb) ? 2 : three.contains(verb) ? 3 : 0;
}

void print(const QJsonObject &o) {
    const QByteArray json = QJsonDocument(o).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int runPlayCommand(const QString &projectFolder, const QStringList &steps) {
    return playSteps(projectFolder, steps, print);
}

int playSteps(const QString &projectFolder, const QStringList &steps,
              const std::function<void(const QJsonObject &)> &onStep) {
    const ProjectPaths paths(QDir(projectFolder).absolutePath());
    if (!paths.isValidProject()) {
        std::fputs("The folder you have chosen does not contain a valid project.\n", stderr);
        return 2;
    }
    GeneralInfo general;
    ScriptHost host;
    Status textsStatus;
    const CustomTexts texts =
        CustomTexts::load(paths.configFile(QStringLiteral("Texts")), &textsStatus);
    if (!readGeneral(paths.configFile(QStringLiteral("General")), general, GeneralReader::Player))
        host.showErrorReport(standardErrorReport(texts, QStringLiteral(" Unable to load project information.")));
    RecordingMediaBackend media(&host);
    GameEngine engine(paths, general, texts, media, host);
    host.setEngine(&engine);

    bool started = false; // a start or load step has opened a game
    int i = 0;
    auto arg = [&](int k) { return i + k < steps.size() ? steps[i + k] : QString(); };
    while (i < steps.size()) {
        const QString verb = steps[i];
        QString label = verb;
        int used = 1;
        bool ok = true;
        // Before the game starts and once it is closed only the title window's ways in act;
        // any other step leaves the state as it is (no file, no media) and says why.
        const bool opens = verb == QLatin1String("start") || verb == QLatin1String("load");
        if (!opens && (!started || engine.gameClosed())) {
            used = stepLength(verb);
            ok = used > 0;
            if (started)
                host.reportClosedGame();
            else
                host.reportNotStarted();
        } else if (verb == QLatin1String("start")) {
            engine.ResetAll();
            engine.StartNewGame();
            started = true;
        } else if (verb == QLatin1String("click") || verb == QLatin1String("rclick")) {
            const int n = arg(1).toInt(&ok);
            used = 2;
            if (ok)
                engine.AreaClick(n, verb == QLatin1String("click") ? 1 : 2);
        } else if (verb == QLatin1String("drop")) {
            const int n = arg(2).toInt(&ok);
            used = 3;
            const int slot = slotOf(engine, arg(1));
            if (ok && slot > 0) {
                engine.slotPressed(slot, 1);
                engine.dropOnArea(n);
            }
        } else if (verb == QLatin1String("combine")) {
            used = 3;
            const int a = slotOf(engine, arg(1)), b = slotOf(engine, arg(2));
            if (a > 0 && b > 0) {
                engine.slotPressed(a, 1);
                engine.dropOnSlot(b);
            }
        } else if (verb == QLatin1String("esc")) {
            engine.escapePressed();
        } else if (verb == QLatin1String("advance")) {
            used = 2;
            const qint64 ms = arg(1).toLongLong(&ok);
            if (ok)
                host.advance(ms);
        } else if (verb == QLatin1String("answer")) {
            used = 2;
            const QString a = arg(1).toLower();
            if (a == QLatin1String("yes"))
                host.queueAnswer(EngineHost::Answer::Yes);
            else if (a == QLatin1String("no"))
                host.queueAnswer(EngineHost::Answer::No);
            else if (a == QLatin1String("ok"))
                host.queueAnswer(EngineHost::Answer::Ok);
            else if (a == QLatin1String("cancel"))
                host.queueAnswer(EngineHost::Answer::Cancel);
            else
                ok = false;
        } else if (verb == QLatin1String("save")) {
            used = 2;
            engine.saveGame(arg(1));
        } else if (verb == QLatin1String("load")) {
            used = 2;
            if (engine.loadSavedGame(arg(1)))
                started = true;
        } else if (verb == QLatin1String("exit")) {
            engine.exitRequested();
        } else {
            ok = false;
        }
        for (int k = 1; k < used; ++k)
            label += QLatin1Char(' ') + arg(k);
        if (!ok || i + used > steps.size()) {
            std::fprintf(stderr, "qmtool play: bad step '%s'\n", qPrintable(label));
            return 2;
        }
        onStep(state(label, engine, host, media));
        i += used;
    }
    return 0;
}

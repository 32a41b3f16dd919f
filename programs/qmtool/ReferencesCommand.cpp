#include "ReferencesCommand.h"

#include "GeneralInfo.h"
#include "RenameAndRemove.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <optional>

namespace {

QString places(int count) {
    return count == 1 ? QStringLiteral("1 place") : QStringLiteral("%1 places").arg(count);
}

using Target = References::Target;

void out(const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

void err(const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stderr);
}

int wrongArguments(const char *usage) {
    std::fprintf(stderr, "usage: qmtool %s\n", usage);
    return 2;
}

std::optional<Target> targetOf(const QString &word) {
    if (word == QLatin1String("frame"))
        return Target::Frame;
    if (word == QLatin1String("item"))
        return Target::Item;
    return std::nullopt;
}

// The project at `folder`, or an empty one after saying why.
ProjectPaths project(const QString &folder) {
    const ProjectPaths paths(QDir(folder).absolutePath());
    if (paths.isValidProject())
        return paths;
    err(QStringLiteral("The folder you have chosen does not contain a valid project.\n"));
    return ProjectPaths();
}

SoundMode soundMode(const ProjectPaths &paths) {
    GeneralInfo general;
    readGeneral(paths.configFile(QStringLiteral("General")), general, GeneralReader::Editor);
    return general.SingleChannelAudio ? SoundMode::SingleChannel : SoundMode::MultiChannel;
}

int refused(const RenameAndRemove &ops) {
    err(ops.status().text() + QLatin1Char('\n'));
    if (!ops.errorString().isEmpty())
        err(ops.errorString() + QLatin1Char('\n'));
    return 1;
}

QString what(Target target) {
    return target == Target::Frame ? QStringLiteral("frame") : QStringLiteral("item");
}

// The places outside the frame's (item's) own files.
int usagesOf(const QList<Reference> &refs) {
    int n = 0;
    for (const Reference &r : refs)
        n += r.isOwn() ? 0 : 1;
    return n;
}

} // namespace

int runUsagesCommand(const QStringList &args) {
    const char *usage = "usages PROJECT frame|item NAME [--json]";
    const bool json = args.size() == 4 && args[3] == QLatin1String("--json");
    const auto target = args.size() >= 3 ? targetOf(args[1]) : std::nullopt;
    if ((args.size() != 3 && !json) || !target || args[2].isEmpty())
        return wrongArguments(usage);
    const ProjectPaths paths = project(args[0]);
    if (paths.isEmpty())
        return 2;
    const References references(paths);
    const QList<Reference> found = references.find(*target, args[2]);
    const QStringList saved = references.savedGames(*target, args[2]);
    if (json) {
        QJsonArray list;
        for (const Reference &r : found)
            list.append(QJsonObject{{"kind", r.kindName()},
                                    {"file", r.file},
                                    {"field", r.field},
                                    {"value", r.value},
                                    {"own", r.isOwn()}});
        const QJsonObject o{{"target", what(*target)},
                            {"name", args[2]},
                            {"references", list},
                            {"savedGames", QJsonArray::fromStringList(saved)}};
        out(QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
    } else {
        for (const Reference &r : found)
            out(r.kindName() + QLatin1Char('\t') + r.file + QLatin1Char('\t') + r.field +
                QLatin1Char('\t') + r.value + QLatin1Char('\n'));
        for (const QString &s : saved)
            out(QStringLiteral("saved-game\t") + s + QStringLiteral(".sav\n"));
    }
    if (found.isEmpty()) {
        err(QStringLiteral("Nothing names the %1 '%2'.\n").arg(what(*target), args[2]));
        return 1;
    }
    return 0;
}

int runRenameCommand(const QStringList &args) {
    const auto target = args.size() == 4 ? targetOf(args[1]) : std::nullopt;
    if (!target)
        return wrongArguments("rename PROJECT frame|item OLD NEW");
    const ProjectPaths paths = project(args[0]);
    if (paths.isEmpty())
        return 2;
    const QStringList saved = References(paths).savedGames(*target, args[2]);
    RenameAndRemove ops(paths, soundMode(paths));
    if (!ops.rename(*target, args[2], args[3]))
        return refused(ops);
    const int count = usagesOf(ops.references());
    out(QStringLiteral("Renamed the %1 '%2' to '%3'; %4 that named it %5.\n")
            .arg(what(*target), args[2], args[3], places(count),
                 count == 1 ? QStringLiteral("follows it") : QStringLiteral("follow it")));
    if (!saved.isEmpty())
        out(QStringLiteral("%1 that name '%2' keep that name.\n")
                .arg(saved.size() == 1 ? QStringLiteral("1 saved game")
                                       : QStringLiteral("%1 saved games").arg(saved.size()))
                .arg(args[2]));
    return 0;
}

int runRemoveCommand(const QStringList &args) {
    const bool clear = args.size() == 4 && args[3] == QLatin1String("--clear-references");
    const bool keep = args.size() == 4 && args[3] == QLatin1String("--keep-references");
    const auto target = args.size() == 4 ? targetOf(args[1]) : std::nullopt;
    if (!target || (!clear && !keep))
        return wrongArguments(
            "remove PROJECT frame|item NAME --clear-references|--keep-references");
    const ProjectPaths paths = project(args[0]);
    if (paths.isEmpty())
        return 2;
    RenameAndRemove ops(paths, soundMode(paths));
    if (!ops.remove(*target, args[2], clear))
        return refused(ops);
    const int count = usagesOf(ops.references());
    out(QStringLiteral("Removed the %1 '%2'; %3 that named it %4 %5.\n")
            .arg(what(*target), args[2], places(count),
                 count == 1 ? QStringLiteral("was") : QStringLiteral("were"),
                 clear ? QStringLiteral("cleared") : QStringLiteral("left as they were")));
    return 0;
}

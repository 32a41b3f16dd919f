// qmtool: the author's command-line companion.
//   qmtool dump PROJECT    everything the store reads from a project, as JSON
//   qmtool check PROJECT   broken links and missing files (exit 1 when there are any)
//   qmtool play PROJECT STEP...   the game, headless, one JSON object per step
//   qmtool explore PROJECT [--max-states N] [--max-seconds S] [--json]   every path of the game
//   qmtool distribute PROJECT --to FOLDER [options]   the installer (or CD folder), no questions
//   qmtool setup-script PROJECT [options]   the installer script the build would write
//   qmtool package PROJECT --deb|--portable --to FOLDER   the game as a Linux package
//   qmtool usages|rename|remove PROJECT frame|item ...   every place that names a frame or an
//                                                        item; renamed or removed with them

#include "DistributeCommand.h"
#include "ExploreCommand.h"
#include "PackageCommand.h"
#include "PlayCommand.h"
#include "ProjectCheck.h"
#include "ProjectDump.h"
#include "ProjectSnapshot.h"
#include "ReferencesCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

void print(const QJsonObject &o) {
    const QByteArray json = QJsonDocument(o).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, json.size(), stdout);
    std::fputc('\n', stdout);
}

int usage() {
    std::fputs("usage: qmtool dump PROJECT\n"
               "       qmtool check PROJECT\n"
               "       qmtool play PROJECT STEP...\n"
               "       qmtool explore PROJECT [--max-states N] [--max-seconds S] [--json]\n"
               "       qmtool distribute PROJECT --to FOLDER [--name FILE] [--cd] [--color NAME]\n"
               "              [--enable] [--no-system-files] [--v6] [--editor FOLDER]\n"
               "       qmtool setup-script PROJECT [same options as distribute, --to not needed]\n"
               "       qmtool package PROJECT --deb|--portable --to FOLDER [--enable]\n"
               "                      [--editor FOLDER] [--replace]\n"
               "       qmtool usages PROJECT frame|item NAME [--json]\n"
               "       qmtool rename PROJECT frame|item OLD NEW\n"
               "       qmtool remove PROJECT frame|item NAME --clear-references|--keep-references\n"
               "steps: start | click N | rclick N | drop ITEM N | combine A B | esc | exit |\n"
               "       advance MS | answer yes|no|ok|cancel | save NAME | load NAME\n",
               stderr);
    return 2;
}

ProjectPaths projectPaths(const QString &arg) {
    return ProjectPaths(QDir(arg).absolutePath());
}

int dump(const QString &folder) {
    // Written as it is read, so that a large project does not sit in memory twice.
    writeProjectJson(projectPaths(folder), [](const QByteArray &json) {
        std::fwrite(json.constData(), 1, json.size(), stdout);
    });
    std::fputc('\n', stdout);
    return 0;
}

int check(const QString &folder) {
    const ProjectPaths paths = projectPaths(folder);
    if (!paths.isValidProject()) {
        std::fputs("The folder you have chosen does not contain a valid project.\n", stderr);
        return 2;
    }
    const QList<ProjectProblem> problems = checkProjectAt(paths);
    QJsonArray list;
    for (const ProjectProblem &p : problems)
        list.append(QJsonObject{{"kind", p.kind}, {"file", p.file}, {"name", p.name}});
    print(QJsonObject{{"problems", list}});
    return problems.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("play"))
        return runPlayCommand(args[2], args.mid(3));
    if (args.size() >= 3 && args[1] == QLatin1String("explore"))
        return runExploreCommand(args.mid(2));
    if (args.size() >= 3 && args[1] == QLatin1String("distribute"))
        return runDistributeCommand(args[2], args.mid(3), writePngIcon);
    if (args.size() >= 3 && args[1] == QLatin1String("setup-script"))
        return runSetupScriptCommand(args[2], args.mid(3));
    if (args.size() >= 3 && args[1] == QLatin1String("package"))
        return runPackageCommand(args.mid(2));
    if (args.size() >= 3 && args[1] == QLatin1String("usages"))
        return runUsagesCommand(args.mid(2));
    if (args.size() >= 3 && args[1] == QLatin1String("rename"))
        return runRenameCommand(args.mid(2));
    if (args.size() >= 3 && args[1] == QLatin1String("remove"))
        return runRemoveCommand(args.mid(2));
    if (args.size() != 3)
        return usage();
    if (args[1] == QLatin1String("dump"))
        return dump(args[2]);
    if (args[1] == QLatin1String("check"))
        return check(args[2]);
    return usage();
}

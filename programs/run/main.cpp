// run: the player. It shows the game's title window and plays the game lying beside it (the
// program's own folder), or the project folder named on the command line.

#include "AccessibleNames.h"
#include "DisplayModes.h"
#include "MediaBackend.h"
#include "ProjectPaths.h"
#include "frmWelcome.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

#ifndef QM_VERSION
#define QM_VERSION ""
#endif

namespace {

void usage(FILE *out) {
    std::fputs("usage: run [PROJECT]\n"
               "       run --cd FOLDER [PROJECT]\n"
               "       run --help | --version\n"
               "Shows the game's title screen and plays the game.\n"
               "The game is looked for in the folder that holds this program. PROJECT, a\n"
               "project folder, is an extension for playing a game from elsewhere (for\n"
               "example while it is being made).\n"
               "\n"
               "  --cd FOLDER    play from a CD mounted at FOLDER: the game's pictures and\n"
               "                 sounds are in FOLDER/Data/<title>/ (the start script in the\n"
               "                 root of a CD made by Quillmoor passes it)\n"
               "  -h, --help     print this help and end\n"
               "  --version      print the player's version and end\n",
               out);
}

} // namespace

int main(int argc, char **argv) {
    const char *project = nullptr;
    const char *cd = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            usage(stdout);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("run %s\n", QM_VERSION);
            return 0;
        }
        // "--" ends the options: a project folder may begin with a dash after it.
        const bool afterDashes = i > 1 && std::strcmp(argv[i - 1], "--") == 0;
        if (std::strcmp(arg, "--") == 0 && !afterDashes)
            continue;
        if (std::strcmp(arg, "--cd") == 0 && !afterDashes) {
            if (i + 1 >= argc) {
                std::fputs("run: --cd needs a folder\n", stderr);
                usage(stderr);
                return 2;
            }
            cd = argv[++i];
            continue;
        }
        if (arg[0] == '-' && !afterDashes) {
            std::fprintf(stderr, "run: unknown option '%s'\n", arg);
            usage(stderr);
            return 2;
        }
        if (project) {
            std::fputs("run: only one project folder may be given\n", stderr);
            usage(stderr);
            return 2;
        }
        project = arg;
    }

    QApplication app(argc, argv);
    AccessibleNames::install();
    // The title window comes back after each game, so the last window closing is no end.
    app.setQuitOnLastWindowClosed(false);
    installRestoreOnExit();

    const QString root = project ? QFileInfo(QString::fromLocal8Bit(project)).absoluteFilePath()
                                 : QCoreApplication::applicationDirPath();
    // A player in a drive's root already has its separator; ProjectPaths adds one otherwise.
    const ProjectPaths paths(QDir::toNativeSeparators(root));
    const QString schemes = paths.root() + QStringLiteral("Schemes") + QDir::separator();

    std::unique_ptr<MediaBackend> media = createMediaBackend(MediaBackendKind::Real);
    int status = 0;
    {
        frmWelcome title(paths, schemes, *media);
        if (cd)
            title.setCdDrive(QFileInfo(QString::fromLocal8Bit(cd)).absoluteFilePath());
        if (title.start())
            status = app.exec();
        else if (title.foundNoGame())
            status = 1;
    }
    restoreDisplayAtExit();
    return status;
}

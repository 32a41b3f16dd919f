// run: the player. It shows the game's title window and plays the game lying beside it (the
// program's own folder), or the project folder named on the command line.

#include "DisplayModes.h"
#include "MediaBackend.h"
#include "ProjectPaths.h"
#include "frmWelcome.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace {

void usage(FILE *out) {
    std::fputs("usage: run [PROJECT]\n"
               "Shows the game's title screen and plays the game.\n"
               "The game is looked for in the folder that holds this program. PROJECT, a\n"
               "project folder, is an extension for playing a game from elsewhere (for\n"
               "example while it is being made).\n",
               out);
}

} // namespace

int main(int argc, char **argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            usage(stdout);
            return 0;
        }
    }
    if (argc > 2) {
        usage(stderr);
        return 2;
    }

    QApplication app(argc, argv);
    // The title window comes back after each game, so the last window closing is no end.
    app.setQuitOnLastWindowClosed(false);
    installRestoreOnExit();

    const QString root = argc == 2 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath()
                                   : QCoreApplication::applicationDirPath();
    // A player in a drive's root already has its separator; ProjectPaths adds one otherwise.
    const ProjectPaths paths(QDir::toNativeSeparators(root));
    const QString schemes = paths.root() + QStringLiteral("Schemes") + QDir::separator();

    std::unique_ptr<MediaBackend> media = createMediaBackend(MediaBackendKind::Real);
    int status = 0;
    {
        frmWelcome title(paths, schemes, *media);
        if (title.start())
            status = app.exec();
    }
    restoreDisplayAtExit();
    return status;
}

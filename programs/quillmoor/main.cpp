// quillmoor: the editor. It starts with its main window; a project folder given on the command
// line is opened at once, with every check of opening a project.

#include "AccessibleNames.h"
#include "DisplayModes.h"
#include "EditorFolders.h"
#include "MediaBackend.h"
#include "MenuBarStyle.h"
#include "frmMenu.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace {

void usage(FILE *out) {
    std::fputs("usage: quillmoor [PROJECT]\n"
               "Starts the Quillmoor editor, where picture-based point-and-click games are\n"
               "made without writing code.\n"
               "PROJECT, a project folder, is opened at start (as \"Load Project\" would open\n"
               "it, with the same checks).\n"
               "The editor finds its schemes, presets, mouse pointers, sample projects and the\n"
               "player (run.dat) in the folder that holds this program.\n",
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
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        usage(stderr);
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setStyle(new MenuBarStyle);
    AccessibleNames::install();
    app.setApplicationName(QStringLiteral("Quillmoor"));
    app.setQuitOnLastWindowClosed(false);
    installRestoreOnExit();

    std::unique_ptr<MediaBackend> media = createMediaBackend(MediaBackendKind::Real);
    int status = 0;
    {
        frmMenu menu(EditorFolders::ofThisProgram(), *media);
        if (!menu.start())
            return 0;
        menu.show();
        if (argc == 2)
            menu.openProject(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
        status = app.exec();
    }
    restoreDisplayAtExit();
    return status;
}

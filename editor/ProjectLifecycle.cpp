#include "ProjectLifecycle.h"

#include "EditorMessages.h"
#include "FrameFiles.h"
#include "NameRules.h"
#include "ProjectIntegrity.h"
#include "ProjectVersion.h"
#include "RunFromCd.h"

#include <QDir>
#include <QFileInfo>

namespace ProjectLifecycle {

using EngineAnswer = EngineHost::Answer;
using Buttons = EngineHost::Buttons;

bool LoadProject(QWidget *parent, const QString &root, EditorProject &out) {
    const ProjectPaths paths(root);
    if (!paths.isValidProject()) {
        EditorMessages::ask(parent, QString(),
                            QStringLiteral("The folder you have chosen does not contain a valid "
                                           "project.\n\nDouble-click the folder where your "
                                           "project is stored."),
                            Status::Icon::Information);
        return false;
    }
    const QString versionFile = paths.ConfigPath() + QStringLiteral("Version");
    const ProjectVersion::Decision d = ProjectVersion::check(ProjectVersion::read(versionFile));
    if (d.kind == ProjectVersion::Decision::Refuse) {
        EditorMessages::ask(parent, d.title, d.text, d.icon);
        return false;
    }
    if ((d.kind == ProjectVersion::Decision::AskDifferent ||
         d.kind == ProjectVersion::Decision::AskOlder) &&
        EditorMessages::ask(parent, d.title, d.text, d.icon, Buttons::OkCancel) != EngineAnswer::Ok)
        return false;
    const Status integrity = ProjectIntegrity::check(paths);
    if (!integrity) {
        EditorMessages::show(parent, integrity);
        return false;
    }
    if (RunFromCd::isRunFromCd(paths.root()) &&
        EditorMessages::ask(
            parent, QStringLiteral("Warning!"),
            QStringLiteral("\nThe selected project was made to be run from CD. Some files or "
                           "folders may be missing and the editor may not work properly. To run "
                           "it from the hard-disk, delete the file 'RunFromCD.dat' that is in the "
                           "project folder.\n\nClick OK to continue."),
            Status::Icon::Information, Buttons::OkCancel) != EngineAnswer::Ok)
        return false;
    if (!ProjectVersion::write(versionFile)) {
        EditorMessages::ask(parent, QStringLiteral("Error"),
                            QStringLiteral("Sorry, unable to access project files. The project "
                                           "folder may be Read-Only."),
                            Status::Icon::Critical);
        return false;
    }
    GeneralInfo general;
    const Status read =
        readGeneral(paths.ConfigPath() + QStringLiteral("General"), general, GeneralReader::Editor);
    if (!read) {
        EditorMessages::show(parent, read);
        return false;
    }
    out.paths = paths;
    out.general = general;
    return true;
}

bool checkNewProject(QWidget *parent, const QString &folder, const QString &name, QString &root) {
    if (name.isEmpty()) {
        EditorMessages::ask(parent, QString(),
                            QStringLiteral("You must give a name to the new project."),
                            Status::Icon::Information);
        return false;
    }
    const Status nameCheck = NameRules::checkName(name);
    if (!nameCheck) {
        EditorMessages::ask(parent, QString(), nameCheck.text(), nameCheck.icon());
        return false;
    }
    const QString candidate = withTrailingSeparator(withTrailingSeparator(folder) + name);
    if (ProjectPaths(candidate).isValidProject() || QFileInfo::exists(candidate)) {
        EditorMessages::ask(parent, QString(),
                            QStringLiteral("A folder with the name you specified already exists. "
                                           "Specify a different name."),
                            Status::Icon::Information);
        return false;
    }
    if (EditorMessages::ask(parent, QString(),
                            QStringLiteral("Your new software will be stored in the following "
                                           "folder :\n") +
                                candidate + QStringLiteral("\n\nClick OK to continue..."),
                            Status::Icon::Information, Buttons::OkCancel) != EngineAnswer::Ok)
        return false;
    root = candidate;
    return true;
}

bool checkRunnable(QWidget *parent, const EditorProject &project, bool distribute) {
    const FrameFiles frames(project.paths, project.general.SingleChannelAudio
                                               ? SoundMode::SingleChannel
                                               : SoundMode::MultiChannel);
    if (frames.list().isEmpty()) {
        EditorMessages::ask(
            parent, QString(),
            (distribute ? QStringLiteral("To distribute your program (or game) you must create "
                                         "at least one frame.")
                        : QStringLiteral("To run your program (or play your game) you must "
                                         "create at least one frame.")) +
                QStringLiteral("\n\nTo create a new frame, click 'Edit project', and then click "
                               "'Add new frame'."),
            Status::Icon::Information);
        return false;
    }
    const QString initial = project.general.InitialFrame;
    if (initial.isEmpty() || !frames.exists(initial)) {
        EditorMessages::ask(parent, QString(),
                            QStringLiteral("You must select the frame you want to appear when "
                                           "your program (or game) starts.\n\nPlease select a "
                                           "valid Initial Frame from the Project Properties."),
                            Status::Icon::Information);
        return false;
    }
    return true;
}

} // namespace ProjectLifecycle

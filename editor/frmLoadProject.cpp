#include "frmLoadProject.h"

#include "EditorMessages.h"

#include <QDialogButtonBox>

frmLoadProject::frmLoadProject(const QString &startFolder, DriveProvider *drives, QWidget *parent)
    : ProjectFolderDialog(startFolder, drives, parent) {
    setWindowTitle(QStringLiteral("Load Project"));
    connect(buttons(), &QDialogButtonBox::accepted, this, &frmLoadProject::confirm);
}

void frmLoadProject::confirm() {
    const QString folder = selectedFolder();
    if (!ProjectPaths(folder).isValidProject()) {
        EditorMessages::ask(this, QString(), QStringLiteral("Select the project you want to load."),
                            Status::Icon::Information);
        return;
    }
    LoadProject(folder);
}

bool frmLoadProject::LoadProject(const QString &root) {
    if (!ProjectLifecycle::LoadProject(this, root, m_project))
        return false;
    accept();
    return true;
}

void frmLoadProject::folderActivated(const QString &folder) {
    if (ProjectPaths(folder).isValidProject())
        LoadProject(folder);
}

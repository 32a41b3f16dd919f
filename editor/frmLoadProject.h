#pragma once

#include "ProjectFolderDialog.h"
#include "ProjectLifecycle.h"

// "Load Project": double-clicking a project folder opens it at once; OK opens the selected
// folder when it is a project. Accepted once `LoadProject` has opened it.
class frmLoadProject : public ProjectFolderDialog {
    Q_OBJECT
public:
    frmLoadProject(const QString &startFolder, DriveProvider *drives = nullptr,
                   QWidget *parent = nullptr);
    const EditorProject &project() const { return m_project; }
    // The OK button.
    void confirm();
    // Runs the opening checks on `root`; accepts the window when the project opened.
    bool LoadProject(const QString &root);

protected:
    void folderActivated(const QString &folder) override;

private:
    EditorProject m_project;
};

#pragma once

#include "ProjectFolderDialog.h"

class QLineEdit;

// "New Project": where the project goes and its name. Accepted once the checks pass and the
// user confirmed the folder; root() is then the new project's root.
class frmNewProject : public ProjectFolderDialog {
    Q_OBJECT
public:
    frmNewProject(const QString &startFolder, DriveProvider *drives = nullptr,
                  QWidget *parent = nullptr);
    QLineEdit *nameBox() const { return m_name; }
    QString projectName() const;
    const QString &root() const { return m_root; }
    // The OK button: the checks, then acceptance.
    void confirm();

private:
    QLineEdit *m_name;
    QString m_root;
};

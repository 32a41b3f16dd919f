#include "frmNewProject.h"

#include "ProjectLifecycle.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

frmNewProject::frmNewProject(const QString &startFolder, DriveProvider *drives, QWidget *parent)
    : ProjectFolderDialog(startFolder, drives, parent) {
    setWindowTitle(QStringLiteral("New Project"));
    auto *label = new QLabel(QStringLiteral("Project &name:"), this);
    m_name = new QLineEdit(this);
    m_name->setAccessibleName(QStringLiteral("Project name"));
    label->setBuddy(m_name);
    body()->insertWidget(0, label);
    body()->insertWidget(1, m_name);
    setTabOrder(m_name, driveList());
    setTabOrder(driveList(), folderTree());
    m_name->setFocus();
    connect(buttons(), &QDialogButtonBox::accepted, this, &frmNewProject::confirm);
}

QString frmNewProject::projectName() const {
    return m_name->text();
}

void frmNewProject::confirm() {
    QString root;
    if (!ProjectLifecycle::checkNewProject(this, selectedFolder(), projectName(), root))
        return;
    m_root = root;
    accept();
}

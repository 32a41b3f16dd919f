#include "frmCheckProject.h"

#include "ProjectCheck.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmCheckProject::frmCheckProject(const ProjectPaths &paths, QWidget *parent)
    : QDialog(parent), m_paths(paths) {
    setWindowTitle(QStringLiteral("Check Project"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("&Problems found in the project:"), this);
    m_list = new QTreeWidget(this);
    m_list->setAccessibleName(QStringLiteral("Problems found in the project"));
    m_list->setHeaderLabels(
        {QStringLiteral("Kind"), QStringLiteral("File"), QStringLiteral("Name")});
    m_list->setRootIsDecorated(false);
    m_list->setMinimumSize(520, 240);
    label->setBuddy(m_list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *again =
        buttons->addButton(QStringLiteral("Check &Again"), QDialogButtonBox::ActionRole);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(again, &QPushButton::clicked, this, &frmCheckProject::refresh);
    refresh();
}

void frmCheckProject::refresh() {
    m_list->clear();
    const QList<ProjectProblem> problems = checkProject(ProjectSnapshot::load(m_paths));
    for (const ProjectProblem &p : problems)
        m_list->addTopLevelItem(new QTreeWidgetItem(QStringList{p.kind, p.file, p.name}));
    if (problems.isEmpty())
        m_list->addTopLevelItem(new QTreeWidgetItem(
            QStringList{QStringLiteral("No problem found."), QString(), QString()}));
    m_list->header()->resizeSections(QHeaderView::ResizeToContents);
}

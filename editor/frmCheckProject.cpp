#include "frmCheckProject.h"

#include "ProjectCheck.h"
#include "frmFrameProperties.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

frmCheckProject::frmCheckProject(const EditorProject &project, QWidget *parent)
    : QDialog(parent), m_project(project) {
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
    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { openFrameOf(m_list->indexOfTopLevelItem(item)); });
    refresh();
}

void frmCheckProject::refresh() {
    m_list->clear();
    const QList<ProjectProblem> problems = checkProjectAt(m_project.paths);
    for (const ProjectProblem &p : problems)
        m_list->addTopLevelItem(new QTreeWidgetItem(QStringList{p.kind, p.file, p.name}));
    if (problems.isEmpty())
        m_list->addTopLevelItem(new QTreeWidgetItem(
            QStringList{QStringLiteral("No problem found."), QString(), QString()}));
    m_list->header()->resizeSections(QHeaderView::ResizeToContents);
}

QString frmCheckProject::frameOf(const QString &file) {
    const QStringList parts =
        QString(file).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'));
    if (parts.size() == 2 && parts[0] == QLatin1String("Frames")) {
        for (const char *ext : {".fme", ".chn", ".lks"}) {
            if (parts[1].endsWith(QLatin1String(ext), Qt::CaseInsensitive))
                return parts[1].chopped(4);
        }
    }
    if (parts.size() == 3 && parts[0] == QLatin1String("Areas"))
        return parts[1];
    return QString();
}

bool frmCheckProject::openFrameOf(int row) {
    const QTreeWidgetItem *item = m_list->topLevelItem(row);
    const QString frame = item ? frameOf(item->text(1)) : QString();
    if (!frmFrameProperties::editFrame(m_project, m_media, frame, this))
        return false;
    refresh();
    return true;
}

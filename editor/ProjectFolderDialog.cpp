#include "ProjectFolderDialog.h"

#include "Drives.h"
#include "EditorMessages.h"
#include "ProjectPaths.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

ProjectFolderDialog::ProjectFolderDialog(const QString &startFolder, DriveProvider *drives,
                                         QWidget *parent)
    : QDialog(parent), m_folder(withTrailingSeparator(startFolder)) {
    if (!drives) {
        m_ownDrives = createSystemDriveProvider();
        drives = m_ownDrives.get();
    }
    m_driveList = drives->drives();

    m_body = new QVBoxLayout(this);
    auto *driveLabel = new QLabel(QStringLiteral("&Drive:"), this);
    m_drives = new QComboBox(this);
    m_drives->setAccessibleName(QStringLiteral("Drive"));
    driveLabel->setBuddy(m_drives);
    for (const Drive &d : m_driveList)
        m_drives->addItem(QStringLiteral("%1  %2 %3")
                              .arg(QDir::toNativeSeparators(d.root), d.label, driveTypeText(d.type))
                              .simplified());
    auto *folderLabel = new QLabel(QStringLiteral("&Folders:"), this);
    m_tree = new QTreeView(this);
    m_tree->setAccessibleName(QStringLiteral("Folders"));
    folderLabel->setBuddy(m_tree);
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setRootPath(QString());
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_tree->header()->hide();
    m_tree->setMinimumSize(320, 260);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_body->addWidget(driveLabel);
    m_body->addWidget(m_drives);
    m_body->addWidget(folderLabel);
    m_body->addWidget(m_tree, 1);
    m_body->addWidget(m_buttons);

    connect(m_drives, &QComboBox::activated, this, &ProjectFolderDialog::driveChosen);
    connect(m_tree, &QTreeView::doubleClicked, this, [this](const QModelIndex &i) {
        folderActivated(withTrailingSeparator(m_model->filePath(i)));
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Rows arrive and are sorted in several passes: the folder is revealed once they settle,
    // until the author scrolls.
    m_reveal = new QTimer(this);
    m_reveal->setSingleShot(true);
    m_reveal->setInterval(0);
    connect(m_reveal, &QTimer::timeout, this, &ProjectFolderDialog::revealFolder);
    auto reveal = [this] { m_reveal->start(); };
    connect(m_model, &QFileSystemModel::directoryLoaded, this, reveal);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, reveal);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, reveal);
    connect(m_tree->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_authorScrolled = true; });
    setFolder(m_folder);
}

ProjectFolderDialog::~ProjectFolderDialog() = default;

QString ProjectFolderDialog::selectedFolder() const {
    const QModelIndex i = m_tree->currentIndex();
    return i.isValid() ? withTrailingSeparator(m_model->filePath(i)) : m_folder;
}

void ProjectFolderDialog::setFolder(const QString &folder) {
    m_folder = withTrailingSeparator(folder);
    // The drive is the longest mount path the folder lies under.
    int best = -1;
    for (int i = 0; i < m_driveList.size(); ++i) {
        const QString root = withTrailingSeparator(m_driveList[i].root);
        if (m_folder.startsWith(root) &&
            (best < 0 || root.size() > withTrailingSeparator(m_driveList[best].root).size()))
            best = i;
    }
    if (best >= 0)
        m_drives->setCurrentIndex(best);
    const QModelIndex index = m_model->index(QDir::cleanPath(m_folder));
    if (best >= 0)
        m_tree->setRootIndex(m_model->index(QDir::cleanPath(m_driveList[best].root)));
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    m_tree->expand(index);
}

void ProjectFolderDialog::revealFolder() {
    if (m_authorScrolled)
        return;
    const QModelIndex current = m_tree->currentIndex();
    if (current.isValid() && withTrailingSeparator(m_model->filePath(current)) == m_folder)
        m_tree->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

void ProjectFolderDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // Once laid out, the tree knows where the folder lies.
    m_reveal->start();
}

void ProjectFolderDialog::driveChosen(int index) {
    if (index < 0 || index >= m_driveList.size())
        return;
    const QString root = m_driveList[index].root;
    if (!QFileInfo(root).isDir() || !QFileInfo(root).isReadable()) {
        EditorMessages::ask(this, QString(), QStringLiteral("Not a valid drive."),
                            Status::Icon::Exclamation);
        setFolder(m_folder);
        return;
    }
    m_folder = withTrailingSeparator(root);
    m_tree->setRootIndex(m_model->index(QDir::cleanPath(root)));
    m_tree->setCurrentIndex(QModelIndex());
}

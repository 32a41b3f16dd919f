#include "frmObjects.h"

#include "EditorItems.h"
#include "EditorMessages.h"
#include "FrameEditState.h"
#include "ProjectHistory.h"

#include <QDrag>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

ItemsDragList::ItemsDragList(QWidget *parent) : QListWidget(parent) {
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QMimeData *ItemsDragList::dragData() const {
    const QListWidgetItem *item = currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(QString::fromLatin1(kItemMimeType), item->text().toUtf8());
    return data;
}

void ItemsDragList::startDrag(Qt::DropActions) {
    QMimeData *data = dragData();
    if (!data)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(data);
    const QPixmap icon = EditorItems::ItemIcon(m_paths, currentItem()->text());
    if (!icon.isNull()) {
        drag->setPixmap(icon);
        drag->setHotSpot(QPoint(icon.width() / 2, icon.height() / 2));
    }
    drag->exec(Qt::CopyAction);
}

frmObjects::frmObjects(QWidget *parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("List of items"));
    setAccessibleName(QStringLiteral("List of items"));
    auto *layout = new QVBoxLayout(this);
    ObjectsList = new ItemsDragList(this);
    ObjectsList->setAccessibleName(QStringLiteral("Items"));
    Command2 = new QPushButton(QStringLiteral("Create New Item..."), this);
    Command1 = new QPushButton(QStringLiteral("Remove Selected"), this);
    Command2->setAccessibleName(Command2->text());
    Command1->setAccessibleName(Command1->text());
    // The list and the buttons keep the window's width; the list takes the height.
    layout->addWidget(ObjectsList, 1);
    layout->addWidget(Command2);
    layout->addWidget(Command1);
    setMinimumSize(160, 200);
    resize(200, 320);
    connect(Command2, &QPushButton::clicked, this, &frmObjects::CreateItem);
    connect(Command1, &QPushButton::clicked, this, &frmObjects::RemoveSelected);
    ObjectsList->setEditTriggers(QAbstractItemView::EditKeyPressed);
    connect(ObjectsList, &QListWidget::itemChanged, this, [this](QListWidgetItem *row) {
        const QString oldName = row->data(Qt::UserRole).toString();
        const QString newName = row->text();
        // The list is made again once the label's editor has closed.
        if (newName != oldName)
            QTimer::singleShot(0, this, [this, oldName, newName] { RenameItem(oldName, newName); });
    });
    connect(&EditorItems::notifier(), &ItemsNotifier::itemsChanged, this, &frmObjects::Refresh);
    ProjectHistory::addActions(this);
    connect(&ProjectHistory::instance(), &ProjectHistory::restored, this, &frmObjects::Refresh);
}

void frmObjects::setProject(const ProjectPaths &paths) {
    m_paths = paths;
    ObjectsList->setPaths(paths);
    Refresh();
}

void frmObjects::Refresh() {
    const QListWidgetItem *current = ObjectsList->currentItem();
    const QString kept = current && current->isSelected() ? current->text() : QString();
    const QSignalBlocker quiet(ObjectsList);
    ObjectsList->clear();
    if (m_paths.isEmpty())
        return;
    for (const QString &item : EditorItems::ItemNames(m_paths)) {
        auto *row = new QListWidgetItem(item, ObjectsList);
        // The name is edited in place (F2); the name it had is kept beside it.
        row->setFlags(row->flags() | Qt::ItemIsEditable);
        row->setData(Qt::UserRole, item);
        if (item == kept)
            ObjectsList->setCurrentItem(row);
    }
}

void frmObjects::CreateItem() {
    const QString item = EditorItems::CreateItem(this, m_paths);
    Refresh();
    const QList<QListWidgetItem *> found = ObjectsList->findItems(item, Qt::MatchExactly);
    if (!item.isEmpty() && !found.isEmpty())
        ObjectsList->setCurrentItem(found.first());
}

void frmObjects::RemoveSelected() {
    const QListWidgetItem *current = ObjectsList->currentItem();
    if (!current || !current->isSelected()) {
        EditorMessages::ask(this, QString(),
                            QStringLiteral("Please select the item you want to remove."),
                            Status::Icon::Information);
        return;
    }
    const QString item = current->text();
    EditorItems::RemoveItem(this, m_paths, item,
                            QStringLiteral("Do you really want to remove the item '") + item +
                                QStringLiteral("'?"),
                            QStringLiteral("Unable to remove selected item."));
    Refresh();
}

bool frmObjects::RenameItem(const QString &oldName, const QString &newName) {
    const bool renamed = EditorItems::RenameItem(this, m_paths, oldName, newName);
    Refresh();
    const QList<QListWidgetItem *> found =
        ObjectsList->findItems(renamed ? newName : oldName, Qt::MatchExactly);
    if (!found.isEmpty())
        ObjectsList->setCurrentItem(found.first());
    return renamed;
}
